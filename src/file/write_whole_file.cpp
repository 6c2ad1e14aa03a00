#include "file/file_system.h"

namespace ploven {

const char* WriteStepName(WriteStep step) {
  switch (step) {
    case WriteStep::kNone: return "";
    case WriteStep::kCreate: return "create";
    case WriteStep::kWrite: return "write";
    case WriteStep::kSync: return "flush to disk";
    case WriteStep::kClose: return "close";
    case WriteStep::kRename: return "rename";
    case WriteStep::kRemove: return "delete";
    case WriteStep::kSyncFolder: return "flush folder";
    case WriteStep::kRead: return "read";
  }
  return "";
}

FileOutcome WriteWholeFile(FileSystem& fs, const std::string& path,
                           std::span<const uint8_t> bytes, CreateMode mode) {
  auto created = fs.Create(path, mode);
  if (!created.ok()) return {created.error, WriteStep::kCreate};
  WritableFile& file = **created.value;
  FileOutcome outcome;
  if (int e = file.Write(bytes)) {
    outcome = {e, WriteStep::kWrite};
  } else if (int s = file.Sync()) {
    outcome = {s, WriteStep::kSync};
  }
  if (int c = file.Close(); c && outcome.ok()) outcome = {c, WriteStep::kClose};
  if (!outcome.ok() && mode != CreateMode::kAppend) fs.Remove(path);
  return outcome;
}

FileOutcome CopyFileSafely(FileSystem& fs, const std::string& from, const std::string& to) {
  auto bytes = fs.ReadFile(from);
  if (!bytes.ok()) return {bytes.error, WriteStep::kRead};
  const std::string tmp = to + ".copying";
  FileOutcome written = WriteWholeFile(fs, tmp, *bytes.value);
  if (!written.ok()) return written;
  if (int e = fs.Rename(tmp, to)) {
    fs.Remove(tmp);
    return {e, WriteStep::kRename};
  }
  if (int e = fs.SyncFolder(FolderOf(to))) return {e, WriteStep::kSyncFolder};
  return {};
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace ploven
