#include "notes/exception_note.h"

#include "notes/note_files.h"
#include "notes/note_lock.h"
#include "notes/note_messages.h"
#include "notes/note_sharing.h"
#include "recur/recurrences.h"
#include "store/schedule.h"

namespace ploven {
namespace t = note_text;

ExceptionNoteOutcome MakeExceptionNote(Recurrences& r, NoteFiles& files, NoteLocks& locks,
                                       ExceptionNoteWindow& window) {
  Schedule& s = r.schedule();
  Messages& msg = s.messages();
  if (window.item == kNoAct || !s.IsActValid(window.item)) {
    msg.ErrorMessage(t::kNeedInstance);
    return ExceptionNoteOutcome::kRefused;
  }
  if (!IsSharedNote(s, window.noteNumber)) {
    msg.ErrorMessage(t::kNotShared);
    return ExceptionNoteOutcome::kRefused;
  }
  const bool isDefinition = (s.ActFlags(window.item) & AF_BETA) != 0;
  if (isDefinition && (window.task == nullptr || window.task->act != window.item)) {
    msg.ErrorMessage(t::kNeedInstance);
    return ExceptionNoteOutcome::kRefused;
  }
  // Asked before anything changes, so that No leaves the occurrence as it was too.
  if (msg.Question(t::kExceptionQuestion) != kIdYes) {
    msg.InformationMessage(t::kExceptionDeclined);
    return ExceptionNoteOutcome::kDeclined;
  }
  const int32_t shared = window.noteNumber;
  if (window.modified) {
    if (!files.SaveNote(shared, window.text)) return ExceptionNoteOutcome::kFailed;
    UpdateNoteMarks(s, shared, files.NoteFileExists(shared));
    window.modified = false;
  }
  ActHandle item = window.item;
  if (isDefinition) {
    item = CloneToDrone(r, window.task);
    if (item == kNoAct) return ExceptionNoteOutcome::kFailed;
  }
  const int32_t own = s.NewNoteNumber(item);
  if (locks.Take(own) != NoteLockOutcome::kTaken || !files.CopyNoteFile(shared, own)) {
    // The occurrence keeps its own (empty) note number; the shared note is untouched.
    s.MarkChanged();
    return ExceptionNoteOutcome::kFailed;
  }
  locks.Release(shared);
  if (files.NoteFileExists(own)) s.LockAct(item).flags |= AF_HAS_NOTE;
  s.TouchAct(item);
  s.MarkChanged();
  window.item = item;
  window.noteNumber = own;
  msg.InformationMessage(t::kExceptionMade);
  return ExceptionNoteOutcome::kMade;
}

}  // namespace ploven
