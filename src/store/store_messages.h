#pragma once

// The item store's texts, word for word as the user or the error log sees them.
namespace ploven::store_text {

inline constexpr const char* kLostTrackZeroHandle =
    "Ploven unfortunately lost track of a piece of key temporary data. To be safe, we will force "
    "you to restart Ploven. Your data is fine. Sorry for your trouble.";
inline constexpr const char* kLostTrackLockFailed =
    "Ploven unfortunately lost track of a key piece of temporary data. To be safe, we're forcing "
    "you to restart Ploven. Your data is fine. Sorry for your trouble.";
inline constexpr const char* kActNotValid = "Act not valid.";
inline constexpr const char* kZeroHandleUnlockAct = "Zero handle value passed to UnlockAct()";
inline constexpr const char* kFlagsLockFailed = "Invalid global handle, unable to lock (ActFlags)";
inline constexpr const char* kTypeFlagsLockFailed =
    "Invalid global handle, unable to lock (ActTypeFlags)";
inline constexpr const char* kFreeActNameFailed = "Error freeing ActName global memory in FreeAct()";
inline constexpr const char* kFreeBlockFailed =
    "tsGlobalFree() detected error freeing hMem...probably invalid or already freed";
inline constexpr const char* kBetaPassedToActTask = "Beta Act passed to ActTask()";
inline constexpr const char* kCorruptItemName = "Windows has corrupted an Item name";
inline constexpr const char* kCorruptItemTitle = "Windows has corrupted an item's title.";
inline constexpr const char* kInsertACLinkLock = "Lock failure from InsertACLink()";
inline constexpr const char* kClearFlexiblePrereq =
    "During Balance All Days, we discovered that the item \"%s\" has a prerequisite with a "
    "flexible date. As only set date items can be prerequisites, the prerequisite field for the "
    "item mentioned above has been cleared.\n\nClick OK to continue to Balance All Days.";

// Chains.
inline constexpr const char* kLinkNullPredecessor =
    "Null predecessor argument passed to Link() function.";
inline constexpr const char* kLinkNullNode = "Null link arg passed to Link ()";
inline constexpr const char* kAppendNullNode = "Null link arg passed to Append ()";
inline constexpr const char* kUnlinkNull = "Unlink passed Null task";
inline constexpr const char* kUnlinkHead =
    "Unlink() was passed a chain head to unlinke, but we cannot delete a chain head.";
inline constexpr const char* kChainHeadNull = "Null arg passed to GetChainHead";
inline constexpr const char* kChainIntegrity = "Chain integrity failure";
inline constexpr const char* kSwapTask1Null = "task1 passed to Swaptasks is NULL";
inline constexpr const char* kSwapTask2Null = "task2 passed to Swaptasks is NULL";
inline constexpr const char* kSwapTask1Head = "task1 passed to Swaptasks is a chain head or bad";
inline constexpr const char* kSwapNotAdjacent = "Detected that task1 and task2 are not adjacent";

// Days.
inline constexpr const char* kCorruptProjectWarning =
    "Unfortunately, the project you were just assigning to has become corrupt. Ploven will crash "
    "after you click OK. After restarting Ploven, delete this project and then recreate it. We "
    "apologize for the inconvenience (since you'll likely want to re-assign this project's items "
    "to the new project, and that must be done one item at a time).";
inline constexpr const char* kExistingTerminalZeroDate =
    "ExistingTerminal function was wrongly passed a 0 empty date argument (sometimes a symptom of "
    "a corrupt project).";
inline constexpr const char* kExistingTerminalNoChain =
    "ExistingTerminal function wrongly encountered a TerminalChain of 0.";
inline constexpr const char* kNullTerm = "A chain element wrongly has a null term.";
inline constexpr const char* kDateExpected = "Date expected not present.";
inline constexpr const char* kDateOutOfRange =
    "A date was encountered that was interpreted as not being between April 1986 and December "
    "2068.";
inline constexpr const char* kAddTerminal = "AddTerminal";
inline constexpr const char* kGetTaskDateNull = "Null task argument passed to GetTaskDate";
inline constexpr const char* kGetTaskDateNoHead =
    "Unable to find Chain Head of task passed to GetTaskDate()";
inline constexpr const char* kGetTaskDateNullVal = "Null head->val detected in GetTaskDate()";
inline constexpr const char* kGetTaskDateNullDate = "Null term->date detected in GetTaskDate()";
inline constexpr const char* kEarliestNullToday = "EarliestTerminalDate() detected null sysdat";
inline constexpr const char* kEarliestZeroDate = "EarliestTerminalDate: first term has 0 date";
inline constexpr const char* kNegativeTerminal =
    "Cleaned-up snippet of invalid data: terminal w/ negative date";
inline constexpr const char* kTerminalOutOfSequence = "Terminal out of sequence and/or repeated.";
inline constexpr const char* kTerminalCleanup = "data error cleanup: %s out of sequence";
inline constexpr const char* kUnscheduleNoTerminal = "No terminal for a->ddate";
inline constexpr const char* kUnscheduleNullSchedule = "Terminal has NULL schedule; UnscheduleTask";
inline constexpr const char* kUnscheduleWrongTerminal =
    "Got the wrong terminal. Doesn't contain task to Unschedule";
inline constexpr const char* kUnscheduleUnlinkFailed = "Unlink of task failed, chain invalid";

// Items.
inline constexpr const char* kDeleteRecurring = "Attempt to call DeleteItem on a recurring item";

// Exception lists.
inline constexpr const char* kTwoInstancesCleaned =
    "This results in two instances of\n%s\non the same day, so Ploven has cleaned up one of them.";
inline constexpr const char* kDuplicateCancellation =
    "Duplicate exception entry (cancellation) cleaned up for %s";
inline constexpr const char* kBetaLockFailed = "Invalid global handle, unable to lock in ploven.h(2)";
inline constexpr const char* kBetaZeroHandle = "Null global handle in ploven.h GLOCKb";
inline constexpr const char* kDelXlistNoEntry = "DelXlistEntry() could find no such entry.";
inline constexpr const char* kDelXlistLockAct = "LockAct failed from DelXlistEntry()";
inline constexpr const char* kDelXlistLockBeta = "LockBeta failed from DelXlistEntry()";
inline constexpr const char* kRepXlistNotException =
    "Ploven found an instance of a recurring item that thinks its an exception but in fact "
    "doesn't have the attributes that an exception item should have. The instance is dated %s "
    "and titled: \"%s\". ";
inline constexpr const char* kRepXlistAdvice =
    "Ploven has added the missing exception entry, so nothing was lost. If the instance looks "
    "wrong, open it and check its date and details.";
inline constexpr const char* kRepXlistNoEntry = "RepXlistEntry() could find no such entry.";
inline constexpr const char* kXlistOutOfSequence =
    "ValidateXlist() detected xentry dated %s that is out of sequence (because it is less than "
    "lastdate)";
inline constexpr const char* kXlistBadDrone =
    "While performing safety check that internal exception list of recurring items are in "
    "ascending order, exception wrongly found with GlobalSize of 0 or less. Forcing exit of "
    "Ploven, to be safe.";
inline constexpr const char* kRepairedDrone =
    "Problematic exception to recurring item \"%s\" found and repaired. Click OK to continue.";

// Module names the internal-error report shows.
inline constexpr const char* kNullTerminalCloneAdjust =
    "Null Terminal found by nCloneTasksAdjust() ";
inline constexpr const char* kModuleUtilacts = "Utilacts";
inline constexpr const char* kModuleLink = "Link";
inline constexpr const char* kModuleTerm = "Term";
inline constexpr const char* kModuleTask = "Task";
inline constexpr const char* kModuleXlist = "Xlist";
inline constexpr const char* kModuleBeta = "Beta";
inline constexpr const char* kModuleInsert = "Insert";
inline constexpr const char* kModuleDelete = "Delete";

}  // namespace ploven::store_text

