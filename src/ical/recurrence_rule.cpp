#include "ical/recurrence_rule.h"

#include "recur/beta_qualify.h"
#include "store/calendar.h"

namespace ploven {
namespace {

constexpr uint32_t kMonthGridBits = 0x7fffffffu;  // dates 1-30 and "Last", or weeks 1-4
constexpr uint32_t kWeekGridBits = 0x0fffffffu;   // weeks 1-4 by seven weekdays
constexpr uint32_t kDates1To28 = 0x0fffffffu;
constexpr uint32_t kDate29And30 = (1u << 28) | (1u << 29);

std::string WithInterval(std::string rule, int interval) {
  if (interval > 1) rule += ";INTERVAL=" + std::to_string(interval);
  return rule;
}

std::string Weekdays(uint8_t bits, const std::string& position) {
  std::string list;
  for (int d = 0; d < 7; ++d) {
    if (!((bits >> d) & 1)) continue;
    if (!list.empty()) list += ',';
    list += position + kRuleWeekdays[d];
  }
  return list;
}

std::optional<std::string> WeeklyRule(const Beta& b, DayNumber start, int interval) {
  const uint8_t weekdays = b.dayBits & kEveryWeekdayBits;
  std::string rule = WithInterval("FREQ=WEEKLY", interval);
  if (weekdays == 0) return rule;  // every N-th week on the start's weekday
  rule += ";BYDAY=" + Weekdays(weekdays, "");
  // Weeks are blocks of seven days from the start, a rule's weeks begin on WKST (Monday when
  // not given): they agree when no chosen weekday of the block falls in the next Monday week.
  // Only then is WKST left out, as some readers do not know it.
  if (interval > 1) {
    const int s = (Weekday(start) + 6) % 7;  // Monday 0
    bool mondayWeeks = true;
    for (int d = 0; d < 7; ++d)
      if (((weekdays >> d) & 1) && (d + 6) % 7 < s) mondayWeeks = false;
    if (!mondayWeeks) rule += std::string(";WKST=") + kRuleWeekdays[Weekday(start)];
  }
  return rule;
}

// Weeks 1-4 of the month's grid, and the last week in the day bits.
std::optional<std::string> WeekOfMonthRule(const Beta& b, int interval) {
  const uint8_t lastWeek = b.dayBits & kEveryWeekdayBits;
  if ((b.dateBits & kMonthGridBits) == 0 && lastWeek == 0)
    return WithInterval("FREQ=MONTHLY", interval);
  // Bits beyond the four weeks select nothing, yet keep the empty-grid fallback away.
  if ((b.dateBits & kWeekGridBits) == 0 && lastWeek == 0) return std::nullopt;
  std::string days;
  for (int w = 1; w <= 4; ++w) {
    const auto row = static_cast<uint8_t>((b.dateBits >> (7 * (w - 1))) & 0x7f);
    if (row == 0) continue;
    if (!days.empty()) days += ',';
    days += Weekdays(row, std::to_string(w));
  }
  if (lastWeek != 0) {
    if (!days.empty()) days += ',';
    days += Weekdays(lastWeek, "-1");
  }
  return WithInterval("FREQ=MONTHLY", interval) + ";BYDAY=" + days;
}

std::optional<std::string> DateOfMonthRule(const Beta& b, DayNumber start, int interval) {
  const uint32_t grid = b.dateBits & kMonthGridBits;
  if (grid == 0) return WithInterval("FREQ=MONTHLY", interval);
  if ((b.betaOptions & kOptionNearestDay) != 0) return std::nullopt;
  const bool last = (grid & kDateBitLast) != 0;
  // "29" and "30" stand in for the last day of a shorter month; with "Last" chosen too that
  // day is selected anyway, without it no rule says it.
  if ((grid & kDate29And30) != 0 && !last) return std::nullopt;
  int firstDate = 0;
  std::string days;
  for (int d = 1; d <= 30; ++d) {
    if (!(grid & (1u << (d - 1)))) continue;
    if (firstDate == 0) firstDate = d;
    if (!days.empty()) days += ',';
    days += std::to_string(d);
  }
  if (last) days += days.empty() ? "-1" : ",-1";
  // Every N-th month counts whole months from the start's day: a date before that day belongs
  // to the month before, which no rule can say.
  if (interval > 1) {
    const int startDay = DayOfMonth(start);
    if (startDay > 28 || (firstDate != 0 && firstDate < startDay)) return std::nullopt;
  }
  return WithInterval("FREQ=MONTHLY", interval) + ";BYMONTHDAY=" + days;
}

}  // namespace

std::optional<std::string> RuleOf(const Beta& beta, DayNumber start) {
  if ((beta.betaOptions & (kOptionFullMoons | kOptionSeasonal)) != 0) return std::nullopt;
  const int interval = beta.interval < 1 ? 1 : beta.interval;
  const uint8_t kind = beta.freq & kFreqKinds;
  // A record without a kind is read as a daily one.
  if (kind == 0 || (kind & kFreqDaily) != 0) return WithInterval("FREQ=DAILY", interval);
  if ((kind & kFreqWeekly) != 0) return WeeklyRule(beta, start, interval);
  if ((kind & kFreqMonthly) != 0) {
    if ((beta.dayBits & kDayBitsFifthWeek) != 0) return std::nullopt;  // the 4-4-5 periods
    if ((beta.dateBits & kDateBitsLastWeek) != 0) return WeekOfMonthRule(beta, interval);
    return DateOfMonthRule(beta, start, interval);
  }
  return WithInterval("FREQ=YEARLY", interval);
}

}  // namespace ploven
