#pragma once

// What the schedule's password tells the user.
namespace ploven::password_text {

inline constexpr char kSet[] = "The password is set: Ploven asks for it whenever this schedule "
                               "is opened.";
inline constexpr char kRemoved[] = "The password is removed: this schedule opens without one.";
inline constexpr char kUnchanged[] = "This schedule has no password; nothing was changed.";
inline constexpr char kWrongCurrent[] =
    "The current password is not the one typed. The password was not changed.";
inline constexpr char kMismatch[] =
    "The two new passwords are not the same. Please type the new password twice.";
inline constexpr char kNotStored[] =
    "The password could not be stored, so the schedule keeps its old one.";
inline constexpr char kAskCaption[] = "Password";
inline constexpr char kAskPrompt[] = "This schedule is protected by a password.\n\nPassword for %1:";
inline constexpr char kRefused[] = "That is not the password of this schedule.";
inline constexpr char kGivenUp[] =
    "The schedule was not opened: its password was not given. Ploven will now close.";

}  // namespace ploven::password_text
