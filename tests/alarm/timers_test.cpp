#include "alarm/timers.h"

#include <gtest/gtest.h>

namespace ploven {
namespace {

TEST(Stopwatch, AddsUpItsRunsAndStandsStillWhenStopped) {
  Stopwatch w;
  EXPECT_EQ(w.ElapsedMs(5000), 0);
  w.Start(1000);
  EXPECT_EQ(w.ElapsedMs(3500), 2500);
  w.Stop(4000);
  EXPECT_EQ(w.ElapsedMs(9000), 3000);
  w.Start(10000);
  w.Start(11000);  // a second Start does not restart the run
  EXPECT_EQ(w.ElapsedMs(12000), 5000);
  w.Reset();
  EXPECT_FALSE(w.running());
  EXPECT_EQ(w.ElapsedMs(20000), 0);
}

TEST(Countdown, PausesResumesAndReportsZeroOnce) {
  Countdown c;
  EXPECT_FALSE(c.TakeExpiry(0));  // never started
  c.Start(10000, 0);
  EXPECT_EQ(c.RemainingMs(4000), 6000);
  c.Pause(4000);
  EXPECT_EQ(c.RemainingMs(60000), 6000);
  c.Resume(60000);
  EXPECT_EQ(c.RemainingMs(65000), 1000);
  EXPECT_FALSE(c.TakeExpiry(65000));
  EXPECT_EQ(c.RemainingMs(70000), 0);
  EXPECT_TRUE(c.TakeExpiry(70000));
  EXPECT_FALSE(c.TakeExpiry(71000));
  EXPECT_FALSE(c.running());
  c.Resume(72000);  // nothing left to run
  EXPECT_FALSE(c.running());
  c.Start(1000, 80000);
  EXPECT_TRUE(c.TakeExpiry(81000));  // a new start reports its own zero
}

struct LengthCase {
  const char* text;
  std::optional<int64_t> seconds;
};

class CountdownLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(CountdownLengthTest, ReadsMinutesOrClockTimes) {
  EXPECT_EQ(ParseCountdownLength(GetParam().text), GetParam().seconds) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CountdownLengthTest,
    ::testing::Values(LengthCase{"25", 1500}, LengthCase{" 5 ", 300}, LengthCase{"1:30", 90},
                      LengthCase{"0:45", 45}, LengthCase{"1:00:00", 3600},
                      LengthCase{"24:00:00", 86400}, LengthCase{"24:00:01", std::nullopt},
                      LengthCase{"0", std::nullopt}, LengthCase{"", std::nullopt},
                      LengthCase{"1:60", std::nullopt}, LengthCase{"-5", std::nullopt},
                      LengthCase{"5m", std::nullopt}, LengthCase{"1::2", std::nullopt},
                      LengthCase{"1:2:3:4", std::nullopt}));

TEST(FormatTimerSeconds, ShowsHoursOnlyWhenThereAreAny) {
  EXPECT_EQ(FormatTimerSeconds(0), "0:00");
  EXPECT_EQ(FormatTimerSeconds(65), "1:05");
  EXPECT_EQ(FormatTimerSeconds(3599), "59:59");
  EXPECT_EQ(FormatTimerSeconds(3600 + 62), "1:01:02");
  EXPECT_EQ(FormatTimerSeconds(-3), "0:00");
}

}  // namespace
}  // namespace ploven
