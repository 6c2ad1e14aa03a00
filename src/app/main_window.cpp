#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

#include "app/app_messages.h"
#include "app/import_once.h"
#include "app/menu_builder.h"
#include "app/window_placement.h"
#include "edit/item_entry.h"
#include "dialogs/about_box.h"
#include "dialogs/balance_settings_dialog.h"
#include "dialogs/day_bounds_dialog.h"
#include "dialogs/filters_window.h"
#include "dialogs/item_properties_dialog.h"
#include "dialogs/other_settings_dialog.h"
#include "dialogs/progress_window.h"
#include "dialogs/project_dialog_messages.h"
#include "dialogs/project_properties_dialog.h"
#include "dialogs/work_hours_dialog.h"
#include "dialogs/qt_ui.h"
#include "done/mark_done.h"
#include "edit/item_edit.h"
#include "engine/balance_all_days.h"
#include "engine/balance_day.h"
#include "engine/past_days.h"
#include "file/item_line.h"
#include "platform/format.h"
#include "present/day_text.h"
#include "platform/paths.h"
#include "platform/settings_keys.h"
#include "store/date_parse.h"
#include "store/project_edit.h"
#include "store/project_reports.h"
#include "store/recurrence_fields.h"
#include "store/schedule_header.h"
#include "views/day_view.h"
#include "views/list_view.h"
#include "views/month_view.h"
#include "views/multi_day_view.h"
#include "views/projects_tree_view.h"

namespace ploven {

namespace t = app_text;

namespace {

// The private clipboard format of an item line.
constexpr char kItemMimeType[] = "application/x-ploven-item";

QString Q(const std::string& s) { return QString::fromStdString(s); }

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
    c.view = m_viewCommand == 935 ? FilterView::kMyMultipleDayView
             : m_viewCommand == 501 ? FilterView::kProjectsList
                                    : FilterView::kOther;
    c.viewedDate = m_viewedDate;
    c.hideDoneItems = m_env->options.hideDoneItems &&
                      m_session.programSettings().enableHideDoneItems != 0;
    c.appointmentsOnlyInMyMultipleDayView = m_session.programSettings().weekviewEventsOnly != 0;
    return c;
  });
  m_viewedDate = session.clock().Today();

  // The views sit above the recurring items in the schedule's hooks.
  m_hooks.dayShown = [this](DayNumber date) { return m_days != nullptr && m_days->ViewOf(date); };
  m_hooks.dayChanged = [this](DayNumber date) {
    if (m_days != nullptr) m_days->RefreshDate(date);
  };
  session.recurrences().SetOuterHooks(&m_hooks);

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
    DeleteSelected(false);
    return true;
  };
  session.engine().SetUi(&m_engineUi);

  BuildViews();
  InstallMenus();

  const LayoutRecord& layout = session.layout();
  const int windows = session.schedule().header().Get<uint8_t>(ScheduleHeader::kViewWindows);
  m_multipleDays = windows >= 2 && windows <= 7 ? windows : 4;
  m_days->SetTiling(layout.tiling);
  ShowView(ViewCommandForCode(ViewCodeForCommand(layout.viewCommand)));

  SetCalendarDocked(session.programSettings().popCalTiled != 0);
  if (layout.windowFlags & kLayoutCalendarOpen) ShowCalendarWindow(true);

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
  if (m_session.open()) {
    m_session.recurrences().SetOuterHooks(nullptr);
    m_session.engine().SetUi(nullptr);
  }
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
  m_tree = new ProjectsTreeView(*m_env, m_stack);
  for (QWidget* w : {static_cast<QWidget*>(m_days), static_cast<QWidget*>(m_month),
                     static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_tree)})
    m_stack->addWidget(w);
  layout->addWidget(m_stack, 1);
  setCentralWidget(central);

  connect(m_days, &MultiDayView::taskActivated, this,
          [this](DayView*, TaskNode*) { Dispatch(19); });
  connect(m_days, &MultiDayView::newItemRequested, this, [this](DayView*, DayNumber date) {
    SetViewedDate(date);
    Dispatch(978);
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
            for (int command : {19, 955, 982, 685, 9, 10, 921, 93, 92})
              if (QAction* a = m_menus->Action(command)) menu.addAction(a);
            menu.exec(pos);
          });
  connect(m_month, &MonthView::dateSelected, this, [this](DayNumber d) { SetViewedDate(d); });
  connect(m_month, &MonthView::dayViewRequested, this, [this](DayNumber d) {
    SetViewedDate(d);
    ShowView(931);
  });
  connect(m_month, &MonthView::newItemRequested, this, [this](DayNumber d) {
    SetViewedDate(d);
    Dispatch(978);
  });
  connect(m_list, &ListView::itemActivated, this, [this](ActHandle) { Dispatch(19); });

  // The calendar window: a month to pick dates from, docked at the right or floating.
  m_calendarDock = new QDockWidget(t::kCalendarCaption, this);
  m_calendarDock->setObjectName("CalendarWindow");
  m_calendar = new MonthView(*m_env, m_calendarDock);
  m_calendar->setMinimumSize(320, 260);
  m_calendarDock->setWidget(m_calendar);
  addDockWidget(Qt::RightDockWidgetArea, m_calendarDock);
  m_calendarDock->hide();
  connect(m_calendar, &MonthView::dateSelected, this, [this](DayNumber d) { SetViewedDate(d); });
  connect(m_calendar, &MonthView::dayViewRequested, this, [this](DayNumber d) {
    SetViewedDate(d);
    if (!DayViewShowing()) ShowView(931);
  });
  connect(m_days, &MultiDayView::dragStepRequested, this,
          [this](DayView*, bool earlier) { MoveWithinDay(earlier); });
  // The project colour bar opens the project in the projects tree.
  connect(m_days, &MultiDayView::projectBarClicked, this, [this](DayView*, ActHandle project) {
    ShowView(641);
    m_tree->Refresh();
    const auto nodes = m_session.schedule().projects().tree().NodesShowing(project);
    if (!nodes.empty()) m_tree->SelectNode(nodes.front());
  });
  // A greyed item's keys are dead too, so the states follow the selection at once.
  connect(m_days, &MultiDayView::selectionChanged, this, [this](DayView*) { UpdateMenuStates(); });
  connect(m_list, &ListView::selectionChanged, this, [this] { UpdateMenuStates(); });
}

