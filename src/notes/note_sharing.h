#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/act_handle.h"

namespace ploven {

class NoteFiles;
class Schedule;

// Every item of the alphabetical chain whose note is `number` (0 is no note).
std::vector<ActHandle> NoteSharers(const Schedule& s, int32_t number);
// More than one item has the note, or a recurring definition has it (its occurrences share it).
bool IsSharedNote(const Schedule& s, int32_t number);
// Sets or clears the note mark on every item that shares the note; marks the schedule changed
// when a mark changed. True when one did.
bool UpdateNoteMarks(Schedule& s, int32_t number, bool exists);
// Where the item's note is kept, for the user.
std::string NoteInfo(Schedule& s, NoteFiles& files, ActHandle item);

}  // namespace ploven
