#pragma once

#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ploven {

// The outcome of one file operation: the value, or the errno of the failure.
template <typename T>
struct FileResult {
  std::optional<T> value;
  int error = 0;

  bool ok() const { return value.has_value(); }
  static FileResult Failed(int e) { return {std::nullopt, e}; }
};

// A file being written. A short write counts as a failure (ENOSPC).
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual int Write(std::span<const uint8_t> bytes) = 0;  // 0 or errno
  virtual int Sync() = 0;                                 // flushed to the disk
  virtual int Close() = 0;
};

enum class CreateMode {
  kTruncate,   // a new file, or an existing one emptied
  kExclusive,  // fails with EEXIST when the file is there (lock files)
  kAppend,     // created when missing, written at its end
};

// Every file operation of loading, saving, backups and locking goes through
// this port, so that tests can make any one of them fail.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual FileResult<std::vector<uint8_t>> ReadFile(const std::string& path) = 0;
  virtual FileResult<std::unique_ptr<WritableFile>> Create(const std::string& path,
                                                           CreateMode mode) = 0;
  // Replaces `to` atomically when it exists.
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  virtual int Remove(const std::string& path) = 0;  // ENOENT when missing
  // Gives the file `from` the second name `to`, failing with EEXIST when `to` exists: a file
  // that appears whole or not at all. ENOSYS where the file system has no such links.
  virtual int Link(const std::string& /*from*/, const std::string& /*to*/) { return ENOSYS; }
  // Makes renames and removals in the folder durable.
  virtual int SyncFolder(const std::string& folder) = 0;
  virtual int MakeFolders(const std::string& path) = 0;  // with every missing parent
  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  virtual std::optional<int64_t> FileSize(const std::string& path) = 0;
  // When the file was last written, in seconds of the file system's own clock (which on a
  // shared drive is the server's); nothing when it cannot be read.
  virtual std::optional<int64_t> ModifiedSeconds(const std::string& /*path*/) {
    return std::nullopt;
  }
  // Names (not paths) of the plain files in a folder; empty on failure.
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
};

// The real files of this machine.
class PosixFileSystem final : public FileSystem {
 public:
  FileResult<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  FileResult<std::unique_ptr<WritableFile>> Create(const std::string& path,
                                                   CreateMode mode) override;
  int Rename(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;
  int Link(const std::string& from, const std::string& to) override;
  int SyncFolder(const std::string& folder) override;
  int MakeFolders(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::optional<int64_t> FileSize(const std::string& path) override;
  std::optional<int64_t> ModifiedSeconds(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
};

// The steps of writing a whole file, for messages that name the step.
enum class WriteStep { kNone, kCreate, kWrite, kSync, kClose, kRename, kRemove, kSyncFolder, kRead };
const char* WriteStepName(WriteStep step);

struct FileOutcome {
  int error = 0;
  WriteStep step = WriteStep::kNone;
  bool ok() const { return error == 0; }
};

// Creates `path`, writes the bytes, flushes them to the disk and closes it.
// On failure the partial file is removed again.
FileOutcome WriteWholeFile(FileSystem& fs, const std::string& path,
                           std::span<const uint8_t> bytes, CreateMode mode = CreateMode::kTruncate);

// Copies through a temporary file beside the destination, so that a failed
// copy never leaves a torn destination.
FileOutcome CopyFileSafely(FileSystem& fs, const std::string& from, const std::string& to);

// The folder part of a path ("." when there is none).
std::string FolderOf(const std::string& path);

}  // namespace ploven
