#include "recur/month_rules.h"

#include "recur/beta_qualify.h"
#include "store/calendar.h"

namespace ploven {
namespace {

constexpr uint32_t kGridBits = 0x7fffffffu;  // dates 1-30 and "Last", or weeks 1-4

int PositiveMod(int value, int n) { return ((value % n) + n) % n; }

bool WeekdayAllowed(uint8_t dayBits, int day) { return (dayBits & (1u << Weekday(day))) != 0; }

bool GridHas(uint32_t dateBits, int week, int weekday) {
  return (dateBits & (1u << (7 * (week - 1) + weekday))) != 0;
}

// Same day of the month as the start, every N calendar months: what a monthly item with an
// empty grid does.
bool MonthFallback(int day, int start, int interval) {
  const CalendarDate d = SplitDay(day);
  const CalendarDate s = SplitDay(start);
  if (d.day != s.day) return false;
  return PositiveMod(12 * (d.year - s.year) + d.month - s.month, interval) == 0;
}

// Walking back from the day before, the distance to the nearest selected date with no allowed
// weekday in between, or 0. An allowed weekday lies within any seven days, so the walk is short.
int SelectedDateBefore(const Beta& beta, int day) {
  for (int k = 1; k <= 7; ++k) {
    if (WeekdayAllowed(beta.dayBits, day - k)) return 0;
    if (IsSelectedDate(beta.dateBits, day - k)) return k;
  }
  return 0;
}

// The same walking forward from the day after.
int SelectedDateAfter(const Beta& beta, int day) {
  for (int k = 1; k <= 7; ++k) {
    if (WeekdayAllowed(beta.dayBits, day + k)) return 0;
    if (IsSelectedDate(beta.dateBits, day + k)) return k;
  }
  return 0;
}

bool DateModeQualifies(const Beta& beta, int day, int start, int interval) {
  if ((beta.dateBits & kGridBits) == 0) return MonthFallback(day, start, interval);
  if ((beta.betaOptions & kOptionNearestDay) == 0) {
    if (interval != 1 && PositiveMod(WholeMonths(start, day), interval) != 0) return false;
    return IsSelectedDate(beta.dateBits, day);
  }
  if (!WeekdayAllowed(beta.dayBits, day)) return false;
  if (!IsSelectedDate(beta.dateBits, day) && !IsNearestWeekday(beta, day)) return false;
  // Counted from a week before the start, so that the first month's occurrence may come up to
  // a week before its date.
  return interval == 1 || PositiveMod(WholeMonths(start - 7, day), interval) == 0;
}

bool LastWeekModeQualifies(const Beta& beta, int day, int start, int interval) {
  if ((beta.dateBits & kGridBits) == 0 && (beta.dayBits & kEveryWeekdayBits) == 0) {
    return MonthFallback(day, start, interval);
  }
  if (interval != 1) {
    const int firstOfStartMonth = start - DayOfMonth(start) + 1;
    if (PositiveMod(WholeMonths(firstOfStartMonth, day), interval) != 0) return false;
  }
  const CalendarDate d = SplitDay(day);
  const int week = (d.day + 6) / 7;
  const bool lastWeek = DaysInMonth(d.month, d.year) - d.day < 7;
  const int weekday = Weekday(day);
  // A day of the last seven may match through its own row and through the "last" row.
  return (week <= 4 && GridHas(beta.dateBits, week, weekday)) ||
         (lastWeek && WeekdayAllowed(beta.dayBits, day));
}

// Weeks of the 4-4-5 calendar, as the calendar and the date picker show them, so that "the
// fifth Friday" of a period is the one the user sees there.
bool FifthWeekModeQualifies(const Beta& beta, int day, int start, int interval,
                            const WeekRules& rules) {
  if ((beta.dateBits & kGridBits) == 0 && (beta.dayBits & kEveryWeekdayBits) == 0) {
    return MonthFallback(day, start, interval);
  }
  if (interval != 1) {
    const int periods = day < start ? 0 : PeriodIndex445(day, rules) - PeriodIndex445(start, rules);
    if (PositiveMod(periods, interval) != 0) return false;
  }
  const int week = PeriodWeek445(day, rules);
  const int weekday = Weekday(day);
  if (week >= 1 && week <= 4) return GridHas(beta.dateBits, week, weekday);
  return week == 5 && WeekdayAllowed(beta.dayBits, day);
}

}  // namespace

int WholeMonths(int a, int b) {
  const CalendarDate from = SplitDay(a);
  const CalendarDate to = SplitDay(b);
  int months = 12 * (to.year - from.year) + to.month - from.month;
  if (b >= a && to.day < from.day) --months;
  if (b < a && from.day < to.day) ++months;
  return months;
}

bool IsSelectedDate(uint32_t dateBits, int day) {
  const CalendarDate d = SplitDay(day);
  if (d.day == 0) return false;
  if ((dateBits & (1u << (d.day - 1))) != 0) return true;
  const int length = DaysInMonth(d.month, d.year);
  if (d.day != length) return false;
  // Dates beyond the end of the month fall on its last day: bit 28 is "29", 29 "30", 30 "Last".
  uint32_t standIns = 1u << 30;
  if (length == 28) standIns |= (1u << 28) | (1u << 29);
  if (length == 29) standIns |= 1u << 29;
  return (dateBits & standIns) != 0;
}

bool IsNearestWeekday(const Beta& beta, int day) {
  const bool onOrAfter = (beta.betaOptions & kOptionOnOrAfter) != 0;
  const bool onOrBefore = (beta.betaOptions & kOptionOnOrBefore) != 0;
  if (onOrAfter && onOrBefore) return false;
  if (onOrAfter) return SelectedDateBefore(beta, day) > 0;
  if (onOrBefore) return SelectedDateAfter(beta, day) > 0;
  // Nearest: the day before the date wins unless an allowed weekday after the date is nearer;
  // the day after it wins only when strictly nearer than any allowed weekday before.
  if (const int k = SelectedDateAfter(beta, day);
      k > 0 && SelectedDateBefore(beta, day + 2 * k) > 0) {
    return true;
  }
  const int k = SelectedDateBefore(beta, day);
  return k > 0 && SelectedDateAfter(beta, day - 2 * k) > 0 &&
         !WeekdayAllowed(beta.dayBits, day - 2 * k);
}

bool MonthlyQualifies(const Beta& beta, int day, int start, int interval, const WeekRules& rules) {
  if ((beta.dayBits & kDayBitsFifthWeek) != 0) {
    return FifthWeekModeQualifies(beta, day, start, interval, rules);
  }
  if ((beta.dateBits & kDateBitsLastWeek) != 0) {
    return LastWeekModeQualifies(beta, day, start, interval);
  }
  return DateModeQualifies(beta, day, start, interval);
}

}  // namespace ploven
