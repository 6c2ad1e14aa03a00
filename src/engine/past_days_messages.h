#pragma once

// Texts of the past-days work: Bring Forward, moving and postponing items, the past-undone
// warning, word for word.
namespace ploven::past_days_text {

inline constexpr const char* kBusyBackground =
    "Bring Forward cannot proceed while background processing is in progress. Sorry: please try "
    "again in a minute or so. In the meanwhile, click OK to return to Ploven.";
inline constexpr const char* kBringForwardQuestion =
    "Bring Forward moves all undone non-memo items without Set Start Times on past days to the "
    "viewed day (or later if the item cannot be on the viewed day). If the viewed day is in the "
    "past or tomorrow, items instead move to today or later.\n\nDone and Started items, items "
    "with Set Start Times, and birthday, anniversary and work holiday memos stay where they "
    "are.\n\nTry to move such items to %s?";
inline constexpr const char* kAutoBringForwardQuestion =
    "Bring Forward moves all undone non-memo items without Set Start Times on past days to the "
    "viewed day (or later if the item cannot be on the viewed day).\n\nThis was triggered "
    "because you have the Automatically Bring Forward To Today checkbox checked in Other "
    "Settings, and yet you have items over a week old that will be brought forward.\n\nTry to "
    "move such items to %s?";
inline constexpr const char* kToday = "today";
inline constexpr const char* kBringForwardCaption = "Bring Forward Past Undones To This Day";
inline constexpr const char* kAutoBringForwardCaption =
    "Bring Forward Past Undones To This Day (Automatically from Other Settings)";
inline constexpr const char* kBringForwardButtons = "Yes, Bring F&orward\n&No\n&Help";
inline constexpr const char* kNothingBroughtForward =
    "Okay: nothing was brought forward...click OK to continue.";
inline constexpr const char* kBringForwardHelp = "BringForwardAllPastUndoneToThisDay.htm";
inline constexpr const char* kBringForwardCompleted = "Bring Forward completed.";
inline constexpr const char* kInvalidTask = "Not a valid task to Bring Forward. Click OK to continue.";

inline constexpr const char* kDeadlineQuestion =
    "The date upon which this item will now be located is later than this item's current "
    "Deadline. Would you like the Deadline changed to that date?\n\n(If you choose No, the item "
    "will still be scheduled to the new date, but its Deadline will be left as is... that "
    "conflict can be resolved later manually or by Balance All Days.)";
inline constexpr const char* kDeadlineCaption = "Ploven Deadline Exceeded";

inline constexpr const char* kPostponeFixed =
    "The Postpone command is for items with fluid Start Times. To change the Set Start Time of "
    "this item, use the Modify Item command to change its Set Start Time.";
inline constexpr const char* kPostponeStarted =
    "You cannot Postpone this item, since it has already been Started. To Postpone the item "
    "first Unstart it.";
inline constexpr const char* kPostponeDone = "You cannot Postpone a Done item, since it is already done.";
inline constexpr const char* kPostponeLatestQuestion =
    "Postponing this item one hour has resulted in it ending later than its Latest End Time "
    "that appears in its Item Properties window.\n\nWould you like its Latest End Time extended "
    "to match?";
inline constexpr const char* kPostponeLatestLeft =
    "Glad we asked: the Earliest Begin Time has been postponed an hour, but the Latest End time "
    "has been left alone.";

inline constexpr const char* kPastUndoneWarning =
    "There is at least one undone item on past days that you may wish to attend to.\r\rDo you "
    "want to view the earliest one now?";
inline constexpr const char* kPastUndoneCaption = "Ploven: past undone item warning";
inline constexpr const char* kPastUndoneButtons = "&Yes, view it now\n&No, continue";

// The event-trace number of a move to another date.
inline constexpr int kTraceMoveItemToDate = -31;

}  // namespace ploven::past_days_text
