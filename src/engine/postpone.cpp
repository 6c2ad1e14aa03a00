#include "engine/past_days.h"
#include "engine/past_days_messages.h"
#include "engine/priorities.h"

namespace ploven {

namespace t = past_days_text;

TimeOfDay PostponedEarliestTime(TimeOfDay earliest, TimeOfDay now) {
  const int hourFromNow = now + 60;
  if (earliest < hourFromNow) return static_cast<TimeOfDay>(hourFromNow);
  // A whole number of hours ahead (59 allows for the minute that passed since the last
  // postponement) goes one more hour; a time the user chose stays.
  const int ahead = (earliest - now) % 60;
  if (ahead == 0 || ahead == 59) return static_cast<TimeOfDay>(earliest + 60);
  return earliest;
}

bool PostponeOneHour(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (task == nullptr || !s.IsActValid(task->act) || task->prev == nullptr) return false;
  // An unedited occurrence of a recurring item becomes an item of its own for its date.
  if ((s.ActFlags(task->act) & AF_BETA) && s.hooks().CloneToDrone(s, task) == kNoAct)
    return false;
  const ActHandle h = task->act;
  const Act& a = s.ReadAct(h);
  if (a.Has(AF_FIXED)) {
    s.messages().InformationMessage(t::kPostponeFixed);
    return false;
  }
  if (a.Has(AF_STARTED)) {
    s.messages().InformationMessage(t::kPostponeStarted);
    return false;
  }
  if (a.Has(AF_DONE)) {
    s.messages().InformationMessage(t::kPostponeDone);
    return false;
  }

  const DayNumber today = s.Today();
  if (a.earliestDate <= today) {
    Act& w = s.LockAct(h);
    if (w.earliestDate < today) {
      w.earliestDate = today;
      w.earliestDateTime = kNoTime;
    }
    w.earliestDateTime = PostponedEarliestTime(w.earliestDateTime, s.Now());
    if (w.latestTime != kNoTime && w.latestTime < w.earliestDateTime) {
      if (s.messages().Question(t::kPostponeLatestQuestion) == kIdYes) {
        Act& x = s.LockAct(h);
        x.latestTime = static_cast<TimeOfDay>(x.duration + x.earliestDateTime);
      } else {
        s.messages().InformationMessage(t::kPostponeLatestLeft);
      }
    }
  }

  const DayNumber date = s.UnscheduleTask(task);
  engine.ScheduleTask(task, date, PlacementHint{});
  if (s.ActFlags(h) & AF_FLEXIBLE) PlaceEditedTierAItem(s, h);
  if (engine.ui() != nullptr) engine.ui()->RefreshDayScheduleViews();
  s.MarkChanged();
  return true;
}

}  // namespace ploven
