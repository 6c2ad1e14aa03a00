#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "app/main_window.h"
#include "app/program_session.h"
#include "dialogs/print_range_dialog.h"
#include "dialogs/printouts_settings_dialog.h"
#include "mock/test_env.h"
#include "pdf_text.h"
#include "printouts/printout_settings.h"

namespace ploven::test {
namespace {

// The Print commands of the main window, their previews drawn into a PDF instead of shown.
class MainWindowPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    session->Open(std::nullopt);
    ASSERT_TRUE(session->open());
    session->EndStartup();
    window = std::make_unique<MainWindow>(*session, ui);
    window->SetPrintPreview([this](QPrintPreviewDialog& preview) {
      ++previews;
      title = preview.windowTitle().toStdString();
      QPrinter printer(QPrinter::HighResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf.string()));
      emit preview.paintRequested(&printer);
    });
  }
  ActHandle Fixed(const std::string& title_, DayNumber date, int hour) {
    Act a;
    a.flags = AF_FIXED;
    a.startTime = static_cast<TimeOfDay>(hour * 60 + 1);
    a.duration = 30;
    return session->schedule().NewItem(date, a, title_);
  }
  std::string Printed(Command command) {
    std::filesystem::remove(pdf);
    previews = 0;
    window->Dispatch(command);
    return previews == 1 ? PdfText(pdf) : std::string();
  }
  // Once the next command has opened a modal dialog of type D: `use` works on it.
  template <typename D>
  void OnDialog(std::function<void(D&)> use) {
    QTimer::singleShot(0, [use = std::move(use)] {
      if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) use(*d);
    });
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, TestEnv::kNine};
  std::unique_ptr<ProgramSession> session;
  std::unique_ptr<MainWindow> window;
  std::filesystem::path pdf = dir / "preview.pdf";
  int previews = 0;
  std::string title;
};

TEST_F(MainWindowPrintTest, EveryPrintCommandPreviewsItsPrintout) {
  Fixed("Dentist", TestEnv::kToday, 10);
  struct Case {
    Command command;
    const char* heading;
  };
  for (const Case& c : {Case{Command::kPrintMyPrintouts, "Day View"},
                        Case{Command::kPrintDayToday, "Day View"},
                        Case{Command::kPrintDayViewed, "Day View"},
                        Case{Command::kPrintPriorityFirstPage, "Priority View (first page)"},
                        Case{Command::kPrintPriorityAllPages, "Priority View"},
                        Case{Command::kPrintAlphabeticalView, "Alphabetical View"},
                        Case{Command::kPrintProjectsList, "Projects List"},
                        Case{Command::kPrintCalendarWeek, "Appointment Calendar"},
                        Case{Command::kPrintCalendarFourWeeks, "Appointment Calendar"},
                        Case{Command::kPrintCalendarMonth, "December 2026"},
                        Case{Command::kPrintCalendarQuarter, "November 2026"},
                        Case{Command::kPrintUnderscoredItems, "Underscored Items"}}) {
    const std::string text = Printed(c.command);
    EXPECT_EQ(previews, 1) << CommandNumber(c.command);
    EXPECT_NE(text.find(c.heading), std::string::npos) << CommandNumber(c.command) << text;
    EXPECT_NE(text.find("Page 1"), std::string::npos) << CommandNumber(c.command);
  }
  EXPECT_NE(Printed(Command::kPrintDayToday).find("10:00a"), std::string::npos);
}

TEST_F(MainWindowPrintTest, PrintoutsSettingsIncludePrivateItems) {
  Fixed("!Secret meeting", TestEnv::kToday, 11);
  Fixed("Standup", TestEnv::kToday, 9);
  EXPECT_EQ(Printed(Command::kPrintDayToday).find("Secret"), std::string::npos);
  OnDialog<PrintoutsSettingsDialog>([](PrintoutsSettingsDialog& d) {
    d.includePrivateBox()->setChecked(true);
    d.daysPerPageBox()->setValue(2);
    d.accept();
  });
  window->Dispatch(Command::kPrintoutsSettings);
  const PrintoutSettings saved = PrintoutSettings::Load(session->settings());
  EXPECT_TRUE(saved.includePrivateItems);
  EXPECT_EQ(saved.daysPerPage, 2);
  EXPECT_NE(Printed(Command::kPrintDayToday).find("!Secret meeting"), std::string::npos);
}

TEST_F(MainWindowPrintTest, MyPrintoutsMakeTheChosenOnesInOneJob) {
  PrintoutSettings p = PrintoutSettings::Load(session->settings());
  p.mine = MyPrintouts{true, true, false, false, true};
  ASSERT_TRUE(p.Save(session->settings()));
  const std::string text = Printed(Command::kPrintMyPrintouts);
  EXPECT_EQ(PdfPages(pdf), 3);
  EXPECT_NE(text.find("Day View"), std::string::npos);
  EXPECT_NE(text.find("Appointment Calendar"), std::string::npos);
  EXPECT_NE(text.find("Underscored Items"), std::string::npos);

  p.mine = MyPrintouts{false, false, false, false, false};
  ASSERT_TRUE(p.Save(session->settings()));
  Printed(Command::kPrintMyPrintouts);
  EXPECT_EQ(previews, 0);
  EXPECT_TRUE(ui.Showed("choose no printouts"));
}

TEST_F(MainWindowPrintTest, RangeOfDaysAsksForTheDaysAndRefusesBadOnes) {
  Fixed("Thursday thing", static_cast<DayNumber>(TestEnv::kToday + 2), 10);
  OnDialog<PrintRangeDialog>([](PrintRangeDialog& d) {
    d.toField()->setText("12/07/26");  // before From
    d.accept();
    const bool refused = d.isVisible() && !d.statusLine()->text().isEmpty();
    d.toField()->setText(refused ? "12/10/26" : "");
    d.accept();
  });
  const std::string text = Printed(Command::kPrintDayRange);
  ASSERT_EQ(previews, 1);
  EXPECT_NE(text.find("Thursday, 12/10/26"), std::string::npos) << text;
  EXPECT_NE(text.find("Thursday thing"), std::string::npos);

  OnDialog<PrintRangeDialog>([](PrintRangeDialog& d) {
    d.formatBox()->setCurrentIndex(2);  // a list of the days
    d.accept();
  });
  const std::string calendar = Printed(Command::kPrintCalendarRange);
  EXPECT_NE(calendar.find("Thursday thing"), std::string::npos) << calendar;

  OnDialog<PrintRangeDialog>([](PrintRangeDialog& d) { d.reject(); });
  Printed(Command::kPrintDayRange);
  EXPECT_EQ(previews, 0);
}

TEST_F(MainWindowPrintTest, NotesWithoutANoteSaySo) {
  Printed(Command::kPrintBrowsedNote);
  EXPECT_EQ(previews, 0);
  EXPECT_TRUE(ui.Showed("no note"));
  Printed(Command::kPrintViewNotes);
  EXPECT_EQ(previews, 0);
}

}  // namespace
}  // namespace ploven::test
