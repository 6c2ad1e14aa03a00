#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "app/menu_builder.h"
#include "app/program_session.h"
#include "dialogs/item_properties_dialog.h"
#include "edit/tutorial_lessons.h"
#include "file/launch_redirect.h"
#include "file/schedule_transfer.h"
#include "file/transfer_messages.h"
#include "mock/test_env.h"
#include "platform/paths.h"
#include "platform/settings_keys.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

// The main window on a schedule of its own, the clock at Tuesday 8 December 2026, 9:00.
class ToolsCommandsTest : public ::testing::Test {
 protected:
  void Open(const std::optional<std::string>& argument = std::nullopt) {
    window.reset();
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    ASSERT_NE(session->Open(argument), SessionStart::kExit);
  }
  void Show() {
    session->EndStartup();
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(1000, 700);
    window->show();
  }
  static void Fixed(std::unique_ptr<ProgramSession>& s, const std::string& title) {
    Act a;
    a.flags = AF_FIXED;
    a.startTime = 10 * 60 + 1;
    a.duration = 30;
    s->schedule().NewItem(TestEnv::kToday, a, title);
  }
  QAction* Tool(Command c) {
    return window->toolbar()->findChild<QAction*>(QStringLiteral("tool%1").arg(CommandNumber(c)));
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
};

TEST_F(ToolsCommandsTest, TheToolbarShowsTheModesCommandsAndTheViewMenuHidesIt) {
  Open();
  Show();
  ASSERT_NE(window->toolbar(), nullptr);
  EXPECT_TRUE(window->toolbar()->isVisible());
  QAction* done = Tool(Command::kDone);
  ASSERT_NE(done, nullptr);
  EXPECT_FALSE(done->icon().isNull());
  EXPECT_TRUE(done->toolTip().contains("Done!")) << done->toolTip().toStdString();
  EXPECT_TRUE(done->toolTip().contains("Space")) << done->toolTip().toStdString();
  EXPECT_TRUE(Tool(Command::kPriorityView)->isVisible());

  // A tool runs its command.
  Tool(Command::kMonthView)->trigger();
  EXPECT_EQ(window->viewCommand(), Command::kMonthView);

  window->Dispatch(Command::kToolbar);
  EXPECT_FALSE(window->toolbar()->isVisible());
  EXPECT_FALSE(window->menus().Action(Command::kToolbar)->isChecked());
  EXPECT_EQ(session->settings().ReadInt(key::kToolbarOn, 1), 0);
  // The next start keeps it hidden.
  Open();
  Show();
  EXPECT_FALSE(window->toolbar()->isVisible());
  window->Dispatch(Command::kToolbar);
  EXPECT_TRUE(window->toolbar()->isVisible());
  EXPECT_TRUE(window->menus().Action(Command::kToolbar)->isChecked());

  // Light Mode has no Priority View: its tool goes too.
  window->Dispatch(Command::kLightMode);
  EXPECT_FALSE(Tool(Command::kPriorityView)->isVisible());
  EXPECT_TRUE(Tool(Command::kNewItem)->isVisible());
}

TEST_F(ToolsCommandsTest, TheStatusBarShowsTodaysLoad) {
  Open();
  Show();
  EXPECT_TRUE(window->statusLoad()->text().contains("booked"))
      << window->statusLoad()->text().toStdString();
}

TEST_F(ToolsCommandsTest, TheScheduleOpenAtLaunchIsTheOneAStartWithoutArgumentOpens) {
  const std::filesystem::path other = dir / "elsewhere";
  std::filesystem::create_directories(other);
  Open((other / "work.pak").string());
  session->files().SaveNow(session->schedule());
  Show();
  window->Dispatch(Command::kMakeOpenAtLaunch);
  EXPECT_TRUE(ui.Showed("work.pak"));
  window.reset();
  session.reset();
  Open();  // no argument
  EXPECT_EQ(session->files().schedulePath(), (other / "work.pak").string());
}

TEST_F(ToolsCommandsTest, ACheckedOutScheduleSaysSoAndAsksBeforeAChange) {
  Open();
  session->files().SaveNow(session->schedule());
  {
    std::ofstream(CheckOutMarkPath(session->files().schedulePath())) << "/media/stick\n";
  }
  Show();
  EXPECT_EQ(window->CheckedOutFolder(), "/media/stick");
  EXPECT_TRUE(window->titleBar()->text().contains("checked out"))
      << window->titleBar()->text().toStdString();
  const size_t items = session->schedule().actChain().Count();
  ui.Answer(kIdNo);
  window->Dispatch(Command::kLoadTutorial);
  EXPECT_TRUE(ui.Showed("/media/stick"));
  EXPECT_EQ(session->schedule().actChain().Count(), items);
  // Looking is not changing: no question.
  const size_t asked = ui.boxes.size();
  window->Dispatch(Command::kMonthView);
  EXPECT_EQ(ui.boxes.size(), asked);
}

std::string FileText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST_F(ToolsCommandsTest, CheckInBringsTheCopyBackAndTheClosingProgramDoesNotSaveOverIt) {
  Open();
  session->files().SaveNow(session->schedule());
  const std::filesystem::path schedule = session->files().schedulePath();
  const std::filesystem::path stick = dir / "stick";
  std::filesystem::create_directories(stick);
  ASSERT_EQ(CheckOut(session->fs(), schedule.string(), session->noteFiles().notesFolder(),
                     stick.string())
                .status,
            TransferStatus::kDone);
  // The copy was worked on elsewhere since (it is newer), and an item was made here too.
  Show();
  ui.Answer(kIdNo);  // the schedule is out: no change here after all
  window->Dispatch(Command::kNewItem);
  Fixed(session, "Made here after Check Out");
  std::filesystem::last_write_time(stick / schedule.filename(),
                                   std::filesystem::file_time_type::clock::now() +
                                       std::chrono::hours(1));
  const std::string copy = FileText(stick / schedule.filename());
  window->Dispatch(Command::kCheckIn);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(session->writable());  // not even the close's archiving writes
  window.reset();
  session.reset();  // the close saves nothing over what came back
  EXPECT_EQ(FileText(schedule), copy);
  EXPECT_TRUE(std::filesystem::exists(CheckInBackupPath(schedule.string())));
  EXPECT_FALSE(std::filesystem::exists(CheckOutMarkPath(schedule.string())));
}

TEST_F(ToolsCommandsTest, LoadTutorialPutsTwoWeeksOfLessonsWithTheirNotes) {
  Open();
  Show();
  ui.Answer(kIdYes);
  window->Dispatch(Command::kLoadTutorial);
  int lessons = 0;
  for (const auto& [key, node] : session->schedule().actChain()) {
    if (session->schedule().GetActNameFull(node.act).rfind(kLessonTag, 0) != 0) continue;
    ++lessons;
    EXPECT_NE(session->schedule().ActFlags(node.act) & AF_HAS_NOTE, 0u);
  }
  EXPECT_EQ(lessons, static_cast<int>(TutorialLessons().size()));
  EXPECT_TRUE(ui.Showed("lessons were loaded"));
}

TEST_F(ToolsCommandsTest, TechnicalSupportCopiesTheVersionAndTheErrorLog) {
  Open();
  Show();
  window->Dispatch(Command::kTechnicalSupport);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.contains(PLOVEN_VERSION)) << copied.toStdString();
  EXPECT_TRUE(copied.contains(kErrorLogFileName)) << copied.toStdString();
  EXPECT_TRUE(ui.Showed(kErrorLogFileName));
}

// Every command this window answers without a screen to ask on: none says it is not built.
TEST_F(ToolsCommandsTest, TheToolsSettingsFileAndHelpCommandsAreBuilt) {
  Open();
  Show();
  for (Command c : {Command::kUpdateComputerClock, Command::kAreaCodes, Command::kReadMessages,
                    Command::kSendMessageToUsers, Command::kWebForum, Command::kWebUpdates}) {
    window->Dispatch(c);
    EXPECT_FALSE(ui.Showed("not available in this version")) << CommandNumber(c);
  }
}

}  // namespace
}  // namespace ploven::test
