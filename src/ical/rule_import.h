#pragma once

#include <optional>
#include <string>
#include <vector>

#include "recur/beta_qualify.h"
#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

// A calendar's RRULE as a recurrence record.
struct RuleImport {
  std::optional<Beta> beta;  // nothing: the reason is in `error`
  std::string error;
  // Dates the record gives before the rule's first date (a week counted from an earlier
  // weekday), to be cancelled.
  std::vector<DayNumber> cancelled;
};

// The record whose dates, from `start` (the local date of DTSTART), are the rule's: daily,
// weekly on weekdays, monthly on dates (1-28 and the last) or on weekdays of weeks 1-4 and the
// last week, yearly on the start's day; each every N-th. UNTIL is the End Date, COUNT
// becomes the date of the last occurrence. Other rules are refused with the reason.
RuleImport BetaOfRule(const std::string& rrule, DayNumber start, const QualifyContext& context);

}  // namespace ploven
