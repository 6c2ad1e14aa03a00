#include "ical/item_shape.h"

#include "store/act_flags.h"

namespace ploven {

ItemShape ShapeOf(const Act& a) {
  constexpr uint16_t kAllDayKinds = ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY |
                                    ACT_MULTIDAY | ACT_MULTIDAY_ALT;
  if ((a.typeFlags & kAllDayKinds) != 0) return ItemShape::kAllDay;
  if (a.Has(AF_FLEXIBLE)) return ItemShape::kTodo;
  if (a.startTime != kNoTime) return ItemShape::kTimed;
  return ItemShape::kTodo;
}

}  // namespace ploven
