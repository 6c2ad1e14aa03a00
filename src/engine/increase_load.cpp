#include "engine/balance_day.h"
#include "engine/balance_day_messages.h"

namespace ploven {

namespace t = balance_day_text;

namespace {

bool MayComeTo(Engine& engine, ActHandle h, DayNumber date) {
  Schedule& s = engine.schedule();
  const Act a = s.ReadAct(h, t::kModuleBalanceDay, __LINE__);
  if (a.ddate <= date) return false;
  if (a.earliestDate != 0 && a.earliestDate > date) return false;
  if (a.deadlineDate != 0 && a.deadlineDate < date) return false;
  if (!engine.WeekdayQualify(h, date)) return false;
  // Later today an item must still be able to start by its latest start.
  if (date == s.Today() && a.latestTime != 0 &&
      s.Now() > engine.LatestEndOnDate(h, date) - a.duration)
    return false;
  return s.ActTask(h) != nullptr;
}

}  // namespace

bool IncreaseLoad(Engine& engine, DayNumber date) {
  Schedule& s = engine.schedule();
  ActHandle chosen = kNoAct;
  if (date != kNoDate && !s.header().IsArchived(date)) {
    const PriorityIndex& index = s.priorityIndex();
    for (PriorityEntryHandle e = index.First(); e != kNoPriorityEntry; e = index.Next(e)) {
      const ActHandle h = index.Find(e)->item;
      if (MayComeTo(engine, h, date)) {
        chosen = h;
        break;
      }
    }
  }
  if (chosen == kNoAct) {
    if (!engine.busy().balanceDay) s.messages().InformationMessage(t::kIncreaseLoadNotPossible);
    return false;
  }
  TaskNode* task = s.ActTask(chosen);
  const PruningHold held(s);
  const DayNumber from = s.UnscheduleTask(task);
  // A task that found no day must not be lost: it goes back where it was.
  const bool placed = engine.ScheduleTask(task, date, PlacementHint{});
  if (!placed) engine.ScheduleTask(task, from, PlacementHint{});
  return placed;
}

}  // namespace ploven
