#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ploven {

class FileSystem;
class Messages;
class PasswordHasher;

// The password of one schedule: only its salted hash is kept, in a file beside the schedule
// ("work.pwd" for "work.pak"), so it travels with the schedule when the folder is copied.
std::string PasswordFilePath(const std::string& schedulePath);
bool HasPassword(FileSystem& fs, const std::string& schedulePath);

// True when the schedule has no password or `typed` is it.
bool PasswordAccepted(FileSystem& fs, PasswordHasher& hasher, const std::string& schedulePath,
                      std::string_view typed);

// Before a schedule with a password opens: asks for it (`ask` gives nothing when the user
// cancels) until it is right, at most three times, telling each refusal. False when it was not
// given; then the schedule must not be shown.
inline constexpr int kPasswordTries = 3;
bool PasswordGiven(FileSystem& fs, PasswordHasher& hasher, const std::string& schedulePath,
                   Messages& messages, const std::function<std::optional<std::string>()>& ask);

enum class PasswordChange {
  kSet,           // a new password is in force
  kRemoved,       // the schedule opens without one now
  kUnchanged,     // no password before and none asked for
  kWrongCurrent,  // the current password was not the one typed
  kMismatch,      // the two new passwords differ
  kNotStored,     // hashing or writing failed; the old password stays
};

// Sets, replaces or (with both new fields empty) removes the password.
PasswordChange ChangePassword(FileSystem& fs, PasswordHasher& hasher,
                              const std::string& schedulePath, std::string_view current,
                              std::string_view newPassword, std::string_view confirmation);

// What to tell the user about each outcome.
const char* PasswordChangeText(PasswordChange change);

}  // namespace ploven
