#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/about_box.h"
#include "dialogs/box_driver.h"
#include "dialogs/conflict_window_dialog.h"
#include "dialogs/progress_window.h"
#include "dialogs/splash_window.h"

namespace ploven {
namespace {

using test::SendKey;
using test::WhenOpen;

ConflictWindowRequest Conflict() {
  ConflictWindowRequest request;
  request.text = "unable to schedule item titled:\r\r\"Report\".\r\rCurrent deadline: Tue";
  request.earliestBegin = "8:00a";
  request.latestEnd = "";
  request.dateField = "12/10/26";
  return request;
}

class ConflictAnswer : public ::testing::TestWithParam<ConflictButton> {};

TEST_P(ConflictAnswer, ReportsTheButtonAndTheFieldAsLeft) {
  ConflictWindowDialog dialog(Conflict());
  EXPECT_EQ(dialog.dateField()->text(), "12/10/26");
  WhenOpen<ConflictWindowDialog>([](ConflictWindowDialog& d) {
    d.dateField()->setText("12/24/26");
    d.buttonFor(GetParam())->click();
  });
  const ConflictWindowAnswer answer = dialog.Run();
  EXPECT_EQ(answer.button, GetParam());
  EXPECT_EQ(answer.dateField, "12/24/26");
}

INSTANTIATE_TEST_SUITE_P(EveryButton, ConflictAnswer,
                         ::testing::Values(ConflictButton::kChangeDeadline,
                                           ConflictButton::kEditItem, ConflictButton::kDoneItem,
                                           ConflictButton::kDeleteItem, ConflictButton::kSkipItem,
                                           ConflictButton::kSkipRestOfItems));

TEST(ConflictWindow, EscapeIsTheCloseBoxAndShowsTheRequestAsGiven) {
  ConflictWindowDialog dialog(Conflict());
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(
      texts.contains("unable to schedule item titled:\n\n\"Report\".\n\nCurrent deadline: Tue"));
  EXPECT_TRUE(texts.filter("8:00a").size() == 1);
  std::string help;
  dialog.SetHelpHandler([&](const std::string& topic) { help = topic; });
  WhenOpen<ConflictWindowDialog>([](ConflictWindowDialog& d) {
    for (QPushButton* b : d.findChildren<QPushButton*>())
      if (b->text() == "&Help") b->click();
    d.dateField()->clear();
    SendKey(d.dateField(), Qt::Key_Escape);
  });
  const ConflictWindowAnswer answer = dialog.Run();
  EXPECT_EQ(answer.button, ConflictButton::kClose);
  EXPECT_EQ(answer.dateField, "");
  EXPECT_EQ(help, "BalanceAllDays.htm#conflictwindow");
}

TEST(ProgressWindow, ShowsTextAndPercentAndMovesTheBar) {
  ProgressWindow window;
  window.Open();
  const std::string longTitle = "Balancing All Days: flexible item A12: " + std::string(200, 'x');
  window.SetText(longTitle);
  window.SetPercent(" 45%");
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Please wait...");
  EXPECT_EQ(window.text().toStdString(), longTitle);
  EXPECT_EQ(window.percentText(), "45%");
  EXPECT_EQ(window.barValue(), 45);
  // Text that holds no number leaves the bar where it was.
  window.SetPercent("done");
  EXPECT_EQ(window.barValue(), 45);
  // Escape does not stop the run; the run itself closes the window.
  SendKey(&window, Qt::Key_Escape);
  EXPECT_TRUE(window.isVisible());
  window.close();
  EXPECT_FALSE(window.isVisible());
}

TEST(ProgressWindow, PercentValue) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"  5%", 5},           {"99%", 99},        {"100%", 100},       {"250%", 100},
      {"99999999999%", 100}, {"", std::nullopt}, {"%", std::nullopt}, {"-5%", std::nullopt},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(PercentValue(text), value) << text;
}

TEST(AboutBox, PluginLine) {
  AboutFacts facts;
  EXPECT_EQ(AboutPluginLine(facts), "Ploven calendar plug-in: not installed, not running");
  facts.pluginInstalled = true;
  facts.pluginFileDate = "12/1/26";
  facts.pluginRunning = true;
  EXPECT_EQ(AboutPluginLine(facts), "Ploven calendar plug-in file date: 12/1/26, running");
  facts.programLocation = "/opt/ploven";
  facts.programFileDate = "12/8/26";
  facts.scheduleFile = "/home/u/timedata.pak";
  EXPECT_EQ(AboutLocationLines(facts),
            "Program location: /opt/ploven\nProgram file date: 12/8/26\n"
            "Current schedule file: /home/u/timedata.pak");
}

TEST(AboutBox, ButtonsReachTheirHandlers) {
  AboutFacts facts;
  facts.errorLogPath = "/tmp/PlovenErrorLog.txt";
  AboutBox box(facts);
  std::string help;
  int cleanups = 0, mores = 0;
  QUrl opened;
  box.SetHelpHandler([&](const std::string& topic) { help = topic; });
  box.SetCleanupHandler([&] { ++cleanups; });
  box.SetMoreHandler([&] { ++mores; });
  box.SetUrlOpener([&](const QUrl& url) {
    opened = url;
    return true;
  });
  box.button(AboutBox::Button::kHelp)->click();
  box.button(AboutBox::Button::kViewErrorLog)->click();
  box.button(AboutBox::Button::kCleanup)->click();
  box.button(AboutBox::Button::kMore)->click();
  EXPECT_EQ(help, "AboutPloven.htm");
  EXPECT_EQ(opened.toLocalFile(), "/tmp/PlovenErrorLog.txt");
  EXPECT_EQ(cleanups, 1);
  EXPECT_EQ(mores, 1);
  WhenOpen<AboutBox>([](AboutBox& b) { b.button(AboutBox::Button::kClose)->click(); });
  EXPECT_EQ(box.exec(), QDialog::Accepted);
}

TEST(SplashWindow, StatusLineFollowsTheLoadingSteps) {
  SplashWindow splash;
  EXPECT_FALSE(splash.isVisible());
  splash.SetStatus("Ploven schedule loading...");
  EXPECT_TRUE(splash.isVisible());
  splash.SetStatus("Scanning for reminders and alarms...");
  EXPECT_EQ(splash.status(), "Scanning for reminders and alarms...");
  EXPECT_EQ(splash.windowTitle(), "Ploven");
  const QLabel* icon = splash.findChild<QLabel*>();
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->pixmap().isNull());
  SendKey(&splash, Qt::Key_Escape);
  EXPECT_TRUE(splash.isVisible());
  splash.close();
  EXPECT_FALSE(splash.isVisible());
}

}  // namespace
}  // namespace ploven
