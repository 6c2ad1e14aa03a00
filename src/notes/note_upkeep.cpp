#include "notes/note_upkeep.h"

#include "notes/note_files.h"
#include "notes/note_sharing.h"
#include "store/schedule.h"

namespace ploven {

void DeletedNotes::ItemDeleting(const Schedule& s, ActHandle item) {
  if (!s.IsActValid(item)) return;
  if (const int32_t number = s.ReadAct(item).noteNumber; number != 0) m_numbers.insert(number);
}

int DeletedNotes::DropOrphans(const Schedule& s, NoteFiles& files) {
  if (s.changed()) return 0;
  int dropped = 0;
  for (int32_t number : m_numbers)
    if (NoteSharers(s, number).empty() && files.NoteFileExists(number) &&
        files.DeleteNoteFile(number))
      ++dropped;
  m_numbers.clear();
  return dropped;
}

bool GiveOwnNoteCopy(Schedule& s, NoteFiles& files, ActHandle copy) {
  const int32_t shared = s.GetActNoteNumber(copy);
  const int32_t own = s.NewNoteNumber(copy);
  s.MarkChanged();
  const bool copied = shared == 0 || files.CopyNoteFile(shared, own);
  Act& a = s.LockAct(copy);
  a.flags = files.NoteFileExists(own) ? (a.flags | AF_HAS_NOTE) : (a.flags & ~AF_HAS_NOTE);
  return copied;
}

bool WriteNewItemNote(Schedule& s, NoteFiles& files, ActHandle item, std::string_view text) {
  if (!s.IsActValid(item)) return false;
  if (s.GetActNoteNumber(item) == 0) {
    s.NewNoteNumber(item);
    s.MarkChanged();
  }
  const int32_t number = s.GetActNoteNumber(item);
  if (!files.SaveNote(number, text)) return false;
  UpdateNoteMarks(s, number, true);
  return true;
}

}  // namespace ploven
