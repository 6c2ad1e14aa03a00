// The File menu's Import Items and Export commands on the sample schedule, offscreen: the file
// questions are answered with a path, every box with its default.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTimer>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/main_window.h"
#include "app/program_session.h"
#include "edit/sample_schedule.h"
#include "mock/test_env.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

using enum Command;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class ImportExportCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    ASSERT_NE(session->Open(std::nullopt), SessionStart::kExit);
    ASSERT_TRUE(session->open());
    session->EndStartup();
    BuildSampleSchedule(session->engine(), &session->recurrences());
    window = std::make_unique<MainWindow>(*session, ui);
    window->resize(900, 600);
    window->show();
    // The file questions get `answer`; any other modal window is read and closed.
    window->SetFileChooser([this](const MainWindow::FileQuestion& question) {
      asked.push_back(question.save);
      return QString::fromStdString(answer);
    });
    answerer.setInterval(20);
    QObject::connect(&answerer, &QTimer::timeout, [this] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        if (auto* shown = dialog->findChild<QPlainTextEdit*>())
          viewed = shown->toPlainText().toStdString();
        dialog->reject();
      }
    });
    answerer.start();
  }
  void TearDown() override {
    answerer.stop();
    window.reset();
    session.reset();
  }

  std::filesystem::path Data() const { return dir.path() / "data"; }
  int Items() const { return static_cast<int>(session->schedule().actChain().Count()); }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
  QTimer answerer;
  std::string answer;
  std::string viewed;
  std::vector<bool> asked;  // each file question: true when it was for a file to write
};

TEST_F(ImportExportCommandsTest, AppointmentsAndTasksOfTodayGoToACalendarFile) {
  answer = (dir.path() / "today.ics").string();
  window->Dispatch(kExportAppointmentsToday);
  const std::string events = ReadAll(answer);
  ASSERT_EQ(events.rfind("BEGIN:VCALENDAR", 0), 0u) << events.substr(0, 200);
  EXPECT_GT(Count(events, "BEGIN:VEVENT"), 0);
  EXPECT_EQ(Count(events, "BEGIN:VTODO"), 0);
  EXPECT_TRUE(ui.Showed("written to")) << ui.Texts().back();

  answer = (dir.path() / "tasks.ics").string();
  window->Dispatch(kExportTasksToday);
  const std::string tasks = ReadAll(answer);
  EXPECT_GT(Count(tasks, "BEGIN:VTODO"), 0);
  EXPECT_EQ(Count(tasks, "BEGIN:VEVENT"), 0);
  EXPECT_EQ(asked, (std::vector<bool>{true, true}));  // asked where to write, both times
}

TEST_F(ImportExportCommandsTest, ACalendarFileImportsOnceAndItemLinesImportToo) {
  const std::filesystem::path ics = dir.path() / "in.ics";
  std::ofstream(ics) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\n"
                        "BEGIN:VEVENT\r\nUID:gui-1\r\nSUMMARY:Imported meeting\r\n"
                        "DTSTART:20261209T100000\r\nDURATION:PT1H\r\nEND:VEVENT\r\n"
                        "END:VCALENDAR\r\n";
  answer = ics.string();
  const int before = Items();
  window->Dispatch(kImportItems);
  EXPECT_EQ(Items(), before + 1);
  EXPECT_NE(session->schedule().FindActByTitle("Imported meeting"), kNoAct);
  EXPECT_TRUE(ui.Showed("1 items imported")) << ui.Texts().back();
  window->Dispatch(kImportItems);
  EXPECT_EQ(Items(), before + 1);
  EXPECT_TRUE(ui.Showed("1 already there")) << ui.Texts().back();

  const std::filesystem::path lines = dir.path() / "lines.txt";
  std::ofstream(lines) << "Water the plants\n";
  answer = lines.string();
  window->Dispatch(kImportItems);
  EXPECT_EQ(Items(), before + 2);
  EXPECT_NE(session->schedule().FindActByTitle("Water the plants"), kNoAct);
}

TEST_F(ImportExportCommandsTest, ViewsGoToExportTxtAndViewExportFileShowsIt) {
  window->Dispatch(kViewExportFile);
  EXPECT_TRUE(ui.Showed("Nothing has been exported yet"));
  window->Dispatch(kExportDayViewToday);
  const std::string day = ReadAll(Data() / "export.txt");
  EXPECT_GT(Count(day, "\n"), 2) << day;
  window->Dispatch(kViewExportFile);
  EXPECT_EQ(viewed + (viewed.ends_with('\n') ? "" : "\n"), day);

  window->Dispatch(kExportAlphabeticalView);
  const std::string list = ReadAll(Data() / "export.txt");
  EXPECT_NE(list, day);
  // Every undone item of the schedule by its short title, done ones not.
  for (const auto& entry : session->schedule().actChain()) {
    const ActHandle h = entry.second.act;
    const uint32_t flags = session->schedule().ActFlags(h);
    if (flags & (AF_DRONE | AF_BETA)) continue;
    const std::string title = session->schedule().GetActTitle(h);
    if (flags & AF_DONE) {
      EXPECT_EQ(list.find(title), std::string::npos) << title;
    } else if (!IsProject(session->schedule(), h)) {
      EXPECT_NE(list.find(title), std::string::npos) << title;
    }
  }
}

}  // namespace
}  // namespace ploven::test
