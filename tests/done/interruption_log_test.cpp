#include "done/interruption_log.h"

#include <gtest/gtest.h>

#include <fstream>

#include "mock/test_env.h"

namespace ploven::test {
namespace {

constexpr DayNumber kToday = TestEnv::kToday;  // Tuesday 8 December 2026

ReportFormat Format() {
  ReportFormat f;
  f.date = [](DayNumber d) { return "d" + std::to_string(d); };
  f.duration = [](int m) { return std::to_string(m) + "m"; };
  return f;
}
std::string Time(TimeOfDay t) { return "t" + std::to_string(t - 1); }

TEST(InterruptionLogTest, TheLogSitsBesideTheScheduleNamedAfterIt) {
  EXPECT_EQ(InterruptionLogPath("/home/u/plans/work.pak"), "/home/u/plans/work.interruptions.txt");
  EXPECT_EQ(InterruptionLogPath("/home/u/my.plans/work"),
            "/home/u/my.plans/work.interruptions.txt");
}

TEST(InterruptionLogTest, LinesReadBackAsTheyWereWritten) {
  const Interruption call{kToday, ClockTime(9, 30), 15, "Phone\tcall\nfrom Sam"};
  const std::string line = FormatInterruptionLine(call);
  EXPECT_EQ(line, "2026-12-08\t09:30\t15\tPhone call from Sam\n");
  const InterruptionLog log = ParseInterruptionLog(line + "2027-01-01\t00:00\t1440\tFlu\r\n");
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[0], (Interruption{kToday, ClockTime(9, 30), 15, "Phone call from Sam"}));
  EXPECT_EQ(log.entries[1].day, kToday + 24);
  EXPECT_EQ(log.entries[1].at, ClockTime(0, 0));
  EXPECT_EQ(log.damagedLines, 0);
}

TEST(InterruptionLogTest, DamagedLinesAreCountedAndSkipped) {
  const char* damaged[] = {
      "2026-12-08\t09:30\t15",               // no cause
      "2026-02-30\t09:30\t15\tNo such day",  //
      "2026-12-08\t24:00\t15\tNo such time",
      "2026-12-08\t09:30\t0\tNo time taken",
      "2026-12-08\t09:30\t1441\tLonger than a day",
      "2026-12-08\t09:30\tten\tNot a number",
      "08/12/2026\t09:30\t5\tAnother date form",
  };
  std::string text = "2026-12-08\t10:00\t5\tKept\n";
  for (const char* line : damaged) text += std::string(line) + "\n";
  const InterruptionLog log = ParseInterruptionLog(text);
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_EQ(log.entries[0].what, "Kept");
  EXPECT_EQ(log.damagedLines, 7);
}

TEST(InterruptionLogTest, AppendsToTheFileAndRefusesEmptyEntries) {
  TempDir dir;
  PosixFileSystem fs;
  const std::string path = (dir / "work.interruptions.txt").string();
  EXPECT_TRUE(ReadInterruptions(fs, path).entries.empty());
  EXPECT_EQ(AppendInterruption(fs, path, {kToday, ClockTime(9, 0), 10, "Boss"}), 0);
  EXPECT_EQ(AppendInterruption(fs, path, {kToday, ClockTime(11, 0), 5, "Mail"}), 0);
  EXPECT_EQ(AppendInterruption(fs, path, {kToday, ClockTime(11, 0), 5, " \t "}), EINVAL);
  EXPECT_EQ(AppendInterruption(fs, path, {kToday, ClockTime(11, 0), 0, "Nothing"}), EINVAL);
  const InterruptionLog log = ReadInterruptions(fs, path);
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[1].what, "Mail");
  EXPECT_EQ(AppendInterruption(fs, (dir / "missing" / "x.txt").string(),
                               {kToday, ClockTime(9, 0), 10, "Boss"}),
            ENOENT);
}

TEST(InterruptionLogTest, TheReportListsTheDaysAndTotalsByCause) {
  InterruptionLog log;
  log.entries = {{kToday - 1, ClockTime(8, 0), 30, "Boss"},
                 {kToday, ClockTime(9, 0), 10, "Phone"},
                 {kToday, ClockTime(10, 0), 20, "Boss"},
                 {kToday + 1, ClockTime(9, 0), 99, "Tomorrow"}};
  log.damagedLines = 1;
  const ReportText r = InterruptionsReport(log, kToday - 1, kToday, Format(), Time);
  EXPECT_EQ(r.caption, "Interruptions");
  EXPECT_EQ(r.text,
            "d17143  t480\t30m\tBoss\n"
            "d17144  t540\t10m\tPhone\n"
            "d17144  t600\t20m\tBoss\n"
            "\n3 interruptions, 60m in all.\n"
            "\nBy cause:\n"
            "50m\tBoss\n"
            "10m\tPhone\n"
            "\nLines of the log that could not be read (left out): 1\n");
  EXPECT_NE(InterruptionsReport({}, kToday, kToday, Format(), Time)
                .text.find("No interruptions were logged"),
            std::string::npos);
}

}  // namespace
}  // namespace ploven::test
