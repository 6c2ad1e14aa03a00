#include "done/mark_done.h"

#include "store/priority_index.h"
#include "store/recurrence_fields.h"

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
  RaiseBetaLastDone(s, item, task != nullptr ? s.GetTaskDate(task) : s.ReadAct(item).ddate);
  s.TouchAct(item);
  s.MarkChanged();
  s.hooks().DoneStateChanged(s, item, DoneChange::kDone);
  return true;
}

bool MarkTaskDone(Engine& engine, TaskNode* task) {
  Schedule& s = engine.schedule();
  if (task == nullptr || !s.ValidTaskNode(task)) return false;
  ActHandle item = task->act;
  // An unedited occurrence becomes an item of its own first, so only its date is done.
  if (s.ActFlags(item) & AF_BETA) {
    item = s.hooks().CloneToDrone(s, task);
    if (item == kNoAct) return false;
  }
  return MarkItemDone(engine, item);
}

bool MarkItemUndone(Engine& engine, ActHandle item) {
  Schedule& s = engine.schedule();
  if (!s.IsActValid(item) || !(s.ActFlags(item) & AF_DONE)) return false;
  s.LockAct(item, "Done", __LINE__).flags &= ~static_cast<uint32_t>(AF_DONE);
  if (s.ActFlags(item) & AF_FLEXIBLE) s.AddToPriorityIndex(item, kEndOfTierRank);
  s.TouchAct(item);
  s.MarkChanged();
  engine.ItemChanged(item);
  s.hooks().DoneStateChanged(s, item, DoneChange::kUndone);
  return true;
}

bool ToggleDone(Engine& engine, TaskNode* task) {
  if (task == nullptr) return false;
  if (engine.schedule().ActFlags(task->act) & AF_DONE) return MarkItemUndone(engine, task->act);
  return MarkTaskDone(engine, task);
}

}  // namespace ploven
