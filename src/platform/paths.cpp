#include "platform/paths.h"

#include <cstdlib>
#include <system_error>

namespace ploven {

namespace {

std::optional<std::string_view> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string_view(value);
}

}  // namespace

std::filesystem::path DataFolder(std::optional<std::string_view> plovenHome,
                                 const std::filesystem::path& executableFolder,
                                 const std::filesystem::path& home) {
  if (plovenHome && !plovenHome->empty()) return std::filesystem::path(*plovenHome);
  std::error_code ec;
  if (!executableFolder.empty() &&
      std::filesystem::is_regular_file(executableFolder / kPrivateSettingsFileName, ec))
    return executableFolder;
  if (home.empty()) return executableFolder;
  return home / ".local" / "share" / "Ploven";
}

std::filesystem::path DataFolderFromEnvironment(const std::filesystem::path& executableFolder) {
  const auto home = Environment("HOME");
  return DataFolder(Environment(kDataFolderVariable), executableFolder,
                    home ? std::filesystem::path(*home) : std::filesystem::path());
}

std::filesystem::path ProfilePath(const std::filesystem::path& home) {
  return home / ".config" / "Ploven" / "profile.ini";
}

std::filesystem::path ProfilePathFromEnvironment() {
  const auto home = Environment("HOME");
  return ProfilePath(home ? std::filesystem::path(*home) : std::filesystem::path());
}

ScheduleSiblings SiblingsOf(const std::filesystem::path& schedule) {
  auto with = [&](const char* extension) {
    std::filesystem::path p = schedule;
    p.replace_extension(extension);
    return p;
  };
  return {with(".tmp"), with(".loc"), with(".wai"), with(".bak")};
}

std::vector<std::filesystem::path> ResourceFolders(const std::filesystem::path& executableFolder,
                                                   std::string_view kind) {
  return {executableFolder / kind,
          executableFolder.parent_path() / "share" / "ploven" / kind};
}

std::optional<std::filesystem::path> FindResourceFolder(
    const std::filesystem::path& executableFolder, std::string_view kind) {
  for (const std::filesystem::path& folder : ResourceFolders(executableFolder, kind)) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return folder;
  }
  return std::nullopt;
}

}  // namespace ploven
