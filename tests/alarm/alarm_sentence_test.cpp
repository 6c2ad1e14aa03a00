#include "alarm/alarm_sentence.h"

#include <gtest/gtest.h>

namespace ploven::test {
namespace {

struct SentenceRow {
  AlarmPoint point;
  bool memo;
  int m;
  bool latest;
  const char* expected;
};

class AlarmSentenceTest : public ::testing::TestWithParam<SentenceRow> {};

TEST_P(AlarmSentenceTest, SaysWhenTheItemBeginsOrEnds) {
  const SentenceRow& row = GetParam();
  EXPECT_EQ(AlarmSentence(row.point, row.memo, row.m, row.latest), row.expected);
}

constexpr AlarmPoint B = AlarmPoint::kBegin;
constexpr AlarmPoint E = AlarmPoint::kEnd;

INSTANTIATE_TEST_SUITE_P(
    EveryBand, AlarmSentenceTest,
    ::testing::Values(SentenceRow{B, true, -30, true, "occur today."},
                      SentenceRow{E, true, 45, false, "occur today."},
                      SentenceRow{B, false, 0, true, "begin now, at the latest."},
                      SentenceRow{E, false, 0, false, "be ending now."},
                      SentenceRow{B, false, -160, false, "begin in 2 hours and 40 minutes."},
                      SentenceRow{E, false, -600, true,
                                  "end in 10 hours and 0 minutes, at the latest."},
                      SentenceRow{B, false, -159, false, "begin in 2 hour and 39 minutes."},
                      SentenceRow{E, false, -61, false, "end in 1 hour and 1 minutes."},
                      SentenceRow{B, false, -60, false, "begin in 60 minutes."},
                      SentenceRow{B, false, -10, true, "begin in 10 minutes, at the latest."},
                      SentenceRow{E, false, -2, false, "end in 2 minutes."},
                      SentenceRow{B, false, -1, false, "begin in 1 minute."},
                      SentenceRow{E, false, -1, true, "end in 1 minute, at the latest."},
                      SentenceRow{B, false, 1, false, "begin 1 minute ago."},
                      SentenceRow{E, false, 1, false, "end 1 minute ago."},
                      SentenceRow{B, false, 2, false, "begin 2 minutes ago."},
                      SentenceRow{E, false, 59, true, "end 59 minutes ago, at the latest."},
                      SentenceRow{B, false, 60, false, "begin 1 hour and 0 minutes ago."},
                      SentenceRow{E, false, 158, false, "end 2 hour and 38 minutes ago."},
                      SentenceRow{B, false, 159, false, "begin over 2 hours ago."},
                      SentenceRow{E, false, 300, true, "end over 5 hours ago, at the latest."}));

}  // namespace
}  // namespace ploven::test
