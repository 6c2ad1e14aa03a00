#include "notes/note_prefix.h"

#include "store/schedule_header.h"

namespace ploven {

std::optional<std::string> NotePrefix(const ScheduleHeader& header) {
  std::string prefix;
  for (size_t i = 0; i < kNotePrefixLength; ++i) {
    const auto c = static_cast<char>(header.Get<uint8_t>(kNotePrefixOffset + i));
    if (c < 'a' || c > 'z') return std::nullopt;
    prefix += c;
  }
  return prefix;
}

bool EnsureNotePrefix(ScheduleHeader& header, const std::function<int(int)>& randomBelow) {
  if (NotePrefix(header)) return false;
  for (size_t i = 0; i < kNotePrefixLength; ++i)
    header.Set<uint8_t>(kNotePrefixOffset + i, static_cast<uint8_t>('a' + randomBelow(26) % 26));
  return true;
}

bool NoteProtection(const ScheduleHeader& header) {
  return header.Get<uint8_t>(kNoteProtectionOffset) != 0;
}

void SetNoteProtection(ScheduleHeader& header, bool on) {
  header.Set<uint8_t>(kNoteProtectionOffset, on ? 1 : 0);
}

}  // namespace ploven
