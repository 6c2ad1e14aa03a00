// The companion's small parts: reading the main program's settings file, its log lines, the
// watchdog's verdicts and its command line.
#include "plugin/companion_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "plugin/companion_log.h"
#include "plugin/companion_program.h"
#include "plugin/companion_watchdog.h"

namespace ploven::test {
namespace {

using namespace calendar;
using namespace std::chrono_literals;

struct IniCase {
  const char* name;
  const char* ini;
  bool toPloven;
  bool appointments;
  bool tasks;
  const char* folder;  // relative to the data folder "/data"
};

void PrintTo(const IniCase& c, std::ostream* os) { *os << c.name; }

class SettingsFile : public ::testing::TestWithParam<IniCase> {};

TEST_P(SettingsFile, ReadsTheSwitchesAsTheMainProgramDoes) {
  const IniCase& c = GetParam();
  const CompanionSettings s = ParseCompanionSettings(c.ini, QStringLiteral("/data"));
  EXPECT_EQ(s.toPloven, c.toPloven);
  EXPECT_EQ(s.appointmentsToPloven, c.appointments);
  EXPECT_EQ(s.tasksToPloven, c.tasks);
  EXPECT_EQ(s.folder.toStdString(), c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFile,
    ::testing::Values(
        IniCase{"Missing", "", false, true, true, "/data/calendar"},
        IniCase{"AsWritten",
                "[Ploven]\nOutlookToPloven=1\nOutlookToPlovenAppts=0\nOutlookToPlovenTasks=1\n"
                "CalendarFolder=/home/me/cal\n",
                true, false, true, "/home/me/cal"},
        IniCase{
            "CaseAndBlanksAndQuotes",
            "\xEF\xBB\xBF[ploven]\r\n  outlooktoploven = \"1\" \r\nCALENDARFOLDER = 'my cal'\r\n",
            true, true, true, "/data/my cal"},
        IniCase{"FirstOfAKeyWins", "[Ploven]\nOutlookToPloven=1\nOutlookToPloven=0\n", true, true,
                true, "/data/calendar"},
        IniCase{"OtherSectionsAreNotRead",
                "[DoNotAsk]\nOutlookToPloven=1\n[Ploven]\nOutlookToPlovenTasks=0\n[intl]\n"
                "OutlookToPlovenTasks=1\n",
                false, true, false, "/data/calendar"},
        IniCase{"ADamagedHeaderEndsTheSection",
                "[Ploven]\nOutlookToPlovenAppts=0\n[\nOutlookToPloven=1\n", false, false, true,
                "/data/calendar"},
        IniCase{"LeadingNumberEmptyAndComments",
                "[Ploven]\n; OutlookToPloven=1\nOutlookToPloven=2x\nOutlookToPlovenAppts=\n"
                "OutlookToPlovenTasks=no\n",
                true, true, false, "/data/calendar"},
        IniCase{"RelativeFolderIsTheDataFolders", "[Ploven]\nCalendarFolder=sub/../cal\n", false,
                true, true, "/data/cal"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SettingsFileServer, NamesTheServerOnlyWhenTheKindSaysSo) {
  const CompanionSettings server = ParseCompanionSettings(
      "[Ploven]\nCalendarKind=Server\nCalendarServerUrl=http://127.0.0.1:5232/me/cal/\n"
      "CalendarServerUser=me\n",
      QStringLiteral("/data"));
  EXPECT_TRUE(server.server);
  EXPECT_EQ(server.serverUrl, QStringLiteral("http://127.0.0.1:5232/me/cal/"));
  EXPECT_EQ(server.serverUser, QStringLiteral("me"));
  EXPECT_FALSE(ParseCompanionSettings("[Ploven]\nCalendarKind=folder\nCalendarServerUrl=http://x/\n",
                                      QStringLiteral("/data"))
                   .server);
  EXPECT_FALSE(ParseCompanionSettings("", QStringLiteral("/data")).server);
}

TEST(SettingsReader, ReadsTheFileAgainWhenItChanged) {
  QTemporaryDir dir;
  CompanionSettingsReader reader(dir.path());
  EXPECT_FALSE(reader.Read().toPloven);
  QFile file(QDir(dir.path()).filePath(QStringLiteral("Ploven.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Ploven]\nOutlookToPloven=1\n");
  file.close();
  EXPECT_TRUE(reader.Read().toPloven);
  EXPECT_EQ(reader.Read().folder, QDir(dir.path()).filePath(QStringLiteral("calendar")));
}

TEST(CompanionLogLine, IsTheTimeAndTheTextCutTo150Characters) {
  const QDateTime when(QDate(2026, 12, 9), QTime(8, 5, 3));
  EXPECT_EQ(LogLineText(when, QStringLiteral("started")),
            QStringLiteral(" 12/09/26 08:05:03 started"));
  const QString line = LogLineText(when, QString(200, QLatin1Char('x')));
  EXPECT_EQ(line.size(), 19 + 150);
  // One event, one line.
  EXPECT_EQ(LogLineText(when, QStringLiteral("a\nb")), QStringLiteral(" 12/09/26 08:05:03 a b"));
}

TEST(CompanionLogLine, AFullLogMakesRoomAndKeepsTheOneBefore) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("ploven-calendar.log"));
  FileCompanionLog log(path, {}, 100);
  for (int i = 0; i < 20; ++i) log.Line(QStringLiteral("line %1").arg(i));
  const QFileInfo now(path), old(path + QStringLiteral(".old"));
  ASSERT_TRUE(old.exists());
  EXPECT_LE(now.size(), 100 + 40);
  EXPECT_LE(old.size(), 100 + 40);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("line 19")) << "the newest line is in the log";
}

TEST(CompanionLogLine, AppendsAndDropsWhatCannotBeWritten) {
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("ploven-calendar.log"));
  FileCompanionLog log(path, [] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
  log.Line(QStringLiteral("one"));
  log.Line(QStringLiteral("two"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray(" 01/02/26 03:04:05 one\n 01/02/26 03:04:05 two\n"));
  FileCompanionLog nowhere(QDir(dir.path()).filePath(QStringLiteral("no/such/folder/log")));
  nowhere.Line(QStringLiteral("dropped"));  // no throw, no file
  EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("no"))));
}

struct WatchCase {
  std::chrono::milliseconds sinceStart;
  std::chrono::milliseconds sinceLastFrame;
  bool toPloven;
  bool workInHand;
  bool unsent;
  WatchdogVerdict verdict;
};

TEST(Watchdog, EndsWhenIdleAndReplacesItselfWhenOld) {
  const WatchdogPeriods p;  // 60 s idle, 15 min
  const WatchCase cases[] = {
      {10s, 10s, false, false, false, WatchdogVerdict::kStay},
      {70s, 59s, false, false, false, WatchdogVerdict::kStay},
      {70s, 60s, false, false, false, WatchdogVerdict::kEnd},
      {70s, 600s, true, false, false, WatchdogVerdict::kStay},  // changes go back: it stays
      {900s, 1s, false, false, false, WatchdogVerdict::kReplace},
      {900s, 1s, true, false, false, WatchdogVerdict::kReplace},
      {900s, 1s, true, true, false, WatchdogVerdict::kStay},  // the records in hand first
      {70s, 600s, false, true, false, WatchdogVerdict::kStay},
      // Records waiting for a server keep it, but a fresh process may take them over.
      {70s, 600s, false, false, true, WatchdogVerdict::kStay},
      {900s, 600s, false, false, true, WatchdogVerdict::kReplace},
  };
  for (const WatchCase& c : cases) {
    EXPECT_EQ(Watch(c.sinceStart, c.sinceLastFrame, c.toPloven, c.workInHand, c.unsent, p),
              c.verdict)
        << c.sinceStart.count() << " " << c.sinceLastFrame.count();
  }
}

TEST(Watchdog, PeriodsComeFromTheEnvironmentWhenSensible) {
  WatchdogPeriods p = PeriodsFromEnvironment("0.5", "2");
  EXPECT_EQ(p.idle, 500ms);
  EXPECT_EQ(p.replace, 2000ms);
  for (const char* bad : {"", "0", "-3", "soon", "nan"}) {
    p = PeriodsFromEnvironment(bad, bad);
    EXPECT_EQ(p.idle, 60s) << bad;
    EXPECT_EQ(p.replace, 900s) << bad;
  }
}

TEST(CompanionArgumentsTest, NeedBothTheDataFolderAndTheSocket) {
  const auto a = ParseCompanionArguments({"ploven-calendar", "--socket", "/run/s", "--data=/d"});
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->dataFolder, QStringLiteral("/d"));
  EXPECT_EQ(a->socketPath, QStringLiteral("/run/s"));
  EXPECT_FALSE(ParseCompanionArguments({"ploven-calendar", "--data", "/d"}).has_value());
  EXPECT_FALSE(
      ParseCompanionArguments({"ploven-calendar", "--data", "/d", "--socket"}).has_value());
  EXPECT_FALSE(ParseCompanionArguments({"ploven-calendar", "--data", "/d", "--socket", "/s", "-x"})
                   .has_value());
}

}  // namespace
}  // namespace ploven::test
