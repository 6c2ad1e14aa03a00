#include "cli/usage.h"

namespace ploven::cli {
namespace {

constexpr CommandUsage kCommands[] = {
    {"Schedules", "new", "FILE", "create an empty schedule",
     "FILE must not exist yet. Days before today are closed; today and later are open."},
    {"Schedules", "sample", "FILE", "create the sample week a first run offers", ""},
    {"Schedules", "check", "FILE", "run the store's consistency checks (prints ok)", ""},
    {"Schedules", "archive", "FILE", "archive completed past days to the done logs",
     "Prints the last archived date, or - when there is none."},

    {"Reading", "info", "FILE [--all|--json]", "the schedule's counters and settings",
     "  --all                 every field, one \"name: value\" a line\n"
     "  --json                every field as one JSON object"},
    {"Reading", "items", "FILE [--all|--json]", "every item in alphabetical order",
     "Each line: ID, date (YYYY-MM-DD or -), flags in hex and short title, TAB-separated.\n"
     "  --all                 every field as name=value, TAB-separated (null is -)\n"
     "  --json                one JSON object a line: id, kind, title, private, date, start,\n"
     "                        duration, earliest, earliestAt, deadline, deadlineAt,\n"
     "                        earliestTime, latestTime, weekdays, tier, rank, project,\n"
     "                        projectId, label, jobNumber, expectedReturn, expense, mileage,\n"
     "                        firstYear, prereq, prereqDays, prereqMinutes, alarmHours,\n"
     "                        alarmMinutes, alarmState, reminderDays, color, noteNumber,\n"
     "                        created, createdTime, touched, touchedTime, postponeCount,\n"
     "                        flags (by name), recurrence (rule, from, until, options,\n"
     "                        nearest, bringForward, lastDone, exceptions) and occurrenceOf"},
    {"Reading", "day", "FILE DATE [--all|--json]", "the day's tasks in order",
     "Each line: start, length, ! for a conflict (else -), kind (set, fluid, memo, clone or\n"
     "drone), priority (A1 or -), ID and title, TAB-separated.\n"
     "  --all, --json         placedAt, placedLength, conflict and taskKind, then every field\n"
     "                        of the item as `items` prints it; an occurrence shows its\n"
     "                        recurring item's fields with its own title and date"},
    {"Reading", "alarms", "FILE [--at TIME] [--all|--json]", "today's alarms, or those due at TIME",
     "Each line: the minute it rings (a snoozed one: its snooze), begin or end, due (else -),\n"
     "ID, title and what the alarm box would say at TIME (default now), TAB-separated.\n"
     "  --at TIME             only the alarms due at that minute\n"
     "  --all, --json         rings, point, due, state and sentence, then the item's fields"},
    {"Reading", "priority", "FILE [--json]", "the priority index in order",
     "Each line: tier and rank (A1), ID, date and title, TAB-separated.\n"
     "  --json                tier, rank and returnPerHour, then the item's fields"},
    {"Reading", "occurrences", "FILE ID FROM TO [--json]", "the dates a recurring item occurs on",
     "Each line: the date, and \"cancelled\" or \"edited\" for an exception.\n"
     "  --json                date, state (planned, cancelled or edited) and id"},

    {"Items", "add", "FILE --title TEXT [OPTION]...", "make an item; prints its ID",
     "  --date DATE           its date (default today); a flexible item's earliest day\n"
     "  --start TIME          a Set Start Time\n"
     "  --duration DUR        its duration (default 0:30, a memo none)\n"
     "  --fixed               an appointment, pinned to --start on its date\n"
     "  --memo                a memo, at the top of its day, taking no time\n"
     "  --flexible            placed by the program in priority order\n"
     "  --earliest DATE       --deadline DATE: its range (either makes it flexible)\n"
     "  --earliest-time TIME  --latest-time TIME: its fluid time of day\n"
     "  --weekdays Su,Mo,...  the days of the week it may be placed on\n"
     "  --tier LETTER         --rank N: its priority (A1 comes first)\n"
     "  --split               splittable over several days\n"
     "  --project NAME        the project it belongs to\n"
     "  --recur RULE          a recurring item; RULE is daily, weekly:Mo,We,\n"
     "                        monthly:1,20,last, monthly-week:1Tu,lastFr, monthly-445:1Tu,5Fr\n"
     "                        or yearly, each with an optional /N (every N-th one)\n"
     "    --from DATE         --until DATE: its Start and End Dates\n"
     "    --nearest Mo,Fr     a monthly:DATES occurrence moves to the nearest of these days,\n"
     "                        or with --on-or-before or --on-or-after to the one before or after\n"
     "    --seasonal          --full-moons: the rule's options\n"
     "    --bring-forward-action instance|delete|shift\n"
     "                        what Bring Forward does with a past occurrence"},
    {"Items", "edit", "FILE ID [OCCURRENCE] OPTION...", "change an item; prints its ID",
     "Changes the item as its properties dialog does, with the dialog's checks, its questions\n"
     "answered with their defaults, and the re-planning that follows. A recurring item's ID\n"
     "changes every occurrence; with the DATE of one OCCURRENCE only that one changes and\n"
     "becomes an item of its own. A later option wins over an earlier one.\n"
     "  --title TEXT          --private, --no-private: a \"!\" before the title\n"
     "  --kind KIND           item, appointment, multiday, memo, birthday, anniversary or\n"
     "                        work-holiday, with what that kind's New command gives\n"
     "  --date DATE           the Set Date\n"
     "  --flexible            --set-date: placed by the program, or on its Set Date\n"
     "  --start TIME|none     the Set Start Time\n"
     "  --duration DUR        beyond the day bounds the item is made splittable\n"
     "  --earliest DATE|none  --earliest-at TIME|none: Earliest begin, date and time\n"
     "  --deadline DATE|none  --deadline-at TIME|none: Deadline, date and time\n"
     "  --earliest-time TIME|none, --latest-time TIME|none: the fluid time of day\n"
     "  --weekdays Mo,We,...|all  the days of the week it may be placed on\n"
     "  --work-hours          --after-hours: its fluid time within or after work hours\n"
     "  --tier LETTER         --rank N: its priority (a new tier alone: that tier's end)\n"
     "  --split  --sequenced  --hide  --underscored  --memo-hold  --clone-on-done\n"
     "                        check boxes; each also as --no-NAME, as are the ones above\n"
     "  --prereq ID|none      the Set Date item that must end first, --prereq-days N and\n"
     "                        --prereq-time DUR before this item's Earliest begin\n"
     "  --expected-return NUMBER  --project NAME|none  --label 0-9  --job NUMBER\n"
     "  --first-year YEAR     the first year of an annual memo\n"
     "  --recur RULE          Recurring, with a rule as `add` reads it; --from DATE and\n"
     "                        --until DATE|none: its Start and End Dates; --no-recur: one item\n"
     "                        is left, on the next occurrence\n"
     "  --alarm               --no-alarm: the Alarm check box\n"
     "  --alarm-before DUR    --alarm-after DUR: the alarm's offset, at most 24 hours\n"
     "  --alarm-at begin|end  --also-dial, --no-also-dial: the alarm point and Also Dial\n"
     "  --reminder-days N     Daily Reminders N days before the day (after it when negative)\n"
     "  --started             --no-started: Start and Unstart (an occurrence by its DATE)\n"
     "  --done                --no-done: Done, and undone again (an occurrence by its DATE)"},
    {"Items", "edit-occurrence", "FILE ID DATE [--title TEXT] [--start TIME] [--duration DUR]",
     "change one occurrence of a recurring item", ""},
    {"Items", "cancel", "FILE ID DATE", "delete one occurrence of a recurring item", ""},
    {"Items", "delete", "FILE ID", "delete an item", ""},
    {"Items", "project", "FILE NAME", "create a project; prints its ID", ""},
    {"Items", "move", "FILE ID DATE [OCCURRENCE]", "move an item (or an occurrence) to a date",
     "A recurring item's occurrence is named by its date after the new DATE."},
    {"Items", "postpone", "FILE ID [OCCURRENCE]", "postpone an item (or an occurrence) an hour",
     ""},
    {"Items", "done", "FILE ID [DATE]", "mark an item done (on DATE when given)",
     "A recurring item's occurrence is named by its DATE."},

    {"Notes", "note", "FILE ID [--set TEXT|--file F|--stdin]", "print or write an item's note",
     "Without an option the note's text is printed as it is (nothing when it has none). With\n"
     "one, the note is written as a note window saves it: through a temporary file, under the\n"
     "note's lock file, and every item that shares the note gets its note mark set (or cleared:\n"
     "an empty text deletes the note). --file - reads standard input, as --stdin does."},
    {"Notes", "find", "FILE WORDS...", "the items whose title or note holds every word",
     "Case does not matter. Each line: date (or -), start (or -), ID, where the words were\n"
     "found (title or note) and title, TAB-separated, in date and time order."},

    {"Calendar", "export", "--ics CALENDAR FILE", "write the schedule as an iCalendar file",
     "Every item with its whole recurrence: items at a time are events in the system's zone,\n"
     "memos, birthdays and multi-day events all-day events, flexible items to-dos (DUE the\n"
     "deadline, PRIORITY the tier); a rule no RRULE can say goes out as the coming year's\n"
     "dates. Projects become CATEGORIES and notes DESCRIPTION. An item keeps its UID from one\n"
     "export to the next (remembered in FILE's .icsmap beside it). CALENDAR - is standard\n"
     "output."},
    {"Calendar", "import", "--ics CALENDAR FILE", "bring an iCalendar file's items in",
     "Events become appointments (all-day ones memos), to-dos flexible items, repeating ones\n"
     "recurring items with their cancelled and changed occurrences; times in other zones come\n"
     "to local time. Prints how many came in, and each component skipped with the reason.\n"
     "A UID imported before whose item still exists is passed over: importing a file again\n"
     "brings nothing in twice. CALENDAR - is standard input."},
    {"Calendar", "sync", "FILE", "take your calendar's changes into the schedule",
     "One pass of what other programs changed in your calendar (Synchronization Settings):\n"
     "new items, changes, done and deletions, each a line: added, changed, done, deleted,\n"
     "refused or skipped, then the item's ID (or -) and its title, TAB-separated. The calendar\n"
     "companion is started when it is not running. Exit 1 when something was refused."},

    {"Settings", "get", "FILE [KEY]... [--json]", "the schedule's and the program's settings",
     "Without KEY every setting, KEY=VALUE a line, which `set` takes back as it is; with keys\n"
     "their values only. Keys that begin with a small letter are the schedule's own:\n"
     "  dayStart dayEnd       the Day Bounds (HH:MM); a dayEnd before dayStart delays\n"
     "                        midnight (Midnight Shift)\n"
     "  midnightShift         read only: off, or the time midnight is delayed to\n"
     "  workStart workEnd     the Work Hours (HH:MM)\n"
     "  minSplit reserveToday reserveFuture   the Balance Settings' durations (h:mm)\n"
     "  keepClearFrom keepClearThrough       the Keep Clear dates (YYYY-MM-DD or none)\n"
     "  mode                  light or pro\n"
     "  appearFirst appearLast  the recurring item each day shows first or last (ID or none)\n"
     "The others are the program's, as \"Ploven.ini\" in the data folder spells them:\n"
     "  LifeProject BalanceLightensLoad AutoPilot AutoPilotTimerVar AutoBalanceDay\n"
     "  BalanceTodayTimerVar AutoBringForward ExpectedReturnsActive EnableHideDoneItems\n"
     "                        the Other Settings (0 or 1; intervals 1 to 9998 minutes)\n"
     "  Workday0 ... Workday6 Sunday ... Saturday is a workday (0 or 1)\n"
     "  every other number (ShowMoons, CalendarWeeks, ...), the colours (ColorDone, ...),\n"
     "  TimerPos FilterWnd (\"x y w h\"), UserName, ErrorLog and the four Font keys\n"
     "  --json                one JSON object, durations in minutes and none as null"},
    {"Settings", "set", "FILE KEY=VALUE...", "change settings as their dialogs do",
     "The keys and values `get` prints. Each value is read and checked as its settings dialog\n"
     "reads and checks it, and what the dialog does after OK follows (switching Expected\n"
     "Returns on warns, switching Life Projects on looks at them now). A value that cannot be\n"
     "read or a check that refuses changes nothing, in the schedule or in Ploven.ini."},

    {"Planning", "balance", "FILE [--conflict skip|skip-rest|blank|deadline=DATE]",
     "re-plan every flexible item (Balance All Days)",
     "  --conflict            how the conflict window is answered (default skip-rest)"},
    {"Planning", "balance-day", "FILE DATE", "improve the order of one day", ""},
    {"Planning", "lighten", "FILE DATE [--urgency]", "defer one flexible item of the day", ""},
    {"Planning", "increase", "FILE DATE", "bring the most important later item to the day", ""},
    {"Planning", "bring-forward", "FILE DATE", "move the undone items of past days to DATE", ""},

    {"Reports", "report", "time FILE --from DATE --to DATE [--by project|day|week] [--csv]",
     "the time done items took, by project",
     "Archived days are read from the done logs beside FILE, the others from the schedule.\n"
     "Each line: the day or the week's Monday (with --by day or week), the project (- for\n"
     "none) and the time as h:mm, TAB-separated; then the total with expense and mileage.\n"
     "  --by project|day|week one line a project, or a project a day, or a project a week\n"
     "  --csv                 comma-separated, with minutes, hours, items, expense and mileage\n"
     "A damaged log line is told on standard error and left out."},
    {"Reports", "print", "FILE WHAT [--from DATE] [--to DATE] [OPTION]... --pdf OUT",
     "write a printout as PDF, as the desktop program prints it",
     "WHAT is one of:\n"
     "  day                   the day sheets from --from to --to (default today)\n"
     "  priority              the Priority View; priority-first: its first page\n"
     "  alphabetical          the Alphabetical View\n"
     "  projects              the Projects List\n"
     "  week, 4weeks, month, quarter\n"
     "                        the appointment calendar of the span that holds --from\n"
     "  calendar              the appointment calendar from --from to --to\n"
     "  underscored           the underscored items in order of date and time\n"
     "  notes                 the notes of the items from --from to --to\n"
     "  mine                  the printouts Printouts Settings choose, for --from\n"
     "  --format weeks|months|list\n"
     "                        the layout of `calendar` (default weeks)\n"
     "  --private             include private items (their titles begin with !)\n"
     "  --pdf OUT             the PDF file to write (replaced when it exists)\n"
     "Paper, margins, fonts and days per page come from the settings. Needs no display.\n"
     "Prints the number of pages."},

    {"Trying", "demo", "", "plan a small demo schedule and list its days", ""},
    {"Trying", "date", "TEXT", "read a date as the program does", ""},
    {"Trying", "time", "TEXT", "read a time as the program does", ""},
    {"Trying", "duration", "TEXT", "read a duration as the program does", ""},
};

constexpr char kSynopsis[] =
    "usage: plovenctl [--today DATE] [--now TIME] [--intl KEY=VALUE]... COMMAND [ARGUMENT]...\n"
    "       plovenctl --help | --version | COMMAND --help\n";

constexpr char kNotes[] =
    "--today YYYY-MM-DD and --now HH:MM fix the clock; --intl KEY=VALUE sets a regional\n"
    "setting (iDate iTime iTLZero iDayLzero iMonLzero iCountry sCurrency sDate sTime\n"
    "sShortDate). DATE is YYYY-MM-DD or a date as the program reads one (today, 12/24/26);\n"
    "TIME is HH:MM or a time as it reads one (2:30p); DUR is h:mm or as the Duration field\n"
    "reads it (45 is minutes, 130 is 1:30). Boxes go to standard error as \"message: TEXT\",\n"
    "questions take their default as \"question: TEXT -> ANSWER\". Exit 0 on success, 1 when\n"
    "refused, 2 on a usage error. Every changing command saves through the program's own safe\n"
    "path and lock.\n";

constexpr size_t kSummaryColumn = 34;

}  // namespace

std::span<const CommandUsage> CommandUsages() { return kCommands; }

std::string GeneralUsage() {
  std::string out = kSynopsis;
  std::string group;
  for (const CommandUsage& c : kCommands) {
    if (group != c.group) {
      group = c.group;
      out += "\n" + group + ":\n";
    }
    std::string line = std::string("  ") + c.name;
    if (*c.synopsis != '\0') line += std::string(" ") + c.synopsis;
    // A long synopsis has its summary on the next line.
    if (line.size() + 1 > kSummaryColumn) {
      out += line + "\n";
      line.clear();
    }
    line.resize(kSummaryColumn, ' ');
    out += line + c.summary + "\n";
  }
  return out + "\n" + kNotes;
}

std::string GeneralNotes() { return kNotes; }

std::optional<std::string> CommandHelp(std::string_view name) {
  for (const CommandUsage& c : kCommands) {
    if (name != c.name) continue;
    std::string out = std::string("usage: plovenctl [GLOBAL OPTION]... ") + c.name;
    if (*c.synopsis != '\0') out += std::string(" ") + c.synopsis;
    out += std::string("\n\n") + c.summary + "\n";
    if (*c.details != '\0') out += std::string("\n") + c.details + "\n";
    return out;
  }
  return std::nullopt;
}

}  // namespace ploven::cli
