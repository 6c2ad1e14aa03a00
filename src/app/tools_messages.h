#pragma once

// The texts of the File transfer commands, the Help commands, the toolbar and the Tools menu.
namespace ploven::tools_text {

// File
inline constexpr char kOpenAtLaunchDone[] =
    "From now on Ploven opens \"%1\" when it is started without naming a schedule.";
inline constexpr char kOpenAtLaunchFailed[] =
    "Ploven could not write \"%1\" (%2), so the schedule opened at launch stays as it was.";
inline constexpr char kCheckOutSaveFailed[] =
    "The schedule could not be saved, so it was not checked out.";
inline constexpr char kCheckInFirstSave[] = "The schedule could not be saved, so the changes made "
                                            "here since Check Out may be missing from the backup.";

// Help
inline constexpr char kTutorialAsk[] =
    "Load the Ploven tutorial? It puts one short lesson on each of the next %1 days, starting "
    "today, as a memo marked [Lesson] with the lesson in its note.\n\nEdit > Delete [Sample] & "
    "[Lesson] Items removes them whenever you like.";
inline constexpr char kTutorialLoaded[] =
    "%1 lessons were loaded: the first one is on today's Day View. Open its note (Ctrl+E) to "
    "read it.";
inline constexpr char kTutorialNotLoaded[] = "The tutorial could not be loaded.";
inline constexpr char kSupportCaption[] = "Get Technical Support";
inline constexpr char kSupportText[] =
    "When you ask for help, please send these lines and the error log with your question:\n\n"
    "%1\n\nThey were copied to the clipboard. The help page \"Getting support\" says where to "
    "send them.";
inline constexpr char kSupportFacts[] = "Ploven version %1\nError log: %2\nSchedule: %3";

// Tools
inline constexpr char kNoAddressBook[] =
    "No address book program was found. Name yours in the setting \"Book\" of Ploven.ini (for "
    "example Book=gnome-contacts), or install the desktop's contacts program.";
inline constexpr char kAddressBookFailed[] = "The address book program \"%1\" could not be started.";
inline constexpr char kAreaCodesFile[] = "AreaCodes.txt";
inline constexpr char kNoAreaCodes[] =
    "There is no list of area codes yet. Put one in \"%1\" (a plain text file, one area code "
    "and its place a line) and this command shows it.";

// Toolbar
inline constexpr char kToolbarTitle[] = "Toolbar";
inline constexpr char kShowToolbar[] = "&Toolbar";

}  // namespace ploven::tools_text
