#include "edit/item_delete.h"

#include "store/recurrence_fields.h"

namespace ploven {

DeleteOutcome DeleteChosenItem(Recurrences& r, UndeleteStack& undelete, ActHandle item,
                               TaskNode* task, DeleteScope scope) {
  Schedule& s = r.schedule();
  const ActHandle definition = RecurringItemOf(s, item);
  DeleteOutcome outcome = DeleteOutcome::kNothing;
  if (definition == kNoAct) {
    undelete.PushUndeleteItem(item, UNDEL_ITEM);
    s.DeleteItem(item);
    outcome = DeleteOutcome::kItem;
  } else if (scope == DeleteScope::kAllRecurrences) {
    undelete.PushUndeleteItem(definition, UNDEL_ITEM);
    DeleteRecurringItem(r, definition);
    outcome = DeleteOutcome::kSeries;
  } else if (task != nullptr && task->act == definition) {
    const DayNumber date = s.GetTaskDate(task);
    undelete.PushUndeleteTask(task, date);
    s.AddXlistEntry(definition, date, kNoAct);
    outcome = DeleteOutcome::kOccurrence;
  } else if (task != nullptr) {
    undelete.PushUndeleteItem(item, UNDEL_ITEM);
    DeleteOneClone(r, task);
    outcome = DeleteOutcome::kEditedOccurrence;
  }
  s.MarkChanged();
  return outcome;
}

}  // namespace ploven