void MainWindow::InstallMenus() {
  m_menus = new MenuBuilder(this);
  connect(m_menus, &MenuBuilder::commandTriggered, this, &MainWindow::Dispatch);
  connect(m_menus, &MenuBuilder::popupAboutToShow, this, [this](QMenu*) { UpdateMenuStates(); });
  m_menus->Install(mode());
  UpdateMenuStates();
}

MenuMode MainWindow::mode() const {
  return m_session.schedule().header().LightModePermitted() ? MenuMode::kLight : MenuMode::kPro;
}

ViewKind MainWindow::viewKind() const {
  switch (m_viewCommand) {
    case 931: return ViewKind::kDay;
    case 935: return ViewKind::kMyMultipleDay;
    case 934: return ViewKind::kMonth;
    case 936: return ViewKind::kPriority;
    case 933: return ViewKind::kAlphabetical;
    default: return m_viewCommand >= 43 && m_viewCommand <= 48 ? ViewKind::kDaySchedule32
                                                               : ViewKind::kOther;
  }
}

bool MainWindow::DayViewShowing() const { return m_stack->currentWidget() == m_days; }

void MainWindow::ShowView(int command) {
  m_viewCommand = command;
  switch (command) {
    case 935:
      m_days->SetCount(m_multipleDays);
      m_stack->setCurrentWidget(m_days);
      break;
    case 934:
      m_stack->setCurrentWidget(m_month);
      break;
    case 933:
      m_list->SetKind(ListKind::kAlphabetical);
      m_stack->setCurrentWidget(m_list);
      break;
    case 936:
      m_list->SetKind(ListKind::kPriority);
      m_stack->setCurrentWidget(m_list);
      break;
    case 501:
      m_list->SetKind(ListKind::kProjects);
      m_stack->setCurrentWidget(m_list);
      break;
    case 641:
      m_stack->setCurrentWidget(m_tree);
      break;
    default:
      if (command >= 43 && command <= 48) {
        m_days->SetCount(command - 41);  // Next 2 Days .. Next 7 Days
      } else {
        m_viewCommand = 931;
        m_days->SetCount(1);
      }
      m_stack->setCurrentWidget(m_days);
      break;
  }
  m_session.layout().viewCommand = m_viewCommand;
  // The engine repaints the priorities while they show.
  m_session.engine().SetPriorityViewShowing(m_viewCommand == 936);
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
    case ViewKind::kDay: in.view = DayViewKind::kDay; break;
    case ViewKind::kMyMultipleDay: in.view = DayViewKind::kMyMultipleDay; break;
    case ViewKind::kDaySchedule32: in.view = DayViewKind::kMultipleDay; break;
    default: in.view = DayViewKind::kNone; break;
  }
  if (!m_session.writable()) in.view = DayViewKind::kNone;
  in.date = m_viewedDate;
  in.focusNow = m_env->options.focusNow;
  in.hideDoneItems = m_env->options.hideDoneItems;
  in.unsaved = m_session.schedule().changed();
  in.filterText = FilterSummary(m_session.schedule(), m_filters);
  if (in.view == DayViewKind::kNone) {
    // The lists and the month view name themselves.
    QString name;
    switch (m_viewCommand) {
      case 934: name = "Month View"; break;
      case 936: name = "Priority View"; break;
      case 933: name = "Alphabetical View"; break;
      case 501: name = "Projects List"; break;
      case 641: name = "Projects Tree"; break;
      default: name = "Day View"; break;
    }
    return name + " | " + Q(FormatDate(m_viewedDate, m_env->dateText())) +
           (in.unsaved ? " *" : "");
  }
  return Q(ContainerTitle(in, m_session.schedule(), m_env->dateText()));
}

