#include "file/schedule_password.h"

#include <filesystem>

#include "file/file_system.h"
#include "file/password_messages.h"
#include "platform/messages.h"
#include "platform/password_hasher.h"

namespace ploven {

namespace t = password_text;

namespace {

std::optional<std::string> StoredHash(FileSystem& fs, const std::string& schedulePath) {
  const auto bytes = fs.ReadFile(PasswordFilePath(schedulePath));
  if (!bytes.ok()) return std::nullopt;
  std::string text(bytes.value->begin(), bytes.value->end());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\0'))
    text.pop_back();
  return text;
}

}  // namespace

std::string PasswordFilePath(const std::string& schedulePath) {
  return std::filesystem::path(schedulePath).replace_extension(".pwd").string();
}

bool HasPassword(FileSystem& fs, const std::string& schedulePath) {
  return fs.Exists(PasswordFilePath(schedulePath));
}

bool PasswordAccepted(FileSystem& fs, PasswordHasher& hasher, const std::string& schedulePath,
                      std::string_view typed) {
  if (!HasPassword(fs, schedulePath)) return true;
  // A password file that cannot be read, or is empty, lets nobody in: it is not "no password".
  const auto stored = StoredHash(fs, schedulePath);
  return stored && !stored->empty() && hasher.Verify(*stored, typed);
}

bool PasswordGiven(FileSystem& fs, PasswordHasher& hasher, const std::string& schedulePath,
                   Messages& messages, const std::function<std::optional<std::string>()>& ask) {
  if (!HasPassword(fs, schedulePath)) return true;
  for (int attempt = 0; attempt < kPasswordTries; ++attempt) {
    const std::optional<std::string> typed = ask();
    if (!typed) break;
    if (PasswordAccepted(fs, hasher, schedulePath, *typed)) return true;
    if (attempt + 1 < kPasswordTries) messages.ErrorMessage(t::kRefused);
  }
  messages.ErrorMessage(t::kGivenUp);
  return false;
}

PasswordChange ChangePassword(FileSystem& fs, PasswordHasher& hasher,
                              const std::string& schedulePath, std::string_view current,
                              std::string_view newPassword, std::string_view confirmation) {
  const bool had = HasPassword(fs, schedulePath);
  if (had && !PasswordAccepted(fs, hasher, schedulePath, current))
    return PasswordChange::kWrongCurrent;
  if (newPassword != confirmation) return PasswordChange::kMismatch;
  const std::string path = PasswordFilePath(schedulePath);
  if (newPassword.empty()) {
    if (!had) return PasswordChange::kUnchanged;
    return fs.Remove(path) == 0 ? PasswordChange::kRemoved : PasswordChange::kNotStored;
  }
  const auto hash = hasher.Hash(newPassword);
  if (!hash || hash->empty()) return PasswordChange::kNotStored;
  const std::string line = *hash + "\n";
  // Written beside and renamed over, so a failed write keeps the old password whole.
  const std::string temporary = path + ".tmp";
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(line.data()), line.size());
  if (!WriteWholeFile(fs, temporary, bytes).ok()) return PasswordChange::kNotStored;
  if (fs.Rename(temporary, path) != 0) {
    fs.Remove(temporary);
    return PasswordChange::kNotStored;
  }
  return PasswordChange::kSet;
}

const char* PasswordChangeText(PasswordChange change) {
  switch (change) {
    case PasswordChange::kSet:
      return t::kSet;
    case PasswordChange::kRemoved:
      return t::kRemoved;
    case PasswordChange::kUnchanged:
      return t::kUnchanged;
    case PasswordChange::kWrongCurrent:
      return t::kWrongCurrent;
    case PasswordChange::kMismatch:
      return t::kMismatch;
    case PasswordChange::kNotStored:
      return t::kNotStored;
  }
  return t::kNotStored;
}

}  // namespace ploven
