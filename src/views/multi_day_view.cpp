#include "views/multi_day_view.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "present/present_messages.h"

namespace ploven {

MultiDayView::MultiDayView(ViewEnvironment& env, QWidget* parent) : QWidget(parent), m_env(env) {
  SetCount(1);
}

void MultiDayView::Wire(DayView* view) {
  connect(view, &DayView::taskActivated, this,
          [this, view](TaskNode* task) { emit taskActivated(view, task); });
  connect(view, &DayView::newItemRequested, this,
          [this, view](DayNumber date) { emit newItemRequested(view, date); });
  connect(view, &DayView::noteRequested, this,
          [this, view](TaskNode* task) { emit noteRequested(view, task); });
  connect(view, &DayView::contextMenuRequested, this,
          [this, view](TaskNode* task, QPoint at) { emit contextMenuRequested(view, task, at); });
  connect(view, &DayView::dragStepRequested, this,
          [this, view](bool earlier) { emit dragStepRequested(view, earlier); });
  connect(view, &DayView::projectBarClicked, this,
          [this, view](ActHandle project) { emit projectBarClicked(view, project); });
  connect(view, &DayView::selectionChanged, this, [this, view] { emit selectionChanged(view); });
  connect(view, &DayView::activated, this, [this, view] {
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it != m_views.end()) SetActiveIndex(static_cast<int>(it - m_views.begin()));
  });
}

void MultiDayView::SetCount(int count) {
  count = std::clamp(count, 1, kMaxViews);
  while (static_cast<int>(m_views.size()) > count) {
    delete m_views.back();
    m_views.pop_back();
  }
  while (static_cast<int>(m_views.size()) < count) {
    auto* view = new DayView(m_env, this);
    Wire(view);
    m_views.push_back(view);
    if (isVisible()) view->show();
    if (m_first != 0) {
      const int date = m_first + static_cast<int>(m_views.size()) - 1;
      if (date <= kLastUserDay) view->SetDate(static_cast<DayNumber>(date));
    }
  }
  m_active = std::clamp(m_active, 0, count - 1);
  for (int i = 0; i < count; ++i)
    m_views[static_cast<size_t>(i)]->SetActive(count == 1 || i == m_active);
  Arrange();
}

void MultiDayView::SetTiling(Command tiling) {
  m_tiling = tiling == Command::kTileVertically || tiling == Command::kTileHorizontally
                 ? tiling
                 : Command::kTileGrid;
  Arrange();
}

bool MultiDayView::SetFirstDate(DayNumber date) {
  const int last = date + count() - 1;
  if (date < kFirstUserDay || last > kLastUserDay) {
    m_env.schedule().messages().ErrorMessage(present_messages::kDateOutOfRange);
    return false;
  }
  m_first = date;
  for (int i = 0; i < count(); ++i)
    m_views[static_cast<size_t>(i)]->SetDate(static_cast<DayNumber>(date + i));
  return true;
}

DayView* MultiDayView::ActiveView() const { return m_views[static_cast<size_t>(m_active)]; }

DayView* MultiDayView::ViewOf(DayNumber date) const {
  for (DayView* v : m_views)
    if (v->date() == date) return v;
  return nullptr;
}

void MultiDayView::SetActiveIndex(int index) {
  index = std::clamp(index, 0, count() - 1);
  const bool changed = index != m_active;
  m_active = index;
  for (int i = 0; i < count(); ++i)
    m_views[static_cast<size_t>(i)]->SetActive(count() == 1 || i == m_active);
  if (changed) emit activeViewChanged(ActiveView());
}

void MultiDayView::NextWindow() { SetActiveIndex((m_active + 1) % count()); }
void MultiDayView::PreviousWindow() { SetActiveIndex((m_active + count() - 1) % count()); }

void MultiDayView::Refresh() {
  for (DayView* v : m_views) v->Refresh();
}

void MultiDayView::RefreshDate(DayNumber date) {
  for (DayView* v : m_views)
    if (v->date() == date) v->Refresh();
}

void MultiDayView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

// Lays the windows out in columns, rows or a grid that is as square as the count allows;
// the last grid row takes what is left.
void MultiDayView::Arrange() {
  const int n = count();
  int columns = n, rows = 1;
  if (m_tiling == Command::kTileHorizontally) {
    columns = 1;
    rows = n;
  } else if (m_tiling == Command::kTileGrid) {
    columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    rows = (n + columns - 1) / columns;
  }
  const int w = width(), h = height();
  for (int i = 0; i < n; ++i) {
    const int row = i / columns, column = i % columns;
    const int inRow = (row == rows - 1) ? n - row * columns : columns;
    const int x0 = column * w / inRow, x1 = (column + 1) * w / inRow;
    const int y0 = row * h / rows, y1 = (row + 1) * h / rows;
    // A one-pixel seam between windows.
    const int seam = (n > 1) ? 1 : 0;
    m_views[static_cast<size_t>(i)]->setGeometry(x0, y0, x1 - x0 - seam, y1 - y0 - seam);
  }
}

}  // namespace ploven
