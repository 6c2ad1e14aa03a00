#include "store/project_reports.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "store/project_messages.h"
#include "store/projects.h"
#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace pt = project_text;

// Recognisable stand-ins for the program's date and time formats.
ReportFormat TestFormat(bool weekStartsMonday = false) {
  static const char* const kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  ReportFormat f;
  f.dateLong = [](DayNumber d) { return "L" + std::to_string(d); };
  f.date = [](DayNumber d) { return "d" + std::to_string(d); };
  f.weekdayName = [](DayNumber d) { return std::string(kNames[(d + 1) % 7]); };
  f.duration = [](int m) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d", m / 60, m % 60);
    return std::string(buf);
  };
  f.weekStartsMonday = weekStartsMonday;
  return f;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class ProjectReportsTest : public ScheduleTest {
 protected:
  ActHandle Project(const std::string& title, bool tagged = false) {
    const ActHandle h = NewProject(s, Act{}, title);
    if (tagged) ToggleProjectTag(s, h);
    return h;
  }
  ActHandle ItemOf(ActHandle project, DayNumber date, uint32_t flags, Duration minutes,
                   const std::string& title = "work") {
    const ActHandle h = Item(title, date, flags, minutes);
    s.LockAct(h).projectID = s.ReadAct(project).ID;
    return h;
  }
  ReportFormat format = TestFormat();
};

// ---- Daily Time By Project ---------------------------------------------------------------

TEST_F(ProjectReportsTest, DailyFileIsTabSeparatedWithCrLfAndTwoDecimalHours) {
  const ActHandle beta = Project("Beta");
  const ActHandle alpha = Project("Alpha");
  const ActHandle done = Project("Zulu");
  s.LockAct(done).flags |= AF_DONE;
  ItemOf(alpha, kToday, AF_DONE, 90);
  ItemOf(alpha, kToday, 0, 45);  // not done: not counted
  ItemOf(beta, kToday, AF_DONE, 20);
  ItemOf(done, kToday + 1, AF_DONE, 6);
  Item("loose", kToday, AF_DONE, 60);

  const std::string expected =
      "\tAlpha\tBeta\tZulu\tTotal\r\n"
      "L17144\t1.50\t0.33\t0.00\t1.83\r\n"
      "L17145\t0.00\t0.00\t0.10\t0.10\r\n";
  // Dates given the wrong way round are taken in order.
  EXPECT_EQ(DailyTimeByProjectText(s, kToday + 1, kToday, format), expected);

  const auto path = env.dir / "report.txt";
  std::vector<DayNumber> shown;
  const ReportFileResult r = WriteDailyTimeByProjectReport(
      s, path, kToday, kToday + 1, format, {}, [&](DayNumber d) { shown.push_back(d); });
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.message, pt::kReportSaved);
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(shown, (std::vector<DayNumber>{kToday, kToday + 1}));
}

TEST_F(ProjectReportsTest, HeaderStopsGrowingAndEveryLineKeepsItsColumns) {
  for (int i = 0; i < 60; ++i) Project(std::string(90, static_cast<char>('a' + i % 26)));
  const std::string text = DailyTimeByProjectText(s, kToday, kToday + 2, format);
  std::istringstream lines(text);
  std::string header;
  std::getline(lines, header, '\n');
  EXPECT_LE(header.size(), 3960u + std::string("\tTotal\r").size());
  EXPECT_EQ(header.substr(header.size() - 7), "\tTotal\r");
  const size_t columns = Count(header, "\t");
  EXPECT_LT(columns, 61u);
  std::string line;
  int n = 0;
  while (std::getline(lines, line, '\n')) {
    EXPECT_EQ(Count(line, "\t"), columns) << line;
    ++n;
  }
  EXPECT_EQ(n, 3);
}

