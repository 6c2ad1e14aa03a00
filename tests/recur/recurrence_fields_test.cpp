#include "recur/expansion_fixture.h"
#include "store/recurrence_fields.h"

namespace ploven::test {
namespace {

TEST_F(RecurTest, RuleFieldsReadThroughTheItemOrItsEditedOccurrences) {
  Beta rule = Daily(kToday, 2, kToday + 20);
  rule.freq |= kBringForwardShiftStart;
  rule.dayBits = 0x22;
  rule.dateBits = 0x5;
  rule.betaOptions = kOptionSeasonal;
  const ActHandle h = Recurring("Walk", rule);
  Keep(kToday + 2);
  const ActHandle drone = CloneToDrone(r, Clone(h, kToday + 2));
  const ActHandle own = Fixed("Own", kToday, At(10), 30);

  for (ActHandle item : {h, drone}) {
    EXPECT_EQ(RecurringItemOf(s, item), h);
    EXPECT_EQ(GetBetaFreq(s, item), kFreqDaily | kBringForwardShiftStart);
    EXPECT_EQ(GetBetaDayBits(s, item), 0x22);
    EXPECT_EQ(GetBetaInterval(s, item), 2);
    EXPECT_EQ(GetBetaDateBits(s, item), 0x5u);
    EXPECT_EQ(GetBetaOptions(s, item), kOptionSeasonal);
  }
  // The series' dates are read through the series only.
  EXPECT_EQ(GetBetaStartDate(s, h), kToday);
  EXPECT_EQ(GetBetaEndDate(s, h), kToday + 20);
  EXPECT_EQ(GetBetaStartDate(s, drone), kNoDate);
  for (ActHandle item : {own, kNoAct}) {
    EXPECT_EQ(RecurringItemOf(s, item), kNoAct);
    EXPECT_EQ(RecurrenceOf(s, item), nullptr);
    EXPECT_EQ(GetBetaFreq(s, item), 0);
    EXPECT_EQ(GetBetaStartDate(s, item), kNoDate);
  }

  RaiseBetaLastDone(s, drone, kToday + 4);
  RaiseBetaLastDone(s, h, kToday + 2);  // never back
  EXPECT_EQ(GetBetaLastDone(s, drone), kToday + 4);

  Terminal& day = Keep(kToday + 4);
  EXPECT_EQ(ClonesOnDay(s, day, drone), 1);
  EXPECT_EQ(ClonesOnDay(s, day, own), 0);
  EXPECT_EQ(nCloneTasksAdjust(s, kToday + 4, -1), 0);
  EXPECT_EQ(nCloneTasksAdjust(s, kToday + 4, 1), 1);
  EXPECT_EQ(BetaChainAt(s, 0), h);
  EXPECT_EQ(BetaChainAt(s, 1), kNoAct);
}

}  // namespace
}  // namespace ploven::test
