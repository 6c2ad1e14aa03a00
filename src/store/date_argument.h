#pragma once

#include <optional>
#include <string>

#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven {

// "2026-12-08" and "09:30" exactly (24-hour), as scripts write them.
std::optional<DayNumber> ReadIsoDate(const std::string& text);
std::optional<TimeOfDay> ReadClock(const std::string& text);

// Typed values as a settings field or a script gives them: YYYY-MM-DD and HH:MM first, so that
// scripts need not know the regional settings, then every form the parsers read. A refusal
// carries the message to show.
ParseResult<DayNumber> ReadDateArgument(const std::string& text, const DateText& dateText,
                                        const ParseContext& context);
ParseResult<TimeOfDay> ReadTimeArgument(const std::string& text, const DateText& dateText,
                                        const ParseContext& context);
ParseResult<Duration> ReadDurationArgument(const std::string& text, const DateText& dateText);

}  // namespace ploven
