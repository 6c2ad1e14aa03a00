#include "store/calendar.h"

#include <algorithm>

namespace ploven {
namespace {

// Days before each month, and the year's length in the last entry.
constexpr std::array<int, 13> kDaysBefore{0,   31,  59,  90,  120, 151, 181,
                                          212, 243, 273, 304, 334, 365};
constexpr std::array<int, 13> kDaysBeforeLeap{0,   31,  60,  91,  121, 152, 182,
                                              213, 244, 274, 305, 335, 366};

const std::array<int, 13>& DaysBefore(int year) {
  return LeapYear(year) ? kDaysBeforeLeap : kDaysBefore;
}

// Remainder that stays in 0..n-1 for negative values too.
int PositiveMod(int value, int n) { return ((value % n) + n) % n; }

bool InRange(int day) { return day >= 1 && day <= kLastDay; }

}  // namespace

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
  if (month < 1 || month > 12) return 0;
  const auto& table = DaysBefore(year);
  return table[month] - table[month - 1];
}

int MakeDay(int month, int day, int year) {
  if (year >= 0 && year < 200) year += 1900;
  if (month < 1 || month > 12 || year < 1 || year > 9999) return 0;
  return day + DaysBefore(year)[month - 1] + (year - 1977) / 4 + 365 * year - 722700;
}

CalendarDate SplitDay(int day) {
  if (!InRange(day)) return {};
  const int k = (day - (day + 1400) / 1461 - 1) / 365;
  CalendarDate date;
  date.year = 1980 + k;
  date.dayOfYear = day - 365 * k - (k + 3) / 4;
  const auto& table = DaysBefore(date.year);
  int month = 1;
  while (month < 12 && table[month] < date.dayOfYear) ++month;
  date.month = month;
  date.day = date.dayOfYear - table[month - 1];
  return date;
}

int DayOfYear(int day) { return SplitDay(day).dayOfYear; }
int YearOf(int day) { return SplitDay(day).year; }
int MonthOf(int day) { return SplitDay(day).month; }
int DayOfMonth(int day) { return SplitDay(day).day; }

int FirstOfYear(int day) {
  if (!InRange(day)) return 0;
  return day - SplitDay(day).dayOfYear + 1;
}

int Weekday(int day) { return PositiveMod(day + 1, 7); }
int WeekdayMondayFirst(int day) { return PositiveMod(day, 7); }

bool WorkWeek::IsWorkday(int day) const {
  return !HasWorkday() || workdays[static_cast<size_t>(Weekday(day))];
}

bool WorkWeek::HasWorkday() const {
  return std::any_of(workdays.begin(), workdays.end(), [](bool b) { return b; });
}

int WorkWeek::NextWorkday(int day) const {
  do {
    ++day;
  } while (!IsWorkday(day));
  return day;
}

int WorkWeek::PrevWorkday(int day) const {
  do {
    --day;
  } while (!IsWorkday(day));
  return day;
}

int NextDayFor(bool workHoursOnly, int day, const WorkWeek& week) {
  return workHoursOnly ? week.NextWorkday(day) : day + 1;
}

int PrevDayFor(bool workHoursOnly, int day, const WorkWeek& week) {
  return workHoursOnly ? week.PrevWorkday(day) : day - 1;
}

bool IsWeekendWeekday(int weekday, int iCountry) {
  switch (iCountry) {
    case 20:
    case 213:
      return weekday == 4 || weekday == 5;
    case 212:
    case 216:
    case 218:
    case 222:
      return weekday == 5 || weekday == 6;
    default:
      return weekday == 6 || weekday == 0;
  }
}

bool IsWeekend(int day, int iCountry) { return IsWeekendWeekday(Weekday(day), iCountry); }

namespace {

// Month and year n months after the given ones; a step beyond any representable year lands
// on year -1, which MakeDay refuses.
void StepMonths(int& month, int& year, int n) {
  constexpr int kMaxStep = 12 * 10000;
  if (n > kMaxStep || n < -kMaxStep) {
    year = -1;
    return;
  }
  const int index = year * 12 + (month - 1) + n;
  if (index < 12) {
    year = -1;
    return;
  }
  year = index / 12;
  month = index % 12 + 1;
}

}  // namespace

