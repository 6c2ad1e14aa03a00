#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

#include "views/view_environment.h"

namespace ploven {

// The month calendar: whole weeks around the viewed date's month, each day with its items.
class MonthView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultWeeks = 6;

  explicit MonthView(ViewEnvironment& env, QWidget* parent = nullptr);

  // Dates outside the range a user may go to are refused (false).
  bool SetViewedDate(DayNumber date);
  DayNumber viewedDate() const { return m_viewed; }
  // The cell background darkens with the day's load.
  void SetDarkenBusierDays(bool on);
  bool darkenBusierDays() const { return m_darken; }
  // "CalendarWeeks": how many weeks the grid shows (1..12).
  void SetCalendarWeeks(int weeks);
  int calendarWeeks() const { return m_weeks; }
  // 4-4-5 Mode: the grid shows the 4-4-5 period (of 4, 4 or 5 weeks) holding the viewed date,
  // and the arrows step by period.
  void SetFourFourFive(bool on);
  bool fourFourFive() const { return m_fourFourFive; }
  void Refresh() { update(); }

  // The date of the grid's first cell, the first day of the week holding the 1st.
  DayNumber FirstShownDate() const;
  // The date under a point, 0 outside the grid.
  DayNumber DateAt(QPoint pos) const;
  // The cell of a date shown in the grid; empty when it is not shown.
  QRect CellRect(DayNumber date) const;

  // What one cell lists: its item lines and how many did not fit.
  struct DayLine {
    QString time;
    QString title;
    bool done = false;
  };
  // The day's item lines in chain order, with begin times and occurrence titles.
  std::vector<DayLine> DayLines(DayNumber date);

 signals:
  void dateSelected(DayNumber date);
  void dayViewRequested(DayNumber date);
  void newItemRequested(DayNumber date);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QRect TitleRect() const;
  QRect GridRect() const;
  QRect PreviousArrowRect() const;
  QRect NextArrowRect() const;
  int WeekColumnWidth() const;
  int HeadingHeight() const;
  void MoveMonths(int n);
  // The first and last day of the month (or 4-4-5 period) holding the date.
  std::pair<int, int> SpanOf(int date) const;
  void MoveDays(int n);
  // The day's load in percent, 0 for a day the schedule does not hold.
  int Load(DayNumber date);

  ViewEnvironment& m_env;
  DayNumber m_viewed;
  bool m_darken = false;
  int m_weeks = kDefaultWeeks;
  bool m_fourFourFive = false;
};

}  // namespace ploven
