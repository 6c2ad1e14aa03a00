#include "views/month_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <vector>

#include "recur/expansion_fixture.h"
#include "store/calendar.h"

namespace ploven::test {
namespace {

class MonthViewTest : public RecurTest {
 protected:
  MonthView& View() {
    if (!view) {
      view = std::make_unique<MonthView>(viewEnv);
      view->resize(900, 650);
    }
    return *view;
  }

  void Mouse(QEvent::Type type, Qt::MouseButton button, DayNumber date) {
    const QPoint pos = View().CellRect(date).center();
    QMouseEvent e(type, QPointF(pos), QPointF(View().mapToGlobal(pos)), button, button,
                  Qt::NoModifier);
    QApplication::sendEvent(&View(), &e);
  }

  void Key(int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&View(), &e);
  }

  ActHandle Appointment(const std::string& title, DayNumber date, int hour, uint32_t flags = 0) {
    Act a;
    a.flags = AF_FIXED | flags;
    a.typeFlags = ACT_APPOINTMENT;
    a.startTime = At(hour);
    a.duration = 60;
    return s.NewItem(date, a, title);
  }

  ViewEnvironment viewEnv{engine, r};
  std::unique_ptr<MonthView> view;
};

struct GridCase {
  bool mondayFirst;
  int month, year;
  int firstMonth, firstDay, firstYear;  // the first cell
};

class MonthGridTest : public MonthViewTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(MonthGridTest, FirstCellAndEveryCellMapBackToItsDate) {
  const GridCase& c = GetParam();
  viewEnv.options.weekStartsMonday = c.mondayFirst;
  MonthView& v = View();
  ASSERT_TRUE(v.SetViewedDate(static_cast<DayNumber>(MakeDay(c.month, 15, c.year))));
  const DayNumber first = v.FirstShownDate();
  EXPECT_EQ(first, MakeDay(c.firstMonth, c.firstDay, c.firstYear));
  EXPECT_EQ(c.mondayFirst ? WeekdayMondayFirst(first) : Weekday(first), 0);
  for (int i = 0; i < 42; ++i) {
    const DayNumber d = static_cast<DayNumber>(first + i);
    const QRect cell = v.CellRect(d);
    EXPECT_FALSE(cell.isEmpty()) << "cell " << i;
    if (cell.isEmpty()) continue;
    EXPECT_EQ(v.DateAt(cell.center()), d);
    EXPECT_EQ(v.DateAt(cell.topLeft() + QPoint(1, 1)), d);
  }
  EXPECT_TRUE(v.CellRect(static_cast<DayNumber>(first + 42)).isEmpty());
  EXPECT_TRUE(v.CellRect(static_cast<DayNumber>(first - 1)).isEmpty());
  EXPECT_EQ(v.DateAt(QPoint(2, 2)), kNoDate);
}

INSTANTIATE_TEST_SUITE_P(
    Months, MonthGridTest,
    ::testing::Values(GridCase{true, 12, 2026, 11, 30, 2026},  // 1 December is a Tuesday
                      GridCase{false, 12, 2026, 11, 29, 2026},
                      GridCase{true, 2, 2027, 2, 1, 2027},     // starts on a Monday
                      GridCase{false, 8, 2027, 8, 1, 2027}));  // starts on a Sunday

TEST_F(MonthViewTest, ClicksPickTheDateAndAskForDayViewAndNewItems) {
  MonthView& v = View();
  std::vector<DayNumber> picked, dayView, newItem;
  QObject::connect(&v, &MonthView::dateSelected, [&](DayNumber d) { picked.push_back(d); });
  QObject::connect(&v, &MonthView::dayViewRequested, [&](DayNumber d) { dayView.push_back(d); });
  QObject::connect(&v, &MonthView::newItemRequested, [&](DayNumber d) { newItem.push_back(d); });
  EXPECT_EQ(v.viewedDate(), kToday);
  const DayNumber other = static_cast<DayNumber>(kToday + 3);
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, other);
  EXPECT_EQ(v.viewedDate(), other);
  EXPECT_TRUE(dayView.empty());
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, other);  // the viewed date again
  EXPECT_EQ(dayView, std::vector<DayNumber>{other});
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, kToday);
  EXPECT_EQ(dayView, (std::vector<DayNumber>{other, kToday}));
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, static_cast<DayNumber>(kToday + 1));
  EXPECT_EQ(newItem, std::vector<DayNumber>{static_cast<DayNumber>(kToday + 1)});
  EXPECT_EQ(picked, (std::vector<DayNumber>{other, static_cast<DayNumber>(kToday + 1)}));
}

