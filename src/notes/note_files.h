#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "file/file_system.h"

namespace ploven {

class Messages;
class Schedule;

// The note files of one schedule: "<schedule folder>/Notes/<prefix><five-digit number>.txt".
// No file means an empty note. Every failure is told here and leaves the file as it was.
class NoteFiles {
 public:
  // `randomBelow(n)` gives 0..n-1; it chooses the prefix the first time a note is written.
  NoteFiles(Schedule& schedule, FileSystem& fs, std::string scheduleFolder,
            std::function<int(int)> randomBelow);

  Schedule& schedule() { return m_s; }
  FileSystem& fs() { return m_fs; }
  const std::string& notesFolder() const { return m_folder; }
  // The prefix, empty while the schedule has none (then no note file exists).
  std::string prefix() const;

  std::string FileName(int32_t number) const;  // "abc00012.txt"
  std::string PathOf(int32_t number) const;
  std::string LockPathOf(int32_t number) const;   // ".loc" in place of ".txt"
  std::string ProbePathOf(int32_t number) const;  // ".WAI"

  // The note's text ("" when there is no file); nothing when it was refused or could not be
  // read (told).
  std::optional<std::string> LoadNote(int32_t number);
  // Writes the text through a temporary file flushed and renamed into place; an empty text
  // deletes the file. False (told) when the old note is still there.
  bool SaveNote(int32_t number, std::string_view text);
  bool DeleteNoteFile(int32_t number);
  bool NoteFileExists(int32_t number);
  // Case-insensitive; silent, a note that cannot be read contains nothing.
  bool NoteContains(int32_t number, std::string_view text);
  // The text of a note without telling anything (Find); nothing when unreadable.
  std::optional<std::string> ReadNoteQuietly(int32_t number);
  bool CopyNoteFile(int32_t from, int32_t to);
  // Creates the Notes folder (and chooses the prefix) when missing; false when told.
  bool PrepareFolder();

 private:
  std::optional<std::string> Read(int32_t number, bool tell);
  bool WriteWhole(const std::string& path, std::string_view text, bool protect);
  bool WritesProtected() const;

  Schedule& m_s;
  Messages& m_msg;
  FileSystem& m_fs;
  std::string m_folder;
  std::function<int(int)> m_randomBelow;
};

}  // namespace ploven
