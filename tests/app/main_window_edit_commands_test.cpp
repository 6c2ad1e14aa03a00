// The Edit, View, Balance and Reports commands of the main window, driven as a user would: keys,
// the popups filled at run time, the busy navigator and the Interrupt dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>
#include <fstream>

#include "app/main_window.h"
#include "app/menu_builder.h"
#include "app/program_session.h"
#include "dialogs/interrupt_dialog.h"
#include "done/interruption_log.h"
#include "edit/sample_schedule.h"
#include "edit/tagged_items.h"
#include "mock/test_env.h"
#include "store/priority_index.h"
#include "views/busy_navigator.h"
#include "views/day_view.h"
#include "views/month_view.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

// The clock stands at Tuesday 8 December 2026, 9:00.
class EditCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    ASSERT_NE(session->Open(std::nullopt), SessionStart::kExit);
    ASSERT_TRUE(session->open());
    session->EndStartup();
  }
  void Show() {
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(1000, 700);
    window->show();
    QApplication::setActiveWindow(window.get());
    window->Dispatch(Command::kProMode);
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(window.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(window.get(), &release);
  }
  ActHandle Fixed(const std::string& title, DayNumber date, int hour, Duration duration = 30) {
    Act a;
    a.flags = AF_FIXED;
    a.typeFlags = ACT_ITEM;
    a.startTime = ClockTime(hour, 0);
    a.duration = duration;
    return session->schedule().NewItem(date, a, title);
  }
  ActHandle Flexible(const std::string& title, DayNumber date, Duration duration) {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.typeFlags = ACT_ITEM;
    a.tier = 'A';
    a.duration = duration;
    return session->schedule().NewItem(date, a, title);
  }
  void Select(ActHandle h) {
    auto* days = window->findChild<MultiDayView*>();
    ASSERT_NE(days, nullptr);
    window->SetViewedDate(session->schedule().GetActDate(h));
    days->ActiveView()->SelectTask(session->schedule().ActTask(h));
    ASSERT_EQ(window->SelectedItem(), h);
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
};

TEST_F(EditCommandsTest, PropertyKeysChangeTheSelectedItemAndReplanIt) {
  const ActHandle h = Fixed("Dentist", TestEnv::kToday, 14);
  Show();
  Select(h);
  Press(Qt::Key_F3);  // Underscore
  EXPECT_TRUE(session->schedule().ActFlags(h) & AF_UNDERSCORED);
  Press(Qt::Key_F3, Qt::AltModifier);  // Private
  EXPECT_EQ(session->schedule().GetActNameFull(h), "!Dentist");
  Press(Qt::Key_Right, Qt::AltModifier);  // Longer Duration, by 15 minutes
  EXPECT_EQ(session->schedule().ReadAct(h).duration, 45);
  window->Dispatch(Command::kLaterSetStartTime);
  EXPECT_EQ(session->schedule().ReadAct(h).startTime, ClockTime(14, 15));
  EXPECT_EQ(session->schedule().ActTask(h)->StartTime(), ClockTime(14, 15));
  Press(Qt::Key_F2);  // Flexible Date: the item joins the priorities and is planned again
  EXPECT_TRUE(session->schedule().ActFlags(h) & AF_FLEXIBLE);
  EXPECT_NE(session->schedule().priorityIndex().EntryOf(h), kNoPriorityEntry);
  EXPECT_EQ(window->SelectedItem(), h);  // the view follows the item
}

TEST_F(EditCommandsTest, WithNothingSelectedTheChangesSaySo) {
  Show();
  window->Dispatch(Command::kUnderscore);
  window->Dispatch(Command::kRaisePriority);
  EXPECT_TRUE(ui.Showed("Select an item first."));
}

TEST_F(EditCommandsTest, GapfillersListWhatFitsAndBringTheChoiceToToday) {
  session->schedule().header().setEarliestTimeOfDay(ClockTime(8, 0));
  session->schedule().header().setLatestTimeOfDay(ClockTime(17, 0));
  Fixed("Meeting", TestEnv::kToday, 9, 420);  // 9:00 to 16:00: an hour is left
  const ActHandle quick = Flexible("Quick call", TestEnv::kToday + 2, 20);
  Flexible("Long report", TestEnv::kToday + 2, 120);
  Show();
  QMenu* popup = window->menus().Popup(Command::kGapfillers);
  ASSERT_NE(popup, nullptr);
  emit popup->aboutToShow();
  ASSERT_EQ(popup->actions().size(), 1);
  EXPECT_TRUE(popup->actions().front()->text().startsWith("Quick call"));
  popup->actions().front()->trigger();
  EXPECT_EQ(session->schedule().GetActDate(quick), TestEnv::kToday);
  // Nothing more fits: the popup says so in a line that cannot be chosen.
  emit popup->aboutToShow();
  ASSERT_EQ(popup->actions().size(), 1);
  EXPECT_FALSE(popup->actions().front()->isEnabled());
}

TEST_F(EditCommandsTest, MultiusersListTheOtherFoldersAndShowTheirScheduleReadOnly) {
  Show();
  // Another user's schedule beside this one's folder: a copy of this schedule with an item.
  Fixed("Team lunch", TestEnv::kToday, 12);
  session->SaveIfChanged();
  const std::filesystem::path own(session->files().folder());
  const std::filesystem::path other = own.parent_path() / "zoe";
  std::filesystem::create_directories(other);
  std::filesystem::copy_file(session->files().schedulePath(), other / "timedata.pak");
  QMenu* popup = window->menus().Popup(Command::kMultiusers);
  ASSERT_NE(popup, nullptr);
  emit popup->aboutToShow();
  ASSERT_EQ(popup->actions().size(), 1);
  EXPECT_EQ(popup->actions().front()->text(), "zoe");
  popup->actions().front()->trigger();
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().caption, "zoe's schedule (read-only)");
  EXPECT_NE(ui.boxes.back().text.find("Team lunch"), std::string::npos) << ui.boxes.back().text;
}

