#include "engine/gap_fillers.h"

#include <algorithm>

#include "engine/past_days.h"
#include "store/act_flags.h"
#include "store/priority_index.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven {

std::vector<FreeGap> FreeGapsToday(Engine& engine, TimeOfDay now) {
  Schedule& s = engine.schedule();
  const int end = engine.DayBoundsLatest();
  int from = std::max<int>(now, engine.DayBoundsEarliest());
  std::vector<std::pair<int, int>> busy;  // [start, end) of today's items
  if (const Terminal* day = s.ExistingTerminal(s.Today())) {
    for (const TaskNode* t = day->First(); t != nullptr; t = t->Next()) {
      if (t->length <= 0 || t->StartTime() == kNoTime) continue;
      if (s.ActFlags(t->act) & AF_HOPE) continue;
      busy.emplace_back(t->StartTime(), t->StartTime() + t->length);
    }
  }
  std::sort(busy.begin(), busy.end());
  std::vector<FreeGap> gaps;
  for (const auto& [b, e] : busy) {
    if (b > from && from < end)
      gaps.push_back({static_cast<TimeOfDay>(from), std::min(b, end) - from});
    from = std::max(from, e);
  }
  if (from < end) gaps.push_back({static_cast<TimeOfDay>(from), end - from});
  return gaps;
}

std::vector<GapFiller> GapFillers(Engine& engine, TimeOfDay now, int limit) {
  Schedule& s = engine.schedule();
  int longest = 0;
  for (const FreeGap& g : FreeGapsToday(engine, now)) longest = std::max(longest, g.minutes);
  std::vector<GapFiller> out;
  if (longest <= 0) return out;
  // The priority index walks the flexible items in priority order; a stable sort by length
  // keeps that order among equals.
  for (const auto& [entry, e] : s.priorityIndex()) {
    const ActHandle h = e.item;
    if (!s.IsActValid(h)) continue;
    const Act& a = s.ReadAct(h);
    if (a.flags & (AF_DONE | AF_STARTED | AF_BETA | AF_SPLIT | AF_HOPE)) continue;
    if (a.duration <= 0 || a.duration > longest) continue;
    if (s.GetActDate(h) == s.Today()) continue;                             // planned today already
    if (a.earliestDate != kNoDate && a.earliestDate > s.Today()) continue;  // not startable yet
    out.push_back({h, a.duration});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const GapFiller& x, const GapFiller& y) { return x.duration < y.duration; });
  if (static_cast<int>(out.size()) > limit) out.resize(static_cast<size_t>(limit));
  return out;
}

bool PlaceGapFiller(Engine& engine, ActHandle item) {
  Schedule& s = engine.schedule();
  if (!s.IsActValid(item) || (s.ActFlags(item) & AF_DONE)) return false;
  TaskNode* task = s.ActTask(item);
  if (task == nullptr) return false;
  return MoveItemToDate(engine, task, s.Today()) == s.Today();
}

}  // namespace ploven
