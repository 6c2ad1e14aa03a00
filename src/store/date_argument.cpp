#include "store/date_argument.h"

#include <cstdio>

#include "store/calendar.h"

namespace ploven {

std::optional<DayNumber> ReadIsoDate(const std::string& text) {
  int y = 0, m = 0, d = 0, used = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &y, &m, &d, &used) != 3) return std::nullopt;
  if (static_cast<size_t>(used) != text.size() || text.size() != 10) return std::nullopt;
  if (y < 1980 || y > 2068 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(m, y))
    return std::nullopt;
  return static_cast<DayNumber>(MakeDay(m, d, y));
}

std::optional<TimeOfDay> ReadClock(const std::string& text) {
  int h = 0, m = 0, used = 0;
  if (std::sscanf(text.c_str(), "%2d:%2d%n", &h, &m, &used) != 2) return std::nullopt;
  if (static_cast<size_t>(used) != text.size() || text.size() != 5) return std::nullopt;
  if (h < 0 || h > 23 || m < 0 || m > 59) return std::nullopt;
  return ClockTime(h, m);
}

ParseResult<DayNumber> ReadDateArgument(const std::string& text, const DateText& dateText,
                                        const ParseContext& context) {
  if (const auto iso = ReadIsoDate(text)) {
    // The same range the program lets a user type.
    if (*iso >= kFirstUserDay && *iso <= kLastUserDay) return {iso, ""};
  }
  return ParseDate(text, dateText, context);
}

ParseResult<TimeOfDay> ReadTimeArgument(const std::string& text, const DateText& dateText,
                                        const ParseContext& context) {
  if (const auto clock = ReadClock(text)) return {clock, ""};
  return ParseTime(text, dateText, context);
}

ParseResult<Duration> ReadDurationArgument(const std::string& text, const DateText& dateText) {
  return ParseDuration(text, dateText);
}

}  // namespace ploven
