#include "views/day_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "recur/expansion_fixture.h"
#include "store/date_format.h"
#include "store/projects.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

class DayViewTest : public RecurTest {
 protected:
  static constexpr DayNumber kDay = kToday + 1;

  void SetUp() override {
    RecurTest::SetUp();
    s.header().setEarliestTimeOfDay(At(7));
    s.header().setLatestTimeOfDay(At(23));
    view.resize(600, 700);
  }

  // Back-to-back quarter hours from 7:00: no free rows between them.
  void Stack(int n, DayNumber date = kDay) {
    for (int i = 0; i < n; ++i)
      Fixed("Item " + std::to_string(i), date, static_cast<TimeOfDay>(At(7) + 15 * i), 15);
  }

  int Selected() const {
    for (int i = 0; i < static_cast<int>(view.rows().size()); ++i)
      if (view.rows()[static_cast<size_t>(i)].task == view.SelectedTask() &&
          view.SelectedTask() != nullptr)
        return view.rows()[static_cast<size_t>(i)].itemIndex;
    return -1;
  }

  bool SelectedFullyShown() const {
    for (const DayView::TableRow& row : view.rowTable())
      if (row.selected) return row.rect.bottom() < view.height();
    return false;
  }

  QPoint CentreOf(int tableRow) const {
    return view.rowTable()[static_cast<size_t>(tableRow)].rect.center();
  }

  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
    QApplication::sendEvent(&view, &e);
  }

  void Key(int key, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &e);
  }

  ViewEnvironment ve{engine, r};
  DayView view{ve};
};

TEST_F(DayViewTest, DrawsTheDayAndLooksRight) {
  ve.options.showSchedStats = true;
  Act memo;
  memo.flags = AF_HOPE;
  memo.typeFlags = ACT_MEMO;
  s.NewItem(kDay, memo, "Pick up the dry cleaning");
  Fixed("Dentist", kDay, At(8, 30), 60);
  Fixed("Design review", kDay, At(9), 60);
  const ActHandle lunch = Fixed("Lunch with Sam", kDay, At(12), 60, AF_DONE);
  ve.hasNote = [lunch](ActHandle h) { return h == lunch; };
  Act health;
  health.color = 0x3C9C2E;  // a green
  const ActHandle project = NewProject(s, health, "Health");
  const ActHandle gym = Fixed("Gym", kDay, At(13), 45);
  s.LockAct(gym).projectID = s.ReadAct(project).ID;
  Fixed("Write the quarterly report for the board of directors", kDay, At(15), 120);
  ASSERT_TRUE(view.SetDate(kDay));
  view.SelectTask(s.ExistingTerminal(kDay)->First()->Next());

  EXPECT_EQ(view.headingText(), FormatDateLong(kDay, engine.dateText()));
  EXPECT_FALSE(view.statisticsText().empty());
  // Everything fits: every row of the day is in the table.
  EXPECT_EQ(view.rowTable().size(), view.rows().size());
  const QImage image = view.grab().toImage();
  // The selected row is filled with the selection colour.
  const QRect selected = view.rowTable()[1].rect;
  EXPECT_TRUE(view.rowTable()[1].selected);
  EXPECT_EQ(image.pixelColor(selected.right() - 30, selected.center().y()), ve.style.selection);
}

TEST_F(DayViewTest, RepaintingUnchangedRowsInvalidatesNothing) {
  Stack(5);
  Fixed("Evening", kDay, At(20), 30);
  view.SetDate(kDay);
  view.Refresh();
  EXPECT_TRUE(view.lastInvalidated().empty());

  // One item done: only its row is repainted.
  TaskNode* third = s.ExistingTerminal(kDay)->First()->Next()->Next();
  s.LockAct(third->act).flags |= AF_DONE;
  view.Refresh();
  ASSERT_EQ(view.lastInvalidated().size(), 1u);
  EXPECT_EQ(view.lastInvalidated()[0], view.rowTable()[2].rect);
  view.Refresh();
  EXPECT_TRUE(view.lastInvalidated().empty());
}

