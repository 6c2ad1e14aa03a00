#include <gtest/gtest.h>

#include <QCheckBox>
#include <cstdlib>
#include <initializer_list>
#include <tuple>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/balance_settings_dialog.h"
#include "dialogs/day_bounds_dialog.h"
#include "dialogs/other_settings_dialog.h"
#include "dialogs/settings_dialog_messages.h"
#include "dialogs/work_hours_dialog.h"
#include "engine/engine_fixture.h"
#include "engine/engine_messages.h"
#include "engine/engine_settings.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "store/priority_messages.h"
#include "store/schedule_header.h"

namespace ploven::test {
namespace {

class SettingsDialogsTest : public EngineTest {
 protected:
  DateText text24() {
    DateText t;
    t.regional.iTime = 1;  // the 24-hour clock
    return t;
  }
};

TEST_F(SettingsDialogsTest, DayBoundsPastMidnightStoreTheShiftedEndAndSayWhenMidnightComes) {
  const DateText text = text24();
  DayBoundsDialog dialog(s, text);
  dialog.earliestField()->setText("7:00");
  dialog.latestField()->setText("1:00");
  EXPECT_TRUE(dialog.statusLine()->text().contains("Midnight Shift mode is on: midnight delayed til"))
      << dialog.statusLine()->text().toStdString();
  EXPECT_TRUE(dialog.statusLine()->text().contains("4:00")) << dialog.statusLine()->text().toStdString();
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(s.header().earliestTimeOfDay(), 7 * 60 + 1);
  EXPECT_EQ(s.header().latestTimeOfDay(), 1500 + 1);
}

TEST_F(SettingsDialogsTest, DayBoundsThatCannotBeReadKeepTheDialogOpen) {
  const DateText text = text24();
  const TimeOfDay before = s.header().latestTimeOfDay();
  DayBoundsDialog dialog(s, text);
  dialog.latestField()->setText("26:99");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(env.ui.boxes.empty());
  EXPECT_EQ(s.header().latestTimeOfDay(), before);
}

TEST_F(SettingsDialogsTest, BalanceSettingsTakeTheReservesAndRefuseAnEndBeforeTheBegin) {
  const DateText text = text24();
  {
    BalanceSettingsDialog dialog(engine, text);
    dialog.reserveTodayField()->setText("0:45");
    dialog.keepClearFromField()->setText("12/20/26");
    dialog.keepClearThroughField()->setText("12/10/26");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(env.ui.boxes.empty());
  }
  BalanceSettingsDialog dialog(engine, text);
  dialog.reserveTodayField()->setText("0:45");
  dialog.keepClearFromField()->setText("");
  dialog.keepClearThroughField()->setText("");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(engine.settings().reserveToday, 45);
}

namespace t = settings_dialog_text;
constexpr int kUs = 1;  // a country with the weekend on Saturday and Sunday

// The two dialogs that keep their values in the program's settings file.
class ProgramSettingsDialogsTest : public SettingsDialogsTest {
 protected:
  void SetUp() override {
    SettingsDialogsTest::SetUp();
    ASSERT_TRUE(settings.Load());
    program.Load(settings, LocaleFacts{false, 0, kUs});
    s.header().setWorkdayStart(At(9));
    s.header().setWorkdayEnd(At(17));
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

TEST_F(ProgramSettingsDialogsTest, WorkHoursStoreTheHoursInTheScheduleAndTheWorkdaysInTheFile) {
  WorkHoursDialog dialog(engine, program, settings, kUs, text24());
  dialog.startField()->setText("8:00");
  dialog.endField()->setText("16:30");
  dialog.workdayBox(1)->setChecked(false);  // Monday off
  dialog.workdayBox(6)->setChecked(true);   // Saturday on
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.changed());
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(s.header().workdayStart(), At(8));
  EXPECT_EQ(s.header().workdayEnd(), At(16, 30));
  EXPECT_TRUE(s.changed());
  const std::array<int, 7> expected{0, 0, 1, 1, 1, 1, 1};
  EXPECT_EQ(program.workday, expected);
  EXPECT_EQ(Reloaded().workday, expected);
  // The engine plans with the new week at once.
  EXPECT_FALSE(engine.settings().workWeek.workdays[1]);
  EXPECT_TRUE(engine.settings().workWeek.workdays[6]);

  WorkHoursDialog again(engine, program, settings, kUs, text24());
  EXPECT_EQ(again.startField()->text(), "8:00");
  EXPECT_FALSE(again.workdayBox(1)->isChecked());
  again.accept();
  EXPECT_FALSE(again.changed());
}

struct WorkHoursRefusal {
  const char* start;
  const char* end;
  bool startFocused;  // the field to correct
  bool endAfterStartMessage;
};

class WorkHoursRefusalTest : public ProgramSettingsDialogsTest,
                             public ::testing::WithParamInterface<WorkHoursRefusal> {};

TEST_P(WorkHoursRefusalTest, KeepsTheDialogOpenAndChangesNothing) {
  const WorkHoursRefusal& c = GetParam();
  WorkHoursDialog dialog(engine, program, settings, kUs, text24());
  dialog.show();
  dialog.activateWindow();
  dialog.startField()->setText(c.start);
  dialog.endField()->setText(c.end);
  dialog.workdayBox(3)->setChecked(false);
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  if (c.endAfterStartMessage) {
    EXPECT_EQ(env.ui.boxes[0].text, engine_text::kWorkEndNotAfterStart);
  } else {
    EXPECT_NE(env.ui.boxes[0].text, engine_text::kWorkEndNotAfterStart);
  }
  EXPECT_EQ(dialog.focusWidget(), c.startFocused ? dialog.startField() : dialog.endField());
  EXPECT_EQ(s.header().workdayStart(), At(9));
  EXPECT_EQ(s.header().workdayEnd(), At(17));
  EXPECT_EQ(program.workday[3], 1);
  EXPECT_EQ(Reloaded().workday[3], 1);
  EXPECT_FALSE(s.changed());
}

INSTANTIATE_TEST_SUITE_P(Entries, WorkHoursRefusalTest,
                         ::testing::Values(WorkHoursRefusal{"17:00", "9:00", false, true},
                                           WorkHoursRefusal{"9:00", "9:00", false, true},
                                           WorkHoursRefusal{"26:99", "17:00", true, false},
                                           WorkHoursRefusal{"", "17:00", true, false},
                                           WorkHoursRefusal{"9:00", "soon", false, false}));

TEST_F(ProgramSettingsDialogsTest, OtherSettingsRoundTripThroughTheFileAndTheEngine) {
  {
    OtherSettingsDialog dialog(engine, program, settings, kUs);
    EXPECT_FALSE(dialog.autoPilotIntervalField()->isEnabled());  // AutoPilot is off
    dialog.lightensLoadBox()->setChecked(true);
    dialog.autoPilotBox()->setChecked(true);
    EXPECT_TRUE(dialog.autoPilotIntervalField()->isEnabled());
    dialog.autoPilotIntervalField()->setText(" 30 ");
    dialog.autoBalanceDayBox()->setChecked(true);
    dialog.balanceDayIntervalField()->setText("5");
    dialog.autoBringForwardBox()->setChecked(true);
    dialog.hideDoneItemsBox()->setChecked(true);
    dialog.expectedReturnsBox()->setChecked(true);
    // Switching the feature on warns at once, and only once.
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].caption, priority_text::kExpectedReturnsCaption);
    dialog.expectedReturnsBox()->setChecked(false);
    dialog.expectedReturnsBox()->setChecked(true);
    EXPECT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_FALSE(s.priorityIndex().expectedReturnsActive());  // not before OK
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.changed());
  }
  const EngineSettings& e = engine.settings();
  EXPECT_FALSE(e.lifeProjects);
  EXPECT_TRUE(e.balanceLightensLoad);
  EXPECT_TRUE(e.autoPilot);
  EXPECT_EQ(e.autoPilotInterval, 30);
  EXPECT_TRUE(e.autoBalanceDay);
  EXPECT_EQ(e.balanceDayInterval, 5);
  EXPECT_TRUE(e.autoBringForward);
  EXPECT_TRUE(s.priorityIndex().expectedReturnsActive());

