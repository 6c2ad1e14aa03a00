#include <gtest/gtest.h>

#include "platform/program_clock.h"

namespace ploven::test {
namespace {

constexpr DayNumber kTuesday = 17144;
constexpr TimeOfDay At(int h, int m = 0) { return static_cast<TimeOfDay>(h * 60 + m + 1); }

TEST(ProgramClockTest, TicksReportMinuteAndDateChanges) {
  SettableClock system(kTuesday, At(23, 58));
  ProgramClock clock(system);
  EXPECT_EQ(clock.Today(), kTuesday);
  const TimeOfDay dayEnd = At(23);
  EXPECT_FALSE(clock.Tick(dayEnd).minuteChanged);
  system.Set(kTuesday, At(23, 59));
  ClockTick t = clock.Tick(dayEnd);
  EXPECT_TRUE(t.minuteChanged);
  EXPECT_FALSE(t.dateChanged);
  system.Set(kTuesday + 1, At(0, 0));
  t = clock.Tick(dayEnd);
  EXPECT_TRUE(t.minuteChanged);
  EXPECT_TRUE(t.dateChanged);
  EXPECT_EQ(clock.Today(), kTuesday + 1);
}

TEST(ProgramClockTest, MidnightShiftKeepsTheDayUntilTheShiftedMidnight) {
  SettableClock system(kTuesday, At(23, 30));
  ProgramClock clock(system);
  const TimeOfDay twoAfterMidnight = static_cast<TimeOfDay>(At(2) + 1440);
  clock.Tick(twoAfterMidnight);
  EXPECT_FALSE(clock.Shifted());

  system.Set(kTuesday + 1, At(0, 30));
  ClockTick t = clock.Tick(twoAfterMidnight);
  EXPECT_FALSE(t.dateChanged);
  EXPECT_TRUE(clock.Shifted());
  EXPECT_EQ(clock.Today(), kTuesday);
  EXPECT_EQ(clock.Now(), At(0, 30) + 1440);

  system.Set(kTuesday + 1, At(2, 0));
  t = clock.Tick(twoAfterMidnight);
  EXPECT_TRUE(t.dateChanged);
  EXPECT_FALSE(clock.Shifted());
  EXPECT_EQ(clock.Today(), kTuesday + 1);
  EXPECT_EQ(clock.Now(), At(2, 0));
}

}  // namespace
}  // namespace ploven::test
