#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>
#include <fstream>

#include "password/sodium_password_hasher.h"
#include "dialogs/colors_settings_dialog.h"
#include "dialogs/labels_settings_dialog.h"
#include "dialogs/multiple_day_settings_dialog.h"
#include "dialogs/passwords_dialog.h"
#include "dialogs/user_name_dialog.h"
#include "dialogs/value_of_time_dialog.h"
#include "engine/engine_fixture.h"
#include "file/file_system.h"
#include "file/password_messages.h"
#include "platform/label_table.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "present/colour_contrast.h"
#include "store/schedule_header.h"

namespace ploven::test {
namespace {

constexpr int kUs = 1;

class MoreSettingsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_TRUE(settings.Load());
    program.Load(settings, LocaleFacts{false, 0, kUs});
  }
  // What a later start of the program reads from the files.
  ProgramSettings Reloaded() {
    Settings again(env.dir / "Ploven.ini", env.dir / "profile.ini");
    EXPECT_TRUE(again.Load());
    ProgramSettings p;
    p.Load(again, LocaleFacts{false, 0, kUs});
    return p;
  }
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  ProgramSettings program;
};

using Colours = ColorsSettingsDialog;

TEST_F(MoreSettingsTest, ColoursPickedWithTheButtonsAreKeptAtOkOnly) {
  QColor offered;
  Colours d(program, settings, env.msg, nullptr,
            [&](const QColor& start, const QString&) -> std::optional<QColor> {
              offered = start;
              return QColor(10, 20, 30);
            });
  d.colourButton(Colours::kFluid)->click();
  EXPECT_EQ(offered, QColor(64, 128, 128));  // the button starts from the colour in use
  EXPECT_EQ(d.chosen(Colours::kFluid), ColourRef(10, 20, 30));
  EXPECT_EQ(program.colorFluid, 8421440u);  // not before OK
  d.accept();
  EXPECT_TRUE(d.changed());
  EXPECT_EQ(program.colorFluid, ColourRef(10, 20, 30));
  EXPECT_EQ(Reloaded().colorFluid, ColourRef(10, 20, 30));
  EXPECT_EQ(Reloaded().colorDone, ProgramSettings{}.colorDone);
}

// The views' own backgrounds are chosen and kept like the text colours; being backgrounds,
// they never count as text that is hard to read.
TEST_F(MoreSettingsTest, FreePastAndSelectionColoursAreKeptAndAreNoTextColours) {
  Colours d(program, settings, env.msg);
  for (const auto e : {Colours::kNormalText, Colours::kFluid, Colours::kUnscheduled, Colours::kDone})
    d.Choose(e, ColourRef(60, 20, 0));  // dark ink: nothing is hard to read to begin with
  ASSERT_TRUE(d.contrastWarning()->isHidden());
  d.Choose(Colours::kFreeTime, ColourRef(255, 255, 200));  // the same as the background
  d.Choose(Colours::kPastTime, ColourRef(200, 200, 200));
  d.Choose(Colours::kSelection, ColourRef(255, 230, 150));
  EXPECT_TRUE(d.contrastWarning()->isHidden());
  d.accept();
  const ProgramSettings again = Reloaded();
  EXPECT_EQ(again.colorFreeTime, ColourRef(255, 255, 200));
  EXPECT_EQ(again.colorPastTime, ColourRef(200, 200, 200));
  EXPECT_EQ(again.colorSelection, ColourRef(255, 230, 150));
  Colours reset(program, settings, env.msg);
  reset.resetButton()->click();
  EXPECT_EQ(reset.chosen(Colours::kSelection), ProgramSettings{}.colorSelection);
}

TEST_F(MoreSettingsTest, ResetPutsTheDefaultsBackAndCancelKeepsWhatWasThere) {
  program.colorNormalBackground = ColourRef(0, 0, 0);
  program.colorDone = ColourRef(1, 2, 3);
  ASSERT_TRUE(program.WriteColours(settings));
  {
    Colours cancelled(program, settings, env.msg, nullptr,
                      [](const QColor&, const QString&) { return std::nullopt; });
    cancelled.colourButton(Colours::kDone)->click();  // the picker cancelled: nothing changes
    EXPECT_EQ(cancelled.chosen(Colours::kDone), ColourRef(1, 2, 3));
    cancelled.resetButton()->click();
    cancelled.reject();
  }
  EXPECT_EQ(Reloaded().colorDone, ColourRef(1, 2, 3));

  Colours d(program, settings, env.msg);
  d.resetButton()->click();
  const ProgramSettings defaults;
  EXPECT_EQ(d.chosen(Colours::kBackground), defaults.colorNormalBackground);
  d.accept();
  EXPECT_EQ(Reloaded().colorNormalBackground, defaults.colorNormalBackground);
  EXPECT_EQ(Reloaded().colorDone, defaults.colorDone);
}

TEST_F(MoreSettingsTest, ColoursThatDoNotReadAreSaidToBeDeepened) {
  Colours d(program, settings, env.msg);
  d.resetButton()->click();
  // The default orange of done items is too light on the pale yellow.
  EXPECT_FALSE(d.contrastWarning()->isHidden());
  d.Choose(Colours::kDone, ColourRef(120, 40, 0));
  d.Choose(Colours::kFluid, ColourRef(0, 80, 80));
  d.Choose(Colours::kUnscheduled, ColourRef(0, 90, 40));
  EXPECT_TRUE(d.contrastWarning()->isHidden());
}

