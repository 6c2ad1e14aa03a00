#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_runner.h"

namespace ploven::test {
namespace {

namespace fsys = std::filesystem;

class NoteCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
    ASSERT_EQ(RunCli(dir, {"add", "s.pak", "--title", "Dentist call", "--date", "2026-12-10",
                           "--start", "9:00", "--fixed"})
                  .status,
              0);
    ASSERT_EQ(RunCli(dir, {"add", "s.pak", "--title", "Errands", "--date", "2026-12-09", "--start",
                           "14:00", "--fixed"})
                  .status,
              0);
  }
  std::vector<fsys::path> NoteFiles() {
    std::vector<fsys::path> out;
    if (fsys::exists(dir / "Notes"))
      for (const auto& e : fsys::directory_iterator(dir / "Notes")) out.push_back(e.path());
    return out;
  }
  std::string Flags(const std::string& id) {
    for (const std::string& line : Lines(RunCli(dir, {"items", "s.pak"}).out))
      if (Fields(line)[0] == id) return Fields(line)[2];
    return "";
  }
  TempDir dir;
};

TEST_F(NoteCommandsTest, WrittenNoteReadsBackAndMarksTheItem) {
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "2"}).out, "");
  const CliRun set = RunCli(dir, {"note", "s.pak", "2", "--set", "Pick up the DENTIST bill"});
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "2"}).out, "Pick up the DENTIST bill");
  ASSERT_EQ(NoteFiles().size(), 1u);  // no lock or temporary file left
  EXPECT_EQ(NoteFiles()[0].extension(), ".txt");
  EXPECT_EQ(ReadText(NoteFiles()[0]), "Pick up the DENTIST bill");
  const unsigned long flags = std::stoul(Flags("2"), nullptr, 16);
  EXPECT_TRUE(flags & 0x8);

  // An empty note deletes the file and clears the mark.
  ASSERT_EQ(RunCli(dir, {"note", "s.pak", "2", "--set", ""}).status, 0);
  EXPECT_TRUE(NoteFiles().empty());
  EXPECT_FALSE(std::stoul(Flags("2"), nullptr, 16) & 0x8);
}

TEST_F(NoteCommandsTest, NoteFromAFileAndFromStandardInput) {
  std::ofstream(dir / "text.txt") << "line one\nline two\n";
  ASSERT_EQ(RunCli(dir, {"note", "s.pak", "1", "--file", "text.txt"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "1"}).out, "line one\nline two\n");
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "1", "--file", "missing.txt"}).status, 1);
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "1"}).out, "line one\nline two\n");
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "1", "--bogus", "x"}).status, 2);
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "99"}).status, 1);
}

TEST_F(NoteCommandsTest, NoteInUseByAnotherProgramIsRefused) {
  ASSERT_EQ(RunCli(dir, {"note", "s.pak", "1", "--set", "first"}).status, 0);
  fsys::path note = NoteFiles()[0];
  fsys::path lock = note;
  lock.replace_extension(".loc");
  std::ofstream(lock) << "locked\n";
  const CliRun refused = RunCli(dir, {"note", "s.pak", "1", "--set", "second"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("This note is currently in use"), std::string::npos);
  EXPECT_EQ(RunCli(dir, {"note", "s.pak", "1"}).out, "first");
}

TEST_F(NoteCommandsTest, DeletingAnItemTakesItsNoteAlong) {
  ASSERT_EQ(RunCli(dir, {"note", "s.pak", "1", "--set", "goes"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"note", "s.pak", "2", "--set", "stays"}).status, 0);
  ASSERT_EQ(NoteFiles().size(), 2u);
  ASSERT_EQ(RunCli(dir, {"delete", "s.pak", "1"}).status, 0);
  ASSERT_EQ(NoteFiles().size(), 1u);
  EXPECT_EQ(ReadText(NoteFiles()[0]), "stays");
}

TEST_F(NoteCommandsTest, FindListsTitlesAndNotesInDateOrder) {
  ASSERT_EQ(RunCli(dir, {"note", "s.pak", "2", "--set", "Pick up the dentist's bill"}).status, 0);
  const auto lines = Lines(RunCli(dir, {"find", "s.pak", "DENTIST"}).out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "2026-12-09\t14:00\t2\tnote\tErrands");
  EXPECT_EQ(lines[1], "2026-12-10\t09:00\t1\ttitle\tDentist call");
  EXPECT_TRUE(RunCli(dir, {"find", "s.pak", "dentist", "zebra"}).out.empty());
}

}  // namespace
}  // namespace ploven::test
