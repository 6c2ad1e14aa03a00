#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploven {

class Schedule;

inline constexpr int16_t kOldestScrambledFormat = 21;
inline constexpr uint8_t kFileKey = 0xB4;
inline constexpr uint8_t kMaskConstant = 0x6D;
// The size of a schedule with nothing in it.
inline constexpr size_t kEmptyScheduleFileSize = 789;

struct LoadOptions {
  // Days of sample data are moved by this many days.
  int importDayOffset = 0;
  // Told before the damaged-projects-tree question, so that an exit there
  // leads to the backup offer at the next launch.
  std::function<void()> noteCorruptLoad;
};

struct LoadResult {
  bool ok = false;
  bool outOfMemory = false;
  // Written by another program version: the caller copies the file to the
  // latest-launch backup.
  bool writtenByOtherVersion = false;
  int16_t formatVersion = 0;
};

// Rebuilds an empty schedule from the bytes of a schedule file. On failure the
// user was told why and the schedule is half-built: the caller discards it.
LoadResult LoadSchedule(Schedule& empty, std::span<const uint8_t> bytes,
                        const LoadOptions& options = {});

struct SaveOptions {
  int16_t formatVersion = 26;  // 21..26
  // The copy sent for support: titles scrambled with this key, lossy.
  std::optional<uint32_t> scrambleTitlesKey;
};

// The whole file, or nothing when the schedule cannot be written (the user was
// told why). The header's counters and save stamp are brought up to date.
std::optional<std::vector<uint8_t>> SaveSchedule(Schedule& s, const SaveOptions& options = {});

// Scrambling and unscrambling of one unit are the same operation.
void ScrambleUnit(std::span<uint8_t> unit);

// The sum of the first 165 header bytes as signed bytes, as a signed 16-bit value.
int16_t HeaderChecksum(std::span<const uint8_t> header);

// The support copy's titles: grouped by four, OR-ed with the key's bytes,
// pairs swapped, reversed. It cannot be turned back.
inline constexpr uint32_t kDefaultTitleScrambleKey = 0x5E6F7A81;
std::string ScrambleTitle(std::string_view title, uint32_t key);

}  // namespace ploven
