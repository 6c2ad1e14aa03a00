#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ploven {

// The companion's socket for one data folder: "<runtime>/ploven-calendar-<tag>.sock", where
// <runtime> is runtimeDir when it names a folder, else "/tmp/ploven-<uid>", and <tag> is the
// first eight hex digits of the FNV-1a hash of the data folder's absolute path. Two data folders
// never share a companion. Makes nothing on disk.
std::filesystem::path CompanionSocketPathFor(const std::filesystem::path& dataFolder,
                                             std::optional<std::string_view> runtimeDir, uid_t uid);

// The same from $XDG_RUNTIME_DIR and the user running; makes "/tmp/ploven-<uid>" (mode 0700)
// when that is the folder to use.
std::filesystem::path CompanionSocketPath(const std::filesystem::path& dataFolder);

// The FNV-1a 32-bit hash.
uint32_t Fnv1a32(std::string_view bytes);

}  // namespace ploven
