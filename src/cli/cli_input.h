#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/date_argument.h"
#include "store/date_types.h"

namespace ploven::cli {

// Dates, times and durations are read as store/date_argument.h reads them.

// "Mo,We,Fr" as the weekday bits of an item (Sunday first); none when a name is unknown.
std::optional<uint8_t> ReadWeekdays(const std::string& text);

// "2026-12-08" and "09:30" ("25:00" for a time past midnight in Midnight Shift).
std::string IsoDate(DayNumber day);
std::string ClockText(TimeOfDay time, bool wrapAtMidnight);

}  // namespace ploven::cli
