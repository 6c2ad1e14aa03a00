#include "done/sleep_report.h"

#include <gtest/gtest.h>

namespace ploven::test {
namespace {

constexpr DayNumber kDay = 17144;

DoneLogFields Done(DayNumber day, TimeOfDay start, int duration) {
  DoneLogFields f;
  f.day = day;
  f.start = start;
  f.duration = duration;
  return f;
}

ReportFormat Format() {
  ReportFormat f;
  f.date = [](DayNumber d) { return "d" + std::to_string(d); };
  f.duration = [](int m) { return std::to_string(m / 60) + "h" + std::to_string(m % 60); };
  return f;
}
std::string Time(TimeOfDay t) {
  return std::to_string((t - 1) / 60) + ":" + std::to_string((t - 1) % 60);
}

TEST(SleepReportTest, ANightRunsFromTheLastEndToTheNextFirstStart) {
  const std::vector<DoneLogFields> work = {
      Done(kDay, ClockTime(8, 0), 60),       Done(kDay, ClockTime(21, 0), 90),  // ends 22:30
      Done(kDay, ClockTime(14, 0), 30),      Done(kDay + 1, ClockTime(7, 15), 30),
      Done(kDay + 1, ClockTime(6, 45), 10),   // the first start of the next day
      Done(kDay + 1, ClockTime(23, 30), 60),  // runs past midnight: ends 0:30
      Done(kDay + 2, ClockTime(5, 0), 15),
  };
  const std::vector<SleepNight> nights = SleepNights(work, kDay, kDay + 2);
  ASSERT_EQ(nights.size(), 3u);
  EXPECT_EQ(nights[0].lastEnd, 22 * 60 + 30);
  EXPECT_EQ(nights[0].firstStart, 6 * 60 + 45);
  EXPECT_EQ(nights[0].minutes(), 8 * 60 + 15);
  EXPECT_EQ(nights[1].lastEnd, 24 * 60 + 30);
  EXPECT_EQ(nights[1].minutes(), 4 * 60 + 30);  // 0:30 to 5:00
  EXPECT_FALSE(nights[2].known());              // nothing the day after
  EXPECT_EQ(nights[2].minutes(), 0);
}

TEST(SleepReportTest, ItemsWithoutABeganTimeSayNothingAboutTheNight) {
  DoneLogFields memo = Done(kDay, ClockTime(23, 0), 60);
  memo.noBeganTime = true;
  const std::vector<SleepNight> nights = SleepNights(
      {memo, Done(kDay + 1, kNoTime, 30), Done(kDay + 1, ClockTime(7, 0), 5)}, kDay, kDay);
  EXPECT_FALSE(nights[0].known());
  EXPECT_EQ(nights[0].firstStart, 7 * 60);
  EXPECT_TRUE(SleepNights({}, kDay, kDay - 1).empty());
}

TEST(SleepReportTest, TheReportListsEachNightAndTheAverageOfTheKnownOnes) {
  const std::vector<DoneLogFields> work = {
      Done(kDay, ClockTime(22, 0), 60), Done(kDay + 1, ClockTime(7, 0), 60),
      Done(kDay + 1, ClockTime(21, 0), 60), Done(kDay + 2, ClockTime(6, 0), 30)};
  const ReportText r = SleepReport(SleepNights(work, kDay, kDay + 2), Format(), Time);
  EXPECT_EQ(r.caption, "Sleep Report (last 30 nights)");
  EXPECT_NE(r.text.find("d17144\t8h0\t(23:0 to 7:0)\n"), std::string::npos) << r.text;
  EXPECT_NE(r.text.find("d17145\t8h0\t(22:0 to 6:0)\n"), std::string::npos) << r.text;
  EXPECT_NE(r.text.find("d17146\t-\t(no done items with times)\n"), std::string::npos);
  EXPECT_NE(r.text.find("Average of 2 nights:\t8h0\n"), std::string::npos);
  EXPECT_NE(SleepReport({}, Format(), Time).text.find("nothing to average"), std::string::npos);
}

}  // namespace
}  // namespace ploven::test
