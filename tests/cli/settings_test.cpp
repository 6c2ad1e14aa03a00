#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli_runner.h"
#include "engine/engine_messages.h"
#include "json_reader.h"

namespace ploven::test {
namespace {

namespace t = cli_text;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"new", "s.pak"}).status, 0); }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  std::string Get(const std::string& key) {
    const CliRun r = Run({"get", "s.pak", key});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out.empty() ? "" : Lines(r.out)[0];
  }
  std::string Ini() { return ReadText(dir / "home" / "Ploven.ini"); }
  std::string Bytes() { return ReadText(dir / "s.pak"); }
  TempDir dir;
};

struct RoundTrip {
  const char* name;
  std::string set;  // KEY=VALUE
  std::string key;  // what is read back
  std::string got;
};

class SettingRoundTripTest : public SettingsTest,
                             public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(SettingRoundTripTest, SetThenGetGivesItBack) {
  const RoundTrip& c = GetParam();
  const CliRun r = Run({"set", "s.pak", c.set});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Get(c.key), c.got);
  // The program's settings live in Ploven.ini, the schedule's in the schedule file.
  const bool program = std::isupper(static_cast<unsigned char>(c.key[0]));
  EXPECT_EQ(Ini().find(c.set) != std::string::npos, program) << Ini();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SettingRoundTripTest,
    ::testing::Values(
        RoundTrip{"DayStart", "dayStart=08:00", "dayStart", "08:00"},
        RoundTrip{"DayEnd", "dayEnd=22:30", "dayEnd", "22:30"},
        RoundTrip{"MidnightShift", "dayEnd=02:00", "midnightShift", "04:30"},
        RoundTrip{"WorkStart", "workStart=08:30", "workStart", "08:30"},
        RoundTrip{"WorkEnd", "workEnd=18:00", "workEnd", "18:00"},
        RoundTrip{"MinSplit", "minSplit=0:45", "minSplit", "0:45"},
        RoundTrip{"ReserveToday", "reserveToday=2:00", "reserveToday", "2:00"},
        RoundTrip{"ReserveFuture", "reserveFuture=1:30", "reserveFuture", "1:30"},
        RoundTrip{"KeepClearFrom", "keepClearFrom=2026-12-20", "keepClearFrom", "2026-12-20"},
        RoundTrip{"KeepClearThrough", "keepClearThrough=2026-12-24", "keepClearThrough",
                  "2026-12-24"},
        RoundTrip{"LightMode", "mode=light", "mode", "light"},
        RoundTrip{"LifeProjects", "LifeProject=1", "LifeProject", "1"},
        RoundTrip{"BalanceLightensLoad", "BalanceLightensLoad=1", "BalanceLightensLoad", "1"},
        RoundTrip{"AutoPilot", "AutoPilot=1", "AutoPilot", "1"},
        RoundTrip{"AutoPilotInterval", "AutoPilotTimerVar=45", "AutoPilotTimerVar", "45"},
        RoundTrip{"AutoBalanceDay", "AutoBalanceDay=1", "AutoBalanceDay", "1"},
        RoundTrip{"BalanceDayInterval", "BalanceTodayTimerVar=5", "BalanceTodayTimerVar", "5"},
        RoundTrip{"BringForward", "AutoBringForward=1", "AutoBringForward", "1"},
        RoundTrip{"ExpectedReturns", "ExpectedReturnsActive=1", "ExpectedReturnsActive", "1"},
        RoundTrip{"HideDoneItems", "EnableHideDoneItems=1", "EnableHideDoneItems", "1"},
        RoundTrip{"SundayAWorkday", "Workday0=1", "Workday0", "1"},
        RoundTrip{"WednesdayOff", "Workday3=0", "Workday3", "0"},
        RoundTrip{"ADisplaySwitch", "ShowMoons=0", "ShowMoons", "0"},
        RoundTrip{"CalendarWeeks", "CalendarWeeks=4", "CalendarWeeks", "4"},
        RoundTrip{"Colour", "ColorDone=255", "ColorDone", "255"},
        RoundTrip{"Rectangle", "TimerPos=1 2 3 4", "TimerPos", "1 2 3 4"},
        RoundTrip{"UserName", "UserName=Ann \"A\" Lee", "UserName", "Ann \"A\" Lee"},
        RoundTrip{"ErrorLog", "ErrorLog=YES", "ErrorLog", "YES"}),
    [](const auto& row) { return std::string(row.param.name); });

// What `get` prints, `set` takes back, and nothing changes.
TEST_F(SettingsTest, EverySettingGetPrintsSetTakesBackUnchanged) {
  ASSERT_EQ(
      Run({"set", "s.pak", "reserveToday=2:00", "keepClearFrom=2026-12-20", "AutoPilotTimerVar=45"})
          .status,
      0);
  const CliRun before = Run({"get", "s.pak"});
  ASSERT_EQ(before.status, 0);
  std::vector<std::string> args{"set", "s.pak"};
  for (const std::string& line : Lines(before.out))
    if (!line.starts_with("midnightShift=")) args.push_back(line);
  ASSERT_GT(args.size(), 90u);
  const CliRun again = Run(args);
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(Run({"get", "s.pak"}).out, before.out);
}

