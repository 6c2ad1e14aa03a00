#include "platform/settings.h"

#include <gtest/gtest.h>

#include "platform/regional_settings.h"
#include "temp_folder.h"

namespace ploven {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

class SettingsTest : public ::testing::Test {
 protected:
  std::filesystem::path PrivatePath() const { return m_dir / "Ploven.ini"; }
  std::filesystem::path ProfilePath() const { return m_dir / "config" / "profile.ini"; }
  void WritePrivate(const std::string& text) { WriteAll(PrivatePath(), text); }
  void WriteProfile(const std::string& text) {
    std::filesystem::create_directories(ProfilePath().parent_path());
    WriteAll(ProfilePath(), text);
  }
  Settings Open() {
    Settings s(PrivatePath(), ProfilePath());
    EXPECT_TRUE(s.Load());
    return s;
  }
  TempFolder m_dir;
};

struct IntCase {
  const char* name;
  const char* privateText;  // nullptr: no Ploven.ini at all
  const char* profileText;
  int encodedDefault;
  int expected;
};

class SettingsIntTest : public SettingsTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(SettingsIntTest, EncodedDefaultRules) {
  const IntCase& c = GetParam();
  if (c.privateText) WritePrivate(c.privateText);
  if (c.profileText) WriteProfile(c.profileText);
  Settings s = Open();
  EXPECT_EQ(s.ReadInt("K", c.encodedDefault), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsIntTest,
    ::testing::Values(
        IntCase{"PrivateWins", "[Ploven]\nK=5\n", "[Ploven]\nK=7\n", 10001, 5},
        IntCase{"NoPrivateFileReadsProfile", nullptr, "[Ploven]\nK=7\n", 10001, 7},
        IntCase{"MissingEverywhereGivesDefault", "[Ploven]\n", "[Ploven]\n", 10060, 60},
        IntCase{"DefaultAbove9998", nullptr, nullptr, 19999, 9999},
        IntCase{"Private9999Ignored", "[Ploven]\nK=9999\n", "[Ploven]\nK=3\n", 10000, 3},
        IntCase{"Private9999IgnoredNoProfileKey", "[Ploven]\nK=9999\n", nullptr, 10004, 4},
        IntCase{"Private9998Taken", "[Ploven]\nK=9998\n", "[Ploven]\nK=3\n", 10000, 9998},
        IntCase{"NegativeTaken", "[Ploven]\nK=-2\n", "[Ploven]\nK=3\n", 10000, -2},
        IntCase{"OtherSectionNotRead", "[Other]\nK=1\n", nullptr, 10006, 6}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(SettingsTest, StringsFallBackToTheProfileWhenEmpty) {
  WritePrivate("[Ploven]\nEmpty=\nSet=private\n");
  WriteProfile("[Ploven]\nEmpty=from profile\nSet=profile\nOnly=profile only\n");
  Settings s = Open();
  EXPECT_EQ(s.ReadString("Set"), "private");
  EXPECT_EQ(s.ReadString("Empty"), "from profile");
  EXPECT_EQ(s.ReadString("Only"), "profile only");
  EXPECT_EQ(s.ReadString("Missing", "dflt"), "dflt");
  EXPECT_EQ(s.ReadString("Only", "", 7), "profile");
}

TEST_F(SettingsTest, WritesReachBothFilesAndKeepTheirOtherContent) {
  WritePrivate("; mine\n[DoNotAsk]\nMod1=04000017\n[Ploven]\nA=1\n");
  WriteProfile("[intl]\nsDate=.\n[Ploven]\nB=2\n");
  Settings s = Open();
  ASSERT_TRUE(s.WriteInt("ShowMoons", 0));
  ASSERT_TRUE(s.WriteString("ErrorLog", "YES"));
  EXPECT_EQ(ReadAll(PrivatePath()),
            "; mine\n[DoNotAsk]\nMod1=04000017\n[Ploven]\nA=1\nShowMoons=0\nErrorLog=YES\n");
  EXPECT_EQ(ReadAll(ProfilePath()), "[intl]\nsDate=.\n[Ploven]\nB=2\nShowMoons=0\nErrorLog=YES\n");

  Settings reopened = Open();
  EXPECT_EQ(reopened.ReadInt("ShowMoons", 10001), 0);
  EXPECT_EQ(reopened.ReadPrivate("DoNotAsk", "MOD1"), "04000017");
}

TEST_F(SettingsTest, BatchSavesOnceAtTheEnd) {
  Settings s = Open();
  {
    Settings::Batch batch(s);
    ASSERT_TRUE(s.WriteInt("A", 1));
    ASSERT_TRUE(s.WriteInt("B", 2));
    EXPECT_FALSE(std::filesystem::exists(PrivatePath()));
    EXPECT_EQ(s.ReadInt("B", 10000), 2);
  }
  EXPECT_EQ(ReadAll(PrivatePath()), "[Ploven]\nA=1\nB=2\n");
  EXPECT_EQ(ReadAll(ProfilePath()), "[Ploven]\nA=1\nB=2\n");
}

TEST_F(SettingsTest, SeesChangesMadeByAnotherProgram) {
  WritePrivate("[Ploven]\nOutlookExceptionOccurred=0\n");
  Settings s = Open();
  EXPECT_EQ(s.ReadInt("OutlookExceptionOccurred", 10000), 0);
  WritePrivate("[Ploven]\nOutlookExceptionOccurred=1\nOther=x\n");
  EXPECT_EQ(s.ReadInt("OutlookExceptionOccurred", 10000), 1);
  ASSERT_TRUE(s.WriteInt("OutlookExceptionOccurred", 0));
  EXPECT_EQ(ReadAll(PrivatePath()), "[Ploven]\nOutlookExceptionOccurred=0\nOther=x\n");
}

TEST_F(SettingsTest, FlagTicksTheMenuItem) {
  WritePrivate("[Ploven]\nOn=3\nOff=0\n");
  Settings s = Open();
  std::vector<bool> ticks;
  EXPECT_EQ(s.ReadFlag("On", 10000, [&](bool t) { ticks.push_back(t); }), 3);
  EXPECT_EQ(s.ReadFlag("Off", 10001, [&](bool t) { ticks.push_back(t); }), 0);
  EXPECT_EQ(s.ReadFlag("Missing", 10001, [&](bool t) { ticks.push_back(t); }), 1);
  EXPECT_EQ(ticks, (std::vector<bool>{true, false, true}));
}

TEST_F(SettingsTest, ColoursReadLikeAtol) {
  WritePrivate("[Ploven]\nC1=255\nC2= 12abc\nC3=abc\nC4=\n");
  Settings s = Open();
  EXPECT_EQ(s.ReadColour("C1", 7), 255u);
  EXPECT_EQ(s.ReadColour("C2", 7), 12u);
  EXPECT_EQ(s.ReadColour("C3", 7), 0u);
  EXPECT_EQ(s.ReadColour("C4", 7), 7u);
  EXPECT_EQ(s.ReadColour("Missing", 13107199), 13107199u);
}

TEST_F(SettingsTest, RectanglesNeedAllFourNumbers) {
  WritePrivate("[Ploven]\nShort=1 2 3\nBad=1 x 3 4\n");
  Settings s = Open();
  ASSERT_TRUE(s.WriteRect("TimerPos", {10, -20, 300, 400}));
  EXPECT_EQ(s.ReadString("TimerPos"), "10 -20 300 400");
  EXPECT_EQ(s.ReadRect("TimerPos"), (SettingsRect{10, -20, 300, 400}));
  EXPECT_FALSE(s.ReadRect("Short"));
  EXPECT_FALSE(s.ReadRect("Bad"));
  EXPECT_FALSE(s.ReadRect("Missing"));
}

TEST_F(SettingsTest, RegionalSettingsFromTheProfile) {
  WriteProfile(
      "[intl]\niDate=1\niTime=1\niCountry=213\nsCurrency=EURO$\nsDate=-x\nsTime=\n"
      "sShortDate=dd.MM.yyyy  extra\n");
  Settings s = Open();
  const Regional r = ReadRegional(s.Profile());
  EXPECT_EQ(r.iDate, 1);
  EXPECT_TRUE(r.Uses24Hour());
  EXPECT_EQ(r.iTLZero, 0);
  EXPECT_EQ(r.iCountry, 213);
  EXPECT_EQ(r.sCurrency, "EURO");
  EXPECT_EQ(r.sDate, '-');
  EXPECT_EQ(r.sTime, ':');
  EXPECT_EQ(r.sShortDate, "dd.MM.yyyy");

  const Regional none = ReadRegional(IniFile());
  EXPECT_EQ(none.iCountry, 1);
  EXPECT_EQ(none.sCurrency, "$");
  EXPECT_EQ(none.sDate, '/');
  EXPECT_EQ(none.sShortDate, "mm/dd/yy");
}

}  // namespace
}  // namespace ploven
