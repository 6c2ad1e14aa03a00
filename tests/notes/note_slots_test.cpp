#include "notes/note_slots.h"

#include <filesystem>

#include "notes/note_messages.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

namespace fsys = std::filesystem;

class NoteSlotsTest : public NotesTest {
 protected:
  ActHandle Item(const std::string& title) { return Fixed(title, kToday, At(9), 30); }
  int OpenFor(ActHandle h, bool browse = false) {
    auto opened = slots.Open(h, nullptr, browse);
    return opened ? opened->slot : -1;
  }
  NoteSlots slots{files, locks};
};

TEST_F(NoteSlotsTest, TheSixteenthWindowIsRefused) {
  for (int i = 0; i < kMaxNoteWindows; ++i)
    ASSERT_GE(OpenFor(Item("Item " + std::to_string(i))), 0);
  EXPECT_EQ(slots.OpenCount(), kMaxNoteWindows);
  EXPECT_EQ(OpenFor(Item("One too many")), -1);
  EXPECT_TRUE(env.ui.Showed(note_text::kTooManyNotes));
  ASSERT_TRUE(slots.Close(3, ""));
  EXPECT_GE(OpenFor(Item("Now there is room")), 0);
}

TEST_F(NoteSlotsTest, OpeningTheSameNoteAgainGivesItsWindow) {
  const ActHandle a = ItemWithNote("First", 30);
  const ActHandle b = ItemWithNote("Sharer", 30);
  const int slot = OpenFor(a);
  ASSERT_GE(slot, 0);
  auto again = slots.Open(b, nullptr, false);
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->existing);
  EXPECT_EQ(again->slot, slot);
  EXPECT_EQ(slots.OpenCount(), 1);
}

TEST_F(NoteSlotsTest, ClosingSavesMarksEverySharerAndReleasesTheLock) {
  const ActHandle a = ItemWithNote("First", 31);
  const ActHandle b = ItemWithNote("Sharer", 31);
  const int slot = OpenFor(a);
  ASSERT_GE(slot, 0);
  EXPECT_TRUE(fsys::exists(files.LockPathOf(31)));
  EXPECT_EQ(slots.Title(slot), "Shared Note (abc00031.txt) for: First");
  slots.MarkModified(slot);
  s.ClearChanged();
  ASSERT_TRUE(slots.Close(slot, "typed words"));
  EXPECT_EQ(files.LoadNote(31), "typed words");
  EXPECT_TRUE(s.ActFlags(a) & AF_HAS_NOTE);
  EXPECT_TRUE(s.ActFlags(b) & AF_HAS_NOTE);
  EXPECT_TRUE(s.changed());
  EXPECT_FALSE(fsys::exists(files.LockPathOf(31)));
  EXPECT_EQ(slots.OpenCount(), 0);
}

TEST_F(NoteSlotsTest, UnmodifiedWindowWritesNothing) {
  PutNote(32, "by hand");
  const ActHandle a = ItemWithNote("Hand", 32);
  const int slot = OpenFor(a);
  ASSERT_TRUE(slots.Close(slot, "ignored, never modified"));
  EXPECT_EQ(files.LoadNote(32), "by hand");
  EXPECT_TRUE(s.ActFlags(a) & AF_HAS_NOTE);  // the mark follows the file anyway
}

TEST_F(NoteSlotsTest, FailedSaveKeepsTheWindowOpen) {
  const ActHandle a = ItemWithNote("Big", 33);
  const int slot = OpenFor(a);
  slots.MarkModified(slot);
  EXPECT_FALSE(slots.Close(slot, std::string(70000, 'x')));
  EXPECT_EQ(slots.OpenCount(), 1);
  EXPECT_TRUE(fsys::exists(files.LockPathOf(33)));
  ASSERT_TRUE(slots.Close(slot, "shorter"));
  EXPECT_EQ(files.LoadNote(33), "shorter");
}

TEST_F(NoteSlotsTest, UnreadableNoteIsNotOpened) {
  PutNote(34, std::string(65535, 'x'));
  const ActHandle a = ItemWithNote("Huge", 34);
  EXPECT_EQ(OpenFor(a), -1);
  EXPECT_FALSE(fsys::exists(files.LockPathOf(34)));
  EXPECT_EQ(FileBytes(NotePath(34)).size(), 65535u);
}

