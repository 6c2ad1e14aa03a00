#include "done/mark_done.h"

namespace ploven {

bool MarkItemDone(Engine& engine, ActHandle item) {
  Schedule& s = engine.schedule();
  if (!s.IsActValid(item)) return false;
  // A recurring definition is done occurrence by occurrence, never as a whole.
  if (s.ActFlags(item) & AF_BETA) return false;
  TaskNode* task = s.ActTask(item);
  if (s.ActFlags(item) & AF_FLEXIBLE) s.RemoveFromPriorityIndex(item);
  {
    Act& a = s.LockAct(item, "Done", __LINE__);
    a.flags |= AF_DONE;
    if (task != nullptr) a.startTime = task->StartTime();
  }
  s.TouchAct(item);
  s.MarkChanged();
  return true;
}

}  // namespace ploven
