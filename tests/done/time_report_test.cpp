#include "done/time_report.h"

#include <fstream>

#include "done/done_month_list.h"
#include "engine/engine_fixture.h"
#include "store/calendar.h"

namespace ploven::test {
namespace {

// A month's log written by hand, one damaged line, and a day the schedule still holds. The sums
// below were worked out by hand from these lines.
class TimeReportTest : public EngineTest {
 protected:
  static DayNumber March(int day) { return static_cast<DayNumber>(MakeDay(3, day, 2026)); }

  void SetUp() override {
    EngineTest::SetUp();
    text.regional.iTime = 1;
    std::ofstream((env.dir / "Mar26.log").string(), std::ios::binary)
        << "03/02/26\t09:00\t 30\t\tMail\tAdmin\t0\t0.00\t0\r\n"
        << "03/02/26\t10:00\t 90\t\tDesign\tClient A\t311\t12.50\t20\r\n"
        << "03/03/26\t09:30\t 45\t\tDesign\tClient A\t311\t0.00\t0\r\n"
        << "03/09/26\t14:00\t 60\t\tCalls\tAdmin\t0\t3.25\t5\r\n"
        << "03/09/26\tsoon\t 60\t\tBroken\tAdmin\t0\t0.00\t0\r\n";
    s.header().setLastArchivedDate(March(9));
    Fixed("Drafting", March(10), At(9), 120, AF_DONE);
    Fixed("Not done yet", March(10), At(13), 30);
    Fixed("Next month", static_cast<DayNumber>(MakeDay(4, 1, 2026)), At(9), 15, AF_DONE);
  }

  DoneLogContents Work(DayNumber from, DayNumber to) {
    return DoneWorkBetween(s, fs, env.dir.path().string(), from, to, text);
  }