TEST_F(NoteSlotsTest, NotesWindowFollowsTheSelection) {
  const ActHandle a = ItemWithNote("A", 35);
  const ActHandle b = ItemWithNote("B", 36);
  PutNote(36, "note of B");
  const int slot = OpenFor(a, true);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(slots.BrowseSlot(), slot);
  slots.MarkModified(slot);
  const auto next = slots.Follow(slot, "written in A", b, nullptr);
  ASSERT_TRUE(next);
  EXPECT_EQ(*next, "note of B");
  EXPECT_EQ(files.LoadNote(35), "written in A");
  EXPECT_FALSE(fsys::exists(files.LockPathOf(35)));
  EXPECT_TRUE(fsys::exists(files.LockPathOf(36)));
  EXPECT_EQ(slots.slot(slot).number, 36);
  EXPECT_FALSE(slots.Follow(slot, "note of B", b, nullptr));  // same note: nothing to do
}

TEST_F(NoteSlotsTest, NotesWindowShowsANoteInUseWithoutWritingIt) {
  const ActHandle a = ItemWithNote("A", 37);
  PutNote(37, "theirs");
  ASSERT_EQ(locks.Take(37), NoteLockOutcome::kTaken);  // as if another program had it
  auto opened = slots.Open(a, nullptr, true);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->text, "theirs");
  EXPECT_FALSE(slots.slot(opened->slot).locked);
  EXPECT_TRUE(env.ui.boxes.empty());
  slots.MarkModified(opened->slot);
  ASSERT_TRUE(slots.Close(opened->slot, "mine"));
  EXPECT_EQ(files.LoadNote(37), "theirs");
  EXPECT_TRUE(fsys::exists(files.LockPathOf(37)));  // their lock stays
}

TEST_F(NoteSlotsTest, MinutePassRenewsEveryHeldLock) {
  OpenFor(ItemWithNote("A", 38));
  OpenFor(ItemWithNote("B", 39));
  for (int32_t n : {38, 39})
    fsys::last_write_time(files.LockPathOf(n),
                          fsys::file_time_type::clock::now() - std::chrono::seconds(150));
  EXPECT_FALSE(locks.IsFresh(38));
  EXPECT_EQ(slots.RenewLocks(), 2);
  EXPECT_TRUE(locks.IsFresh(38));
  EXPECT_TRUE(locks.IsFresh(39));
}

TEST_F(NoteSlotsTest, ClosingTheScheduleReleasesEveryLock) {
  OpenFor(ItemWithNote("A", 44));
  OpenFor(ItemWithNote("B", 45));
  slots.ReleaseAll();
  EXPECT_EQ(slots.OpenCount(), 0);
  EXPECT_FALSE(fsys::exists(files.LockPathOf(44)));
  EXPECT_FALSE(fsys::exists(files.LockPathOf(45)));
}

TEST_F(NoteSlotsTest, ItemThatDoesNotExistIsRefused) {
  EXPECT_EQ(OpenFor(kNoAct), -1);
  EXPECT_TRUE(env.ui.Showed(note_text::kMustExistFirst));
}

// The Item (Done) window writes a note before its done item is in the schedule.
TEST_F(NoteSlotsTest, NoteOfAnItemNotYetSavedOpensByNumberAndSavesOnClose) {
  const int32_t number = 52;
  auto opened = slots.OpenNumber(number);
  ASSERT_TRUE(opened);
  EXPECT_FALSE(opened->existing);
  EXPECT_TRUE(fsys::exists(files.LockPathOf(number)));
  auto again = slots.OpenNumber(number);
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->existing);
  EXPECT_EQ(again->slot, opened->slot);
  slots.MarkModified(opened->slot);
  ASSERT_TRUE(slots.Close(opened->slot, "what was done"));
  EXPECT_EQ(files.LoadNote(number), "what was done");
  EXPECT_FALSE(fsys::exists(files.LockPathOf(number)));
  EXPECT_FALSE(slots.OpenNumber(0));
  EXPECT_TRUE(env.ui.Showed(note_text::kMustExistFirst));
}

}  // namespace
}  // namespace ploven::test
