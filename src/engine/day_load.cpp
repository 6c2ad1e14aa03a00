#include <algorithm>

#include "engine/balance_day.h"

namespace ploven {

namespace {
// Items with the top flag bit may be overlapped by the items after them.
}  // namespace

int DayLoad(Engine& engine, const Terminal& day) {
  const Schedule& s = engine.schedule();
  int busy = 0;
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next()) {
    const uint32_t f = s.ActFlags(task->act);
    if (!(f & AF_HOPE) || ((f & AF_DONE) && task->length > 0)) busy += task->length;
  }
  const int span = std::max(1, engine.DayBoundsLatest() - engine.DayBoundsEarliest());
  return busy * 100 / span;
}

int DayConflictMinutes(Engine& engine, const Terminal& day) {
  const Schedule& s = engine.schedule();
  const int earliest = engine.DayBoundsEarliest();
  int runningEnd = 0;
  int minutes = 0;
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next()) {
    const int start = task->StartTime();
    if (task->InConflict() || (start < runningEnd && start > earliest)) minutes += task->length;
    if (!(s.ActFlags(task->act) & AF_NO_RUNNING_END))
      runningEnd = std::max(runningEnd, start + task->length);
  }
  return minutes;
}

}  // namespace ploven