void MainWindow::RefreshTitle() {
  const std::string user = m_session.settings().ReadString("UserName");
  const QString title = QString("%1%2 - %3")
                            .arg(t::kProductName)
                            .arg(mode() == MenuMode::kLight ? " Light" : "")
                            .arg(user.empty() ? t::kNoUserName : Q(user));
  if (windowTitle() != title) setWindowTitle(title);
  const QString container = ContainerTitleText();
  if (m_titleBar->text() != container) m_titleBar->setText(container);
}

TaskNode* MainWindow::SelectedTask() const {
  if (!DayViewShowing() || m_days->ActiveView() == nullptr) return nullptr;
  return m_days->ActiveView()->SelectedTask();
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
  for (int c : {931, 935, 934, 936, 933, 501, 641}) m_menus->SetChecked(c, m_viewCommand == c);
  m_menus->SetChecked(716, mode() == MenuMode::kLight);
  m_menus->SetChecked(717, mode() == MenuMode::kPro);
  m_menus->SetChecked(m_days->tiling(), true);
  m_menus->SetChecked(606, m_env->options.focusNow);
  m_menus->SetChecked(m_month->darkenBusierDays() ? 80 : 79, true);
  m_menus->SetChecked(603, m_calendarDock != nullptr && !m_calendarDock->isFloating());
  m_menus->SetChecked(706, m_env->options.hideDoneItems);
  const bool item = SelectedItem() != kNoAct;
  const bool writable = m_session.writable();
  for (int c : {19, 955, 982, 921, 92, 93, 95, 685, 9, 10, 11, 12, 15, 16})
    m_menus->SetEnabled(c, item && (writable || c == 93));
  for (int c : {974, 973, 977, 397, 737, 398, 94, 612}) m_menus->SetEnabled(c, writable);
}

void MainWindow::AfterChange() {
  RefreshViews();
  UpdateMenuStates();
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

void MainWindow::MoveSelected(int days) {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  const DayNumber from = TaskDate(task);
  const DayNumber to = MoveItemToDate(m_session.engine(), task, static_cast<DayNumber>(from + days));
  // The view follows the item unless its new day is in sight already.
  if (to != kNoDate && m_days->ViewOf(to) == nullptr) GoToDate(to);
  AfterChange();
}

void MainWindow::MoveWithinDay(bool earlier) {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  const DayNumber date = TaskDate(task);
  if (earlier) {
    TaskNode* prev = task->prev != nullptr && task->prev->prev != nullptr
                         ? static_cast<TaskNode*>(task->prev)
                         : nullptr;
    if (prev != nullptr) SwapTasks(m_session.engine(), prev, task, date);
  } else if (TaskNode* next = task->Next()) {
    SwapTasks(m_session.engine(), task, next, date);
  }
  m_session.schedule().MarkChanged();
  AfterChange();
}

void MainWindow::MarkDone() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  Schedule& s = m_session.schedule();
  if (s.ActFlags(task->act) & AF_DONE) {
    MarkItemUndone(m_session.engine(), task->act);
  } else {
    MarkTaskDone(m_session.engine(), task);
  }
  AfterChange();
}

void MainWindow::ToggleStarted() {
  TaskNode* task = SelectedTask();
  if (task == nullptr || !m_session.writable()) return;
  Schedule& s = m_session.schedule();
  // A start belongs to one occurrence of a recurring item.
  if ((s.ActFlags(task->act) & AF_BETA) && s.hooks().CloneToDrone(s, task) == kNoAct) return;
  Act& a = s.LockAct(task->act);
  a.flags ^= AF_STARTED;
  if (a.flags & AF_STARTED) a.startTime = task->StartTime();
  s.MarkChanged();
  AfterChange();
}

