#pragma once

// Texts of the Item (Done) window.
namespace ploven::done_dialog_text {

inline constexpr char kTitle[] = "Item (Done)";
inline constexpr char kTitleLabel[] = "&Title:";
inline constexpr char kNoteButton[] = "&Note...";
inline constexpr char kDateLabel[] = "&Date:";
inline constexpr char kBeganLabel[] = "&Began:";
inline constexpr char kEndedLabel[] = "&Ended:";
inline constexpr char kDurationLabel[] = "D&uration (hr:min):";
inline constexpr char kExpenseLabel[] = "E&xpense:";
inline constexpr char kMileageLabel[] = "&Mileage:";
inline constexpr char kProjectLabel[] = "Pro&ject:";
inline constexpr char kProjectNone[] = "none";
inline constexpr char kJobNumberLabel[] = "Job &#:";
inline constexpr char kHelp[] = "Help";
inline constexpr char kHelpTopic[] = "Done.htm";
inline constexpr char kNoteAttached[] = "Note %05d attached";

inline constexpr char kBadExpense[] = "Please enter the expense as an amount, such as 12.50.";
inline constexpr char kBadMileage[] = "Please enter the mileage as a whole number from 0 to 32767.";
inline constexpr char kBadJobNumber[] = "Please enter the job number as a whole number.";

// Viewed Month's Done Items Log.
inline constexpr char kLogCaption[] = "Done Items of %s %d";
inline constexpr char kLogColumns[] = "Date\nStart\nDuration\nTitle\nProject\nJob #\nExpense\nMileage";
inline constexpr char kAllProjects[] = "(all projects)";
inline constexpr char kNoProject[] = "(no project)";
inline constexpr char kProjectFilterLabel[] = "&Project:";
inline constexpr char kWordsLabel[] = "Title &words:";
inline constexpr char kLogTotals[] = "%d items shown: %s, expense %.2f, mileage %d";
inline constexpr char kLogProblems[] =
    "%d damaged lines of the log were skipped. The first: %s, line %d: %s.";
inline constexpr char kLogHint[] =
    "Double-click an item of a day not archived yet to change it.";

// The time report.
inline constexpr char kTimeReportCaption[] = "Time Spent By Project";
inline constexpr char kTimeReportButton[] = "&Time Report...";
inline constexpr char kFromLabel[] = "&From:";
inline constexpr char kToLabel[] = "&To:";
inline constexpr char kByLabel[] = "&By:";
inline constexpr char kByChoices[] = "project\nproject and day\nproject and week";
inline constexpr char kShowButton[] = "&Show";
inline constexpr char kSaveCsvButton[] = "Save &CSV...";
inline constexpr char kCsvFilter[] = "Comma-separated values (*.csv)";
inline constexpr char kReportColumns[] = "Date\nProject\nTime\nItems\nExpense\nMileage";
inline constexpr char kWeekOf[] = "week of %s";
inline constexpr char kReportTotals[] = "Total: %s, expense %.2f, mileage %d";
inline constexpr char kToBeforeFrom[] = "The To date is before the From date.";
inline constexpr char kCsvNotWritten[] = "The report could not be written to %s.";

}  // namespace ploven::done_dialog_text
