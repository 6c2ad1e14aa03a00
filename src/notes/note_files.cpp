#include "notes/note_files.h"

#include <cstring>

#include "notes/note_format.h"
#include "notes/note_messages.h"
#include "notes/note_prefix.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven {
namespace t = note_text;

namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

NoteFiles::NoteFiles(Schedule& schedule, FileSystem& fs, std::string scheduleFolder,
                     std::function<int(int)> randomBelow)
    : m_s(schedule),
      m_msg(schedule.messages()),
      m_fs(fs),
      m_folder(std::move(scheduleFolder) + "/Notes"),
      m_randomBelow(std::move(randomBelow)) {}

std::string NoteFiles::prefix() const { return NotePrefix(m_s.header()).value_or(""); }

std::string NoteFiles::FileName(int32_t number) const {
  return Sprintf("%s%05d.txt", prefix().c_str(), number);
}

std::string NoteFiles::PathOf(int32_t number) const { return m_folder + "/" + FileName(number); }

std::string NoteFiles::LockPathOf(int32_t number) const {
  std::string p = PathOf(number);
  return p.replace(p.size() - 4, 4, ".loc");
}

std::string NoteFiles::ProbePathOf(int32_t number) const {
  std::string p = PathOf(number);
  return p.replace(p.size() - 4, 4, ".WAI");
}

bool NoteFiles::WritesProtected() const {
  return NoteProtection(m_s.header()) && !m_s.header().LightModePermitted();
}

bool NoteFiles::PrepareFolder() {
  if (EnsureNotePrefix(m_s.header(), m_randomBelow)) m_s.MarkChanged();
  if (m_fs.IsFolder(m_folder)) return true;
  if (int e = m_fs.MakeFolders(m_folder)) {
    m_msg.ErrorMessage(Sprintf(t::kFolderNotCreated, m_folder.c_str(), std::strerror(e)));
    return false;
  }
  return true;
}

std::optional<std::string> NoteFiles::Read(int32_t number, bool tell) {
  if (prefix().empty()) return std::string();
  const std::string path = PathOf(number);
  const std::optional<int64_t> size = m_fs.FileSize(path);
  if (!size) {
    if (!m_fs.Exists(path)) return std::string();  // no file: an empty note
    if (tell) m_msg.ErrorMessage(Sprintf(t::kLengthUnreadable, path.c_str()));
    return std::nullopt;
  }
  if (*size >= kNoteRefusedSize) {
    if (tell) m_msg.ErrorMessage(Sprintf(t::kNoteTooLong, static_cast<int>(*size), path.c_str()));
    return std::nullopt;
  }
  auto bytes = m_fs.ReadFile(path);
  if (!bytes.ok()) {
    if (bytes.error == ENOENT) return std::string();  // removed meanwhile: an empty note
    if (tell)
      m_msg.ErrorMessage(Sprintf(t::kReadError, path.c_str()) + "\n\n" + t::kRetrieveFailed);
    return std::nullopt;
  }
  // The size may have grown since it was asked.
  if (static_cast<int64_t>(bytes.value->size()) >= kNoteRefusedSize) {
    if (tell)
      m_msg.ErrorMessage(
          Sprintf(t::kNoteTooLong, static_cast<int>(bytes.value->size()), path.c_str()));
    return std::nullopt;
  }
  DecodedNote note = DecodeNote(*bytes.value);
  if (note.damaged) {
    if (tell)
      m_msg.ErrorMessage(Sprintf(t::kProtectedNoteDamaged, path.c_str(), note.storedLength,
                                 static_cast<unsigned>(note.availableLength)));
    return std::nullopt;
  }
  return std::move(note.text);
}

std::optional<std::string> NoteFiles::LoadNote(int32_t number) { return Read(number, true); }

std::optional<std::string> NoteFiles::ReadNoteQuietly(int32_t number) {
  return Read(number, false);
}

bool NoteFiles::NoteFileExists(int32_t number) {
  return !prefix().empty() && m_fs.Exists(PathOf(number));
}

