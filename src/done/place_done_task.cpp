#include "done/place_done_task.h"

namespace ploven {

void PlaceDoneTask(Engine& engine, TaskNode* task, DayNumber date) {
  Schedule& s = engine.schedule();
  const PruningHold held(s);
  const Act a = s.ReadAct(task->act);
  const DayNumber left = task->prev != nullptr ? s.UnscheduleTask(task) : kNoDate;
  if (a.flags & (AF_DONE | AF_STARTED | AF_FIXED)) {
    task->start = a.Has(AF_HOPE) ? 0 : a.startTime;
    task->length = a.duration;
  }
  engine.ScheduleTask(task, date, PlacementHint{});
  if (left != kNoDate && left != date) s.hooks().DayChanged(left);
  s.hooks().DayChanged(date);
  s.MarkChanged();
}

}  // namespace ploven