  const ProgramSettings p = Reloaded();
  EXPECT_EQ(p.lifeProject, 0);
  EXPECT_EQ(p.balanceLightensLoad, 1);
  EXPECT_EQ(p.autoPilot, 1);
  EXPECT_EQ(p.autoPilotTimerVar, 30);
  EXPECT_EQ(p.autoBalanceDay, 1);
  EXPECT_EQ(p.balanceTodayTimerVar, 5);
  EXPECT_EQ(p.autoBringForward, 1);
  EXPECT_EQ(p.expectedReturnsActive, 1);
  EXPECT_EQ(p.enableHideDoneItems, 1);

  // Shown again: the boxes say what is stored; switching off does not warn.
  OtherSettingsDialog again(engine, program, settings, kUs);
  EXPECT_TRUE(again.autoPilotBox()->isChecked());
  EXPECT_EQ(again.autoPilotIntervalField()->text(), "30");
  EXPECT_TRUE(again.expectedReturnsBox()->isChecked());
  again.expectedReturnsBox()->setChecked(false);
  again.autoPilotBox()->setChecked(false);
  again.accept();
  EXPECT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_FALSE(engine.settings().autoPilot);
  EXPECT_EQ(engine.settings().autoPilotInterval, 30);
  EXPECT_FALSE(s.priorityIndex().expectedReturnsActive());
  EXPECT_EQ(Reloaded().expectedReturnsActive, 0);
}

