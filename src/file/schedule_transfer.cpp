#include "file/schedule_transfer.h"

#include <cstring>
#include <filesystem>

#include "file/backup_names.h"
#include "file/file_system.h"
#include "file/transfer_messages.h"
#include "platform/format.h"

namespace ploven {

namespace t = transfer_text;
namespace stdfs = std::filesystem;

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return (stdfs::path(folder) / name).string();
}

std::string NameOf(const std::string& path) { return stdfs::path(path).filename().string(); }

TransferResult Failed(const std::string& path, int error) {
  TransferResult r;
  r.status = TransferStatus::kFailed;
  r.failedPath = path;
  r.error = error;
  return r;
}

// Copies every file of one folder into another (made when missing); counts them in `copied`.
std::optional<TransferResult> CopyFolder(FileSystem& fs, const std::string& from,
                                         const std::string& to, int& copied) {
  const std::vector<std::string> names = fs.ListFiles(from);
  if (names.empty()) return std::nullopt;
  if (int e = fs.MakeFolders(to)) return Failed(to, e);
  for (const std::string& name : names) {
    const FileOutcome o = CopyFileSafely(fs, Join(from, name), Join(to, name));
    if (!o.ok()) return Failed(Join(from, name), o.error);
    ++copied;
  }
  return std::nullopt;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  return s;
}

std::string Normal(const std::string& folder) {
  std::error_code ec;
  stdfs::path p = stdfs::weakly_canonical(stdfs::absolute(folder, ec), ec);
  return p.lexically_normal().string();
}

}  // namespace

std::string CheckOutMarkPath(const std::string& schedulePath) {
  return stdfs::path(schedulePath).replace_extension(".out").string();
}

std::string CheckInBackupPath(const std::string& schedulePath) {
  stdfs::path p(schedulePath);
  return (p.parent_path() / (p.stem().string() + " before check in" + p.extension().string()))
      .string();
}

std::optional<std::string> CheckedOutTo(FileSystem& fs, const std::string& schedulePath) {
  const auto bytes = fs.ReadFile(CheckOutMarkPath(schedulePath));
  if (!bytes.ok()) return std::nullopt;
  std::string folder = Trimmed(std::string(bytes.value->begin(), bytes.value->end()));
  // A mark that names no folder still means out: it must not be ignored silently.
  return folder.empty() ? std::string("?") : folder;
}

TransferResult CheckOut(FileSystem& fs, const std::string& schedulePath,
                        const std::string& notesFolder, const std::string& toFolder) {
  TransferResult r;
  r.folder = toFolder;
  if (toFolder.empty() || !fs.IsFolder(toFolder)) {
    r.status = TransferStatus::kNotAFolder;
    return r;
  }
  if (Normal(toFolder) == Normal(FolderOf(schedulePath))) {
    r.status = TransferStatus::kSameFolder;
    return r;
  }
  const FileOutcome copied =
      CopyFileSafely(fs, schedulePath, Join(toFolder, NameOf(schedulePath)));
  if (!copied.ok()) return Failed(schedulePath, copied.error);
  // The calendar memory goes along, so an import on the other machine does not add twice.
  const std::string memory = BackupNames(schedulePath).CalendarMemory();
  if (fs.Exists(memory)) {
    const FileOutcome o = CopyFileSafely(fs, memory, Join(toFolder, NameOf(memory)));
    if (!o.ok()) return Failed(memory, o.error);
  }
  int notes = 0;
  if (auto failed = CopyFolder(fs, notesFolder, Join(toFolder, NameOf(notesFolder)), notes))
    return *failed;
  // The mark last: a schedule is out only once its copy is whole.
  const std::string mark = toFolder + "\n";
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(mark.data()), mark.size());
  const FileOutcome marked = WriteWholeFile(fs, CheckOutMarkPath(schedulePath), bytes);
  if (!marked.ok()) return Failed(CheckOutMarkPath(schedulePath), marked.error);
  r.status = TransferStatus::kDone;
  r.notesCopied = notes;
  return r;
}

TransferResult CheckIn(FileSystem& fs, const std::string& schedulePath,
                       const std::string& notesFolder, bool evenIfNotNewer) {
  TransferResult r;
  const std::optional<std::string> folder = CheckedOutTo(fs, schedulePath);
  if (!folder) {
    r.status = TransferStatus::kNotCheckedOut;
    return r;
  }
  r.folder = *folder;
  const std::string copy = Join(*folder, NameOf(schedulePath));
  if (!fs.Exists(copy)) {
    r.status = TransferStatus::kNoCopy;
    return r;
  }
  const auto copyTime = fs.ModifiedSeconds(copy);
  const auto hereTime = fs.ModifiedSeconds(schedulePath);
  if (!evenIfNotNewer && copyTime && hereTime && *copyTime <= *hereTime) {
    r.status = TransferStatus::kCopyNotNewer;
    return r;
  }
  // The schedule and notes here are kept first, so nothing of them is lost.
  if (fs.Exists(schedulePath)) {
    const FileOutcome kept = CopyFileSafely(fs, schedulePath, CheckInBackupPath(schedulePath));
    if (!kept.ok()) return Failed(CheckInBackupPath(schedulePath), kept.error);
  }
  int keptNotes = 0;
  if (auto failed = CopyFolder(fs, notesFolder, notesFolder + " before check in", keptNotes))
    return *failed;
  const FileOutcome back = CopyFileSafely(fs, copy, schedulePath);
  if (!back.ok()) return Failed(copy, back.error);
  const std::string memory = BackupNames(schedulePath).CalendarMemory();
  const std::string memoryCopy = Join(*folder, NameOf(memory));
  if (fs.Exists(memoryCopy)) {
    const FileOutcome o = CopyFileSafely(fs, memoryCopy, memory);
    if (!o.ok()) return Failed(memoryCopy, o.error);
  }
  int notes = 0;
  if (auto failed = CopyFolder(fs, Join(*folder, NameOf(notesFolder)), notesFolder, notes))
    return *failed;
  fs.Remove(CheckOutMarkPath(schedulePath));
  r.backupPath = CheckInBackupPath(schedulePath);
  r.status = TransferStatus::kDone;
  r.notesCopied = notes;
  return r;
}

std::string TransferResultText(const TransferResult& r, bool checkIn) {
  switch (r.status) {
    case TransferStatus::kDone:
      return checkIn ? Sprintf(t::kCheckedIn, r.folder.c_str(), r.notesCopied, r.backupPath.c_str())
                     : Sprintf(t::kCheckedOut, r.notesCopied, r.folder.c_str());
    case TransferStatus::kSameFolder:
      return t::kSameFolder;
    case TransferStatus::kNotAFolder:
      return Sprintf(t::kNotAFolder, r.folder.c_str());
    case TransferStatus::kNotCheckedOut:
      return t::kNotCheckedOut;
    case TransferStatus::kNoCopy:
      return Sprintf(t::kNoCopy, r.folder.c_str());
    case TransferStatus::kCopyNotNewer:
      return Sprintf(t::kCopyNotNewer, r.folder.c_str());
    case TransferStatus::kFailed:
      return Sprintf(t::kFailed, r.failedPath.c_str(), std::strerror(r.error));
  }
  return {};
}

}  // namespace ploven
