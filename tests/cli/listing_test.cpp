#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli_runner.h"
#include "json_reader.h"

namespace ploven::test {
namespace {

class ListingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"new", "s.pak"}).status, 0); }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  std::string Add(std::vector<std::string> options) {
    options.insert(options.begin(), {"add", "s.pak"});
    const CliRun r = Run(options);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  }
  // Each line of a --json listing, read back; a line that is not JSON fails the test.
  std::vector<Json> JsonLines(const std::vector<std::string>& args) {
    const CliRun r = Run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<Json> out;
    for (const std::string& line : Lines(r.out)) {
      auto parsed = Json::Parse(line);
      EXPECT_TRUE(parsed.has_value()) << line;
      if (parsed) out.push_back(std::move(*parsed));
    }
    return out;
  }
  static std::vector<std::string> Texts(const Json& list) {
    std::vector<std::string> out;
    for (const Json& j : list.list) out.push_back(j.text);
    return out;
  }
  TempDir dir;
};

struct TitleCase {
  const char* name;
  std::string title;
  std::string shown;  // what the JSON reads back
};

class ListingTitleTest : public ListingTest, public ::testing::WithParamInterface<TitleCase> {};

// Whatever a title holds, every line stays JSON and the title reads back as it is stored.
TEST_P(ListingTitleTest, TitlesReadBackFromJson) {
  const TitleCase& c = GetParam();
  const std::string id = Add({"--title", c.title, "--date", "2026-12-09"});
  for (const auto& args : {std::vector<std::string>{"items", "s.pak", "--json"},
                           std::vector<std::string>{"day", "s.pak", "2026-12-09", "--json"}}) {
    const auto items = JsonLines(args);
    ASSERT_EQ(items.size(), 1u) << args[0];
    EXPECT_EQ(items[0]["title"].text, c.shown) << args[0];
    EXPECT_EQ(items[0]["id"].number, std::stod(id));
  }
  // --all keeps one item on one line.
  const CliRun all = Run({"items", "s.pak", "--all"});
  EXPECT_EQ(Lines(all.out).size(), 1u) << all.out;
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ListingTitleTest,
    ::testing::Values(TitleCase{"Quotes", "Say \"hi\"", "Say \"hi\""},
                      TitleCase{"Backslashes", "C:\\notes\\", "C:\\notes\\"},
                      TitleCase{"Tab", "a\tb", "a\tb"},
                      TitleCase{"TwoLines", "First\r\nSecond", "First\r\nSecond"},
                      TitleCase{"Control", std::string("bell\x07"), std::string("bell\x07")},
                      TitleCase{"NonAscii", "Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9F\x8E\x82",
                                "Caf\xC3\xA9 \xE2\x98\x95 \xF0\x9F\x8E\x82"},
                      TitleCase{"InvalidUtf8", "caf\xE9", "caf\xEF\xBF\xBD"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ListingTest, ItemsJsonCarriesEveryFieldByName) {
  ASSERT_EQ(Run({"project", "s.pak", "Garden"}).status, 0);
  const std::string id =
      Add({"--title", "Weed", "--duration", "1:15", "--earliest", "2026-12-09", "--deadline",
           "2026-12-11", "--earliest-time", "08:00", "--latest-time", "12:00", "--weekdays",
           "Mo,We", "--tier", "c", "--split", "--project", "Garden"});
  const auto items = JsonLines({"items", "s.pak", "--json"});
  ASSERT_EQ(items.size(), 1u);
  const Json& i = items[0];
  EXPECT_EQ(i["kind"].text, "item");
  EXPECT_EQ(i["date"].text, "2026-12-09");
  EXPECT_TRUE(i["start"].IsNull());
  EXPECT_EQ(i["duration"].number, 75);
  EXPECT_EQ(i["earliest"].text, "2026-12-09");
  EXPECT_EQ(i["deadline"].text, "2026-12-11");
  EXPECT_EQ(i["earliestTime"].text, "08:00");
  EXPECT_EQ(i["latestTime"].text, "12:00");
  EXPECT_EQ(Texts(i["weekdays"]), (std::vector<std::string>{"Mo", "We"}));
  EXPECT_EQ(i["tier"].text, "C");
  EXPECT_EQ(i["rank"].number, 1);
  EXPECT_EQ(i["project"].text, "Garden");
  EXPECT_EQ(Texts(i["flags"]), (std::vector<std::string>{"split", "flexible"}));
  EXPECT_TRUE(i["recurrence"].IsNull());
  for (const char* key : {"earliestAt", "deadlineAt", "label", "jobNumber", "expectedReturn",
                          "prereq", "prereqDays", "prereqMinutes", "alarmHours", "alarmMinutes",
                          "reminderDays", "created", "touched", "private", "occurrenceOf"})
    EXPECT_TRUE(i.Has(key)) << key;
}

TEST_F(ListingTest, ARecurringItemShowsItsRuleAndItsOccurrencesTheirs) {
  const std::string id =
      Add({"--title", "Standup", "--start", "9:00", "--duration", "15", "--fixed", "--recur",
           "weekly:Mo,We/2", "--from", "2026-12-09", "--until", "2027-01-31"});
  ASSERT_EQ(Run({"cancel", "s.pak", id, "2026-12-14"}).status, 0);
  const auto items = JsonLines({"items", "s.pak", "--json"});
  ASSERT_EQ(items.size(), 1u);
  const Json& r = items[0]["recurrence"];
  EXPECT_EQ(r["rule"].text, "weekly:Mo,We/2");
  EXPECT_EQ(r["from"].text, "2026-12-09");
  EXPECT_EQ(r["until"].text, "2027-01-31");
  EXPECT_EQ(r["bringForward"].text, "instance");
  ASSERT_EQ(r["exceptions"].list.size(), 1u);
  EXPECT_EQ(r["exceptions"].list[0]["date"].text, "2026-12-14");
  EXPECT_TRUE(r["exceptions"].list[0]["id"].IsNull());
  EXPECT_TRUE(items[0]["date"].IsNull());

  const auto day = JsonLines({"day", "s.pak", "2026-12-09", "--json"});
  ASSERT_EQ(day.size(), 1u);
  EXPECT_EQ(day[0]["taskKind"].text, "clone");
  EXPECT_EQ(day[0]["date"].text, "2026-12-09");
  EXPECT_EQ(day[0]["placedAt"].text, "09:00");
  EXPECT_EQ(day[0]["placedLength"].number, 15);
  EXPECT_EQ(day[0]["occurrenceOf"].number, std::stod(id));

  const auto dates = JsonLines({"occurrences", "s.pak", id, "2026-12-09", "2026-12-16", "--json"});
  // The 16th falls in a week that is skipped.
  ASSERT_EQ(dates.size(), 2u);
  EXPECT_EQ(dates[0]["state"].text, "planned");
  EXPECT_EQ(dates[1]["date"].text, "2026-12-14");
  EXPECT_EQ(dates[1]["state"].text, "cancelled");
}

TEST_F(ListingTest, InfoJsonHoldsWhatInfoPrintsAndMore) {
  Add({"--title", "Report", "--deadline", "2026-12-11"});
  const CliRun lines = Run({"info", "s.pak"});
  const auto info = JsonLines({"info", "s.pak", "--json"});
  ASSERT_EQ(info.size(), 1u);
  for (const std::string& line : Lines(lines.out)) {
    const std::string key = line.substr(0, line.find(':'));
    EXPECT_TRUE(info[0].Has(key)) << key;
  }
  EXPECT_EQ(info[0]["earliestTimeOfDay"].text, "07:00");
  EXPECT_EQ(info[0]["mode"].text, "pro");
  EXPECT_EQ(info[0]["workStart"].text, "09:00");
  EXPECT_EQ(info[0]["priorityCount"].number, 1);
  const CliRun all = Run({"info", "s.pak", "--all"});
  EXPECT_NE(all.out.find("workEnd: 17:00\n"), std::string::npos) << all.out;
}

TEST_F(ListingTest, PriorityJsonListsTheIndexInOrder) {
  Add({"--title", "Second", "--deadline", "2026-12-11", "--tier", "B"});
  Add({"--title", "First", "--deadline", "2026-12-11", "--tier", "A"});
  const auto entries = JsonLines({"priority", "s.pak", "--json"});
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0]["title"].text, "First");
  EXPECT_EQ(entries[0]["tier"].text, "A");
  EXPECT_EQ(entries[1]["tier"].text, "B");
  EXPECT_EQ(entries[1]["rank"].number, 1);
}

TEST_F(ListingTest, AllPrintsNamedFieldsOnOneLine) {
  Add({"--title", "Tab\there", "--date", "2026-12-09", "--start", "10:00", "--duration", "20",
       "--fixed"});
  const auto lines = Lines(Run({"day", "s.pak", "2026-12-09", "--all"}).out);
  ASSERT_EQ(lines.size(), 1u);
  const auto fields = Fields(lines[0]);
  EXPECT_EQ(fields[0], "placedAt=10:00");
  EXPECT_NE(std::find(fields.begin(), fields.end(), "title=Tab\\there"), fields.end()) << lines[0];
  EXPECT_NE(std::find(fields.begin(), fields.end(), "deadline=-"), fields.end());
}

TEST_F(ListingTest, ListingOptionsAreChecked) {
  const CliRun both = Run({"items", "s.pak", "--json", "--all"});
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find(cli_text::kJsonOrAll), std::string::npos) << both.err;
  const CliRun unknown = Run({"items", "s.pak", "--xml"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option --xml"), std::string::npos) << unknown.err;
  EXPECT_EQ(Run({"priority", "s.pak", "--all"}).status, 2);
}

}  // namespace
}  // namespace ploven::test