void MainWindow::DeleteSelected(bool wholeSeries) {
  TaskNode* task = SelectedTask();
  const ActHandle selected = SelectedItem();
  if (selected == kNoAct || !m_session.writable()) return;
  Schedule& s = m_session.schedule();
  const ActHandle definition = RecurringItemOf(s, selected);
  if (definition != kNoAct && wholeSeries) {
    m_undelete->PushUndeleteItem(definition, UNDEL_ITEM);
    DeleteRecurringItem(m_session.recurrences(), definition);
  } else if (definition != kNoAct && task != nullptr && task->act == definition) {
    // One unedited occurrence: its date keeps a cancellation.
    const DayNumber date = TaskDate(task);
    m_undelete->PushUndeleteTask(task, date);
    s.AddXlistEntry(definition, date, kNoAct);
  } else if (definition != kNoAct && task != nullptr) {
    m_undelete->PushUndeleteItem(selected, UNDEL_ITEM);
    DeleteOneClone(m_session.recurrences(), task);
  } else if (definition == kNoAct) {
    m_undelete->PushUndeleteItem(selected, UNDEL_ITEM);
    s.DeleteItem(selected);
  }
  s.MarkChanged();
  AfterChange();
}

void MainWindow::Undelete() {
  if (!m_session.writable()) return;
  const UndeleteResult r = m_undelete->Undelete();
  if (!r.undeleted) {
    m_session.messages().InformationMessage(t::kNothingToUndelete);
    return;
  }
  if (r.showDay) GoToDate(*r.showDay);
  AfterChange();
}

void MainWindow::Copy() {
  const ActHandle h = SelectedItem();
  if (h == kNoAct) return;
  const std::string line = FormatClipboardLine(m_session.schedule(), h, m_env->dateText());
  auto* clip = new QMimeData;
  clip->setData(kItemMimeType, QByteArray::fromStdString(line));
  clip->setText(Q(ClipboardTitle(line)));
  QApplication::clipboard()->setMimeData(clip);
}

void MainWindow::Paste() {
  if (!m_session.writable()) return;
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  std::string text;
  if (clip != nullptr && clip->hasFormat(kItemMimeType)) {
    text = clip->data(kItemMimeType).toStdString();
  } else if (clip != nullptr && clip->hasText()) {
    text = clip->text().toStdString();
  }
  if (text.empty()) {
    m_session.messages().InformationMessage(t::kNothingToPaste);
    return;
  }
  const ParseContext context = m_session.ParseContextFor(m_viewedDate);
  const auto r = ParseItemLine(text, m_env->dateText(), context);
  if (!r.line) {
    m_session.messages().ErrorMessage(r.message);
    return;
  }
  const ActHandle h =
      EnterItemLine(m_session.engine(), &m_session.recurrences(), *r.line, m_viewedDate);
  if (h == kNoAct) return;
  m_session.SaveIfChanged();
  const DayNumber date = m_session.schedule().GetActDate(h);
  if (date != kNoDate) GoToDate(date);
  AfterChange();
}

std::array<bool, 7> MainWindow::Workdays() const {
  std::array<bool, 7> days{};
  const auto& stored = m_session.programSettings().workday;
  for (size_t d = 0; d < days.size(); ++d) days[d] = stored[d] != 0;
  return days;
}

ConflictCheckView MainWindow::ConflictView() {
  ConflictCheckView view;
  view.text = m_env->dateText();
  view.alphabeticalView = m_viewCommand == 933;
  auto progress = std::make_shared<std::unique_ptr<ProgressWindow>>();
  view.showProgress = [this, progress](const std::string& line) {
    if (!*progress) {
      *progress = std::make_unique<ProgressWindow>(this);
      (*progress)->Open();
    }
    (*progress)->SetText(line);
  };
  view.closeProgress = [progress] { progress->reset(); };
  return view;
}

ActHandle MainWindow::SelectedProject() const {
  if (m_stack->currentWidget() != m_list || m_viewCommand != 501) return kNoAct;
  const ActHandle h = m_list->SelectedItem();
  return h != kNoAct && (m_session.schedule().ActTypeFlags(h) & ACT_PROJECT) ? h : kNoAct;
}

void MainWindow::OpenItemDialog(int command) {
  if (!m_session.writable()) return;
  Schedule& s = m_session.schedule();
  Engine& engine = m_session.engine();
  const ItemDialogMode dialogMode = ModeForCommand(command);
  const bool fresh = dialogMode == ItemDialogMode::kNew || dialogMode == ItemDialogMode::kPreferences;
  if (command == kCmdNewProject) {
    NewProject();
    return;
  }
  // In the Projects List, Modify opens the selected project's own properties.
  if (!fresh) {
    if (const ActHandle project = SelectedProject(); project != kNoAct) {
      ModifyProject(project);
      return;
    }
  }
  ItemEditRequest request;
  request.command = command;
  request.task = fresh ? nullptr : SelectedTask();
  request.item = fresh || request.task != nullptr ? kNoAct : SelectedItem();
  request.date = DayViewShowing() ? m_viewedDate : m_session.clock().Today();
  if (DayViewShowing() && m_days->ActiveView() != nullptr)
    request.date = m_days->ActiveView()->date();
  request.lightMode = mode() == MenuMode::kLight;
  std::optional<ItemEditSession> edit = OpenItemEdit(engine, &m_session.recurrences(), request);
  if (!edit) return;

  ItemEditHooks hooks;
  hooks.conflictView = ConflictView();
  const int result = RunItemPropertiesDialog(
      this, *edit, engine, &m_session.recurrences(), m_env->dateText(),
      m_session.ParseContextFor(request.date), m_session.messages(), hooks, Workdays());
  if (result == kItemDialogDelete) {
    if (!fresh) DeleteSelected(false);
    return;
  }
  if (result == 0) return;
  if (result == 1 && dialogMode == ItemDialogMode::kNew && s.IsActValid(edit->item))
    ShowNewItem(edit->item);
  AfterChange();
}

