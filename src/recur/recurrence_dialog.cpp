#include "recur/recurrence_dialog.h"

#include <charconv>
#include <string>

#include "platform/messages.h"
#include "recur/beta_qualify.h"
#include "recur/recurrence_dialog_messages.h"

namespace ploven {
namespace {

namespace text = recur_dialog_text;

constexpr uint32_t kDateMask = 0x7fffffffu;
constexpr int kDateCells = 31;  // dates 1 to 30 and "Last"
constexpr int kWeekRows = 4;
constexpr int kFifthRow = 4;
// The options the dialog edits; the rest are carried through unchanged.
constexpr uint8_t kEditedOptions =
    kOptionNearestDay | kOptionOnOrAfter | kOptionOnOrBefore | kOptionFullMoons | kOptionSeasonal;
constexpr uint8_t kEditedFreq = kFreqKinds | kBringForwardDeleteInstance | kBringForwardShiftStart;

// Grid columns run Monday..Saturday and then Sunday; weekdays count from Sunday.
int WeekdayOfColumn(int column) { return (column + 1) % 7; }

uint8_t KindBit(FrequencyChoice choice) {
  switch (UnitOf(choice)) {
    case CountUnit::kDays:
      return kFreqDaily;
    case CountUnit::kWeeks:
      return kFreqWeekly;
    case CountUnit::kMonths:
      return kFreqMonthly;
    case CountUnit::kYears:
      return kFreqYearly;
  }
  return kFreqDaily;
}

bool AnyWeekday(const RecurrenceDialogState& state) {
  for (bool on : state.weekdays)
    if (on) return true;
  return false;
}

bool IsMonthly(FrequencyChoice choice) { return UnitOf(choice) == CountUnit::kMonths; }

}  // namespace

CountUnit UnitOf(FrequencyChoice choice) {
  switch (choice) {
    case FrequencyChoice::kDaily:
    case FrequencyChoice::kEveryNDays:
      return CountUnit::kDays;
    case FrequencyChoice::kWeekly:
    case FrequencyChoice::kEveryNWeeks:
      return CountUnit::kWeeks;
    case FrequencyChoice::kMonthly:
    case FrequencyChoice::kEveryNMonths:
      return CountUnit::kMonths;
    case FrequencyChoice::kAnnually:
    case FrequencyChoice::kEveryNYears:
      return CountUnit::kYears;
  }
  return CountUnit::kDays;
}

bool IsEveryChoice(FrequencyChoice choice) {
  return choice == FrequencyChoice::kEveryNDays || choice == FrequencyChoice::kEveryNWeeks ||
         choice == FrequencyChoice::kEveryNMonths || choice == FrequencyChoice::kEveryNYears;
}

std::optional<int> ParseCount(std::string_view text, CountUnit unit) {
  const int most = unit == CountUnit::kDays || unit == CountUnit::kWeeks ? 999 : 99;
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || value < 1 || value > most) return std::nullopt;
  return value;
}

CountEdit EditCount(RecurrenceDialogState& state, CountUnit unit, std::string_view text) {
  if (!text.empty() && !ParseCount(text, unit)) return CountEdit::kRefused;
  state.countTexts[static_cast<size_t>(unit)] = std::string(text);
  return CountEdit::kAccepted;
}

