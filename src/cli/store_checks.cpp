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

std::string CheckDays(Schedule& s) {
  for (const auto& [date, day] : s.terminals()) {
    if (s.header().IsArchived(date)) continue;
    CheckChain(s.messages(), &day->head);
    int count = 0;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      ++count;
      if (!s.IsActValid(task->act)) return Sprintf(t::kTaskOfDeadItem, IsoDate(date).c_str());
      if (!(s.ActFlags(task->act) & AF_BETA) && !s.FindInActChain(task->act))
        return Sprintf(t::kTaskNotInChain, s.GetActTitle(task->act).c_str(),
                       IsoDate(date).c_str());
    }
    if (count != day->nTasks)
      return Sprintf(t::kTaskCountWrong, IsoDate(date).c_str(), day->nTasks, count);
  }
  return {};
}

std::string CheckItems(Schedule& s) {
  size_t flexible = 0;
  const uint32_t lastID = s.header().nextActID();
  for (const auto& [key, node] : s.actChain()) {
    const Act& a = s.ReadAct(node.act);
    if (a.Has(AF_FLEXIBLE) && !a.Has(AF_BETA)) {
      ++flexible;
      if (!s.GetActPitem(node.act))
        return Sprintf(t::kFluidWithoutPriority, s.GetActTitle(node.act).c_str());
    }
    if (a.ID != 0) {
      if (s.FindActByID(a.ID) == kNoAct)
        return Sprintf(t::kIDNotFound, s.GetActTitle(node.act).c_str(), a.ID);
      if (a.ID > lastID)
        return Sprintf(t::kIDAboveCounter, s.GetActTitle(node.act).c_str(), a.ID, lastID);
    }
    if (a.Has(AF_BETA))
      if (Beta* beta = s.FindBeta(a.hBeta)) s.ValidateXlist(*beta);
  }
  if (flexible != s.priorityIndex().Count())
    return Sprintf(t::kPriorityCountWrong, static_cast<int>(s.priorityIndex().Count()),
                   static_cast<int>(flexible));
  return {};
}

}  // namespace

std::string CheckSchedule(Schedule& s) {
  std::string finding = CheckDays(s);
  if (finding.empty()) finding = CheckItems(s);
  if (finding.empty()) ValidateProjectTree(s);
  if (finding.empty())
    if (auto broken = CheckConsistency(s)) finding = *broken;
  return finding;
}

}  // namespace ploven::cli
