#include "edit/item_duplicate.h"

#include "engine/balance_all_days.h"
#include "store/recurrence_fields.h"

namespace ploven {

ActHandle DuplicateItem(Recurrences& r, ActHandle item, TaskNode* task, DayNumber date,
                        DuplicateAs as) {
  Schedule& s = r.schedule();
  const ActHandle definition = RecurringItemOf(s, item);
  if (as == DuplicateAs::kSeries)
    return definition != kNoAct ? DuplicateBetaAct(r, definition) : kNoAct;
  Act copy = s.ReadAct(item);
  copy.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE | AF_DONE | AF_STARTED);
  copy.hBeta = 0;
  copy.ID = 0;
  copy.pitem = 0;
  if (task != nullptr) date = s.GetTaskDate(task);
  const std::string title = definition != kNoAct && task != nullptr
                                ? OccurrenceTitle(r, definition, date, true)
                                : s.GetActNameFull(item);
  const ActHandle made = s.NewItem(date, copy, title);
  if (made != kNoAct && (copy.flags & AF_FLEXIBLE)) RescheduleItem(r.engine(), made);
  s.MarkChanged();
  return made;
}

}  // namespace ploven