// What the consistency check finds; the command line prints them.
namespace ploven::consistency_text {
inline constexpr char kDayProblem[] = "day %s: %s";
inline constexpr char kDayOutOfOrder[] = "out of date order";
inline constexpr char kDayWrongDate[] = "record names another date";
inline constexpr char kDayLinks[] = "task chain links disagree";
inline constexpr char kDayTaskNoItem[] = "a task names no item";
inline constexpr char kDayNegativeLength[] = "a task has a negative length";
inline constexpr char kDayTaskCount[] = "task count differs from the chain";
inline constexpr char kDayCloneCount[] = "recurring instance count differs";
inline constexpr char kChainFreedItem[] = "the item list names a freed item";
inline constexpr char kPriorityNotFlexible[] = "the priority list names an item that is not flexible";
inline constexpr char kPriorityOrder[] = "the priority list is out of order";
inline constexpr char kPriorityCount[] = "the priority list count differs from its entries";
inline constexpr char kFlexibleUnranked[] = "flexible item \"%s\" has no place in the priority list";
inline constexpr char kBetaNotRecurring[] = "the recurring list names an item that is not recurring";
inline constexpr char kBetaNoRule[] = "recurring item \"%s\" has no rule";
inline constexpr char kXlistOrder[] = "exceptions of \"%s\" are out of date order";
inline constexpr char kXlistWrongDrone[] = "an exception of \"%s\" names a wrong item";
inline constexpr char kProjectCount[] = "the project count differs from the projects list";
inline constexpr char kTreeBroken[] = "the projects tree is broken";
inline constexpr char kTreeFreed[] = "the projects tree names a freed item";
inline constexpr char kTreeCount[] = "the projects tree count differs from its nodes";
}  // namespace ploven::consistency_text
