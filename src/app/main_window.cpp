#include "app/main_window.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

#include "app/app_messages.h"
#include "app/menu_builder.h"
#include "app/window_placement.h"
#include "dialogs/note_window.h"
#include "engine/past_days.h"
#include "platform/format.h"
#include "platform/settings_keys.h"
#include "present/day_text.h"
#include "store/schedule_header.h"
#include "views/day_view.h"
#include "views/list_view.h"
#include "views/month_view.h"
#include "views/multi_day_view.h"
#include "views/projects_tree_view.h"

namespace ploven {

namespace t = app_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The commands of a task's context menu, in menu order.
constexpr Command kTaskMenu[] = {
    Command::kModifyItem,      Command::kDone,          Command::kStartUnstart,
    Command::kPostponeOneHour, Command::kMoveToNextDay, Command::kMoveToPreviousDay,
    Command::kDeleteItem,      Command::kCopy,          Command::kCut};

// Commands that need a selected item; Copy alone also works on a schedule opened read-only.
constexpr Command kItemCommands[] = {Command::kModifyItem,
                                     Command::kDone,
                                     Command::kStartUnstart,
                                     Command::kDeleteItem,
                                     Command::kCut,
                                     Command::kCopy,
                                     Command::kDuplicate,
                                     Command::kPostponeOneHour,
                                     Command::kMoveToNextDay,
                                     Command::kMoveToPreviousDay,
                                     Command::kMoveEarlierInDay,
                                     Command::kMoveLaterInDay,
                                     Command::kMoveWeekBack,
                                     Command::kMoveWeekForward};

// Commands that change the schedule without a selected item.
constexpr Command kWritingCommands[] = {Command::kBalanceAllDays,
                                        Command::kBalanceDay,
                                        Command::kBringForward,
                                        Command::kLightenLoadByPriority,
                                        Command::kLightenLoadByUrgency,
                                        Command::kIncreaseLoad,
                                        Command::kPaste,
                                        Command::kUndelete};

// The views the View menu ticks.
constexpr Command kTickedViews[] = {Command::kDayView,          Command::kMyMultipleDayView,
                                    Command::kMonthView,        Command::kPriorityView,
                                    Command::kAlphabeticalView, Command::kProjectsList,
                                    Command::kProjectsTree};

}  // namespace

MainWindow::MainWindow(ProgramSession& session, Ui& ui)
    : m_session(session), m_ui(ui), m_engineUi(this) {
  setWindowIcon(QIcon(":/icons/ploven-256.png"));
  m_env = std::make_unique<ViewEnvironment>(session.engine(), session.recurrences());
  m_env->options = DisplayOptions::From(session.programSettings(),
                                        !session.schedule().header().LightModePermitted());
  m_env->style = ViewStyle::From(m_env->options);
  LoadFonts();
  m_undelete = std::make_unique<UndeleteStack>(session.schedule());
  // Items the filter hides stay out of every view; filtering is on while the Filters window
  // is open, so until that window exists the predicate hides nothing but done items the user
  // chose to hide.
  m_filters.settings.Load(session.settings());
  m_env->hiddenByFilter = MakeFilterPredicate(session.schedule(), m_filters, [this] {
    FilterContext c;
    c.view = m_viewCommand == Command::kMyMultipleDayView ? FilterView::kMyMultipleDayView
             : m_viewCommand == Command::kProjectsList    ? FilterView::kProjectsList
                                                          : FilterView::kOther;
    c.viewedDate = m_viewedDate;
    c.hideDoneItems =
        m_env->options.hideDoneItems && m_session.programSettings().enableHideDoneItems != 0;
    c.appointmentsOnlyInMyMultipleDayView = m_session.programSettings().weekviewEventsOnly != 0;
    return c;
  });
  m_viewedDate = session.clock().Today();
  // The note mark: the item's note file exists (kept up to date as note windows close).
  m_env->hasNote = [this](ActHandle h) {
    Schedule& s = m_session.schedule();
    return s.IsActValid(h) && (s.ActFlags(h) & AF_HAS_NOTE) != 0;
  };

  // The views sit above the recurring items in the schedule's hooks.
  m_hooks.dayShown = [this](DayNumber date) { return m_days != nullptr && m_days->ViewOf(date); };
  m_hooks.dayChanged = [this](DayNumber date) {
    if (m_days != nullptr) m_days->RefreshDate(date);
  };
  session.recurrences().SetOuterHooks(&m_hooks);
  ConnectEngineUi();

  BuildViews();
  ConnectViews();
  BuildCommandTable();
  m_openNote = [this](int32_t number) { OpenNoteNumber(number); };
  InstallMenus();
  BuildToolbar();

  const LayoutRecord& layout = session.layout();
  const int windows = session.schedule().header().Get<uint8_t>(ScheduleHeader::kViewWindows);
  m_multipleDays = windows >= 2 && windows <= MultiDayView::kMaxViews ? windows : 4;
  m_days->SetTiling(layout.tiling);
  ShowView(ViewCommandForCode(ViewCodeForCommand(layout.viewCommand)));

  SetCalendarDocked(session.programSettings().popCalTiled != 0);
  if (layout.windowFlags & kLayoutCalendarOpen) ShowCalendarWindow(true);

  StartAlarms();
  StartCalendarIntake();
  RefreshCheckOut();
  connect(&m_clockTimer, &QTimer::timeout, this, &MainWindow::Tick);
  m_clockTimer.start(1000);

  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip(t::kProductName);
    m_tray->setContextMenu(m_menus->BuildTrayMenu(this));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
      if (r == QSystemTrayIcon::Trigger) RestoreFromTray();
    });
  }
  RefreshTitle();
}