void MainWindow::ShowNewItem(ActHandle h) {
  Schedule& s = m_session.schedule();
  // A recurring item has no day of its own: its occurrences show where they fall.
  if (h == kNoAct || !s.IsActValid(h) || (s.ActFlags(h) & AF_BETA)) return;
  const DayNumber date = s.GetActDate(h);
  if (date != kNoDate && (!DayViewShowing() || m_days->ViewOf(date) == nullptr)) GoToDate(date);
  if (TaskNode* task = s.ActTask(h); task && DayViewShowing())
    if (DayView* view = m_days->ViewOf(TaskDate(task))) view->SelectTask(task);
}

QString MainWindow::ProjectDialogTitle(ActHandle project) const {
  const Schedule& s = m_session.schedule();
  const Act& a = s.ReadAct(project);
  ItemDialogTitleInput in;
  in.mode = ItemDialogMode::kModify;
  in.typeFlags = a.typeFlags;
  in.createdDate = a.createdDate;
  in.createdTime = a.createdTime;
  in.today = m_session.clock().Today();
  return Q(ItemDialogTitle(in, m_env->dateText()));
}

void MainWindow::NewProject() {
  if (!m_session.writable()) return;
  ShowView(501);
  const ActHandle h = RunProjectPropertiesDialog(this, m_session.schedule(), kNoAct,
                                                 project_dialog_text::kNewProjectCaption, m_ui);
  if (h != kNoAct) m_list->SelectItem(h);
  AfterChange();
}

void MainWindow::ModifyProject(ActHandle project) {
  if (!m_session.writable()) return;
  if (RunProjectPropertiesDialog(this, m_session.schedule(), project, ProjectDialogTitle(project),
                                 m_ui) != kNoAct)
    AfterChange();
}

void MainWindow::OpenFilters() {
  if (m_filtersWindow == nullptr) {
    FiltersWindowPorts ports{m_session.schedule(),  m_filters,          m_session.settings(),
                             m_session.programSettings(), m_session.layout(),
                             m_session.messages(),  [this] { return m_session.writable(); },
                             {}};
    m_filtersWindow = new FiltersWindow(std::move(ports), this);
    connect(m_filtersWindow, &FiltersWindow::filtersChanged, this, [this] { RefreshViews(); });
    connect(m_filtersWindow, &FiltersWindow::filtersClosed, this, [this](bool) { RefreshViews(); });
    connect(m_filtersWindow, &FiltersWindow::helpRequested, this,
            [this](const QString& topic) { m_ui.OpenHelpTopic(topic.toStdString()); });
  }
  m_filtersWindow->Open();
  RefreshViews();
}

void MainWindow::Duplicate() {
  const ActHandle h = SelectedItem();
  if (h == kNoAct || !m_session.writable()) return;
  Schedule& s = m_session.schedule();
  const ActHandle definition = RecurringItemOf(s, h);
  if (definition != kNoAct) {
    MultiButtonParams params;
    params.customCaptions = t::kDuplicateButtons;
    const int answer = m_session.messages().MultiButtonBox(t::kDuplicateQuestion, "",
                                                           kMbIconQuestion, params);
    if (answer == kIdCustom1 + 1) {
      DuplicateBetaAct(m_session.recurrences(), definition);
      AfterChange();
      return;
    }
    if (answer != kIdCustom1) return;
  }
  Act copy = s.ReadAct(h);
  copy.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE | AF_DONE | AF_STARTED);
  copy.hBeta = 0;
  copy.ID = 0;
  copy.pitem = 0;
  TaskNode* task = SelectedTask();
  const DayNumber date = task != nullptr ? TaskDate(task) : m_viewedDate;
  const std::string title = definition != kNoAct && task != nullptr
                                ? OccurrenceTitle(m_session.recurrences(), definition, date, true)
                                : s.GetActNameFull(h);
  const ActHandle made = s.NewItem(date, copy, title);
  if (made != kNoAct && (copy.flags & AF_FLEXIBLE)) RescheduleItem(m_session.engine(), made);
  s.MarkChanged();
  AfterChange();
}

