#pragma once

#include <optional>
#include <string>

#include "file/file_system.h"

namespace ploven {

// "redirect.txt" in the data folder names the schedule a start without a schedule argument
// opens: one line, a schedule file or a folder (that holds timedata.pak).
inline constexpr char kRedirectFileName[] = "redirect.txt";

// What the redirect names, ready to be resolved like a command-line argument. Nothing when
// there is no redirect, it is blank, or the folder it points into is gone (a drive that is not
// connected): the start then opens the default schedule.
std::optional<std::string> ReadLaunchRedirect(FileSystem& fs, const std::string& dataFolder);

// Make This Schedule The One Open at Launch: written whole or not at all.
FileOutcome WriteLaunchRedirect(FileSystem& fs, const std::string& dataFolder,
                                const std::string& schedulePath);

}  // namespace ploven
