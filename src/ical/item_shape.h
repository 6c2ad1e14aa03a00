#pragma once

#include "store/act_record.h"

namespace ploven {

// What an item is in a calendar file.
enum class ItemShape {
  kTimed,   // a VEVENT at its time: an item with a Set Start Time
  kAllDay,  // an all-day VEVENT: memos, birthdays, anniversaries, work holidays, multi-day events
  kTodo,    // a VTODO: a flexible item, or an item of a date without a time
};

ItemShape ShapeOf(const Act& item);

}  // namespace ploven
