#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

class Messages;

// The frequency radio buttons, in the order the dialog shows them.
enum class FrequencyChoice {
  kDaily,
  kEveryNDays,
  kWeekly,
  kEveryNWeeks,
  kMonthly,
  kEveryNMonths,
  kAnnually,
  kEveryNYears,
};

// The unit of an Every choice's count box: days, weeks, months, years.
enum class CountUnit { kDays, kWeeks, kMonths, kYears };

enum class MonthMode { kDates, kLastWeek, kFifthWeek };

enum class BringForwardAction { kBringForwardInstance, kDeleteInstance, kShiftStartDate };

// The controls of the recurrence dialog. The month grid is held as the buttons show it: in date
// mode the cells in reading order are the dates 1 to 30 and then "Last" (the last four cells
// are unused); in the week modes the rows are weeks 1 to 4 and then the fifth ("last" or "5th")
// row, the columns Monday..Saturday and then Sunday. Weekday buttons are Sunday first.
struct RecurrenceDialogState {
  DayNumber startDate = 0;
  DayNumber endDate = 0;
  FrequencyChoice frequency = FrequencyChoice::kDaily;
  // The text of each Every choice's count box, by CountUnit.
  std::array<std::string, 4> countTexts;
  std::array<bool, 7> weekdays{};
  MonthMode monthMode = MonthMode::kDates;
  std::array<std::array<bool, 7>, 5> grid{};
  bool nearestDay = false;
  bool onOrBefore = false;
  bool onOrAfter = false;
  bool fullMoons = false;
  bool seasonal = false;
  BringForwardAction bringForward = BringForwardAction::kBringForwardInstance;

  // What the dialog does not edit rides along unchanged: the exception list, Last Done, the
  // "note not shared" option, bytes the program does not interpret.
  Beta working;
};

// Which controls are usable in the current state.
struct RecurrenceDialogEnables {
  bool weekdayButtons = false;  // weekly choices, or monthly date mode with Nearest Day of Week
  bool monthModes = false;      // monthly choices
  bool monthGrid = false;
  bool nearestDay = false;  // monthly date mode
  bool onOrBefore = false;  // with Nearest Day of Week, unless On or After is checked
  bool onOrAfter = false;
};

// The dialog as it opens on a recurrence record (a zeroed one for a new item). A record without
// a Start Date gets `defaultStart`: today when the main window shows a list view, otherwise the
// date of the day shown.
RecurrenceDialogState LoadRecurrenceDialog(const Beta& beta, DayNumber defaultStart = 0);

RecurrenceDialogEnables DialogEnables(const RecurrenceDialogState& state);

CountUnit UnitOf(FrequencyChoice choice);
bool IsEveryChoice(FrequencyChoice choice);
// The count of an Every box when the text is a number in the unit's range (1..999 days or
// weeks, 1..99 months or years).
std::optional<int> ParseCount(std::string_view text, CountUnit unit);

enum class CountEdit { kAccepted, kRefused };
// A new text typed into a count box. A text that is not a number in range is refused and not
// stored: the caller beeps and puts the previous text back. An empty box is accepted.
CountEdit EditCount(RecurrenceDialogState& state, CountUnit unit, std::string_view text);

// The "Weekdays" (Monday to Friday) and "Weekend" (Saturday, Sunday) shortcuts: exactly those
// weekday buttons end up checked.
void CheckWorkWeekdays(RecurrenceDialogState& state);
void CheckWeekend(RecurrenceDialogState& state);

// Checking one of On or Before / On or After unchecks the other, which the dialog disables.
void SetOnOrBefore(RecurrenceDialogState& state, bool checked);
void SetOnOrAfter(RecurrenceDialogState& state, bool checked);

// Checking Seasonal shows what it means.
void SetSeasonal(RecurrenceDialogState& state, bool checked, Messages& messages);
void ShowSeasonalExplanation(Messages& messages);
void OpenRecurrenceHelp(Messages& messages);

// The month mode flags: fifth-week mode sets dayBits bit 7 and dateBits bit 31, last-week mode
// sets dateBits bit 31 and clears dayBits bit 7. Date mode clears both: a fifth-week flag left
// behind would keep the item in fifth-week mode, since that flag is tested first.
void WriteMonthModeFlags(MonthMode mode, uint8_t& dayBits, uint32_t& dateBits);

// The controls read into a recurrence record, without the checks of OK.
Beta ReadRecurrenceDialog(const RecurrenceDialogState& state);

enum class DialogFocus { kNone, kStartDate, kWeekdayButtons, kMonthGrid };

struct RecurrenceDialogResult {
  std::optional<Beta> beta;                // set when the dialog closes
  DialogFocus focus = DialogFocus::kNone;  // where the focus goes when it stays open
};

// False (told) when the End Date comes before the Start Date; an open start or end never does.
// The recurrence dialog's OK and the item dialog's OK both check a rule with it.
bool CheckRecurrenceRange(DayNumber start, DayNumber end, Messages& messages);

// OK: an End Date before the Start Date, or Nearest Day of Week without a weekday or without a
// day of the month, is told through `messages` and the dialog stays open; otherwise the record
// is final.
RecurrenceDialogResult ConfirmRecurrenceDialog(const RecurrenceDialogState& state,
                                               Messages& messages);

}  // namespace ploven