int AddMonths(int day, int n) {
  const CalendarDate date = SplitDay(day);
  if (date.month == 0) return 0;
  int month = date.month;
  int year = date.year;
  StepMonths(month, year, n);
  return MakeDay(month, std::min(date.day, DaysInMonth(month, year)), year);
}

int AddMonthsKeepWeekday(int day, int n) {
  const CalendarDate date = SplitDay(day);
  if (date.month == 0) return 0;
  const int position = (date.day - 1) / 7 + 1;  // 1..5
  int month = date.month;
  int year = date.year;
  StepMonths(month, year, n);
  return NthWeekdayOfMonth(position <= 4 ? position : 0, Weekday(day), month, year);
}

int MonthsBetween(int a, int b) {
  const CalendarDate da = SplitDay(a);
  const CalendarDate db = SplitDay(b);
  int months = (db.year - da.year) * 12 + db.month - da.month;
  if (a <= b && db.day < da.day) --months;
  if (a > b && da.day < db.day) ++months;
  return months;
}

int UpcomingDate(int month, int day, int today) {
  const int thisYear = YearOf(today);
  if (month < 1 || month > 12 || day < 1 || day > 31 || thisYear == 0) return 0;
  auto inYear = [&](int year) {
    return MakeDay(month, std::min(day, DaysInMonth(month, year)), year);
  };
  int year = thisYear;
  if (inYear(year) < today) ++year;
  if (inYear(year) > AddMonths(today, 10)) --year;
  return inYear(year);
}

int NthWeekdayOfMonth(int n, int weekday, int month, int year) {
  if (n > 4 || weekday < 0 || weekday > 6 || month < 1 || month > 12) return 0;
  const int first = MakeDay(month, 1, year);
  if (first == 0) return 0;
  if (n >= 1) return first + PositiveMod(weekday - Weekday(first), 7) + 7 * (n - 1);
  const int last = first + DaysInMonth(month, year) - 1;
  return last - PositiveMod(Weekday(last) - weekday, 7);
}

DayAndTime FromTimeT(std::time_t seconds) {
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return {};
  const int day = MakeDay(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
  if (!InRange(day)) return {};
  return {static_cast<DayNumber>(day),
          ClockTime(local.tm_hour, local.tm_min)};
}

std::time_t ToTimeT(int day, TimeOfDay time) {
  const CalendarDate date = SplitDay(day);
  if (date.month == 0) return static_cast<std::time_t>(-1);
  const int minutes = time > 0 ? time - 1 : 0;
  std::tm local{};
  local.tm_year = date.year - 1900;
  local.tm_mon = date.month - 1;
  local.tm_mday = date.day;
  local.tm_hour = minutes / 60;
  local.tm_min = minutes % 60;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

int HourOf(TimeOfDay time) { return (time - 1) / 60; }

TimeOfDay HourStart(TimeOfDay time) { return ClockTime(HourOf(time), 0); }

int ClockMinutes(TimeOfDay time) { return time <= 0 ? 0 : (time - 1) % kMinutesPerDay; }

bool MidnightShiftOn(TimeOfDay earliest, TimeOfDay latest) {
  if (latest <= 0) return false;
  const int latestClock = ClockMinutes(latest);
  return latestClock != 0 && latestClock < ClockMinutes(earliest);
}

TimeOfDay MidnightShiftPoint(TimeOfDay earliest, TimeOfDay latest) {
  return static_cast<TimeOfDay>((ClockMinutes(latest) + ClockMinutes(earliest)) / 2 + 1);
}

TimeOfDay ApplyMidnightShift(TimeOfDay time, TimeOfDay earliest, TimeOfDay latest) {
  if (time < 1 || time > kMinutesPerDay || !MidnightShiftOn(earliest, latest)) return time;
  if (time < MidnightShiftPoint(earliest, latest)) {
    return static_cast<TimeOfDay>(time + kMinutesPerDay);
  }
  return time;
}

}  // namespace ploven
