#include "dialogs/recurrence_dialog_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "mock/test_env.h"
#include "recur/beta_qualify.h"
#include "recur/recurrence_dialog_messages.h"

namespace ploven {
namespace {

using test::TestEnv;

RecurrenceWindowSetup WindowSetup() {
  RecurrenceWindowSetup s;
  s.parse.today = TestEnv::kToday;
  s.parse.viewed = TestEnv::kToday;
  s.defaultStart = TestEnv::kToday;
  s.fifthWeekSupport = true;
  return s;
}

void Type(QLineEdit* box, const QString& key) {
  box->setFocus();
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
  QApplication::sendEvent(box, &press);
}

Beta Confirm(TestEnv& env, const Beta& in) {
  RecurrenceDialogWindow w(env.msg, in, WindowSetup());
  w.accept();
  EXPECT_TRUE(w.result().has_value());
  return w.result() ? w.result()->beta : Beta{};
}

struct RoundTrip {
  const char* name;
  uint8_t freq;
  uint8_t dayBits;
  int16_t interval;
  uint32_t dateBits;
  uint8_t options;
};

class RecurrenceWindowRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

// A record opened and confirmed unchanged comes back bit for bit.
TEST_P(RecurrenceWindowRoundTrip, ConfirmKeepsRecord) {
  TestEnv env;
  const RoundTrip& p = GetParam();
  Beta in;
  in.freq = p.freq;
  in.dayBits = p.dayBits;
  in.interval = p.interval;
  in.dateBits = p.dateBits;
  in.betaOptions = p.options;
  in.startDate = TestEnv::kToday;
  in.endDate = TestEnv::kToday + 400;
  in.lastDone = TestEnv::kToday - 3;
  in.reserved0 = {7, 9};
  const Beta out = Confirm(env, in);
  EXPECT_EQ(out.freq, in.freq);
  EXPECT_EQ(out.dayBits, in.dayBits);
  EXPECT_EQ(out.interval, in.interval);
  EXPECT_EQ(out.dateBits, in.dateBits);
  EXPECT_EQ(out.betaOptions, in.betaOptions);
  EXPECT_EQ(out.startDate, in.startDate);
  EXPECT_EQ(out.endDate, in.endDate);
  EXPECT_EQ(out.lastDone, in.lastDone);
  EXPECT_EQ(out.reserved0, in.reserved0);
  EXPECT_TRUE(env.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RecurrenceWindowRoundTrip,
    ::testing::Values(
        RoundTrip{"Daily", kFreqDaily, 0, 1, 0, 0},
        RoundTrip{"EveryNDays", kFreqDaily | kBringForwardDeleteInstance, 0, 12, 0, 0},
        RoundTrip{"Weekly", kFreqWeekly, 0x2a, 1, 0, 0},
        RoundTrip{"EveryNWeeks", kFreqWeekly | kBringForwardShiftStart, 0x41, 3, 0, 0},
        RoundTrip{"MonthlyDates", kFreqMonthly, 0, 1, (1u << 0) | (1u << 14) | (1u << 30), 0},
        RoundTrip{"NearestDay", kFreqMonthly, 0x3e, 1, 1u << 14,
                  kOptionNearestDay | kOptionOnOrAfter},
        RoundTrip{"LastWeek", kFreqMonthly, 0x02, 2, kDateBitsLastWeek | (1u << 8), 0},
        RoundTrip{"FifthWeek", kFreqMonthly, kDayBitsFifthWeek | 0x20, 1,
                  kDateBitsLastWeek | (1u << 27), 0},
        RoundTrip{"YearlyMoonsSeasonal", kFreqYearly, 0, 5, 0,
                  kOptionFullMoons | kOptionSeasonal | kOptionNoteNotShared}),
    [](const ::testing::TestParamInfo<RoundTrip>& param) { return std::string(param.param.name); });

TEST(RecurrenceWindow, ControlsWriteTheRecord) {
  TestEnv env;
  RecurrenceDialogWindow w(env.msg, Beta{}, WindowSetup());
  w.frequencyButton(FrequencyChoice::kMonthly)->setChecked(true);
  w.monthModeButton(MonthMode::kLastWeek)->setChecked(true);
  w.gridButton(1, 0)->setChecked(true);  // second Monday
  w.gridButton(4, 6)->setChecked(true);  // last Sunday
  w.bringForwardButton(BringForwardAction::kDeleteInstance)->setChecked(true);
  w.accept();
  ASSERT_TRUE(w.result());
  const Beta& b = w.result()->beta;
  EXPECT_EQ(b.freq, kFreqMonthly | kBringForwardDeleteInstance);
  EXPECT_EQ(b.dateBits, kDateBitsLastWeek | (1u << 8));
  EXPECT_EQ(b.dayBits, 0x01);
  EXPECT_EQ(b.startDate, TestEnv::kToday);  // the default start was filled in
}

TEST(RecurrenceWindow, FifthWeekToLastWeekLeavesLastWeekMode) {
  TestEnv env;
  Beta in;
  in.freq = kFreqMonthly;
  in.dayBits = kDayBitsFifthWeek | 0x02;
  in.dateBits = kDateBitsLastWeek | 1u;
  RecurrenceDialogWindow w(env.msg, in, WindowSetup());
  w.monthModeButton(MonthMode::kLastWeek)->setChecked(true);
  w.gridButton(0, 6)->setChecked(true);
  w.accept();
  ASSERT_TRUE(w.result());
  EXPECT_EQ(w.result()->beta.dayBits & kDayBitsFifthWeek, 0);
  EXPECT_NE(w.result()->beta.dateBits & kDateBitsLastWeek, 0u);
}

TEST(RecurrenceWindow, CountRefusesOutOfRangeWithBeepAndEmptyMeansTwo) {
  TestEnv env;
  RecurrenceDialogWindow w(env.msg, Beta{}, WindowSetup());
  QLineEdit* days = w.countField(CountUnit::kDays);
  for (const char* key : {"9", "9", "9", "9"}) Type(days, key);
  EXPECT_EQ(days->text(), "999");  // 9999 is past the day range
  EXPECT_EQ(env.ui.beeps, 1);
  EXPECT_EQ(w.state().frequency, FrequencyChoice::kEveryNDays);  // typing chose the choice

  QLineEdit* months = w.countField(CountUnit::kMonths);
  Type(months, "1");
  Type(months, "0");
  Type(months, "0");
  EXPECT_EQ(months->text(), "10");
  EXPECT_EQ(env.ui.beeps, 2);
  Type(months, "x");
  EXPECT_EQ(months->text(), "10");

  w.frequencyButton(FrequencyChoice::kEveryNWeeks)->setChecked(true);
  w.accept();
  ASSERT_TRUE(w.result());
  EXPECT_EQ(w.result()->beta.interval, 2);
  EXPECT_EQ(w.result()->beta.freq & kFreqKinds, kFreqWeekly);
}

TEST(RecurrenceWindow, OkChecksRefuseInOrder) {
  TestEnv env;
  RecurrenceDialogWindow w(env.msg, Beta{}, WindowSetup());
  w.endField()->setText("Dec 1 2026");
  w.accept();
  EXPECT_FALSE(w.result());
  EXPECT_TRUE(env.ui.Showed(recur_dialog_text::kEndBeforeStart));

  w.endField()->clear();
  w.frequencyButton(FrequencyChoice::kMonthly)->setChecked(true);
  w.nearestDayBox()->setChecked(true);
  w.accept();
  EXPECT_FALSE(w.result());
  EXPECT_TRUE(env.ui.Showed(recur_dialog_text::kNearestNeedsWeekday));

  w.weekdayButton(2)->setChecked(true);
  w.accept();
  EXPECT_FALSE(w.result());
  EXPECT_TRUE(env.ui.Showed(recur_dialog_text::kNearestNeedsDate));

  w.gridButton(0, 4)->setChecked(true);  // the 5th
  w.accept();
  ASSERT_TRUE(w.result());
  EXPECT_EQ(w.result()->beta.dateBits, 1u << 4);
  EXPECT_EQ(w.result()->beta.dayBits, 0x04);
}

TEST(RecurrenceWindow, UnreadableDateIsToldAndNothingReturned) {
  TestEnv env;
  RecurrenceDialogWindow w(env.msg, Beta{}, WindowSetup());
  w.startField()->setText("nonsense");
  w.accept();
  EXPECT_FALSE(w.result());
  EXPECT_EQ(env.ui.boxes.size(), 1u);
}

TEST(RecurrenceWindow, OnOrBeforeAndAfterExcludeEachOther) {
  TestEnv env;
  RecurrenceDialogWindow w(env.msg, Beta{}, WindowSetup());
  w.frequencyButton(FrequencyChoice::kMonthly)->setChecked(true);
  EXPECT_FALSE(w.onOrBeforeBox()->isEnabled());
  w.nearestDayBox()->setChecked(true);
  EXPECT_TRUE(w.weekdayButton(0)->isEnabled());
  w.onOrBeforeBox()->setChecked(true);
  EXPECT_FALSE(w.onOrAfterBox()->isEnabled());
  w.onOrBeforeBox()->setChecked(false);
  w.onOrAfterBox()->setChecked(true);
  EXPECT_FALSE(w.onOrBeforeBox()->isEnabled());
}

TEST(RecurrenceWindow, SeasonalExplainsAndWeekdayShortcuts) {
  TestEnv env;
  RecurrenceDialogWindow w(env.msg, Beta{}, WindowSetup());
  w.seasonalBox()->setChecked(true);
  EXPECT_TRUE(env.ui.Showed(recur_dialog_text::kSeasonalExplanation));
  w.frequencyButton(FrequencyChoice::kWeekly)->setChecked(true);
  w.weekendButton()->click();
  w.accept();
  ASSERT_TRUE(w.result());
  EXPECT_EQ(w.result()->beta.dayBits, 0x41);
  EXPECT_NE(w.result()->beta.betaOptions & kOptionSeasonal, 0);
}

TEST(RecurrenceWindow, FifthWeekModeOnlyWithPreference) {
  TestEnv env;
  RecurrenceWindowSetup setup = WindowSetup();
  setup.fifthWeekSupport = false;
  RecurrenceDialogWindow w(env.msg, Beta{}, setup);
  EXPECT_EQ(w.monthModeButton(MonthMode::kFifthWeek), nullptr);
}

}  // namespace
}  // namespace ploven