RecurrenceDialogState LoadRecurrenceDialog(const Beta& beta, DayNumber defaultStart) {
  RecurrenceDialogState s;
  s.working = beta;
  s.startDate = beta.startDate != 0 ? beta.startDate : defaultStart;
  s.endDate = beta.endDate;

  // A record without a frequency (a new item) opens on plain Daily.
  const bool every = beta.interval > 1;
  if (beta.freq & kFreqDaily) {
    s.frequency = every ? FrequencyChoice::kEveryNDays : FrequencyChoice::kDaily;
  } else if (beta.freq & kFreqWeekly) {
    s.frequency = every ? FrequencyChoice::kEveryNWeeks : FrequencyChoice::kWeekly;
  } else if (beta.freq & kFreqMonthly) {
    s.frequency = every ? FrequencyChoice::kEveryNMonths : FrequencyChoice::kMonthly;
  } else if (beta.freq & kFreqYearly) {
    s.frequency = every ? FrequencyChoice::kEveryNYears : FrequencyChoice::kAnnually;
  } else {
    s.frequency = every ? FrequencyChoice::kEveryNDays : FrequencyChoice::kDaily;
  }
  if (every) s.countTexts[static_cast<size_t>(UnitOf(s.frequency))] = std::to_string(beta.interval);

  if (beta.freq & kBringForwardDeleteInstance) {
    s.bringForward = BringForwardAction::kDeleteInstance;
  } else if (beta.freq & kBringForwardShiftStart) {
    s.bringForward = BringForwardAction::kShiftStartDate;
  }

  if (beta.dayBits & kDayBitsFifthWeek) {
    s.monthMode = MonthMode::kFifthWeek;
  } else if (beta.dateBits & kDateBitsLastWeek) {
    s.monthMode = MonthMode::kLastWeek;
  }

  for (int g = 0; g < 7; ++g) s.weekdays[static_cast<size_t>(g)] = (beta.dayBits >> g) & 1;
  if (s.monthMode == MonthMode::kDates) {
    for (int i = 0; i < kDateCells; ++i)
      s.grid[static_cast<size_t>(i / 7)][static_cast<size_t>(i % 7)] = (beta.dateBits >> i) & 1;
  } else {
    for (int c = 0; c < 7; ++c) {
      const int g = WeekdayOfColumn(c);
      for (int w = 0; w < kWeekRows; ++w)
        s.grid[static_cast<size_t>(w)][static_cast<size_t>(c)] = (beta.dateBits >> (7 * w + g)) & 1;
      s.grid[kFifthRow][static_cast<size_t>(c)] = (beta.dayBits >> g) & 1;
    }
  }

  s.nearestDay = beta.betaOptions & kOptionNearestDay;
  s.onOrBefore = beta.betaOptions & kOptionOnOrBefore;
  s.onOrAfter = beta.betaOptions & kOptionOnOrAfter;
  s.fullMoons = beta.betaOptions & kOptionFullMoons;
  s.seasonal = beta.betaOptions & kOptionSeasonal;
  return s;
}

RecurrenceDialogEnables DialogEnables(const RecurrenceDialogState& state) {
  RecurrenceDialogEnables e;
  const bool monthly = IsMonthly(state.frequency);
  const bool weekly = UnitOf(state.frequency) == CountUnit::kWeeks;
  e.monthModes = monthly;
  e.monthGrid = monthly;
  e.nearestDay = monthly && state.monthMode == MonthMode::kDates;
  e.weekdayButtons = weekly || (e.nearestDay && state.nearestDay);
  e.onOrBefore = e.nearestDay && state.nearestDay && !state.onOrAfter;
  e.onOrAfter = e.nearestDay && state.nearestDay && !state.onOrBefore;
  return e;
}

void CheckWorkWeekdays(RecurrenceDialogState& state) {
  state.weekdays = {false, true, true, true, true, true, false};
}

void CheckWeekend(RecurrenceDialogState& state) {
  state.weekdays = {true, false, false, false, false, false, true};
}

void SetOnOrBefore(RecurrenceDialogState& state, bool checked) {
  state.onOrBefore = checked;
  if (checked) state.onOrAfter = false;
}

void SetOnOrAfter(RecurrenceDialogState& state, bool checked) {
  state.onOrAfter = checked;
  if (checked) state.onOrBefore = false;
}

void SetSeasonal(RecurrenceDialogState& state, bool checked, Messages& messages) {
  const bool newlyChecked = checked && !state.seasonal;
  state.seasonal = checked;
  if (newlyChecked) ShowSeasonalExplanation(messages);
}

void ShowSeasonalExplanation(Messages& messages) {
  MultiButtonParams params;
  params.customCaptions = text::kSeasonalButtons;
  // OK is the default: Enter must not open the help.
  const int code = messages.MultiButtonBox(text::kSeasonalExplanation, text::kSeasonalCaption,
                                           kMbIconInformation | kMbNoBeep | kMbDefButton2, params);
  if ((static_cast<uint32_t>(code) & 0xffff) == kIdCustom1)
    messages.OpenHelpTopic(text::kSeasonalHelpTopic);
}

void OpenRecurrenceHelp(Messages& messages) { messages.OpenHelpTopic(text::kRecurringHelpTopic); }

void WriteMonthModeFlags(MonthMode mode, uint8_t& dayBits, uint32_t& dateBits) {
  switch (mode) {
    case MonthMode::kFifthWeek:
      dayBits |= kDayBitsFifthWeek;
      dateBits |= kDateBitsLastWeek;
      break;
    case MonthMode::kLastWeek:
      dayBits &= static_cast<uint8_t>(~kDayBitsFifthWeek);
      dateBits |= kDateBitsLastWeek;
      break;
    case MonthMode::kDates:
      dayBits &= static_cast<uint8_t>(~kDayBitsFifthWeek);
      dateBits &= ~kDateBitsLastWeek;
      break;
  }
}

