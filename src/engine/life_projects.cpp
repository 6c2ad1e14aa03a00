#include <set>
#include <string>
#include <vector>

#include "engine/balance_all_days.h"
#include "engine/balance_messages.h"
#include "engine/priorities.h"
#include "platform/format.h"

namespace ploven {

namespace t = balance_text;

namespace {

constexpr int kRecentDoneDays = 8;

// Projects with a done item on one of the last days, today included. Archived days have left
// the days already, so the items of the alphabetical chain are asked too.
std::set<uint32_t> ProjectsDoneRecently(Schedule& s) {
  const DayNumber today = s.Today();
  const auto from = static_cast<DayNumber>(today - kRecentDoneDays);
  std::set<uint32_t> out;
  auto note = [&](ActHandle h) {
    if (!s.IsActValid(h)) return;
    const Act& a = s.ReadAct(h);
    if (a.Has(AF_DONE) && a.projectID != 0 && a.ddate >= from && a.ddate <= today)
      out.insert(a.projectID);
  };
  for (auto it = s.terminals().lower_bound(from); it != s.terminals().end() && it->first <= today;
       ++it)
    for (TaskNode* task = it->second->First(); task != nullptr; task = task->Next())
      note(task->act);
  for (const auto& [key, node] : s.actChain()) note(node.act);
  return out;
}

}  // namespace

void LifeProjectCheck(Engine& engine, bool warn) {
  if (!engine.settings().lifeProjects) return;
  Schedule& s = engine.schedule();

  std::vector<Projects::Node> life;
  for (const auto& [title, node] : s.projects())
    if (s.IsActValid(node.act) && IsLifeProject(s, node.act) && !(s.ActFlags(node.act) & AF_DONE))
      life.push_back(node);
  if (life.empty()) {
    // The clock's time is the minute after midnight plus one: every fifth minute from 0:00.
    if ((s.Now() - 1) % 5 == 0) s.messages().InformationMessage(t::kNoLifeProjectsTip);
    return;
  }

  const std::set<uint32_t> recent = ProjectsDoneRecently(s);
  const DayNumber today = s.Today();
  const int lifeCount = static_cast<int>(life.size());
  for (auto it = life.rbegin(); it != life.rend(); ++it) {
    if (it->id == 0 || recent.contains(it->id)) continue;
    ActHandle found = kNoAct;
    for (const auto ref : s.priorityIndex()) {
      const ActHandle h = ref.entry.item;
      if (!s.IsActValid(h) || s.ReadAct(h).projectID != it->id) continue;
      if (ItemEarliestDate(engine, h) <= today) {
        found = h;
        break;
      }
    }
    if (found == kNoAct) {
      if (warn) {
        const std::string title = s.GetActTitleFull(it->act);
        s.messages().ErrorMessage(
            Sprintf(t::kNoUndoneLifeProjectItem, title.c_str(), title.c_str()));
      }
      return;
    }
    const int rank = s.GetActRank(found);
    if (s.GetActTier(found) == 'A' && rank >= 1 && rank <= lifeCount) continue;
    PromoteLifeProjectItem(s, found);
    engine.ItemChanged(found);
  }
}

}  // namespace ploven
