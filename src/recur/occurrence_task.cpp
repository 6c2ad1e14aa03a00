#include "recur/occurrence_task.h"

namespace ploven {

TaskNode* OccurrenceTask(Schedule& s, ActHandle definition, DayNumber date) {
  if (date == kNoDate || s.header().IsArchived(date)) return nullptr;
  Terminal* day = s.GetTerminal(date);
  if (day == nullptr) return nullptr;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
    if (task->act == definition) return task;
    const Act& a = s.ReadAct(task->act);
    if (a.Has(AF_DRONE) && a.hBeta == definition) return task;
  }
  return nullptr;
}

}  // namespace ploven