class TimerIntervalTest : public ProgramSettingsDialogsTest,
                          public ::testing::WithParamInterface<const char*> {};

// AutoPilot's timer and the automatic Balance Day's, each with an unusable interval.
class TimerOnIntervalTest
    : public ProgramSettingsDialogsTest,
      public ::testing::WithParamInterface<std::tuple<bool, const char*>> {};

TEST_P(TimerOnIntervalTest, AnUnusableIntervalOfATimerThatIsOnIsRefused) {
  const auto [autoPilot, typed] = GetParam();
  OtherSettingsDialog dialog(engine, program, settings, kUs);
  dialog.show();
  dialog.activateWindow();
  QCheckBox* box = autoPilot ? dialog.autoPilotBox() : dialog.autoBalanceDayBox();
  QLineEdit* field = autoPilot ? dialog.autoPilotIntervalField() : dialog.balanceDayIntervalField();
  box->setChecked(true);
  dialog.hideDoneItemsBox()->setChecked(true);
  field->setText(typed);
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text,
            autoPilot ? engine_text::kAutoPilotIntervalRefused
                      : engine_text::kBalanceDayIntervalRefused);
  EXPECT_EQ(dialog.focusWidget(), field);
  EXPECT_FALSE(engine.settings().autoPilot || engine.settings().autoBalanceDay);
  EXPECT_EQ(program.enableHideDoneItems, 0);
  EXPECT_EQ(Reloaded().enableHideDoneItems, 0);
}

TEST_P(TimerIntervalTest, ATimerThatIsOffKeepsItsIntervalAndTheRestIsTaken) {
  OtherSettingsDialog dialog(engine, program, settings, kUs);
  dialog.autoPilotIntervalField()->setText(GetParam());
  dialog.hideDoneItemsBox()->setChecked(true);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(Reloaded().autoPilotTimerVar, 19);
  EXPECT_EQ(Reloaded().enableHideDoneItems, 1);
}

// Texts that are no interval of whole minutes in range.
const auto kUnusableIntervals = ::testing::Values("0", "-5", "", "  ", "abc", "12x", "1.5",
                                                  "9999", "99999999999");

INSTANTIATE_TEST_SUITE_P(Texts, TimerIntervalTest, kUnusableIntervals);
INSTANTIATE_TEST_SUITE_P(Timers, TimerOnIntervalTest,
                         ::testing::Combine(::testing::Bool(), kUnusableIntervals));