TEST_F(MonthViewTest, PagesAndWheelMoveByMonth) {
  MonthView& v = View();
  Key(Qt::Key_PageDown);
  EXPECT_EQ(v.viewedDate(), MakeDay(1, 8, 2027));
  Key(Qt::Key_PageUp);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(v.viewedDate(), MakeDay(11, 8, 2026));
  QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&v, &wheel);
  EXPECT_EQ(v.viewedDate(), MakeDay(12, 8, 2026));
  EXPECT_FALSE(v.SetViewedDate(static_cast<DayNumber>(kFirstUserDay - 1)));
  EXPECT_EQ(v.viewedDate(), MakeDay(12, 8, 2026));
}

TEST_F(MonthViewTest, DayLinesShowTimesOccurrenceTitlesAndDone) {
  Recurring("Standup", Daily(kToday));
  const ActHandle lunch = Appointment("Lunch with Ann", kToday, 12, AF_DONE);
  ASSERT_NE(lunch, kNoAct);
  MonthView& v = View();
  const std::vector<MonthView::DayLine> today = v.DayLines(kToday);
  ASSERT_EQ(today.size(), 2u);
  EXPECT_EQ(today[0].title.toStdString(), "Standup");
  EXPECT_EQ(today[0].time.toStdString(), "8:00a");
  EXPECT_FALSE(today[0].done);
  EXPECT_EQ(today[1].title.toStdString(), "Lunch with Ann");
  EXPECT_TRUE(today[1].done);
  // A day the schedule has not made yet shows its occurrences.
  const DayNumber later = static_cast<DayNumber>(kToday + 20);
  ASSERT_EQ(s.ExistingTerminal(later), nullptr);
  const std::vector<MonthView::DayLine> future = v.DayLines(later);
  ASSERT_EQ(future.size(), 1u);
  EXPECT_EQ(future[0].title.toStdString(), "Standup");
  viewEnv.hiddenByFilter = [&](ActHandle h) { return h == lunch; };
  EXPECT_EQ(v.DayLines(kToday).size(), 1u);
}

TEST_F(MonthViewTest, BusyDaysDarkenOnlyWhenAsked) {
  for (int h = 8; h < 17; ++h) Appointment("Meeting " + std::to_string(h), kToday + 2, h);
  MonthView& v = View();
  v.SetViewedDate(static_cast<DayNumber>(kToday + 14));  // neither busy day nor today viewed
  const QRect busy = v.CellRect(static_cast<DayNumber>(kToday + 2));
  const QRect idle = v.CellRect(static_cast<DayNumber>(kToday + 3));
  const QPoint corner(busy.right() - 3, busy.bottom() - 3);
  const QPoint idleCorner(idle.right() - 3, idle.bottom() - 3);
  const QImage plain = v.grab().toImage();
  EXPECT_EQ(plain.pixelColor(corner), plain.pixelColor(idleCorner));
  v.SetDarkenBusierDays(true);
  const QImage dark = v.grab().toImage();
  EXPECT_LT(dark.pixelColor(corner).lightness(), plain.pixelColor(corner).lightness());
  EXPECT_EQ(dark.pixelColor(idleCorner), plain.pixelColor(idleCorner));
}

TEST_F(MonthViewTest, WeekNumbersTakeAColumnLeftOfTheGrid) {
  Recurring("Standup", Daily(kToday));
  for (int h = 9; h < 17; ++h) Appointment("Client call " + std::to_string(h), kToday, h);
  Act memo;
  memo.typeFlags = ACT_WORK_HOLIDAY | ACT_MEMO;
  s.NewItem(static_cast<DayNumber>(kToday + 16), memo, "Company holiday");
  MonthView& v = View();
  const int plainLeft = v.CellRect(v.FirstShownDate()).left();
  viewEnv.options.weekOfYear = true;
  EXPECT_GT(v.CellRect(v.FirstShownDate()).left(), plainLeft);
  EXPECT_EQ(v.DateAt(QPoint(plainLeft + 1, v.CellRect(v.FirstShownDate()).center().y())), kNoDate);
  EXPECT_FALSE(v.grab().isNull());
  v.resize(1280, 800);
  EXPECT_FALSE(v.grab().isNull());
}

}  // namespace
}  // namespace ploven::test
