#pragma once

// The scheduling engine's texts, word for word.
namespace ploven::engine_text {

inline constexpr const char* kModuleBalance = "Balance";

inline constexpr const char* kSupportAddress = "Ploven support";
inline constexpr const char* kNullDateScheduleTask = "Null date wrongly passed to ScheduleTask function.";
inline constexpr const char* kNullDateFTD = "Null date passed to ScheduleTaskFTD. Please notify ";
inline constexpr const char* kNoFitAtEnd = "TaskCanFitTime didn't fit it even at end of sched";
inline constexpr const char* kSlotNoFit = "SlotFavoredTask() didn't fit it even at end of sched";
inline constexpr const char* kNTasksExceeds = "ScheduleTask:term->nTasks exceeds length of chain";
inline constexpr const char* kNTasksUnderstates =
    "ScheduleTask:term->nTasks understates the length of chain";
inline constexpr const char* kNullTaskRoom = "Null task passed into RoomForFluidTask";
inline constexpr const char* kTaskCanFitNoHint =
    "TaskCanFit was passed both null PreTask and null PostTask";
inline constexpr const char* kZeroDayLength =
    "Your day length is zero. Please choose Day Bounds Settings (from the Settings menu) and "
    "correct this.";


// ---- Conflict check and day bounds ----
inline constexpr const char* kConflictCaption = "Ploven Scheduling Conflict";
inline constexpr const char* kConflictQuestion =
    "Checking %s...\n\nThis item overlaps for %i minutes with \"%s\"\nscheduled from %s until "
    "%s.\n\n\nLook for more conflicts?";
// The two buttons, as custom captions of the multi-button box.
inline constexpr const char* kConflictButtonsAlphabetical = "&Yes\nNo";
inline constexpr const char* kConflictButtons = "&Yes\n&No, take me to this one";
inline constexpr const char* kBadActConflictCheckDate = "bad hAct in ConflictCheckDate";
inline constexpr const char* kConflictProgress =
    "Checking for conflicts on future occurrences up to 1 year forward...";

inline constexpr const char* kLatestRaisedToWorkEnd =
    "Your setting for Workdays End At (in Work Hours Settings) is later than your Latest Time Of "
    "Day For Flexible Items To End, so the Latest Time Of Day For Flexible Items To End will now "
    "be adjusted to equal the Workdays End At time.";
inline constexpr const char* kEarliestLoweredToWorkStart =
    "Your setting for Workdays Start At (in Work Hours Settings) is earlier than your Earliest "
    "Time Of Day For Flexible Items To Begin, so the Earliest Time Of Day For Flexible Items To "
    "Begin will now be adjusted to equal the Workdays Start At time.";
// Work Hours Settings: a working day has to have some length.
inline constexpr const char* kWorkEndNotAfterStart =
    "Workdays End At must be later than Workdays Start At, so change one of them.";
inline constexpr const char* kSameFirstAndLast =
    "The same item cannot appear both first and last. Change at least one of them.";
inline constexpr const char* kNotARecurringDefinition =
    "The item chosen to appear first or last is not a recurring item.";
inline constexpr const char* kMidnightShiftOff = "Midnight Shift mode is off.";
inline constexpr const char* kMidnightShiftOn = "Midnight Shift mode is on: midnight delayed til";
inline constexpr const char* kKeepClearEndBeforeBegin =
    "The end date is earlier than the begin date, so change one of them.";
inline constexpr const char* kMinSplitRange =
    "Minimum Duration For Splittable Items must be in the range of 1 minute to 12 hours. If "
    "unsure, try 15 minutes.";

// Refusals of a timer interval (the Other Settings, plovenctl set): the timers would run on
// every tick with an interval of 0.
inline constexpr const char* kAutoPilotIntervalRefused =
    "The AutoPilot interval must be a whole number of minutes from 1 to 9998.";
inline constexpr const char* kBalanceDayIntervalRefused =
    "The automatic Balance Day interval must be a whole number of minutes from 1 to 9998.";

}  // namespace ploven::engine_text
