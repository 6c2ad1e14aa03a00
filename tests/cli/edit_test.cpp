#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli_runner.h"
#include "edit/edit_messages.h"
#include "json_reader.h"

namespace ploven::test {
namespace {

namespace t = cli_text;
namespace e = edit_text;

// A JSON value as the tables below write what they expect: texts as they are, lists joined
// with commas, whole numbers without a fraction.
std::string Show(const Json& j) {
  switch (j.type) {
    case Json::Type::kNull:
      return "null";
    case Json::Type::kBool:
      return j.boolean ? "true" : "false";
    case Json::Type::kNumber: {
      const auto whole = static_cast<long long>(j.number);
      return static_cast<double>(whole) == j.number ? std::to_string(whole)
                                                    : std::to_string(j.number);
    }
    case Json::Type::kString:
      return j.text;
    case Json::Type::kList: {
      std::string out;
      for (const Json& item : j.list) out += (out.empty() ? "" : ",") + Show(item);
      return out;
    }
    case Json::Type::kObject:
      return "{...}";
  }
  return "";
}

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"new", "s.pak"}).status, 0); }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  std::string Add(std::vector<std::string> options) {
    options.insert(options.begin(), {"add", "s.pak"});
    const CliRun r = Run(options);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  }
  CliRun Edit(const std::string& id, std::vector<std::string> options) {
    options.insert(options.begin(), {"edit", "s.pak", id});
    return Run(options);
  }
  // The item with the ID as `items --json` shows it.
  Json Item(const std::string& id) {
    const CliRun r = Run({"items", "s.pak", "--json"});
    for (const std::string& line : Lines(r.out)) {
      auto item = Json::Parse(line);
      if (item && Show((*item)["id"]) == id) return *item;
    }
    ADD_FAILURE() << "no item " << id << " in\n" << r.out;
    return {};
  }
  // The day's tasks as "start length title".
  std::vector<std::string> Day(const std::string& date) {
    std::vector<std::string> out;
    for (const std::string& line : Lines(Run({"day", "s.pak", date}).out)) {
      const auto f = Fields(line);
      out.push_back(f[0] + " " + f[1] + " " + f[6]);
    }
    return out;
  }
  std::string Bytes() { return ReadText(dir / "s.pak"); }
  TempDir dir;
};

using Expected = std::vector<std::pair<std::string, std::string>>;

struct GroupCase {
  const char* name;
  std::vector<std::string> add;   // how the item is made
  std::vector<std::string> edit;  // what edit changes
  Expected fields;                // and what `items --json` then shows
};

class EditGroupTest : public EditTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(EditGroupTest, EachPropertyGroupChangesTheItem) {
  const GroupCase& c = GetParam();
  // Item 1 is a set-date appointment that others may wait for; item 2 is a project.
  ASSERT_EQ(Add({"--title", "Meeting", "--date", "2026-12-09", "--start", "10:00", "--fixed"}),
            "1");
  ASSERT_EQ(Run({"project", "s.pak", "Garden"}).status, 0);
  std::vector<std::string> add{"--title", "Thing"};
  add.insert(add.end(), c.add.begin(), c.add.end());
  const std::string id = Add(add);
  const CliRun r = Edit(id, c.edit);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out), std::vector<std::string>{id});
  const Json item = Item(id);
  for (const auto& [key, value] : c.fields) EXPECT_EQ(Show(item[key]), value) << key;
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");
}

const std::vector<std::string> kFluid{"--duration", "30", "--deadline", "2026-12-18"};
const std::vector<std::string> kSet{"--date", "2026-12-10", "--duration", "30"};

