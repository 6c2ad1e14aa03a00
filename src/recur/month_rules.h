#pragma once

#include <cstdint>

#include "store/beta_record.h"
#include "store/week_number.h"

namespace ploven {

// The monthly rules of a recurrence. Days are day numbers; `start` is the series' Start Date
// and `interval` its N (at least 1).

// Whole months from a to b: 15 January to 1 February is 0, 15 January to 15 February is 1,
// 1 March back to 31 January is -1.
int WholeMonths(int a, int b);

// Whether the month grid of date mode selects the day: its own date, or on the last day of a
// short month a date the month does not have ("29", "30", "Last").
bool IsSelectedDate(uint32_t dateBits, int day);

// The Nearest Day of Week rule alone: whether the day, an allowed weekday, is the weekday that
// stands for a selected date (On or After, On or Before, or the nearer of the two with the
// earlier one on a tie). Looks at most a week either way.
bool IsNearestWeekday(const Beta& beta, int day);

// The monthly frequency rule in the record's month mode (fifth-week, last-week or date mode).
// `rules` places the 4-4-5 periods of fifth-week mode.
bool MonthlyQualifies(const Beta& beta, int day, int start, int interval, const WeekRules& rules);

}  // namespace ploven
