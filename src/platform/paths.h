#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploven {

inline constexpr char kPrivateSettingsFileName[] = "Ploven.ini";
inline constexpr char kErrorLogFileName[] = "PlovenErrorLog.txt";
inline constexpr char kErrorLogTempFileName[] = "PlovenErrorLog.tmp";
inline constexpr char kDataFolderVariable[] = "PLOVEN_HOME";

// The program's data folder: plovenHome when given and not empty; else the
// executable's folder when it holds "Ploven.ini" (a portable install); else
// ~/.local/share/Ploven under home (the executable's folder when home is empty).
std::filesystem::path DataFolder(std::optional<std::string_view> plovenHome,
                                 const std::filesystem::path& executableFolder,
                                 const std::filesystem::path& home);
// The same from $PLOVEN_HOME and $HOME.
std::filesystem::path DataFolderFromEnvironment(const std::filesystem::path& executableFolder);

// ~/.config/Ploven/profile.ini: the user's profile.
std::filesystem::path ProfilePath(const std::filesystem::path& home);
std::filesystem::path ProfilePathFromEnvironment();

// The files beside a schedule, named by replacing its extension.
struct ScheduleSiblings {
  std::filesystem::path tmp;  // save in progress
  std::filesystem::path loc;  // write lock
  std::filesystem::path wai;  // waiting for access
  std::filesystem::path bak;  // backup
};
ScheduleSiblings SiblingsOf(const std::filesystem::path& schedule);

// The help pages' folder, beside the program or in its share folder.
inline constexpr char kHelpFolderName[] = "help";

// Where the program's own files of one kind ("help", "sounds", "lessons") are looked for, in
// order: beside the executable (the build folder, a portable copy), then the installed share
// folder that sits beside the executable's bin folder (PREFIX/bin -> PREFIX/share/ploven).
std::vector<std::filesystem::path> ResourceFolders(const std::filesystem::path& executableFolder,
                                                   std::string_view kind);
// The first of them that exists; none when no folder of that kind is there.
std::optional<std::filesystem::path> FindResourceFolder(
    const std::filesystem::path& executableFolder, std::string_view kind);

}  // namespace ploven
