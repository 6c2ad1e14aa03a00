#include "notes/note_sharing.h"

#include "notes/note_files.h"
#include "notes/note_messages.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven {
namespace t = note_text;

std::vector<ActHandle> NoteSharers(const Schedule& s, int32_t number) {
  std::vector<ActHandle> sharers;
  if (number == 0) return sharers;
  for (const auto& [key, node] : s.actChain())
    if (s.ReadAct(node.act).noteNumber == number) sharers.push_back(node.act);
  return sharers;
}

bool IsSharedNote(const Schedule& s, int32_t number) {
  if (number == 0) return false;
  int count = 0;
  for (const auto& [key, node] : s.actChain()) {
    const Act& a = s.ReadAct(node.act);
    if (a.noteNumber != number) continue;
    if ((a.flags & AF_BETA) || ++count > 1) return true;
  }
  return false;
}

bool UpdateNoteMarks(Schedule& s, int32_t number, bool exists) {
  bool changed = false;
  for (ActHandle h : NoteSharers(s, number)) {
    Act& a = s.LockAct(h);
    const uint32_t flags = exists ? (a.flags | AF_HAS_NOTE) : (a.flags & ~AF_HAS_NOTE);
    if (flags == a.flags) continue;
    a.flags = flags;
    changed = true;
  }
  if (changed) s.MarkChanged();
  return changed;
}

std::string NoteInfo(Schedule& s, NoteFiles& files, ActHandle item) {
  const int id = static_cast<int>(s.GetActID(item));
  const int32_t number = s.GetActNoteNumber(item);
  if (number == 0 || (!(s.ActFlags(item) & AF_HAS_NOTE) && !files.NoteFileExists(number)))
    return Sprintf(t::kNoNote, id);
  return Sprintf(t::kNoteInfo, id, files.prefix().c_str(), number,
                 files.NoteFileExists(number) ? t::kNoteHealthy : t::kNoteMissing);
}

}  // namespace ploven
