#pragma once

#include <array>
#include <ctime>

#include "store/date_types.h"

namespace ploven {

// Calendar arithmetic on day numbers (day 1 = Tuesday 1 January 1980).
//
// Day numbers go in and come out as int so that arithmetic near the ends of the range cannot
// wrap silently; a result is a storable DayNumber only when it lies in 1..kLastDay. Functions
// that need the calendar date of a day answer 0 ("no date") for a day outside 1..kLastDay.

inline constexpr int kLastDay = 32767;  // the largest DayNumber: a day in 2069

struct CalendarDate {
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int year = 0;
  int dayOfYear = 0;  // 1..366
};

bool LeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int month, int year);

// The day number of a calendar date; a year below 200 is taken as 1900 + year. The day of the
// month is not checked (day 32 of January is 1 February). Answers 0 for a month outside 1..12
// or a year outside 1..9999.
int MakeDay(int month, int day, int year);
// The calendar date of a day; all zeros for a day outside 1..kLastDay.
CalendarDate SplitDay(int day);

int DayOfYear(int day);
int YearOf(int day);
int MonthOf(int day);
int DayOfMonth(int day);
int FirstOfYear(int day);

// 0 = Sunday .. 6 = Saturday.
int Weekday(int day);
// 0 = Monday .. 6 = Sunday, for weeks that start on Monday.
int WeekdayMondayFirst(int day);

// Which weekdays are workdays (Work Hours Settings), Sunday first.
struct WorkWeek {
  std::array<bool, 7> workdays{false, true, true, true, true, true, false};

  bool IsWorkday(int day) const;
  // The next / previous workday strictly after / before the day. A week without any workday
  // would never end the search, so then every day counts as a workday.
  int NextWorkday(int day) const;
  int PrevWorkday(int day) const;
  bool HasWorkday() const;
};

// The next or previous day an item may use: the next or previous workday for an item limited
// to work hours, otherwise simply the next or previous day.
int NextDayFor(bool workHoursOnly, int day, const WorkWeek& week);
int PrevDayFor(bool workHoursOnly, int day, const WorkWeek& week);

// Weekend days by country code: Thursday and Friday, Friday and Saturday, or Saturday and
// Sunday.
bool IsWeekendWeekday(int weekday, int iCountry);
bool IsWeekend(int day, int iCountry);

// The same day of the month n months later (n may be negative), clamped to the length of the
// target month: 31 January + 1 month is 28 or 29 February.
int AddMonths(int day, int n);
// n months later on the same weekday in the same position within the month: the first to
// fourth Tuesday stays the first to fourth Tuesday; a fifth Tuesday, which most months lack,
// becomes the last Tuesday. A fourth Tuesday that happens to be the last stays the fourth.
int AddMonthsKeepWeekday(int day, int n);
// Signed whole months from a to b: 31 January to 1 March is 1, 1 March to 31 January is -1.
int MonthsBetween(int a, int b);

// The date (month, day) nearest to today as a user typing it without a year means it: this
// year's, or next year's once it has passed, but last year's when that would lie more than ten
// months (AddMonths(today, 10)) ahead. 29 February in a common year falls on 28 February.
// Answers 0 for a month outside 1..12, a day outside 1..31 or a today without a date.
int UpcomingDate(int month, int day, int today);

// The n-th (1..4) given weekday (0 = Sunday) of a month, or the last one when n <= 0. Answers
// 0 for n above 4, a weekday outside 0..6 or a month outside 1..12.
int NthWeekdayOfMonth(int n, int weekday, int month, int year);

struct DayAndTime {
  DayNumber day = kNoDate;
  TimeOfDay time = kNoTime;
};

// Local time of a moment since 1970; the day is 0 when it lies outside 1..kLastDay.
DayAndTime FromTimeT(std::time_t seconds);
// The moment of a local day and time; a time above 1440 runs on into the next day, no time
// (0) is the start of the day. Answers -1 for a day outside 1..kLastDay.
std::time_t ToTimeT(int day, TimeOfDay time);

// The hour of a time of day, (t - 1) / 60; a Midnight Shift time gives 24 and later.
int HourOf(TimeOfDay time);
// The time of day at the start of that hour.
TimeOfDay HourStart(TimeOfDay time);
// Minutes since midnight on the clock, 0..1439, of any time of day (0 counts as midnight).
int ClockMinutes(TimeOfDay time);

// Midnight Shift: when the Latest Time Of Day lies past midnight (its clock time is before
// the Earliest Time Of Day, and is not midnight itself), midnight is delayed until halfway
// between the two clock times, and a time from midnight up to that point belongs to the
// previous day and is held as time + 1440. Both settings are times of day as the schedule
// header holds them; a latest time already stored as time + 1440 is read by its clock time.
bool MidnightShiftOn(TimeOfDay earliest, TimeOfDay latest);
// The delayed midnight as a time of day (1..1440); meaningful only while the shift is on.
TimeOfDay MidnightShiftPoint(TimeOfDay earliest, TimeOfDay latest);
// The time as the schedule holds it: + 1440 when it falls between midnight and the shift
// point while the shift is on; unchanged otherwise (and unchanged when already above 1440).
TimeOfDay ApplyMidnightShift(TimeOfDay time, TimeOfDay earliest, TimeOfDay latest);

}  // namespace ploven
