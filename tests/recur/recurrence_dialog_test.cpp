#include "recur/recurrence_dialog.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "mock/test_env.h"
#include "platform/ui.h"
#include "recur/beta_qualify.h"
#include "recur/recurrence_dialog_messages.h"

namespace ploven {
namespace {

namespace text = recur_dialog_text;

std::array<uint8_t, kBetaRecordSize> Bytes(const Beta& b) {
  std::array<uint8_t, kBetaRecordSize> out{};
  EncodeBeta(b, out);
  return out;
}

// Bits of the week modes: weekday g (0 Sunday) of week w (1..4).
constexpr uint32_t WeekBit(int w, int g) { return 1u << (7 * (w - 1) + g); }

Beta Record(uint8_t freq, int16_t interval, uint8_t dayBits, uint32_t dateBits,
            uint8_t options = 0) {
  Beta b;
  b.freq = freq;
  b.interval = interval;
  b.dayBits = dayBits;
  b.dateBits = dateBits;
  b.betaOptions = options;
  b.startDate = 17000;
  b.endDate = 17500;
  return b;
}

struct RoundTrip {
  const char* name;
  Beta beta;
  FrequencyChoice choice;
  MonthMode mode;
};

class DialogRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(DialogRoundTrip, ConfirmingUnchangedGivesTheSameRecord) {
  test::TestEnv env;
  Beta beta = GetParam().beta;
  // What the dialog does not edit must come back as it went in.
  beta.reserved0 = {0xAB, 0xCD};
  beta.reserved22 = {0x12, 0x34};
  beta.reserved25 = {1, 2, 3};
  beta.lastDone = 16990;
  beta.xlist = {{17010, kNoAct}, {17020, kNoAct}};
  beta.betaOptions |= kOptionNoteNotShared;