bool NoteFiles::NoteContains(int32_t number, std::string_view text) {
  std::optional<std::string> note = Read(number, false);
  return note && ContainsFolded(FoldCase(*note), FoldCase(text));
}

bool NoteFiles::WriteWhole(const std::string& path, std::string_view text, bool protect) {
  auto created = m_fs.Create(path, CreateMode::kTruncate);
  if (!created.ok()) {
    m_msg.ErrorMessage(t::kSaveCreateFailed);
    return false;
  }
  WritableFile& file = **created.value;
  const char* failed = nullptr;
  FileOutcome outcome;
  if (protect) {
    const std::vector<uint8_t> length = NoteLengthBytes(text);
    const std::vector<uint8_t> scrambled = ScrambledNoteText(text);
    if (int e = file.Write(NoteMarker())) {
      outcome = {e, WriteStep::kWrite};
      failed = t::kSaveMarkerFailed;
    } else if (int e2 = file.Write(length)) {
      outcome = {e2, WriteStep::kWrite};
      failed = t::kSaveLengthFailed;
    } else if (int e3 = file.Write(scrambled)) {
      outcome = {e3, WriteStep::kWrite};
      failed = t::kSaveProtectedFailed;
    }
  } else if (int e = file.Write(Bytes(text))) {
    outcome = {e, WriteStep::kWrite};
    failed = t::kSavePlainFailed;
  }
  if (outcome.ok())
    if (int e = file.Sync()) outcome = {e, WriteStep::kSync};
  if (int e = file.Close(); e && outcome.ok()) outcome = {e, WriteStep::kClose};
  if (outcome.ok()) return true;
  m_fs.Remove(path);
  m_msg.ErrorMessage(failed ? std::string(failed)
                            : Sprintf(t::kSaveStepFailed, WriteStepName(outcome.step),
                                      std::strerror(outcome.error)));
  return false;
}

bool NoteFiles::SaveNote(int32_t number, std::string_view text) {
  if (text.empty()) return DeleteNoteFile(number);
  const bool protect = WritesProtected();
  const size_t stored = text.size() + (protect ? kNoteProtectedHeadSize : 0);
  if (static_cast<int64_t>(stored) >= kNoteRefusedSize) {
    m_msg.ErrorMessage(Sprintf(t::kSaveTooLong, static_cast<unsigned>(stored)));
    return false;
  }
  if (!PrepareFolder()) return false;
  const std::string path = PathOf(number);
  std::string temp = path;
  temp.replace(temp.size() - 4, 4, ".tmp");
  if (!WriteWhole(temp, text, protect)) return false;
  if (int e = m_fs.Rename(temp, path)) {
    m_fs.Remove(temp);
    m_msg.ErrorMessage(
        Sprintf(t::kSaveStepFailed, WriteStepName(WriteStep::kRename), std::strerror(e)));
    return false;
  }
  // The note is in place; a folder that could not be flushed is only worth the log.
  if (int e = m_fs.SyncFolder(m_folder))
    m_msg.LogLine(
        Sprintf(t::kSaveStepFailed, WriteStepName(WriteStep::kSyncFolder), std::strerror(e)));
  return true;
}

bool NoteFiles::DeleteNoteFile(int32_t number) {
  if (prefix().empty()) return true;
  const std::string path = PathOf(number);
  int e = m_fs.Remove(path);
  if (e == 0 || e == ENOENT) return true;
  m_msg.ErrorMessage(Sprintf(t::kDeleteFailed, path.c_str(), std::strerror(e)));
  return false;
}

bool NoteFiles::CopyNoteFile(int32_t from, int32_t to) {
  if (!NoteFileExists(from)) return DeleteNoteFile(to);
  if (!PrepareFolder()) return false;
  FileOutcome copied = CopyFileSafely(m_fs, PathOf(from), PathOf(to));
  if (copied.ok()) return true;
  m_msg.ErrorMessage(Sprintf(t::kCopyFailed, PathOf(from).c_str(), PathOf(to).c_str(),
                             WriteStepName(copied.step), std::strerror(copied.error)));
  return false;
}

}  // namespace ploven
