#include "alarm/alarm_form.h"

#include <gtest/gtest.h>

#include "alarm/alarm_messages.h"
#include "mock/test_env.h"
#include "store/act_flags.h"

namespace ploven::test {
namespace {

class AlarmFormTest : public ::testing::Test {
 protected:
  bool Take(const AlarmForm& f) { return TakeAlarmForm(f, act, ports); }

  TestEnv env;
  AlarmSettings settings;
  int stored = 0;
  AlarmFormPorts ports{env.msg, settings, TestEnv::kToday, [this] { ++stored; }};
  Act act;
};

struct RefusalRow {
  int hours, minutes, days;
  const char* message;
};

class AlarmFormRefusalTest : public AlarmFormTest,
                             public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(AlarmFormRefusalTest, NumbersOutOfRangeAreRefusedAndNothingIsTaken) {
  AlarmForm f;
  f.hours = GetParam().hours;
  f.minutes = GetParam().minutes;
  f.reminderDays = GetParam().days;
  act.alarmMinutes = 7;
  EXPECT_FALSE(Take(f));
  EXPECT_TRUE(env.ui.Showed(GetParam().message)) << GetParam().message;
  EXPECT_EQ(act.alarmMinutes, 7);
  EXPECT_FALSE(act.Has(AF_ALARM));
}

INSTANTIATE_TEST_SUITE_P(
    Limits, AlarmFormRefusalTest,
    ::testing::Values(RefusalRow{25, 0, 0, "cannot exceed 24 hours"},
                      RefusalRow{-1, 0, 0, "cannot exceed 24 hours"},
                      RefusalRow{0, 100, 0, "100 minutes outside the allowed range"},
                      RefusalRow{0, -1, 0, "-1 minutes outside the allowed range"},
                      RefusalRow{0, 5, 100, "100 alarm reminder days exceeds"}));

TEST_F(AlarmFormTest, AfterTheEndIsANegativeOffsetAtTheEndAndTheAlarmIsArmedAgain) {
  act.alarmState = -1;
  act.flags = AF_ALARM_AT_BEGIN;
  AlarmForm f;
  f.hours = 1;
  f.minutes = 15;
  f.after = true;
  f.atEnd = true;
  f.reminderDays = 3;
  f.remindersAfter = true;
  ASSERT_TRUE(Take(f));
  EXPECT_TRUE(act.Has(AF_ALARM));
  EXPECT_TRUE(act.Has(AF_ALARM_AT_END));
  EXPECT_FALSE(act.Has(AF_ALARM_AT_BEGIN));
  EXPECT_EQ(act.alarmHours, -1);
  EXPECT_EQ(act.alarmMinutes, -15);
  EXPECT_EQ(act.alarmState, 0);
  EXPECT_EQ(act.reminderDays, -3);
  EXPECT_TRUE(act.Has(AF_REMINDER_DAYS));
  // The form reads back what it wrote.
  const AlarmForm back = AlarmFormOf(act, settings);
  EXPECT_EQ(back.hours, 1);
  EXPECT_EQ(back.minutes, 15);
  EXPECT_TRUE(back.after);
  EXPECT_TRUE(back.atEnd);
  EXPECT_EQ(back.reminderDays, 3);
  EXPECT_TRUE(back.remindersAfter);
}

TEST_F(AlarmFormTest, AnItemWithoutAPointGetsTheBegin) {
  act.flags = AF_ALARM;
  EXPECT_FALSE(AlarmFormOf(act, settings).atEnd);
  ASSERT_TRUE(Take(AlarmFormOf(act, settings)));
  EXPECT_TRUE(act.Has(AF_ALARM_AT_BEGIN));
}

TEST_F(AlarmFormTest, ANewAlsoDialNumberIsSavedOnlyWhenTheUserAgrees) {
  settings.pagerNumber = "old@example.org";
  AlarmForm f;
  f.alsoDial = true;
  f.pagerNumber = " new@example.org ";
  env.ui.Answer(kIdNo);
  ASSERT_TRUE(Take(f));
  EXPECT_EQ(settings.pagerNumber, "old@example.org");
  EXPECT_EQ(stored, 0);
  env.ui.Answer(kIdYes);
  ASSERT_TRUE(Take(f));
  EXPECT_TRUE(env.ui.Showed("for all existing alarms to this new default?"));
  EXPECT_EQ(settings.pagerNumber, "new@example.org");
  EXPECT_EQ(stored, 1);
  EXPECT_TRUE(act.Has(AF_ALSO_DIAL));
}

TEST_F(AlarmFormTest, SuppressedAlarmsAreToldAndCanBeSwitchedOn) {
  settings.suppressAll = true;
  env.ui.Answer(kIdNo);
  ASSERT_TRUE(Take(AlarmForm{}));
  EXPECT_TRUE(settings.suppressAll);
  EXPECT_EQ(env.ui.boxes.back().caption, alarm_text::kSuppressedWarningCaption);
  EXPECT_EQ(env.ui.boxes.back().defaultIndex, 1);  // No
  env.ui.Answer(kIdYes);
  ASSERT_TRUE(Take(AlarmForm{}));
  EXPECT_FALSE(settings.suppressAll);
  EXPECT_TRUE(env.ui.Showed("The Suppress All Alarms setting has been turned off."));
  EXPECT_EQ(stored, 1);
  // Suppression that has ended asks nothing.
  settings.suppressAll = true;
  settings.suppressUntil = TestEnv::kToday;
  const size_t shown = env.ui.boxes.size();
  ASSERT_TRUE(Take(AlarmForm{}));
  EXPECT_EQ(env.ui.boxes.size(), shown);
}

TEST_F(AlarmFormTest, APastSuppressionDateIsWarnedAbout) {
  EXPECT_TRUE(SuppressDateWarning(TestEnv::kToday - 1, TestEnv::kToday).has_value());
  EXPECT_FALSE(SuppressDateWarning(TestEnv::kToday, TestEnv::kToday).has_value());
  EXPECT_FALSE(SuppressDateWarning(kNoDate, TestEnv::kToday).has_value());
}

}  // namespace
}  // namespace ploven::test
