#pragma once

// The texts of projects, the Projects Tree and the project reports, word for
// word as the user sees them.
namespace ploven::project_text {

inline constexpr const char* kNone = "none";
inline constexpr const char* kCopySuffix = " (copy)";
inline constexpr const char* kProjectDuplicated =
    "Project duplicated. Click OK to modify the new project.";

// The project properties.
inline constexpr const char* kProjectNameTooLong =
    "The Project Name cannot be larger than the field.\n";
inline constexpr const char* kProjectNameEmpty = "Please give the project a name.";
inline constexpr const char* kProjectHelpTopic = "NewProject.htm";

inline constexpr const char* kDeleteProjectCaption = "Delete Project";
inline constexpr const char* kDeleteProjectQuestion =
    "If you delete this project, any items assigned to it will have their Project property reset "
    "to \"none\". Instead of deleting, you could choose to archive the project by marking it Done "
    "(from the Edit menu).\n\nAre you sure you want to delete project %s?";

// The Projects Tree.
inline constexpr const char* kTreeProblem = "Problem with the Projects Tree";
inline constexpr const char* kTreeInsertFailed = "Inserting item into Projects Tree failed.";
inline constexpr const char* kTreeSingleInsertFailed = "insert failed in Projects Tree";
inline constexpr const char* kTreeInsertWillFail =
    "TreeView_InsertItem will fail on this condition";
inline constexpr int kTreeProblemLine = 874;
inline constexpr int kTreeInsertFailedLine = 204;
inline constexpr int kTreeSingleInsertFailedLine = 813;
inline constexpr int kTreeInsertWillFailLine = 807;

// Daily Time By Project report.
inline constexpr const char* kReportFileFilter = "Text files (*.txt)|*.txt|";
inline constexpr const char* kReportTotal = "Total";
inline constexpr const char* kReportOpenFailed = "Unable to open file %s .";
inline constexpr const char* kReportWriteFailed =
    "Error writing to %s file. The drive may be full.";
inline constexpr const char* kReportCloseFailed = "Error closing %s file. The drive may be full.";
inline constexpr const char* kReportLineFailed = "Couldn't create project report line";
inline constexpr const char* kReportSaved =
    "Now that the report is saved to the file of your choice, click OK to view it.";
inline constexpr const char* kReportHoursFormat = "%.2f";
inline constexpr const char* kReportDialog = "DailyTimeByProjectReport";
inline constexpr const char* kReportHelpTopic = "DailyTimeByProjectReport.htm";

// Viewed Day Turnover Score (by project).
inline constexpr const char* kTurnoverCaption = "Viewed Day Turnover Score (by project)";
inline constexpr const char* kTurnoverHeading = "Projects:\n";
inline constexpr const char* kTurnoverProjectTitle = "%-20.360s";
inline constexpr const char* kTurnoverDone = "\t%s";
inline constexpr const char* kTurnoverNotDone = " done, %s not done\n";
inline constexpr const char* kTurnoverPastLine = "\n%s\t%s";
inline constexpr const char* kTurnoverTodayLine = "%s\t\t%s";
inline constexpr const char* kTurnoverRecurringLine = "%s\t\t%s";
inline constexpr const char* kAddedInPast = "Items added in past:";
inline constexpr const char* kAddedToday = "Items added today:";
inline constexpr const char* kRecurringItems = "Recurring items:";
// Week/Month Turnover Score.
inline constexpr const char* kWeekTurnoverCaption = "Week Turnover Score (by project)";
inline constexpr const char* kMonthTurnoverCaption = "Month Turnover Score (by project)";
inline constexpr const char* kPeriodHeading = "%s to %s\n\n";
inline constexpr const char* kAddedBeforePeriod = "Items added before:";
inline constexpr const char* kAddedInPeriod = "Items added during:";

// Daily Time Spent On Tagged Projects (7 days).
inline constexpr const char* kDailyTaggedCaption = "Daily Time Spent On Tagged Projects (7 days)";
inline constexpr const char* kDailyTaggedLine = "%s\t\t%s\t\t%s hours\n";
inline constexpr const char* kDailyTaggedTotal =
    "\n%s\t\t%s hours\n\nOnly time from done items on tagged projects is included.\nDate range is "
    "work week containing the day before the viewed day\n(if future day, then current week is "
    "shown).";
inline constexpr const char* kTotalOnTagged = "Total time spent on tagged projects:";

// Weekly Time Spent On Tagged / Life Projects (26 weeks).
inline constexpr const char* kWeeklyTaggedCaption =
    "Weekly Time Spent On Tagged Projects (26 weeks)";
inline constexpr const char* kWeeklyLifeCaption = "Weekly Time Spent On Life Projects (26 weeks)";
inline constexpr const char* kWeekTotal = "Total for week ending %s:\t%s hours\n";
inline constexpr const char* kWeeklyTaggedAverage =
    "\nAverage of above %d weeks:\t\t%s hours\n\nOnly time from done items on tagged projects "
    "included.\nDate range is up to last full work week preceding viewed day.";
inline constexpr const char* kWeeklyLifeAverage =
    "\nAverage of above %d weeks:\t\t%s hours\n\nOnly time from done items on life projects "
    "included.\nDate range is up to last full work week preceding viewed day.";

// Module names the internal-error and resource-error reports show.
inline constexpr const char* kModuleProject = "Project";
inline constexpr const char* kModuleTree = "tree";
inline constexpr const char* kModuleInsert = "Insert";

}  // namespace ploven::project_text
