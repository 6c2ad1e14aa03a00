#pragma once

#include <string>
#include <string_view>

#include "store/date_types.h"
#include "store/regional.h"

namespace ploven {

// Everything that shapes dates and times in text: the regional settings and the locale's month
// and weekday names.
struct DateText {
  Regional regional;
  LocaleNames names;
};

// Dates. A day of 0 ("no date") gives the empty string in every date formatter, and a negative
// day (-1 marks a date that cannot be shown) gives "#####".

// By the short-date picture ("sShortDate"). Tokens: d / dd the day (dd with two digits), ddd /
// dddd+ the abbreviated / full weekday name, M / MM (or m / mm) the month number (MM with two
// digits), MMM or longer the abbreviated month name, y / yy the year in two digits, yyy+ the
// full year; text in single quotes and every other character is copied as it stands. The
// picture "dd-MMM-yy" is read as "dd-mm-yy".
std::string FormatDate(DayNumber day, const DateText& text);
// The same with any picture.
std::string FormatDateWithPicture(DayNumber day, std::string_view picture,
                                  const LocaleNames& names);
// "06/04/96": two digits each, in the "iDate" order, with the date separator.
std::string FormatDateNumeric(DayNumber day, const DateText& text);
// "6/4": month and day (day and month when "iDate" is 1), no year.
std::string FormatDateShort(DayNumber day, const DateText& text);
// "06/04", the same with two digits each.
std::string FormatDateShort2(DayNumber day, const DateText& text);
// By the fixed picture "m/d/yy", whatever the regional settings.
std::string FormatDateMDY(DayNumber day);
// "Tuesday, 06/04/96".
std::string FormatDateLong(DayNumber day, const DateText& text);
// "Tue 06/04/96": the first three letters of the weekday name.
std::string FormatDateDay(DayNumber day, const DateText& text);
// "yesterday" for the day before a reference that is today, the weekday name for a date
// within six days of the reference (either side), otherwise FormatDate.
std::string FormatDateRelative(DayNumber date, DayNumber reference, DayNumber today,
                               const DateText& text);

// Names of weekdays (0 = Sunday .. 6) and months (1..12); the empty string outside those
// ranges. The two- and three-letter weekday forms are cut from the full names (by characters,
// not bytes).
std::string WeekdayName(int weekday, const DateText& text);
std::string WeekdayAbbrev2(int weekday, const DateText& text);
std::string WeekdayAbbrev3(int weekday, const DateText& text);
std::string MonthName(int month, const DateText& text);
std::string MonthAbbrev(int month, const DateText& text);

// Times of day. A value above 1440 (Midnight Shift) is shown by its clock time; no time (0 or
// below) gives the empty string. In 12-hour form the hours 0 and 12 show as 12; up to 11:59
// is am, from 12:00 on pm.

// 24-hour "9:05", "0:05"; 12-hour "9:05am", "12:00pm".
std::string FormatTime(TimeOfDay time, const DateText& text);
// 24-hour "09:05" with "iTLZero", else "9:05"; 12-hour "09:05a" with "iTLZero", else " 9:05a".
std::string FormatTimeShort(TimeOfDay time, const DateText& text);
// 24-hour "09:05"; 12-hour "09:05 am".
std::string FormatTimePadded(TimeOfDay time, const DateText& text);

// Durations in minutes: "1:30" from an hour up, ":45" below. A negative value is taken as a
// clock difference across midnight and raised by whole days (1440) until it is not negative.
std::string FormatDuration(int minutes, const DateText& text);
// "0:45" below an hour, "01:30" below ten hours, FormatDuration from ten hours up.
std::string FormatDurationPadded(int minutes, const DateText& text);
// A signed duration: "-1:30", ":45", and "memo" for 0.
std::string FormatOffset(int minutes, const DateText& text);
// Minutes as hours with two decimals, five characters wide: " 1.50".
std::string FormatHours(int minutes);
std::string FormatNumber(int value);

}  // namespace ploven
