#pragma once

#include <functional>
#include <string>

#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/date_types.h"

namespace ploven {

class Schedule;

// What the conflict check needs of the screen it runs on.
struct ConflictCheckView {
  DateText text;
  bool alphabeticalView = false;  // the Alphabetical View is the one showing
  // The progress window of a recurring item's check: a line to show, and closing it.
  std::function<void(const std::string&)> showProgress;
  std::function<void()> closeProgress;
};

// Shows each item with a Set Start Time that overlaps `item` on `date`, making it the day's
// current task. 1 when every overlap was shown and the user went on (or there was none), 0
// when the user stopped at one.
int ConflictCheckDate(Schedule& schedule, ActHandle item, DayNumber date,
                      const ConflictCheckView& view);

// The check after an item's properties were confirmed; only items with a Set Start Time. A
// recurring definition is checked on its instances from today to a year ahead, on the days
// that exist so far. False when the user stopped at a conflict.
bool ConflictCheck(Schedule& schedule, ActHandle item, const ConflictCheckView& view);

}  // namespace ploven
