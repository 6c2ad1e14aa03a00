#include "done/timekeeping.h"

#include <algorithm>

#include "done/done_messages.h"
#include "done/mark_done.h"
#include "done/place_done_task.h"
#include "edit/item_duplicate.h"
#include "engine/balance_all_days.h"
#include "recur/recurrences.h"
#include "store/recurrence_fields.h"

namespace ploven {

namespace t = done_text;

namespace {

constexpr uint16_t kMemoKinds = ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY;

bool Markable(Schedule& s, const TaskNode* task) {
  if (task == nullptr || !s.ValidTaskNode(task) || !s.IsActValid(task->act)) return false;
  return !(s.ActFlags(task->act) & AF_DONE);
}

// Done! first, then the item takes the times it really took.
bool MarkDoneAt(Engine& engine, TaskNode* task, int began, int duration) {
  Schedule& s = engine.schedule();
  const DayNumber date = s.GetTaskDate(task);
  if (!MarkTaskDone(engine, task)) return false;
  began = std::clamp(began, 1, kMinutesPerDay);
  duration = std::clamp(duration, 0, static_cast<int>(kMaxItemDuration));
  {
    Act& a = s.LockAct(task->act, "Done", __LINE__);
    a.startTime = static_cast<TimeOfDay>(began);
    a.duration = static_cast<Duration>(duration);
    a.flags &= ~static_cast<uint32_t>(AF_DONE_NO_BEGAN);
  }
  PlaceDoneTask(engine, task, date);
  return true;
}

}  // namespace

TimeOfDay LastDoneEndBefore(const Schedule& s, const TaskNode* task) {
  const Terminal* day = nullptr;
  for (const auto& [date, d] : s.terminals())
    for (const TaskNode* n = d->First(); n != nullptr && day == nullptr; n = n->Next())
      if (n == task) day = d.get();
  if (day == nullptr) return kNoTime;
  TimeOfDay end = kNoTime;
  for (const TaskNode* n = day->First(); n != nullptr && n != task; n = n->Next()) {
    const uint32_t f = s.ActFlags(n->act);
    if ((f & AF_DONE) && !(f & AF_HOPE) && n->StartTime() != kNoTime)
      end = std::max<TimeOfDay>(end, static_cast<TimeOfDay>(n->StartTime() + n->length));
  }
  return end;
}

bool DoneEndingAt(Engine& engine, TaskNode* task, TimeOfDay end) {
  Schedule& s = engine.schedule();
  if (!Markable(s, task) || end <= kNoTime) return false;
  const int start = task->StartTime();
  const int planned = s.GetActDuration(task->act);
  if (start != kNoTime && start <= end) return MarkDoneAt(engine, task, start, end - start);
  return MarkDoneAt(engine, task, end - planned, planned);
}

bool DoneFillingGap(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (!Markable(s, task)) return false;
  const int now = s.Now();
  const TimeOfDay last = LastDoneEndBefore(s, task);
  const int began = last != kNoTime && last <= now ? last : task->StartTime();
  if (began == kNoTime || began > now)
    return DoneEndingAt(engine, task, static_cast<TimeOfDay>(now));
  return MarkDoneAt(engine, task, began, now - began);
}

ActHandle DoneForNow(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (!Markable(s, task) || (s.ActFlags(task->act) & AF_HOPE)) return kNoAct;
  const int start = task->StartTime();
  const int worked = s.Now() - start;
  const int planned = s.GetActDuration(task->act);
  if (start == kNoTime || worked <= 0 || worked >= planned) return kNoAct;
  const DayNumber date = s.GetTaskDate(task);
  // The work left belongs to the one occurrence: it becomes an item of its own first.
  if ((s.ActFlags(task->act) & AF_BETA) && s.hooks().CloneToDrone(s, task) == kNoAct) return kNoAct;
  const ActHandle item = task->act;

  // The done part: a plain item of the day, done, with the time worked.
  Act part = s.ReadAct(item);
  part.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE | AF_FLEXIBLE | AF_STARTED | AF_SPLIT |
                                       AF_ALARM | AF_FIXED | AF_DONE_NO_BEGAN);
  part.flags |= AF_DONE;
  part.hBeta = 0;
  part.pitem = 0;
  part.ID = 0;
  part.noteNumber = 0;
  part.alarmState = 0;
  part.startTime = static_cast<TimeOfDay>(start);
  part.duration = static_cast<Duration>(worked);
  const ActHandle done = s.NewItem(date, part, s.GetActNameFull(item));
  if (done == kNoAct) return kNoAct;
  RaiseBetaLastDone(s, item, date);

  // The rest: the item itself, with the minutes left, planned again after now.
  {
    Act& a = s.LockAct(item, "Done", __LINE__);
    a.duration = static_cast<Duration>(planned - worked);
    a.flags &= ~static_cast<uint32_t>(AF_STARTED | AF_FIXED);
    a.startTime = kNoTime;
  }
  s.TouchAct(item);
  if (s.ActFlags(item) & AF_FLEXIBLE) {
    RescheduleItem(engine, item);
  } else {
    task->length = static_cast<int16_t>(planned - worked);
    PlaceDoneTask(engine, task, date);
  }
  s.hooks().DoneStateChanged(s, done, DoneChange::kEntered);
  s.MarkChanged();
  return done;
}

bool StartFillingGap(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (!Markable(s, task) || (s.ActFlags(task->act) & (AF_HOPE | AF_STARTED))) return false;
  const DayNumber date = s.GetTaskDate(task);
  if ((s.ActFlags(task->act) & AF_BETA) && s.hooks().CloneToDrone(s, task) == kNoAct) return false;
  const TimeOfDay now = s.Now();
  const TimeOfDay last = LastDoneEndBefore(s, task);
  {
    Act& a = s.LockAct(task->act, "Done", __LINE__);
    a.flags |= AF_STARTED;
    a.startTime = last != kNoTime && last < now ? last : now;
  }
  s.TouchAct(task->act);
  PlaceDoneTask(engine, task, date);
  return true;
}

ActHandle OfferToClone(Recurrences& recurrences, ActHandle done, DayNumber date, Duration length) {
  Schedule& s = recurrences.schedule();
  if (!s.IsActValid(done) || !(s.ActFlags(done) & AF_CLONE_ON_DONE)) return kNoAct;
  if (s.ActTypeFlags(done) & kMemoKinds) return kNoAct;  // there the bit means Work Holiday
  const int answer = s.messages().MultiButtonBox(t::kOfferToCloneQuestion, t::kOfferToCloneCaption,
                                                 kMbYesNo | kMbIconQuestion, {});
  if (answer != kIdYes) return kNoAct;
  const ActHandle copy = DuplicateItem(recurrences, done, nullptr, date, DuplicateAs::kOneItem);
  if (copy == kNoAct) return kNoAct;
  if (length > 0 && length != s.GetActDuration(copy)) {
    s.SetActDuration(copy, length);
    if (TaskNode* task = s.ActTask(copy)) {
      task->length = length;
      PlaceDoneTask(recurrences.engine(), task, date);
    }
  }
  return copy;
}

}  // namespace ploven
