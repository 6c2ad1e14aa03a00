#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploven {

// A note file this long or longer is never read: notes are meant to be short.
inline constexpr int64_t kNoteRefusedSize = 65535;
// The most characters a note window takes.
inline constexpr size_t kNoteTextLimit = 65434;

// The protected form: a marker, the text's length (32-bit little-endian), then the text as one
// unit scrambled like the schedule file's units.
inline constexpr size_t kNoteMarkerSize = 11;
inline constexpr size_t kNoteProtectedHeadSize = kNoteMarkerSize + 4;
// The marker written; the older second form is read as well.
std::span<const uint8_t, kNoteMarkerSize> NoteMarker();
std::span<const uint8_t, kNoteMarkerSize> OlderNoteMarker();

struct DecodedNote {
  std::string text;
  bool wasProtected = false;
  // A protected file whose stored length runs past its end: nothing is retrieved.
  bool damaged = false;
  uint32_t storedLength = 0;
  size_t availableLength = 0;
};

// Reads the plain or the protected form.
DecodedNote DecodeNote(std::span<const uint8_t> bytes);

// The pieces of the protected form, in the order they are written.
std::vector<uint8_t> NoteLengthBytes(std::string_view text);
std::vector<uint8_t> ScrambledNoteText(std::string_view text);

// Lowercase of the ASCII letters; other bytes (UTF-8 included) stay as they are.
std::string FoldCase(std::string_view text);
// Whether `folded` (already FoldCase'd) holds `foldedNeedle`.
bool ContainsFolded(std::string_view folded, std::string_view foldedNeedle);

}  // namespace ploven