void MainWindow::SwitchMode(int newMode) {
  m_session.SetMode(newMode);
  FollowScheduleMode();
}

void MainWindow::FollowScheduleMode() {
  m_env->options.proMode = mode() == MenuMode::kPro;
  m_menus->Install(mode());
  UpdateMenuStates();
  AfterChange();
}

void MainWindow::SaveAs() {
  const QString folder = QFileDialog::getExistingDirectory(this, t::kSaveAsCaption,
                                                           Q(m_session.files().folder()));
  if (folder.isEmpty()) return;
  m_session.files().SaveAs(m_session.schedule(), folder.toStdString(),
                           ScheduleFiles::SaveAsKind::kCurrent);
  RefreshTitle();
}

void MainWindow::Backup() {
  if (!m_session.files().AskBackupAll()) return;
  const QString folder = QFileDialog::getExistingDirectory(
      this, t::kBackupCaption, Q(m_session.files().BackupStartFolder()));
  if (folder.isEmpty()) return;
  if (m_session.files().BackupAll(m_session.schedule(), folder.toStdString()) ==
      BackupAllResult::kDoneClose)
    close();
}

void MainWindow::ShowAbout() {
  AboutFacts facts;
  facts.scheduleFile = m_session.files().schedulePath();
  facts.programLocation = QCoreApplication::applicationDirPath().toStdString();
  facts.errorLogPath = (m_session.places().dataFolder / kErrorLogFileName).string();
  AboutBox box(facts, this);
  box.SetHelpHandler([this](const std::string& topic) { m_ui.OpenHelpTopic(topic); });
  box.exec();
}

void MainWindow::NotYet(int command) {
  const std::string label = CommandLabel(command);
  const QString text = label.empty() ? QString(t::kNotAvailable).arg(command)
                                     : QString(t::kNotYetBuilt).arg(Q(label));
  emit notice(text);
  m_session.messages().InformationMessage(text.toStdString());
}

