#pragma once

// What Check Out and Check In tell the user.
namespace ploven::transfer_text {

inline constexpr char kCheckedOut[] =
    "The schedule and %d note files were copied to \"%s\".\n\nThis schedule is now marked as "
    "checked out: use Check In to bring the copy back before changing it here.";
inline constexpr char kCheckedIn[] =
    "The schedule was brought back from \"%s\" (%d note files). The schedule as it was here is "
    "kept as \"%s\".\n\nPloven closes now; start it again to go on with the checked-in "
    "schedule.";
inline constexpr char kSameFolder[] =
    "That is the schedule's own folder. Please choose another folder (a memory stick or a "
    "shared drive, for example).";
inline constexpr char kNotAFolder[] = "\"%s\" is not a folder that can be written.";
inline constexpr char kNotCheckedOut[] =
    "This schedule is not checked out, so there is nothing to check in.";
inline constexpr char kNoCopy[] =
    "The checked-out copy is not in \"%s\". Is the drive that holds it connected?";
inline constexpr char kCopyNotNewer[] =
    "The copy in \"%s\" was not changed since it was checked out. Bring it back anyway?";
inline constexpr char kFailed[] =
    "\"%s\" could not be copied or written (%s). Nothing was marked; the schedule here is as "
    "it was.";
inline constexpr char kPickFolder[] = "Check Out: choose the folder to copy the schedule to";
inline constexpr char kChangeWhileOut[] =
    "This schedule is checked out to \"%s\". Changes made here are replaced when the copy is "
    "checked in (a backup of them is kept).\n\nChange it here anyway?";

}  // namespace ploven::transfer_text
