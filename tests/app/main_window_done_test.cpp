// The done commands of the desktop program: New Done Item, Modify on a done item, the
// Advanced Timekeeping keys and the month's done items.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include "app/main_window.h"
#include "app/program_session.h"
#include "dialogs/done_item_dialog.h"
#include "dialogs/done_log_window.h"
#include "dialogs/item_properties_dialog.h"
#include "mock/test_env.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

class MainWindowDoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    ASSERT_NE(session->Open(std::nullopt), SessionStart::kExit);
    session->EndStartup();
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(1000, 700);
    window->show();
    QApplication::setActiveWindow(window.get());
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(window.get(), &press);
  }
  ActHandle Fixed(const std::string& title, int hour, Duration duration, uint32_t flags = 0) {
    Act a;
    a.flags = AF_FIXED | flags;
    a.startTime = static_cast<TimeOfDay>(hour * 60 + 1);
    a.duration = duration;
    return session->schedule().NewItem(TestEnv::kToday, a, title);
  }
  DayView* ActiveDay() {
    auto* days = window->findChild<MultiDayView*>();
    return days != nullptr ? days->ActiveView() : nullptr;
  }
  void Select(ActHandle h) {
    window->RefreshViews();
    ASSERT_NE(ActiveDay(), nullptr);
    ActiveDay()->SelectTask(session->schedule().ActTask(h));
  }
  // Once the next command opened a modal window of type W: `use` works on it, then it closes.
  template <typename W>
  void OnModal(bool& opened, std::function<void(W&)> use) {
    QTimer::singleShot(0, [&opened, use = std::move(use)] {
      auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
      if (w == nullptr) {
        if (QWidget* other = QApplication::activeModalWidget()) other->close();
        return;
      }
      opened = true;
      use(*w);
      if (w->isVisible()) w->reject();
    });
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowDoneTest, F10RecordsADoneItemThroughTheItemDoneWindow) {
  bool opened = false;
  OnModal<DoneItemDialog>(opened, [](DoneItemDialog& d) {
    d.titleField()->setText("Early calls");
    d.beganField()->setText("7:30a");
    emit d.beganField()->editingFinished();
    d.durationField()->setText("0:45");
    emit d.durationField()->editingFinished();
    d.accept();
  });
  Press(Qt::Key_F10);
  ASSERT_TRUE(opened);
  const ActHandle h = session->schedule().FindActByTitle("Early calls");
  ASSERT_NE(h, kNoAct);
  EXPECT_TRUE(session->schedule().ActFlags(h) & AF_DONE);
  EXPECT_EQ(session->schedule().ReadAct(h).startTime, 7 * 60 + 30 + 1);
  EXPECT_EQ(session->schedule().ReadAct(h).duration, 45);
}

TEST_F(MainWindowDoneTest, ModifyOnADoneItemOpensTheItemDoneWindowNotTheItemDialog) {
  const ActHandle h = Fixed("Letters", 8, 30, AF_DONE);
  Select(h);
  bool opened = false;
  QString began;
  OnModal<DoneItemDialog>(opened, [&began](DoneItemDialog& d) {
    began = d.beganField()->text();
    d.reject();
  });
  window->Dispatch(Command::kModifyItem);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(began.isEmpty());
}

TEST_F(MainWindowDoneTest, CtrlSpaceIsDoneWithTheCurrentEndTime) {
  const ActHandle h = Fixed("Call", 9, 60);
  clock.Set(TestEnv::kToday, 9 * 60 + 20 + 1);
  window->Tick();  // the program reads the clock once a tick
  Select(h);
  Press(Qt::Key_Space, Qt::ControlModifier);
  EXPECT_TRUE(session->schedule().ActFlags(h) & AF_DONE);
  EXPECT_EQ(session->schedule().ReadAct(h).duration, 20);
}

TEST_F(MainWindowDoneTest, TheMonthsDoneItemsListShowsTheDay) {
  Fixed("Letters", 8, 30, AF_DONE);
  Fixed("Not done", 10, 30);
  bool opened = false;
  int rows = -1;
  OnModal<DoneLogWindow>(opened, [&rows](DoneLogWindow& w) { rows = w.table()->rowCount(); });
  window->Dispatch(Command::kDoneItemsLog);
  EXPECT_TRUE(opened);
  EXPECT_EQ(rows, 1);
}

}  // namespace
}  // namespace ploven::test