TEST_F(DayViewTest, ADayWithoutARecordDrawsOnlyItsHeading) {
  EXPECT_TRUE(view.SetDate(kDay + 3));
  EXPECT_TRUE(view.rowTable().empty());
  EXPECT_FALSE(view.headingText().empty());
}

TEST_F(DayViewTest, DatesOutsideTheRangeAreRefused) {
  EXPECT_FALSE(view.SetDate(kFirstUserDay - 1));
  ASSERT_EQ(env.ui.Texts().size(), 1u);
  EXPECT_NE(env.ui.Texts()[0].find("allowed date range"), std::string::npos);
  EXPECT_EQ(view.date(), 0);
}

TEST_F(DayViewTest, ATallWindowStopsAtTheRowLimit) {
  ve.options.hideGaps = true;
  for (int i = 0; i < 250; ++i)
    Fixed("Minute " + std::to_string(i), kDay, static_cast<TimeOfDay>(At(7) + i), 1);
  view.resize(600, 250 * 40);
  view.SetDate(kDay);
  EXPECT_EQ(view.itemCount(), 250);
  EXPECT_EQ(view.rowTable().size(), static_cast<size_t>(DayView::kMaxRows));
}

TEST_F(DayViewTest, AFullWindowStopsAtTheBottomAndScrollsByNode) {
  Stack(60);
  view.SetDate(kDay);
  const size_t shown = view.rowTable().size();
  EXPECT_LT(shown, 60u);
  EXPECT_LT(view.rowTable().back().rect.top(), view.height());
  view.ScrollLines(1);
  EXPECT_EQ(view.topItem(), 1);
  EXPECT_EQ(view.rowTable().front().content.title, "Item 1");
  view.ScrollLines(-5);
  EXPECT_EQ(view.topItem(), 0);
  view.ScrollLines(1000);
  EXPECT_EQ(view.topItem(), 59);
}

TEST_F(DayViewTest, SelectionMovesAndScrolls) {
  Stack(60);
  s.ExistingTerminal(kDay)->current = nullptr;
  view.SetDate(kDay);
  view.SelectNext();  // nothing selected: the first shown item
  EXPECT_EQ(Selected(), 0);
  for (int i = 0; i < 45; ++i) view.SelectNext();
  EXPECT_EQ(Selected(), 45);
  EXPECT_GT(view.topItem(), 0);
  EXPECT_TRUE(SelectedFullyShown());
  const int top = view.topItem();
  view.SelectPrevious();
  EXPECT_EQ(Selected(), 44);
  EXPECT_EQ(view.topItem(), top);  // still in view: no scrolling
  while (Selected() > 0) view.SelectPrevious();
  EXPECT_EQ(view.topItem(), 0);

  view.BottomOfList();
  EXPECT_EQ(Selected(), 59);
  EXPECT_TRUE(SelectedFullyShown());
  view.ScrollLines(-30);  // the selection is off screen now
  view.SelectPrevious();  // so it jumps to the first shown item
  EXPECT_EQ(Selected(), view.topItem());
  view.TopOfList();
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(view.topItem(), 0);
  // The selection lives on the day.
  EXPECT_EQ(s.ExistingTerminal(kDay)->current, view.SelectedTask());
}

TEST_F(DayViewTest, HitTestingAndMouse) {
  Fixed("Morning", kDay, At(8), 60);
  Fixed("Afternoon", kDay, At(14), 60);
  view.SetDate(kDay);
  ASSERT_EQ(view.rowTable()[1].content.kind, DayRowKind::kFree);
  EXPECT_EQ(view.HitTest(CentreOf(2)), 2);
  EXPECT_EQ(view.HitTest(QPoint(10, 2)), -1);  // the heading
  EXPECT_EQ(view.TaskAt(CentreOf(1)), nullptr);

  std::vector<TaskNode*> activated;
  std::vector<DayNumber> newItems;
  int clicks = 0;
  QObject::connect(&view, &DayView::taskActivated, [&](TaskNode* t) { activated.push_back(t); });
  QObject::connect(&view, &DayView::newItemRequested, [&](DayNumber d) { newItems.push_back(d); });
  QObject::connect(&view, &DayView::activated, [&] { ++clicks; });

  Mouse(QEvent::MouseButtonPress, CentreOf(2));
  EXPECT_EQ(view.SelectedTask(), view.TaskAt(CentreOf(2)));
  EXPECT_EQ(clicks, 1);
  Mouse(QEvent::MouseButtonDblClick, CentreOf(0));
  ASSERT_EQ(activated.size(), 1u);
  EXPECT_EQ(activated[0], s.ExistingTerminal(kDay)->First());
  Mouse(QEvent::MouseButtonDblClick, CentreOf(1));  // the free row
  EXPECT_EQ(newItems, std::vector<DayNumber>{kDay});
}