  const RecurrenceDialogState state = LoadRecurrenceDialog(beta, 12345);
  EXPECT_EQ(state.frequency, GetParam().choice);
  EXPECT_EQ(state.monthMode, GetParam().mode);
  const RecurrenceDialogResult result = ConfirmRecurrenceDialog(state, env.msg);
  ASSERT_TRUE(result.beta.has_value()) << (env.ui.boxes.empty() ? "" : env.ui.boxes[0].text);
  EXPECT_EQ(Bytes(*result.beta), Bytes(beta));
  EXPECT_EQ(result.beta->xlist.size(), 2u);
  EXPECT_TRUE(env.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, DialogRoundTrip,
    ::testing::Values(
        RoundTrip{"Daily", Record(kFreqDaily, 1, 0, 0), FrequencyChoice::kDaily, MonthMode::kDates},
        RoundTrip{"EveryNDays", Record(kFreqDaily | kBringForwardDeleteInstance, 3, 0, 0),
                  FrequencyChoice::kEveryNDays, MonthMode::kDates},
        RoundTrip{"Weekly", Record(kFreqWeekly, 1, 0x2a, 0), FrequencyChoice::kWeekly,
                  MonthMode::kDates},
        RoundTrip{"EveryNWeeks", Record(kFreqWeekly | kBringForwardShiftStart, 999, 0x41, 0),
                  FrequencyChoice::kEveryNWeeks, MonthMode::kDates},
        RoundTrip{"MonthlyDates", Record(kFreqMonthly, 1, 0, (1u << 0) | (1u << 14) | kDateBitLast),
                  FrequencyChoice::kMonthly, MonthMode::kDates},
        RoundTrip{"MonthlyNearest",
                  Record(kFreqMonthly, 1, 0x3e, 1u << 14, kOptionNearestDay | kOptionOnOrAfter),
                  FrequencyChoice::kMonthly, MonthMode::kDates},
        RoundTrip{"MonthlyNearestBefore",
                  Record(kFreqMonthly, 1, 0x01, 1u << 29, kOptionNearestDay | kOptionOnOrBefore),
                  FrequencyChoice::kMonthly, MonthMode::kDates},
        RoundTrip{"LastWeek",
                  Record(kFreqMonthly, 1, 0x02, WeekBit(1, 1) | WeekBit(4, 0) | kDateBitsLastWeek),
                  FrequencyChoice::kMonthly, MonthMode::kLastWeek},
        RoundTrip{"FifthWeek",
                  Record(kFreqMonthly, 1, kDayBitsFifthWeek | 0x40,
                         WeekBit(2, 6) | WeekBit(3, 3) | kDateBitsLastWeek),
                  FrequencyChoice::kMonthly, MonthMode::kFifthWeek},
        RoundTrip{"EveryNMonths", Record(kFreqMonthly, 99, 0, 1u << 9, kOptionFullMoons),
                  FrequencyChoice::kEveryNMonths, MonthMode::kDates},
        RoundTrip{"Annually", Record(kFreqYearly, 1, 0, 0, kOptionSeasonal),
                  FrequencyChoice::kAnnually, MonthMode::kDates},
        RoundTrip{"EveryNYears",
                  Record(kFreqYearly | kBringForwardDeleteInstance, 5, 0, 0, kOptionFullMoons),
                  FrequencyChoice::kEveryNYears, MonthMode::kDates}),
    [](const ::testing::TestParamInfo<RoundTrip>& p) { return std::string(p.param.name); });

TEST(RecurrenceDialog, NewItemOpensOnTheDefaultStartAsPlainDaily) {
  test::TestEnv env;
  const RecurrenceDialogState state = LoadRecurrenceDialog(Beta{}, 17144);
  EXPECT_EQ(state.startDate, 17144);
  EXPECT_EQ(state.frequency, FrequencyChoice::kDaily);
  const RecurrenceDialogResult result = ConfirmRecurrenceDialog(state, env.msg);
  ASSERT_TRUE(result.beta);
  EXPECT_EQ(result.beta->freq, kFreqDaily);
  EXPECT_EQ(result.beta->interval, 1);
  EXPECT_EQ(result.beta->startDate, 17144);
  EXPECT_EQ(result.beta->endDate, 0);
}

TEST(RecurrenceDialog, GridCellsLandOnTheirBits) {
  RecurrenceDialogState s = LoadRecurrenceDialog(Beta{}, 17144);
  s.frequency = FrequencyChoice::kMonthly;
  s.monthMode = MonthMode::kLastWeek;
  s.grid[0][0] = true;   // Monday of week 1
  s.grid[3][6] = true;   // Sunday of week 4
  s.grid[4][5] = true;   // Saturday of the last week
  s.weekdays[3] = true;  // not part of a week mode
  Beta b = ReadRecurrenceDialog(s);
  EXPECT_EQ(b.dateBits, WeekBit(1, 1) | WeekBit(4, 0) | kDateBitsLastWeek);
  EXPECT_EQ(b.dayBits, 1u << 6);

  s.monthMode = MonthMode::kDates;
  s.grid = {};
  s.grid[0][0] = true;  // date 1
  s.grid[4][1] = true;  // date 30
  s.grid[4][2] = true;  // "Last"
  b = ReadRecurrenceDialog(s);
  EXPECT_EQ(b.dateBits, (1u << 0) | (1u << 29) | kDateBitLast);
  EXPECT_EQ(b.dayBits, 1u << 3);
}

TEST(RecurrenceDialog, SwitchingMonthModesWritesTheFlags) {
  test::TestEnv env;
  const Beta fifth =
      Record(kFreqMonthly, 1, kDayBitsFifthWeek | 0x04, WeekBit(1, 2) | kDateBitsLastWeek);
  RecurrenceDialogState s = LoadRecurrenceDialog(fifth);
  ASSERT_EQ(s.monthMode, MonthMode::kFifthWeek);

  s.monthMode = MonthMode::kLastWeek;
  RecurrenceDialogResult r = ConfirmRecurrenceDialog(s, env.msg);
  ASSERT_TRUE(r.beta);
  EXPECT_EQ(r.beta->dayBits, 0x04);
  EXPECT_EQ(r.beta->dateBits, WeekBit(1, 2) | kDateBitsLastWeek);
  EXPECT_EQ(LoadRecurrenceDialog(*r.beta).monthMode, MonthMode::kLastWeek);

  // Back to dates: no fifth-week flag may stay behind to take precedence.
  s = LoadRecurrenceDialog(fifth);
  s.monthMode = MonthMode::kDates;
  r = ConfirmRecurrenceDialog(s, env.msg);
  ASSERT_TRUE(r.beta);
  EXPECT_EQ(r.beta->dayBits & kDayBitsFifthWeek, 0);
  EXPECT_EQ(r.beta->dateBits & kDateBitsLastWeek, 0u);
  EXPECT_EQ(LoadRecurrenceDialog(*r.beta).monthMode, MonthMode::kDates);

  s.monthMode = MonthMode::kFifthWeek;
  r = ConfirmRecurrenceDialog(s, env.msg);
  ASSERT_TRUE(r.beta);
  EXPECT_NE(r.beta->dayBits & kDayBitsFifthWeek, 0);
  EXPECT_NE(r.beta->dateBits & kDateBitsLastWeek, 0u);
}

TEST(RecurrenceDialog, MonthModeFlagsKeepTheOtherBits) {
  struct Case {
    MonthMode mode;
    uint8_t dayBits;
    uint32_t dateBits;
  };
  for (const Case& c : {Case{MonthMode::kFifthWeek, 0xc5, 0x80000123u},
                        Case{MonthMode::kLastWeek, 0x45, 0x80000123u},
                        Case{MonthMode::kDates, 0x45, 0x00000123u}}) {
    for (const auto& [day, date] : {std::pair<uint8_t, uint32_t>{0x45, 0x123u},
                                    std::pair<uint8_t, uint32_t>{0xc5, 0x80000123u}}) {
      uint8_t dayBits = day;
      uint32_t dateBits = date;
      WriteMonthModeFlags(c.mode, dayBits, dateBits);
      EXPECT_EQ(dayBits, c.dayBits) << static_cast<int>(c.mode);
      EXPECT_EQ(dateBits, c.dateBits) << static_cast<int>(c.mode);
    }
  }
}

struct CountCase {
  CountUnit unit;
  const char* text;
  bool accepted;
};

class DialogCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(DialogCount, OnlyNumbersInRangeAreStored) {
  RecurrenceDialogState s = LoadRecurrenceDialog(Beta{});
  const size_t box = static_cast<size_t>(GetParam().unit);
  s.countTexts[box] = "7";
  const CountEdit edit = EditCount(s, GetParam().unit, GetParam().text);
  EXPECT_EQ(edit == CountEdit::kAccepted, GetParam().accepted);
  EXPECT_EQ(s.countTexts[box], GetParam().accepted ? GetParam().text : "7");
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DialogCount,
    ::testing::Values(
        CountCase{CountUnit::kDays, "1000", false}, CountCase{CountUnit::kDays, "999", true},
        CountCase{CountUnit::kWeeks, "1000", false}, CountCase{CountUnit::kWeeks, "1", true},
        CountCase{CountUnit::kMonths, "100", false}, CountCase{CountUnit::kMonths, "99", true},
        CountCase{CountUnit::kYears, "100", false}, CountCase{CountUnit::kDays, "0", false},
        CountCase{CountUnit::kDays, "-3", false}, CountCase{CountUnit::kDays, "4x", false},
        CountCase{CountUnit::kDays, " 4", false}, CountCase{CountUnit::kDays, "99999999999", false},
        CountCase{CountUnit::kDays, "", true}));

TEST(RecurrenceDialog, EveryChoiceWithoutAValidCountStoresTwo) {
  test::TestEnv env;
  for (const auto& [choice, countText] : {std::pair{FrequencyChoice::kEveryNWeeks, ""},
                                          std::pair{FrequencyChoice::kEveryNMonths, "150"},
                                          std::pair{FrequencyChoice::kEveryNDays, "abc"}}) {
    RecurrenceDialogState s = LoadRecurrenceDialog(Beta{}, 17144);
    s.frequency = choice;
    s.countTexts[static_cast<size_t>(UnitOf(choice))] = countText;
    const RecurrenceDialogResult r = ConfirmRecurrenceDialog(s, env.msg);
    ASSERT_TRUE(r.beta);
    EXPECT_EQ(r.beta->interval, 2) << countText;
  }
  // A plain choice is 1 whatever an Every box still holds.
  RecurrenceDialogState s = LoadRecurrenceDialog(Record(kFreqWeekly, 4, 0x02, 0));
  s.frequency = FrequencyChoice::kWeekly;
  EXPECT_EQ(ReadRecurrenceDialog(s).interval, 1);
}

TEST(RecurrenceDialog, OkRefusesInOrderWithItsMessages) {
  test::TestEnv env;
  RecurrenceDialogState s = LoadRecurrenceDialog(Record(kFreqMonthly, 1, 0, 0), 17144);
  s.nearestDay = true;
  s.endDate = static_cast<DayNumber>(s.startDate - 1);

  RecurrenceDialogResult r = ConfirmRecurrenceDialog(s, env.msg);
  EXPECT_FALSE(r.beta);
  EXPECT_EQ(r.focus, DialogFocus::kStartDate);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes.back().text, text::kEndBeforeStart);

