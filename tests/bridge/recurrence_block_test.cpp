#include "bridge/recurrence_block.h"

#include "bridge/record_fixture.h"
#include "store/calendar.h"

namespace ploven::test {
namespace {

struct FreqCase {
  uint8_t freq;
  int code;
};

class FrequencyCode : public ::testing::TestWithParam<FreqCase> {};

TEST_P(FrequencyCode, MapsTheKindAndPassesOtherBytesThrough) {
  EXPECT_EQ(CalendarFrequencyCode(GetParam().freq), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Rules, FrequencyCode,
                         ::testing::Values(FreqCase{kFreqDaily, 0}, FreqCase{kFreqWeekly, 1},
                                           FreqCase{kFreqMonthly, 2}, FreqCase{kFreqYearly, 5},
                                           // A Bring Forward Action bit: the byte as it stands.
                                           FreqCase{kFreqWeekly | kBringForwardDeleteInstance, 18},
                                           FreqCase{kFreqDaily | kBringForwardShiftStart, 33}));

TEST(RecurrenceBlock, WeeklyMondayAndWednesdayEveryTwoWeeks) {
  Beta rule;
  rule.freq = kFreqWeekly;
  rule.dayBits = (1 << 1) | (1 << 3);
  rule.interval = 2;
  rule.startDate = static_cast<DayNumber>(MakeDay(12, 7, 2026));
  EXPECT_EQ(RecurrenceBlock(rule, 100),
            "1\tnono\t10\tnono\tnono\tnono\tnono\t2\tnono\tnono\tNoEndDate\t7/12/2026\t\tnono\t"
            "nono\t");
}

TEST(RecurrenceBlock, MonthlyDatesWithAnEndDate) {
  Beta rule;
  rule.freq = kFreqMonthly;
  rule.dateBits = 0x4001;
  rule.interval = 1;
  rule.startDate = static_cast<DayNumber>(MakeDay(1, 1, 2027));
  rule.endDate = static_cast<DayNumber>(MakeDay(6, 30, 2027));
  EXPECT_EQ(RecurrenceBlock(rule, 100), "2\tnono\tnono\tnono\tnono\tnono\t16385\t1\tnono\t" +
                                            std::to_string(rule.endDate) +
                                            "\t30/6/2027\t1/1/2027\t\tnono\tnono\t");
}

TEST(RecurrenceBlock, RuleWithoutStartOrWithTheOpenEndStartsTodayAndNeverEnds) {
  Beta rule;
  rule.freq = kFreqDaily;
  rule.interval = 1;
  rule.endDate = kNoEndDate;
  const DayNumber today = static_cast<DayNumber>(MakeDay(3, 2, 2026));
  EXPECT_EQ(RecurrenceBlock(rule, today),
            "0\tnono\tnono\tnono\tnono\tnono\tnono\t1\tnono\tnono\tNoEndDate\t2/3/2026\t\tnono\t"
            "nono\t");
}

TEST_F(RecordTest, BlockOfAnItemAndOfARecurringItem) {
  const ActHandle plain = Item("Call", AF_FIXED, ClockTime(9, 0), 30);
  EXPECT_EQ(RecurrenceBlockOf(s, plain), "norecurring\t");
  const ActHandle series = WeeklyStandup();
  EXPECT_EQ(RecurrenceBlockOf(s, series).substr(0, 10), "1\tnono\t10\t");
}

}  // namespace
}  // namespace ploven::test