void MainWindow::Dispatch(int command) {
  Engine& engine = m_session.engine();
  const DayNumber today = m_session.clock().Today();
  DayView* active = DayViewShowing() ? m_days->ActiveView() : nullptr;
  switch (command) {
    // ---- Navigate ----
    case 7:
      if (active) active->SelectPrevious();
      else if (m_stack->currentWidget() == m_list) m_list->SelectPrevious();
      break;
    case 8:
      if (active) active->SelectNext();
      else if (m_stack->currentWidget() == m_list) m_list->SelectNext();
      break;
    case 27:
    case 293:
      if (active) active->ScrollLines(-std::max(1, active->height() / 24));
      break;
    case 28:
    case 294:
      if (active) active->ScrollLines(std::max(1, active->height() / 24));
      break;
    case 161:
      if (active) active->TopOfList();
      break;
    case 162:
      if (active) active->BottomOfList();
      break;
    case 924: GoToDate(today); break;
    case 917: GoToDate(static_cast<DayNumber>(m_viewedDate + 1)); break;
    case 918: GoToDate(static_cast<DayNumber>(m_viewedDate - 1)); break;
    case 913: GoToDate(static_cast<DayNumber>(m_viewedDate - 7)); break;
    case 914: GoToDate(static_cast<DayNumber>(m_viewedDate + 7)); break;
    case 52: GoToDateAsked(); break;
    case 40: {
      const DayNumber earliest = EarliestUndoneDate(engine);
      if (earliest != kNoDate) {
        if (!DayViewShowing()) ShowView(931);
        GoToDate(earliest);
      }
      break;
    }
    case 5:
      if (DayViewShowing()) m_days->NextWindow();
      break;
    case 6:
      if (DayViewShowing()) m_days->PreviousWindow();
      break;
    // ---- View ----
    case 931: case 935: case 934: case 936: case 933: case 501: case 641:
    case 43: case 44: case 45: case 46: case 47: case 48:
      ShowView(command);
      break;
    case 32: ShowView(935); break;
    case 85: case 86: case 87:
      m_days->SetTiling(command);
      m_session.layout().tiling = command;
      UpdateMenuStates();
      break;
    case 606:
      m_env->options.focusNow = !m_env->options.focusNow;
      AfterChange();
      break;
    case 706:
      m_env->options.hideDoneItems = !m_env->options.hideDoneItems;
      AfterChange();
      break;
    case 951: ShowCalendarWindow(true); break;
    case 78: ShowCalendarWindow(false); break;
    case 603: SetCalendarDocked(m_calendarDock->isFloating()); break;
    case 80:
    case 79:
      m_month->SetDarkenBusierDays(command == 80);
      m_calendar->SetDarkenBusierDays(command == 80);
      UpdateMenuStates();
      break;
    case 214: case 210: case 494: case 745: ChooseFont(command); break;
    case 633:
      if (m_session.writable() &&
          RunDayBoundsDialog(this, m_session.schedule(), m_env->dateText()))
        AfterChange();
      break;
    case 689:
      if (m_session.writable() &&
          RunWorkHoursDialog(this, m_session.engine(), m_session.programSettings(),
                             m_session.settings(), m_env->dateText().regional.iCountry,
                             m_env->dateText()))
        AfterChange();
      break;
    case 634:
      if (RunOtherSettingsDialog(this, m_session.engine(), m_session.programSettings(),
                                 m_session.settings(), m_env->dateText().regional.iCountry))
        AfterChange();
      break;
    case 394:
      if (m_session.writable() &&
          RunBalanceSettingsDialog(this, m_session.engine(), m_env->dateText()))
        AfterChange();
      break;
    // ---- Reports ----
    case 497: case 663: case 676: case 750: ShowReport(command); break;
    case 502: DailyTimeByProjectReport(); break;
    // ---- Balance ----
    case 11: MoveWithinDay(true); break;
    case 12: MoveWithinDay(false); break;
    case 10: MoveSelected(-1); break;
    case 9: MoveSelected(1); break;
    case 15: MoveSelected(-7); break;
    case 16: MoveSelected(7); break;
    case 685:
      if (TaskNode* task = SelectedTask(); task && m_session.writable()) {
        PostponeOneHour(engine, task);
        AfterChange();
      }
      break;
    case 977:
      if (m_session.writable()) BringForwardCommand(engine);
      AfterChange();
      break;
    case 973:
      if (m_session.writable()) BalanceDay(engine);
      AfterChange();
      break;
    case 974:
      if (m_session.writable()) BalanceAllDays(engine, kBalanceNormal);
      AfterChange();
      break;
    case 397:
      if (m_session.writable()) LightenLoad(engine, m_viewedDate);
      AfterChange();
      break;
    case 737:
      if (m_session.writable()) LightenLoadByUrgency(engine, m_viewedDate);
      AfterChange();
      break;
    case 398:
      if (m_session.writable()) IncreaseLoad(engine, m_viewedDate);
      AfterChange();
      break;
    // ---- Edit ----
    case 955: MarkDone(); break;
    case 982: ToggleStarted(); break;
    case 921:
      if (const ActHandle project = SelectedProject(); project != kNoAct) {
        if (m_session.writable() &&
            DeleteProjectCommand(m_session.schedule(), project, [this](ActHandle h) {
              m_undelete->PushUndeleteItem(h, UNDEL_PROJECT);
            }))
          AfterChange();
      } else {
        DeleteSelected(false);
      }
      break;
    case 81: DeleteSelected(true); break;
    case 612: Undelete(); break;
    case 93: Copy(); break;
    case 92:
      Copy();
      DeleteSelected(false);
      break;
    case 94: Paste(); break;
    case kCmdNewItem: case kCmdNewItemLight: case kCmdNewAppointment: case kCmdNewMultiDayEvent:
    case kCmdNewMemo: case kCmdNewBirthdayMemo: case kCmdNewAnniversaryMemo:
    case kCmdNewWorkHolidayMemo: case kCmdNewProject: case kCmdModifyItem:
    case kCmdModifyAllRecurrences: case kCmdModifyMemoAsSetDate: case kCmdNewItemPreferences:
      OpenItemDialog(command);
      break;
    case 95:
      if (const ActHandle project = SelectedProject(); project != kNoAct) {
        if (!m_session.writable()) break;
        const ActHandle copy = DuplicateProject(m_session.schedule(), project);
        if (copy != kNoAct) ModifyProject(copy);
        AfterChange();
      } else {
        Duplicate();
      }
      break;
    case 700: case 635: case 664:
      // F4 sequences in the Priority View; in the Projects List it tags.
      if (m_session.writable() &&
          TagUntagCommand(m_session.schedule(), m_viewCommand, SelectedProject()))
        AfterChange();
      else if (m_viewCommand != 501)
        NotYet(command);
      break;
    case 646: OpenFilters(); break;
    // ---- File ----
    case 1:
    case 723:
      if (m_session.writable()) m_session.files().SaveNow(m_session.schedule());
      RefreshTitle();
      break;
    case 499: SaveAs(); break;
    case 759: Backup(); break;
    case 25:
    case 353:
    case 746:
      close();
      break;
    case 1366:
    case 1367:
      SendToTray();
      break;
    case 742: RestoreFromTray(); break;
    case 751:
      RestoreFromTray();
      Dispatch(978);
      break;
    // ---- Settings ----
    case 716: SwitchMode(kScheduleLightMode); break;
    case 717: SwitchMode(kScheduleProMode); break;
    // ---- Help ----
    case 605: m_ui.OpenHelpTopic("Ploven.htm"); break;
    case 707: m_ui.OpenHelpTopic("KeyboardShortcuts.htm"); break;
    case 26: ShowAbout(); break;
    default:
      NotYet(command);
      break;
  }
}