MainWindow::~MainWindow() {
  m_session.StartAlarms(nullptr, nullptr);
  m_session.calendar().AskPasswordsWith(nullptr);
  // Note windows still open (the close query closes them) save what they hold and go.
  for (int slot = 0; slot < kMaxNoteWindows; ++slot) {
    NoteWindow* w = NoteWindowOf(slot);
    if (w == nullptr) continue;
    w->closing = nullptr;
    if (m_session.open()) m_session.noteSlots().Close(slot, w->text().toStdString());
    delete w;
  }
  if (m_session.open()) {
    m_session.recurrences().SetOuterHooks(nullptr);
    m_session.engine().SetUi(nullptr);
  }
}

// What the engine's long runs show and ask through.
void MainWindow::ConnectEngineUi() {
  m_engineUi.viewed = [this] { return m_viewedDate; };
  m_engineUi.setViewed = [this](DayNumber d) { SetViewedDate(d); };
  m_engineUi.view = [this] { return viewKind(); };
  m_engineUi.refresh = [this] { RefreshViews(); };
  m_engineUi.save = [this] { m_session.SaveIfChanged(); };
  m_engineUi.help = [this](const std::string& topic) { m_ui.OpenHelpTopic(topic); };
  m_engineUi.deleteItem = [this](ActHandle h) {
    if (m_session.schedule().ActFlags(h) & AF_BETA) return false;
    TaskNode* task = m_session.schedule().ActTask(h);
    if (task == nullptr) return false;
    m_days->ActiveView()->SelectTask(task);
    DeleteSelected(DeleteScope::kChosen);
    return true;
  };
  m_session.engine().SetUi(&m_engineUi);
}

void MainWindow::BuildViews() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  m_titleBar = new QLabel(central);
  m_titleBar->setObjectName("ContainerTitle");
  m_titleBar->setContentsMargins(10, 5, 10, 5);
  m_titleBar->setStyleSheet(
      "QLabel#ContainerTitle { background: #2c4f7c; color: white; font-weight: bold; }");
  layout->addWidget(m_titleBar);

  m_stack = new QStackedWidget(central);
  m_days = new MultiDayView(*m_env, m_stack);
  m_month = new MonthView(*m_env, m_stack);
  m_list = new ListView(*m_env, m_stack);
  m_list->SetNoteProbe(m_env->hasNote);
  m_tree = new ProjectsTreeView(*m_env, m_stack);
  for (QWidget* w : {static_cast<QWidget*>(m_days), static_cast<QWidget*>(m_month),
                     static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_tree)})
    m_stack->addWidget(w);
  layout->addWidget(m_stack, 1);
  setCentralWidget(central);

  // The calendar window: a month to pick dates from, docked at the right or floating.
  m_calendarDock = new QDockWidget(t::kCalendarCaption, this);
  m_calendarDock->setObjectName("CalendarWindow");
  m_calendar = new MonthView(*m_env, m_calendarDock);
  m_calendar->setMinimumSize(320, 260);
  m_calendarDock->setWidget(m_calendar);
  addDockWidget(Qt::RightDockWidgetArea, m_calendarDock);
  m_calendarDock->hide();
  if (m_session.settings().ReadInt(key::kFourFourFiveMode, 0) != 0) {
    m_month->SetFourFourFive(true);
    m_calendar->SetFourFourFive(true);
  }
}

