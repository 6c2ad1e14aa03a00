#pragma once

#include <QWidget>
#include <vector>

#include "platform/commands.h"
#include "views/day_view.h"

namespace ploven {

// One to seven day windows of consecutive dates; one of them is the active window.
class MultiDayView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxViews = 7;

  explicit MultiDayView(ViewEnvironment& env, QWidget* parent = nullptr);

  // 1 is the Day View; counts outside 1..7 are kept within it.
  void SetCount(int count);
  int count() const { return static_cast<int>(m_views.size()); }
  // Tile Vertically: side by side, each the full height; Tile Horizontally: one above the
  // other, each the full width; Grid, and any other command: a grid.
  void SetTiling(Command tiling);
  Command tiling() const { return m_tiling; }
  // False, after telling the user, when the first or the last date cannot be shown.
  bool SetFirstDate(DayNumber date);
  DayNumber firstDate() const { return m_first; }

  DayView* ActiveView() const;
  int activeIndex() const { return m_active; }
  void SetActiveIndex(int index);
  const std::vector<DayView*>& Views() const { return m_views; }
  // The view that shows the date, or null.
  DayView* ViewOf(DayNumber date) const;

  // Next / Previous View Window: the next / previous window becomes the active one (wrapping).
  void NextWindow();
  void PreviousWindow();

  void Refresh();
  // Refreshes every window that shows the date.
  void RefreshDate(DayNumber date);

 signals:
  void taskActivated(ploven::DayView* view, ploven::TaskNode* task);
  void newItemRequested(ploven::DayView* view, ploven::DayNumber date);
  void noteRequested(ploven::DayView* view, ploven::TaskNode* task);
  void contextMenuRequested(ploven::DayView* view, ploven::TaskNode* task, QPoint globalPos);
  void projectBarClicked(ploven::DayView* view, ploven::ActHandle project);
  void activeViewChanged(ploven::DayView* view);
  void selectionChanged(ploven::DayView* view);
  void dragStepRequested(ploven::DayView* view, bool earlier);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Arrange();
  void Wire(DayView* view);

  ViewEnvironment& m_env;
  std::vector<DayView*> m_views;
  Command m_tiling = Command::kTileGrid;
  int m_active = 0;
  DayNumber m_first = 0;
};

}  // namespace ploven