  s.endDate = s.startDate;
  r = ConfirmRecurrenceDialog(s, env.msg);
  EXPECT_FALSE(r.beta);
  EXPECT_EQ(r.focus, DialogFocus::kWeekdayButtons);
  ASSERT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(env.ui.boxes.back().text, text::kNearestNeedsWeekday);

  s.weekdays[1] = true;
  r = ConfirmRecurrenceDialog(s, env.msg);
  EXPECT_FALSE(r.beta);
  EXPECT_EQ(r.focus, DialogFocus::kMonthGrid);
  ASSERT_EQ(env.ui.boxes.size(), 3u);
  EXPECT_EQ(env.ui.boxes.back().text, text::kNearestNeedsDate);

  s.grid[1][3] = true;  // date 11
  r = ConfirmRecurrenceDialog(s, env.msg);
  ASSERT_TRUE(r.beta);
  EXPECT_EQ(r.beta->dateBits, 1u << 10);
  EXPECT_EQ(r.beta->dayBits, 1u << 1);
  EXPECT_EQ(env.ui.boxes.size(), 3u);
}

TEST(RecurrenceDialog, NearestDayLeftOverWhereDisabledDoesNotBlockOk) {
  test::TestEnv env;
  // Weekly, with the option still set from an earlier monthly rule: its controls are disabled.
  RecurrenceDialogState s =
      LoadRecurrenceDialog(Record(kFreqWeekly, 1, 0x04, 0, kOptionNearestDay));
  EXPECT_FALSE(DialogEnables(s).nearestDay);
  const RecurrenceDialogResult r = ConfirmRecurrenceDialog(s, env.msg);
  ASSERT_TRUE(r.beta);
  EXPECT_EQ(r.beta->betaOptions, kOptionNearestDay);
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST(RecurrenceDialog, EnablesFollowFrequencyModeAndNearestDay) {
  RecurrenceDialogState s = LoadRecurrenceDialog(Beta{});
  s.frequency = FrequencyChoice::kEveryNWeeks;
  RecurrenceDialogEnables e = DialogEnables(s);
  EXPECT_TRUE(e.weekdayButtons);
  EXPECT_FALSE(e.monthGrid);

  s.frequency = FrequencyChoice::kMonthly;
  e = DialogEnables(s);
  EXPECT_FALSE(e.weekdayButtons);
  EXPECT_TRUE(e.monthGrid && e.monthModes && e.nearestDay);

  s.nearestDay = true;
  SetOnOrAfter(s, true);
  e = DialogEnables(s);
  EXPECT_TRUE(e.weekdayButtons && e.onOrAfter);
  EXPECT_FALSE(e.onOrBefore);
  SetOnOrBefore(s, true);
  EXPECT_FALSE(s.onOrAfter);

  s.monthMode = MonthMode::kLastWeek;
  e = DialogEnables(s);
  EXPECT_FALSE(e.nearestDay || e.weekdayButtons);
}

TEST(RecurrenceDialog, CheckingSeasonalExplainsIt) {
  test::TestEnv env;
  RecurrenceDialogState s = LoadRecurrenceDialog(Record(kFreqYearly, 1, 0, 0));
  SetSeasonal(s, true, env.msg);  // the default button is OK
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  const BoxRequest& box = env.ui.boxes[0];
  EXPECT_EQ(box.caption, text::kSeasonalCaption);
  ASSERT_EQ(box.buttons.size(), 2u);
  EXPECT_EQ(box.buttons[0].caption, "&Explain More");
  EXPECT_EQ(box.buttons[1].caption, "&OK");
  EXPECT_NE(box.text.find("Dec 25"), std::string::npos);
  EXPECT_TRUE(env.ui.helpTopics.empty());
  EXPECT_TRUE(s.seasonal);

  SetSeasonal(s, false, env.msg);
  env.ui.Answer(kIdCustom1);
  SetSeasonal(s, true, env.msg);
  ASSERT_EQ(env.ui.helpTopics.size(), 1u);
  EXPECT_EQ(env.ui.helpTopics[0], "NewItem.htm#seasonal");
  EXPECT_EQ(env.ui.boxes.size(), 2u);  // unchecking says nothing
  EXPECT_EQ(ReadRecurrenceDialog(s).betaOptions, kOptionSeasonal);
}

}  // namespace
}  // namespace ploven
