#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

#include "present/day_text.h"
#include "views/view_environment.h"

class QScrollBar;

namespace ploven {

// One day window: the day's heading and statistics line over its items and free-time rows.
// Refresh() lays the rows out and repaints only the rows that changed; painting itself draws
// the laid-out table and changes nothing.
class DayView : public QWidget {
  Q_OBJECT

 public:
  // Rows one paint lays out at most; a taller window simply shows no more.
  static constexpr int kMaxRows = 200;

  // A laid-out row: the row of the day (index into rows()) and where it stands.
  struct TableRow {
    int row = 0;
    QRect rect;
    bool selected = false;
    DayRow content;
    bool operator==(const TableRow&) const = default;
  };

  explicit DayView(ViewEnvironment& env, QWidget* parent = nullptr);
  ~DayView() override;

  // False, after telling the user, for a date the program cannot hold.
  bool SetDate(DayNumber date);
  DayNumber date() const { return m_date; }
  // The active window of a multiple-day view draws its heading in full colour.
  void SetActive(bool active);
  bool active() const { return m_active; }

  // Previous Item / Next Item: the previous / next item, scrolling to keep it in view.
  void SelectPrevious();
  void SelectNext();
  // Scrolls by whole items (chain nodes); negative goes up.
  void ScrollLines(int lines);
  void TopOfList();
  void BottomOfList();
  TaskNode* SelectedTask() const;
  void SelectTask(TaskNode* task);

  // Re-reads the day and repaints what changed.
  void Refresh();

  // The row-table index at the point, or -1 (a free row counts as a hit: see rowTable()).
  int HitTest(QPoint point) const;
  TaskNode* TaskAt(QPoint point) const;

  const std::vector<DayRow>& rows() const { return m_rows; }
  const std::vector<TableRow>& rowTable() const { return m_table; }
  int topItem() const { return m_top; }
  int itemCount() const { return static_cast<int>(m_items.size()); }
  const std::string& headingText() const { return m_heading; }
  const std::string& statisticsText() const { return m_stats; }
  int headingHeight() const { return m_headingHeight; }
  // What the last Refresh invalidated, for checking that unchanged rows stay untouched.
  const std::vector<QRect>& lastInvalidated() const { return m_invalidated; }
  QRect projectBarRect(const QRect& row) const;

 signals:
  void taskActivated(ploven::TaskNode* task);     // double-click on an item: Modify Item
  void newItemRequested(ploven::DayNumber date);  // double-click on free space
  void noteRequested(ploven::TaskNode* task);     // double-click on the note mark
  void contextMenuRequested(ploven::TaskNode* task, QPoint globalPos);
  void projectBarClicked(ploven::ActHandle project);
  void activated();  // a click made this the active window
  void selectionChanged();
  // The held item was dragged over the item above (true) or below (false): it should move
  // one place earlier or later in the day.
  void dragStepRequested(bool earlier);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  DaySource Source() const;
  Terminal* Day() const;
  void Rebuild();
  void Layout(bool invalidateChanges);
  int SelectedItem() const;
  bool ItemFullyVisible(int item) const;
  void ShowItem(int item);
  void SelectItem(int item);
  bool TypeAhead(char letter);
  int RowHeight(const DayRow& row) const;
  int ContentWidth() const;
  QRect NoteRect(const QRect& row) const;

  void PaintHeading(class QPainter& p) const;
  void PaintItemRow(QPainter& p, const TableRow& row) const;
  void PaintFreeRow(QPainter& p, const TableRow& row) const;

  ViewEnvironment& m_env;
  DayNumber m_date = 0;
  bool m_active = true;
  int m_top = 0;  // the first shown item drawn
  std::vector<DayRow> m_rows;
  std::vector<int> m_items;  // rows() index of each shown item
  std::vector<TableRow> m_table;
  std::vector<QRect> m_invalidated;
  std::string m_heading;
  std::string m_stats;
  bool m_workHoliday = false;
  int m_headingHeight = 0;
  QScrollBar* m_scroll = nullptr;
  bool m_settingScroll = false;
  TaskNode* m_dragged = nullptr;  // the item held with the left button
};

}  // namespace ploven
