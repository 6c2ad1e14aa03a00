// The companion's reading of a rule against the schedule's own, and its RRULE against a
// calendar's expansion of it.
#include "plugin/recurrence_dates.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include "recur/beta_qualify.h"

namespace ploven::calendar {
namespace {

constexpr uint8_t Day(int weekday) { return static_cast<uint8_t>(1u << weekday); }  // Sunday 0

uint8_t FreqByte(int code) {
  switch (code) {
    case 0:
      return kFreqDaily;
    case 1:
      return kFreqWeekly;
    case 2:
      return kFreqMonthly;
    default:
      return kFreqYearly;
  }
}

// The days the schedule's own rule gives.
QList<QDate> CoreDates(const RecurrenceRule& r, const QDate& from, const QDate& to) {
  Beta beta;
  beta.freq = FreqByte(r.frequencyCode);
  beta.dayBits = r.dayBits;
  beta.dateBits = r.dateBits;
  beta.interval = static_cast<int16_t>(r.interval);
  beta.startDate = static_cast<DayNumber>(DayNumberOf(r.start));
  beta.endDate = static_cast<DayNumber>(DayNumberOf(r.end));
  QList<QDate> dates;
  for (QDate d = from; d <= to; d = d.addDays(1)) {
    if (QualifiesOn(beta, static_cast<DayNumber>(DayNumberOf(d)), QualifyContext{}))
      dates.append(d);
  }
  return dates;
}

// The days a calendar program gives for the RRULE from its first day.
QList<QDate> CalendarDates(const RuleText& rule, const QDate& until, const QDate& to) {
  QByteArray text = rule.rrule;
  if (until.isValid()) text += ";UNTIL=" + until.toString(QStringLiteral("yyyyMMdd")).toLatin1();
  const icalrecurrencetype recur = icalrecurrencetype_from_string(text.constData());
  icaltimetype start = icaltime_null_time();
  start.is_date = 1;
  start.year = rule.first.year();
  start.month = rule.first.month();
  start.day = rule.first.day();
  icalrecur_iterator* it = icalrecur_iterator_new(recur, start);
  QList<QDate> dates;
  for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
       t = icalrecur_iterator_next(it)) {
    const QDate d(t.year, t.month, t.day);
    if (d > to) break;
    dates.append(d);
  }
  icalrecur_iterator_free(it);
  return dates;
}

struct RuleCase {
  const char* name;
  RecurrenceRule rule;
  const char* rrule;  // empty: no RRULE, the dates go as RDATEs
};

class Rules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rules, DatesAgreeWithTheScheduleAndTheCalendar) {
  const RecurrenceRule& rule = GetParam().rule;
  const QDate to = rule.start.addYears(3);
  const std::optional<QList<QDate>> mine = RuleDates(rule, rule.start, to);
  ASSERT_TRUE(mine);
  EXPECT_EQ(*mine, CoreDates(rule, rule.start, to));
  const std::optional<RuleText> text = RRuleOf(rule);
  if (*GetParam().rrule == '\0') {
    EXPECT_FALSE(text) << text->rrule.toStdString();
    return;
  }
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rrule, GetParam().rrule);
  ASSERT_FALSE(mine->isEmpty());
  EXPECT_EQ(text->first, mine->front());
  EXPECT_EQ(CalendarDates(*text, rule.end, to), *mine);
  // And another program's RRULE of it reads back as the same days.
  const std::optional<RecurrenceRule> back = RuleFromRRule(text->rrule, text->first, rule.end);
  ASSERT_TRUE(back);
  EXPECT_EQ(RuleDates(*back, rule.start, to), mine);
}

const QDate kMonday(2026, 12, 7);
const QDate kThursday(2026, 12, 10);

INSTANTIATE_TEST_SUITE_P(
    Kinds, Rules,
    ::testing::Values(
        RuleCase{"Daily", {0, 0, 0, 3, kThursday, {}}, "FREQ=DAILY;INTERVAL=3"},
        RuleCase{"WeeklyMonWedEvery2",
                 {1, Day(1) | Day(3), 0, 2, kMonday, {}},
                 "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE"},
        // Weeks counted from a Thursday start: the calendar's week starts there too.
        RuleCase{"WeeklyFromThursday",
                 {1, Day(1) | Day(5), 0, 2, kThursday, QDate(2027, 8, 1)},
                 "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR;WKST=TH"},
        RuleCase{"WeeklyOnTheStartDay", {1, 0, 0, 3, kThursday, {}}, "FREQ=WEEKLY;INTERVAL=3"},
        RuleCase{"MonthlyDatesAndLast",
                 {2, 0, (1u << 0) | (1u << 14) | (1u << 30), 1, kThursday, {}},
                 "FREQ=MONTHLY;BYMONTHDAY=1,15,-1"},
        RuleCase{"MonthlySameDay", {2, 0, 0, 2, QDate(2026, 1, 31), {}}, "FREQ=MONTHLY;INTERVAL=2"},
        RuleCase{"MonthlyFirstMondayAndLastFriday",
                 {2, Day(5), 0x80000000u | (1u << 1), 1, kMonday, {}},
                 "FREQ=MONTHLY;BYDAY=1MO,-1FR"},
        RuleCase{"Yearly", {5, 0, 0, 1, QDate(2028, 2, 29), {}}, "FREQ=YEARLY"},
        // The 30th stands in for the last day of February: no list of month days says that.
        RuleCase{"MonthlyThirtieth", {2, 0, 1u << 29, 1, kThursday, {}}, ""},
        // Every second month counted from the 10th is not every second calendar month.
        RuleCase{"MonthlyEverySecondFromMidMonth", {2, 0, 1u << 4, 2, kThursday, {}}, ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RulesTheRecordCannotTell, FourFourFivePeriodsHaveNoDates) {
  const RecurrenceRule fifthWeek{2, 0x80 | Day(5), 1u << 5, 1, kMonday, {}};
  EXPECT_FALSE(RuleDates(fifthWeek, kMonday, kMonday.addYears(1)));
  EXPECT_FALSE(RRuleOf(fifthWeek));
}

TEST(RulesFromOtherPrograms, PartsPlovenCannotHoldAreRefused) {
  EXPECT_FALSE(RuleFromRRule("FREQ=MONTHLY;BYDAY=MO;BYSETPOS=2", kMonday, {}));
  EXPECT_FALSE(RuleFromRRule("FREQ=HOURLY", kMonday, {}));
  EXPECT_FALSE(RuleFromRRule("FREQ=DAILY;BYDAY=MO", kMonday, {}));
  const auto counted = RuleFromRRule("FREQ=WEEKLY;BYDAY=MO,WE;COUNT=4", kMonday, {});
  ASSERT_TRUE(counted);
  EXPECT_EQ(counted->end, QDate(2026, 12, 16));  // Mon 7, Wed 9, Mon 14, Wed 16
}

}  // namespace
}  // namespace ploven::calendar
