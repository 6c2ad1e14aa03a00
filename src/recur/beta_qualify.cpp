#include "recur/beta_qualify.h"

#include "recur/month_rules.h"
#include "recur/moon.h"
#include "store/calendar.h"
#include "store/week_number.h"

namespace ploven {
namespace {

int PositiveMod(int value, int n) { return ((value % n) + n) % n; }

// Floor division, so that blocks of days before the start stay blocks of seven.
int FloorDiv(int value, int n) { return value >= 0 ? value / n : -((-value + n - 1) / n); }

// The day of the year with 1 March always 61: common years skip 29 February.
int SeasonDay(int day) {
  const CalendarDate d = SplitDay(day);
  return d.dayOfYear + (d.month >= 3 && !LeapYear(d.year) ? 1 : 0);
}

bool DailyQualifies(int day, int start, int interval) {
  return interval == 1 || PositiveMod(day - start, interval) == 0;
}

// Weeks are blocks of seven days counted from the start, not calendar weeks.
bool WeeklyQualifies(const Beta& beta, int day, int start, int interval) {
  const uint8_t weekdays = beta.dayBits & kEveryWeekdayBits;
  const int offset = day - start;
  if (weekdays == 0) {
    return PositiveMod(offset, 7) == 0 && PositiveMod(FloorDiv(offset, 7), interval) == 0;
  }
  if ((weekdays & (1u << Weekday(day))) == 0) return false;
  return interval == 1 || PositiveMod(FloorDiv(offset, 7), interval) == 0;
}

// Same month and day as the start; a series from 29 February meets it only in leap years.
bool YearlyQualifies(int day, int start, int interval) {
  const CalendarDate d = SplitDay(day);
  const CalendarDate s = SplitDay(start);
  if (d.month != s.month || d.day != s.day) return false;
  return PositiveMod(d.year - s.year, interval) == 0;
}

// A record that lost its frequency becomes daily, so its occurrences show up and the user can
// notice and edit it.
void HealToDaily(Beta& beta, DayNumber today, bool* healed) {
  beta.freq = static_cast<uint8_t>((beta.freq & ~kFreqKinds) | kFreqDaily);
  if (beta.startDate == 0) beta.startDate = today;
  if (beta.interval == 0) beta.interval = 1;
  if (healed != nullptr) *healed = true;
}

}  // namespace

bool InSeason(const Beta& beta, DayNumber date) {
  // SplitDay answers day-of-year 0 for a missing date: the season then starts with the year,
  // or (as the end) runs to its last day through the wrap-around test.
  const int from = SeasonDay(beta.startDate);
  const int to = SeasonDay(beta.endDate);
  const int day = SeasonDay(date);
  if (from < to) return from <= day && day <= to;
  return day >= from || day <= to;
}

bool QualifiesOn(Beta& beta, DayNumber date, const QualifyContext& context, bool* healed) {
  if (date < 1) return false;
  if ((beta.betaOptions & kOptionSeasonal) != 0 && !context.lightMode && !InSeason(beta, date)) {
    return false;
  }

  const int lo = beta.startDate != 0 ? beta.startDate : context.today;
  const int hi = beta.endDate != 0 ? beta.endDate : kNoEndDate;
  if (date < lo || date > hi) return false;

  if ((beta.betaOptions & kOptionFullMoons) != 0 && !context.lightMode &&
      !IsFullMoonDay(date, context.moonMorning, context.timeZoneBiasMinutes)) {
    return false;
  }

  if ((beta.freq & kFreqKinds) == 0) HealToDaily(beta, context.today, healed);

  const int start = beta.startDate != 0 ? beta.startDate : context.today;
  const int interval = beta.interval < 1 ? 1 : beta.interval;
  if ((beta.freq & kFreqDaily) != 0) return DailyQualifies(date, start, interval);
  if ((beta.freq & kFreqWeekly) != 0) return WeeklyQualifies(beta, date, start, interval);
  if ((beta.freq & kFreqMonthly) != 0) {
    const WeekRules rules{0, context.weekStartsMonday, context.yearFirstWeekAdjust};
    return MonthlyQualifies(beta, date, start, interval, rules);
  }
  return YearlyQualifies(date, start, interval);
}

}  // namespace ploven
