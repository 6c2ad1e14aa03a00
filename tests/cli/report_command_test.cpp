#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace ploven::test {
namespace {

// report time: a log of November (archived: a new schedule closes the days before today) and a
// done item of today in the schedule.
class ReportCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"new", "s.pak"}).status, 0);
    std::ofstream((dir / "Nov26.log").string(), std::ios::binary)
        << "11/30/26\t09:00 am\t 45\t\tMail\tAdmin\t0\t2.00\t3\r\n"
        << "11/30/26\tlate\t 60\t\tBroken\tAdmin\t0\t0.00\t0\r\n";
    const CliRun add = Run(
        {"add", "s.pak", "--title", "Plan", "--start", "8:00", "--fixed", "--duration", "1:30"});
    ASSERT_EQ(add.status, 0) << add.err;
    ASSERT_EQ(Run({"done", "s.pak", Lines(add.out)[0]}).status, 0);
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  TempDir dir;
};

TEST_F(ReportCliTest, ByWeekReadsTheLogAndTheScheduleAndTellsTheDamagedLine) {
  const CliRun r = Run(
      {"report", "time", "s.pak", "--from", "2026-11-01", "--to", "2026-12-31", "--by", "week"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "2026-11-30\tAdmin\t0:45\n"
            "2026-12-07\t-\t1:30\n"
            "total\t2:15\texpense 2.00\tmileage 3\n");
  EXPECT_NE(r.err.find("Nov26.log, line 2"), std::string::npos) << r.err;
}

TEST_F(ReportCliTest, CsvByProject) {
  const CliRun r =
      Run({"report", "time", "s.pak", "--from", "2026-11-30", "--to", "2026-12-08", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "project,minutes,hours,items,expense,mileage\n"
            ",90,1.50,1,0.00,0\n"
            "Admin,45,0.75,1,2.00,3\n"
            "total,135,2.25,,2.00,3\n");
}

TEST_F(ReportCliTest, BadArgumentsAreRefused) {
  EXPECT_EQ(Run({"report", "time", "s.pak", "--from", "2026-12-08"}).status, 2);
  EXPECT_EQ(Run({"report", "time", "s.pak", "--from", "2026-12-08", "--to", "2026-12-09", "--by",
                 "month"})
                .status,
            2);
  EXPECT_EQ(Run({"report", "money", "s.pak"}).status, 2);
  EXPECT_EQ(Run({"report", "time", "s.pak", "--from", "2026-12-08", "--to", "2026-12-01"}).status,
            1);
  EXPECT_EQ(Run({"report", "time", "s.pak", "--from", "someday", "--to", "2026-12-01"}).status, 1);
}

}  // namespace
}  // namespace ploven::test
