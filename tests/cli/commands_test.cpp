#include <gtest/gtest.h>

#include <map>

#include "edit/edit_messages.h"
#include "engine/engine_messages.h"
#include "cli_runner.h"

namespace ploven::test {
namespace {

class CliTest : public ::testing::Test {
 protected:
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  // A new schedule "s.pak", made and checked.
  void New() { ASSERT_EQ(Run({"new", "s.pak"}).status, 0); }
  std::string Bytes() { return ReadText(dir / "s.pak"); }
  std::map<std::string, std::string> Info() {
    std::map<std::string, std::string> info;
    const CliRun r = Run({"info", "s.pak"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string& line : Lines(r.out)) {
      const size_t colon = line.find(": ");
      if (colon != std::string::npos) info[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return info;
  }
  std::string Add(const std::vector<std::string>& options) {
    std::vector<std::string> args{"add", "s.pak"};
    args.insert(args.end(), options.begin(), options.end());
    const CliRun r = Run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  }
  TempDir dir;
};

TEST_F(CliTest, NewMakesAnEmptyScheduleAndRefusesAnExistingFile) {
  New();
  EXPECT_EQ(Bytes().size(), 789u);
  const std::string before = Bytes();
  const CliRun again = Run({"new", "s.pak"});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("message: "), std::string::npos);
  EXPECT_EQ(Bytes(), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "s.loc")) << "the lock outlived the command";
}

TEST_F(CliTest, InfoOfANewSchedule) {
  New();
  const auto info = Info();
  const std::map<std::string, std::string> expected{
      {"formatVersion", "26"},       {"dayCount", "0"},
      {"undatedCount", "0"},         {"recurringCount", "0"},
      {"projectCount", "0"},         {"nextActID", "0"},
      {"nextNoteNumber", "0"},       {"lastArchivedDate", "2026-12-07"},
      {"minSplitMinutes", "15"},     {"earliestTimeOfDay", "07:00"},
      {"latestTimeOfDay", "23:00"}};
  EXPECT_EQ(info, expected);
}

TEST_F(CliTest, AddedItemsShowOnTheirDayInOrder) {
  New();
  const std::string meeting =
      Add({"--title", "Team meeting", "--start", "10:00", "--duration", "60", "--fixed"});
  const std::string memo = Add({"--title", "Mum's birthday", "--memo"});
  const std::string report =
      Add({"--title", "Write report", "--duration", "1:30", "--deadline", "2026-12-11",
           "--tier", "b"});
  const CliRun day = Run({"day", "s.pak", "2026-12-08"});
  ASSERT_EQ(day.status, 0) << day.err;
  const auto lines = Lines(day.out);
  ASSERT_EQ(lines.size(), 3u) << day.out;
  EXPECT_EQ(Fields(lines[0]), (std::vector<std::string>{"00:00", "0", "-", "memo", "-", memo,
                                                          "Mum's birthday"}));
  // The hour before the meeting is too short for the report, so it follows the meeting.
  EXPECT_EQ(Fields(lines[1]), (std::vector<std::string>{"10:00", "60", "-", "set", "-", meeting,
                                                          "Team meeting"}));
  EXPECT_EQ(Fields(lines[2]), (std::vector<std::string>{"11:00", "90", "-", "fluid", "B1",
                                                          report, "Write report"}));
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");
  const auto info = Info();
  EXPECT_EQ(info.at("dayCount"), "1");
  EXPECT_EQ(info.at("nextActID"), "3");
}

TEST_F(CliTest, ItemsListEveryItemAlphabetically) {
  New();
  const std::string b = Add({"--title", "banana", "--date", "2026-12-09"});
  const std::string a = Add({"--title", "Apple", "--date", "2026-12-10", "--memo"});
  const CliRun r = Run({"items", "s.pak"});
  ASSERT_EQ(r.status, 0);
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(Fields(lines[0]), (std::vector<std::string>{a, "2026-12-10", "80", "Apple"}));
  EXPECT_EQ(Fields(lines[1]), (std::vector<std::string>{b, "2026-12-09", "0", "banana"}));
}

TEST_F(CliTest, FluidItemGoesToTheFirstQualifyingDayWithRoom) {
  New();
  // Saturday 12 December and later: the first Monday to Friday day is the 14th.
  Add({"--title", "Plan next week", "--earliest", "2026-12-12", "--weekdays", "Mo,Tu,We,Th,Fr",
       "--duration", "45"});
  EXPECT_NE(Run({"day", "s.pak", "2026-12-14"}).out.find("Plan next week"), std::string::npos);
  EXPECT_TRUE(Run({"day", "s.pak", "2026-12-12"}).out.empty());
}

TEST_F(CliTest, SplitItemSpreadsOverDaysAndStaysOneItem) {
  New();
  ASSERT_EQ(Run({"set", "s.pak", "dayStart=9:00", "dayEnd=17:00"}).status, 0);
  Add({"--title", "Long read", "--duration", "20:00", "--split", "--flexible"});
  int minutes = 0, days = 0;
  for (const char* d : {"2026-12-08", "2026-12-09", "2026-12-10", "2026-12-11"}) {
    for (const std::string& line : Lines(Run({"day", "s.pak", d}).out)) {
      minutes += std::stoi(Fields(line)[1]);
      ++days;
    }
  }
  EXPECT_EQ(minutes, 1200);
  EXPECT_EQ(days, 3);
  EXPECT_EQ(Lines(Run({"items", "s.pak"}).out).size(), 1u);
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");
}

TEST_F(CliTest, ProjectsTakeItems) {
  New();
  const CliRun p = Run({"project", "s.pak", "Garden"});
  ASSERT_EQ(p.status, 0) << p.err;
  EXPECT_EQ(Lines(p.out)[0], "1");
  Add({"--title", "Dig", "--project", "Garden", "--flexible"});
  EXPECT_EQ(Info().at("projectCount"), "1");
  const std::string before = Bytes();
  const CliRun missing = Run({"add", "s.pak", "--title", "Weed", "--project", "Lawn"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("message: There is no project named \"Lawn\"."), std::string::npos);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(CliTest, DeleteRemovesTheItemAndRefusesAnUnknownID) {
  New();
  const std::string id = Add({"--title", "Dentist", "--start", "9:00", "--fixed"});
  const std::string before = Bytes();
  const CliRun unknown = Run({"delete", "s.pak", "77"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("message: No item has the ID 77."), std::string::npos);
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(Run({"delete", "s.pak", id}).status, 0);
  EXPECT_TRUE(Run({"items", "s.pak"}).out.empty());
  EXPECT_TRUE(Run({"day", "s.pak", "today"}).out.empty());
}

TEST_F(CliTest, SetStartAsksAboutAnAlarmAndTakesTheDefault) {
  New();
  const CliRun r = Run({"add", "s.pak", "--title", "Call", "--start", "14:00", "--fixed"});
  EXPECT_NE(r.err.find(std::string("question: ") + edit_text::kSetStartAlarmQuestion + " -> No"),
            std::string::npos)
      << r.err;
}

std::string Joined(const std::vector<std::string>& v) {
  std::string out;
  for (const std::string& s : v) out += (out.empty() ? "" : " ") + s;
  return out;
}

struct RefusedSetting {
  std::vector<std::string> values;
  const char* message;
  friend void PrintTo(const RefusedSetting& r, std::ostream* os) { *os << Joined(r.values); }
};

class SetRefusedTest : public CliTest, public ::testing::WithParamInterface<RefusedSetting> {};

TEST_P(SetRefusedTest, KeepsTheFileUnchanged) {
  New();
  Add({"--title", "Anything"});
  const std::string before = Bytes();
  std::vector<std::string> args{"set", "s.pak"};
  args.insert(args.end(), GetParam().values.begin(), GetParam().values.end());
  const CliRun r = Run(args);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(std::string("message: ") + GetParam().message), std::string::npos)
      << r.err;
  EXPECT_EQ(Bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, SetRefusedTest,
    ::testing::Values(
        RefusedSetting{{"keepClearFrom=2026-12-20", "keepClearThrough=2026-12-10"},
                       engine_text::kKeepClearEndBeforeBegin},
        RefusedSetting{{"workStart=17:00", "workEnd=9:00"}, engine_text::kWorkEndNotAfterStart},
        // A good value before a bad one is not applied either.
        RefusedSetting{{"minSplit=30", "dayStart=25:99"}, ""}));

struct Adjusted {
  std::vector<std::string> values;
  const char* key;
  const char* expected;
  const char* message;  // empty: none
  friend void PrintTo(const Adjusted& a, std::ostream* os) { *os << Joined(a.values); }
};

class SetAdjustedTest : public CliTest, public ::testing::WithParamInterface<Adjusted> {};

TEST_P(SetAdjustedTest, StoresTheValueTheDialogWouldKeep) {
  New();
  std::vector<std::string> args{"set", "s.pak"};
  args.insert(args.end(), GetParam().values.begin(), GetParam().values.end());
  const CliRun r = Run(args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Info().at(GetParam().key), GetParam().expected);
  if (*GetParam().message != 0) {
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  } else {
    EXPECT_EQ(r.err, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    DayBoundsAndBalance, SetAdjustedTest,
    ::testing::Values(
        Adjusted{{"minSplit=0"}, "minSplitMinutes", "1", engine_text::kMinSplitRange},
        Adjusted{{"minSplit=13:20"}, "minSplitMinutes", "720", engine_text::kMinSplitRange},
        Adjusted{{"minSplit=:45"}, "minSplitMinutes", "45", ""},
        // Past midnight: Midnight Shift keeps the latest time beyond 24:00.
        Adjusted{{"dayEnd=01:00"}, "latestTimeOfDay", "25:00", ""},
        Adjusted{{"dayEnd=15:00"}, "latestTimeOfDay", "17:00", engine_text::kLatestRaisedToWorkEnd},
        Adjusted{{"dayStart=08:00"}, "earliestTimeOfDay", "08:00", ""},
        Adjusted{{"dayStart=10:00"}, "earliestTimeOfDay", "09:00",
                 engine_text::kEarliestLoweredToWorkStart},
        Adjusted{{"workStart=10:30", "dayStart=10:00"}, "earliestTimeOfDay", "10:00", ""}));

TEST_F(CliTest, BalanceSettingsReachThePlanning) {
  New();
  // Keep the whole of today clear of fluid work by reserving all of it.
  ASSERT_EQ(Run({"set", "s.pak", "reserveToday=16:00", "reserveFuture=0"}).status, 0);
  Add({"--title", "Fluid", "--flexible", "--duration", "30"});
  EXPECT_TRUE(Run({"day", "s.pak", "2026-12-08"}).out.empty());
  EXPECT_NE(Run({"day", "s.pak", "2026-12-09"}).out.find("Fluid"), std::string::npos);
}

// Each way of writing 10 December 2026 (a Thursday, two days on).
class DateFormsTest : public CliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DateFormsTest, PutTheItemOnTheSameDay) {
  New();
  Add({"--title", "Thing", "--date", GetParam()});
  const auto lines = Lines(Run({"items", "s.pak"}).out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Fields(lines[0])[1], "2026-12-10");
}

INSTANTIATE_TEST_SUITE_P(Forms, DateFormsTest,
                         ::testing::Values("2026-12-10", "12/10/2026", "12/10/26", "2d",
                                           "thursday", "th", "Dec 10 2026", "10 december 2026"));

TEST_F(CliTest, IntlChangesHowDatesAreRead) {
  New();
  const CliRun r = RunCli(dir, {"--intl", "iDate=1", "--today", "2026-12-08", "--now", "09:00",
                                "add", "s.pak", "--title", "Thing", "--date", "10/12/2026"},
                          false);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Fields(Lines(Run({"items", "s.pak"}).out)[0])[1], "2026-12-10");
  EXPECT_EQ(RunCli(dir, {"--intl", "iDate=1", "--today", "2026-12-08", "day", "s.pak", "10.12.26"},
                   false).out.find("Thing") != std::string::npos,
            true);
}

struct Usage {
  std::vector<std::string> args;
  int status;
  friend void PrintTo(const Usage& u, std::ostream* os) { *os << Joined(u.args); }
};

class ExitStatusTest : public CliTest, public ::testing::WithParamInterface<Usage> {};

TEST_P(ExitStatusTest, SaysWhatWentWrong) {
  New();
  const CliRun r = RunCli(dir, GetParam().args, false);
  EXPECT_EQ(r.status, GetParam().status) << r.err;
  EXPECT_FALSE(r.err.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ExitStatusTest,
    ::testing::Values(Usage{{}, 2}, Usage{{"frobnicate", "s.pak"}, 2},
                      Usage{{"--today", "2026-13-01", "info", "s.pak"}, 2},
                      Usage{{"--now", "9am", "info", "s.pak"}, 2},
                      Usage{{"--intl", "iNothing=1", "info", "s.pak"}, 2},
                      Usage{{"add", "s.pak"}, 2}, Usage{{"add", "s.pak", "--title"}, 2},
                      Usage{{"add", "s.pak", "--title", "x", "--memo", "--fixed"}, 2},
                      Usage{{"set", "s.pak", "colour=red"}, 2}, Usage{{"info"}, 2},
                      Usage{{"info", "missing.pak"}, 1},
                      Usage{{"add", "s.pak", "--title", "x", "--date", "31/31/31"}, 1},
                      Usage{{"add", "s.pak", "--title", "x", "--duration", "1:75"}, 1},
                      Usage{{"delete", "s.pak", "abc"}, 1}, Usage{{"day", "s.pak", "zz"}, 1}));

TEST_F(CliTest, ADamagedFileFailsTheCheck) {
  New();
  std::string bytes = Bytes();
  bytes[10] = static_cast<char>(bytes[10] ^ 0x55);  // a header byte under the checksum
  std::ofstream(dir / "s.pak", std::ios::binary) << bytes;
  const CliRun r = Run({"check", "s.pak"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("message: Datafile invalid."), std::string::npos) << r.err;
}

// Each schedule's backup is its own: the one before the last save of that schedule.
TEST_F(CliTest, TwoSchedulesInOneFolderKeepTheirOwnBackups) {
  for (const std::string name : {"work", "home"}) {
    ASSERT_EQ(Run({"new", name + ".pak"}).status, 0);
    ASSERT_EQ(Run({"add", name + ".pak", "--title", name + " 1"}).status, 0);
  }
  for (const std::string name : {"work", "home"})
    ASSERT_EQ(Run({"add", name + ".pak", "--title", name + " 2"}).status, 0);
  for (const std::string name : {"work", "home"}) {
    const CliRun r = Run({"items", name + ".bak"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u) << r.out;
    EXPECT_EQ(Fields(lines[0]).back(), name + " 1");
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "timedata.bak"));
}

TEST_F(CliTest, ALockedScheduleIsNotChanged) {
  New();
  const std::string before = Bytes();
  // A lock of another machine is never broken without the user's say (No by default).
  std::ofstream(dir / "s.loc") << "host=elsewhere.example\npid=1\nuser=someone\n";
  const CliRun r = Run({"add", "s.pak", "--title", "Blocked"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(CliTest, SampleIsAWeekOfEveryKind) {
  const CliRun r = Run({"sample", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Run({"check", "s.pak"}).out, "ok\n");
  std::map<std::string, int> kinds;
  bool deadlineTier = false;
  for (int d = 8; d <= 14; ++d) {
    const std::string date = (d < 10 ? "2026-12-0" : "2026-12-") + std::to_string(d);
    for (const std::string& line : Lines(Run({"day", "s.pak", date}).out)) {
      const auto f = Fields(line);
      ++kinds[f[3]];
      deadlineTier = deadlineTier || f[4] == "A1";
    }
  }
  EXPECT_GE(kinds["set"], 5);
  EXPECT_GE(kinds["memo"], 1);
  EXPECT_GE(kinds["fluid"], 5);
  EXPECT_TRUE(deadlineTier);
  EXPECT_EQ(Info().at("projectCount"), "1");
  EXPECT_EQ(Run({"sample", "s.pak"}).status, 1);
}

}  // namespace
}  // namespace ploven::test
