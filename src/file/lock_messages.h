#pragma once

// The texts of exclusive access to a schedule.
namespace ploven::lock_text {

// Shown by the save when this program may not write the schedule.
inline constexpr char kPostponedSave[] =
    "Because you currently don't have exclusive access to change this schedule, the automatic "
    "saving of your schedule will be postponed til the next opportunity to safely do so.";

// Schedule path, user, computer. No is the default: taking over a schedule that
// is still open elsewhere loses one side's changes.
inline constexpr char kHeldOnOtherHost[] =
    "The schedule %s is in use by %s on the computer %s, or was when that computer stopped "
    "without closing it.\n\nOnly one Ploven at a time may change a schedule. Take over exclusive "
    "access anyway?\n\nChoose No unless you are sure Ploven is no longer running there with this "
    "schedule: two programs changing one schedule lose each other's changes.";
inline constexpr char kUnknownUser[] = "an unknown user";

// Path of the lock file.
inline constexpr char kUnreadableLock[] =
    "The file %s, which reserves this schedule for one Ploven at a time, cannot be read. It may "
    "have been left by a Ploven that stopped abnormally.\n\nTake over exclusive access anyway?\n\n"
    "Choose No if Ploven may be running elsewhere with this schedule.";

// Path of the lock file, the reason.
inline constexpr char kCannotCreateLock[] =
    "Ploven could not create the file %s, which reserves this schedule for one Ploven at a time "
    "(%s). Until it can, your changes to this schedule will not be saved.";

// Error log lines: lock path and pid; lock path, user and computer; lock path.
inline constexpr char kLogReclaimed[] = "Lock %s of ended process %d reclaimed.";
inline constexpr char kLogBrokenOtherHost[] =
    "Lock %s of %s on %s taken over at the user's request.";
inline constexpr char kLogBrokenUnreadable[] =
    "Unreadable lock %s taken over at the user's request.";

}  // namespace ploven::lock_text
