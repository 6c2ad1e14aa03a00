// Every command of both modes' menus, dispatched on the sample schedule with every box answered
// by its default and every window that waits for an answer closed: none may crash, and none may
// answer that it is not built yet, except the ones other work still owes (listed below).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <set>

#include "app/main_window.h"
#include "app/menu_builder.h"
#include "app/program_session.h"
#include "edit/sample_schedule.h"
#include "mock/test_env.h"
#include "store/terminal.h"
#include "views/busy_navigator.h"
#include "views/day_view.h"
#include "views/multi_day_view.h"

namespace ploven::test {
namespace {

using enum Command;


// The commands that end the run or swap the menus go last, in this order.
const std::vector<Command> kLast = {kSendToTray, kSendToTrayLight, kRestoreFromTray,   kLightMode,
                                    kProMode,    kCloseSchedule,   kTrayCloseSchedule, kExit};

void Collect(const std::vector<MenuNode>& nodes, std::vector<Command>& out) {
  for (const MenuNode& node : nodes) {
    if (node.IsPopup()) {
      Collect(node.children, out);
    } else if (!IsPlaceholderCommand(node.command) &&
               std::find(out.begin(), out.end(), node.command) == out.end()) {
      out.push_back(node.command);
    }
  }
}

std::vector<Command> CommandsOf(MenuMode mode) {
  std::vector<Command> all;
  Collect(MainMenu(mode), all);
  // The keys without a menu item reach the same dispatcher.
  for (const KeyBinding& key : Accelerators(mode))
    if (std::find(all.begin(), all.end(), key.command) == all.end()) all.push_back(key.command);
  std::vector<Command> ordered;
  for (Command c : all)
    if (std::find(kLast.begin(), kLast.end(), c) == kLast.end()) ordered.push_back(c);
  for (Command c : kLast)
    if (std::find(all.begin(), all.end(), c) != all.end()) ordered.push_back(c);
  return ordered;
}

// Answers every box with its default button, as a user pressing Enter would; a box asked again
// and again with the same text (a Help button that is the default brings its question back) is
// answered with its last button, the way out, from the third time on.
class DefaultAnswers : public ScriptedUi {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    repeats = !boxes.empty() && boxes.back().text == box.text ? repeats + 1 : 0;
    BoxAnswer answer = ScriptedUi::ShowBox(box);
    if (repeats >= 2 && !box.buttons.empty()) answer.code = box.buttons.back().code;
    return answer;
  }

 private:
  int repeats = 0;
};

class AllCommandsTest : public ::testing::TestWithParam<MenuMode> {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    ASSERT_NE(session->Open(std::nullopt), SessionStart::kExit);
    ASSERT_TRUE(session->open());
    session->EndStartup();
    BuildSampleSchedule(session->engine(), &session->recurrences());
    window = std::make_unique<MainWindow>(*session, ui);
    window->SetUrlOpener([this](const std::string& url) {
      openedUrls.push_back(url);
      return true;
    });
    window->resize(1000, 700);
    window->show();
    QApplication::setActiveWindow(window.get());
    QObject::connect(window.get(), &MainWindow::notice, [this](const QString& text) {
      notices.push_back({running, text});
    });
    // Whatever waits for the user is answered at once: a modal dialog is cancelled, a popup menu
    // closed. The timer runs inside their event loops too.
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [this] {
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        modal->reject();
        ++dialogsClosed;
      } else if (QWidget* other = QApplication::activeModalWidget()) {
        other->close();
        ++dialogsClosed;
      }
    });
    closer.start();
  }
  void TearDown() override {
    closer.stop();
    // Windows the commands opened go with the main window.
    window.reset();
    session.reset();
  }

  // Each command starts from the day view of today with an item of today selected, so the
  // commands on the selected item have one.
  void Prepare() {
    if (!window->isVisible()) window->show();
    if (window->viewCommand() != kDayView) window->Dispatch(kDayView);
    window->SetViewedDate(TestEnv::kToday);
    auto* days = window->findChild<MultiDayView*>();
    DayView* day = days != nullptr ? days->ActiveView() : nullptr;
    Terminal* today = session->schedule().ExistingTerminal(TestEnv::kToday);
    if (day == nullptr || today == nullptr) return;
    for (TaskNode* t = today->First(); t != nullptr; t = t->Next()) {
      if (!(session->schedule().ActFlags(t->act) & (AF_DONE | AF_HOPE))) {
        day->SelectTask(t);
        return;
      }
    }
    if (today->First() != nullptr) day->SelectTask(today->First());
  }

  struct Notice {
    Command command;
    QString text;
  };

  TempDir dir;
  DefaultAnswers ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
  QTimer closer;
  Command running = kNone;
  std::vector<Notice> notices;
  std::vector<std::string> openedUrls;
  int dialogsClosed = 0;
};

TEST_P(AllCommandsTest, EveryCommandDoesWhatItSays) {
  const MenuMode mode = GetParam();
  window->Dispatch(mode == MenuMode::kLight ? kLightMode : kProMode);
  ASSERT_EQ(window->mode(), mode);
  const std::vector<Command> commands = CommandsOf(mode);
  ASSERT_GT(commands.size(), mode == MenuMode::kLight ? 100u : 190u);
  int dispatched = 0;
  for (const Command c : commands) {
    if (!session->open()) break;
    if (c != kRestoreFromTray) Prepare();
    running = c;
    window->Dispatch(c);
    QApplication::processEvents();
    ++dispatched;
  }
  EXPECT_EQ(dispatched, static_cast<int>(commands.size()));
  // No command of either menu answers that it is not built yet.
  for (const Notice& n : notices) {
    ADD_FAILURE() << "command " << CommandNumber(n.command) << " (\"" << CommandLabel(n.command)
                  << "\") answered: " << n.text.toStdString();
  }
  EXPECT_GT(dialogsClosed, 0);  // the closer did its work: the item dialog opened, at least
}

INSTANTIATE_TEST_SUITE_P(BothModes, AllCommandsTest,
                         ::testing::Values(MenuMode::kPro, MenuMode::kLight),
                         [](const ::testing::TestParamInfo<MenuMode>& p) {
                           return p.param == MenuMode::kPro ? std::string("Pro")
                                                            : std::string("Light");
                         });

}  // namespace
}  // namespace ploven::test
