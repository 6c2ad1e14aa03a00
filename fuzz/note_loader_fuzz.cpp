// Any bytes as a note file: read as the plain or the protected form, or found damaged, never
// undefined behaviour; what is read is exactly what the form holds, and writing it again in the
// protected form reads back the same text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "notes/note_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const ploven::DecodedNote note = ploven::DecodeNote(bytes);
  if (!note.wasProtected) {
    if (note.damaged || note.text.size() != size ||
        !std::equal(bytes.begin(), bytes.end(), note.text.begin(),
                    [](uint8_t b, char c) { return b == static_cast<uint8_t>(c); }))
      std::abort();
    return 0;
  }
  if (size < ploven::kNoteProtectedHeadSize) std::abort();
  if (note.damaged) {
    if (note.storedLength <= note.availableLength || !note.text.empty()) std::abort();
    return 0;
  }
  if (note.text.size() != note.storedLength) std::abort();
  // The same text written again: marker, length, scrambled unit; it reads back unchanged.
  std::vector<uint8_t> again(ploven::NoteMarker().begin(), ploven::NoteMarker().end());
  for (uint8_t b : ploven::NoteLengthBytes(note.text)) again.push_back(b);
  for (uint8_t b : ploven::ScrambledNoteText(note.text)) again.push_back(b);
  if (!std::equal(again.begin() + ploven::kNoteMarkerSize, again.end(),
                  bytes.begin() + ploven::kNoteMarkerSize))
    std::abort();
  if (ploven::DecodeNote(again).text != note.text) std::abort();
  return 0;
}
