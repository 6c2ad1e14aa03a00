#pragma once

#include <optional>
#include <string>

namespace ploven {

class FileSystem;

// Transfer To Other PC. Check Out copies the saved schedule and its notes into a folder the
// user picks (a memory stick, a shared drive) and marks the schedule here as out, in a small
// file beside it ("work.out" for "work.pak") that names the folder. Check In brings the copy
// back over the schedule here, after keeping the schedule and the notes here as a backup.

// The folder the schedule is checked out to; nothing when it is not out.
std::optional<std::string> CheckedOutTo(FileSystem& fs, const std::string& schedulePath);
std::string CheckOutMarkPath(const std::string& schedulePath);
// "work before check in.pak" beside "work.pak": the schedule as it was before Check In.
std::string CheckInBackupPath(const std::string& schedulePath);

enum class TransferStatus {
  kDone,
  kSameFolder,      // the folder picked is the schedule's own
  kNotAFolder,      // the folder picked cannot be used
  kNotCheckedOut,   // Check In without Check Out
  kNoCopy,          // the checked-out copy is not in its folder (the stick is not plugged in?)
  kCopyNotNewer,    // the copy was not changed since (Check In asks before going on)
  kFailed,          // a file could not be copied or written; `failedPath` says which
};

struct TransferResult {
  TransferStatus status = TransferStatus::kFailed;
  std::string failedPath;
  int error = 0;      // errno of the failure
  int notesCopied = 0;
  std::string folder;  // where the copy is
  std::string backupPath;  // Check In: the schedule as it was here
};

TransferResult CheckOut(FileSystem& fs, const std::string& schedulePath,
                        const std::string& notesFolder, const std::string& toFolder);
// With `evenIfNotNewer` false, a copy no newer than the schedule here answers kCopyNotNewer and
// changes nothing.
TransferResult CheckIn(FileSystem& fs, const std::string& schedulePath,
                       const std::string& notesFolder, bool evenIfNotNewer);

// The sentence the user reads about a result (the caller adds the check-in question).
std::string TransferResultText(const TransferResult& result, bool checkIn);

}  // namespace ploven
