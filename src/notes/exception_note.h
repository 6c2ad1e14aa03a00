#pragma once

#include <cstdint>
#include <string_view>

#include "store/act_handle.h"

namespace ploven {

class NoteFiles;
class NoteLocks;
class Recurrences;
struct TaskNode;

enum class ExceptionNoteOutcome { kMade, kDeclined, kRefused, kFailed };

// What a note window edits when it asks for an exception note.
struct ExceptionNoteWindow {
  ActHandle item = kNoAct;   // the window's item: an occurrence's own item or the recurring one
  TaskNode* task = nullptr;  // the occurrence shown (needed when `item` is the recurring item)
  int32_t noteNumber = 0;
  std::string_view text;  // the window's text, saved to the shared note first when modified
  bool modified = false;
};

// Gives one occurrence of a recurring item a note of its own that starts as a copy of the shared
// note. An occurrence without an item of its own first becomes an exception instance. Asks
// first; on kMade `window.item` and `window.noteNumber` name the new note, which is locked.
ExceptionNoteOutcome MakeExceptionNote(Recurrences& r, NoteFiles& files, NoteLocks& locks,
                                       ExceptionNoteWindow& window);

}  // namespace ploven
