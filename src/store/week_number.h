#pragma once

namespace ploven {

// How weeks are numbered (schedule and user settings "FirstWeekRule", "WeekStartsMon",
// "YearFirstWeekAdjust").
struct WeekRules {
  // Which week of January is week 1: 0 the week containing 1 January, 1 the first full week,
  // 2 the week containing 4 January (the first week with four days in the new year). Any
  // other value counts as 0.
  int firstWeekRule = 0;
  bool weekStartsMonday = false;
  // Moves the start of the 4-4-5 year by whole weeks; week numbers do not use it.
  int yearFirstWeekAdjust = 0;
};

// The first day (Sunday or Monday) of the week that holds the day.
int WeekStart(int day, const WeekRules& rules);

// The week number 1..53. A day before the first week of its year belongs to the last week (52
// or 53) of the previous year; a day in the week that is week 1 of the next year (late
// December under rules 0 and 2) is week 1, so a calendar week never carries two numbers.
// Answers 0 for a day outside 1..32767.
int WeekOfYear(int day, const WeekRules& rules);

// The 4-4-5 calendar: each year is four thirteen-week quarters, and each quarter three periods
// ("months") of 4, 4 and 5 weeks. The 4-4-5 year y starts on the first Sunday on or after
// 1 January of y (the Monday after it when weeks start on Monday), moved by
// yearFirstWeekAdjust weeks (kept within -26..26); a day belongs to the 4-4-5 year whose start
// is the last one on or before it. A year of 53 weeks keeps its 53rd week in period 12 as a
// second fifth week. All answer 0 for a day outside 1..32767.

// The first day of the 4-4-5 year that the day's week is counted from.
int FiscalYearStart445(int day, const WeekRules& rules);
// The 4-4-5 year y that the day belongs to.
int FiscalYear445(int day, const WeekRules& rules);
// Week within the quarter, 1..13.
int QuarterWeek445(int day, const WeekRules& rules);
// Week within the period, 1..5: weeks 1-4 of each quarter are period weeks 1-4 of its first
// period, weeks 5-8 those of the second, weeks 9-13 weeks 1-5 of the third.
int PeriodWeek445(int day, const WeekRules& rules);
// The period number 1..12 within the 4-4-5 year (1-3 the first quarter, and so on).
int PeriodOfYear445(int day, const WeekRules& rules);
// A running period count, 12 per 4-4-5 year, for counting whole periods between two days.
int PeriodIndex445(int day, const WeekRules& rules);

// The first and last day of the 4-4-5 period (the "month" of the 4-4-5 calendar) that holds
// the day: 4, 4 or 5 weeks, and the last period of a 53-week year 6. Both 0 outside 1..32767.
struct Period445 {
  int first = 0;
  int last = 0;
};
Period445 PeriodBounds445(int day, const WeekRules& rules);

}  // namespace ploven
