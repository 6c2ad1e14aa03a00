#pragma once

// Captions of the "Item: Recurring" window. The checks' messages, the Seasonal box and the title
// variables list live with the dialog's core (recur/recurrence_dialog_messages.h).
namespace ploven::recur_window_text {

inline constexpr char kTitle[] = "Item: Recurring";

// ---- Date range ----
inline constexpr char kLimitRange[] = "&Limit recurrences to date range:";
inline constexpr char kStartDate[] = "&Start Date:";
inline constexpr char kEndDate[] = "&End Date:";
inline constexpr char kNoEndDate[] = "No End Date";

// ---- Frequency ----
inline constexpr char kDaily[] = "&Daily";
inline constexpr char kEvery[] = "Every";
inline constexpr char kDaysFromStart[] = "da&ys (from Start Date)";
inline constexpr char kWeekly[] = "E&very week on these days: ";
inline constexpr char kEveryWeeks[] = "Eve&ry";
inline constexpr char kWeeksFromStart[] = "weeks (&from Start Date)";
inline constexpr char kMonthly[] = "&Monthly on...";
inline constexpr char kMonthsOn[] = "mont&hs on...";
inline constexpr char kAnnually[] = "&Annually (from Start Date)";
inline constexpr char kYearsFromStart[] = "years &(from Start Date)";

// Weekday buttons, Sunday first.
inline constexpr const char* kWeekdayButtons[7] = {"Su", "M", "Tu", "W", "Th", "F", "Sa"};
inline constexpr char kWorkWeekdays[] = "&Weekdays";
inline constexpr char kWeekend[] = "Wee&kend";

// ---- Month grid ----
inline constexpr char kDateMode[] = "Dates (&1-31)";
inline constexpr char kLastWeekMode[] = "Weekdays of mont&h (with \"last\" week)";
inline constexpr char kFifthWeekMode[] = "Weekdays of month (with &5th week)";
inline constexpr char kLastCell[] = "Last";
// Row labels of the week modes; the fifth row reads "last" or "5th" by the mode.
inline constexpr const char* kWeekRows[4] = {"1st", "2nd", "3rd", "4th"};
inline constexpr char kLastRow[] = "last";
inline constexpr char kFifthRow[] = "5th";

// ---- Options ----
inline constexpr char kNearestDay[] = "Nearest Day of Week&:";
inline constexpr char kOnOrBefore[] = "On or &Before";
inline constexpr char kOnOrAfter[] = "On or Af&ter";
inline constexpr char kFullMoons[] = "Full Moons Only";
inline constexpr char kSeasonal[] = "Seasonal";
inline constexpr char kFlexibleOnArrival[] = "Date Becomes Fle&xible Upon Arrival";

// ---- Bring Forward Action ----
inline constexpr char kBringForwardGroup[] = "Bring Forward Action";
inline constexpr char kBringForwardInstance[] = "Brin&g Forward Instance";
inline constexpr char kDeleteInstance[] = "Delete &Instance";
inline constexpr char kShiftStartDate[] = "Sh&ift Recurring Start Date";

// ---- Buttons ----
inline constexpr char kOk[] = "OK";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kHelp[] = "&Help";

}  // namespace ploven::recur_window_text
