#pragma once

// The texts of reading and writing schedule files.
namespace ploven::format_text {

inline constexpr char kModuleLoad[] = "Pakload";
inline constexpr char kModuleSave[] = "Paksave";

// Reading.
inline constexpr char kNotAScheduleFile[] =
    "Cannot load schedule file, because it doesn't appear to be a Ploven schedule file.";
inline constexpr char kNewerVersionFormat[] = "%s %s. %s %s";
inline constexpr char kNewerVersion1[] = "Datafile was created with newer version, not with version";
inline constexpr char kNewerVersion2[] = "1.0";
inline constexpr char kNewerVersion3[] =
    "If you want to go back to using this old version, first load the newer version and choose "
    "File:Transfer:Save As:";
inline constexpr char kNewerVersion4[] = "1.0";
inline constexpr char kIncompatibleFormat[] = "Incompatible data file format.";
inline constexpr char kDatafileInvalid[] = "Datafile invalid.";
inline constexpr char kHeaderSizeMismatch[] =
    "Error: This schedule file's header doesn't match the header size expected by Ploven. "
    "[Potential inadvertent change to TSHEADER structure.] Click OK to continue trying to load "
    "this schedule.";
inline constexpr char kIncomplete[] = "Schedule file incomplete or in use by another program.";
inline constexpr char kTitleTooLong[] =
    "One or more item descriptions in data file exceed the maximum length allowed.";
inline constexpr char kHealedBeta[] =
    "Recurring item that had invalid properties automatically healed by making it a non-recurring "
    "item.";
inline constexpr char kXentriesCorrected[] = "Recurring item count of exceptions corrected: %s";
inline constexpr char kXentryRelink[] = "Unable to re-link xentry";
inline constexpr char kCloneRelink[] = "Unable to re-link clone task";
inline constexpr char kDisconnectedInstance[] =
    "Routine error checking by Ploven has detected a disconnected instance of a recurring item on "
    "BetaID %d. (last ActID:%d)";
inline constexpr char kDisconnectedAdvice[] =
    "\n\nPlease revert to your most recent backup of your schedule (as described in the "
    "Troubleshooting help topic).";
inline constexpr char kDroneCorrected[] =
    "Good news: instance of a recurring task has been automatically corrected. Click OK to "
    "continue to use Ploven.";
inline constexpr char kPriorityTidied[] =
    "Ploven has tidied %d unrequired internal priority cross-references. Click OK to continue to "
    "launch your schedule.";
inline constexpr char kTreeDamaged[] =
    "Your Projects Tree view data somehow became damaged.\n\nChoose Fix It For Me to have Ploven "
    "rebuild it from your projects now (this may be offered up to two more times).\n\nChoose Exit "
    "Ploven to close without changing anything; at the next launch you will be offered your most "
    "recent backup.";
inline constexpr char kTreeDamagedButtons[] = "&Fix it for me\n&Exit Ploven";
inline constexpr char kTreeDamagedCaption[] = "Automatically heal Projects Tree";
inline constexpr char kTreeRebuilt[] =
    "Projects Tree data successfully rebuilt. Choose OK to continue using Ploven.\n\nNote: Since "
    "we don't know why your Projects Tree data became damaged, if you wish to be extremely "
    "cautious, you may wish to examine your Ploven data and if anything doesn't seem right you "
    "could revert to your most recent backup of your Ploven schedule file (as explained in the "
    "Troubleshooting Help topic).";
inline constexpr char kCorruptFile[] = "POTENTIALLY CORRUPT TIMEDATA.PAK FILE.";
// A day out of date order cannot be placed; the load stops instead of the program.
inline constexpr char kDaysOutOfOrder[] =
    "Schedule file damaged: the day %s is out of date order.";

// Writing.
inline constexpr char kNullFileHandle[] = "null file handle";
inline constexpr char kActSizeNotCurrent[] = "ACT SIZE constant not current";
inline constexpr char kCountsInconsistent[] = "Inconsistency between counts.";
inline constexpr char kZeroBetaID[] = "Zero a->ID in a beta detected.";
inline constexpr char kZeroBetaIDTask[] = "Zero a->ID in a beta detected";
inline constexpr char kFewerTasks[] =
    "Ploven's internal audit for date %s is unexpectedly reporting %d less tasks on the day's "
    "schedule than the %d tasks actually there. To reduce the chance of potential damage to your "
    "file that could occur by saving this mismatched information, we're going to force you to "
    "restart Ploven now.\n\nAlso, as this may be an indicator of mild corruption in your "
    "timedata.pak file, we recommend that you revert to your most recent backup of your schedule "
    "(as described in the Troubleshooting help topic) as a precaution. Please click OK to "
    "continue.";
inline constexpr char kMoreTasks[] =
    "Ploven's internal audit for date %s is unexpectedly reporting more than the %d tasks on this "
    "day's schedule. To reduce the chance of any potential damage to your file that could occur by "
    "saving this mismatched information, we're going to force you to restart Ploven, which should "
    "automatically heal this inconsistenty. Please click OK to continue.";
inline constexpr char kCorruptHelpTopic[] = "Troubleshooting.htm#corrupt";
inline constexpr char kChainIntegrity[] = "Chain integrity failure";
inline constexpr char kSplitBackLevel[] =
    "The following item is SPLIT. You must turn off this property before saving in this "
    "back-level format";
// Two recurring items may not share an ID in the file; the second one gets a new one.
inline constexpr char kDuplicateBetaID[] =
    "Two recurring items shared the ID %u; \"%s\" was given a new ID before saving.";

}  // namespace ploven::format_text
