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

TEST_F(RecurCliTest, AnOccurrenceEditedBackToTheSeriesFollowsTheSeriesAgain) {
  const std::string id = Add({"--title", "Standup", "--start", "9:00", "--duration", "0:15",
                              "--fixed", "--recur", "daily", "--until", "2026-12-20"});
  auto kindOn = [&](const std::string& date) {
    const auto lines = Lines(Run({"day", "s.pak", date}).out);
    return lines.size() == 1 ? Fields(lines[0])[3] : "";
  };
  CliRun r = Run({"edit-occurrence", "s.pak", id, "2026-12-11", "--start", "10:00"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Lines(r.out)[0], id);
  EXPECT_EQ(kindOn("2026-12-11"), "drone");
  r = Run({"edit-occurrence", "s.pak", id, "2026-12-11", "--start", "9:00"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out)[0], id);
  EXPECT_EQ(kindOn("2026-12-11"), "clone");
  EXPECT_EQ(Occurrences(id, "2026-12-10", "2026-12-12"),
            (Dates{"2026-12-10", "2026-12-11", "2026-12-12"}));
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");
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

TEST_F(RecurCliTest, WeekOfMonthSeasonalAndFullMoonRules) {
  const std::string board = Add({"--title", "Board", "--recur", "monthly-week:1Tu,lastFr"});
  EXPECT_EQ(Occurrences(board, "2027-01-01", "2027-02-28"),
            (Dates{"2027-01-05", "2027-01-29", "2027-02-02", "2027-02-26"}));
  // The Friday of the fifth week, only in the 5-week month of each 4-4-5 quarter.
  const std::string books = Add({"--title", "Close books", "--recur", "monthly-445:5Fr"});
  EXPECT_EQ(Occurrences(books, "2027-01-01", "2027-12-31"),
            (Dates{"2027-01-01", "2027-04-02", "2027-07-02", "2027-10-01", "2027-12-31"}));
  // Each winter from Christmas through 2 January, inside the range only.
  const std::string ski = Add({"--title", "Ski", "--recur", "daily", "--seasonal", "--from",
                               "2026-12-25", "--until", "2029-01-02"});
  EXPECT_EQ(Occurrences(ski, "2027-01-02", "2027-12-25"), (Dates{"2027-01-02", "2027-12-25"}));
  EXPECT_EQ(Occurrences(ski, "2029-01-01", "2029-12-31"), (Dates{"2029-01-01", "2029-01-02"}));
  // One day at each full moon: twelve in 2027, 29 or 30 days apart.
  const std::string moon = Add({"--title", "Moon walk", "--recur", "daily", "--full-moons"});
  const Dates moons = Occurrences(moon, "2027-01-01", "2027-12-31");
  ASSERT_EQ(moons.size(), 12u);
  EXPECT_EQ(moons.front(), "2027-01-22");
  EXPECT_EQ(moons.back(), "2027-12-13");
}

TEST_F(RecurCliTest, PastOccurrencesFollowTheirBringForwardAction) {
  auto runOn = [&](const char* today, std::vector<std::string> args) {
    args.insert(args.begin(), {"--today", today, "--now", "09:00"});
    const CliRun r = RunCli(dir, args, false);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? std::string() : Lines(r.out)[0];
  };
  const char* before = "2026-12-05";
  runOn(before, {"new", "p.pak"});
  const std::string tidy = runOn(before, {"add", "p.pak", "--title", "Tidy", "--recur", "daily",
                                          "--bring-forward-action", "delete"});
  const std::string read = runOn(before, {"add", "p.pak", "--title", "Read", "--recur",
                                          "daily", "--duration", "0:30"});
  const std::string call = runOn(before, {"add", "p.pak", "--title", "Call", "--recur", "daily",
                                          "--start", "12:00", "--fixed"});
  // A day of occurrences only is made again when needed; this one holds a letter too.
  runOn(before, {"add", "p.pak", "--title", "Letter", "--date", "2026-12-06", "--start",
                 "15:00", "--fixed", "--duration", "0:20"});

  auto day = [&](const std::string& date) {
    Dates rows;
    for (const std::string& line : Lines(Run({"day", "p.pak", date}).out))
      rows.push_back(Fields(line)[3] + " " + Fields(line).back());
    return rows;
  };
  ASSERT_EQ(Run({"bring-forward", "p.pak", "2026-12-08"}).status, 0);
  EXPECT_EQ(day("2026-12-06"), (Dates{"clone Call", "set Letter"}));
  EXPECT_EQ(day("2026-12-08"),
            (Dates{"clone Read", "clone Tidy", "drone Read", "clone Call"}));
  auto occurrences = [&](const std::string& id) {
    const CliRun r = Run({"occurrences", "p.pak", id, "2026-12-06", "2026-12-06"});
    return Lines(r.out);
  };
  EXPECT_EQ(occurrences(tidy), Dates{"2026-12-06\tcancelled"});
  EXPECT_EQ(occurrences(read), Dates{"2026-12-06\tedited"});
  EXPECT_EQ(occurrences(call), Dates{"2026-12-06"});

  // Moving one occurrence needs its date; the series keeps its other dates.
  EXPECT_EQ(Run({"move", "p.pak", call, "2026-12-10"}).status, 1);
  ASSERT_EQ(Run({"move", "p.pak", call, "2026-12-10", "2026-12-09"}).status, 0);
  EXPECT_EQ(day("2026-12-09"), (Dates{"clone Read", "clone Tidy"}));
  EXPECT_EQ(day("2026-12-10"), (Dates{"clone Read", "clone Tidy", "drone Call", "clone Call"}));
  EXPECT_EQ(Run({"check", "p.pak"}).out, "ok\n");
}

TEST_F(RecurCliTest, EndedSeriesGoOnceTheirDaysAreClosed) {
  auto on = [&](const char* today, std::vector<std::string> args) {
    args.insert(args.begin(), {"--today", today, "--now", "09:00"});
    const CliRun r = RunCli(dir, args, false);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? std::string() : Lines(r.out)[0];
  };
  const char* before = "2026-12-01";
  on(before, {"new", "e.pak"});
  on(before, {"add", "e.pak", "--title", "Course", "--recur", "daily", "--until", "2026-12-05"});
  const std::string walk = on(before, {"add", "e.pak", "--title", "Walk", "--recur", "daily"});
  const std::string letter = on(before, {"add", "e.pak", "--title", "Letter", "--date",
                                         "2026-12-06", "--start", "15:00", "--fixed"});
  auto titles = [&] { return Run({"items", "e.pak"}).out; };
  ASSERT_EQ(Run({"done", "e.pak", letter}).status, 0);
  // An occurrence left undone holds its day open like any other item.
  ASSERT_EQ(Run({"archive", "e.pak"}).out, "2026-11-30\n");
  ASSERT_EQ(Run({"done", "e.pak", walk, "2026-12-06"}).status, 0);
  ASSERT_EQ(Run({"archive", "e.pak"}).out, "2026-12-06\n");
  EXPECT_NE(titles().find("Course"), std::string::npos);  // expiry runs as a run starts
  ASSERT_EQ(Run({"balance", "e.pak"}).status, 0);
  EXPECT_EQ(titles().find("Course"), std::string::npos) << titles();
  EXPECT_NE(titles().find("Walk"), std::string::npos);
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
