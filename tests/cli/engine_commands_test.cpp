#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace ploven::test {
namespace {

// The planning commands on a schedule whose day runs 9:00 to 17:00 (today from 9:00 on).
class PlanningCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"new", "s.pak"}).status, 0);
    ASSERT_EQ(Run({"set", "s.pak", "dayStart=9:00", "dayEnd=17:00", "workStart=9:00",
                   "workEnd=17:00"}).status, 0);
  }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  std::string Add(std::vector<std::string> options) {
    options.insert(options.begin(), {"add", "s.pak"});
    const CliRun r = Run(options);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  }
  // The short titles of a day's tasks in order.
  std::vector<std::string> Titles(const std::string& date) {
    std::vector<std::string> out;
    for (const std::string& line : Lines(Run({"day", "s.pak", date}).out))
      out.push_back(Fields(line).back());
    return out;
  }
  std::vector<std::string> DayLines(const std::string& date) {
    return Lines(Run({"day", "s.pak", date}).out);
  }
  TempDir dir;
};

using Names = std::vector<std::string>;

TEST_F(PlanningCliTest, BalancePlacesByPriorityAndSaves) {
  // Entered in the wrong order: the B item took today, the A item had to wait.
  Add({"--title", "Filing", "--flexible", "--tier", "B", "--duration", "8:00"});
  Add({"--title", "Report", "--flexible", "--tier", "A", "--duration", "8:00"});
  ASSERT_EQ(Titles("2026-12-08"), Names{"Filing"});
  const CliRun r = Run({"balance", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Titles("2026-12-08"), Names{"Report"});
  EXPECT_EQ(Titles("2026-12-09"), Names{"Filing"});
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");

  const auto lines = Lines(Run({"priority", "s.pak"}).out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Fields(lines[0])[0], "A1");
  EXPECT_EQ(Fields(lines[0])[2], "2026-12-08");
  EXPECT_EQ(Fields(lines[0])[3], "Report");
  EXPECT_EQ(Fields(lines[1])[0], "B1");
  EXPECT_EQ(Fields(lines[1])[2], "2026-12-09");
}

TEST_F(PlanningCliTest, BalanceConflictsAreToldAndAnsweredByTheOption) {
  // Two full days of A work, and a B item due today that cannot fit behind it.
  Add({"--title", "Big", "--flexible", "--tier", "A", "--duration", "8:00"});
  Add({"--title", "Due today", "--flexible", "--tier", "B", "--duration", "1:00", "--deadline",
       "2026-12-08"});
  CliRun r = Run({"balance", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("conflict: While Balancing All Days"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Due today"), std::string::npos);
  // Skipped: it stays on its deadline date, in conflict.
  const auto today = DayLines("2026-12-08");
  ASSERT_EQ(today.size(), 2u);
  EXPECT_EQ(Fields(today[1]).back(), "Due today");
  EXPECT_EQ(Fields(today[1])[2], "!");

  // A new deadline answers it: the search goes on at that date, skipping the days between.
  r = Run({"balance", "s.pak", "--conflict", "deadline=2026-12-10"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Titles("2026-12-08"), Names{"Big"});
  EXPECT_TRUE(Titles("2026-12-09").empty());
  EXPECT_EQ(Titles("2026-12-10"), Names{"Due today"});
}

TEST_F(PlanningCliTest, BalanceRefusesAnUnknownConflictAnswer) {
  const CliRun r = Run({"balance", "s.pak", "--conflict", "maybe"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--conflict wants"), std::string::npos);
}

TEST_F(PlanningCliTest, PriorityOfAnEmptySchedulePrintsNothing) {
  const CliRun r = Run({"priority", "s.pak"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.empty());
}

TEST_F(PlanningCliTest, PastDaysAreArchivedDoneAndBroughtForward) {
  // Made a week ago, with work entered for the days since.
  auto back = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--today", "2026-11-30", "--now", "09:00"});
    const CliRun r = RunCli(dir, args, false);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  };
  std::filesystem::remove(dir / "s.pak");
  back({"new", "s.pak"});
  const std::string paid = back({"add", "s.pak", "--title", "Paid the rent", "--date",
                                 "2026-12-01", "--start", "10:00", "--duration", "0:30",
                                 "--fixed"});
  back({"add", "s.pak", "--title", "Write up notes", "--date", "2026-12-02", "--start",
        "11:00", "--duration", "1:00", "--fixed"});

  // The first past day is not done yet: nothing is archived.
  CliRun r = Run({"archive", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2026-11-29\n");

  ASSERT_EQ(Run({"done", "s.pak", paid}).status, 0);
  r = Run({"archive", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2026-12-01\n");
  const std::string log = ReadText(dir / "Dec26.log");
  EXPECT_EQ(log, "12/01/26\t10:00 am\t 30\t\tPaid the rent\t\t0\t0.00\t0\r\n") << log;
  EXPECT_EQ(Run({"items", "s.pak"}).out.find("Paid the rent"), std::string::npos);

  // The set-start item of the 2nd stays; a flexible one would come to today.
  ASSERT_EQ(Run({"bring-forward", "s.pak", "2026-12-01"}).status, 0);
  EXPECT_EQ(Titles("2026-12-02").size(), 1u);
  EXPECT_TRUE(Titles("2026-12-08").empty());
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");
}

TEST_F(PlanningCliTest, MovePostponeAndDoneWorkOnOneItem) {
  const std::string id = Add({"--title", "Phone round", "--flexible", "--duration", "0:30"});
  ASSERT_EQ(Run({"move", "s.pak", id, "2026-12-11"}).status, 0);
  EXPECT_EQ(Titles("2026-12-11"), Names{"Phone round"});
  EXPECT_TRUE(Titles("2026-12-08").empty());

  // Back to today, then an hour later than now.
  ASSERT_EQ(Run({"move", "s.pak", id, "2026-12-08"}).status, 0);
  ASSERT_EQ(Run({"postpone", "s.pak", id}).status, 0);
  const auto today = DayLines("2026-12-08");
  ASSERT_EQ(today.size(), 1u);
  EXPECT_EQ(Fields(today[0])[0], "10:00");

  ASSERT_EQ(Run({"done", "s.pak", id}).status, 0);
  // Done: it left the priority index and cannot be postponed.
  EXPECT_TRUE(Run({"priority", "s.pak"}).out.empty());
  const CliRun r = Run({"postpone", "s.pak", id});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("You cannot Postpone a Done item"), std::string::npos) << r.err;
}

TEST_F(PlanningCliTest, UnknownItemsAndDatesAreRefused) {
  EXPECT_EQ(Run({"move", "s.pak", "99", "2026-12-09"}).status, 1);
  EXPECT_EQ(Run({"postpone", "s.pak", "x"}).status, 1);
  const std::string id = Add({"--title", "A", "--flexible"});
  EXPECT_EQ(Run({"move", "s.pak", id, "31/31/31"}).status, 1);
  EXPECT_EQ(Run({"balance-day", "s.pak"}).status, 2);
}

}  // namespace
}  // namespace ploven::test
