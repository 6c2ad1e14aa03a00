#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeZone>
#include <QTreeWidget>

#include "dialogs/send_message_dialog.h"
#include "dialogs/timer_window.h"
#include "dialogs/tools_dialog_messages.h"
#include "dialogs/world_clock_window.h"
#include "file/user_messages_text.h"
#include "mock/test_env.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "platform/zone_list.h"

namespace ploven::test {
namespace {

namespace t = tools_dialog_text;

TEST(TimerWindow, TheCountdownRingsOnceAtZeroAndCanBePaused) {
  int rings = 0;
  TimerWindow w(TimerWindow::Kind::kCountdown, [&] { ++rings; });
  w.SetTestTime(0);
  w.lengthField()->setText("1:30");
  ASSERT_TRUE(w.StartOrStop());
  EXPECT_EQ(w.display()->text(), "1:30");
  EXPECT_EQ(w.startButton()->text(), t::kStop);
  w.SetTestTime(30'000);
  w.Tick();
  EXPECT_EQ(w.display()->text(), "1:00");
  w.StartOrStop();  // pause
  w.SetTestTime(500'000);
  w.Tick();
  EXPECT_EQ(w.display()->text(), "1:00");
  w.StartOrStop();  // resume
  w.SetTestTime(559'500);
  w.Tick();
  EXPECT_EQ(w.display()->text(), "0:01");  // rounded up: 0:00 only at zero
  EXPECT_EQ(rings, 0);
  w.SetTestTime(560'000);
  w.Tick();
  w.Tick();
  EXPECT_EQ(rings, 1);
  EXPECT_EQ(w.display()->text(), "0:00");
}

TEST(TimerWindow, ALengthThatCannotBeReadIsRefusedInTheWindow) {
  TimerWindow w(TimerWindow::Kind::kCountdown, {});
  w.lengthField()->setText("ten");
  EXPECT_FALSE(w.StartOrStop());
  EXPECT_EQ(w.startButton()->text(), t::kStart);
}

TEST(TimerWindow, StartWithCountdownCountsTheItemsLength) {
  TimerWindow w(TimerWindow::Kind::kCountdown, {});
  w.SetTestTime(0);
  w.StartCountdown(45 * 60, "Write the report");
  EXPECT_EQ(w.display()->text(), "45:00");
  w.SetTestTime(60'000);
  w.Tick();
  EXPECT_EQ(w.display()->text(), "44:00");
}

TEST(TimerWindow, TheStopwatchCountsUpAndResets) {
  TimerWindow w(TimerWindow::Kind::kStopwatch, {});
  EXPECT_EQ(w.lengthField(), nullptr);
  w.SetTestTime(1000);
  w.startButton()->click();
  w.SetTestTime(3'726'000);
  w.Tick();
  EXPECT_EQ(w.display()->text(), "1:02:05");
  w.resetButton()->click();
  EXPECT_EQ(w.display()->text(), "0:00");
}

class WorldClockTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(settings.Load()); }
  TestEnv env;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
};

TEST_F(WorldClockTest, TheZonesChosenInTheSettingsAreTheClocksShown) {
  ZoneListDialog d(settings, true);
  ASSERT_GT(d.zoneBox()->count(), 10);  // the system's time zones
  d.zoneBox()->setEditText("Asia/Tokyo");
  d.AddChosen();
  d.zoneBox()->setEditText("Asia/Tokyo");
  d.AddChosen();  // once only
  d.zoneBox()->setEditText("Not/AZone");
  d.AddChosen();
  d.zoneBox()->setEditText("UTC");
  d.AddChosen();
  EXPECT_EQ(d.zones(), (std::vector<std::string>{"Asia/Tokyo", "UTC"}));
  d.accept();
  EXPECT_EQ(settings.ReadString(key::kWorldClockZones), "Asia/Tokyo;UTC");

  WorldClockWindow w(settings);
  ASSERT_EQ(w.clocks()->topLevelItemCount(), 2);
  EXPECT_EQ(w.clocks()->topLevelItem(0)->text(0), "Tokyo");
  EXPECT_FALSE(w.clocks()->topLevelItem(0)->text(1).isEmpty());
  EXPECT_EQ(w.tickerLine()->text(), t::kTickerUnavailable);
}

TEST_F(WorldClockTest, TheirTimeShowsTheOffsetFromHereAndIsRemembered) {
  WorldClockWindow w(settings);
  const int at = w.theirZoneBox()->findData("Asia/Kolkata");
  ASSERT_GE(at, 0);
  w.theirZoneBox()->setCurrentIndex(at);
  EXPECT_EQ(settings.ReadString(key::kTheirTimeZone), "Asia/Kolkata");
  const int offset = ZoneOffsetFromHere("Asia/Kolkata");
  const QString expected = offset == 0 ? QString(t::kSameAsHere)
                                       : QString::fromStdString(OffsetFromHereText(offset));
  EXPECT_TRUE(w.theirTime()->text().contains(expected)) << w.theirTime()->text().toStdString();
  WorldClockWindow again(settings);
  EXPECT_EQ(again.theirZoneBox()->currentData().toString(), "Asia/Kolkata");
}

TEST(SendMessageDialog, AnEmptyMessageIsRefusedAndAFailedSendKeepsTheDialogOpen) {
  TestEnv env;
  std::vector<std::pair<std::string, std::string>> sent;
  bool succeed = false;
  SendMessageDialog d({"ben", "carl"},
                      [&](const std::string& user, const std::string& text) {
                        sent.emplace_back(user, text);
                        return succeed;
                      },
                      env.msg);
  d.accept();
  EXPECT_TRUE(env.ui.Showed(user_messages_text::kEmptyMessage));
  EXPECT_TRUE(sent.empty());
  d.userBox()->setCurrentIndex(1);
  d.textField()->setPlainText("  Lunch?  ");
  d.accept();
  EXPECT_NE(d.result(), QDialog::Accepted);
  succeed = true;
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent.back(), (std::pair<std::string, std::string>{"carl", "Lunch?"}));
}

}  // namespace
}  // namespace ploven::test
