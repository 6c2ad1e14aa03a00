#pragma once

#include "edit/edit_messages.h"
#include "engine/engine_messages.h"

// The texts of plovenctl: its own refusals, and the checks of the settings dialogs that `set`
// applies. Its usage is the table in cli/usage.cpp.
namespace ploven::cli_text {

// Usage errors (standard error, exit 2).
inline constexpr char kUsagePrefix[] = "plovenctl: ";
inline constexpr char kSeeHelp[] =
    "Run \"plovenctl --help\" for every command, \"plovenctl COMMAND --help\" for one.";
inline constexpr char kBadToday[] =
    "--today wants a date from 1980-01-01 to 2068-12-31 as YYYY-MM-DD";
inline constexpr char kBadNow[] = "--now wants a time as HH:MM";
inline constexpr char kBadIntl[] =
    "--intl wants KEY=VALUE with KEY one of iDate iTime iTLZero iDayLzero iMonLzero iCountry "
    "sCurrency sDate sTime sShortDate";
inline constexpr char kMissingValue[] = "missing value after ";
inline constexpr char kUnknownOption[] = "unknown option ";
inline constexpr char kUnknownCommand[] = "unknown command ";
inline constexpr char kWrongArguments[] = "wrong arguments for ";
inline constexpr char kMissingTitle[] = "add wants --title TEXT";
inline constexpr char kUnknownSetting[] = "unknown setting ";
inline constexpr char kBadWeekdays[] = "--weekdays wants two-letter days such as Mo,We,Fr";
inline constexpr char kBadTier[] = "--tier wants one letter A to Z";
inline constexpr char kBadRank[] = "--rank wants a number from 1 to 32766";
inline constexpr char kBadConflictPolicy[] =
    "--conflict wants skip, skip-rest, blank or deadline=DATE";
inline constexpr char kBadRecurRule[] =
    "--recur wants daily, weekly:Mo,We, monthly:1,20,last, monthly-week:1Tu,lastFr, "
    "monthly-445:1Tu,5Fr or yearly, each with an optional /N";
inline constexpr char kBadRecurInterval[] =
    "the N of --recur wants 1 to 999 (days or weeks) or 1 to 99 (months or years)";
inline constexpr char kNoDate31[] =
    "there is no date 31 in a monthly rule: \"last\" stands for the last day of every month";
inline constexpr char kWantsIcs[] = "export and import want --ics FILE and the schedule";
inline constexpr char kWantsRecur[] = "--recur is needed for ";
inline constexpr char kRecurNotFlexible[] = "a recurring item cannot be --flexible";
inline constexpr char kBadBringForwardAction[] =
    "--bring-forward-action wants instance, delete or shift";
inline constexpr char kBadNearest[] =
    "--nearest wants weekdays such as Mo,Fr with a monthly:DATES rule; --on-or-before and "
    "--on-or-after go with --nearest";
inline constexpr char kKindsExclusive[] = "--memo, --fixed and --flexible exclude each other";
inline constexpr char kFixedWantsStart[] = "--fixed wants --start TIME";

// Refusals (standard error as a message, exit 1). "%s" is the file or the argument.
inline constexpr char kFileExists[] = "The file %s exists already; it was left as it is.";
// A schedule with a password: plovenctl asks for it as the desktop program does.
inline constexpr char kPasswordVariable[] = "PLOVEN_PASSWORD";
inline constexpr char kPasswordPrompt[] = "Password for %s: ";
inline constexpr char kPasswordNeeded[] =
    "%s is protected by a password. Type it when asked (on a terminal), or give it in the "
    "environment variable PLOVEN_PASSWORD.";
// sync: the calendar's changes into a schedule.
inline constexpr char kSyncSwitchedOff[] =
    "Taking in your calendar's changes is switched off: turn on \"Automatically send changes in "
    "your calendar to Ploven\" in Synchronization Settings (or: plovenctl set FILE "
    "OutlookToPloven=1).";
inline constexpr char kSyncOtherSchedule[] =
    "Your calendar's changes go to %s (Synchronization Settings); sync that schedule instead.";
// sync with a calendar server whose password the companion does not have.
inline constexpr char kServerPasswordVariable[] = "PLOVEN_CALENDAR_PASSWORD";
inline constexpr char kServerPasswordPrompt[] = "Password of %s on the calendar server %s: ";
inline constexpr char kServerPasswordNeeded[] =
    "The calendar server %s wants the password of %s. Type it when asked (on a terminal), give "
    "it in the environment variable PLOVEN_CALENDAR_PASSWORD, or save it in the desktop "
    "program's Synchronization Settings.";
inline constexpr char kServerPasswordRefused[] =
    "The calendar server %s did not accept the password of %s.";
inline constexpr char kSyncNoCompanion[] =
    "Ploven could not reach the Ploven calendar plug-in (%s), so nothing was taken in.";
inline constexpr char kNoSuchFile[] = "There is no schedule file %s.";
inline constexpr char kCannotRead[] = "The schedule file %s cannot be read: %s.";
inline constexpr char kNotOpened[] = "The schedule file %s could not be opened for changes.";
inline constexpr char kReadOnly[] =
    "The schedule file %s is in use by another program, so it was not changed.";
inline constexpr char kNotSaved[] = "The schedule file %s could not be saved; it was not changed.";
inline constexpr char kNoSuchID[] = "No item has the ID %s.";
inline constexpr char kRecurringNotDeleted[] =
    "The ID %s belongs to a recurring item, which this command does not delete.";
inline constexpr char kProjectNotDeleted[] =
    "The ID %s belongs to a project, which this command does not delete.";
inline constexpr char kNoSuchProject[] = "There is no project named \"%s\".";
inline constexpr char kBadID[] = "\"%s\" is not an item ID.";
inline constexpr char kNotOnADay[] = "The item with the ID %s is not on any day.";
inline constexpr char kNotRecurring[] = "No recurring item has the ID %s.";
inline constexpr char kNoOccurrence[] = "The recurring item with the ID %s does not occur on %s.";
inline constexpr char kNotEdited[] =
    "The occurrence of the recurring item with the ID %s could not be made an item of its own.";
inline constexpr char kDoneWantsDate[] = "done of a recurring item wants the DATE of the occurrence";
inline constexpr char kOccurrenceWantsDate[] =
    "A recurring item's occurrence is named by its date after the ID.";
inline constexpr char kNotMoved[] = "The item with the ID %s was not moved.";
inline constexpr char kBusyNotBalanced[] = "Balance All Days did not run.";

// Consistency checks of `check`.
inline constexpr char kOk[] = "ok";
inline constexpr char kTaskNotInChain[] =
    "The item \"%s\" on %s is missing from the alphabetical chain.";
inline constexpr char kIDNotFound[] = "The item \"%s\" cannot be found by its ID %u.";
inline constexpr char kIDAboveCounter[] =
    "The item \"%s\" has the ID %u, beyond the last ID given out (%u).";

}  // namespace ploven::cli_text