TEST(ReadTimerInterval, TakesWholeMinutesInRange) {
  EXPECT_EQ(ReadTimerInterval("1"), 1);
  EXPECT_EQ(ReadTimerInterval(" 45 "), 45);
  EXPECT_EQ(ReadTimerInterval("9998"), 9998);
  EXPECT_FALSE(ReadTimerInterval("+5"));
}

TEST_F(ProgramSettingsDialogsTest, TickingBalanceLifeProjectsChecksThemAtOnce) {
  OtherSettingsDialog dialog(engine, program, settings, kUs);
  dialog.lifeProjectsBox()->setChecked(true);
  dialog.accept();
  EXPECT_TRUE(engine.settings().lifeProjects);
  EXPECT_EQ(Reloaded().lifeProject, 1);
  // There are none, and 9:00 is one of the minutes the tip comes on.
  EXPECT_TRUE(env.ui.Showed("Tip: You don't have any Life Projects.")) << env.ui.boxes.size();
}

TEST_F(ProgramSettingsDialogsTest, ReadEngineSettingsTakesTheOtherSettingsKeys) {
  const EngineSettings before = ReadEngineSettings(s.header(), settings, kUs);
  EXPECT_FALSE(before.autoPilot);
  EXPECT_FALSE(before.autoBalanceDay);
  EXPECT_FALSE(before.autoBringForward);
  EXPECT_FALSE(ReadExpectedReturnsActive(settings));
  for (const char* key : {"AutoPilot", "AutoBalanceDay", "AutoBringForward",
                          "ExpectedReturnsActive", "LifeProject", "BalanceLightensLoad"})
    ASSERT_TRUE(settings.WriteInt(key, 1));
  ASSERT_TRUE(settings.WriteInt("AutoPilotTimerVar", 45));
  ASSERT_TRUE(settings.WriteInt("Workday0", 1));
  const EngineSettings e = ReadEngineSettings(s.header(), settings, kUs);
  EXPECT_TRUE(e.autoPilot);
  EXPECT_TRUE(e.autoBalanceDay);
  EXPECT_TRUE(e.autoBringForward);
  EXPECT_TRUE(e.lifeProjects);
  EXPECT_TRUE(e.balanceLightensLoad);
  EXPECT_EQ(e.autoPilotInterval, 45);
  EXPECT_TRUE(e.workWeek.workdays[0]);
  EXPECT_TRUE(ReadExpectedReturnsActive(settings));

  // Re-reading keeps the engine's own switches.
  engine.settings().doneLogFiles = false;
  RereadEngineSettings(engine, settings, kUs);
  EXPECT_TRUE(engine.settings().autoPilot);
  EXPECT_FALSE(engine.settings().doneLogFiles);
  EXPECT_TRUE(s.priorityIndex().expectedReturnsActive());
  EXPECT_TRUE(env.ui.boxes.empty());  // no warning when read
}

// Every box and label gets the room its text needs at the dialog's own size. With
// PLOVEN_RENDER_DIR set the dialogs are also saved there as pictures to look at.
TEST_F(ProgramSettingsDialogsTest, BothDialogsShowTheirTextsUnclipped) {
  WorkHoursDialog hours(engine, program, settings, kUs, text24());
  OtherSettingsDialog other(engine, program, settings, kUs);
  const char* dir = std::getenv("PLOVEN_RENDER_DIR");
  for (QDialog* dialog : std::initializer_list<QDialog*>{&hours, &other}) {
    dialog->show();
    dialog->adjustSize();
    EXPECT_LE(dialog->width(), 1280);
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
      if (qobject_cast<QCheckBox*>(w) == nullptr && qobject_cast<QLabel*>(w) == nullptr)
        continue;
      if (w->isVisible() && w->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->metaObject()->className();
      }
    }
    if (dir != nullptr)
      dialog->grab().save(QString(dir) + "/" + dialog->windowTitle().replace(' ', '-') + ".png");
  }
}

}  // namespace
}  // namespace ploven::test
