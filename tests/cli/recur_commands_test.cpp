#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"

namespace ploven::test {
namespace {

class RecurCliTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"new", "s.pak"}).status, 0); }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  std::string Add(std::vector<std::string> options) {
    options.insert(options.begin(), {"add", "s.pak"});
    const CliRun r = Run(options);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  }
  std::vector<std::string> Occurrences(const std::string& id, const std::string& from,
                                       const std::string& to) {
    const CliRun r = Run({"occurrences", "s.pak", id, from, to});
    EXPECT_EQ(r.status, 0) << r.err;
    return Lines(r.out);
  }
  TempDir dir;
};

using Dates = std::vector<std::string>;

TEST_F(RecurCliTest, RulesGiveTheirDates) {
  // Every second 7-day block from Wednesday 9 December, on Mondays and Fridays.
  const std::string standup = Add({"--title", "Standup", "--start", "9:00", "--duration", "0:15",
                                   "--fixed", "--recur", "weekly:Mo,Fr/2", "--from",
                                   "2026-12-09"});
  EXPECT_EQ(Occurrences(standup, "2026-12-01", "2026-12-31"),
            (Dates{"2026-12-11", "2026-12-14", "2026-12-25", "2026-12-28"}));
  // "30" stands in for the last day of February.
  const std::string rent = Add({"--title", "Rent", "--recur", "monthly:30"});
  EXPECT_EQ(Occurrences(rent, "2027-02-01", "2027-04-30"),
            (Dates{"2027-02-28", "2027-03-30", "2027-04-30"}));
  const std::string leap = Add({"--title", "Leap", "--recur", "yearly", "--from", "2028-02-29"});
  EXPECT_EQ(Occurrences(leap, "2028-01-01", "2033-12-31"), (Dates{"2028-02-29", "2032-02-29"}));
}

TEST_F(RecurCliTest, OccurrencesShowOnTheirDaysAndCanBeCancelledOrEdited) {
  const std::string id = Add({"--title", "Standup", "--start", "9:00", "--duration", "0:15",
                              "--fixed", "--recur", "daily", "--until", "2026-12-20"});
  auto day = [&](const std::string& date) { return Lines(Run({"day", "s.pak", date}).out); };
  ASSERT_EQ(day("2026-12-10").size(), 1u);
  EXPECT_EQ(Fields(day("2026-12-10")[0])[3], "clone");
  EXPECT_TRUE(day("2026-12-21").empty());

  ASSERT_EQ(Run({"cancel", "s.pak", id, "2026-12-10"}).status, 0);
  EXPECT_TRUE(day("2026-12-10").empty());

  CliRun r = Run({"edit-occurrence", "s.pak", id, "2026-12-11", "--title", "Long standup",
                  "--start", "10:00", "--duration", "0:45"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto edited = day("2026-12-11");
  ASSERT_EQ(edited.size(), 1u);
  EXPECT_EQ(Fields(edited[0])[0], "10:00");
  EXPECT_EQ(Fields(edited[0])[1], "45");
  EXPECT_EQ(Fields(edited[0])[3], "drone");
  EXPECT_EQ(Fields(edited[0]).back(), "Long standup");

  // Done belongs to that one date: the occurrence becomes an item of its own.
  ASSERT_EQ(Run({"done", "s.pak", id, "2026-12-12"}).status, 0);
  EXPECT_EQ(Run({"done", "s.pak", id}).status, 2);
  EXPECT_EQ(Occurrences(id, "2026-12-09", "2026-12-13"),
            (Dates{"2026-12-09", "2026-12-10\tcancelled", "2026-12-11\tedited",
                   "2026-12-12\tedited", "2026-12-13"}));
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");

  // An occurrence that is not there cannot be cancelled.
  r = Run({"cancel", "s.pak", id, "2026-12-25"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("does not occur on 2026-12-25"), std::string::npos) << r.err;
}

TEST_F(RecurCliTest, DaysShowOccurrenceTitlesAndNearestWeekdays) {
  // On the Monday nearest the 21st of each month.
  const std::string id = Add({"--title", "Pay {dog|cat|mouse}", "--recur", "monthly:21",
                              "--nearest", "Mo", "--from", "2026-12-01"});
  EXPECT_EQ(Occurrences(id, "2027-01-01", "2027-02-28"), (Dates{"2027-01-18", "2027-02-22"}));
  auto title = [&](const std::string& date) {
    const auto lines = Lines(Run({"day", "s.pak", date}).out);
    return lines.size() == 1 ? Fields(lines[0]).back() : std::string("?");
  };
  EXPECT_EQ(title("2026-12-21"), "Pay dog");
  EXPECT_EQ(title("2027-01-18"), "Pay cat");
  EXPECT_EQ(title("2027-02-22"), "Pay mouse");
}

TEST_F(RecurCliTest, BadRulesAreUsageErrors) {
  for (const char* rule : {"hourly", "weekly", "weekly:Xx", "monthly:31", "monthly-week:6Tu",
                           "daily/0", "yearly/100"}) {
    const CliRun r = Run({"add", "s.pak", "--title", "x", "--recur", rule});
    EXPECT_EQ(r.status, 2) << rule;
  }
  EXPECT_EQ(Run({"add", "s.pak", "--title", "x", "--from", "2026-12-09"}).status, 2);
  EXPECT_EQ(Run({"add", "s.pak", "--title", "x", "--recur", "daily", "--from", "2026-12-09",
                 "--until", "2026-12-01"}).status, 1);
}

}  // namespace
}  // namespace ploven::test