TEST_F(MoreSettingsTest, LabelsGetTheirNamesAndColoursAndBlankNamesTheDefault) {
  LabelsSettingsDialog d(settings, env.msg, nullptr,
                         [](const QColor&, const QString&) { return QColor(0, 0, 255); });
  d.nameField(1)->setText("  Calls ");
  d.nameField(2)->setText("");
  d.colourButton(3)->click();
  d.accept();
  ASSERT_TRUE(d.changed());
  const LabelTable t = ReadLabelTable(settings);
  EXPECT_EQ(t.entries[1].name, "Calls");
  EXPECT_EQ(t.entries[2].name, "Label 2");
  EXPECT_EQ(t.entries[3].colour, ColourRef(0, 0, 255));
  EXPECT_EQ(t.Names()[1], "Calls");  // what the item dialog and the filters offer

  LabelsSettingsDialog again(settings, env.msg);
  EXPECT_EQ(again.nameField(1)->text(), "Calls");
  again.accept();
  EXPECT_FALSE(again.changed());
}

TEST_F(MoreSettingsTest, MultipleDayViewKeepsItsNumberOfDaysInTheSchedule) {
  s.ClearChanged();
  MultipleDaySettingsDialog d(s, 7);
  EXPECT_EQ(d.daysField()->value(), MultipleDayWindows(s, 7));
  d.daysField()->setValue(6);
  d.accept();
  EXPECT_TRUE(d.changed());
  EXPECT_EQ(s.header().Get<uint8_t>(ScheduleHeader::kViewWindows), 6);
  EXPECT_EQ(MultipleDayWindows(s, 7), 6);
  EXPECT_TRUE(s.changed());
  s.header().Set<uint8_t>(ScheduleHeader::kViewWindows, 40);  // out of range reads as 4
  EXPECT_EQ(MultipleDayWindows(s, 7), 4);
}

TEST_F(MoreSettingsTest, ValueOfTimeTakesTheRateIntoTheScheduleAndTheRestIntoTheFile) {
  ValueOfTimeDialog d(engine, program, settings, kUs);
  d.hourlyRateField()->setValue(250);
  d.costOfMoneyField()->setValue(8);
  d.showOppCostsBox()->setChecked(true);
  d.accept();
  EXPECT_TRUE(d.changed());
  EXPECT_EQ(s.priorityIndex().storedHourlyRate(), 250);
  EXPECT_TRUE(s.changed());
  EXPECT_EQ(Reloaded().costOfMoney, 8);
  EXPECT_EQ(Reloaded().showOppCosts, 1);
  EXPECT_EQ(Reloaded().expectedReturnsActive, 0);

  ValueOfTimeDialog again(engine, program, settings, kUs);
  EXPECT_EQ(again.hourlyRateField()->value(), 250);
  again.expectedReturnsBox()->setChecked(true);
  again.accept();
  EXPECT_EQ(Reloaded().expectedReturnsActive, 1);
  EXPECT_TRUE(s.priorityIndex().expectedReturnsActive());  // the engine plans with it at once
}

TEST_F(MoreSettingsTest, AnEmptyUserNameIsRefusedAndANewOneKept) {
  UserNameDialog d(settings, env.msg);
  d.nameField()->setText("   ");
  d.accept();
  EXPECT_NE(d.result(), QDialog::Accepted);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  d.nameField()->setText(" Ann ");
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(settings.ReadString(key::kUserName), "Ann");
  EXPECT_NE(env.msg.Caption().find("Ann"), std::string::npos);
}

// The real hash: the password is never stored as typed, a wrong one is refused.
TEST_F(MoreSettingsTest, APasswordIsStoredAsASaltedHashAndAWrongOneIsRefused) {
  PosixFileSystem fs;
  SodiumPasswordHasher hasher;
  ASSERT_TRUE(hasher.ready());
  const std::string schedule = (env.dir / "timedata.pak").string();
  {
    PasswordsDialog d(fs, hasher, schedule, env.msg);
    EXPECT_TRUE(d.currentField()->isHidden());  // no password yet: nothing to confirm
    d.newField()->setText("correct horse");
    d.confirmField()->setText("correct horse");
    d.accept();
    EXPECT_EQ(d.outcome(), PasswordChange::kSet);
  }
  std::ifstream in(PasswordFilePath(schedule));
  std::string stored;
  std::getline(in, stored);
  EXPECT_EQ(stored.rfind("$argon2id$", 0), 0u) << stored;
  EXPECT_EQ(stored.find("correct horse"), std::string::npos);
  // The same password hashes differently each time: the salt is new.
  EXPECT_NE(hasher.Hash("correct horse"), hasher.Hash("correct horse"));
  EXPECT_TRUE(hasher.Verify(stored, "correct horse"));
  EXPECT_FALSE(hasher.Verify(stored, "correct horse "));
  EXPECT_FALSE(hasher.Verify("garbage", "correct horse"));

  PasswordsDialog wrong(fs, hasher, schedule, env.msg);
  wrong.currentField()->setText("wrong");
  wrong.accept();
  EXPECT_EQ(wrong.outcome(), PasswordChange::kWrongCurrent);
  EXPECT_NE(wrong.result(), QDialog::Accepted);
  EXPECT_TRUE(env.ui.Showed(password_text::kWrongCurrent));
  wrong.currentField()->setText("correct horse");  // removing it
  wrong.accept();
  EXPECT_EQ(wrong.outcome(), PasswordChange::kRemoved);
  EXPECT_FALSE(std::filesystem::exists(PasswordFilePath(schedule)));
}

}  // namespace
}  // namespace ploven::test
