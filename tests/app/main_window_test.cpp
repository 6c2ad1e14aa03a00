#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <fstream>
#include <functional>

#include "app/first_run.h"
#include "app/menu_builder.h"
#include "app/program_session.h"
#include "dialogs/item_properties_dialog.h"
#include "edit/sample_schedule.h"
#include "edit/tutorial_lessons.h"
#include "engine/balance_all_days.h"
#include "mock/test_env.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

// The main window on a session of its own, the clock at Tuesday 8 December 2026, 9:00.
class MainWindowTest : public ::testing::Test {
 protected:
  void Open(const std::optional<std::string>& argument = std::nullopt) {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    start = session->Open(argument);
  }
  void Show() {
    ASSERT_TRUE(session->open());
    session->EndStartup();
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(1000, 700);
    window->show();
    QApplication::setActiveWindow(window.get());
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(window.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(window.get(), &release);
  }
  ActHandle Fixed(const std::string& title, DayNumber date, int hour) {
    Act a;
    a.flags = AF_FIXED;
    a.startTime = static_cast<TimeOfDay>(hour * 60 + 1);
    a.duration = 30;
    return session->schedule().NewItem(date, a, title);
  }
  DayView* ActiveDay() {
    auto* days = window->findChild<MultiDayView*>();
    return days != nullptr ? days->ActiveView() : nullptr;
  }
  ActHandle Fluid(const std::string& title, DayNumber date, Duration duration = 60) {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.duration = duration;
    return session->schedule().NewItem(date, a, title);
  }

  // What the item dialog a command opened showed, recorded while it was open and checked by
  // the test after the command returned.
  struct DialogVisit {
    bool opened = false;
    QString title;
    bool stayedOpen = false;  // OK left it open; the test cancelled it
  };
  // Once the next command has opened the item dialog: `use` works on it, then OK closes it. A
  // dialog that OK leaves open is cancelled, so the test goes on and fails on what it checks.
  void OnItemDialog(DialogVisit& visit, std::function<void(ItemPropertiesDialog&)> use,
                    bool ok = true) {
    QTimer::singleShot(0, [&visit, use = std::move(use), ok] {
      auto* dialog = qobject_cast<ItemPropertiesDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      visit.opened = true;
      visit.title = dialog->windowTitle();
      use(*dialog);
      if (!ok) {
        dialog->reject();
        return;
      }
      dialog->accept();
      if (dialog->isVisible()) {
        visit.stayedOpen = true;
        dialog->reject();
      }
    });
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
  SessionStart start = SessionStart::kExit;
};

TEST_F(MainWindowTest, StartsOnAMissingScheduleWithANewOne) {
  Open();
  EXPECT_EQ(start, SessionStart::kNewSchedule);
  Show();
  EXPECT_EQ(window->viewedDate(), TestEnv::kToday);
  EXPECT_EQ(window->viewCommand(), Command::kDayView);
  EXPECT_TRUE(window->windowTitle().startsWith("Ploven"));
  EXPECT_TRUE(window->titleBar()->text().contains("Day View"))
      << window->titleBar()->text().toStdString();
}

TEST_F(MainWindowTest, ADamagedScheduleWithoutBackupIsRefusedAndKeptAsItWas) {
  std::filesystem::create_directories(dir / "data");
  const auto path = dir / "data" / "mine.pak";
  { std::ofstream(path, std::ios::binary) << "this is not a schedule file"; }
  Open(path.string());
  EXPECT_EQ(start, SessionStart::kExit);
  EXPECT_FALSE(session->open());
  EXPECT_TRUE(ui.Showed("damaged")) << (ui.boxes.empty() ? "" : ui.boxes.back().text);
  std::ifstream in(path, std::ios::binary);
  std::string kept((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(kept, "this is not a schedule file");
}

TEST_F(MainWindowTest, TheSampleScheduleShowsItsDays) {
  Open();
  BuildSampleSchedule(session->engine(), &session->recurrences());
  Show();
  DayView* day = ActiveDay();
  ASSERT_NE(day, nullptr);
  EXPECT_EQ(day->date(), TestEnv::kToday);
  EXPECT_GT(day->itemCount(), 0);
}

TEST_F(MainWindowTest, KeysDriveTheCommands) {
  Open();
  const ActHandle early = Fixed("Early", TestEnv::kToday, 8);
  const ActHandle late = Fixed("Late", TestEnv::kToday, 15);
  Show();
  // + and - step the viewed day; Home comes back to today.
  Press(Qt::Key_Plus, Qt::KeypadModifier, "+");
  EXPECT_EQ(window->viewedDate(), TestEnv::kToday + 1);
  Press(Qt::Key_Minus, Qt::KeypadModifier, "-");
  Press(Qt::Key_Minus, Qt::KeypadModifier, "-");
  EXPECT_EQ(window->viewedDate(), TestEnv::kToday - 1);
  Press(Qt::Key_Home);
  EXPECT_EQ(window->viewedDate(), TestEnv::kToday);

  // Down selects, Delete deletes the selected item.
  ASSERT_NE(ActiveDay(), nullptr);
  ActiveDay()->SelectTask(session->schedule().ActTask(early));
  Press(Qt::Key_Down);
  EXPECT_EQ(window->SelectedItem(), late);
  Press(Qt::Key_Up);
  EXPECT_EQ(window->SelectedItem(), early);
  Press(Qt::Key_Delete);
  EXPECT_EQ(session->schedule().ExistingTerminal(TestEnv::kToday)->nTasks, 1);
  // Undelete brings it back.
  Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(session->schedule().ExistingTerminal(TestEnv::kToday)->nTasks, 2);

  // Ctrl+M shows the month, Ctrl+S the day again.
  Press(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(window->viewCommand(), Command::kMonthView);
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(window->viewCommand(), Command::kDayView);
}

TEST_F(MainWindowTest, BalanceAllDaysRunsFromItsKeyAndMissingPartsSaySo) {
  Open();
  Act fluid;
  fluid.flags = AF_FLEXIBLE;
  fluid.duration = 60;
  const ActHandle h = session->schedule().NewItem(TestEnv::kToday + 3, fluid, "Essay");
  Show();
  QString notice;
  QObject::connect(window.get(), &MainWindow::notice, [&](const QString& n) { notice = n; });
  window->Dispatch(static_cast<Command>(4242));  // a number no command has
  EXPECT_TRUE(notice.contains("not available")) << notice.toStdString();
  // Ctrl+E opens the selected item's note; with nothing selected there is none to open.
  Press(Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(ui.Showed("Item must exist first"));

  Press(Qt::Key_F8, Qt::AltModifier);
  // Balance All Days brings the flexible item to the first free time.
  EXPECT_EQ(session->schedule().GetActDate(h), TestEnv::kToday);
}

TEST_F(MainWindowTest, ModeSwitchSwapsTheMenusAndTheTitle) {
  Open();
  Show();
  window->Dispatch(Command::kProMode);
  EXPECT_EQ(window->mode(), MenuMode::kPro);
  EXPECT_FALSE(window->windowTitle().contains("Light"));
  window->Dispatch(Command::kLightMode);
  EXPECT_EQ(window->mode(), MenuMode::kLight);
  EXPECT_TRUE(window->windowTitle().contains("Ploven Light"));
  EXPECT_EQ(window->menus().Action(Command::kBalanceAllDays),
            nullptr);  // no Balance All Days in Light Mode
}

// The mode switch replaces the menus from inside the triggered signal of one of them: the menu
// item must survive its own handler, in both directions, with every view and the calendar
// window docked and floating.
struct ModeSwitchRow {
  Command view;
  bool docked;
};

class ModeSwitchTest : public MainWindowTest, public testing::WithParamInterface<ModeSwitchRow> {
 protected:
  // Chooses the command's menu item; false when the mode's menus have none.
  bool Trigger(Command command) {
    QAction* action = window->menus().Action(command);
    if (action == nullptr) return false;
    action->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return true;
  }
};

TEST_P(ModeSwitchTest, FromItsMenuItemsBackAndForth) {
  const ModeSwitchRow& row = GetParam();
  Open();
  Fixed("Meeting", TestEnv::kToday, 10);
  Show();
  auto* dock = window->findChild<QDockWidget*>("CalendarWindow");
  ASSERT_NE(dock, nullptr);
  window->Dispatch(Command::kShowCalendarWindow);
  dock->setFloating(!row.docked);
  ASSERT_TRUE(Trigger(row.view));
  ASSERT_TRUE(Trigger(Command::kLightMode));
  EXPECT_EQ(window->mode(), MenuMode::kLight);
  EXPECT_TRUE(window->windowTitle().contains("Ploven Light"));
  ASSERT_TRUE(Trigger(Command::kProMode));
  EXPECT_EQ(window->mode(), MenuMode::kPro);
  // The new menus answer: Balance All Days is there again and the keys still work.
  EXPECT_NE(window->menus().Action(Command::kBalanceAllDays), nullptr);
  Press(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(window->viewCommand(), Command::kMonthView);
  // Only the menus of the mode in force are left on the window.
  EXPECT_EQ(window->findChildren<QMenuBar*>().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(ViewsAndCalendar, ModeSwitchTest, testing::ValuesIn([] {
                           std::vector<ModeSwitchRow> rows;
                           for (const bool docked : {true, false})
                             for (const Command view :
                                  {Command::kDayView, Command::kAlphabeticalView,
                                   Command::kMonthView, Command::kMyMultipleDayView,
                                   Command::kPriorityView})
                               rows.push_back({view, docked});
                           return rows;
                         }()),
                         [](const testing::TestParamInfo<ModeSwitchRow>& row) {
                           return std::to_string(CommandNumber(row.param.view)) +
                                  (row.param.docked ? "Docked" : "Floating");
                         });

TEST_F(MainWindowTest, CalendarWindowAndReportsAnswerTheirCommands) {
  Open();
  Show();
  auto* dock = window->findChild<QDockWidget*>("CalendarWindow");
  ASSERT_NE(dock, nullptr);
  window->Dispatch(Command::kShowCalendarWindow);
  EXPECT_TRUE(dock->isVisible());
  EXPECT_TRUE(session->layout().windowFlags & kLayoutCalendarOpen);
  window->Dispatch(Command::kHideCalendarWindow);
  EXPECT_FALSE(dock->isVisible());
  EXPECT_FALSE(session->layout().windowFlags & kLayoutCalendarOpen);

  ui.boxes.clear();
  window->Dispatch(Command::kDayTurnoverScore);  // the viewed day's turnover score
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_FALSE(ui.boxes[0].text.empty());
}

TEST_F(MainWindowTest, PastUndoneItemsAreOfferedAndTheViewGoesToTheEarliest) {
  clock.Set(TestEnv::kToday - 5, TestEnv::kNine);  // the schedule began a few days ago
  Open();
  Fixed("Forgotten", TestEnv::kToday - 3, 10);
  clock.Set(TestEnv::kToday, TestEnv::kNine);
  session->Tick();
  Show();
  ui.Answer(kIdCustom1);  // "Yes, view it now"
  EXPECT_TRUE(window->CheckPastUndone());
  EXPECT_TRUE(ui.Showed("undone item on past days"));
  EXPECT_EQ(window->viewedDate(), TestEnv::kToday - 3);
  // Once a run is enough.
  window->SetViewedDate(TestEnv::kToday);
  EXPECT_FALSE(window->CheckPastUndone());
}

TEST_F(MainWindowTest, DraggingAnItemMovesItThroughTheDay) {
  Open();
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 30;
  const ActHandle first = session->schedule().NewItem(TestEnv::kToday, a, "First");
  const ActHandle second = session->schedule().NewItem(TestEnv::kToday, a, "Second");
  Show();
  DayView* day = ActiveDay();
  ASSERT_NE(day, nullptr);
  day->Refresh();
  auto rectOf = [&](ActHandle h) {
    for (const auto& r : day->rowTable())
      if (r.content.task != nullptr && r.content.task->act == h) return r.rect;
    return QRect();
  };
  const QRect from = rectOf(first);
  const QRect to = rectOf(second);
  ASSERT_TRUE(from.isValid() && to.isValid());
  ASSERT_LT(from.top(), to.top());
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(from.center()),
                    QPointF(day->mapToGlobal(from.center())), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(day, &press);
  QMouseEvent move(QEvent::MouseMove, QPointF(to.center()), QPointF(day->mapToGlobal(to.center())),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(day, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(to.center()),
                      QPointF(day->mapToGlobal(to.center())), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(day, &release);
  const Terminal* t = session->schedule().ExistingTerminal(TestEnv::kToday);
  ASSERT_NE(t->First(), nullptr);
  EXPECT_EQ(t->First()->act, second);
}

TEST_F(MainWindowTest, TheScreenFontsComeFromTheSettings) {
  Open();
  QFont big("DejaVu Serif", 15);
  session->settings().WriteString("FontDayViewsText", big.toString().toStdString());
  session->settings().WriteString("FontDayViewsHeadings", "not a font description");
  Show();
  EXPECT_EQ(window->environment().style.textFont.family(), "DejaVu Serif");
  EXPECT_EQ(window->environment().style.textFont.pointSize(), 15);
  // A setting that cannot be read leaves the default.
  EXPECT_EQ(window->environment().style.headingFont, ViewStyle::From(DisplayOptions{}).headingFont);
}

TEST_F(MainWindowTest, InsertMakesANewItemThroughItsDialog) {
  Open();
  Show();
  DialogVisit visit;
  OnItemDialog(visit, [](ItemPropertiesDialog& dialog) {
    dialog.titleField()->setPlainText("Write the report");
    dialog.durationField()->setText("1:15");
  });
  Press(Qt::Key_Insert);
  ASSERT_TRUE(visit.opened);
  EXPECT_EQ(visit.title, "New Item");
  EXPECT_FALSE(visit.stayedOpen);
  const Terminal* today = session->schedule().ExistingTerminal(TestEnv::kToday);
  ASSERT_NE(today, nullptr);
  ASSERT_EQ(today->nTasks, 1);
  const ActHandle h = today->First()->act;
  EXPECT_EQ(session->schedule().GetActNameFull(h), "Write the report");
  EXPECT_EQ(session->schedule().ReadAct(h).duration, 75);
  // Without preferences of the user's own, a new item is planned by the program.
  EXPECT_TRUE(session->schedule().ActFlags(h) & AF_FLEXIBLE);
  // The new item is the one selected.
  ASSERT_NE(ActiveDay(), nullptr);
  EXPECT_EQ(ActiveDay()->SelectedTask(), today->First());
}

TEST_F(MainWindowTest, ModifyItemChangesTheSelectedItemAndModifyAllRecurrencesWantsARecurringOne) {
  Open();
  Show();
  DialogVisit made;
  OnItemDialog(made, [](ItemPropertiesDialog& dialog) {
    dialog.titleField()->setPlainText("Stand-up");
    dialog.setDateButton()->click();
    dialog.startTimeField()->setText("8:30a");
    dialog.durationField()->setText("0:15");
    dialog.alarmBox()->setChecked(true);  // no alarm question at OK
  });
  Press(Qt::Key_Insert);
  ASSERT_TRUE(made.opened);
  EXPECT_FALSE(made.stayedOpen);
  Schedule& s = session->schedule();
  const Terminal* today = s.ExistingTerminal(TestEnv::kToday);
  ASSERT_NE(today, nullptr);
  ASSERT_EQ(today->nTasks, 1);
  TaskNode* task = today->First();
  const ActHandle h = task->act;
  EXPECT_EQ(s.ReadAct(h).startTime, 8 * 60 + 31);

  DialogVisit modified;
  OnItemDialog(modified,
               [](ItemPropertiesDialog& dialog) { dialog.durationField()->setText("0:20"); });
  ASSERT_NE(ActiveDay(), nullptr);
  ActiveDay()->SelectTask(task);
  window->Dispatch(Command::kModifyItem);
  ASSERT_TRUE(modified.opened);
  EXPECT_TRUE(modified.title.startsWith("Modify Item | created today"))
      << modified.title.toStdString();
  EXPECT_EQ(s.ReadAct(h).duration, 20);

  // Not a recurring item: Ctrl+Enter says so and opens nothing.
  const size_t boxes = ui.boxes.size();
  window->Dispatch(Command::kModifyAllRecurrences);
  EXPECT_EQ(ui.boxes.size(), boxes + 1);
}

// While the item dialog is open, AutoPilot's Balance All Days of the minute pass waits: the
// dialog holds the engine. Once it is closed, the next minute runs it.
TEST_F(MainWindowTest, AutoPilotWaitsWhileTheItemDialogIsOpen) {
  Open();
  const ActHandle essay = Fluid("Essay", TestEnv::kToday + 3);
  EngineSettings& planning = session->engine().settings();
  planning.autoPilot = true;
  planning.autoPilotInterval = 1;  // every minute
  Show();
  ASSERT_EQ(session->schedule().GetActDate(essay), TestEnv::kToday + 3);

  bool heldWhileOpen = false;
  DayNumber dateWhileOpen = kNoDate;
  DialogVisit visit;
  OnItemDialog(
      visit,
      [&](ItemPropertiesDialog&) {
        heldWhileOpen = session->engine().itemDialogOpen();
        clock.Set(TestEnv::kToday, TestEnv::kNine + 1);
        window->Tick();  // the clock timer: a new minute, the minute pass
        dateWhileOpen = session->schedule().GetActDate(essay);
      },
      false);
  window->Dispatch(Command::kNewItem);
  ASSERT_TRUE(visit.opened);
  EXPECT_TRUE(heldWhileOpen);
  EXPECT_EQ(dateWhileOpen, TestEnv::kToday + 3) << "Balance All Days ran with the dialog open";

  EXPECT_FALSE(session->engine().itemDialogOpen());
  clock.Set(TestEnv::kToday, TestEnv::kNine + 2);
  window->Tick();
  // Balance All Days brings the flexible item to the first free time.
  EXPECT_EQ(session->schedule().GetActDate(essay), TestEnv::kToday);
}

// The first run's answers: the mode the user picks is the one the window and the schedule are
// in, and the tutorial's lessons come only when asked for.
struct FirstRunRow {
  const char* name;
  int sampleAnswer;
  int modeAnswer;
  MenuMode mode;
  bool samples;
};

class FirstRunTest : public MainWindowTest, public testing::WithParamInterface<FirstRunRow> {};

TEST_P(FirstRunTest, TheAnswersDecideTheModeAndTheTutorial) {
  const FirstRunRow& row = GetParam();
  Open();
  ASSERT_TRUE(session->createdThisRun());
  Show();
  ui.Answer(row.sampleAnswer);
  ui.Answer(row.modeAnswer);
  AskFirstRunQuestions(*session);
  window->FollowScheduleMode();
  EXPECT_EQ(session->schedule().header().LightModePermitted(), row.mode == MenuMode::kLight);
  EXPECT_EQ(window->mode(), row.mode);
  EXPECT_EQ(window->menus().Action(Command::kBalanceAllDays) != nullptr,
            row.mode == MenuMode::kPro);
  // Two weeks of lesson memos, each with its note.
  int lessons = 0;
  for (const auto& [key, node] : session->schedule().actChain()) {
    const std::string title = session->schedule().GetActNameFull(node.act);
    if (title.rfind(kLessonTag, 0) != 0) continue;
    ++lessons;
    EXPECT_NE(session->schedule().ActFlags(node.act) & AF_HAS_NOTE, 0u) << title;
  }
  EXPECT_EQ(lessons, row.samples ? static_cast<int>(TutorialLessons().size()) : 0);
  // The question offers what the button really loads.
  EXPECT_TRUE(ui.Showed("tutorial"));
}

INSTANTIATE_TEST_SUITE_P(Answers, FirstRunTest,
                         testing::Values(FirstRunRow{"LightNoTutorial", kIdCustom1 + 1, kIdCustom1,
                                                     MenuMode::kLight, false},
                                         FirstRunRow{"ProWithTutorial", kIdCustom1, kIdCustom1 + 1,
                                                     MenuMode::kPro, true}),
                         [](const testing::TestParamInfo<FirstRunRow>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace ploven::test
