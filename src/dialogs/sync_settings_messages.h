#pragma once

// The texts of Synchronization Settings.
namespace ploven::sync_settings_text {

inline constexpr char kTitle[] = "Synchronization Settings";
inline constexpr char kToCalendarGroup[] = "From Ploven to your calendar";
inline constexpr char kToCalendar[] = "Automatically send changes in Ploven to your &calendar";
inline constexpr char kSendAppointments[] = "Send &appointments to your calendar";
inline constexpr char kSendTasks[] = "Send &tasks to your calendar";
inline constexpr char kFromCalendarGroup[] = "From your calendar to Ploven";
inline constexpr char kFromCalendar[] = "Automatically send c&hanges in your calendar to Ploven";
inline constexpr char kTakeAppointments[] = "Take in a&ppointments";
inline constexpr char kTakeTasks[] = "Take in ta&sks";
inline constexpr char kThisScheduleReceives[] =
    "&Only this schedule receives your calendar's changes";
inline constexpr char kAnyScheduleHint[] =
    "When this is not ticked, whichever schedule is open receives them.";
inline constexpr char kCalendarGroup[] = "Your calendar";
inline constexpr char kFolderKind[] = "A calendar &folder on this computer:";
inline constexpr char kServerKind[] = "A calendar on a ser&ver (CalDAV):";
inline constexpr char kFolderLabel[] = "Calendar &folder:";
inline constexpr char kServerUrlLabel[] = "A&ddress:";
inline constexpr char kServerUrlHint[] = "https://calendar.example.org/dav/ann/calendar/";
inline constexpr char kServerUserLabel[] = "&User name:";
inline constexpr char kServerPasswordLabel[] = "Pass&word:";
inline constexpr char kServerPasswordHint[] = "unchanged";
inline constexpr char kServerPasswordNote[] =
    "The password is kept in your desktop's password store, never in Ploven's files. Leave it "
    "empty to keep the one given before.";
inline constexpr char kBrowse[] = "&Browse...";
inline constexpr char kBrowseCaption[] = "Choose the calendar folder";
inline constexpr char kHelp[] = "Help";
inline constexpr char kHelpTopic[] = "SynchronizationSettings.htm";

inline constexpr char kFolderEmpty[] = "Please enter the calendar folder.";
inline constexpr char kFolderNotAbsolute[] =
    "The calendar folder must be written from the root of the file system (it starts with \"/\").";
inline constexpr char kFolderIsAFile[] = "The calendar folder names a file, not a folder: ";
inline constexpr char kServerUrlBad[] =
    "The calendar server's address must start with http:// or https:// and name the server, "
    "for example https://calendar.example.org/dav/ann/calendar/.";
inline constexpr char kPasswordInClear[] =
    "The address starts with http://, so your user name and password would travel to %1 "
    "unencrypted, readable by anyone on the way. Use https:// if the server offers it.\n\n"
    "Use this address all the same?";
inline constexpr char kNoSecretStore[] =
    "No password store is running on your desktop, so Ploven keeps the calendar server's "
    "password in memory only, until Ploven ends. It will ask for it again next time.";
inline constexpr char kSecretNotSaved[] =
    "Your desktop's password store did not take the calendar server's password (%1). Ploven "
    "keeps it in memory only, until Ploven ends.";
inline constexpr char kNotWritten[] =
    "Ploven could not write the Synchronization Settings to its settings file. They hold until "
    "Ploven ends.";

// The folder used when none is set: inside the data folder.
inline constexpr char kDefaultFolderName[] = "calendar";

}  // namespace ploven::sync_settings_text
