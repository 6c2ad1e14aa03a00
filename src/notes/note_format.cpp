#include "notes/note_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

#include "file/schedule_format.h"

namespace ploven {
namespace {

constexpr std::array<uint8_t, kNoteMarkerSize> kMarker = {0xD8, 'E', 'N', 'C', 'R', 'Y',
                                                          'P',  'T', 'E', 'D', 0xD8};
constexpr std::array<uint8_t, kNoteMarkerSize> kOlderMarker = {0xB0, 'E', 'N', 'C', 'R', 'Y',
                                                               'P',  'T', 'E', 'D', 0xB0};

bool StartsWith(std::span<const uint8_t> bytes, std::span<const uint8_t, kNoteMarkerSize> m) {
  return bytes.size() >= m.size() && std::equal(m.begin(), m.end(), bytes.begin());
}

}  // namespace

std::span<const uint8_t, kNoteMarkerSize> NoteMarker() { return kMarker; }
std::span<const uint8_t, kNoteMarkerSize> OlderNoteMarker() { return kOlderMarker; }

DecodedNote DecodeNote(std::span<const uint8_t> bytes) {
  DecodedNote note;
  if (bytes.size() < kNoteProtectedHeadSize ||
      !(StartsWith(bytes, kMarker) || StartsWith(bytes, kOlderMarker))) {
    note.text.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return note;
  }
  note.wasProtected = true;
  note.storedLength = static_cast<uint32_t>(bytes[11]) | static_cast<uint32_t>(bytes[12]) << 8 |
                      static_cast<uint32_t>(bytes[13]) << 16 |
                      static_cast<uint32_t>(bytes[14]) << 24;
  note.availableLength = bytes.size() - kNoteProtectedHeadSize;
  if (note.storedLength > note.availableLength) {
    note.damaged = true;
    return note;
  }
  std::vector<uint8_t> unit(bytes.begin() + kNoteProtectedHeadSize,
                            bytes.begin() + kNoteProtectedHeadSize + note.storedLength);
  ScrambleUnit(unit);
  note.text.assign(reinterpret_cast<const char*>(unit.data()), unit.size());
  return note;
}

std::vector<uint8_t> NoteLengthBytes(std::string_view text) {
  const auto n = static_cast<uint32_t>(text.size());
  return {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
          static_cast<uint8_t>(n >> 24)};
}

std::vector<uint8_t> ScrambledNoteText(std::string_view text) {
  std::vector<uint8_t> unit(text.begin(), text.end());
  ScrambleUnit(unit);
  return unit;
}

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool ContainsFolded(std::string_view folded, std::string_view foldedNeedle) {
  if (foldedNeedle.empty()) return true;
  return std::search(folded.begin(), folded.end(),
                     std::boyer_moore_horspool_searcher(foldedNeedle.begin(),
                                                        foldedNeedle.end())) != folded.end();
}

}  // namespace ploven
