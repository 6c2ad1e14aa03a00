#include "platform/program_settings.h"

#include <gtest/gtest.h>

#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "temp_folder.h"

namespace ploven {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

class ProgramSettingsTest : public ::testing::Test {
 protected:
  Settings Open() {
    Settings s(m_dir / "Ploven.ini", m_dir / "profile.ini");
    EXPECT_TRUE(s.Load());
    return s;
  }
  TempFolder m_dir;
};

TEST_F(ProgramSettingsTest, EmptyFilesGiveTheDefaults) {
  Settings s = Open();
  ProgramSettings p;
  p.worldTimeline = 0;  // overwritten by the load
  p.Load(s, LocaleFacts{true, 2, 1});
  EXPECT_EQ(p.worldTimeline, 1);
  EXPECT_EQ(p.showMoons, 1);
  EXPECT_EQ(p.balanceLightensLoad, 0);
  EXPECT_EQ(p.weekStartsMon, 1);
  EXPECT_EQ(p.firstWeekRule, 2);
  EXPECT_EQ(p.autoPilotTimerVar, 19);
  EXPECT_EQ(p.suppressAlarmsUntilDate, 32508);
  EXPECT_EQ(p.minFreeLenShow, 9999);
  EXPECT_EQ(p.filterMinimumDurMinutes, 60);
  EXPECT_EQ(p.errorLog, "NO");
  EXPECT_FALSE(p.ErrorLogOn());
  EXPECT_EQ(p.colorNormalBackground, 13107199u);
  EXPECT_EQ(p.colorDone, 4629503u);
  EXPECT_FALSE(p.timerPos);
  EXPECT_EQ(p.workday, (std::array<int, 7>{0, 1, 1, 1, 1, 1, 0}));
}

TEST(DefaultWorkdays, WeekendByCountry) {
  using W = std::array<int, 7>;  // Sunday .. Saturday
  const W thuFri{1, 1, 1, 1, 0, 0, 1};
  const W friSat{1, 1, 1, 1, 1, 0, 0};
  const W satSun{0, 1, 1, 1, 1, 1, 0};
  for (int c : {20, 213}) EXPECT_EQ(DefaultWorkdays(c), thuFri) << c;
  for (int c : {212, 216, 218, 222}) EXPECT_EQ(DefaultWorkdays(c), friSat) << c;
  for (int c : {1, 44, 49, 214, -43}) EXPECT_EQ(DefaultWorkdays(c), satSun) << c;
}

TEST_F(ProgramSettingsTest, StoredValuesWinAndPlovenOutlookIsWrittenBackAsOneOrZero) {
  WriteAll(m_dir / "Ploven.ini",
           "[Ploven]\nShowMoons=0\nPlovenOutlook=5\nColorDone=255\nTimerPos=1 2 3 4\n"
           "ErrorLog=yes\nWorkday5=1\nPopCalTiled=1\n");
  Settings s = Open();
  ProgramSettings p;
  std::vector<std::pair<int, bool>> ticks;
  p.Load(s, LocaleFacts{false, 0, 213}, [&](int command, bool on) {
    ticks.push_back({command, on});
  });
  EXPECT_EQ(p.showMoons, 0);
  EXPECT_EQ(p.plovenOutlook, 1);
  EXPECT_EQ(s.ReadString("PlovenOutlook"), "1");
  EXPECT_EQ(p.colorDone, 255u);
  EXPECT_EQ(p.timerPos, (SettingsRect{1, 2, 3, 4}));
  EXPECT_TRUE(p.ErrorLogOn());
  EXPECT_EQ(p.weekStartsMon, 0);
  EXPECT_EQ(p.workday, (std::array<int, 7>{1, 1, 1, 1, 0, 1, 1}));
  EXPECT_EQ(ticks, (std::vector<std::pair<int, bool>>{{kPopCalTiledCommand, true}}));
}

TEST_F(ProgramSettingsTest, ExtremeLoggingIsAnnounced) {
  WriteAll(m_dir / "Ploven.ini", "[Ploven]\nErrorLogExtreme=1\n");
  Settings s = Open();
  ProgramSettings p;
  std::vector<std::string> logged;
  p.Load(s, {}, {}, [&](const std::string& line) { logged.push_back(line); });
  EXPECT_EQ(logged, (std::vector<std::string>{"Extreme error logging is on."}));
}

TEST_F(ProgramSettingsTest, WriteAllIsSkippedDuringStartUp) {
  Settings s = Open();
  ProgramSettings p;
  p.Load(s, {});
  const std::string before = ReadAll(m_dir / "Ploven.ini");
  EXPECT_FALSE(p.WriteAll(s, /*startupInProgress=*/true, 123, LayoutRecord{}));
  EXPECT_EQ(ReadAll(m_dir / "Ploven.ini"), before);
}

TEST_F(ProgramSettingsTest, WriteAllRoundTripsThroughBothFiles) {
  WriteAll(m_dir / "Ploven.ini", "; keep me\n[DoNotAsk]\nX1=04000017\n");
  {
    Settings s = Open();
    ProgramSettings p;
    p.Load(s, {});
    p.balanceLightensLoad = 1;
    p.nBatting = 5;
    p.minFreeLenShow = 30;
    p.workday[3] = 0;
    LayoutRecord layout;
    layout.viewCommand = Command::kMonthView;
    ASSERT_TRUE(p.WriteAll(s, false, 42, layout));
  }
  for (const char* file : {"Ploven.ini", "profile.ini"}) {
    // Either file alone carries the settings.
    std::filesystem::copy_file(m_dir / file, m_dir / "only.ini",
                               std::filesystem::copy_options::overwrite_existing);
    Settings alone(m_dir / "none.ini", m_dir / "only.ini");
    ASSERT_TRUE(alone.Load());
    ProgramSettings p;
    p.Load(alone, {});
    EXPECT_EQ(p.balanceLightensLoad, 1) << file;
    EXPECT_EQ(p.nBatting, 5) << file;
    EXPECT_EQ(p.minFreeLenShow, 30) << file;
    EXPECT_EQ(p.workday[3], 0) << file;
    LayoutRecord layout;
    ReadLayoutRecord(alone, 42, layout);
    EXPECT_EQ(layout.viewCommand, Command::kMonthView) << file;
  }
  const std::string text = ReadAll(m_dir / "Ploven.ini");
  EXPECT_EQ(text.rfind("; keep me\n[DoNotAsk]\nX1=04000017\n", 0), 0u);
}

TEST_F(ProgramSettingsTest, ADialogWritesOneKeyOrTheWorkdaysAndTheLoadReadsThemBack) {
  {
    Settings s = Open();
    ProgramSettings p;
    p.Load(s, {});
    p.autoPilot = 1;
    p.expectedReturnsActive = 1;
    p.nBatting = 7;  // not written: only the named keys go out
    p.workday = {1, 0, 1, 1, 1, 1, 1};
    EXPECT_TRUE(p.WriteInt(s, "AutoPilot"));
    EXPECT_TRUE(p.WriteInt(s, "ExpectedReturnsActive"));
    EXPECT_TRUE(p.WriteWorkdays(s));
    EXPECT_FALSE(p.WriteInt(s, "NoSuchSetting"));
    EXPECT_FALSE(p.WriteInt(s, "ErrorLog"));  // a text, not an integer
  }
  Settings s = Open();
  ProgramSettings p;
  p.Load(s, {});
  EXPECT_EQ(p.autoPilot, 1);
  EXPECT_EQ(p.expectedReturnsActive, 1);
  EXPECT_EQ(p.autoBalanceDay, 0);
  EXPECT_EQ(p.nBatting, 3);
  EXPECT_EQ(p.workday, (std::array<int, 7>{1, 0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(s.ReadString("NoSuchSetting"), "");
}

TEST_F(ProgramSettingsTest, ErrorLogYesSendsTraceEntriesStraightToTheLog) {
  for (const char* value : {"YES", "yes", "Yes"}) {
    TempFolder dir;
    WriteAll(dir / "Ploven.ini", std::string("[Ploven]\nErrorLog=") + value + "\n");
    Settings s(dir / "Ploven.ini", dir / "profile.ini");
    ASSERT_TRUE(s.Load());
    ProgramSettings p;
    p.Load(s, {});
    SettableClock clock(1, 1);
    ErrorLog log(dir / "PlovenErrorLog.txt", clock);
    EventTrace trace(log);
    trace.SetLogDirectly(p.ErrorLogOn());
    trace.Add("event#-40");
    EXPECT_EQ(trace.Count(), 0u) << value;
    EXPECT_NE(ReadAll(dir / "PlovenErrorLog.txt").find("event#-40\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace ploven
