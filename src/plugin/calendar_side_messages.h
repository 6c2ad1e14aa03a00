#pragma once

// What the companion's calendar side tells the user (through the main program) and its log.
namespace ploven::calendar::messages {

// Notices (code 0x3B66AC8A), shown once by the main program.
inline constexpr char kConflictKept[] =
    "\"%1\" was changed both in Ploven and in your calendar. Ploven's version was written to your "
    "calendar; the calendar's version is kept in %2.";
inline constexpr char kFolderEmptied[] =
    "Your calendar folder %1 holds no items any more, although it held %2. Ploven changed "
    "nothing in your schedule. If the items were meant to go, delete them in Ploven; if not, "
    "bring the folder's files back.";
inline constexpr char kFolderMissing[] =
    "Your calendar folder %1 cannot be found. Ploven changed nothing in your schedule; check the "
    "folder in Synchronization Settings.";
inline constexpr char kCollectionEmptied[] =
    "Your calendar %1 on the server holds no items any more, although it held %2. Ploven "
    "changed nothing in your schedule. If the items were meant to go, delete them in Ploven; if "
    "not, bring them back on the server.";
inline constexpr char kCollectionMissing[] =
    "Your calendar %1 cannot be found on the server. Ploven changed nothing in your schedule; "
    "check the server's address in Synchronization Settings.";

// Log lines and reasons for the main program.
inline constexpr char kMemoryUnavailable[] = "the calendar memory %1 cannot be opened: %2";
inline constexpr char kRecordUnreadable[] = "the record does not read: %1";
inline constexpr char kUnknownAction[] = "unknown action %1 for code %2";
inline constexpr char kFileNotWritten[] = "%1 could not be written: %2";
inline constexpr char kFileNotRead[] = "%1 could not be read: %2";
inline constexpr char kNotReached[] = "the calendar %1 could not be reached: %2";
inline constexpr char kChangedWhileWritten[] =
    "%1 changed in the calendar again while Ploven's version was written; tried later";
inline constexpr char kFileSkipped[] = "skipped %1: %2";
inline constexpr char kItemNotFound[] = "no calendar item for \"%1\" (item %2); nothing to do";
inline constexpr char kMemoryFailed[] = "the calendar memory failed: %1";

// The calendar server: notices for the user.
inline constexpr char kServerUnreachable[] =
    "Your calendar server %1 cannot be reached (%2). Ploven's changes wait on this computer and "
    "will be sent when the server answers again.";
inline constexpr char kServerRefusedRecord[] =
    "Your calendar server %1 did not take a change from Ploven: %2. That change was not sent; "
    "make it again in Ploven if you still want it in your calendar.";

// The calendar server: log lines. A password never goes into one.
inline constexpr char kServerDown[] = "calendar server %1 cannot be reached: %2; the changes wait";
inline constexpr char kServerBack[] = "calendar server %1 answers again; the waiting changes go";
inline constexpr char kServerRefusedLog[] = "calendar server %1 refused a record (%2, code %3): %4";
inline constexpr char kServerLoginRefused[] =
    "calendar server %1 refused the login of \"%2\"; Ploven is asked for the password";
inline constexpr char kServerPasswordTaken[] = "a password for %1 (\"%2\") came; trying again";
inline constexpr char kServerPasswordElsewhere[] =
    "a password for %1 (\"%2\") came, but this companion serves %3; it is kept";
inline constexpr char kServerPasswordUnreadable[] =
    "a password message that does not read; ignored";
inline constexpr char kServerTargetNotMade[] =
    "the calendar on %1 could not be made; trying again later";
inline constexpr char kOutboxUnavailable[] = "the outbox %1 cannot be opened: %2";
inline constexpr char kOutboxNewer[] = "it was made by a newer Ploven (version %1)";
inline constexpr char kOutboxFailed[] = "the outbox failed: %1";

}  // namespace ploven::calendar::messages
