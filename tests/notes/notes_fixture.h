#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file/file_system.h"
#include "notes/note_files.h"
#include "notes/note_prefix.h"
#include "notes/note_lock.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {

// A schedule in a temporary folder with its note files; the prefix is always "abc" so tests
// can name the files.
class NotesTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    for (size_t i = 0; i < kNotePrefixLength; ++i)
      s.header().Set<uint8_t>(kNotePrefixOffset + i, static_cast<uint8_t>('a' + i));
  }

  std::string NotePath(int32_t number) const {
    char name[32];
    std::snprintf(name, sizeof name, "abc%05d.txt", number);
    return (env.dir.path() / "Notes" / name).string();
  }
  void PutFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(WriteWholeFile(real, path, bytes).ok());
  }
  void PutNote(int32_t number, const std::string& text) {
    PutFile(NotePath(number), std::vector<uint8_t>(text.begin(), text.end()));
  }
  std::vector<uint8_t> FileBytes(const std::string& path) {
    auto read = real.ReadFile(path);
    return read.ok() ? *read.value : std::vector<uint8_t>{};
  }
  ActHandle ItemWithNote(const std::string& title, int32_t number) {
    const ActHandle h = Fixed(title, kToday, At(9), 30);
    s.LockAct(h).noteNumber = number;
    return h;
  }

  PosixFileSystem real;
  NoteFiles files{s, real, env.dir.path().string(), [](int n) { return n - 1; }};
  NoteLocks locks{files};
};

}  // namespace ploven::test
