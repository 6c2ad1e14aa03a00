#pragma once

// The program's own texts for messages, the error log and the internal-error report.
namespace ploven::msg {

inline constexpr char kProductName[] = "Ploven";
inline constexpr char kCaptionFormat[] = "%s - %s";
inline constexpr int kCaptionLimit = 110;  // a caption this long is an internal error
inline constexpr char kMsgCaptionTooLong[] = "MsgCaption too long";
inline constexpr char kMsgModule[] = "Msg";
inline constexpr char kDefaultBoxCaption[] = "Error";
inline constexpr size_t kLastMessageLimit = 1149;

// Update Computer Clock: what the system's time service says.
inline constexpr char kClockSynchronized[] =
    "This computer's clock is kept right by the system's network time service: it is "
    "synchronised.";
inline constexpr char kClockNotSynchronized[] =
    "This computer's clock is NOT synchronised with a network time server at the moment, so it "
    "may be off. Alarms and the current time in Ploven follow this clock.";
inline constexpr char kClockSyncUnknown[] =
    "Ploven could not ask the system's time service whether the clock is synchronised.";
inline constexpr char kClockSyncHowTo[] =
    "\n\nTo have the clock kept right, switch on network time: in the desktop's Date & Time "
    "settings (\"Set time automatically\"), or with the command\n    timedatectl set-ntp true\n"
    "Ploven itself never changes the clock.";
inline constexpr char kClockTimezone[] = "\n\nTime zone: ";

// A world clock's offset against this computer's time.
inline constexpr char kZoneAhead[] = " ahead";
inline constexpr char kZoneBehind[] = " behind";

// The labels' names until the user gives them others.
inline constexpr char kNoLabelName[] = "(no label)";
inline constexpr char kLabelDefaultName[] = "Label %d";

// The reasons callers give for a lost handle and a failed lock.
inline constexpr char kNullHandle[] =
    "Ploven unfortunately lost track of a piece of key temporary data. To be safe, we will force "
    "you to restart Ploven. Your data is fine. Sorry for your trouble.";
inline constexpr char kLockFailed[] =
    "Ploven unfortunately lost track of a key piece of temporary data. To be safe, we're forcing "
    "you to restart Ploven. Your data is fine. Sorry for your trouble.";

// Resource error (string resource 441).
inline constexpr char kMemoryFull[] =
    "Your computer's system memory is full, however Ploven is fine. Close at least one other "
    "program, then click OK to continue using Ploven.";
inline constexpr char kResourceErrorCondition[] = "[Version:%s Error Condition:%s%d]";

// Internal-error report.
inline constexpr char kScheduleReaderModule[] = "Pakload";
inline constexpr char kInternalCondition[] = "Version %s: %s%d";
inline constexpr char kInternalLogLine[] = "%s %s %s";
inline constexpr char kInternalApology[] =
    "Our apologies: something unexpected has happened that requires you to exit Ploven.\n\n";
inline constexpr char kInternalCorrupt1[] =
    "We suspect that your main schedule file (called timedata.pak) may be corrupt and thus "
    "potentially unusable.\n\n";
inline constexpr char kInternalCorrupt2[] =
    "Don't worry: Ploven automatically made backups of your timedata.pak file while it was known "
    "to be healthy, however we wish to take a cautious approach now before those backups are "
    "potentially overwritten by a potentially corrupt file.\n\n";
inline constexpr char kInternalSavedAgo[] =
    "Your schedule data was most recently automatically saved %d seconds ago.\n\n";
inline constexpr char kInternalAllSaved[] =
    "All the most recent changes to your schedule data were saved before this happened, so "
    "exiting now will not result in any changes you recently made being lost.\n\n";
inline constexpr char kTroubleshootingTopic[] = "Troubleshooting.htm#corrupt";
inline constexpr char kErrorMessagesTopic[] = "ErrorMessages.htm";
inline constexpr char kInternalReadTroubleshooting[] =
    "Therefore, if this message reappears after you launch Ploven again, please read the "
    "Troubleshooting help topic\n";
inline constexpr char kInternalReadErrorMessages[] =
    "If this message reappears after you launch Ploven again, please read the Error Messages "
    "Explained help topic\n";
inline constexpr char kInternalLaunchHelp[] =
    " (you can launch Ploven Help from outside of Ploven, by choosing Start | All Programs | "
    "Ploven | Ploven Help).\n\n";
inline constexpr char kInternalSupportContact[] =
    "Please contact Ploven technical support (Help menu, Get Technical Support) to ";
inline constexpr char kInternalReportCondition[] = "report this error condition:\n%s\n";
inline constexpr char kInternalCutAndPaste[] =
    "(You can cut and paste this entire message by pressing Ctrl+C now, then Ctrl+V in your "
    "e-mail software).\n\n";
inline constexpr char kInternalClickOk[] =
    "Please click OK now, then launch Ploven again. Thank you for your patience.\n\n";
inline constexpr char kInternalButton[] = "&Exit Ploven";
inline constexpr char kInternalCaption[] =
    "Forcing shutdown of Ploven, to protect your schedule file";
inline constexpr char kShutdownLogLine[] =
    "Ploven shutdown (normal shutdown requested by user, or Ploven insisted upon shutdown due to "
    "error condition).";

// Multi-button box.
inline constexpr char kDontWarnAgain[] = "Don't warn me again";
inline constexpr char kDontTellAgain[] = "Don't tell me again";
inline constexpr char kDontShowAgain[] = "Don't show again";
inline constexpr char kCountdownCaption[] = "%s = %d";  // default button's caption, seconds left
inline constexpr char kDoNotAskValue[] = "%08X";
inline constexpr char kAbort[] = "&Abort";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kContinue[] = "&Continue";
inline constexpr char kHelp[] = "&Help";
inline constexpr char kIgnore[] = "&Ignore";
inline constexpr char kIgnoreAll[] = "I&gnore All";
inline constexpr char kNo[] = "&No";
inline constexpr char kNoToAll[] = "N&o to All";
inline constexpr char kOk[] = "OK";
inline constexpr char kReport[] = "Re&port";
inline constexpr char kRetry[] = "&Retry";
inline constexpr char kSkip[] = "&Skip";
inline constexpr char kSkipAll[] = "S&kip All";
inline constexpr char kTryAgain[] = "&Try Again";
inline constexpr char kYes[] = "&Yes";
inline constexpr char kYesToAll[] = "Y&es to All";
inline constexpr char kHelpContentsTopic[] = "index.htm";
inline constexpr char kHelpContextTopic[] = "context%d.htm";

// Settings.
inline constexpr char kExtremeLogging[] = "Extreme error logging is on.";

// Event trace entry.
inline constexpr char kTraceEntry[] = "%s %s: event#%d SaveInProgress?%d ViewMode#%d curdat:%s ";
inline constexpr char kTraceItem[] = "hAct:%u flags:%x Recurr:%s FTD?%c";

// About box and its buttons.
inline constexpr char kAboutTopic[] = "AboutPloven.htm";
inline constexpr char kSupportTopic[] = "support.htm";
inline constexpr char kPluginLine[] = "Ploven calendar plug-in";
inline constexpr char kPluginFileDate[] = " file date: ";
inline constexpr char kPluginNotInstalled[] = ": not installed";
inline constexpr char kPluginRunning[] = ", running";
inline constexpr char kPluginNotRunning[] = ", not running";
inline constexpr char kAboutLocation[] =
    "Program location: %s\rProgram file date: %s\rCurrent schedule file: %s";
inline constexpr char kAboutProgramFolder[] = "Folder containing Ploven.exe: %s\n";
inline constexpr char kCleanupWorkingDirectory[] = "Working directory: %s\n";
inline constexpr char kCleanupSchedule[] = "Schedule file: %s\n\n";
inline constexpr char kCleanupQuestion[] =
    "Would you like Ploven to search your schedule for any wrongly duplicated consecutive items, "
    "tell you about any found, and automatically correct them?";
inline constexpr char kCleanupFinished[] =
    "The search for wrongly duplicated consecutive items has been finished.";
inline constexpr char kMoreProductName[] = "Product Name: %s\n";
inline constexpr char kMoreVersion[] = "Version: %s\n";
inline constexpr char kMoreWorkingFolder[] = "Working folder: %s\n";
inline constexpr char kMoreSchedule[] = "Schedule: %s\n\n";
inline constexpr char kMoreLastArchived[] = "Last date archived: %s\n";
inline constexpr char kMoreLastArchivedNonNull[] = "Last archived non-null: %s\n";
inline constexpr char kMoreFluidTotal[] =
    "Fluid items total time for day: (%s)\n%d tasks, %d terminals";
inline constexpr char kSupportButtons[] = "&E-mail\n&Web Request Form\n&Other Support Options";
inline constexpr char kSupportCaption[] = "Get Technical Support";

// Settings that could not be stored (the settings dialogs, plovenctl set).
inline constexpr char kSettingsNotWritten[] =
    "The settings could not be written to Ploven.ini, so they apply only until Ploven is "
    "closed.";

}  // namespace ploven::msg
