#include "done/start_unstart.h"

namespace ploven {

bool ToggleStarted(Schedule& s, TaskNode* task) {
  if (task == nullptr) return false;
  if ((s.ActFlags(task->act) & AF_BETA) && s.hooks().CloneToDrone(s, task) == kNoAct) return false;
  Act& a = s.LockAct(task->act);
  a.flags ^= AF_STARTED;
  if (a.flags & AF_STARTED) a.startTime = task->StartTime();
  s.MarkChanged();
  return true;
}

bool SetStarted(Schedule& s, TaskNode* task, bool on) {
  if (task == nullptr) return false;
  if (((s.ActFlags(task->act) & AF_STARTED) != 0) == on) return true;
  return ToggleStarted(s, task);
}

}  // namespace ploven
