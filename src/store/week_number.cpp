#include "store/week_number.h"

#include <algorithm>

#include "store/calendar.h"

namespace ploven {
namespace {

int PositiveMod(int value, int n) { return ((value % n) + n) % n; }

// The calendar year of any day, including the days of 1979 that weeks reach back into.
int YearOfAnyDay(int day) {
  if (day >= 1) return YearOf(day);
  int year = 1979;
  while (day < MakeDay(1, 1, year)) --year;
  return year;
}

int FirstWeekStart(int year, const WeekRules& rules) {
  const int jan1 = MakeDay(1, 1, year);
  switch (rules.firstWeekRule) {
    case 1: {
      const int start = WeekStart(jan1, rules);
      return start == jan1 ? jan1 : start + 7;
    }
    case 2:
      return WeekStart(jan1 + 3, rules);
    default:
      return WeekStart(jan1, rules);
  }
}

bool Valid(int day) { return day >= 1 && day <= kLastDay; }

constexpr int kMaxYearFirstWeekAdjust = 26;

}  // namespace

int WeekStart(int day, const WeekRules& rules) {
  return day - (rules.weekStartsMonday ? WeekdayMondayFirst(day) : Weekday(day));
}

int WeekOfYear(int day, const WeekRules& rules) {
  if (!Valid(day)) return 0;
  const int year = YearOf(day);
  if (day >= FirstWeekStart(year + 1, rules)) return 1;
  int first = FirstWeekStart(year, rules);
  if (day < first) first = FirstWeekStart(year - 1, rules);
  return (day - first) / 7 + 1;
}

namespace {

// The first day of the 4-4-5 year y: the first Sunday on or after 1 January (the Monday after
// it when weeks start on Monday), moved by the adjustment in whole weeks.
int Start445(int year, const WeekRules& rules) {
  const int jan1 = MakeDay(1, 1, year);
  const int firstSunday = jan1 + PositiveMod(-Weekday(jan1), 7);
  const int adjust =
      std::clamp(rules.yearFirstWeekAdjust, -kMaxYearFirstWeekAdjust, kMaxYearFirstWeekAdjust);
  return firstSunday + (rules.weekStartsMonday ? 1 : 0) + 7 * adjust;
}

// Whole weeks since the start of the day's 4-4-5 year.
int Weeks445(int day, const WeekRules& rules) { return (day - FiscalYearStart445(day, rules)) / 7; }

}  // namespace

int FiscalYear445(int day, const WeekRules& rules) {
  if (!Valid(day)) return 0;
  int year = YearOfAnyDay(day);
  while (day < Start445(year, rules)) --year;
  while (day >= Start445(year + 1, rules)) ++year;
  return year;
}

int FiscalYearStart445(int day, const WeekRules& rules) {
  if (!Valid(day)) return 0;
  return Start445(FiscalYear445(day, rules), rules);
}

int QuarterWeek445(int day, const WeekRules& rules) {
  if (!Valid(day)) return 0;
  const int weeks = Weeks445(day, rules);
  return weeks >= 52 ? 13 : weeks % 13 + 1;
}

int PeriodWeek445(int day, const WeekRules& rules) {
  const int q = QuarterWeek445(day, rules);
  if (q > 8) return q - 8;
  if (q > 4) return q - 4;
  return q;
}

int PeriodOfYear445(int day, const WeekRules& rules) {
  if (!Valid(day)) return 0;
  const int weeks = Weeks445(day, rules);
  const int w = weeks % 13;
  const int inQuarter = w <= 3 ? 1 : (w <= 7 ? 2 : 3);
  return std::min(12, 3 * (weeks / 13) + inQuarter);
}

int PeriodIndex445(int day, const WeekRules& rules) {
  if (!Valid(day)) return 0;
  return PeriodOfYear445(day, rules) + 12 * (FiscalYear445(day, rules) - 1980);
}

Period445 PeriodBounds445(int day, const WeekRules& rules) {
  if (!Valid(day)) return {};
  const int start = FiscalYearStart445(day, rules);
  const int period = PeriodOfYear445(day, rules);  // 1..12
  const int quarter = (period - 1) / 3;
  const int inQuarter = (period - 1) % 3;  // weeks 0-3, 4-7, 8-12 of the quarter
  constexpr int kFirstWeek[] = {0, 4, 8};
  constexpr int kWeeks[] = {4, 4, 5};
  const int first = start + 7 * (13 * quarter + kFirstWeek[inQuarter]);
  int last = first + 7 * kWeeks[inQuarter] - 1;
  // A 53-week year keeps its last week in period 12.
  if (period == 12 && Valid(last + 1) && FiscalYearStart445(last + 1, rules) == start) last += 7;
  return {first, std::min(last, 32767)};
}

}  // namespace ploven
