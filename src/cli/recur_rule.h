#pragma once

#include <optional>
#include <string>

#include "store/beta_record.h"

namespace ploven::cli {

// A recurrence as `add --recur` writes it:
//   daily[/N]                 every N days
//   weekly:Mo,We[/N]          on those weekdays of every N-th week
//   monthly:1,20,last[/N]     on those dates (1 to 30, "last") of every N-th month
//   monthly-week:1Tu,lastFr[/N]  on those weekdays of the month's weeks 1 to 4 or its last week
//   monthly-445:1Tu,5Fr[/N]   the same in the 4-4-5 calendar, with a fifth week
//   yearly[/N]                on the start date's day every N years
// Fills freq, interval, dayBits and dateBits; the rest of the record is left alone. An error
// text when the rule cannot be read.
struct RecurRuleResult {
  bool ok = false;
  std::string error;
};
RecurRuleResult ReadRecurRule(const std::string& text, Beta& into);

// The rule of a recurrence in the same form, so that what plovenctl prints reads back the
// same (the Start and End Dates, options and exceptions are not part of it).
std::string WriteRecurRule(const Beta& beta);

// Weekday bits (Sunday first) as "Mo,We,Fr".
std::string WeekdayNames(uint8_t bits);

}  // namespace ploven::cli
