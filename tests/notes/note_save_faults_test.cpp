// Saving a note under failing file operations: the old note stays byte for byte, and the
// user is told which step failed.

#include <cerrno>
#include <filesystem>

#include "mock/faulty_file_system.h"
#include "notes/note_format.h"
#include "notes/note_prefix.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

struct Fault {
  int error;
  bool persistent;
  bool protect;
};

class NoteSaveFaults : public NotesTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(NoteSaveFaults, EveryFailedStepLeavesTheOldNote) {
  const Fault f = GetParam();
  SetNoteProtection(s.header(), f.protect);
  ASSERT_TRUE(files.SaveNote(3, "the old note"));
  const auto old = FileBytes(NotePath(3));
  const std::string fresh(5000, 'w');

  // Count the operations of one whole save first.
  FaultyFileSystem faulty(real);
  NoteFiles through{s, faulty, env.dir.path().string(), [](int) { return 0; }};
  faulty.FailAt(0, 0, false);
  ASSERT_TRUE(through.SaveNote(3, "counting"));
  const int operations = faulty.operations();
  ASSERT_GT(operations, 4);

  for (int k = 1; k <= operations; ++k) {
    ASSERT_TRUE(WriteWholeFile(real, NotePath(3), old).ok());
    env.ui.boxes.clear();
    env.msg.LogLine("");  // keeps the error log's tail apart from the last case
    faulty.FailAt(k, f.error, f.persistent);
    const bool saved = through.SaveNote(3, fresh);
    faulty.Heal();
    const auto now = FileBytes(NotePath(3));
    const std::string trace = [&] {
      std::string all;
      for (const auto& op : faulty.log()) all += op + "; ";
      return all;
    }();
    if (saved) {
      // Only a failure after the rename may still count as saved: the new note is whole.
      EXPECT_EQ(DecodeNote(now).text, fresh) << "operation " << k << ": " << trace;
      EXPECT_TRUE(env.ui.boxes.empty()) << "operation " << k;
    } else {
      EXPECT_EQ(now, old) << "operation " << k << ": " << trace;
      ASSERT_EQ(env.ui.boxes.size(), 1u) << "operation " << k << ": " << trace;
      EXPECT_NE(env.ui.boxes[0].text.find("Unable to save current note"), std::string::npos)
          << env.ui.boxes[0].text;
    }
    // No temporary file is left behind either way (unless removing it failed too).
    if (!f.persistent) {
      EXPECT_FALSE(std::filesystem::exists(env.dir / "Notes" / "abc00003.tmp"))
          << "operation " << k;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Notes, NoteSaveFaults,
                         ::testing::Values(Fault{ENOSPC, false, false}, Fault{ENOSPC, true, false},
                                           Fault{EIO, false, true}, Fault{EIO, true, true}));

// Each step names itself in the message.
struct StepCase {
  const char* op;  // the faulty file system's name of the operation
  bool protect;
  const char* message;
};

class NoteSaveStepMessages : public NotesTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(NoteSaveStepMessages, TheMessageNamesTheStep) {
  const StepCase c = GetParam();
  SetNoteProtection(s.header(), c.protect);
  ASSERT_TRUE(files.SaveNote(4, "before"));
  FaultyFileSystem faulty(real);
  NoteFiles through{s, faulty, env.dir.path().string(), [](int) { return 0; }};
  faulty.FailAt(0, 0, false);
  ASSERT_TRUE(through.SaveNote(4, "before"));
  // The first operation of that name, plus the n-th write for the pieces of the protected form.
  const std::string op = c.op;
  const int nth = op == "write2" ? 2 : op == "write3" ? 3 : 1;
  const std::string name = op.rfind("write", 0) == 0 ? "write" : op;
  int k = 0, seen = 0;
  for (size_t i = 0; i < faulty.log().size(); ++i)
    if (faulty.log()[i].rfind(name, 0) == 0 && ++seen == nth) {
      k = static_cast<int>(i) + 1;
      break;
    }
  ASSERT_GT(k, 0) << c.op;
  faulty.FailAt(k, EIO, false);
  EXPECT_FALSE(through.SaveNote(4, "after"));
  ASSERT_FALSE(env.ui.boxes.empty());
  EXPECT_NE(env.ui.boxes.back().text.find(c.message), std::string::npos)
      << env.ui.boxes.back().text;
  faulty.Heal();
  EXPECT_EQ(files.LoadNote(4), "before");
}

INSTANTIATE_TEST_SUITE_P(
    Notes, NoteSaveStepMessages,
    ::testing::Values(StepCase{"create", false, "Unable to save current note."},
                      StepCase{"write", false, "Unable to save current note (5)."},
                      StepCase{"write", true, "Unable to save current note (2)."},
                      StepCase{"write2", true, "Unable to save current note (3)."},
                      StepCase{"write3", true, "Unable to save current note (4)."},
                      StepCase{"sync", false, "(flush to disk failed"},
                      StepCase{"close", false, "(close failed"},
                      StepCase{"rename", false, "(rename failed"}));

}  // namespace
}  // namespace ploven::test