TEST_F(DayViewTest, TypeAheadFindsTheNextUndoneItemAndWraps) {
  Fixed("apple", kDay, At(8), 30);
  Fixed("Apricot", kDay, At(9), 30, AF_DONE);
  Fixed("banana", kDay, At(10), 30);
  Fixed("Avocado", kDay, At(11), 30);
  view.SetDate(kDay);
  std::vector<std::string> picked;
  for (int i = 0; i < 3; ++i) {
    Key(Qt::Key_A, "a");
    picked.push_back(s.GetActTitle(view.SelectedTask()->act));
  }
  EXPECT_EQ(picked, (std::vector<std::string>{"apple", "Avocado", "apple"}));
  Key(Qt::Key_B, "b");
  EXPECT_EQ(s.GetActTitle(view.SelectedTask()->act), "banana");
}

TEST_F(DayViewTest, TypeAheadOnAPastDayTakesDoneItemsToo) {
  Fixed("apple", kToday - 1, At(8), 30, AF_DONE);
  view.SetDate(kToday - 1);
  Key(Qt::Key_A, "a");
  ASSERT_NE(view.SelectedTask(), nullptr);
}

TEST_F(DayViewTest, MultipleDayViewTilesAndCyclesTheActiveWindow) {
  MultiDayView multi(ve);
  multi.resize(900, 600);
  multi.SetCount(3);
  ASSERT_TRUE(multi.SetFirstDate(kDay));
  std::vector<DayNumber> dates;
  for (DayView* v : multi.Views()) dates.push_back(v->date());
  EXPECT_EQ(dates, (std::vector<DayNumber>{kDay, kDay + 1, kDay + 2}));

  EXPECT_TRUE(multi.Views()[0]->active());
  EXPECT_FALSE(multi.Views()[1]->active());
  multi.NextWindow();
  multi.NextWindow();
  EXPECT_EQ(multi.ActiveView(), multi.Views()[2]);
  multi.NextWindow();
  EXPECT_EQ(multi.activeIndex(), 0);
  multi.PreviousWindow();
  EXPECT_EQ(multi.activeIndex(), 2);
  EXPECT_FALSE(multi.Views()[0]->active());

  multi.SetTiling(Command::kTileVertically);
  EXPECT_EQ(multi.Views()[0]->height(), multi.Views()[1]->height());
  EXPECT_LT(multi.Views()[0]->x(), multi.Views()[1]->x());
  multi.SetTiling(Command::kTileHorizontally);
  EXPECT_EQ(multi.Views()[0]->x(), multi.Views()[1]->x());
  EXPECT_LT(multi.Views()[0]->y(), multi.Views()[1]->y());
  multi.SetTiling(Command::kTileGrid);  // two above, one below
  EXPECT_EQ(multi.Views()[0]->y(), multi.Views()[1]->y());
  EXPECT_GT(multi.Views()[2]->y(), multi.Views()[0]->y());

  // A click on a window makes it the active one.
  DayView* second = multi.Views()[1];
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), second->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(second, &press);
  EXPECT_EQ(multi.ActiveView(), second);
  EXPECT_FALSE(multi.SetFirstDate(kLastUserDay - 1));  // the third window would fall outside
}

}  // namespace
}  // namespace ploven::test