TEST_F(SettingsTest, JsonHoldsEveryKeyWithItsType) {
  const CliRun text = Run({"get", "s.pak"});
  const CliRun json = Run({"get", "s.pak", "--json"});
  ASSERT_EQ(json.status, 0);
  const auto lines = Lines(json.out);
  ASSERT_EQ(lines.size(), 1u);
  const auto parsed = Json::Parse(lines[0]);
  ASSERT_TRUE(parsed.has_value()) << lines[0];
  EXPECT_EQ(parsed->members.size(), Lines(text.out).size());
  EXPECT_EQ((*parsed)["minSplit"].number, 15);
  EXPECT_EQ((*parsed)["dayStart"].text, "07:00");
  EXPECT_TRUE((*parsed)["keepClearFrom"].IsNull());
  EXPECT_EQ((*parsed)["AutoPilotTimerVar"].number, 19);
  EXPECT_EQ((*parsed)["midnightShift"].text, "off");
}

TEST_F(SettingsTest, AppearFirstAndLastNameRecurringItems) {
  const CliRun add =
      Run({"add", "s.pak", "--title", "Standup", "--start", "9:00", "--fixed", "--recur", "daily"});
  ASSERT_EQ(add.status, 0);
  const std::string id = Lines(add.out)[0];
  ASSERT_EQ(Run({"set", "s.pak", "appearFirst=" + id}).status, 0);
  EXPECT_EQ(Get("appearFirst"), id);
  const CliRun same = Run({"set", "s.pak", "appearLast=" + id});
  EXPECT_EQ(same.status, 1);
  EXPECT_NE(same.err.find(engine_text::kSameFirstAndLast), std::string::npos) << same.err;
  const CliRun plain = Run({"add", "s.pak", "--title", "Once"});
  const CliRun notRecurring = Run({"set", "s.pak", "appearLast=" + Lines(plain.out)[0]});
  EXPECT_EQ(notRecurring.status, 1);
  EXPECT_NE(notRecurring.err.find(engine_text::kNotARecurringDefinition), std::string::npos);
  ASSERT_EQ(Run({"set", "s.pak", "appearFirst=none"}).status, 0);
  EXPECT_EQ(Get("appearFirst"), "none");
}

TEST_F(SettingsTest, SwitchingExpectedReturnsOnWarnsOnce) {
  const CliRun on = Run({"set", "s.pak", "ExpectedReturnsActive=1"});
  EXPECT_NE(on.err.find("Activating the Expected Returns feature"), std::string::npos) << on.err;
  const CliRun again = Run({"set", "s.pak", "ExpectedReturnsActive=1"});
  EXPECT_EQ(again.err.find("Activating the Expected Returns feature"), std::string::npos);
}

struct SetRefusal {
  const char* name;
  std::vector<std::string> set;
  std::string message;
  int status = 1;
};

class SetRefusalTest : public SettingsTest, public ::testing::WithParamInterface<SetRefusal> {};

// A refused set says why and changes neither the schedule nor Ploven.ini.
TEST_P(SetRefusalTest, RefusedSettingsChangeNothing) {
  const SetRefusal& c = GetParam();
  const std::string bytes = Bytes(), ini = Ini();
  std::vector<std::string> args{"set", "s.pak"};
  args.insert(args.end(), c.set.begin(), c.set.end());
  const CliRun r = Run(args);
  EXPECT_EQ(r.status, c.status);
  EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  EXPECT_EQ(Bytes(), bytes);
  EXPECT_EQ(Ini(), ini);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, SetRefusalTest,
    ::testing::Values(
        SetRefusal{"AutoPilotEveryTick",
                   {"AutoPilot=1", "AutoPilotTimerVar=0"},
                   std::string("message: ") + engine_text::kAutoPilotIntervalRefused},
        SetRefusal{"BalanceDayTooSeldom",
                   {"BalanceTodayTimerVar=9999"},
                   std::string("message: ") + engine_text::kBalanceDayIntervalRefused},
        SetRefusal{"WorkEndsBeforeItStarts",
                   {"AutoPilot=1", "workStart=18:00", "workEnd=09:00"},
                   std::string("message: ") + engine_text::kWorkEndNotAfterStart},
        SetRefusal{"KeepClearBackwards",
                   {"LifeProject=1", "keepClearFrom=2026-12-24", "keepClearThrough=2026-12-20"},
                   std::string("message: ") + engine_text::kKeepClearEndBeforeBegin},
        SetRefusal{"UnreadableTime", {"dayStart=soon"}, "message: "},
        SetRefusal{"UnknownKey", {"dayLength=8"}, "plovenctl: unknown setting dayLength=8", 2},
        SetRefusal{"NoValue", {"dayStart"}, "plovenctl: unknown setting dayStart", 2},
        SetRefusal{"MidnightShiftIsReadOnly",
                   {"midnightShift=02:00"},
                   std::string("plovenctl: ") + t::kMidnightShiftReadOnly,
                   2},
        SetRefusal{"SwitchWantsZeroOrOne",
                   {"LifeProject=2"},
                   std::string("plovenctl: LifeProject") + t::kWantsZeroOrOne,
                   2},
        SetRefusal{"WorkdayWantsZeroOrOne",
                   {"Workday1=yes"},
                   std::string("plovenctl: Workday1") + t::kWantsWholeNumber,
                   2},
        SetRefusal{"BadMode", {"mode=dark"}, std::string("plovenctl: ") + t::kBadMode, 2},
        SetRefusal{"BadRectangle",
                   {"TimerPos=1 2 3"},
                   std::string("plovenctl: TimerPos") + t::kWantsFourNumbers,
                   2},
        SetRefusal{"BadColour",
                   {"ColorDone=-1"},
                   std::string("plovenctl: ColorDone") + t::kWantsColour,
                   2}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SettingsTest, GetRefusesAnUnknownKey) {
  const CliRun r = Run({"get", "s.pak", "Nonsense"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("unknown setting Nonsense"), std::string::npos);
}

}  // namespace
}  // namespace ploven::test
