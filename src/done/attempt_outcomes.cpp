#include "done/attempt_outcomes.h"

#include <algorithm>
#include <string>

#include "done/done_messages.h"
#include "done/mark_done.h"
#include "done/place_done_task.h"
#include "engine/balance_all_days.h"
#include "store/act_flags.h"
#include "store/act_record.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven {

namespace t = done_text;

namespace {

bool Undone(Schedule& s, const TaskNode* task) {
  if (task == nullptr || !s.ValidTaskNode(task) || !s.IsActValid(task->act)) return false;
  return !(s.ActFlags(task->act) & AF_DONE);
}

std::string Marked(const char* mark, const std::string& title) {
  return (std::string(mark) + title).substr(0, kActTitleMax);
}

}  // namespace

ActHandle RecordFailedAttempt(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (!Undone(s, task) || (s.ActFlags(task->act) & AF_HOPE)) return kNoAct;
  const ActHandle item = task->act;
  const DayNumber date = s.GetTaskDate(task);
  const TimeOfDay now = s.Now();
  const bool started = (s.ActFlags(item) & AF_STARTED) != 0;
  const int began = started ? std::min<int>(task->StartTime(), now) : now;

  Act attempt = s.ReadAct(item);
  attempt.flags &=
      ~static_cast<uint32_t>(AF_BETA | AF_DRONE | AF_FLEXIBLE | AF_STARTED | AF_SPLIT | AF_ALARM |
                             AF_FIXED | AF_SEQUENCED | AF_HAS_NOTE | AF_DONE_NO_BEGAN);
  attempt.flags |= AF_DONE;
  attempt.hBeta = 0;
  attempt.pitem = 0;
  attempt.ID = 0;
  attempt.noteNumber = 0;
  attempt.alarmState = 0;
  attempt.typeFlags = ACT_ITEM;
  attempt.startTime = static_cast<TimeOfDay>(began);
  attempt.duration = static_cast<Duration>(std::max(0, now - began));
  const ActHandle done =
      s.NewItem(date, attempt, Marked(t::kFailedAttemptMark, s.GetActNameFull(item)));
  if (done == kNoAct) return kNoAct;

  // The item is to do again: not started, with its whole duration where the engine puts it.
  if (started) {
    s.LockAct(item, "Done", __LINE__).flags &= ~static_cast<uint32_t>(AF_STARTED);
    s.TouchAct(item);
  }
  if (s.ActFlags(item) & AF_FLEXIBLE)
    RescheduleItem(engine, item);
  else
    engine.RecalcDayTimes(date);
  s.hooks().DoneStateChanged(s, done, DoneChange::kEntered);
  s.MarkChanged();
  return done;
}

bool CancelItem(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (!Undone(s, task)) return false;
  const DayNumber date = s.GetTaskDate(task);
  const TimeOfDay at = task->StartTime();
  if (!MarkTaskDone(engine, task)) return false;
  const ActHandle item = task->act;
  s.SetActName(item, Marked(t::kCancelledMark, s.GetActNameFull(item)));
  {
    Act& a = s.LockAct(item, "Done", __LINE__);
    a.duration = 0;
    if (at != kNoTime && !(a.flags & AF_HOPE)) a.startTime = at;
  }
  task->length = 0;
  PlaceDoneTask(engine, task, date);
  s.MarkChanged();
  return true;
}

}  // namespace ploven
