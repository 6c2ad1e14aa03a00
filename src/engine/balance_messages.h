#pragma once

// Texts of Balance All Days, the conflict window, Life Projects and the aged-item alert, word
// for word.
namespace ploven::balance_text {

inline constexpr const char* kModule = "Balance";

// ---- Progress ----
inline constexpr const char* kProgressScheduling =
    "Balancing All Days: Scheduling items on each date...";
inline constexpr const char* kProgressPriorities =
    "Balancing All Days: Recalculating priorities...";
inline constexpr const char* kProgressItem = "Balancing All Days: flexible item %c%d: %.45s";
inline constexpr const char* kPercent = "%3d%%";
inline constexpr const char* kPercentCap = "99%";
inline constexpr const char* kProgressDoubleCheck =
    "Balancing All Days: Double-checking all fluid items scheduled...";
inline constexpr const char* kProgressWeekLabels[8] = {
    "Balancing All Days: Balancing today",     "Balancing All Days: Balancing Sunday",
    "Balancing All Days: Balancing Monday",    "Balancing All Days: Balancing Tuesday",
    "Balancing All Days: Balancing Wednesday", "Balancing All Days: Balancing Thursday",
    "Balancing All Days: Balancing Friday",    "Balancing All Days: Balancing Saturday",
};
inline constexpr const char* kProgressDate = "Balancing All Days: %s";
inline constexpr const char* kProgressCurrentDay = "Balancing All Days: Balancing current day";

// ---- Double check ----
inline constexpr const char* kNotScheduledSuffix = " was not scheduled!";
inline constexpr const char* kItemsNotScheduled = "One or more items were not scheduled!";

// ---- The search for a date ----
inline constexpr const char* kRanIntoTrouble =
    "While trying to schedule item %s with deadline %s on date %s, Ploven ran into trouble and "
    "unfortunately will have to close. (maxdate:%s)";
inline constexpr const char* kUnexpectedLocation =
    "Unexpected location reached in procedure ScheduleFluidTask. Please notify ";
inline constexpr const char* kChronicallyOverbooked =
    "Ploven wasn't able to schedule the item titled \n\"%s\"\n(an item with no deadline) on any "
    "date up to %s.\n\nYour schedule may be chronically overbooked, so here's some advice:\n\n- "
    "reduce your Interruption Reserve (in Balance Settings),\n- expand your Work Hours (in Work "
    "Hours Settings),\n- consider whether all your recurring items are truly the best use of "
    "your time,\n- delegate more, or\n- expand your staff.";
inline constexpr const char* kOutOfMemory = "Out of memory while balancing all days.";

// ---- The conflict window ----
inline constexpr const char* kConflictTitle =
    "Balance All Days scheduling conflict with higher priority items";
inline constexpr const char* kConflictHelpTopic = "BalanceAllDays.htm#conflictwindow";
inline constexpr const char* kConflictText =
    "While Balancing All Days, after scheduling more important items, unable to schedule item "
    "titled:\r\r\"%s\".\r\rCurrent deadline: %s, %s";
inline constexpr const char* kMoveDeadlineOverMonth =
    "Are you sure you want to move the deadline by over a month for item \"%s\", from %s to %s?";
inline constexpr const char* kDeadlineBeforeEarliest =
    "The deadline cannot be earlier than the item's earliest date (%s).";
inline constexpr const char* kDeadlineBeforeToday = "The deadline cannot be a date before today.";
inline constexpr const char* kConflictNoteNoDeadline =
    "For no deadline, blank the field then click Change Deadline.";
inline constexpr const char* kConflictNoteEdit = "Editing other fields may help.";
inline constexpr const char* kConflictNoteDone =
    "Maybe you can fix the balancing problem by doing it right now.";
inline constexpr const char* kConflictNoteOther = "...or try adjusting a    different item:";
inline constexpr const char* kConflictNoteLater = "...or finish balancing later:";

// ---- Life Projects ----
inline constexpr const char* kNoLifeProjectsTip =
    "Tip: You don't have any Life Projects. To make a project into a Life Project, go to the "
    "Projects List and add a ! as the first character of the project's Title.\n\nOtherwise, "
    "uncheck Balance Life Projects in Other Settings, so this warning will not continue to "
    "appear.";
inline constexpr const char* kNoUndoneLifeProjectItem =
    "Warning: You do not have any undone items associated with life project \"%s\". You should "
    "arrange to have at least one undone item for project \"%s\" (or make it no longer a life "
    "project by removing the ! from the start of its title.\n\n(If you'd rather not receive "
    "warnings like this one, uncheck the Balance Life Projects checkbox in Other Settings.)";

// ---- The aged-item alert ----
inline constexpr const char* kAgedItemCaption = "Aged Item Balance Alert";
inline constexpr const char* kAgedItemText =
    "One of your earliest undone non-recurring items was created or last touched over a year "
    "ago (on %s): it has this Title:\n\"%s\"\n\nMaybe it's time you decide how to move forward "
    "on it, or delete it:\n\n- Go To Item's Date shows the item, so you can do it, edit it into "
    "a next small step, delegate it or delete it; its age is counted from two weeks later.\n- "
    "Ignore This Item counts the item as touched today, so it is not brought up again for a "
    "year.\n- Continue leaves it as it is; it will be brought up again after the next "
    "balancing.";
inline constexpr const char* kAgedItemButtons = "&Go To Item's Date\n&Ignore This Item\nC&ontinue";

}  // namespace ploven::balance_text
