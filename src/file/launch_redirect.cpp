#include "file/launch_redirect.h"

#include <filesystem>

namespace ploven {

namespace {

std::string RedirectPath(const std::string& dataFolder) {
  return (std::filesystem::path(dataFolder) / kRedirectFileName).string();
}

}  // namespace

std::optional<std::string> ReadLaunchRedirect(FileSystem& fs, const std::string& dataFolder) {
  const auto bytes = fs.ReadFile(RedirectPath(dataFolder));
  if (!bytes.ok()) return std::nullopt;
  std::string line(bytes.value->begin(), bytes.value->end());
  if (const size_t end = line.find_first_of("\r\n"); end != std::string::npos) line.resize(end);
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
  if (fs.IsFolder(line)) return line;
  if (!fs.IsFolder(FolderOf(line))) return std::nullopt;
  return line;
}

FileOutcome WriteLaunchRedirect(FileSystem& fs, const std::string& dataFolder,
                                const std::string& schedulePath) {
  const std::string path = RedirectPath(dataFolder);
  const std::string text = schedulePath + "\n";
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const std::string temporary = path + ".tmp";
  if (FileOutcome o = WriteWholeFile(fs, temporary, bytes); !o.ok()) return o;
  if (int e = fs.Rename(temporary, path)) {
    fs.Remove(temporary);
    return {e, WriteStep::kRename};
  }
  return {};
}

}  // namespace ploven