namespace ploven::cli_text {

// The reading commands.
inline constexpr char kJsonOrAll[] = "--json and --all exclude each other";

// edit: usage errors.
inline constexpr char kEditWantsAnOption[] = "edit wants at least one option, such as --title TEXT";
inline constexpr char kBadKind[] =
    "--kind wants item, appointment, multiday, memo, birthday, anniversary or work-holiday";
inline constexpr char kBadLabel[] = "--label wants a number from 0 to 9";
inline constexpr char kBadJobNumber[] = "--job wants a whole number from 0 to 2147483647";
inline constexpr char kBadExpectedReturn[] = "--expected-return wants a number";
inline constexpr char kBadPrereq[] = "--prereq wants an item ID or none";
inline constexpr char kBadPrereqDays[] = "--prereq-days wants a number from 0 to 999";
inline constexpr char kBadFirstYear[] = "--first-year wants a year from 0 to 9999";
inline constexpr char kBadAlarmAt[] = "--alarm-at wants begin or end";
inline constexpr char kRecurOrNoRecur[] = "--recur and --no-recur exclude each other";
inline constexpr char kAlarmBeforeOrAfter[] = "--alarm-before and --alarm-after exclude each other";
inline constexpr char kBadReminderDays[] =
    "--reminder-days wants a whole number: days before the item's day, or after it when negative";
inline constexpr char kBadWeekdaysOrAll[] = "--weekdays wants two-letter days such as Mo,We,Fr, or all";

// edit: refusals (standard error as a message, exit 1).
inline constexpr char kProjectNotEdited[] =
    "The ID %s belongs to a project, which this command does not edit.";
inline constexpr char kOnlyRecurringOccurs[] =
    "The item with the ID %s is not a recurring item, so no occurrence of it is named by a date.";
inline constexpr char kStartedDoneByOccurrence[] =
    "A recurring item is started and done one occurrence at a time: give the date of the "
    "occurrence after the ID %s.";
inline constexpr char kNoSuchPrereq[] = "No item has the ID %s, so it cannot be the prerequisite.";
inline constexpr char kNotAPrereq[] =
    "The item with the ID %s cannot be this item's prerequisite: a prerequisite is another item "
    "with a Set Date that is not done, not recurring, and does not itself wait for this item.";
inline constexpr char kRankWantsFlexible[] =
    "Only a flexible item has a rank among the priorities; give --flexible as well.";
inline constexpr char kSequencedWantsFlexible[] =
    "Only a flexible item can be Sequenced after the item ranked before it; give --flexible as "
    "well.";
inline constexpr char kRecurWholeItem[] =
    "An occurrence has no rule of its own: change the recurring item's rule, Start Date or End "
    "Date without naming an occurrence.";
inline constexpr char kFromUntilWantRecur[] =
    "--from and --until are the dates of a recurring item; give --recur RULE as well.";
inline constexpr char kAppointmentWantsStart[] =
    "An appointment stands at its Set Start Time; give --start TIME as well.";
// get and set.
inline constexpr char kMidnightShiftReadOnly[] =
    "midnightShift is read only: a dayEnd earlier than dayStart turns it on";
inline constexpr char kBadMode[] = "mode wants light or pro";
inline constexpr char kWantsRecurringID[] = " wants the ID of a recurring item, or none";
inline constexpr char kWantsFourNumbers[] = " wants four whole numbers such as \"10 20 300 200\"";
inline constexpr char kWantsWholeNumber[] = " wants a whole number";
inline constexpr char kWantsZeroOrOne[] = " wants 0 (off) or 1 (on)";
inline constexpr char kWantsColour[] = " wants a colour number from 0 to 16777215";

// The alarm dialog's own refusals.
inline constexpr char kAlarmOver24Hours[] = "The alarm value cannot exceed 24 hours.";
inline constexpr char kReminderDaysOverLimit[] =
    "%d alarm reminder days exceeds the allowed limit of 99.";
inline constexpr char kNoteTextFileUnreadable[] = "Unable to read the note text from %s.";

// report time
inline constexpr char kReportRangeBackwards[] = "The --to date is before the --from date.";
// print
inline constexpr char kPrintNeedsPdf[] = "print needs --pdf OUT";
inline constexpr char kUnknownPrintout[] =
    "unknown printout %s (day, priority, priority-first, alphabetical, projects, week, 4weeks, "
    "month, quarter, calendar, underscored, notes, mine)";
inline constexpr char kPrintRangeTooLong[] = "A printout covers at most %d days.";
inline constexpr char kNothingToPrint[] = "Printouts Settings choose no printouts to print.";
inline constexpr char kPrintPages[] = "%d page%s";
inline constexpr char kPrintNotBuilt[] =
    "This plovenctl was built without printing (the Qt libraries were not there).";
inline constexpr char kReportTotal[] = "total\t%d:%02d\texpense %.2f\tmileage %d";

}  // namespace ploven::cli_text
