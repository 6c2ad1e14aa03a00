#include <filesystem>

#include "notes/note_format.h"
#include "notes/note_messages.h"
#include "notes/note_prefix.h"
#include "notes/note_sharing.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

namespace t = note_text;

class NoteFilesTest : public NotesTest {};

TEST_F(NoteFilesTest, NoFileIsAnEmptyNote) {
  EXPECT_EQ(files.LoadNote(7), "");
  EXPECT_FALSE(files.NoteFileExists(7));
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(NoteFilesTest, NamesFollowPrefixAndNumber) {
  EXPECT_EQ(files.PathOf(12), NotePath(12));
  EXPECT_EQ(std::filesystem::path(files.LockPathOf(12)).filename(), "abc00012.loc");
  EXPECT_EQ(std::filesystem::path(files.ProbePathOf(12)).filename(), "abc00012.WAI");
}

TEST_F(NoteFilesTest, PrefixIsChosenOnceAndKeptWithTheSchedule) {
  Schedule fresh{env.msg, env.clock};
  int calls = 0;
  NoteFiles own{fresh, real, (env.dir / "other").string(), [&](int n) {
                  EXPECT_EQ(n, 26);
                  return (calls++ * 7) % n;
                }};
  EXPECT_EQ(own.prefix(), "");
  EXPECT_FALSE(fresh.changed());
  ASSERT_TRUE(own.SaveNote(1, "first"));
  EXPECT_EQ(own.prefix(), "aho");
  EXPECT_TRUE(fresh.changed());
  EXPECT_TRUE(std::filesystem::is_directory(env.dir / "other" / "Notes"));
  ASSERT_TRUE(own.SaveNote(2, "second"));
  EXPECT_EQ(own.prefix(), "aho");
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(NotePrefix(fresh.header()), "aho");
}

TEST_F(NoteFilesTest, SavedNoteIsPlainTextAnyEditorOpens) {
  ASSERT_TRUE(files.SaveNote(3, "Bring the contract\ncaf\xC3\xA9"));
  const auto bytes = FileBytes(NotePath(3));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Bring the contract\ncaf\xC3\xA9");
  EXPECT_EQ(files.LoadNote(3), "Bring the contract\ncaf\xC3\xA9");
  EXPECT_FALSE(std::filesystem::exists(env.dir / "Notes" / "abc00003.tmp"));
}

struct ProtectionCase {
  const char* name;
  bool protection;
  int32_t mode;
  bool protectedOnDisk;
};

class NoteProtectionTest : public NotesTest,
                           public ::testing::WithParamInterface<ProtectionCase> {};

TEST_P(NoteProtectionTest, ProtectedOnlyWithTheSettingInProMode) {
  const ProtectionCase c = GetParam();
  SetNoteProtection(s.header(), c.protection);
  s.header().setMode(c.mode);
  ASSERT_TRUE(files.SaveNote(4, "secret plans"));
  const auto bytes = FileBytes(NotePath(4));
  EXPECT_EQ(DecodeNote(bytes).wasProtected, c.protectedOnDisk);
  EXPECT_EQ(files.LoadNote(4), "secret plans");
}

INSTANTIATE_TEST_SUITE_P(
    Notes, NoteProtectionTest,
    ::testing::Values(ProtectionCase{"OnPro", true, kScheduleProMode, true},
                      ProtectionCase{"OnLight", true, kScheduleLightMode, false},
                      ProtectionCase{"OffPro", false, kScheduleProMode, false}),
    [](const auto& p) { return std::string(p.param.name); });

struct SizeCase {
  int64_t size;
  bool loads;
};

class NoteSizeTest : public NotesTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(NoteSizeTest, NotesOfSixtyFiveThousandFiveHundredThirtyFiveBytesAreRefused) {
  const SizeCase c = GetParam();
  PutNote(5, std::string(static_cast<size_t>(c.size), 'n'));
  const auto loaded = files.LoadNote(5);
  EXPECT_EQ(loaded.has_value(), c.loads);
  if (c.loads) {
    EXPECT_EQ(loaded->size(), static_cast<size_t>(c.size));
    EXPECT_TRUE(env.ui.boxes.empty());
  } else {
    EXPECT_TRUE(env.ui.Showed("is " + std::to_string(c.size) + " bytes long"));
    EXPECT_TRUE(env.ui.Showed("shorten it to less than 32,767 bytes"));
    // Refused, not lost: the file stays as it was.
    EXPECT_EQ(FileBytes(NotePath(5)).size(), static_cast<size_t>(c.size));
  }
}

INSTANTIATE_TEST_SUITE_P(Notes, NoteSizeTest,
                         ::testing::Values(SizeCase{65534, true}, SizeCase{65535, false},
                                           SizeCase{100000, false}));

TEST_F(NoteFilesTest, NoteTooLongToBeReadAgainIsNotWritten) {
  ASSERT_TRUE(files.SaveNote(5, "kept"));
  EXPECT_FALSE(files.SaveNote(5, std::string(65535, 'x')));
  EXPECT_TRUE(env.ui.Showed("notes must stay under 65,535 bytes"));
  EXPECT_EQ(files.LoadNote(5), "kept");
  // The protected form's 15 bytes count too.
  SetNoteProtection(s.header(), true);
  EXPECT_FALSE(files.SaveNote(5, std::string(65520, 'x')));
  ASSERT_TRUE(files.SaveNote(5, std::string(65519, 'x')));
  EXPECT_EQ(files.LoadNote(5)->size(), 65519u);
}

TEST_F(NoteFilesTest, DamagedProtectedNoteIsToldAndKept) {
  std::vector<uint8_t> bytes(NoteMarker().begin(), NoteMarker().end());
  for (uint8_t b : {0xFF, 0x00, 0x00, 0x00, 0x41}) bytes.push_back(b);
  PutFile(NotePath(6), bytes);
  EXPECT_FALSE(files.LoadNote(6).has_value());
  EXPECT_TRUE(env.ui.Showed("is damaged"));
  EXPECT_EQ(FileBytes(NotePath(6)), bytes);
}

TEST_F(NoteFilesTest, EmptiedNoteDeletesItsFileAndEverySharerLosesTheMark) {
  const ActHandle a = ItemWithNote("Alpha", 8);
  const ActHandle b = ItemWithNote("Beta", 8);
  const ActHandle other = ItemWithNote("Other", 9);
  ASSERT_TRUE(files.SaveNote(8, "shared words"));
  ASSERT_TRUE(files.SaveNote(9, "own words"));
  s.ClearChanged();
  EXPECT_TRUE(UpdateNoteMarks(s, 8, files.NoteFileExists(8)));
  UpdateNoteMarks(s, 9, true);
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(s.ActFlags(a) & AF_HAS_NOTE);
  EXPECT_TRUE(s.ActFlags(b) & AF_HAS_NOTE);

  s.ClearChanged();
  EXPECT_FALSE(UpdateNoteMarks(s, 8, true));  // nothing to change: the schedule stays saved
  EXPECT_FALSE(s.changed());

  ASSERT_TRUE(files.SaveNote(8, ""));
  EXPECT_FALSE(std::filesystem::exists(NotePath(8)));
  EXPECT_TRUE(UpdateNoteMarks(s, 8, files.NoteFileExists(8)));
  EXPECT_FALSE(s.ActFlags(a) & AF_HAS_NOTE);
  EXPECT_FALSE(s.ActFlags(b) & AF_HAS_NOTE);
  EXPECT_TRUE(s.ActFlags(other) & AF_HAS_NOTE);
  EXPECT_TRUE(s.changed());
}

TEST_F(NoteFilesTest, SharingCountsItemsAndRecurringItems) {
  ItemWithNote("One", 20);
  EXPECT_FALSE(IsSharedNote(s, 20));
  ItemWithNote("Two", 20);
  EXPECT_TRUE(IsSharedNote(s, 20));
  const ActHandle def = Recurring("Daily walk", Daily(kToday));
  EXPECT_TRUE(IsSharedNote(s, s.GetActNoteNumber(def)));
  EXPECT_FALSE(IsSharedNote(s, 0));
}

TEST_F(NoteFilesTest, ContainsIgnoresCaseAndReadsProtectedNotes) {
  SetNoteProtection(s.header(), true);
  ASSERT_TRUE(files.SaveNote(10, "Meet Anna at the Station"));
  EXPECT_TRUE(files.NoteContains(10, "anna AT the"));
  EXPECT_FALSE(files.NoteContains(10, "annabel"));
  EXPECT_FALSE(files.NoteContains(11, "anna"));
}

TEST_F(NoteFilesTest, CopyMakesAnIndependentNote) {
  ASSERT_TRUE(files.SaveNote(12, "original"));
  ASSERT_TRUE(files.CopyNoteFile(12, 13));
  ASSERT_TRUE(files.SaveNote(13, "changed"));
  EXPECT_EQ(files.LoadNote(12), "original");
  EXPECT_EQ(files.LoadNote(13), "changed");
  // Copying a note that has no file leaves the target empty too.
  ASSERT_TRUE(files.CopyNoteFile(14, 13));
  EXPECT_FALSE(files.NoteFileExists(13));
}

TEST_F(NoteFilesTest, NoteInfoSaysWhereTheNoteIs) {
  const ActHandle h = ItemWithNote("Report", 15);
  const int id = static_cast<int>(s.GetActID(h));
  EXPECT_EQ(NoteInfo(s, files, h), "Item " + std::to_string(id) + " does not have a note.");
  ASSERT_TRUE(files.SaveNote(15, "text"));
  EXPECT_EQ(NoteInfo(s, files, h), "The note for item " + std::to_string(id) +
                                       " is stored in file abc00015.txt in the Notes folder, "
                                       "and is healthy.");
  s.LockAct(h).flags |= AF_HAS_NOTE;
  std::filesystem::remove(NotePath(15));
  EXPECT_NE(NoteInfo(s, files, h).find("but that file is not where it should be"),
            std::string::npos);
}

}  // namespace
}  // namespace ploven::test
