#include "dialogs/done_log_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

DoneListEntry Entry(DayNumber day, int duration, const char* title, const char* project,
                    double expense, TaskNode* task = nullptr) {
  DoneListEntry e;
  e.fields.day = day;
  e.fields.noBeganTime = true;
  e.fields.duration = duration;
  e.fields.title = title;
  e.fields.project = project;
  e.fields.expense = expense;
  e.task = task;
  return e;
}

class DoneLogWindowTest : public EngineTest {
 protected:
  int VisibleRows(const DoneLogWindow& w) {
    int n = 0;
    for (int row = 0; row < w.table()->rowCount(); ++row) n += !w.table()->isRowHidden(row);
    return n;
  }
  DateText text;
};

TEST_F(DoneLogWindowTest, FiltersAndTotalsWhatIsShown) {
  DoneMonthList list;
  list.entries = {
      Entry(kToday, 30, "Mail", "Admin", 0), Entry(kToday, 90, "Design", "Client", 12.5),
      Entry(kToday + 1, 45, "Design review", "Client", 0), Entry(kToday + 1, 15, "Tidy", "", 1)};
  DoneLogWindow w(list, "December", text, nullptr);
  EXPECT_EQ(VisibleRows(w), 4);
  EXPECT_TRUE(w.totalsLine()->text().startsWith("4 items shown: 3:00, expense 13.50"))
      << w.totalsLine()->text().toStdString();
  w.projectBox()->setCurrentText("Client");
  EXPECT_EQ(VisibleRows(w), 2);
  EXPECT_TRUE(w.totalsLine()->text().startsWith("2 items shown: 2:15, expense 12.50"));
  w.wordsField()->setText("review");
  EXPECT_EQ(VisibleRows(w), 1);
  w.projectBox()->setCurrentIndex(1);  // no project
  w.wordsField()->clear();
  EXPECT_EQ(VisibleRows(w), 1);
  EXPECT_TRUE(w.totalsLine()->text().startsWith("1 items shown: :15, expense 1.00"))
      << w.totalsLine()->text().toStdString();
}

TEST_F(DoneLogWindowTest, DurationsSortAsNumbersAndDamageIsTold) {
  DoneMonthList list;
  list.entries = {Entry(kToday, 100, "A", "", 0), Entry(kToday, 9, "B", "", 0),
                  Entry(kToday, 20, "C", "", 0)};
  list.problems.push_back({"Dec26.log", 7, "the date \"x\" cannot be read"});
  DoneLogWindow w(list, "December", text, nullptr);
  w.table()->sortByColumn(2, Qt::AscendingOrder);
  EXPECT_EQ(w.table()->item(0, 3)->text(), "B");
  EXPECT_EQ(w.table()->item(2, 3)->text(), "A");
  EXPECT_TRUE(w.problemsLine()->text().contains("Dec26.log, line 7"));
}

TEST_F(DoneLogWindowTest, DoubleClickOpensOnlyItemsStillInTheSchedule) {
  const ActHandle h = Fixed("Call", kToday, At(9), 30, AF_DONE);
  DoneMonthList list;
  list.entries = {Entry(kToday - 40, 30, "Logged", "", 0),
                  Entry(kToday, 30, "Call", "", 0, s.ActTask(h))};
  TaskNode* opened = nullptr;
  int calls = 0;
  DoneLogWindow w(list, "December", text, [&](TaskNode* task) {
    opened = task;
    ++calls;
  });
  for (int row = 0; row < w.table()->rowCount(); ++row) emit w.table()->cellDoubleClicked(row, 3);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(opened, s.ActTask(h));
}

}  // namespace
}  // namespace ploven::test
