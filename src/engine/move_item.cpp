#include <algorithm>

#include "engine/past_days.h"
#include "engine/past_days_messages.h"

namespace ploven {

namespace t = past_days_text;

namespace {

// A fluid item that now stands later than its deadline may take the new date as its deadline.
void OfferDeadlineChange(Engine& engine, ActHandle h, DayNumber date) {
  Schedule& s = engine.schedule();
  const Act& a = s.ReadAct(h);
  if (!a.Has(AF_FLEXIBLE) || a.deadlineDate == kNoDate || date <= a.deadlineDate) return;
  if (date == s.Today() || engine.busy().bringForward) return;
  const int answer = s.messages().MultiButtonBox(
      t::kDeadlineQuestion, t::kDeadlineCaption, kMbYesNo | kMbIconQuestion | kMbDefButton2, {});
  if (answer != kIdYes) return;
  Act& w = s.LockAct(h);
  // The "never remind" mark is not a count.
  if (w.postponeCount < kNeverRemindPostpone - 1) ++w.postponeCount;
  w.deadlineDate = date;
}

// A fluid item's earliest date follows a move, so the item is not pulled back or held off.
void AdjustEarliestDate(Schedule& s, ActHandle h, DayNumber oldDate, DayNumber date) {
  Act& a = s.LockAct(h);
  if (!a.Has(AF_FLEXIBLE)) return;
  if (date > a.earliestDate && date > oldDate) {
    a.earliestDate = a.deadlineDate != kNoDate ? std::min(date, a.deadlineDate) : date;
    a.earliestDateTime = kNoTime;
  } else if (date < a.earliestDate) {
    a.earliestDate = date;
  } else if (a.earliestDate != kNoDate && a.earliestDate <= s.Today()) {
    a.earliestDate = kNoDate;
  }
}

}  // namespace

DayNumber MoveItemToDate(Engine& engine, TaskNode* task, DayNumber date) {
  Schedule& s = engine.schedule();
  s.messages().Trace(t::kTraceMoveItemToDate, TraceContext{});
  if (task == nullptr || !s.IsActValid(task->act) || task->prev == nullptr) return kNoDate;
  if (date < kFirstUserDay || date > kLastUserDay) return kNoDate;
  if ((s.ActFlags(task->act) & AF_FLEXIBLE) && s.header().IsArchived(date)) return kNoDate;
  // Making the new day must not drop the old one while the task is still on it.
  const PruningHold held(s);
  // The day is made before the task leaves its old one, so a failure leaves it in place.
  if (s.GetTerminal(date) == nullptr) return kNoDate;
  // An unedited occurrence of a recurring item becomes an item of its own for its date.
  if ((s.ActFlags(task->act) & AF_BETA) && s.hooks().CloneToDrone(s, task) == kNoAct)
    return kNoDate;
  const ActHandle h = task->act;
  const uint32_t flags = s.ActFlags(h);

  OfferDeadlineChange(engine, h, date);
  const DayNumber oldDate = s.UnscheduleTask(task);
  if (!engine.ScheduleTask(task, date, PlacementHint{}) || engine.memoryFailure()) {
    if (task->prev == nullptr) engine.ScheduleTask(task, oldDate, PlacementHint{});
    return kNoDate;
  }
  AdjustEarliestDate(s, h, oldDate, date);

  const DayNumber today = s.Today();
  if (oldDate == today && date != today && (flags & AF_ALARM)) {
    s.LockAct(h).alarmState = 0;
    s.hooks().CancelAlarm(s, h);
  }
  s.hooks().DayChanged(oldDate);
  s.hooks().DayChanged(date);
  s.MarkChanged();
  return date;
}

}  // namespace ploven
