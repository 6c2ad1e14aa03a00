#include "engine/balance_day_fixture.h"
#include "engine/balance_day_messages.h"

namespace ploven::test {
namespace {

TEST_F(DayBalanceTest, IncreaseLoadBringsTheFirstEligibleItemInPriorityOrder) {
  const DayNumber later = kToday + 6;
  Fluid("A1 Mondays", later, 60, [](Act& a) { a.weekdays = 1u << 1; });
  Fluid("A2 not yet", later, 60, [&](Act& a) { a.earliestDate = kToday + 3; });
  const ActHandle before = Fluid("A3 today", kToday, 60);
  const ActHandle comes = Fluid("A4", later, 60);
  Fluid("A5", later, 60);
  EXPECT_TRUE(IncreaseLoad(engine, kTomorrow));
  EXPECT_EQ(s.ReadAct(comes).ddate, kTomorrow);
  EXPECT_EQ(s.ReadAct(before).ddate, kToday);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 A4"}));
  EXPECT_EQ(Day(later), (Lines{"7:00 A1 Mondays", "8:00 A2 not yet", "9:00 A5"}));
}

TEST_F(DayBalanceTest, IncreaseLoadOnTodayNeedsTimeLeftToStartByTheLatestStart) {
  // Now is 9:00.
  Fluid("A1 by 9:30", kToday + 2, 60, [](Act& a) { a.latestTime = DayBalanceTest::At(9, 30); });
  const ActHandle comes =
      Fluid("A2 by 10:00", kToday + 2, 60, [](Act& a) { a.latestTime = DayBalanceTest::At(10); });
  EXPECT_TRUE(IncreaseLoad(engine, kToday));
  EXPECT_EQ(Day(kToday), (Lines{"9:00 A2 by 10:00"}));
  EXPECT_EQ(s.ReadAct(comes).ddate, kToday);
}

TEST_F(DayBalanceTest, IncreaseLoadRefusesArchivedDatesAndSaysSoOutsideBalanceDay) {
  const ActHandle h = Fluid("A1", kTomorrow, 60);
  s.header().setLastArchivedDate(kToday - 1);
  engine.busy().balanceDay = true;
  EXPECT_FALSE(IncreaseLoad(engine, kToday - 2));
  EXPECT_TRUE(env.ui.boxes.empty());
  engine.busy().balanceDay = false;
  EXPECT_FALSE(IncreaseLoad(engine, kToday - 2));
  EXPECT_TRUE(env.ui.Showed(balance_day_text::kIncreaseLoadNotPossible));
  EXPECT_EQ(s.ReadAct(h).ddate, kTomorrow);
}

}  // namespace
}  // namespace ploven::test