void MainWindow::Tick() {
  const ClockTick tick = m_session.Tick();
  if (tick.minuteChanged) {
    ++m_minutesSinceWarning;
    m_session.MinutePass();
    CheckPastUndone();
    if (DayViewShowing()) m_days->Refresh();
  }
  if (tick.dateChanged) {
    m_session.DayRollOver();
    RefreshViews();
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
  if (!DayViewShowing()) ShowView(931);
  GoToDate(facts.earliestUndone);
  return true;
}

void MainWindow::ShowReport(int command) {
  Schedule& s = m_session.schedule();
  const ReportFormat format = ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday);
  ReportText report;
  switch (command) {
    case 497: report = TurnoverScoreReport(s, m_viewedDate, format, m_env->hiddenByFilter); break;
    case 663: report = DailyTaggedTimeReport(s, m_viewedDate, format, m_env->hiddenByFilter); break;
    case 676: report = WeeklyTaggedTimeReport(s, m_viewedDate, format, m_env->hiddenByFilter); break;
    default: report = WeeklyLifeTimeReport(s, m_viewedDate, format, m_env->hiddenByFilter); break;
  }
  m_session.messages().PlainMessage(report.text, report.caption);
}

void MainWindow::DailyTimeByProjectReport() {
  Schedule& s = m_session.schedule();
  const ReportFormat format = ReportFormatFor(m_env->dateText(), m_env->options.weekStartsMonday);
  bool ok = false;
  const int days = QInputDialog::getInt(this, t::kProjectReportCaption, t::kProjectReportDays, 7,
                                        1, 366, 1, &ok);
  if (!ok) return;
  const QString file = QFileDialog::getSaveFileName(
      this, t::kProjectReportCaption,
      Q((std::filesystem::path(m_session.files().folder()) / "ProjectTime.txt").string()),
      t::kTextFiles);
  if (file.isEmpty()) return;
  const auto first = static_cast<DayNumber>(m_viewedDate - days + 1);
  const ReportFileResult r = WriteDailyTimeByProjectReport(
      s, WithTxtExtension(file.toStdString()), first, m_viewedDate, format, m_env->hiddenByFilter);
  if (r.ok) m_session.messages().InformationMessage(r.message);
  else m_session.messages().ErrorMessage(r.message);
}

namespace {

struct FontSetting {
  int command;
  const char* key;
  QFont ViewStyle::*font;
};
constexpr FontSetting kFontSettings[] = {
    {214, key::kFontHeadings, &ViewStyle::headingFont},
    {210, key::kFontText, &ViewStyle::textFont},
    {494, key::kFontMonth, &ViewStyle::monthFont},
    {745, key::kFontNote, &ViewStyle::noteFont},
};

}  // namespace

void MainWindow::LoadFonts() {
  for (const FontSetting& f : kFontSettings) {
    const std::string saved = m_session.settings().ReadString(f.key);
    // Qt's description names at least the family and the size; anything else is left alone.
    QFont font;
    if (Q(saved).split(',').size() >= 2 && font.fromString(Q(saved)) && font.pointSizeF() > 0)
      m_env->style.*f.font = font;
  }
}

void MainWindow::ChooseFont(int command) {
  for (const FontSetting& f : kFontSettings) {
    if (f.command != command) continue;
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_env->style.*f.font, this,
                                            Q(CommandLabel(command)));
    if (!ok) return;
    m_env->style.*f.font = font;
    m_session.settings().WriteString(f.key, font.toString().toStdString());
    RefreshViews();
    update();
  }
}

void MainWindow::ShowCalendarWindow(bool show) {
  if (show && m_calendarDock->isFloating() && !m_calendarDock->isVisible()) {
    // Where it was last time, kept on the screen and large enough to read; the first time
    // beside the main window.
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    WindowPlace place = m_session.layout().calendar;
    if (place.width > 0) {
      place.width = std::clamp(place.width, kCalendarMinWidth,
                               std::max(kCalendarMinWidth, area.width() / 3));
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
  if (m_wasMaximized) showMaximized();
  else showNormal();
  raise();
  activateWindow();
}

void MainWindow::BringToFront() {
  if (isMinimized() || !isVisible()) RestoreFromTray();
  raise();
  activateWindow();
}

}  // namespace ploven
