#pragma once

#include <optional>
#include <string>

#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

// The RFC 5545 rule (the value of an RRULE, without UNTIL) that gives exactly the dates the
// recurrence record gives from `start` (its Start Date, or today for a series without one);
// nothing when no rule can say it: full moons, seasons, the 4-4-5 periods, the nearest
// weekday, and a few month grids whose every-N-th month counts from the start's day.
std::optional<std::string> RuleOf(const Beta& beta, DayNumber start);

// The weekday names of RFC 5545, Sunday first.
inline constexpr const char* kRuleWeekdays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

}  // namespace ploven
