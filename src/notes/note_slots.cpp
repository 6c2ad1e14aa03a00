#include "notes/note_slots.h"

#include "notes/note_files.h"
#include "notes/note_lock.h"
#include "notes/note_messages.h"
#include "notes/note_sharing.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven {
namespace t = note_text;

int NoteSlots::FindNote(int32_t number) const {
  for (int i = 0; i < kMaxNoteWindows; ++i)
    if (slot(i).used && slot(i).number == number) return i;
  return -1;
}

int NoteSlots::BrowseSlot() const {
  for (int i = 0; i < kMaxNoteWindows; ++i)
    if (slot(i).used && slot(i).browse) return i;
  return -1;
}

int NoteSlots::OpenCount() const {
  int n = 0;
  for (const NoteSlot& s : m_slots) n += s.used ? 1 : 0;
  return n;
}

std::optional<NoteSlots::Opened> NoteSlots::Open(ActHandle item, TaskNode* task, bool browse) {
  Schedule& s = m_files.schedule();
  if (item == kNoAct || !s.IsActValid(item)) {
    s.messages().ErrorMessage(t::kMustExistFirst);
    return std::nullopt;
  }
  if (s.GetActNoteNumber(item) == 0) {
    s.NewNoteNumber(item);
    s.MarkChanged();
  }
  return OpenSlot(s.GetActNoteNumber(item), item, task, browse);
}

std::optional<NoteSlots::Opened> NoteSlots::OpenNumber(int32_t number) {
  if (number <= 0) {
    m_files.schedule().messages().ErrorMessage(t::kMustExistFirst);
    return std::nullopt;
  }
  return OpenSlot(number, kNoAct, nullptr, false);
}

std::optional<NoteSlots::Opened> NoteSlots::OpenSlot(int32_t number, ActHandle item,
                                                     TaskNode* task, bool browse) {
  Schedule& s = m_files.schedule();
  if (int open = FindNote(number); open >= 0 && !browse) return Opened{open, true, {}};
  int free = -1;
  for (int i = 0; i < kMaxNoteWindows && free < 0; ++i)
    if (!slot(i).used) free = i;
  if (free < 0) {
    s.messages().ErrorMessage(t::kTooManyNotes);
    return std::nullopt;
  }
  // The notes window shows a note another program edits without taking it over.
  const NoteLockOutcome lock = m_locks.Take(number, browse);
  if (lock != NoteLockOutcome::kTaken && !browse) return std::nullopt;
  std::optional<std::string> text = m_files.LoadNote(number);
  if (!text) {
    // A note that cannot be read is not opened: saving the window would overwrite it.
    if (lock == NoteLockOutcome::kTaken) m_locks.Release(number);
    return std::nullopt;
  }
  slot(free) = NoteSlot{true, item, task, number, false, lock == NoteLockOutcome::kTaken, browse};
  return Opened{free, false, std::move(*text)};
}

bool NoteSlots::Save(int i, std::string_view text) {
  NoteSlot& n = slot(i);
  if (!n.used || !n.modified) return true;
  if (!n.locked) return true;  // shown while another program holds it: never written
  if (!m_files.SaveNote(n.number, text)) return false;
  n.modified = false;
  UpdateNoteMarks(m_files.schedule(), n.number, m_files.NoteFileExists(n.number));
  return true;
}

bool NoteSlots::Close(int i, std::string_view text) {
  NoteSlot& n = slot(i);
  if (!n.used) return true;
  if (!Save(i, text)) return false;
  // The marks follow the file even when nothing was typed (a file put there by hand).
  UpdateNoteMarks(m_files.schedule(), n.number, m_files.NoteFileExists(n.number));
  if (n.locked) m_locks.Release(n.number);
  n = NoteSlot{};
  return true;
}

std::optional<std::string> NoteSlots::Follow(int i, std::string_view text, ActHandle item,
                                             TaskNode* task) {
  NoteSlot& n = slot(i);
  Schedule& s = m_files.schedule();
  if (!n.used || item == kNoAct || !s.IsActValid(item)) return std::nullopt;
  if (s.GetActNoteNumber(item) == 0) {
    s.NewNoteNumber(item);
    s.MarkChanged();
  }
  const int32_t number = s.GetActNoteNumber(item);
  if (number == n.number) {
    n.item = item;
    n.task = task;
    return std::nullopt;
  }
  if (!Save(i, text)) return std::nullopt;
  const std::optional<std::string> loaded = m_files.LoadNote(number);
  if (!loaded) return std::nullopt;
  if (n.locked) m_locks.Release(n.number);
  n.item = item;
  n.task = task;
  n.number = number;
  n.modified = false;
  n.locked = m_locks.Take(number, true) == NoteLockOutcome::kTaken;
  return loaded;
}

void NoteSlots::ReleaseAll() {
  for (NoteSlot& n : m_slots) {
    if (n.used && n.locked) m_locks.Release(n.number);
    n = NoteSlot{};
  }
}

int NoteSlots::RenewLocks() {
  int renewed = 0;
  for (const NoteSlot& n : m_slots)
    if (n.used && n.locked && m_locks.Renew(n.number)) ++renewed;
  return renewed;
}

std::string NoteSlots::Title(int i) const {
  const NoteSlot& n = slot(i);
  Schedule& s = m_files.schedule();
  const std::string title = s.IsActValid(n.item) ? s.GetActTitle(n.item) : std::string();
  return Sprintf(t::kWindowTitle, IsSharedNote(s, n.number) ? t::kShared : "", t::kNote,
                 m_files.prefix().c_str(), n.number, title.c_str());
}

}  // namespace ploven
