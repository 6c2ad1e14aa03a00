#include "cli/store_checks.h"

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "platform/format.h"
#include "store/chain.h"
#include "store/consistency_check.h"
#include "store/projects.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

// Day counts, dead items and the priority list are the store's own check;
// these are the links between days and the item list that it does not walk.
std::string CheckDays(Schedule& s) {
  for (const auto& [date, day] : s.terminals()) {
    if (s.header().IsArchived(date)) continue;
    CheckChain(s.messages(), &day->head);
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      if (!s.IsActValid(task->act)) continue;  // named by the store's check
      if (!(s.ActFlags(task->act) & AF_BETA) && !s.FindInActChain(task->act))
        return Sprintf(t::kTaskNotInChain, s.GetActTitle(task->act).c_str(),
                       IsoDate(date).c_str());
    }
  }
  return {};
}

std::string CheckItems(Schedule& s) {
  const uint32_t lastID = s.header().nextActID();
  for (const auto& [key, node] : s.actChain()) {
    const Act& a = s.ReadAct(node.act);
    if (a.ID != 0) {
      if (s.FindActByID(a.ID) == kNoAct)
        return Sprintf(t::kIDNotFound, s.GetActTitle(node.act).c_str(), a.ID);
      if (a.ID > lastID)
        return Sprintf(t::kIDAboveCounter, s.GetActTitle(node.act).c_str(), a.ID, lastID);
    }
    if (a.Has(AF_BETA))
      if (Beta* beta = s.FindBeta(a.hBeta)) s.ValidateXlist(*beta);
  }
  return {};
}

}  // namespace

std::string CheckSchedule(Schedule& s) {
  if (auto broken = CheckConsistency(s)) return *broken;
  std::string finding = CheckDays(s);
  if (finding.empty()) finding = CheckItems(s);
  if (finding.empty()) ValidateProjectTree(s);
  return finding;
}

}  // namespace ploven::cli
