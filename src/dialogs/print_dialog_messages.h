#pragma once

// The texts of the printing dialogs.
namespace ploven::print_dialog_text {

inline constexpr char kSettingsTitle[] = "Printouts Settings";
inline constexpr char kMyPrintoutsGroup[] = "Print My Printouts makes";
inline constexpr char kDayToday[] = "&Day View: Today";
inline constexpr char kCalendarWeek[] = "Appointment Calendar: This &Week on a Page";
inline constexpr char kCalendarMonth[] = "Appointment Calendar: This &Month on a Page";
inline constexpr char kPriorityFirstPage[] = "&Priority View: First Page";
inline constexpr char kUnderscoredItems[] = "&Underscored Items List";
inline constexpr char kIncludePrivate[] = "Include &Private Items in Printouts";
inline constexpr char kPrivateHint[] =
    "Private items are those whose title begins with \"!\".";
inline constexpr char kDaysPerPage[] = "Day View: &days per page";
inline constexpr char kSettingsHelpTopic[] = "PrintoutsSettings.htm";
inline constexpr char kHelp[] = "&Help";
inline constexpr char kNotSaved[] =
    "The printout settings could not be written; they apply only until Ploven is closed.";

inline constexpr char kNoPrintoutsChosen[] =
    "Printouts Settings choose no printouts: tick the ones Print My Printouts should make.";
inline constexpr char kNoNoteToPrint[] = "The selected item has no note to print.";
inline constexpr char kNoNotesToPrint[] = "No item of this view has a note to print.";

inline constexpr char kRangeTitleDays[] = "Print Day View: Range of Days";
inline constexpr char kRangeTitleCalendar[] = "Print Appointment Calendar: Range of Days";
inline constexpr char kFromLabel[] = "&From:";
inline constexpr char kToLabel[] = "&To:";
inline constexpr char kFormatLabel[] = "F&ormat:";
inline constexpr char kFormatWeeks[] = "Weeks (seven days across)";
inline constexpr char kFormatMonths[] = "Months (a month on a page)";
inline constexpr char kFormatList[] = "List (day after day)";
inline constexpr char kRangeHelpTopic[] = "PrintRange.htm";
inline constexpr char kToBeforeFrom[] = "The To date is before the From date.";
inline constexpr char kRangeTooLong[] = "A printout covers at most %d days.";

}  // namespace ploven::print_dialog_text
