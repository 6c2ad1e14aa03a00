#include <gtest/gtest.h>

#include "cli_runner.h"

namespace ploven::test {
namespace {

class CalendarCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli(dir, {"new", "a.pln"}).status, 0);
    ASSERT_EQ(RunCli(dir, {"add", "a.pln", "--title", "Dentist", "--date", "2026-12-10", "--start",
                           "14:30", "--fixed", "--duration", "0:45"})
                  .status,
              0);
    ASSERT_EQ(RunCli(dir, {"add", "a.pln", "--title", "Standup", "--start", "9:00", "--fixed",
                           "--recur", "weekly:Mo,We", "--from", "2026-12-07"})
                  .status,
              0);
    ASSERT_EQ(
        RunCli(dir, {"add", "a.pln", "--title", "Taxes", "--deadline", "2026-12-20", "--tier", "B"})
            .status,
        0);
  }
  TempDir dir;
};

TEST_F(CalendarCommandsTest, ExportImportAndAgainBringEachItemOnce) {
  const CliRun out = RunCli(dir, {"export", "--ics", "a.ics", "a.pln"});
  ASSERT_EQ(out.status, 0) << out.err;
  const std::string calendar = ReadText(dir / "a.ics");
  EXPECT_NE(calendar.find("RRULE:FREQ=WEEKLY;BYDAY=MO,WE"), std::string::npos) << calendar;
  EXPECT_NE(calendar.find("BEGIN:VTODO"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "a.icsmap"));
  // The same UIDs at the next export.
  ASSERT_EQ(RunCli(dir, {"export", "--ics", "-", "a.pln"}).out.find("UID:"), calendar.find("UID:"));

  ASSERT_EQ(RunCli(dir, {"new", "b.pln"}).status, 0);
  const CliRun first = RunCli(dir, {"import", "--ics", "a.ics", "b.pln"});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Lines(first.out),
            std::vector<std::string>{"3 items imported, 0 already there, 0 skipped."});
  const CliRun again = RunCli(dir, {"import", "--ics", "a.ics", "b.pln"});
  EXPECT_EQ(Lines(again.out),
            std::vector<std::string>{"0 items imported, 3 already there, 0 skipped."});
  const CliRun items = RunCli(dir, {"items", "b.pln"});
  EXPECT_EQ(Lines(items.out).size(), 3u) << items.out;
}

TEST_F(CalendarCommandsTest, WrongArgumentsAndFilesThatAreNoCalendarAreRefused) {
  EXPECT_EQ(RunCli(dir, {"export", "a.pln"}).status, 2);
  EXPECT_EQ(RunCli(dir, {"import", "--ics", "x.ics"}).status, 2);
  std::ofstream(dir / "plain.txt") << "just some text\n";
  const CliRun refused = RunCli(dir, {"import", "--ics", "plain.txt", "a.pln"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("is not an iCalendar file"), std::string::npos) << refused.err;
  const CliRun missing = RunCli(dir, {"import", "--ics", "missing.ics", "a.pln"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("could not be read"), std::string::npos) << missing.err;
  // A damaged component is listed, the rest comes in.
  std::ofstream(dir / "mixed.ics")
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\n"
         "BEGIN:VEVENT\r\nUID:ok\r\nSUMMARY:Fine\r\nDTSTART:20261211T080000\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nUID:no\r\nSUMMARY:Hourly\r\nDTSTART:20261211T080000\r\n"
         "RRULE:FREQ=HOURLY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  const CliRun mixed = RunCli(dir, {"import", "--ics", "mixed.ics", "a.pln"});
  EXPECT_EQ(mixed.status, 0) << mixed.err;
  ASSERT_EQ(Lines(mixed.out).size(), 2u) << mixed.out;
  EXPECT_EQ(Lines(mixed.out)[0], "1 items imported, 0 already there, 1 skipped.");
  EXPECT_NE(Lines(mixed.out)[1].find("\"Hourly\" (no): its repeat rule (FREQ=HOURLY)"),
            std::string::npos);
}

}  // namespace
}  // namespace ploven::test
