#include "ical/calendar_notes.h"

#include "notes/note_files.h"
#include "notes/note_sharing.h"
#include "store/schedule.h"

namespace ploven {

std::function<std::optional<std::string>(int32_t)> NoteReader(NoteFiles& notes) {
  return [&notes](int32_t number) { return notes.ReadNoteQuietly(number); };
}

std::function<void(ActHandle, const std::string&)> NoteWriter(NoteFiles& notes) {
  return [&notes](ActHandle item, const std::string& text) {
    Schedule& s = notes.schedule();
    if (s.GetActNoteNumber(item) == 0) s.NewNoteNumber(item);
    const int32_t number = s.GetActNoteNumber(item);
    if (!notes.PrepareFolder()) return;
    notes.SaveNote(number, text);
    UpdateNoteMarks(s, number, notes.NoteFileExists(number));
  };
}

}  // namespace ploven