  DateText text;
  PosixFileSystem fs;
};

TEST_F(TimeReportTest, ByProjectAddsTheLogsAndTheScheduleTogether) {
  const DoneLogContents work = Work(March(1), March(31));
  ASSERT_EQ(work.problems.size(), 1u);
  EXPECT_EQ(work.problems[0].line, 5);
  EXPECT_NE(work.problems[0].file.find("Mar26.log"), std::string::npos);
  const TimeReport r = BuildTimeReport(work.entries, March(1), March(31), TimeReportBy::kProject);
  ASSERT_EQ(r.rows.size(), 3u);
  EXPECT_EQ(r.rows[0].project, "");
  EXPECT_EQ(r.rows[0].minutes, 120);
  EXPECT_EQ(r.rows[1].project, "Admin");
  EXPECT_EQ(r.rows[1].minutes, 90);
  EXPECT_EQ(r.rows[1].items, 2);
  EXPECT_DOUBLE_EQ(r.rows[1].expense, 3.25);
  EXPECT_EQ(r.rows[1].mileage, 5);
  EXPECT_EQ(r.rows[2].project, "Client A");
  EXPECT_EQ(r.rows[2].minutes, 135);
  EXPECT_DOUBLE_EQ(r.rows[2].expense, 12.5);
  EXPECT_EQ(r.rows[2].mileage, 20);
  EXPECT_EQ(r.minutes, 345);
  EXPECT_DOUBLE_EQ(r.expense, 15.75);
  EXPECT_EQ(r.mileage, 25);
}

TEST_F(TimeReportTest, ByWeekAndByDay) {
  const DoneLogContents work = Work(March(1), March(31));
  const TimeReport weeks = BuildTimeReport(work.entries, March(1), March(31), TimeReportBy::kWeek);
  // 2 March 2026 is a Monday.
  struct Want {
    DayNumber period;
    const char* project;
    int minutes;
  };
  const Want wantWeeks[] = {{March(2), "Admin", 30},
                            {March(2), "Client A", 135},
                            {March(9), "", 120},
                            {March(9), "Admin", 60}};
  ASSERT_EQ(weeks.rows.size(), std::size(wantWeeks));
  for (size_t i = 0; i < weeks.rows.size(); ++i) {
    EXPECT_EQ(weeks.rows[i].period, wantWeeks[i].period) << i;
    EXPECT_EQ(weeks.rows[i].project, wantWeeks[i].project) << i;
    EXPECT_EQ(weeks.rows[i].minutes, wantWeeks[i].minutes) << i;
  }
  const TimeReport days = BuildTimeReport(work.entries, March(1), March(31), TimeReportBy::kDay);
  const Want wantDays[] = {{March(2), "Admin", 30},
                           {March(2), "Client A", 90},
                           {March(3), "Client A", 45},
                           {March(9), "Admin", 60},
                           {March(10), "", 120}};
  ASSERT_EQ(days.rows.size(), std::size(wantDays));
  for (size_t i = 0; i < days.rows.size(); ++i) {
    EXPECT_EQ(days.rows[i].period, wantDays[i].period) << i;
    EXPECT_EQ(days.rows[i].project, wantDays[i].project) << i;
    EXPECT_EQ(days.rows[i].minutes, wantDays[i].minutes) << i;
  }
}

TEST_F(TimeReportTest, ARangeTakesOnlyItsDays) {
  const TimeReport r =
      BuildTimeReport(Work(March(3), March(9)).entries, March(3), March(9), TimeReportBy::kProject);
  EXPECT_EQ(r.minutes, 105);
  const TimeReport april = BuildTimeReport(Work(March(10), MakeDay(4, 30, 2026)).entries, March(10),
                                           MakeDay(4, 30, 2026), TimeReportBy::kProject);
  EXPECT_EQ(april.minutes, 135);  // the schedule's two done items; no April log
}

TEST_F(TimeReportTest, CsvQuotesWhatNeedsItAndEndsWithTheTotals) {
  DoneLogFields a;
  a.day = March(2);
  a.project = "Smith, \"Jr\"";
  a.duration = 90;
  a.expense = 2.5;
  const TimeReport r = BuildTimeReport({a}, March(1), March(31), TimeReportBy::kDay);
  EXPECT_EQ(TimeReportCsv(r, TimeReportBy::kDay, text),
            "day,project,minutes,hours,items,expense,mileage\n"
            "03/02/26,\"Smith, \"\"Jr\"\"\",90,1.50,1,2.50,0\n"
            ",total,90,1.50,,2.50,0\n");
}

// The viewed month's list: the log's lines, then the schedule's done items with their tasks.
TEST_F(TimeReportTest, TheMonthsListJoinsTheLogAndTheSchedule) {
  const DoneMonthList list = MonthDoneItems(s, fs, env.dir.path().string(), March(20), text);
  ASSERT_EQ(list.entries.size(), 5u);
  EXPECT_EQ(list.problems.size(), 1u);
  EXPECT_EQ(list.entries[0].task, nullptr);
  EXPECT_EQ(list.entries[4].fields.title, "Drafting");
  ASSERT_NE(list.entries[4].task, nullptr);
  EXPECT_EQ(s.GetActNameFull(list.entries[4].task->act), "Drafting");

  struct Case {
    DoneListFilter filter;
    int items, minutes;
    double expense;
  };
  const Case cases[] = {
      {{}, 5, 345, 15.75},
      {{false, "Admin", ""}, 2, 90, 3.25},
      {{false, "", ""}, 1, 120, 0},              // no project
      {{true, "", "design"}, 2, 135, 12.5},      // words in any case
      {{true, "", "  DESIGN  mail "}, 0, 0, 0},  // every word must be there
      {{false, "Client A", "design"}, 2, 135, 12.5},
  };
  for (const Case& c : cases) {
    const DoneListTotals t = TotalsShown(list.entries, c.filter);
    EXPECT_EQ(t.items, c.items) << c.filter.project << "/" << c.filter.words;
    EXPECT_EQ(t.minutes, c.minutes) << c.filter.project << "/" << c.filter.words;
    EXPECT_DOUBLE_EQ(t.expense, c.expense) << c.filter.project << "/" << c.filter.words;
  }
}

}  // namespace
}  // namespace ploven::test