Beta ReadRecurrenceDialog(const RecurrenceDialogState& state) {
  Beta b = state.working;
  b.startDate = state.startDate;
  b.endDate = state.endDate;

  uint8_t action = 0;
  if (state.bringForward == BringForwardAction::kDeleteInstance) {
    action = kBringForwardDeleteInstance;
  } else if (state.bringForward == BringForwardAction::kShiftStartDate) {
    action = kBringForwardShiftStart;
  }
  b.freq = static_cast<uint8_t>((b.freq & ~kEditedFreq) | KindBit(state.frequency) | action);

  if (IsEveryChoice(state.frequency)) {
    const CountUnit unit = UnitOf(state.frequency);
    const std::optional<int> count = ParseCount(state.countTexts[static_cast<size_t>(unit)], unit);
    b.interval = static_cast<int16_t>(count.value_or(2));
  } else {
    b.interval = 1;
  }

  uint8_t weekdays = 0;
  for (int g = 0; g < 7; ++g)
    if (state.weekdays[static_cast<size_t>(g)]) weekdays |= static_cast<uint8_t>(1u << g);

  uint8_t dayBits = weekdays;
  uint32_t dateBits = 0;
  if (state.monthMode == MonthMode::kDates) {
    for (int i = 0; i < kDateCells; ++i)
      if (state.grid[static_cast<size_t>(i / 7)][static_cast<size_t>(i % 7)]) dateBits |= 1u << i;
  } else {
    uint8_t fifthRow = 0;
    for (int c = 0; c < 7; ++c) {
      const int g = WeekdayOfColumn(c);
      for (int w = 0; w < kWeekRows; ++w)
        if (state.grid[static_cast<size_t>(w)][static_cast<size_t>(c)])
          dateBits |= 1u << (7 * w + g);
      if (state.grid[kFifthRow][static_cast<size_t>(c)]) fifthRow |= static_cast<uint8_t>(1u << g);
    }
    // The weekday buttons are not part of a monthly week mode; the fifth row takes their bits.
    if (IsMonthly(state.frequency)) dayBits = fifthRow;
  }
  WriteMonthModeFlags(state.monthMode, dayBits, dateBits);
  b.dayBits = dayBits;
  b.dateBits = dateBits;

  uint8_t options = static_cast<uint8_t>(b.betaOptions & ~kEditedOptions);
  if (state.nearestDay) options |= kOptionNearestDay;
  if (state.onOrBefore) options |= kOptionOnOrBefore;
  if (state.onOrAfter) options |= kOptionOnOrAfter;
  if (state.fullMoons) options |= kOptionFullMoons;
  if (state.seasonal) options |= kOptionSeasonal;
  b.betaOptions = options;
  return b;
}

bool CheckRecurrenceRange(DayNumber start, DayNumber end, Messages& messages) {
  if (start == kNoDate || end == kNoDate || end >= start) return true;
  messages.ErrorMessage(text::kEndBeforeStart);
  return false;
}

RecurrenceDialogResult ConfirmRecurrenceDialog(const RecurrenceDialogState& state,
                                               Messages& messages) {
  RecurrenceDialogResult result;
  if (!CheckRecurrenceRange(state.startDate, state.endDate, messages)) {
    result.focus = DialogFocus::kStartDate;
    return result;
  }
  // Nearest Day of Week only counts where it can be changed: a check left over from an earlier
  // month mode or frequency must not hold the dialog shut behind disabled controls.
  const bool nearest = state.nearestDay && DialogEnables(state).nearestDay;
  if (nearest && !AnyWeekday(state)) {
    messages.ErrorMessage(text::kNearestNeedsWeekday);
    result.focus = DialogFocus::kWeekdayButtons;
    return result;
  }
  Beta b = ReadRecurrenceDialog(state);
  if (nearest && ((b.dayBits & kEveryWeekdayBits) == 0 || (b.dateBits & kDateMask) == 0)) {
    messages.ErrorMessage(text::kNearestNeedsDate);
    result.focus = DialogFocus::kMonthGrid;
    return result;
  }
  result.beta = std::move(b);
  return result;
}

}  // namespace ploven