TEST_F(EditCommandsTest, TheBusyNavigatorShowsTheMonthAheadAndGoesToTheDayClicked) {
  Fixed("Busy", TestEnv::kToday + 3, 9, 240);
  Show();
  window->Dispatch(Command::kBusyNavigator);
  auto* navigator = window->findChild<BusyNavigator*>();
  ASSERT_NE(navigator, nullptr);
  EXPECT_TRUE(navigator->isVisible());
  ASSERT_EQ(navigator->days().size(), 31u);
  EXPECT_EQ(navigator->days()[0].date, TestEnv::kToday);
  EXPECT_GT(navigator->days()[3].load, 0);
  const QPoint at = navigator->CellRect(3).center();
  QMouseEvent click(QEvent::MouseButtonPress, at, navigator->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(navigator, &click);
  EXPECT_EQ(window->viewedDate(), TestEnv::kToday + 3);
  EXPECT_EQ(window->viewCommand(), Command::kDayView);
}

TEST_F(EditCommandsTest, LaunchWebSiteOpensTheFirstAddressOfTheTitle) {
  const ActHandle h = Fixed("Pay at https://bank.example/pay, then file", TestEnv::kToday, 10);
  const ActHandle plain = Fixed("No address", TestEnv::kToday, 11);
  Show();
  std::vector<std::string> opened;
  window->SetUrlOpener([&](const std::string& url) {
    opened.push_back(url);
    return true;
  });
  Select(h);
  Press(Qt::Key_F11);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "https://bank.example/pay");
  Select(plain);
  window->Dispatch(Command::kLaunchWebSite);
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_TRUE(ui.Showed("holds no web address"));
}

TEST_F(EditCommandsTest, DeleteSampleItemsSaysHowManyAndAsksFirst) {
  BuildSampleSchedule(session->engine(), &session->recurrences());
  const ActHandle mine = Fixed("Mine", TestEnv::kToday, 16);
  const size_t samples = ItemsTagged(session->schedule(), {kSampleTag, kLessonTag}).size();
  Show();
  ui.Answer(kIdNo);
  window->Dispatch(Command::kDeleteSampleItems);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_NE(ui.boxes.back().text.find("Delete the " + std::to_string(samples) + " items"),
            std::string::npos)
      << ui.boxes.back().text;
  EXPECT_EQ(ItemsTagged(session->schedule(), {kSampleTag}).size(), samples);
  ui.Answer(kIdYes);
  window->Dispatch(Command::kDeleteSampleItems);
  EXPECT_TRUE(ItemsTagged(session->schedule(), {kSampleTag}).empty());
  EXPECT_TRUE(session->schedule().IsActValid(mine));
  window->Dispatch(Command::kDeleteSpecialDayItems);
  EXPECT_TRUE(ui.Showed("There are no items whose titles begin with [Special Day]."));
}

TEST_F(EditCommandsTest, InterruptLogsBesideTheScheduleAndReportsIt) {
  Show();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<InterruptDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialog->whatField()->setText("Phone call");
    dialog->minutesField()->setValue(12);
    dialog->accept();
  });
  window->Dispatch(Command::kInterrupt);
  const std::string path = InterruptionLogPath(session->files().schedulePath());
  const InterruptionLog log = ReadInterruptions(session->fs(), path);
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_EQ(log.entries[0].what, "Phone call");
  EXPECT_EQ(log.entries[0].minutes, 12);
  EXPECT_EQ(log.entries[0].day, TestEnv::kToday);
}

TEST_F(EditCommandsTest, FourFourFiveModeSwitchesBothCalendars) {
  Show();
  window->Dispatch(Command::kFourFourFiveMode);
  for (MonthView* month : window->findChildren<MonthView*>()) EXPECT_TRUE(month->fourFourFive());
  // Weeks start on Monday here: Tuesday 8 December 2026 lies in the last period of the 4-4-5
  // year 2026, which began on Monday 30 November.
  auto months = window->findChildren<MonthView*>();
  ASSERT_FALSE(months.empty());
  months.front()->SetViewedDate(TestEnv::kToday);
  EXPECT_EQ(months.front()->FirstShownDate(), TestEnv::kToday - 8);
  // The next window (the next start) counts periods too, until the mode is switched off.
  window.reset();
  Show();
  for (MonthView* month : window->findChildren<MonthView*>()) EXPECT_TRUE(month->fourFourFive());
  window->Dispatch(Command::kFourFourFiveMode);
  for (MonthView* month : window->findChildren<MonthView*>()) EXPECT_FALSE(month->fourFourFive());
  window.reset();
  Show();
  for (MonthView* month : window->findChildren<MonthView*>()) EXPECT_FALSE(month->fourFourFive());
}

TEST_F(EditCommandsTest, ReportsOpenInTheReportWindow) {
  Fixed("Dig", TestEnv::kToday, 9);
  Show();
  window->Dispatch(Command::kItemsReport);
  EXPECT_EQ(ui.boxes.back().caption, "Items Report (by project)");
  window->Dispatch(Command::kSleepReport);
  EXPECT_EQ(ui.boxes.back().caption, "Sleep Report (last 30 nights)");
  ui.Answer(kIdCustom1 + 1);  // Month
  window->Dispatch(Command::kWeekMonthTurnoverScore);
  EXPECT_EQ(ui.boxes.back().caption, "Month Turnover Score (by project)");
}

}  // namespace
}  // namespace ploven::test
