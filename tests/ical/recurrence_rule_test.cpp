#include "ical/recurrence_rule.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <random>

#include "ical_fixture.h"

namespace ploven::test {
namespace {

struct RuleCase {
  const char* name;
  Beta beta;
  std::optional<std::string> rule;
};

Beta With(Beta b, uint8_t dayBits, uint32_t dateBits, uint8_t options = 0) {
  b.dayBits = dayBits;
  b.dateBits = dateBits;
  b.betaOptions = options;
  return b;
}

const DayNumber kThursday = Day(2026, 12, 10);
const DayNumber kFirst = Day(2026, 12, 1);
constexpr uint32_t kLast = kDateBitLast;
constexpr uint32_t kWeeks = kDateBitsLastWeek;

class RuleOfTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleOfTest, SaysWhatTheRecordDoesOrNothing) {
  const RuleCase& c = GetParam();
  const DayNumber start = c.beta.startDate;
  EXPECT_EQ(RuleOf(c.beta, start), c.rule);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RuleOfTest,
    ::testing::Values(
        RuleCase{"Daily", Rule(kFreqDaily, 1, kThursday), "FREQ=DAILY"},
        RuleCase{"EveryThirdDay", Rule(kFreqDaily, 3, kThursday), "FREQ=DAILY;INTERVAL=3"},
        RuleCase{"NoKindIsDaily", Rule(0, 1, kThursday), "FREQ=DAILY"},
        RuleCase{"Weekdays", With(Rule(kFreqWeekly, 1, kThursday), 0x0a, 0),
                 "FREQ=WEEKLY;BYDAY=MO,WE"},
        // Blocks of seven days from the start: the rule's week starts on the start's weekday.
        RuleCase{"EveryOtherWeek", With(Rule(kFreqWeekly, 2, kThursday), 0x22, 0),
                 "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR;WKST=TH"},
        RuleCase{"EveryOtherWeekWithinAMondayWeek", With(Rule(kFreqWeekly, 2, kThursday), 0x50, 0),
                 "FREQ=WEEKLY;INTERVAL=2;BYDAY=TH,SA"},
        RuleCase{"WeeklyOnTheStartsDay", Rule(kFreqWeekly, 3, kThursday), "FREQ=WEEKLY;INTERVAL=3"},
        RuleCase{"Dates", With(Rule(kFreqMonthly, 1, kThursday), 0, 1u | (1u << 14) | kLast),
                 "FREQ=MONTHLY;BYMONTHDAY=1,15,-1"},
        RuleCase{"ThirtiethWithLast", With(Rule(kFreqMonthly, 1, kThursday), 0, (1u << 29) | kLast),
                 "FREQ=MONTHLY;BYMONTHDAY=30,-1"},
        RuleCase{"ThirtiethAloneFallsOnFebruarysLastDay",
                 With(Rule(kFreqMonthly, 1, kThursday), 0, 1u << 29), std::nullopt},
        RuleCase{"EveryOtherMonthFromTheFirst",
                 With(Rule(kFreqMonthly, 2, kFirst), 0, (1u << 4) | (1u << 19)),
                 "FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=5,20"},
        RuleCase{"EveryOtherMonthCountedFromTheTenth",
                 With(Rule(kFreqMonthly, 2, kThursday), 0, (1u << 4) | (1u << 19)), std::nullopt},
        RuleCase{"EmptyGridIsTheStartsDay", Rule(kFreqMonthly, 4, kThursday),
                 "FREQ=MONTHLY;INTERVAL=4"},
        RuleCase{"WeeksOfTheMonth",
                 With(Rule(kFreqMonthly, 1, kThursday), 1u << 5, kWeeks | (1u << 2) | (1u << 19)),
                 "FREQ=MONTHLY;BYDAY=1TU,3FR,-1FR"},
        RuleCase{"FourFourFive",
                 With(Rule(kFreqMonthly, 1, kThursday), kDayBitsFifthWeek | 0x20, kWeeks | 4u),
                 std::nullopt},
        RuleCase{"NearestWeekday",
                 With(Rule(kFreqMonthly, 1, kThursday), 0x3e, 1u << 14, kOptionNearestDay),
                 std::nullopt},
        RuleCase{"FullMoons", With(Rule(kFreqDaily, 1, kThursday), 0, 0, kOptionFullMoons),
                 std::nullopt},
        RuleCase{"Seasonal", With(Rule(kFreqDaily, 1, kThursday), 0, 0, kOptionSeasonal),
                 std::nullopt},
        RuleCase{"EveryOtherYear", Rule(kFreqYearly, 2, kThursday), "FREQ=YEARLY;INTERVAL=2"}),
    [](const auto& tp) { return std::string(tp.param.name); });

// The rule's own dates, as a calendar program reads them, from the first occurrence.
std::set<int> RuleDates(const std::string& rule, DayNumber first, DayNumber last) {
  std::set<int> dates;
  icalrecurrencetype rt = icalrecurrencetype_from_string(rule.c_str());
  const CalendarDate d = SplitDay(first);
  icaltimetype start{};
  start.is_date = 1;
  start.year = d.year;
  start.month = d.month;
  start.day = d.day;
  icalrecur_iterator* it = icalrecur_iterator_new(rt, start);
  for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
       t = icalrecur_iterator_next(it)) {
    const int day = MakeDay(t.month, t.day, t.year);
    if (day > last) break;
    dates.insert(day);
  }
  icalrecur_iterator_free(it);
  return dates;
}

// Every record the rule can say gives, over ten years, the dates the rule gives.
TEST(RuleOfEquivalence, TenYearsOfEveryRuleItWritesMatchPlovensDates) {
  std::mt19937 random(20261208);
  const QualifyContext context{Day(2026, 12, 8)};
  int said = 0;
  for (int n = 0; n < 600; ++n) {
    Beta b;
    const int kind = static_cast<int>(random() % 5);
    b.interval = static_cast<int16_t>(1 + random() % 4);
    b.startDate = static_cast<DayNumber>(Day(2024, 1, 1) + random() % 1200);
    switch (kind) {
      case 0:
        b.freq = kFreqDaily;
        break;
      case 1:
        b.freq = kFreqWeekly;
        b.dayBits = static_cast<uint8_t>(random() % 128);
        break;
      case 2:
        b.freq = kFreqMonthly;
        b.dateBits = static_cast<uint32_t>(random()) & 0x7fffffffu;
        if (random() % 2) b.dateBits &= (1u << (random() % 31)) | (1u << (random() % 31)) | kLast;
        break;
      case 3:
        b.freq = kFreqMonthly;
        b.dateBits = kWeeks | (static_cast<uint32_t>(random()) & (1u << (random() % 28)));
        b.dayBits = static_cast<uint8_t>(random() % 2 ? 1u << (random() % 7) : 0);
        break;
      default:
        b.freq = kFreqYearly;
        break;
    }
    const auto rule = RuleOf(b, b.startDate);
    if (!rule) continue;
    ++said;
    const DayNumber last = static_cast<DayNumber>(b.startDate + 3653);
    std::set<int> expected;
    Beta probe = b;
    for (int d = b.startDate; d <= last; ++d)
      if (QualifiesOn(probe, static_cast<DayNumber>(d), context)) expected.insert(d);
    if (expected.empty()) continue;
    EXPECT_EQ(RuleDates(*rule, static_cast<DayNumber>(*expected.begin()), last), expected)
        << *rule << " from " << b.startDate;
  }
  EXPECT_GT(said, 400);
}

}  // namespace
}  // namespace ploven::test
