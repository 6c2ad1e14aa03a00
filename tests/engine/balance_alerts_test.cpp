#include "engine/balance_all_days.h"
#include "engine/balance_fixture.h"

namespace ploven::test {
namespace {

class AgedItemTest : public BalanceTest {
 protected:
  ActHandle Aged(const std::string& title, int createdDaysAgo, int touchedDaysAgo) {
    const ActHandle h = Fixed(title, Day(2), At(9), 30);
    Act& a = s.LockAct(h);
    a.createdDate = Day(-createdDaysAgo);
    a.touchedDate = Day(-touchedDaysAgo);
    return h;
  }
};

TEST_F(AgedItemTest, OnlyAnItemUntouchedForOverAYearIsBroughtUp) {
  Aged("recent", 500, 366);
  AgedItemAlert(engine);
  EXPECT_TRUE(env.ui.boxes.empty());
  const ActHandle old = Aged("old", 367, 400);
  Aged("done long ago", 900, 900);
  s.LockAct(s.FindActByTitle("done long ago")).flags |= AF_DONE;
  env.ui.Answer(kIdCustom1 + 2);  // Continue
  AgedItemAlert(engine);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_TRUE(
      env.ui.Showed("over a year ago (on " + Date(-367) + "): it has this Title:\n\"old\""));
  EXPECT_EQ(s.ReadAct(old).createdDate, Day(-367));
}

TEST_F(AgedItemTest, GoToMovesTheAgeOnTwoWeeksAndIgnoreStampsTheItem) {
  const ActHandle h = Aged("old", 400, 380);
  env.ui.Answer(kIdCustom1);
  AgedItemAlert(engine);
  EXPECT_EQ(s.ReadAct(h).createdDate, Day(-386));
  EXPECT_EQ(ui.goneTo, (std::vector<DayNumber>{Day(2)}));

  env.clock.Set(kToday, At(10, 30));
  env.ui.Answer(kIdCustom1 + 1);
  AgedItemAlert(engine);
  EXPECT_EQ(s.ReadAct(h).touchedDate, kToday);
  EXPECT_EQ(s.ReadAct(h).touchedTime, At(10, 30));
}

TEST_F(AgedItemTest, OnlyANormalRunEndsWithTheAlert) {
  Aged("old", 400, 400);
  BalanceAllDays(engine, kBalanceAfterSplitChange);
  EXPECT_TRUE(env.ui.boxes.empty());
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_TRUE(env.ui.Showed("Maybe it's time you decide"));
}

constexpr TimeOfDay Clock(int hour, int minute) {
  return static_cast<TimeOfDay>(hour * 60 + minute + 1);
}

// 17144 × 1440 leaves 14 over 19 and 0 over 10.
struct DueCase {
  int interval;
  TimeOfDay now;
  bool due;
};

class AutoPilotTest : public BalanceTest, public ::testing::WithParamInterface<DueCase> {};

TEST_P(AutoPilotTest, FallsDueOnTheMinutesOfTheInterval) {
  const DueCase c = GetParam();
  engine.settings().autoPilot = true;
  engine.settings().autoPilotInterval = c.interval;
  EXPECT_EQ(AutoPilotDue(engine, kToday, c.now), c.due);
}

INSTANTIATE_TEST_SUITE_P(
    Minutes, AutoPilotTest,
    ::testing::Values(DueCase{10, Clock(0, 0), true}, DueCase{10, Clock(9, 10), true},
                      DueCase{10, Clock(9, 15), false}, DueCase{19, Clock(0, 5), true},
                      DueCase{19, Clock(0, 24), true}, DueCase{19, Clock(0, 0), false},
                      DueCase{0, Clock(0, 0), false}));

TEST_F(BalanceTest, TimersWaitForTheirSettingAWritableScheduleAndNoRun) {
  engine.settings().autoBalanceDay = true;
  engine.settings().balanceDayInterval = 5;
  EXPECT_TRUE(AutoBalanceDayDue(engine, At(9, 5)));
  EXPECT_FALSE(AutoBalanceDayDue(engine, At(9, 6)));
  engine.settings().autoPilotInterval = 10;
  EXPECT_FALSE(AutoPilotDue(engine, kToday, At(9, 10)));  // AutoPilot off
  engine.settings().autoPilot = true;
  EXPECT_TRUE(AutoPilotDue(engine, kToday, At(9, 10)));
  engine.SetBalancingAllDays(true);
  EXPECT_FALSE(AutoPilotDue(engine, kToday, At(9, 10)));
  engine.SetBalancingAllDays(false);
  engine.SetScheduleWritable(false);
  EXPECT_FALSE(AutoPilotDue(engine, kToday, At(9, 10)));
  EXPECT_FALSE(AutoBalanceDayDue(engine, At(9, 5)));
  engine.SetScheduleWritable(true);
  s.header().setMode(1);  // Light Mode
  EXPECT_FALSE(AutoPilotDue(engine, kToday, At(9, 10)));
  EXPECT_FALSE(AutoBalanceDayDue(engine, At(9, 5)));
}

}  // namespace
}  // namespace ploven::test
