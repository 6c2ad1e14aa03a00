#pragma once

// The desktop program's own texts, word for word.
namespace ploven::app_text {

inline constexpr char kProductName[] = "Ploven";
inline constexpr char kNoUserName[] = "(no user name)";
inline constexpr char kDateOutOfRange[] =
    "Cannot go to that date, as it is out of Ploven's allowed date range of April 18 1986 to "
    "Dec 31 2068.";
inline constexpr char kGoToDateCaption[] = "Go To Date";
inline constexpr char kGoToDatePrompt[] = "Date (for example 12/25, tomorrow, +7, fri):";
inline constexpr char kNothingToUndelete[] = "There is nothing left to undelete.";
inline constexpr char kNothingToPaste[] = "There's no text in the clipboard to paste.";
inline constexpr char kDuplicateQuestion[] =
    "You are duplicating an instance of a recurring item.\n\nWould you like to create one "
    "non-recurring item\nor create a new series of recurring items?";
inline constexpr char kDuplicateButtons[] = "&One item\n&Series of items\nCa&ncel";
inline constexpr char kSaveAsCaption[] = "Save As: choose the folder for the schedule";
inline constexpr char kBackupCaption[] = "Backup: choose the folder to copy the schedule into";
inline constexpr char kNotAvailable[] = "Command %1 is not available.";
inline constexpr char kNotYetBuilt[] =
    "\"%1\" is not available in this version of Ploven yet.";
inline constexpr char kCalendarCaption[] = "Calendar";
inline constexpr char kProjectReportCaption[] = "Daily Time By Project Report";
inline constexpr char kProjectReportDays[] = "Days up to the viewed day:";
inline constexpr char kTextFiles[] = "Text files (*.txt)";
inline constexpr char kExitWithoutSaving[] = "Are you sure you want to exit without saving data?";

// The quick changes, deletes by tag and the other ends of an item (Edit menu).
inline constexpr char kSelectItemFirst[] = "Select an item first.";
inline constexpr char kLabelCaption[] = "Label";
inline constexpr char kLabelPrompt[] = "Label of the item (0 for none, 1 to 9):";
inline constexpr char kDeleteTaggedQuestion[] =
    "Delete the %1 items whose titles begin with %2?\n\n(Each can be brought back with Undelete "
    "Item until the schedule is closed. Projects are not deleted by this command.)";
inline constexpr char kDeleteTaggedNone[] = "There are no items whose titles begin with %1.";
inline constexpr char kDeleteTaggedDone[] = "%1 items were deleted.";
inline constexpr char kFailedAttemptRefused[] =
    "Record Failed Attempt works on an item that is not done yet and takes time (not a memo).";
inline constexpr char kCancelRefused[] = "Only an item that is not done yet can be cancelled.";
inline constexpr char kCancelQuestion[] =
    "Cancel \"%1\"?\n\nIt is closed as done, taking no time, and the done items log keeps it "
    "as cancelled.";
inline constexpr char kTagUntagOutsideProjects[] =
    "Tag/Untag Project works on the selected project of the Projects List (Ctrl+J).";
inline constexpr char kInterruptSaveFailed[] = "The interruption could not be written to %1: %2";
// The View commands on the selected item.
inline constexpr char kItemTitleCaption[] = "Item Title";
inline constexpr char kCreationCaption[] = "Item Or Project Creation Time";
inline constexpr char kSplitCaption[] = "Split Item Breakdown";
inline constexpr char kNoWebSite[] =
    "The selected item's title holds no web address (one beginning with http://, https:// or "
    "www.).";
inline constexpr char kWebSiteFailed[] = "The desktop could not open %1.";
// The popups filled at run time.
inline constexpr char kNoGapfillers[] =
    "(no flexible item fits the free time left today)";
inline constexpr char kNoMultiusers[] =
    "(no other user's schedule beside this one's folder)";
inline constexpr char kGapfillerItem[] = "%1  (%2)";
inline constexpr char kOtherScheduleUnreadable[] = "%1's schedule could not be read.";
// The reports.
inline constexpr char kTurnoverPeriodQuestion[] = "Show the turnover score of the viewed week or month?";
inline constexpr char kTurnoverPeriodButtons[] = "&Week\n&Month\nCa&ncel";

// Start-up.
inline constexpr char kSplashLoading[] = "Ploven schedule loading...";
inline constexpr char kSplashLoading2[] = "Loading schedule....";
inline constexpr char kSplashLoading3[] = "Loading schedule.....";
inline constexpr char kSplashScanning[] = "Scanning for reminders and alarms...";
inline constexpr char kSplashCompletion[] = "Schedule load completion...";
inline constexpr char kCannotOpen[] =
    "Ploven must close the schedule you were opening. (If this is the only schedule open, then "
    "Ploven will close entirely.)\n\nClick OK to proceed.";

// The first-run questions.
inline constexpr char kUserNameCaption[] = "4 of 7: Decide on your User Name";
inline constexpr char kUserNameText[] =
    "Your new Ploven\u2122 schedule needs a User Name (to tell it apart from other people's "
    "schedules that could be on the same network or computer).\n\nYou have not yet designated a "
    "User Name, so Ploven will ask you to choose one after you click Next.";
inline constexpr char kNextButton[] = "&Next";
inline constexpr char kUserNameDialogCaption[] = "User Name Setting";
inline constexpr char kUserNameDialogPrompt[] = "Your User Name:";
inline constexpr char kTutorialCaption[] = "5 of 7: Load the tutorial lessons?";
inline constexpr char kTutorialText[] =
    "Just two more things...\n\nFirst, would you like to load the tutorial (a series of "
    "one-a-day five minute lessons on how to use Ploven\u2122 effectively) into your schedule "
    "right now?";
inline constexpr char kTutorialButtons[] = "&Load tutorial\n&No, maybe later";
inline constexpr char kTutorialLater[] =
    "No problem: you can load the tutorial some other time, by choosing the Load Ploven "
    "Tutorial command from the Help menu.";
inline constexpr char kModeCaption[] = "6 of 7: Light Mode and Pro Mode";
inline constexpr char kModeText[] =
    "Thank you for your patience. One more important question before you start turning intent "
    "into action...\n\n\nPloven\u2122 has two modes: Light mode and Pro mode. Light mode is "
    "simpler, while Pro mode is far more powerful.\n\nWe encourage you to try Pro Mode at some "
    "point, as you'll find most of Ploven's unique capabilities there. You can switch back and "
    "forth as often as you'd like, at any time (from the Settings menu). Switching won't affect "
    "your data: just what you can do with it. Which mode will you start in?";
inline constexpr char kModeButtons[] = "&Light Mode\n&Pro Mode";
inline constexpr char kDoneCaption[] = "7 of 7: Done!";
inline constexpr char kDoneText[] =
    "You're now set to use Ploven\u2122. Enjoy!\n\n(If you have questions, please explore the "
    "resources on the Help menu.)\n\nIf you're not sure what to do after clicking the Finish "
    "button, perhaps press Insert to create a new item...or explore each command in the "
    "Settings menu to start customizing Ploven\u2122.";
inline constexpr char kFinishButton[] = "&Finish";

// The import-once files.
inline constexpr char kImportOnceFile[] = "ImportOnce.txt";
inline constexpr char kImportOnceSilentFile[] = "ImportOnceSilent.txt";
inline constexpr char kImportOnceQuestion[] =
    "Ploven has detected an ImportOnce.txt file located at %s. \n\nProceed with importing, then "
    "deleting, this file?";
inline constexpr char kImportOnceDeclined[] =
    "Glad we asked: nothing was imported. (If you never want to be asked again, you should "
    "delete the ImportOnce.txt file). Click OK to return to other Ploven activities.";
inline constexpr char kImportOnceDone[] =
    "%d items imported, so import process complete. Click OK to delete the ImportOnce.txt file.";
inline constexpr char kImportOnceNotDeleted[] = " could not be deleted, so we are leaving it there.";

// The Advanced Timekeeping commands.
inline constexpr char kEarlierEndCaption[] = "Done w/ Earlier End Time";
inline constexpr char kEarlierEndQuestion[] = "At what time did you finish this item?";
inline constexpr char kDoneForNowRefused[] =
    "Done For Now & Finish Later splits off the time worked so far, from the item's start until "
    "now. This item has not begun yet, or its planned time is used up already: use Done! "
    "instead.";

// Request Write Access (a schedule opened read-only because another program was changing it).
inline constexpr char kReadOnlyTitle[] = " (read only)";
inline constexpr char kWriteAccessHeld[] = "You already have write access to this schedule.";
inline constexpr char kWriteAccessGranted[] =
    "You now have write access to this schedule: your changes will be saved.";
inline constexpr char kWriteAccessStillHeld[] =
    "%s on %s is still changing this schedule, so it stays read-only here. Ploven has asked "
    "them to close it; choose Request Write Access (Ctrl+Shift+A) again in a moment.";
inline constexpr char kWriteAccessStillHeldUnknown[] =
    "Another program is still changing this schedule, so it stays read-only here. Choose "
    "Request Write Access (Ctrl+Shift+A) again in a moment.";
inline constexpr char kWriteAccessChanged[] =
    "This schedule was saved by its other user after Ploven read it, so what you see is not "
    "the newest version. Ploven will open it again, then you can change it.\n\nOpen it again "
    "now?";
inline constexpr char kWriteAccessNoRestart[] =
    "Ploven could not start again by itself. Close it and open the schedule again to change it.";

// The calendar server's password, asked when the companion has none.
inline constexpr char kServerPasswordCaption[] = "Calendar Server Password";
inline constexpr char kServerPasswordPrompt[] =
    "The Ploven calendar plug-in needs the password of %1 on the calendar server %2.\n\n"
    "Ploven keeps it in memory until it ends. To keep it for good, enter it in Synchronization "
    "Settings (on the Settings menu) while your desktop's password store is running.";
inline constexpr char kServerPasswordRefused[] =
    "The calendar server did not accept the password given before.\n\n";
inline constexpr char kServerNoUser[] = "(no user name)";

}  // namespace ploven::app_text
