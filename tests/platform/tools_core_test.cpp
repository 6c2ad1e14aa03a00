#include <gtest/gtest.h>

#include "platform/clock_sync.h"
#include "platform/command_effects.h"
#include "platform/zone_list.h"

namespace ploven {
namespace {

TEST(ZoneList, DropsBlanksAndRepeatsAndKeepsTheOrder) {
  EXPECT_EQ(ParseZoneList(" Asia/Tokyo ;;Europe/Paris; Asia/Tokyo;"),
            (std::vector<std::string>{"Asia/Tokyo", "Europe/Paris"}));
  EXPECT_TRUE(ParseZoneList("").empty());
  EXPECT_EQ(FormatZoneList({"Asia/Tokyo", "", "UTC"}), "Asia/Tokyo;UTC");
  EXPECT_EQ(ParseZoneList(FormatZoneList({"UTC", "America/New_York"})),
            (std::vector<std::string>{"UTC", "America/New_York"}));
}

TEST(ZoneList, OffsetsAndCityNamesReadNaturally) {
  EXPECT_EQ(OffsetFromHereText(0), "");
  EXPECT_EQ(OffsetFromHereText(330), "5 h 30 min ahead");
  EXPECT_EQ(OffsetFromHereText(-180), "3 h behind");
  EXPECT_EQ(OffsetFromHereText(-45), "45 min behind");
  EXPECT_EQ(ZoneCityName("America/Argentina/Buenos_Aires"), "Buenos Aires");
  EXPECT_EQ(ZoneCityName("UTC"), "UTC");
}

struct SyncCase {
  const char* name;
  const char* output;
  std::optional<bool> synchronized;
  std::optional<bool> serviceOn;
  bool tellsHowToTurnOn;
};

class ClockSyncTest : public ::testing::TestWithParam<SyncCase> {};

TEST_P(ClockSyncTest, ReadsTheTimeServiceAndSaysHowToTurnItOn) {
  const SyncCase& c = GetParam();
  const ClockSyncState s = ParseTimedatectlShow(c.output);
  EXPECT_EQ(s.synchronized, c.synchronized);
  EXPECT_EQ(s.serviceOn, c.serviceOn);
  const std::string text = ClockSyncText(s);
  EXPECT_EQ(text.find("timedatectl set-ntp true") != std::string::npos, c.tellsHowToTurnOn);
  EXPECT_EQ(text.find("never changes the clock") != std::string::npos, c.tellsHowToTurnOn);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, ClockSyncTest,
    ::testing::Values(
        SyncCase{"Synchronised", "Timezone=Europe/Paris\nNTP=yes\nNTPSynchronized=yes\n", true,
                 true, false},
        SyncCase{"ServiceOff", "NTP=no\r\nNTPSynchronized=no\r\n", false, false, true},
        SyncCase{"OnButNotYet", "NTP=yes\nNTPSynchronized=no\n", false, true, false},
        SyncCase{"NoAnswer", "", std::nullopt, std::nullopt, true}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(CommandEffects, LookingMovingAndTransferringDoNotCountAsChanges) {
  for (Command c : {Command::kToday, Command::kDayView, Command::kFind, Command::kSave,
                    Command::kCheckIn, Command::kCheckOut, Command::kStopwatch, Command::kHelp,
                    Command::kColorsSettings, Command::kToolbar})
    EXPECT_FALSE(CommandChangesSchedule(c)) << CommandNumber(c);
  for (Command c : {Command::kNewItem, Command::kDone, Command::kDeleteItem,
                    Command::kBalanceAllDays, Command::kPaste, Command::kLoadTutorial})
    EXPECT_TRUE(CommandChangesSchedule(c)) << CommandNumber(c);
}

}  // namespace
}  // namespace ploven
