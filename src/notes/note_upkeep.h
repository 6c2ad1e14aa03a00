#pragma once

#include <cstdint>
#include <set>
#include <string_view>

#include "store/act_handle.h"

namespace ploven {

class NoteFiles;
class Schedule;

// The notes of items deleted in this session whose file may have to go: an item can be
// undeleted (with its note) until the schedule is closed, so the files wait until then.
class DeletedNotes {
 public:
  // Remembers the item's note before the item is deleted.
  void ItemDeleting(const Schedule& s, ActHandle item);
  // Removes the files of the remembered notes that no item has any more. Only once the
  // schedule on the disk no longer has the items either (saved): otherwise nothing goes.
  int DropOrphans(const Schedule& s, NoteFiles& files);
  const std::set<int32_t>& numbers() const { return m_numbers; }

 private:
  std::set<int32_t> m_numbers;
};

// A duplicated project gets a note of its own that starts as a copy of its project's note.
// False (told) when the copy could not be made; the copy then has an empty note.
bool GiveOwnNoteCopy(Schedule& s, NoteFiles& files, ActHandle copy);

// Gives an item that has no note yet a note with `text` (the tutorial's lessons). False (told)
// when the note file could not be written; the item is then left without a note mark.
bool WriteNewItemNote(Schedule& s, NoteFiles& files, ActHandle item, std::string_view text);

}  // namespace ploven
