#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>

#include "alarm/alarm_messages.h"
#include "dialogs/alarm_properties_dialog.h"
#include "dialogs/alarm_snooze_dialog.h"
#include "dialogs/alarms_settings_dialog.h"
#include "dialogs/daily_reminder_dialog.h"
#include "mock/test_env.h"
#include "store/act_flags.h"

namespace ploven::test {
namespace {

class AlarmDialogsTest : public ::testing::Test {
 protected:
  TestEnv env;
  AlarmSettings settings;
  AlarmFormPorts ports{env.msg, settings, TestEnv::kToday, {}};
  DateText text;
};

TEST_F(AlarmDialogsTest, TheAlarmDialogTakesTheFieldsAndStaysOpenOnARefusal) {
  Act record;
  record.flags = AF_ALARM | AF_ALARM_AT_BEGIN;
  record.alarmMinutes = 10;
  AlarmPropertiesDialog dialog(record, ports, {});
  EXPECT_EQ(dialog.minutesField()->text(), "10");
  EXPECT_TRUE(dialog.beginButton()->isChecked());
  dialog.hoursField()->setText("25");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(env.ui.Showed(alarm_text::kHoursTooMany));
  EXPECT_EQ(record.alarmMinutes, 10);

  dialog.hoursField()->setText("2");
  dialog.minutesField()->setText("abc");  // no number
  dialog.accept();
  EXPECT_TRUE(env.ui.Showed("-1 minutes outside the allowed range of 0 to 99 minutes."));

  dialog.minutesField()->setText("5");
  dialog.afterButton()->setChecked(true);
  dialog.endButton()->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(record.alarmHours, -2);
  EXPECT_EQ(record.alarmMinutes, -5);
  EXPECT_TRUE(record.flags & AF_ALARM_AT_END);
}

TEST_F(AlarmDialogsTest, MemoItemsNameTheirPointsBeginAndEndTime) {
  Act memo;
  memo.typeFlags = ACT_BIRTHDAY;
  AlarmPropertiesDialog dialog(memo, ports, {});
  EXPECT_EQ(dialog.beginButton()->text(), "begin time.");
  EXPECT_EQ(dialog.endButton()->text(), "end time.");
}

TEST_F(AlarmDialogsTest, TheSettingsButtonSaysTheyApplyToAllAlarmsFirst) {
  Act record;
  int opened = 0;
  AlarmPropertiesDialog dialog(record, ports, [&] { ++opened; });
  dialog.settingsButton()->click();
  EXPECT_EQ(env.ui.boxes.back().caption, alarm_text::kSettingsApplyToAllCaption);
  EXPECT_EQ(env.ui.boxes.back().buttons[0].caption, alarm_text::kGoToAlarmsSettings);
  EXPECT_EQ(opened, 1);
}

class AlarmsSettingsDialogTest : public AlarmDialogsTest {
 protected:
  AlarmsSettingsDialog::Ports Ports() {
    ParseContext c;
    c.today = TestEnv::kToday;
    AlarmsSettingsDialog::Ports p{env.msg, text, c, {sounds.path().string()}, {}, {}, {}};
    p.play = [this](const std::string& s) { played.push_back(s); };
    p.chime = [this](const std::string& s) { played.push_back("chime:" + s); };
    return p;
  }
  TempDir sounds;
  std::vector<std::string> played;
};

TEST_F(AlarmsSettingsDialogTest, TheSoundListOffersNoneTheDefaultAndTheFoldersFiles) {
  std::ofstream(sounds / "bell.oga") << "x";
  std::ofstream(sounds / "readme.txt") << "x";
  settings.sound = (sounds / "bell.oga").string();
  AlarmsSettingsDialog dialog(settings, Ports());
  QComboBox* list = dialog.soundList();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(0), "none");
  EXPECT_EQ(list->itemText(2), "bell");
  EXPECT_EQ(dialog.SelectedSound(), (sounds / "bell.oga").string());
  list->setCurrentIndex(1);
  dialog.testButton()->click();
  EXPECT_EQ(played, std::vector<std::string>{""});  // the system's alarm sound
  dialog.chimesBox()->click();
  EXPECT_EQ(played.back(), "chime:chimes00.wav");
  dialog.muteBox()->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.values().sound, "");
  EXPECT_TRUE(dialog.values().chimes);
  EXPECT_TRUE(dialog.values().mute);
}

TEST_F(AlarmsSettingsDialogTest, ADateTypedSwitchesSuppressionOnAndAPastOneIsWarnedAbout) {
  AlarmsSettingsDialog dialog(settings, Ports());
  EXPECT_FALSE(dialog.suppressBox()->isChecked());
  dialog.untilField()->setText("yesterday");
  emit dialog.untilField()->textEdited("yesterday");
  EXPECT_TRUE(dialog.suppressBox()->isChecked());
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(env.ui.Showed("That date is in the past."));
  EXPECT_TRUE(dialog.values().suppressAll);
  EXPECT_EQ(dialog.values().suppressUntil, TestEnv::kToday - 1);
}

TEST_F(AlarmsSettingsDialogTest, AnUnreadableDateKeepsTheDialogOpen) {
  AlarmsSettingsDialog dialog(settings, Ports());
  dialog.untilField()->setText("the 45th");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(env.ui.boxes.empty());
}

TEST(AlarmSnoozeDialogTest, TheMinutesAreHandedBackAsTyped) {
  AlarmSnoozeDialog dialog("Call Sam", 5);
  EXPECT_EQ(dialog.minutes(), 5);
  dialog.minutesField()->setText("soon");
  EXPECT_EQ(dialog.minutes(), -1);
  dialog.minutesField()->setText(" 130 ");
  EXPECT_EQ(dialog.minutes(), 130);
}

}  // namespace
}  // namespace ploven::test

namespace ploven::test {
namespace {

TEST(DailyReminderDialogTest, GoesToTheChosenLinesDayAndKeepsTheShowEachDayChoice) {
  const std::vector<DailyReminderDialog::Line> lines = {{"first", 100}, {"second", 105}};
  DailyReminderDialog dialog(nullptr, lines, true);
  auto* list = dialog.findChild<QListWidget*>();
  ASSERT_NE(list, nullptr);
  list->setCurrentRow(1);
  dialog.findChild<QCheckBox*>()->setChecked(false);
  for (QPushButton* b : dialog.findChildren<QPushButton*>())
    if (b->text() == QString::fromUtf8(alarm_text::kReminderGoTo)) b->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.chosenDay(), 105);
  EXPECT_FALSE(dialog.showEachDay());

  DailyReminderDialog closed(nullptr, lines, true);
  closed.reject();
  EXPECT_EQ(closed.chosenDay(), kNoDate);
  EXPECT_TRUE(closed.showEachDay());
}

}  // namespace
}  // namespace ploven::test
