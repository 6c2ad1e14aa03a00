#pragma once

// The texts of plovenctl: its usage and its own refusals. What an item or a setting is
// refused for is told in the core's words (edit_messages.h, engine_messages.h).
namespace ploven::cli_text {

inline constexpr char kUsage[] =
    "usage: plovenctl [--today DATE] [--now TIME] [--intl KEY=VALUE]... COMMAND\n"
    "  new FILE                 create an empty schedule\n"
    "  sample FILE              create the sample schedule of a first run\n"
    "  info FILE                the schedule's counters and settings\n"
    "  add FILE --title TEXT [--date DATE] [--start TIME] [--duration DUR] [--fixed]\n"
    "           [--memo] [--flexible] [--earliest DATE] [--deadline DATE]\n"
    "           [--earliest-time TIME] [--latest-time TIME] [--weekdays Su,Mo,...]\n"
    "           [--tier LETTER] [--rank N] [--split] [--project NAME]\n"
    "           [--recur RULE [--from DATE] [--until DATE] [--nearest Mo,Fr] [--on-or-before]\n"
    "            [--on-or-after] [--seasonal] [--full-moons]\n"
    "            [--bring-forward-action instance|delete|shift]]\n"
    "           RULE: daily, weekly:Mo,We, monthly:1,20,last, monthly-week:1Tu,lastFr,\n"
    "                 monthly-445:1Tu,5Fr or yearly, each with an optional /N\n"
    "  occurrences FILE ID FROM TO  the dates a recurring item occurs on\n"
    "  cancel FILE ID DATE      delete one occurrence of a recurring item\n"
    "  edit-occurrence FILE ID DATE [--title TEXT] [--start TIME] [--duration DUR]\n"
    "                           change one occurrence of a recurring item\n"
    "  project FILE NAME        create a project\n"
    "  day FILE DATE            the day's tasks in order\n"
    "  items FILE               every item in alphabetical order\n"
    "  delete FILE ID           delete an item\n"
    "  set FILE KEY=VALUE...    dayStart dayEnd workStart workEnd minSplit reserveToday\n"
    "                           reserveFuture keepClearFrom keepClearThrough\n"
    "  check FILE               run the consistency checks\n"
    "  balance FILE [--conflict skip|skip-rest|blank|deadline=DATE]\n"
    "                           re-plan every flexible item (Balance All Days)\n"
    "  balance-day FILE DATE    improve the order of one day\n"
    "  lighten FILE DATE [--urgency]  defer one flexible item of the day\n"
    "  increase FILE DATE       bring the most important later item to the day\n"
    "  bring-forward FILE DATE  move the undone items of past days to the date\n"
    "  move FILE ID DATE [OCCURRENCE]\n"
    "                           move an item to another date (a recurring item's\n"
    "                           occurrence is named by its date)\n"
    "  postpone FILE ID [OCCURRENCE]\n"
    "                           postpone an item (or an occurrence) one hour\n"
    "  done FILE ID [DATE]      mark an item done (on DATE when given)\n"
    "  archive FILE             archive completed past days to the done logs\n"
    "  priority FILE            the priority index in order\n"
    "  demo | date TEXT | time TEXT | duration TEXT\n";

// Usage errors (standard error, exit 2).
inline constexpr char kUsagePrefix[] = "plovenctl: ";
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