TEST_F(ProjectReportsTest, ReportFileFailuresNameTheFile) {
  const auto missing = env.dir / "no such folder" / "report.txt";
  const ReportFileResult open = WriteDailyTimeByProjectReport(s, missing, kToday, kToday, format);
  EXPECT_FALSE(open.ok);
  EXPECT_EQ(open.message, "Unable to open file " + missing.string() + " .");
  // A missing date is refused before the file is touched.
  const auto path = env.dir / "report.txt";
  EXPECT_EQ(WriteDailyTimeByProjectReport(s, path, 0, kToday, format).message,
            pt::kReportLineFailed);
  EXPECT_FALSE(std::filesystem::exists(path));

  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const ReportFileResult full =
      WriteDailyTimeByProjectReport(s, "/dev/full", kToday, kToday, format);
  EXPECT_FALSE(full.ok);
  EXPECT_EQ(full.message, "Error writing to /dev/full file. The drive may be full.");
}

struct ExtensionCase {
  const char* given;
  const char* expected;
};
class TxtExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};
TEST_P(TxtExtensionTest, AddsTxtWhenMissing) {
  EXPECT_EQ(WithTxtExtension(GetParam().given), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Names, TxtExtensionTest,
                         ::testing::Values(ExtensionCase{"a/report", "a/report.txt"},
                                           ExtensionCase{"REPORT.TXT", "REPORT.TXT"},
                                           ExtensionCase{"txt", "txt.txt"}));

// ---- Viewed Day Turnover Score -----------------------------------------------------------

TEST_F(ProjectReportsTest, TurnoverScoreWithoutTimeStillShowsTheThreeTotals) {
  Project("Idle");
  const ReportText r = TurnoverScoreReport(s, kToday + 3, format);
  EXPECT_EQ(r.caption, "Viewed Day Turnover Score (by project)");
  EXPECT_EQ(r.text,
            "Projects:\n"
            "\nItems added in past:\t0:00 done, 0:00 not done\n"
            "Items added today:\t\t0:00 done, 0:00 not done\n"
            "Recurring items:\t\t0:00 done, 0:00 not done\n");
}

TEST_F(ProjectReportsTest, TurnoverScoreListsProjectsWithTimeAndSplitsItemsByAge) {
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  const ActHandle archive = Project("Archive");
  Project("Idle");
  s.LockAct(archive).flags |= AF_DONE;
  const DayNumber day = kToday - 2;
  ItemOf(garden, day, AF_DONE, 90);
  const ActHandle old = ItemOf(house, day, 0, 30);
  s.LockAct(old).createdDate = day - 5;
  ItemOf(archive, day, AF_DONE, 10);
  const ActHandle drone = Item("instance", day, AF_DONE, 15);
  s.LockAct(drone).flags |= AF_DRONE;

  const ReportText r = TurnoverScoreReport(s, day, format);
  // Items made today, after the viewed day, count as added that day or later.
  EXPECT_EQ(r.text,
            "Projects:\n"
            "Garden:             \t1:30 done, 0:00 not done\n"
            "House:              \t0:00 done, 0:30 not done\n"
            "\nItems added in past:\t0:00 done, 0:30 not done\n"
            "Items added today:\t\t1:40 done, 0:00 not done\n"
            "Recurring items:\t\t0:15 done, 0:00 not done\n");
}

TEST_F(ProjectReportsTest, TurnoverScoreOfAFutureDayMeasuresAgainstToday) {
  const DayNumber future = kToday + 4;
  const ActHandle madeYesterday = Item("a", future, 0, 20);
  s.LockAct(madeYesterday).createdDate = kToday - 1;
  const ActHandle madeToday = Item("b", future, AF_DONE, 40);
  ASSERT_EQ(s.ReadAct(madeToday).createdDate, kToday);
  const std::string text = TurnoverScoreReport(s, future, format).text;
  EXPECT_NE(text.find("Items added in past:\t0:00 done, 0:20 not done\n"), std::string::npos);
  EXPECT_NE(text.find("Items added today:\t\t0:40 done, 0:00 not done\n"), std::string::npos);
}

TEST_F(ProjectReportsTest, TurnoverPeriodIsTheWeekOrMonthOfTheViewedDay) {
  // Tuesday 8 December 2026; December runs from 17137 to 17167.
  EXPECT_EQ(TurnoverPeriodOf(kToday, false, false).first, 17142);
  EXPECT_EQ(TurnoverPeriodOf(kToday, false, false).last, 17148);
  EXPECT_EQ(TurnoverPeriodOf(kToday, false, true).first, 17143);
  EXPECT_EQ(TurnoverPeriodOf(kToday, false, true).last, 17149);
  EXPECT_EQ(TurnoverPeriodOf(kToday, true, false).first, 17137);
  EXPECT_EQ(TurnoverPeriodOf(kToday, true, false).last, 17167);
  EXPECT_EQ(TurnoverPeriodOf(17167, true, true).first, 17137);
}

TEST_F(ProjectReportsTest, WeekTurnoverSumsTheWeeksDaysOnly) {
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  ItemOf(garden, 17142, AF_DONE, 60);
  const ActHandle old = ItemOf(house, 17148, 0, 30);
  s.LockAct(old).createdDate = 17140;
  ItemOf(garden, 17149, AF_DONE, 600);  // the next week
  const ReportText r =
      PeriodTurnoverScoreReport(s, TurnoverPeriodOf(kToday, false, false), false, format);
  EXPECT_EQ(r.caption, "Week Turnover Score (by project)");
  EXPECT_EQ(r.text,
            "L17142 to L17148\n\n"
            "Projects:\n"
            "Garden:             \t1:00 done, 0:00 not done\n"
            "House:              \t0:00 done, 0:30 not done\n"
            "\nItems added before:\t0:00 done, 0:30 not done\n"
            "Items added during:\t\t1:00 done, 0:00 not done\n"
            "Recurring items:\t\t0:00 done, 0:00 not done\n");
  const ReportText month =
      PeriodTurnoverScoreReport(s, TurnoverPeriodOf(kToday, true, false), true, format);
  EXPECT_EQ(month.caption, "Month Turnover Score (by project)");
  EXPECT_NE(month.text.find("Garden:             \t11:00 done"), std::string::npos);
}

TEST_F(ProjectReportsTest, TheProgramsFormatsFillTheReports) {
  ItemOf(Project("Garden"), kToday, AF_DONE, 90);
  const DateText text;
  const ReportFormat f = ReportFormatFor(text, false);
  EXPECT_NE(TurnoverScoreReport(s, kToday, f)
                .text.find("Garden:             \t" + FormatDuration(90, text) + " done"),
            std::string::npos);
  EXPECT_EQ(DailyTaggedTimeReport(s, kToday, f)
                .text.find(WeekdayName(0, text) + "\t\t" + FormatDate(17142, text) + "\t\t"),
            0u);
  EXPECT_NE(DailyTimeByProjectText(s, kToday, kToday, f).find(FormatDateLong(kToday, text)),
            std::string::npos);
}

// ---- Tagged and Life Project reports -------------------------------------------------------

TEST_F(ProjectReportsTest, DailyTaggedTimeCoversTheWeekBeforeTheViewedDay) {
  const ActHandle tagged = Project("Tagged", true);
  const ActHandle other = Project("Other");
  // Today is Tuesday 17144; viewing today takes the week of Sunday 17142.
  ItemOf(tagged, 17142, AF_DONE, 60);
  ItemOf(tagged, 17143, 0, 45);  // not done
  ItemOf(other, 17143, AF_DONE, 30);
  ItemOf(tagged, 17148, AF_DONE, 15);
  ItemOf(tagged, 17149, AF_DONE, 600);  // the next week

  const ReportText r = DailyTaggedTimeReport(s, kToday, format);
  EXPECT_EQ(r.caption, "Daily Time Spent On Tagged Projects (7 days)");
  EXPECT_EQ(r.text,
            "Sun\t\td17142\t\t1.00 hours\n"
            "Mon\t\td17143\t\t0.00 hours\n"
            "Tue\t\td17144\t\t0.00 hours\n"
            "Wed\t\td17145\t\t0.00 hours\n"
            "Thu\t\td17146\t\t0.00 hours\n"
            "Fri\t\td17147\t\t0.00 hours\n"
            "Sat\t\td17148\t\t0.25 hours\n"
            "\nTotal time spent on tagged projects:\t\t1.25 hours\n\nOnly time from done items "
            "on tagged projects is included.\nDate range is work week containing the day before "
            "the viewed day\n(if future day, then current week is shown).");
}

TEST_F(ProjectReportsTest, DailyTaggedTimeWeekFollowsTheViewedDayAndTheWeekStart) {
  // A past viewed day: the week of the day before it. Sunday 17142 viewed: Saturday 17141.
  EXPECT_EQ(DailyTaggedTimeReport(s, 17142, format).text.substr(0, 9), "Sun\t\td171");
  EXPECT_NE(DailyTaggedTimeReport(s, 17142, format).text.find("d17135"), std::string::npos);
  // Weeks starting on Monday: today - 2 is Sunday 17142, in the week of Monday 17136.
  const std::string monday = DailyTaggedTimeReport(s, kToday + 9, TestFormat(true)).text;
  EXPECT_EQ(monday.substr(0, 13), "Mon\t\td17136\t\t");
  EXPECT_NE(monday.find("Sun\t\td17142"), std::string::npos);
}

TEST_F(ProjectReportsTest, WeeklyTaggedTimeSumsTwentySixWeeksBeforeTheViewedWeek) {
  const ActHandle tagged = Project("Tagged", true);
  const ActHandle other = Project("Other");
  const DayNumber w = 17142;              // Sunday of the viewed week
  ItemOf(tagged, w - 182, AF_DONE, 120);  // first day of the first week
  ItemOf(tagged, w - 1, AF_DONE, 60);     // last day of the last week
  ItemOf(tagged, w, AF_DONE, 600);        // the viewed week: left out
  ItemOf(tagged, w - 183, AF_DONE, 600);  // before the range
  ItemOf(other, w - 1, AF_DONE, 600);

  const ReportText r = WeeklyTaggedTimeReport(s, kToday, format);
  EXPECT_EQ(r.caption, "Weekly Time Spent On Tagged Projects (26 weeks)");
  EXPECT_EQ(Count(r.text, "Total for week ending "), 26u);
  EXPECT_EQ(r.text.find("Total for week ending L16966:\t2.00 hours\n"), 0u);
  EXPECT_NE(r.text.find("Total for week ending L16973:\t0.00 hours\n"), std::string::npos);
  EXPECT_NE(r.text.find("Total for week ending L17141:\t1.00 hours\n"
                        "\nAverage of above 26 weeks:\t\t0.12 hours\n\nOnly time from done "
                        "items on tagged projects included.\nDate range is up to last full work "
                        "week preceding viewed day."),
            std::string::npos);
}

TEST_F(ProjectReportsTest, WeeklyLifeTimeCountsProjectsMarkedWithTheBang) {
  const ActHandle life = Project("!Health");
  const ActHandle tagged = Project("Tagged", true);
  ItemOf(life, 17000, AF_DONE, 30);
  ItemOf(life, 17001, AF_DONE, 60);
  ItemOf(tagged, 17001, AF_DONE, 600);
  const ReportText r = WeeklyLifeTimeReport(s, kToday, format);
  EXPECT_EQ(r.caption, "Weekly Time Spent On Life Projects (26 weeks)");
  EXPECT_NE(r.text.find("Total for week ending L17001:\t1.50 hours\n"), std::string::npos);
  EXPECT_NE(r.text.find("\nAverage of above 26 weeks:\t\t0.06 hours\n\nOnly time from done "
                        "items on life projects included."),
            std::string::npos);
  EXPECT_EQ(Count(r.text, "\t0.00 hours"), 25u);
}

// Archived days are gone from the schedule; their work comes from the logs, by project name.
TEST_F(ProjectReportsTest, ArchivedWorkFromTheLogsCountsToo) {
  Project("Tagged", true);
  Project("Other");
  const ActHandle life = Project("!Health");
  s.header().setLastArchivedDate(17142);
  const std::vector<LoggedWork> logged = {
      {17142, "Tagged", 90},  {17142, "Other", 600},
      {17141, "Tagged", 30},  {17141, "Gone", 600},  // a project no longer in the schedule
      {17143, "Tagged", 600},  // not archived: the schedule has that day, not a log
      {17000, "!Health", 45},
  };
  ItemOf(life, 17001, AF_DONE, 15);
  const ReportText daily = DailyTaggedTimeReport(s, kToday, format, {}, logged);
  EXPECT_NE(daily.text.find("Sun\t\td17142\t\t1.50 hours\n"), std::string::npos) << daily.text;
  EXPECT_NE(daily.text.find("Mon\t\td17143\t\t0.00 hours\n"), std::string::npos);
  EXPECT_NE(daily.text.find("tagged projects:\t\t1.50 hours"), std::string::npos);
  const ReportText weekly = WeeklyTaggedTimeReport(s, kToday, format, {}, logged);
  EXPECT_NE(weekly.text.find("Total for week ending L17141:\t0.50 hours\n"), std::string::npos)
      << weekly.text;
  const ReportText lifeWeeks = WeeklyLifeTimeReport(s, kToday, format, {}, logged);
  EXPECT_NE(lifeWeeks.text.find("Total for week ending L17001:\t1.00 hours\n"), std::string::npos)
      << lifeWeeks.text;
}

// ---- Items the filter hides ---------------------------------------------------------------

constexpr DayNumber kDay = TestEnv::kToday;

struct HiddenCase {
  const char* name;
  DayNumber date;  // where the items stand
  std::function<std::string(const Schedule&, const ReportFormat&, const ItemFilter&)> report;
};

class HiddenItemsTest : public ProjectReportsTest,
                        public ::testing::WithParamInterface<HiddenCase> {};

// A hidden item counts as if it were not there; the items the filter lets through still count.
TEST_P(HiddenItemsTest, HiddenItemsLeaveNoTimeInTheReport) {
  const HiddenCase& c = GetParam();
  // A tagged Life Project, so that every report counts its done time.
  const ActHandle project = Project("!Health", true);
  ItemOf(project, c.date, AF_DONE, 60);
  const std::string without = c.report(s, format, {});
  const ActHandle hidden = ItemOf(project, c.date, AF_DONE, 600);
  const ItemFilter hides = [hidden](ActHandle h) { return h == hidden; };
  ASSERT_NE(c.report(s, format, {}), without) << "the second item must show in the report";
  EXPECT_EQ(c.report(s, format, hides), without);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, HiddenItemsTest,
    ::testing::Values(
        HiddenCase{"DailyTimeByProject", kDay,
                   [](const Schedule& s, const ReportFormat& f, const ItemFilter& h) {
                     return DailyTimeByProjectText(s, kDay - 1, kDay + 1, f, h);
                   }},
        HiddenCase{"TurnoverScore", kDay,
                   [](const Schedule& s, const ReportFormat& f, const ItemFilter& h) {
                     return TurnoverScoreReport(s, kDay, f, h).text;
                   }},
        HiddenCase{"DailyTaggedTime", kDay - 1,
                   [](const Schedule& s, const ReportFormat& f, const ItemFilter& h) {
                     return DailyTaggedTimeReport(s, kDay, f, h).text;
                   }},
        HiddenCase{"WeeklyTaggedTime", kDay - 3,
                   [](const Schedule& s, const ReportFormat& f, const ItemFilter& h) {
                     return WeeklyTaggedTimeReport(s, kDay, f, h).text;
                   }},
        HiddenCase{"WeeklyLifeTime", kDay - 3,
                   [](const Schedule& s, const ReportFormat& f, const ItemFilter& h) {
                     return WeeklyLifeTimeReport(s, kDay, f, h).text;
                   }},
        HiddenCase{"ProjectMinutes", kDay,
                   [](const Schedule& s, const ReportFormat&, const ItemFilter& h) {
                     const uint32_t id = FindProjectIDByName(s, "!Health");
                     return std::to_string(ProjectMinutes(s, id, kDay, kDoneTime, h));
                   }}),
    [](const ::testing::TestParamInfo<HiddenCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace ploven::test
