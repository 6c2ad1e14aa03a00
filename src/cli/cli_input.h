#pragma once

#include <optional>
#include <string>

#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven::cli {

// Typed values as the program reads them, with YYYY-MM-DD and HH:MM (24-hour)
// first so that scripts need not know the regional settings. A refusal carries
// the message to show.
ParseResult<DayNumber> ReadDateArgument(const std::string& text, const DateText& dateText,
                                        const ParseContext& context);
ParseResult<TimeOfDay> ReadTimeArgument(const std::string& text, const DateText& dateText,
                                        const ParseContext& context);
ParseResult<Duration> ReadDurationArgument(const std::string& text, const DateText& dateText);

// "Mo,We,Fr" as the weekday bits of an item (Sunday first); none when a name is unknown.
std::optional<uint8_t> ReadWeekdays(const std::string& text);

// "2026-12-08" and "09:30" ("25:00" for a time past midnight in Midnight Shift).
std::string IsoDate(DayNumber day);
std::string ClockText(TimeOfDay time, bool wrapAtMidnight);

}  // namespace ploven::cli
