#include "dialogs/sync_settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

#include "bridge/calendar_intake.h"
#include "bridge/sync_switches.h"
#include "mock/test_env.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven::test {
namespace {

class SyncSettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settings.Load());
    program.Load(settings, LocaleFacts{});
  }
  // What a later start of the program reads from the file.
  Settings Reloaded() {
    Settings again(env.dir / "Ploven.ini", env.dir / "profile.ini");
    EXPECT_TRUE(again.Load());
    return again;
  }
  std::unique_ptr<SyncSettingsDialog> Dialog() {
    return std::make_unique<SyncSettingsDialog>(program, settings, env.msg, kOpenPath,
                                                env.dir / "data");
  }

  const std::string kOpenPath = "/home/ann/Ploven/Schedule.pln";
  TestEnv env;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  ProgramSettings program;
};

TEST_F(SyncSettingsDialogTest, OpensOnTheDefaultsWithTheKindsWaitingForTheirSwitch) {
  auto d = Dialog();
  EXPECT_FALSE(d->toCalendarBox()->isChecked());
  EXPECT_TRUE(d->sendAppointmentsBox()->isChecked());
  EXPECT_FALSE(d->sendAppointmentsBox()->isEnabled());
  EXPECT_FALSE(d->fromCalendarBox()->isChecked());
  EXPECT_FALSE(d->thisScheduleBox()->isEnabled());
  EXPECT_EQ(d->folderField()->text().toStdString(), (env.dir / "data" / "calendar").string());
  d->toCalendarBox()->setChecked(true);
  EXPECT_TRUE(d->sendTasksBox()->isEnabled());
  // Switching the calendar's changes on makes this schedule the one that receives them.
  d->fromCalendarBox()->setChecked(true);
  EXPECT_TRUE(d->thisScheduleBox()->isChecked());
  EXPECT_TRUE(d->takeTasksBox()->isEnabled());
}

TEST_F(SyncSettingsDialogTest, OkWritesEverySwitchTheScheduleAndTheFolder) {
  {
    auto d = Dialog();
    d->toCalendarBox()->setChecked(true);
    d->sendTasksBox()->setChecked(false);
    d->fromCalendarBox()->setChecked(true);
    d->takeAppointmentsBox()->setChecked(false);
    d->folderField()->setText(" /home/ann/cal/./work ");
    d->accept();
    ASSERT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->changed());
  }
  EXPECT_TRUE(env.ui.boxes.empty());
  Settings again = Reloaded();
  ProgramSettings p;
  p.Load(again, LocaleFacts{});
  EXPECT_EQ(p.plovenOutlook, 1);
  EXPECT_EQ(p.plovenToOutlookAppts, 1);
  EXPECT_EQ(p.plovenToOutlookTasks, 0);
  EXPECT_EQ(p.outlookToPloven, 1);
  EXPECT_EQ(p.outlookToPlovenAppts, 0);
  EXPECT_EQ(p.outlookToPlovenTasks, 1);
  EXPECT_EQ(again.ReadString(key::kOutlookToPlovenPakPath), kOpenPath);
  EXPECT_EQ(again.ReadString(key::kCalendarFolder), "/home/ann/cal/work");
  // What the senders and the intake make of it.
  const SyncSwitches sending = SyncSwitchesOf(p);
  EXPECT_TRUE(sending.appointmentsToCalendar);
  EXPECT_FALSE(sending.tasksToCalendar);
  const IntakeSwitches intake = IntakeSwitchesOf(p, again);
  EXPECT_TRUE(intake.fromCalendar);
  EXPECT_FALSE(intake.appointmentsFromCalendar);
  EXPECT_EQ(intake.receivingPath, kOpenPath);

  // Unticking the schedule leaves it to whichever schedule is open.
  auto d = Dialog();
  EXPECT_TRUE(d->thisScheduleBox()->isChecked());
  EXPECT_EQ(d->folderField()->text(), "/home/ann/cal/work");
  d->thisScheduleBox()->setChecked(false);
  d->accept();
  EXPECT_EQ(Reloaded().ReadString(key::kOutlookToPlovenPakPath), "0");
}

TEST_F(SyncSettingsDialogTest, ARelativeOrEmptyFolderIsRefusedAndNothingIsWritten) {
  for (const char* typed : {"calendar", "  "}) {
    auto d = Dialog();
    d->toCalendarBox()->setChecked(true);
    d->folderField()->setText(typed);
    d->accept();
    EXPECT_NE(d->result(), QDialog::Accepted) << typed;
  }
  EXPECT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(program.plovenOutlook, 0);
  EXPECT_EQ(Reloaded().ReadString(key::kCalendarFolder), "");
}

}  // namespace
}  // namespace ploven::test
