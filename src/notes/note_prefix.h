#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ploven {

class ScheduleHeader;

// The three lowercase letters that start the names of a schedule's note files, and whether its
// notes are written protected. Both travel in the schedule header (bytes 570-573).
inline constexpr size_t kNotePrefixOffset = 570;
inline constexpr size_t kNotePrefixLength = 3;
inline constexpr size_t kNoteProtectionOffset = 573;

// Nothing while the schedule has no prefix yet (or the stored bytes are not three letters).
std::optional<std::string> NotePrefix(const ScheduleHeader& header);
// Chooses three letters with `randomBelow(26)` when the schedule has none; true when it chose.
bool EnsureNotePrefix(ScheduleHeader& header, const std::function<int(int)>& randomBelow);

bool NoteProtection(const ScheduleHeader& header);
void SetNoteProtection(ScheduleHeader& header, bool on);

}  // namespace ploven
