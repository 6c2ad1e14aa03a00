#pragma once

// The texts of the day views: the statistics line, the rows and the container title.
namespace ploven::present_messages {

// Statistics line, in the order it is built.
inline constexpr const char* kStatToday = "today ";
inline constexpr const char* kStatTodayOffset = "today%c%d ";
inline constexpr const char* kStatWorkHoliday = "=WORK HOLIDAY ";
inline constexpr const char* kStatWeek = "| week %d ";
inline constexpr const char* kStatPreHistory =
    "| [Statistics not displayed due to date at some point being pre-history for this "
    "schedule/archive set]";
inline constexpr const char* kStatTooExtreme =
    "| [Statistics line not displayed due to values being too extreme]";
inline constexpr const char* kStatToDoOf = "| %d to do of %d";
inline constexpr const char* kStatCount = "| %d %s";
inline constexpr const char* kStatItems = "items";
inline constexpr const char* kStatArchivedItems = "archived items";
inline constexpr const char* kStatScheduled = " (%d:%02d) ";
inline constexpr const char* kStatValue = "| %s";
inline constexpr const char* kStatValuePerHour = " (%s";
inline constexpr const char* kStatValueHuge = " (huge";
inline constexpr const char* kStatPerHour = "/%s) ";
inline constexpr const char* kHr = "hr";
inline constexpr const char* kStatOverFull = " %02d%% FULL ";
inline constexpr const char* kStatFull = "| %02d%% full ";
inline constexpr const char* kStatPastToDo = "| %d items to do";
inline constexpr const char* kStatFree = "| %d:%02d free | ";
inline constexpr const char* kStatConflicts = "%d CONFLICT";
inline constexpr const char* kStatConflictsPlural = "S";
inline constexpr const char* kStatConflictTime = " (%d:%02d)";
inline constexpr const char* kStatNoConflicts = "no conflicts";

// Rows.
inline constexpr const char* kRowStart = "%6s";
inline constexpr const char* kRowEnd = "-%6s";
inline constexpr const char* kRowDuration = "(%s)";
inline constexpr const char* kRowMemo = "(memo)";
inline constexpr const char* kRowLate = "(ending %s late)";
inline constexpr const char* kRowProject = "[%s] ";
inline constexpr const char* kRowPriority = "%c%d";
inline constexpr const char* kFreeGap = "(%s gap)";
inline constexpr const char* kFreeFree = "(%s free)";
inline constexpr const char* kOppCost = " [%s]";
inline constexpr const char* kUndefinedCurrency = "undefined ICURRENCY";

// Container title.
inline constexpr const char* kTitleAsOf = "%s, as of ";
inline constexpr const char* kTitleDate = "%.3s %s%s";
inline constexpr const char* kViewDay = "Day View";
inline constexpr const char* kViewMyMultiple = "My Multiple Day View";
inline constexpr const char* kViewMultiple = "Multiple Day View";
inline constexpr const char* kNoView = "No View";
inline constexpr const char* kCheckedOut = " (checked out: use Check In before making changes)";
inline constexpr const char* kDelayedMidnight = " (delayed midnight %s)";
inline constexpr const char* kFocusNow = " | Focus Now";
inline constexpr const char* kHideDoneItems = " | Hide Done Items";
inline constexpr const char* kUnsaved = " *";

// Going to a date the program cannot hold.
inline constexpr const char* kDateOutOfRange =
    "Cannot go to that date, as it is out of Ploven's allowed date range of April 18 1986 to "
    "Dec 31 2068.";

// The status bar's figures of today.
inline constexpr const char* kTodayStatus = "Today: %d%% booked, %s free";
// What the View menu tells about an item, and the item lists of the Reports menu.
inline constexpr const char* kUnknownStamp = "(not known)";
inline constexpr const char* kKindItem = "Item";
inline constexpr const char* kKindProject = "Project";
inline constexpr const char* kCreationText = "%s: %s\n\nCreated:\t\t%s\nLast changed:\t%s";
inline constexpr const char* kNotSplit =
    "\"%s\" is not split: it takes %s on %s.\n\nOnly items with Splittable ticked are spread "
    "over several days.";
inline constexpr const char* kSplitHeading = "%s\n\n";
inline constexpr const char* kSplitLine = "%s\t%s\t%s\n";
inline constexpr const char* kSplitTotal = "\n%d segments, %s planned of a duration of %s.";
inline constexpr const char* kRecurring = "recurring";
inline constexpr const char* kReportItemLine = "    %-12s %8s  %s\n";
inline constexpr const char* kReportGroupTotal = "    %zu items, %s\n\n";
inline constexpr const char* kNoProject = "(no project)";
inline constexpr const char* kNoItems = "There are no undone items to list.\n";
inline constexpr const char* kItemsReportCaption = "Items Report (by project)";
inline constexpr const char* kLocationsCaption = "Locations (items by label)";
inline constexpr const char* kLabelsHeading =
    "Items carry no place of their own, so they are listed by the label you gave them.\n\n";
inline constexpr const char* kNoLabel = "(no label)";
inline constexpr const char* kLabelName = "Label %d";
inline constexpr const char* kGlanceCaption = "%s's schedule (read-only)";
inline constexpr const char* kGlanceLine = "%-12s %8s  %s\n";
inline constexpr const char* kDoneMark = "(done) ";

}  // namespace ploven::present_messages