// The mouse in the views reaches the same commands as the menus.
void MainWindow::ConnectViews() {
  connect(m_days, &MultiDayView::taskActivated, this,
          [this](DayView*, TaskNode*) { Dispatch(Command::kModifyItem); });
  connect(m_days, &MultiDayView::newItemRequested, this, [this](DayView*, DayNumber date) {
    SetViewedDate(date);
    Dispatch(Command::kNewItem);
  });
  connect(m_days, &MultiDayView::activeViewChanged, this, [this](DayView* view) {
    if (view != nullptr && view->date() != m_viewedDate) {
      m_viewedDate = view->date();
      RefreshTitle();
    }
  });
  connect(m_days, &MultiDayView::contextMenuRequested, this,
          [this](DayView*, TaskNode* task, QPoint pos) {
            if (task == nullptr) return;
            QMenu menu(this);
            for (const Command command : kTaskMenu)
              if (QAction* a = m_menus->Action(command)) menu.addAction(a);
            menu.exec(pos);
          });
  connect(m_month, &MonthView::dateSelected, this, [this](DayNumber d) { SetViewedDate(d); });
  connect(m_month, &MonthView::dayViewRequested, this, [this](DayNumber d) {
    SetViewedDate(d);
    ShowView(Command::kDayView);
  });
  connect(m_month, &MonthView::newItemRequested, this, [this](DayNumber d) {
    SetViewedDate(d);
    Dispatch(Command::kNewItem);
  });
  connect(m_list, &ListView::itemActivated, this,
          [this](ActHandle) { Dispatch(Command::kModifyItem); });
  connect(m_calendar, &MonthView::dateSelected, this, [this](DayNumber d) { SetViewedDate(d); });
  connect(m_calendar, &MonthView::dayViewRequested, this, [this](DayNumber d) {
    SetViewedDate(d);
    if (!DayViewShowing()) ShowView(Command::kDayView);
  });
  connect(m_days, &MultiDayView::dragStepRequested, this,
          [this](DayView*, bool earlier) { MoveWithinDay(earlier); });
  // The project colour bar opens the project in the projects tree.
  connect(m_days, &MultiDayView::projectBarClicked, this, [this](DayView*, ActHandle project) {
    ShowView(Command::kProjectsTree);
    m_tree->Refresh();
    const auto nodes = m_session.schedule().projects().tree().NodesShowing(project);
    if (!nodes.empty()) m_tree->SelectNode(nodes.front());
  });
  // A greyed item's keys are dead too, so the states follow the selection at once.
  connect(m_days, &MultiDayView::selectionChanged, this, [this](DayView*) {
    UpdateMenuStates();
    FollowSelectionNote();
  });
  connect(m_list, &ListView::selectionChanged, this, [this] {
    UpdateMenuStates();
    FollowSelectionNote();
  });
}

void MainWindow::InstallMenus() {
  m_menus = new MenuBuilder(this);
  connect(m_menus, &MenuBuilder::commandTriggered, this, &MainWindow::Dispatch);
  connect(m_menus, &MenuBuilder::popupAboutToShow, this, [this](QMenu* menu) {
    UpdateMenuStates();
    FillRunTimeMenu(menu);
  });
  m_menus->Install(mode());
  UpdateMenuStates();
}

MenuMode MainWindow::mode() const {
  return m_session.schedule().header().LightModePermitted() ? MenuMode::kLight : MenuMode::kPro;
}

void MainWindow::Dispatch(Command command) {
  const auto handler = m_handlers.find(command);
  if (handler == m_handlers.end()) {
    NotYet(command);
    return;
  }
  if (!ConfirmChangeWhileCheckedOut(command)) return;
  handler->second();
}