INSTANTIATE_TEST_SUITE_P(
    Groups, EditGroupTest,
    ::testing::Values(
        GroupCase{"TitleAndPrivate",
                  kSet,
                  {"--title", "Secret \"plan\"", "--private"},
                  {{"title", "!Secret \"plan\""}, {"private", "true"}}},
        GroupCase{"NoLongerPrivate",
                  {"--date", "2026-12-10"},
                  {"--title", "!x", "--no-private"},
                  {{"title", "x"}, {"private", "false"}}},
        GroupCase{"DatesAndTheirTimes",
                  kFluid,
                  {"--earliest", "2026-12-14", "--earliest-at", "13:00", "--deadline", "2026-12-16",
                   "--deadline-at", "17:30"},
                  {{"earliest", "2026-12-14"},
                   {"earliestAt", "13:00"},
                   {"deadline", "2026-12-16"},
                   {"deadlineAt", "17:30"},
                   {"date", "2026-12-14"}}},
        GroupCase{"FluidTimeOfDayAndWeekdays",
                  kFluid,
                  {"--earliest-time", "08:00", "--latest-time", "12:00", "--weekdays", "Mo,Th",
                   "--after-hours"},
                  {{"earliestTime", "08:00"},
                   {"latestTime", "12:00"},
                   {"weekdays", "Mo,Th"},
                   {"flags", "flexible,after-hours"}}},
        GroupCase{"WorkHoursReplaceAfterHours",
                  kFluid,
                  {"--after-hours", "--work-hours"},
                  {{"flags", "flexible,work-hours"}}},
        GroupCase{"EveryDayAgain",
                  {"--weekdays", "Mo", "--flexible"},
                  {"--weekdays", "all"},
                  {{"weekdays", ""}}},
        GroupCase{
            "TierAndRank", kFluid, {"--tier", "c", "--rank", "1"}, {{"tier", "C"}, {"rank", "1"}}},
        GroupCase{"CheckBoxes",
                  kFluid,
                  {"--hide", "--underscored", "--clone-on-done", "--split", "--sequenced"},
                  {{"flags", "split,clone-on-done,flexible,underscored,sequenced,hide"}}},
        GroupCase{"CheckBoxesOff",
                  {"--duration", "30", "--split", "--flexible"},
                  {"--no-split", "--set-date", "--date", "2026-12-11"},
                  {{"flags", ""}, {"date", "2026-12-11"}, {"rank", "0"}}},
        GroupCase{"SetDateToFlexible",
                  kSet,
                  {"--flexible"},
                  {{"flags", "flexible"}, {"tier", "A"}, {"rank", "1"}}},
        GroupCase{"PrerequisiteWithLag",
                  kFluid,
                  {"--prereq", "1", "--prereq-days", "2", "--prereq-time", "1:30"},
                  {{"prereq", "1"}, {"prereqDays", "2"}, {"prereqMinutes", "90"}}},
        GroupCase{"NoPrerequisite", kFluid, {"--prereq", "none"}, {{"prereq", "null"}}},
        GroupCase{
            "AlarmBeforeTheEnd",
            kSet,
            {"--alarm-before", "1:30", "--alarm-at", "end", "--also-dial", "--reminder-days", "-3"},
            {{"alarmHours", "1"},
             {"alarmMinutes", "30"},
             {"reminderDays", "-3"},
             {"flags", "alarm,alarm-at-end,also-dial,reminder-days"}}},
        GroupCase{
            "AlarmAfterTheBegin",
            kSet,
            {"--alarm-after", "0:10"},
            {{"alarmHours", "0"}, {"alarmMinutes", "-10"}, {"flags", "alarm,alarm-at-begin"}}},
        GroupCase{
            "AlarmTickedAlone", kSet, {"--alarm"}, {{"alarmMinutes", "5"}, {"flags", "alarm"}}},
        GroupCase{"AlsoDialOffWithoutAnAlarm",
                  kSet,
                  {"--no-also-dial", "--reminder-days", "0"},
                  {{"flags", ""}, {"reminderDays", "0"}}},
        GroupCase{"OtherFields",
                  kSet,
                  {"--project", "Garden", "--label", "4", "--job", "1234", "--expected-return",
                   "99.5", "--first-year", "1990"},
                  {{"project", "Garden"},
                   {"projectId", "2"},
                   {"label", "4"},
                   {"jobNumber", "1234"},
                   {"expectedReturn", "99.500000"},
                   {"firstYear", "1990"}}},
        GroupCase{"OutOfTheProject",
                  {"--project", "Garden"},
                  {"--project", "none"},
                  {{"project", "null"}, {"projectId", "null"}}},
        GroupCase{"StartAndDuration",
                  kSet,
                  {"--start", "15:00", "--duration", "1:15"},
                  {{"start", "15:00"}, {"duration", "75"}}},
        GroupCase{"ToAMemo",
                  kSet,
                  {"--kind", "birthday"},
                  {{"kind", "birthday"}, {"flags", "memo-hold"}, {"duration", "0"}}},
        GroupCase{"ToAnAppointment",
                  kFluid,
                  {"--kind", "appointment", "--start", "14:00"},
                  {{"kind", "appointment"}, {"flags", "fixed"}, {"start", "14:00"}}},
        GroupCase{"MemoHold", kSet, {"--memo-hold"}, {{"flags", "memo-hold"}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(EditTest, ALongerItemMovesTheItemsAfterIt) {
  const std::string meeting =
      Add({"--title", "Meeting", "--start", "10:00", "--duration", "60", "--fixed"});
  Add({"--title", "Report", "--date", "2026-12-08", "--duration", "1:30"});
  ASSERT_EQ(Day("2026-12-08"), (std::vector<std::string>{"10:00 60 Meeting", "11:00 90 Report"}));
  ASSERT_EQ(Edit(meeting, {"--duration", "2:00"}).status, 0);
  EXPECT_EQ(Day("2026-12-08"), (std::vector<std::string>{"10:00 120 Meeting", "12:00 90 Report"}));
  // A new date takes the item off its day, and the day closes up.
  ASSERT_EQ(Edit(meeting, {"--date", "2026-12-09"}).status, 0);
  EXPECT_EQ(Day("2026-12-09"), (std::vector<std::string>{"10:00 120 Meeting"}));
  EXPECT_EQ(Day("2026-12-08").size(), 1u);
}

TEST_F(EditTest, ATierChangeReordersThePriorities) {
  const std::string first =
      Add({"--title", "First", "--duration", "60", "--deadline", "2026-12-18"});
  const std::string second =
      Add({"--title", "Second", "--duration", "60", "--deadline", "2026-12-18"});
  ASSERT_EQ(Edit(first, {"--tier", "B"}).status, 0);
  const auto lines = Lines(Run({"priority", "s.pak"}).out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Fields(lines[0])[1], second);
  EXPECT_EQ(Fields(lines[1])[0], "B1");
  // The more important item now comes first in the day.
  EXPECT_EQ(Day("2026-12-08")[0].substr(9), "Second");
}

TEST_F(EditTest, ADurationBeyondTheDayBoundsMakesTheItemSplittable) {
  ASSERT_EQ(Run({"set", "s.pak", "dayStart=9:00", "dayEnd=17:00"}).status, 0);
  const std::string id = Add({"--title", "Long read", "--date", "2026-12-08"});
  const CliRun r = Edit(id, {"--duration", "12:00"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("question: Because you have specified a Duration"), std::string::npos)
      << r.err;
  const Json item = Item(id);
  EXPECT_EQ(Show(item["flags"]), "split,flexible");
  EXPECT_EQ(Show(item["duration"]), "720");
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> edit;
  std::string message;  // the start of what standard error says
  int status = 1;
};

class EditRefusalTest : public EditTest, public ::testing::WithParamInterface<RefusalCase> {};

// A refused edit says why, exits non-zero and leaves the file as it was.
TEST_P(EditRefusalTest, RefusalsSayWhyAndChangeNothing) {
  const RefusalCase& c = GetParam();
  Add({"--title", "Meeting", "--date", "2026-12-09", "--start", "10:00", "--fixed"});
  Add({"--title", "Fluid", "--duration", "30", "--deadline", "2026-12-18"});
  const std::string set = Add({"--title", "Set", "--date", "2026-12-10", "--duration", "30"});
  ASSERT_EQ(set, "3");
  const std::string before = Bytes();
  std::vector<std::string> args{"edit", "s.pak"};
  args.insert(args.end(), c.edit.begin(), c.edit.end());
  const CliRun r = Run(args);
  EXPECT_EQ(r.status, c.status);
  EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  EXPECT_EQ(Bytes(), before);
  EXPECT_TRUE(r.out.empty()) << r.out;
}

std::string Message(const char* text) { return std::string("message: ") + text; }
std::string Usage(const std::string& text) { return "plovenctl: " + text; }

INSTANTIATE_TEST_SUITE_P(
    Refusals, EditRefusalTest,
    ::testing::Values(
        RefusalCase{"BlankTitle", {"3", "--title", "  "}, Message(e::kEmptyTitle)},
        RefusalCase{
            "TitleTooLong", {"3", "--title", std::string(1001, 'x')}, Message(e::kTitleTooLong)},
        RefusalCase{"PrivateMakesItTooLong",
                    {"3", "--title", std::string(1000, 'x'), "--private"},
                    Message(e::kTitleTooLong)},
        RefusalCase{"DeadlineBeforeEarliest",
                    {"2", "--earliest", "2026-12-15", "--deadline", "2026-12-14"},
                    Message(e::kDeadlineBeforeEarliest)},
        RefusalCase{"LatestBeforeEarliestTime",
                    {"2", "--earliest-time", "15:00", "--latest-time", "14:00"},
                    Message(e::kLatestBeforeEarliestTime)},
        RefusalCase{"ArchivedDate", {"3", "--date", "2026-12-01"}, "is archived"},
        RefusalCase{"EventEndsBeforeItBegins",
                    {"3", "--kind", "multiday", "--deadline", "2026-12-09"},
                    Message(e::kEndBeforeStart)},
        RefusalCase{"AppointmentWithoutStart",
                    {"3", "--kind", "appointment"},
                    Message(t::kAppointmentWantsStart)},
        RefusalCase{"RankOfASetDateItem", {"3", "--rank", "2"}, Message(t::kRankWantsFlexible)},
        RefusalCase{
            "SequencedSetDateItem", {"3", "--sequenced"}, Message(t::kSequencedWantsFlexible)},
        RefusalCase{"FlexiblePrerequisite", {"3", "--prereq", "2"}, "cannot be this item's"},
        RefusalCase{"ItsOwnPrerequisite", {"3", "--prereq", "3"}, "cannot be this item's"},
        RefusalCase{"UnknownPrerequisite", {"3", "--prereq", "77"}, "No item has the ID 77"},
        RefusalCase{"UnknownProject", {"3", "--project", "Lawn"}, "There is no project named"},
        RefusalCase{
            "AlarmOver24Hours", {"3", "--alarm-before", "25:00"}, Message(t::kAlarmOver24Hours)},
        RefusalCase{"TooManyReminderDays",
                    {"3", "--reminder-days", "100"},
                    "100 alarm reminder days exceeds the allowed limit of 99."},
        RefusalCase{"UnreadableDate", {"3", "--date", "soonish"}, "message: "},
        RefusalCase{"UnknownID", {"77", "--title", "x"}, "No item has the ID 77."},
        RefusalCase{"NotAnID", {"x7", "--title", "x"}, "\"x7\" is not an item ID."},
        RefusalCase{"OccurrenceOfAPlainItem",
                    {"3", "2026-12-10", "--title", "x"},
                    "is not a recurring item"},
        RefusalCase{
            "DatesOfAPlainItem", {"3", "--until", "2026-12-31"}, Message(t::kFromUntilWantRecur)},
        // Usage errors.
        RefusalCase{
            "UnreadableRule", {"3", "--recur", "fortnightly"}, "plovenctl: --recur wants", 2},
        RefusalCase{"RecurAndNoRecur",
                    {"3", "--recur", "daily", "--no-recur"},
                    Usage(t::kRecurOrNoRecur),
                    2},
        RefusalCase{"NoOptions", {"3"}, Usage(t::kEditWantsAnOption), 2},
        RefusalCase{"UnknownOption", {"3", "--colour", "red"}, Usage("unknown option --colour"), 2},
        RefusalCase{"MissingValue", {"3", "--title"}, Usage("missing value after --title"), 2},
        RefusalCase{"BadTier", {"3", "--tier", "AA"}, Usage(t::kBadTier), 2},
        RefusalCase{"BadKind", {"3", "--kind", "meeting"}, Usage(t::kBadKind), 2},
        RefusalCase{"BadLabel", {"3", "--label", "10"}, Usage(t::kBadLabel), 2},
        RefusalCase{"BadWeekdays", {"3", "--weekdays", "Mo,Xx"}, Usage(t::kBadWeekdaysOrAll), 2},
        RefusalCase{"BeforeAndAfter",
                    {"3", "--alarm-before", "5", "--alarm-after", "5"},
                    Usage(t::kAlarmBeforeOrAfter),
                    2}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(EditTest, ARecurringItemChangesAsAWholeOrOneOccurrenceAtATime) {
  const std::string id = Add(
      {"--title", "Standup", "--start", "9:00", "--duration", "15", "--fixed", "--recur", "daily"});
  ASSERT_EQ(Edit(id, {"--duration", "0:20"}).status, 0);
  EXPECT_EQ(Day("2026-12-09"), (std::vector<std::string>{"09:00 20 Standup"}));

  const CliRun one = Edit(id, {"2026-12-10", "--title", "Long standup", "--duration", "0:45"});
  ASSERT_EQ(one.status, 0) << one.err;
  const std::string occurrence = Lines(one.out)[0];
  EXPECT_NE(occurrence, id);
  EXPECT_EQ(Day("2026-12-10"), (std::vector<std::string>{"09:00 45 Long standup"}));
  EXPECT_EQ(Show(Item(occurrence)["occurrenceOf"]), id);

  // A later change of the series leaves the edited occurrence as it is.
  ASSERT_EQ(Edit(id, {"--start", "9:30"}).status, 0);
  EXPECT_EQ(Day("2026-12-11"), (std::vector<std::string>{"09:30 20 Standup"}));
  EXPECT_EQ(Day("2026-12-10"), (std::vector<std::string>{"09:00 45 Long standup"}));

  const CliRun rule = Edit(id, {"2026-12-11", "--recur", "weekly:Mo"});
  EXPECT_EQ(rule.status, 1);
  EXPECT_NE(rule.err.find(t::kRecurWholeItem), std::string::npos) << rule.err;

  const CliRun missing = Edit(id, {"2026-11-30", "--title", "x"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("does not occur on 2026-11-30"), std::string::npos) << missing.err;
}

TEST_F(EditTest, RecurringIsTickedChangedAndUnticked) {
  const std::string id =
      Add({"--title", "Gym", "--date", "2026-12-09", "--start", "18:00", "--fixed"});
  const CliRun ticked = Edit(id, {"--recur", "weekly:We,Fr", "--until", "2026-12-18"});
  ASSERT_EQ(ticked.status, 0) << ticked.err;
  const std::string series = Lines(ticked.out)[0];
  auto dates = [&] {
    return Lines(Run({"occurrences", "s.pak", series, "2026-12-01", "2027-01-31"}).out);
  };
  EXPECT_EQ(dates(),
            (std::vector<std::string>{"2026-12-09", "2026-12-11", "2026-12-16", "2026-12-18"}));
  ASSERT_EQ(
      Edit(series, {"--recur", "weekly:Mo/2", "--from", "2026-12-14", "--until", "none"}).status,
      0);
  EXPECT_EQ(Show(Item(series)["recurrence"]["rule"]), "weekly:Mo/2");
  EXPECT_EQ(dates().size(), 4u);  // 14 and 28 December, 11 and 25 January
  const CliRun unticked = Edit(series, {"--no-recur"});
  ASSERT_EQ(unticked.status, 0) << unticked.err;
  const Json single = Item(Lines(unticked.out)[0]);
  EXPECT_TRUE(single["recurrence"].IsNull());
  EXPECT_EQ(Show(single["date"]), "2026-12-14");
  EXPECT_EQ(Lines(Run({"items", "s.pak"}).out).size(), 1u);
}

TEST_F(EditTest, StartedAndDoneGoThroughTheirCommands) {
  const std::string id = Add({"--title", "Report", "--duration", "60", "--deadline", "2026-12-18"});
  ASSERT_EQ(Edit(id, {"--started"}).status, 0);
  Json item = Item(id);
  EXPECT_EQ(Show(item["flags"]), "flexible,started");
  // A started item keeps the time it stands at.
  EXPECT_EQ(Show(item["start"]), "09:00");
  ASSERT_EQ(Edit(id, {"--no-started", "--done"}).status, 0);
  item = Item(id);
  EXPECT_EQ(Show(item["flags"]), "done");
  EXPECT_EQ(Lines(Run({"priority", "s.pak"}).out).size(), 0u);
  // Undone, it stays where it was done, as an item with that date.
  ASSERT_EQ(Edit(id, {"--no-done"}).status, 0);
  item = Item(id);
  EXPECT_EQ(Show(item["flags"]), "");
  EXPECT_EQ(Show(item["date"]), "2026-12-08");
}

TEST_F(EditTest, AnOccurrenceIsDoneOnItsOwn) {
  const std::string id = Add(
      {"--title", "Standup", "--start", "9:00", "--duration", "15", "--fixed", "--recur", "daily"});
  const CliRun whole = Edit(id, {"--done"});
  EXPECT_EQ(whole.status, 1);
  EXPECT_NE(whole.err.find("started and done one occurrence at a time"), std::string::npos);
  const CliRun one = Edit(id, {"2026-12-09", "--done"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(Show(Item(Lines(one.out)[0])["flags"]), "done,fixed,edited-occurrence");
  EXPECT_EQ(Lines(Run({"occurrences", "s.pak", id, "2026-12-09", "2026-12-10"}).out),
            (std::vector<std::string>{"2026-12-09\tedited", "2026-12-10"}));
}

}  // namespace
}  // namespace ploven::test
