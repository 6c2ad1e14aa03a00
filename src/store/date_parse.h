#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/date_format.h"
#include "store/date_types.h"
#include "store/schedule_header.h"

namespace ploven {

// What the parsers need to know about the moment and the schedule.
struct ParseContext {
  DayNumber today = kNoDate;
  TimeOfDay now = kNoTime;
  DayNumber viewed = kNoDate;  // the day the view shows, for "3d*"
  // The day bounds as the schedule header holds them; they decide Midnight Shift (calendar.h).
  TimeOfDay earliestTimeOfDay = kDefaultEarliestTimeOfDay;
  TimeOfDay latestTimeOfDay = kDefaultLatestTimeOfDay;
};

// A parse either gives a value, or gives none and a message saying why. A few accepted inputs
// also carry a message to show (a "+" in a duration field reads as 0 with a notice).
template <typename T>
struct ParseResult {
  std::optional<T> value;
  std::string message;
};

// A date as typed:
// - "0", "today" (from "tod"), "tomorrow" (from "tom"), "yesterday" (from "yes");
// - n, or n with D, W, M or Y: that many days, weeks, months or years from today (n in
//   -999..999); with a trailing "*" from the viewed day instead;
// - a weekday name, from as many letters as make it unique ("h" and "r" are Thursday), and an
//   optional count of weeks 0..99: the next such weekday after today (a week on when today is
//   that weekday) plus that many weeks;
// - a calendar date of up to 19 characters, fields separated by "/", "-", ".", ",", blanks or
//   the date separator, read in the "iDate" order. A month may be written by name (three
//   letters or more, or the locale's abbreviation), and then that field is the month whatever
//   its place. Without a year (orders 0 and 1 only) the nearest such date is taken
//   (UpcomingDate). Years 0..68 are 2000..2068, 80..99 are 1980..1999, others must be
//   1980..2068.
// The date must lie in 2300..32508 (18 April 1986 .. 31 December 2068). An empty text is
// refused like any other unreadable one; a caller that allows "no date" checks for it first.
[[nodiscard]] ParseResult<DayNumber> ParseDate(std::string_view text, const DateText& dateText,
                                               const ParseContext& context);

// A time of day as typed: "now", "noon", "h", "hmm", "hhmm", "h:mm" ("." and "," and the time
// separator also serve as ":"; a single minute digit counts as tens, "5:3" is 5:30), with
// "am"/"pm" or a final "a"/"p". Without am/pm on the 12-hour clock 1:00..5:59 are afternoon;
// a leading "0", or the 24-hour clock, takes the time as written. The result is adjusted by
// Midnight Shift.
[[nodiscard]] ParseResult<TimeOfDay> ParseTime(std::string_view text, const DateText& dateText,
                                               const ParseContext& context);

// A duration as typed: "h:mm" (a single minute digit written without a leading zero counts as
// tens: "1:2" is 80 minutes), ":m" (minutes), a plain number from 100 up as hours and minutes
// ("130" is 90), below 100 as minutes; "note" and "memo" are 0. Letters a, p and m and blanks
// are ignored. Minutes after hours must be below 60. The result must lie in 0..30000.
[[nodiscard]] ParseResult<Duration> ParseDuration(std::string_view text, const DateText& dateText);

// A signed offset: as ParseDuration with a leading "-" allowed; a plain number must lie in
// -2400..2400, and one up to 24 written without a leading "0" is hours ("2" is 120, "02" is 2).
// The result must lie in -1440..1440.
[[nodiscard]] ParseResult<Duration> ParseOffset(std::string_view text, const DateText& dateText);

}  // namespace ploven
