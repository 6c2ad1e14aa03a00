// The main window's views: which one shows, the viewed date, moving through the days and the
// items, the tiling of the day windows, the calendar window and the Filters window.

#include <QDockWidget>
#include <QInputDialog>
#include <QScreen>
#include <QStackedWidget>
#include <algorithm>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "platform/label_table.h"
#include "app/menu_builder.h"
#include "app/window_placement.h"
#include "dialogs/filters_window.h"
#include "engine/past_days.h"
#include "store/date_parse.h"
#include "views/day_view.h"
#include "views/list_view.h"
#include "views/month_view.h"
#include "views/multi_day_view.h"
#include "views/projects_tree_view.h"

namespace ploven {

namespace t = app_text;

namespace {

// Next 2 Days .. Next 7 Days: the number of day windows; 0 for any other command.
int NextDaysCount(Command view) {
  const int n = CommandNumber(view) - CommandNumber(Command::kNext2Days) + 2;
  return n >= 2 && n <= MultiDayView::kMaxViews ? n : 0;
}

// A page of the day view: a line of text per 24 pixels of its height.
int PageLines(const DayView& view) { return std::max(1, view.height() / 24); }

}  // namespace

ViewKind MainWindow::viewKind() const {
  switch (m_viewCommand) {
    case Command::kDayView:
      return ViewKind::kDay;
    case Command::kMyMultipleDayView:
      return ViewKind::kMyMultipleDay;
    case Command::kMonthView:
      return ViewKind::kMonth;
    case Command::kPriorityView:
      return ViewKind::kPriority;
    case Command::kAlphabeticalView:
      return ViewKind::kAlphabetical;
    default:
      return NextDaysCount(m_viewCommand) != 0 ? ViewKind::kDaySchedule32 : ViewKind::kOther;
  }
}

void MainWindow::ShowView(Command view) {
  m_viewCommand = view;
  switch (view) {
    case Command::kMyMultipleDayView:
      m_days->SetCount(m_multipleDays);
      m_stack->setCurrentWidget(m_days);
      break;
    case Command::kMonthView:
      m_stack->setCurrentWidget(m_month);
      break;
    case Command::kAlphabeticalView:
      m_list->SetKind(ListKind::kAlphabetical);
      m_stack->setCurrentWidget(m_list);
      break;
    case Command::kPriorityView:
      m_list->SetKind(ListKind::kPriority);
      m_stack->setCurrentWidget(m_list);
      break;
    case Command::kProjectsList:
      m_list->SetKind(ListKind::kProjects);
      m_stack->setCurrentWidget(m_list);
      break;
    case Command::kProjectsTree:
      m_stack->setCurrentWidget(m_tree);
      break;
    default:
      if (const int days = NextDaysCount(view)) {
        m_days->SetCount(days);
      } else {
        m_viewCommand = Command::kDayView;
        m_days->SetCount(1);
      }
      m_stack->setCurrentWidget(m_days);
      break;
  }
  m_session.layout().viewCommand = m_viewCommand;
  // The engine repaints the priorities while they show.
  m_session.engine().SetPriorityViewShowing(m_viewCommand == Command::kPriorityView);
  SetViewedDate(m_viewedDate);
  m_stack->currentWidget()->setFocus();
  UpdateMenuStates();
}

void MainWindow::SetViewedDate(DayNumber date) {
  if (date < kFirstUserDay || date > kLastUserDay) {
    m_session.messages().ErrorMessage(t::kDateOutOfRange);
    return;
  }
  m_viewedDate = date;
  if (m_menus != nullptr) UpdateMenuStates();
  if (m_calendar != nullptr && m_calendarDock->isVisible()) m_calendar->SetViewedDate(date);
  if (DayViewShowing()) {
    m_days->SetFirstDate(date);
  } else if (m_stack->currentWidget() == m_month) {
    m_month->SetViewedDate(date);
  }
  RefreshViews();
}

void MainWindow::GoToDate(DayNumber date) { SetViewedDate(date); }

void MainWindow::GoToDateAsked() {
  bool ok = false;
  const QString typed = QInputDialog::getText(this, t::kGoToDateCaption, t::kGoToDatePrompt,
                                              QLineEdit::Normal, "", &ok);
  if (!ok || typed.trimmed().isEmpty()) return;
  const ParseContext context = m_session.ParseContextFor(m_viewedDate);
  const auto r = ParseDate(typed.trimmed().toStdString(), m_env->dateText(), context);
  if (!r.value) {
    m_session.messages().ErrorMessage(r.message);
    return;
  }
  GoToDate(*r.value);
}

void MainWindow::GoToEarliestUndone() {
  const DayNumber earliest = EarliestUndoneDate(m_session.engine());
  if (earliest == kNoDate) return;
  if (!DayViewShowing()) ShowView(Command::kDayView);
  GoToDate(earliest);
}

void MainWindow::SelectNeighbour(bool next) {
  if (DayView* active = ActiveDayView()) {
    if (next)
      active->SelectNext();
    else
      active->SelectPrevious();
  } else if (m_stack->currentWidget() == m_list) {
    if (next)
      m_list->SelectNext();
    else
      m_list->SelectPrevious();
  }
}

void MainWindow::ScrollPage(bool down) {
  if (DayView* active = ActiveDayView())
    active->ScrollLines(down ? PageLines(*active) : -PageLines(*active));
}

void MainWindow::SetTiling(Command tiling) {
  m_days->SetTiling(tiling);
  m_session.layout().tiling = tiling;
  UpdateMenuStates();
}

void MainWindow::SetDarkenBusierDays(bool darken) {
  m_month->SetDarkenBusierDays(darken);
  m_calendar->SetDarkenBusierDays(darken);
  UpdateMenuStates();
}

void MainWindow::ShowCalendarWindow(bool show) {
  if (show && m_calendarDock->isFloating() && !m_calendarDock->isVisible()) {
    // Where it was last time, kept on the screen and large enough to read; the first time
    // beside the main window.
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    WindowPlace place = m_session.layout().calendar;
    if (place.width > 0) {
      place.width =
          std::clamp(place.width, kCalendarMinWidth, std::max(kCalendarMinWidth, area.width() / 3));
      place.height = std::clamp(place.height, kCalendarMinHeight,
                                std::max(kCalendarMinHeight, area.height() / 2));
    }
    const QRect frame = FrameInArea(place, area);
    PlaceFrame(*m_calendarDock, frame.isEmpty() ? FirstRunPlacesIn(area).calendar : frame);
  }
  m_calendarDock->setVisible(show);
  if (show) m_calendar->SetViewedDate(m_viewedDate);
  uint16_t& flags = m_session.layout().windowFlags;
  flags = show ? static_cast<uint16_t>(flags | kLayoutCalendarOpen)
               : static_cast<uint16_t>(flags & ~kLayoutCalendarOpen);
}

void MainWindow::SetCalendarDocked(bool docked) {
  m_calendarDock->setFloating(!docked);
  m_session.programSettings().popCalTiled = docked ? 1 : 0;
  UpdateMenuStates();
}

void MainWindow::OpenFilters() {
  if (m_filtersWindow == nullptr) {
    FiltersWindowPorts ports{m_session.schedule(),
                             m_filters,
                             m_session.settings(),
                             m_session.programSettings(),
                             m_session.layout(),
                             m_session.messages(),
                             [this] { return m_session.writable(); },
                             ReadLabelTable(m_session.settings()).Names()};
    m_filtersWindow = new FiltersWindow(std::move(ports), this);
    connect(m_filtersWindow, &FiltersWindow::filtersChanged, this, [this] { RefreshViews(); });
    connect(m_filtersWindow, &FiltersWindow::filtersClosed, this, [this](bool) { RefreshViews(); });
    connect(m_filtersWindow, &FiltersWindow::helpRequested, this,
            [this](const QString& topic) { m_ui.OpenHelpTopic(topic.toStdString()); });
  }
  m_filtersWindow->Open();
  RefreshViews();
}

}  // namespace ploven