void MainWindow::NotYet(Command command) {
  const std::string label = CommandLabel(command);
  const QString text = label.empty() ? QString(t::kNotAvailable).arg(CommandNumber(command))
                                     : QString(t::kNotYetBuilt).arg(Q(label));
  emit notice(text);
  m_session.messages().InformationMessage(text.toStdString());
}

bool MainWindow::DayViewShowing() const { return m_stack->currentWidget() == m_days; }

DayView* MainWindow::ActiveDayView() const {
  return DayViewShowing() ? m_days->ActiveView() : nullptr;
}

void MainWindow::RefreshViews() {
  QWidget* current = m_stack->currentWidget();
  if (current == m_days) m_days->Refresh();
  if (current == m_month) m_month->Refresh();
  if (current == m_list) m_list->Refresh();
  if (current == m_tree) m_tree->Refresh();
  RefreshTitle();
}

QString MainWindow::ContainerTitleText() const {
  ContainerTitleInput in;
  switch (viewKind()) {
    case ViewKind::kDay:
      in.view = DayViewKind::kDay;
      break;
    case ViewKind::kMyMultipleDay:
      in.view = DayViewKind::kMyMultipleDay;
      break;
    case ViewKind::kDaySchedule32:
      in.view = DayViewKind::kMultipleDay;
      break;
    default:
      in.view = DayViewKind::kNone;
      break;
  }
  if (!m_session.writable()) in.view = DayViewKind::kNone;
  in.date = m_viewedDate;
  in.focusNow = m_env->options.focusNow;
  in.hideDoneItems = m_env->options.hideDoneItems;
  in.unsaved = m_session.schedule().changed();
  in.checkedOut = m_checkedOutTo.has_value();
  in.filterText = FilterSummary(m_session.schedule(), m_filters);
  if (in.view == DayViewKind::kNone) {
    // The lists and the month view name themselves.
    QString name;
    switch (m_viewCommand) {
      case Command::kMonthView:
        name = "Month View";
        break;
      case Command::kPriorityView:
        name = "Priority View";
        break;
      case Command::kAlphabeticalView:
        name = "Alphabetical View";
        break;
      case Command::kProjectsList:
        name = "Projects List";
        break;
      case Command::kProjectsTree:
        name = "Projects Tree";
        break;
      default:
        name = "Day View";
        break;
    }
    return name + " | " + Q(FormatDate(m_viewedDate, m_env->dateText())) + (in.unsaved ? " *" : "");
  }
  return Q(ContainerTitle(in, m_session.schedule(), m_env->dateText()));
}

void MainWindow::RefreshTitle() {
  const std::string user = m_session.settings().ReadString("UserName");
  const QString title = QString("%1%2 - %3%4")
                            .arg(t::kProductName)
                            .arg(mode() == MenuMode::kLight ? " Light" : "")
                            .arg(user.empty() ? t::kNoUserName : Q(user))
                            .arg(m_session.open() && !m_session.writable() ? t::kReadOnlyTitle
                                                                          : "");
  if (windowTitle() != title) setWindowTitle(title);
  const QString container = ContainerTitleText();
  if (m_titleBar->text() != container) m_titleBar->setText(container);
}

TaskNode* MainWindow::SelectedTask() const {
  DayView* view = ActiveDayView();
  return view != nullptr ? view->SelectedTask() : nullptr;
}

ActHandle MainWindow::SelectedItem() const {
  if (m_stack->currentWidget() == m_list) return m_list->SelectedItem();
  TaskNode* task = SelectedTask();
  return task != nullptr ? task->act : kNoAct;
}

DayNumber MainWindow::TaskDate(TaskNode* task) const {
  return task != nullptr ? m_session.schedule().GetTaskDate(task) : kNoDate;
}

void MainWindow::UpdateMenuStates() {
  for (const Command view : kTickedViews) m_menus->SetChecked(view, m_viewCommand == view);
  m_menus->SetChecked(Command::kLightMode, mode() == MenuMode::kLight);
  m_menus->SetChecked(Command::kProMode, mode() == MenuMode::kPro);
  m_menus->SetChecked(m_days->tiling(), true);
  m_menus->SetChecked(Command::kFocusNow, m_env->options.focusNow);
  m_menus->SetChecked(
      m_month->darkenBusierDays() ? Command::kDarkenBusierDays : Command::kDontDarkenBusierDays,
      true);
  m_menus->SetChecked(Command::kCalendarDocked,
                      m_calendarDock != nullptr && !m_calendarDock->isFloating());
  m_menus->SetChecked(Command::kHideDoneItems, m_env->options.hideDoneItems);
  const bool item = SelectedItem() != kNoAct;
  const bool writable = m_session.writable();
  for (const Command c : kItemCommands)
    m_menus->SetEnabled(c, item && (writable || c == Command::kCopy));
  for (const Command c : kWritingCommands) m_menus->SetEnabled(c, writable);
  UpdateToolbar();
}

