#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ploven {

// The sound theme's folders that may hold the desktop's sounds ("sounds/freedesktop/stereo"
// under each of the XDG data folders), in the order they are searched.
std::vector<std::filesystem::path> SoundThemeFolders(const std::string& xdgDataDirs,
                                                     const std::string& xdgDataHome);
// The theme's alarm sound (alarm-clock-elapsed), or empty when the theme is not installed.
std::string ThemeAlarmSound(const std::vector<std::filesystem::path>& themeFolders);
// Every sound file (.wav, .oga, .ogg) of the folders, sorted by name within each folder; a
// missing folder gives none.
std::vector<std::string> SoundFilesIn(const std::vector<std::filesystem::path>& folders);

}  // namespace ploven
