#pragma once

// The texts of opening, saving and recovering schedules, and the names of the
// files beside a schedule.
namespace ploven::files_text {

// ---- File names and settings ------------------------------------------------

inline constexpr char kDefaultScheduleName[] = "timedata.pak";
inline constexpr char kProgramFolderScheduleName[] = "Timedata.pak";
inline constexpr char kScheduleExtension[] = ".pak";
inline constexpr char kTempExtension[] = ".tmp";
inline constexpr char kLatestLaunchExtension[] = ".BackupLatestLaunch";
inline constexpr char kCalendarMemoryExtension[] = ".icsmap";
// The files beside a schedule are its name without the extension and these
// (see BackupNames); the default schedule's always start with this name.
inline constexpr char kDefaultStem[] = "timedata";
inline constexpr char kBackupExtension[] = ".bak";
inline constexpr char kRandomBackupExtension[] = ".BackupRandom";
inline constexpr char kWeekdayBackupExtension[] = ".BackupDayOfWeek";
inline constexpr char kPakRenamedExtension[] = ".pakrenamed";
inline constexpr char kBakRenamedExtension[] = ".bakrenamed";
// The default schedule's; another schedule's is prefixed with its name and a dot.
inline constexpr char kUnsavedLogName[] = "ItemsNotYetSavedLog.txt";
inline constexpr char kScrambledName[] = "timedatascrambled.pak";
inline constexpr char kCopyingSuffix[] = ".copying";  // CopyFileSafely's temporary file

inline constexpr char kCorruptLoadKey[] = "CorruptLoad";
inline constexpr char kMobilePathKey[] = "MobilePath";
inline constexpr char kLoadModule[] = "Pakload";

// The file dialogs of Save As and Backup All (drawn by the desktop program).
inline constexpr char kSaveAsDialog[] = "SaveAs";
inline constexpr char kSaveAsFilterName[] = "Ploven data (timedata.pak)";
inline constexpr char kSaveAsFilterPattern[] = "*.pak;";
inline constexpr char kBackupDestinationCaption[] = "Backup: Select destination";

// ---- Resolving and opening ------------------------------------------------------

inline constexpr char kInvalidFilename[] = "Invalid filename passed from command line";
inline constexpr char kNoScheduleName[] =
    "No schedule file name was given, so Ploven has no schedule to open.";
inline constexpr char kNetworkError[] = "Network error. Probably need to reconnect.";
inline constexpr char kSecondLoad[] = "Restart. Internal error at pakload() in pakload.cpp.";

inline constexpr char kRecoverQuestion[] =
    "The most recent attempt to load this schedule file name failed due to suspected "
    "corruption.\n\nChoose Continue to try again with this same filename (trying will not cause "
    "further damage).\n\nChoose Try A Backup to replace your schedule file with the most recent "
    "backup and try loading it instead.";
inline constexpr char kRecoverQuestionExit[] =
    "\n\nChoose Exit Ploven to close Ploven without changing any of your files.";
inline constexpr char kRecoverCaption[] = "Recover from corrupt load on last launch";
inline constexpr char kRecoverButtons[] = "&Continue\n&Try A Backup\n&Exit Ploven";
inline constexpr int kRecoverContinue = 23;
inline constexpr int kRecoverTryBackup = 24;
inline constexpr int kRecoverExit = 25;

// The texts below name the files without their folders: "the schedule" is the
// schedule's own name (timedata.pak), "the backup" its backup's (timedata.bak).

// The schedule, the backup.
inline constexpr char kAlreadyTriedBackup[] =
    "Sorry: we've already tried replacing %s with the %s file and it was corrupt too.";
inline constexpr char kSeeTroubleshooting[] =
    "\n\nPlease read the Troubleshooting help topic in Ploven Help to learn how to try other "
    "backup files.";
// The backup, the backup, the schedule's renamed copy, the backup's renamed copy.
inline constexpr char kWillReplaceWithBackup[] =
    "We will now try to replace your Ploven schedule file with our most recent backup of that "
    "file (the %s file).\n\nTo make sure you don't lose any future options, before doing so "
    "we'll make an additional backup of your schedule file and the %s file (these copies will be "
    "called %s and %s).\n\nClick OK to proceed.";
inline constexpr char kReplacedNowExit[] = "Done. Now click OK to exit Ploven.";
inline constexpr char kReplacedNowExitAdvice[] =
    "\n\nThen start Ploven again: it will open the restored schedule. At most about a minute of "
    "the changes you made before the problem will be missing.";
// The backup.
inline constexpr char kNoBackupFile[] =
    "Sorry: you don't have a %s file. Click OK to exit Ploven, then read the "
    "Troubleshooting help topic in Ploven Help to learn how to try other backup files.";
inline constexpr char kExitConfirmed[] =
    "Ploven will now exit without changing your schedule files. You will be asked again at the "
    "next launch.";

inline constexpr char kExistsNotOpenable[] = "File %s exists but is not available to be opened.";
inline constexpr char kFolderUnreachable[] =
    "Ploven cannot access folder %s where the schedule file for that user was most recently known "
    "by Ploven to be located.";
inline constexpr char kFolderUnreachableCauses[] =
    "\n\nThe folder may have been moved or deleted, the network connection to it may be down, "
    "you may not have the access rights it needs, or a firewall may be blocking it.";
// The schedule, the backup, the schedule.
inline constexpr char kMissingRestoring[] =
    "The schedule file (%s) is missing. Click OK to load Ploven's most recent backup of it (%s), "
    "which will then get automatically saved as %s in the first minute after it opens "
    "successfully.";
inline constexpr char kCreateNewQuestion[] = "File %s cannot be found.\rCreate a new empty one?";
inline constexpr char kCannotCreateFolder[] =
    "Ploven could not create the folder %s for the new schedule.";

inline constexpr char kLoadFailedNoBackup[] =
    "There was a problem loading your %s schedule file: it may be damaged.";
// The backup.
inline constexpr char kLoadFailedNoBackupDetail[] =
    "\n\nThere is no backup of it (%s) in that folder, so the file must be replaced by "
    "hand with a copy from one of your own backups.";
// The schedule's full path, the backup.
inline constexpr char kLoadFailedAskBackup[] =
    "Ploven cannot open your schedule file %s ...it is likely damaged.\n\nWould you like to "
    "replace your schedule file with the most recent backup file (%s) now?\n\n(Ploven "
    "makes this backup file once a minute if you've made changes, so you've likely lost, at most, "
    "one minute of activity.)";
// The schedule, the backup.
inline constexpr char kGoodNewsReplaced[] =
    "Good news: your %s file has been successfully replaced with the contents of the %s backup "
    "file. Click OK to continue using Ploven.";
inline constexpr char kBackupAlsoInvalid[] =
    "Unfortunately, the backup schedule file is also invalid or incomplete.";
inline constexpr char kInsufficientMemory[] = "Insufficient memory to load data";
// The schedule, the backup, the schedule's renamed copy, the backup's renamed copy.
inline constexpr char kGoodNewsBackupSolved[] =
    "Good news: it appears that replacing your %s with your %s has solved the corrupt schedule "
    "problem.\n\nYou will have lost any changes you made between the time those two files were "
    "saved. (To know how much activity was lost, you can use Windows Explorer to check how much "
    "the datestamps of %s and %s differ.)\n\nChoose OK to continue using Ploven.";
// Error log: the latest-launch backup, the schedule.
inline constexpr char kLatestLaunchSkipped[] =
    "%s skipped, due to suspiciously small %s file...could be due to very new installation.";
// Error log: source, destination, step, reason.
inline constexpr char kLatestLaunchFailed[] =
    "Latest-launch backup of %s to %s not made: the %s step failed (%s).";

// ---- Saving -------------------------------------------------------------------------

inline constexpr char kResurfaced[] = "Your previous data file has resurfaced!";
inline constexpr char kUnableToCreate[] = "Unable to create file %s. ";
// Step, reason.
inline constexpr char kStepDetail[] = "\n\n(The %s step failed: %s.)";
// File, step, reason.
inline constexpr char kSaveFailed[] =
    "Ploven could not save your schedule to %s: the %s step failed (%s).\n\nYour schedule file "
    "was left as it was, and Ploven will try again at the next save.";
inline constexpr char kCopyFailed[] =
    "Ploven was trying to copy file %s to %s but couldn't write to the destination disk (this "
    "file was probably being hogged by some other application).";
inline constexpr char kCopyFailedDuringSave[] =
    "\n\nDon't worry: this happened during a background save and no data was lost. Ploven will "
    "try again at the next save.";
// Error log: folder, reason.
inline constexpr char kFolderNotFlushed[] =
    "Schedule saved, but the folder %s could not be flushed to disk (%s).";
// The log's file name.
inline constexpr char kUnsavedLogFailed[] =
    "Unable to create or open the temporary %s file in order to write a new "
    "item to it. This is odd, but not of any danger unless it happens often.";
// Error log: the schedule.
inline constexpr char kClosingUnsaved[] = "Changed %s still not saved, so closing it.";

// ---- Save As ------------------------------------------------------------------------

inline constexpr char kBadBackLevelFormat[] =
    "Ploven can save older formats 21, 22, 23 and 24 only.";
inline constexpr char kBackLevelOverSchedule[] =
    "A copy in an older format cannot replace the schedule you are using. Please choose another "
    "folder.";
// Format version, then one or both of the reasons below.
inline constexpr char kBackLevelLosesData[] =
    "Saving in format %s loses information that older versions of Ploven cannot hold:%s\n\nSave "
    "in this format anyway?";
inline constexpr char kBackLevelLongTitles[] =
    "\n- item descriptions longer than %s characters";
inline constexpr char kBackLevelProjects[] = "\n- projects";
// Path.
inline constexpr char kTargetInUse[] =
    "The schedule %s is in use by another Ploven, so it cannot be replaced now.";

// ---- Relocating -------------------------------------------------------------------------

inline constexpr char kUserFolderExists[] =
    "A folder named after this user already exists in the Plovens shared folder on the server "
    "drive. To avoid the risk of overwriting potentially valuable information, the move will NOT "
    "be performed.";
inline constexpr char kUserFolderExistsAdvice[] =
    "\n\nIf that folder holds nothing you need, rename or remove it, then try again.";
inline constexpr char kInvalidUserName[] =
    "The user name %s cannot be used as the name of a folder.";
inline constexpr char kAlreadyInUserFolder[] =
    "The schedule is already in %s, the folder of this user in the shared folder.";
inline constexpr char kRelocateQuestion[] =
    "Are you certain you wish to relocate the current Ploven schedule files (the one you are using "
    "right now) from %s to %s, and also make it the default schedule opened when Ploven is "
    "launched?";
inline constexpr char kRelocateDeclined[] =
    "No problem: the schedule has been left as is. Click OK to continue.";
inline constexpr char kRelocateNoFolder[] =
    "Could not be done because destination folder could not be created. Click OK to continue.";
inline constexpr char kRelocateNoDrive[] =
    "Could not be done because destination drive could not be found. Click OK to continue.";
inline constexpr char kRelocateSuccess[] =
    "Success: files transferred and schedule set as default.\n\nJust to be safe, a copy of the "
    "schedule files has also been left in the previous location.\n\nClick OK to continue.";

// ---- Backup All ---------------------------------------------------------------------------

inline constexpr char kBackupAllQuestion[] =
    "Would you like to proceed with backing up all you Ploven information to a folder of your "
    "choice on another drive?";
inline constexpr char kBackupAllExplanation[] =
    "\n\nEvery file of your schedule folder is copied: the schedule, its backups, and the logs "
    "kept beside it. Your schedule is saved first.";
inline constexpr char kBackupAllCaption[] = "Backup all Ploven information";
inline constexpr char kBackupAllButtons[] = "&Help\nPr&oceed\nCancel";
inline constexpr int kBackupAllHelp = 23;
inline constexpr int kBackupAllProceed = 24;
inline constexpr char kBackupAllHelpTopic[] = "Backup.htm";
inline constexpr char kBackupIntoScheduleFolder[] =
    "Please choose a destination other than the schedule's own folder.";
inline constexpr char kBackupFailed[] = "Backup was NOT successfully completed.";
inline constexpr char kBackupDoneClose[] =
    "Backup was successful. Would you like to close this schedule now?";
inline constexpr char kBackupDoneCloseNote[] =
    "\n\n(Closing the only schedule that is open exits Ploven.)";

}  // namespace ploven::files_text
