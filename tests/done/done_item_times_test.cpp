#include "done/done_item_times.h"

#include <gtest/gtest.h>

namespace ploven::test {
namespace {

constexpr TimeOfDay At(int hour, int minute = 0) {
  return static_cast<TimeOfDay>(hour * 60 + minute + 1);
}

enum class Change { kBegan, kEnded, kDuration };

struct TimesRow {
  const char* name;
  TimeOfDay began;
  int duration;
  Change change;
  int value;  // the new time or duration
  TimeOfDay wantBegan;
  int wantDuration;
  TimeOfDay wantEnded;
};

class DoneItemTimesTest : public ::testing::TestWithParam<TimesRow> {};

TEST_P(DoneItemTimesTest, KeepsTheThreeConsistent) {
  const TimesRow& r = GetParam();
  DoneItemTimes times(r.began, r.duration);
  switch (r.change) {
    case Change::kBegan:
      times.SetBegan(static_cast<TimeOfDay>(r.value));
      break;
    case Change::kEnded:
      times.SetEnded(static_cast<TimeOfDay>(r.value));
      break;
    case Change::kDuration:
      times.SetDuration(r.value);
      break;
  }
  EXPECT_EQ(times.began(), r.wantBegan);
  EXPECT_EQ(times.duration(), r.wantDuration);
  EXPECT_EQ(times.ended(), r.wantEnded);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DoneItemTimesTest,
    ::testing::Values(
        TimesRow{"BeganMovesEnded", At(9), 30, Change::kBegan, At(10), At(10), 30, At(10, 30)},
        TimesRow{"BeganLateRunsEndedPastMidnight", At(9), 90, Change::kBegan, At(23), At(23), 90,
                 At(0, 30)},
        TimesRow{"EndedSetsDuration", At(9), 30, Change::kEnded, At(11, 15), At(9), 135,
                 At(11, 15)},
        TimesRow{"EndedBeforeBeganAddsADay", At(22), 30, Change::kEnded, At(1), At(22), 180, At(1)},
        TimesRow{"EndedAtBeganIsNoTime", At(9), 30, Change::kEnded, At(9), At(9), 0, At(9)},
        TimesRow{"DurationMovesEnded", At(9), 30, Change::kDuration, 45, At(9), 45, At(9, 45)},
        TimesRow{"DurationAboveADayIsADay", At(9), 30, Change::kDuration, 2000, At(9), 1440, At(9)},
        TimesRow{"NegativeDurationIsNone", At(9), 30, Change::kDuration, -5, At(9), 0, At(9)},
        TimesRow{"ClearedBeganClearsEnded", At(9), 30, Change::kBegan, kNoTime, kNoTime, 30,
                 kNoTime},
        TimesRow{"EndedWithoutBeganKeepsDuration", kNoTime, 30, Change::kEnded, At(11), kNoTime, 30,
                 kNoTime},
        TimesRow{"BeganAgainAfterNoneEndsByDuration", kNoTime, 30, Change::kBegan, At(8), At(8), 30,
                 At(8, 30)},
        TimesRow{"MidnightShiftedBeganIsItsClockTime", At(9), 30, Change::kBegan,
                 At(0, 30) + kMinutesPerDay, At(0, 30) + kMinutesPerDay, 30, At(1)}),
    [](const ::testing::TestParamInfo<TimesRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ploven::test
