#pragma once

// Texts of the done items and the done log, word for word.
namespace ploven::done_text {

inline constexpr const char* kOpenLogFailed =
    "Unable to open done item log file, or create a new one.";
inline constexpr const char* kWriteLogFailed = "Error writing to %s file. The drive may be full.";
inline constexpr const char* kCloseLogFailed = "Error closing %s file. The drive may be full.";

inline constexpr const char* kDoneLogLine = "%s\t%s\t%3d\t%s\t%s\t%s\t%d\t%.2f\t%d\r\n";
inline constexpr const char* kDoneLogFileName = "%s%s%02d.log";
inline constexpr const char* kNoteNumber = "%05d";

// The Item (Done) window's OK, when it cannot record the item.
inline constexpr const char* kNoTitle = "Please type what you did in the Title box.";
inline constexpr const char* kDateOutOfRange =
    "Please enter a date between 18 April 1986 and 31 December 2068.";
inline constexpr const char* kDayArchived =
    "That day has been archived already, so a done item can no longer be placed on it. Its "
    "done items are in the month's done log.";
inline constexpr const char* kNotPlaced = "The done item could not be placed on that day.";

// Offer to Clone, once an item that asks for it is done.
inline constexpr const char* kOfferToCloneQuestion =
    "This item is done. Would you like a copy of it to do again?\n\nThe copy opens so that you "
    "can give it its date.";
inline constexpr const char* kOfferToCloneCaption = "Ploven: Offer to Clone";

// Why a done-log line could not be read.
inline constexpr const char* kLogFieldCount = "it has %d fields where 9 are expected";
inline constexpr const char* kLogBadDate = "the date \"%s\" cannot be read";
inline constexpr const char* kLogBadTime = "the start time \"%s\" cannot be read";
inline constexpr const char* kLogBadDuration = "the duration \"%s\" is not a number of minutes";
inline constexpr const char* kLogBadNote = "the note number \"%s\" cannot be read";
inline constexpr const char* kLogBadNumber = "the %s \"%s\" is not a number";
inline constexpr const char* kLogUnreadable = "the file cannot be read";
inline constexpr const char* kLogProblem = "%s, line %d: %s. The line was skipped.";

// The marks Record Failed Attempt and Cancel Item put in front of the title they log.
inline constexpr const char* kFailedAttemptMark = "Failed attempt: ";
inline constexpr const char* kCancelledMark = "Cancelled: ";

// The interruption log's report.
inline constexpr const char* kInterruptionsCaption = "Interruptions";
inline constexpr const char* kInterruptionLine = "%s  %s\t%s\t%s\n";
inline constexpr const char* kNoInterruptions = "No interruptions were logged in these days.\n";
inline constexpr const char* kInterruptionTotal = "\n%d interruptions, %s in all.\n";
inline constexpr const char* kInterruptionCauses = "\nBy cause:\n";
inline constexpr const char* kInterruptionCause = "%s\t%s\n";
inline constexpr const char* kInterruptionDamaged =
    "\nLines of the log that could not be read (left out): %d\n";

// Sleep Report.
inline constexpr const char* kSleepCaption = "Sleep Report (last 30 nights)";
inline constexpr const char* kSleepHeading =
    "From the end of the last done item of each day to the beginning of the first of the next:\n\n";
inline constexpr const char* kSleepLine = "%s\t%s\t(%s to %s)\n";
inline constexpr const char* kSleepUnknown = "%s\t-\t(no done items with times)\n";
inline constexpr const char* kSleepAverage = "\nAverage of %d nights:\t%s\n";
inline constexpr const char* kSleepNoNights =
    "\nNo night had done items with times on both sides, so there is nothing to average.\n";

}  // namespace ploven::done_text