void MainWindow::AfterChange() {
  RefreshViews();
  UpdateMenuStates();
  UpdateStatusBar();
}

void MainWindow::Tick() {
  const ClockTick tick = m_session.Tick();
  if (tick.minuteChanged) {
    ++m_minutesSinceWarning;
    m_session.MinutePass();
    UpdateStatusBar();
    CheckPastUndone();
    if (DayViewShowing()) m_days->Refresh();
  }
  if (tick.dateChanged) {
    m_session.DayRollOver();
    RefreshViews();
    ShowDailyReminder();
  }
  RefreshTitle();
}

void MainWindow::focusInEvent(QFocusEvent* event) {
  QMainWindow::focusInEvent(event);
  Tick();
}

bool MainWindow::CheckPastUndone() {
  if (!m_session.open()) return false;
  Engine& engine = m_session.engine();
  PastUndoneFacts facts;
  facts.shownThisRun = m_pastUndoneShown;
  facts.scheduleOpen = true;
  facts.scheduleWritable = m_session.writable();
  facts.mainWindowActive = isActiveWindow();
  facts.doneWindowOpen = m_doneWindowOpen;
  facts.minutesSinceLastWarning = m_minutesSinceWarning;
  facts.today = m_session.clock().Today();
  facts.viewedDate = m_viewedDate;
  facts.earliestUndone = EarliestUndoneDate(engine);
  facts.autoBringForward = engine.settings().autoBringForward;
  facts.dailyReminderInUse = engine.settings().dailyReminderInUse;
  if (!PastUndoneWarningDue(facts)) return false;
  m_pastUndoneShown = true;
  m_minutesSinceWarning = 0;
  if (!ShowPastUndoneWarning(engine, facts.earliestUndone)) return false;
  BringToFront();
  if (!DayViewShowing()) ShowView(Command::kDayView);
  GoToDate(facts.earliestUndone);
  return true;
}

void MainWindow::RememberPlaces() {
  // A window closed before the window manager framed it is still where it was saved.
  if (!AwaitingFrame(*this)) m_session.layout().main = PlaceOfFrame(NormalFrame(*this));
  if (m_calendarDock->isFloating() && m_calendarDock->isVisible() &&
      !AwaitingFrame(*m_calendarDock))
    m_session.layout().calendar = PlaceOfFrame(NormalFrame(*m_calendarDock));
}

bool MainWindow::CloseQuery() {
  // The user who chooses to look at the earliest undone day stays.
  if (CheckPastUndone()) return false;
  // Notes are saved before the schedule, whose note marks they bring up to date. The notes
  // window is remembered for the next start.
  const bool browsing = m_session.open() && m_session.noteSlots().BrowseSlot() >= 0;
  if (m_session.open() && !CloseAllNotes()) return false;
  if (browsing) m_session.layout().notesWindowOpen = 1;
  if (!m_session.SaveForClose()) {
    if (m_session.messages().QuestionNoDefault(t::kExitWithoutSaving) != kIdYes) return false;
  }
  RememberPlaces();
  m_session.WriteAllSettings();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (m_closing || CloseQuery()) {
    m_closing = true;
    if (m_tray != nullptr) m_tray->hide();
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::SendToTray() {
  if (m_tray == nullptr) {
    showMinimized();
    return;
  }
  m_wasMaximized = isMaximized();
  m_tray->show();
  hide();
}

void MainWindow::RestoreFromTray() {
  if (m_tray != nullptr) m_tray->hide();
  if (m_wasMaximized)
    showMaximized();
  else
    showNormal();
  raise();
  activateWindow();
}

void MainWindow::BringToFront() {
  if (isMinimized() || !isVisible()) RestoreFromTray();
  raise();
  activateWindow();
}

}  // namespace ploven
