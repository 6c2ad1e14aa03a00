#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/act_handle.h"

namespace ploven {

class NoteFiles;
class NoteLocks;
struct TaskNode;

inline constexpr int kMaxNoteWindows = 15;

// What one note window edits.
struct NoteSlot {
  bool used = false;
  ActHandle item = kNoAct;
  TaskNode* task = nullptr;  // the item's task when it was opened from a day
  int32_t number = 0;
  bool modified = false;
  bool locked = false;  // this program holds the note's lock file
  bool browse = false;  // the notes window that follows the selection
};

// The open note windows of the program: at most 15, each holding its note's lock, saving on
// close, and keeping the note marks of every item sharing the note up to date. The windows
// themselves only draw a slot's text.
class NoteSlots {
 public:
  NoteSlots(NoteFiles& files, NoteLocks& locks) : m_files(files), m_locks(locks) {}

  // Opens a slot for the item's note and gives its text; nothing when refused (told). An open
  // slot of the same note is given instead (`text` is then left alone): bring it to the front.
  struct Opened {
    int slot = -1;
    bool existing = false;
    std::string text;
  };
  std::optional<Opened> Open(ActHandle item, TaskNode* task, bool browse);
  // The same for a note number not yet carried by an item in the schedule (a done item still
  // being written in its window).
  std::optional<Opened> OpenNumber(int32_t number);
  // The slot open for the note, or -1.
  int FindNote(int32_t number) const;
  int BrowseSlot() const;
  const NoteSlot& slot(int i) const { return m_slots[static_cast<size_t>(i)]; }
  NoteSlot& slot(int i) { return m_slots[static_cast<size_t>(i)]; }
  int OpenCount() const;

  void MarkModified(int i) { slot(i).modified = true; }
  // Saves the slot's text when it was modified; false when the save failed (told).
  bool Save(int i, std::string_view text);
  // Saves, releases the lock and frees the slot. A failed save keeps the slot open so that
  // nothing typed is lost; false then.
  bool Close(int i, std::string_view text);
  // The notes window follows the selection: saves the note it leaves, releases its lock,
  // and gives the new item's text. Nothing when the same note stays (or it failed, told).
  std::optional<std::string> Follow(int i, std::string_view text, ActHandle item, TaskNode* task);
  // The schedule closes: every lock still held goes (nothing is saved).
  void ReleaseAll();
  // Once a minute: every held lock is written again so it stays fresh.
  int RenewLocks();
  // "Shared Note (abc00012.txt) for: title".
  std::string Title(int i) const;

 private:
  std::optional<Opened> OpenSlot(int32_t number, ActHandle item, TaskNode* task, bool browse);

  NoteFiles& m_files;
  NoteLocks& m_locks;
  std::array<NoteSlot, kMaxNoteWindows> m_slots{};
};

}  // namespace ploven
