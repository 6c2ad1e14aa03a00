#include "notes/note_upkeep.h"

#include <filesystem>

#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

class NoteUpkeepTest : public NotesTest {};

TEST_F(NoteUpkeepTest, DeletedItemsNoteGoesOnlyWhenNobodyHasItAndTheScheduleIsSaved) {
  const ActHandle own = ItemWithNote("Own", 40);
  const ActHandle shared1 = ItemWithNote("Shared one", 41);
  ItemWithNote("Shared two", 41);
  const ActHandle undeleted = ItemWithNote("Back again", 42);
  for (int32_t n : {40, 41, 42}) ASSERT_TRUE(files.SaveNote(n, "text"));
  DeletedNotes deleted;
  for (ActHandle h : {own, shared1, undeleted}) {
    deleted.ItemDeleting(s, h);
    s.RemoveFromActChain(h);
  }
  s.AddToActChain(undeleted, kToday);  // as Undelete brings it back
  s.MarkChanged();
  EXPECT_EQ(deleted.DropOrphans(s, files), 0);  // not saved yet: the items are still on disk
  EXPECT_TRUE(files.NoteFileExists(40));
  s.ClearChanged();
  EXPECT_EQ(deleted.DropOrphans(s, files), 1);
  EXPECT_FALSE(files.NoteFileExists(40));
  EXPECT_TRUE(files.NoteFileExists(41));  // "Shared two" still has it
  EXPECT_TRUE(files.NoteFileExists(42));
}

TEST_F(NoteUpkeepTest, DuplicatedProjectGetsACopyOfItsNote) {
  const ActHandle original = ItemWithNote("Original", 43);
  const ActHandle copy = ItemWithNote("Copy", 43);
  ASSERT_TRUE(files.SaveNote(43, "project plan"));
  ASSERT_TRUE(GiveOwnNoteCopy(s, files, copy));
  const int32_t own = s.GetActNoteNumber(copy);
  EXPECT_NE(own, 43);
  EXPECT_EQ(files.LoadNote(own), "project plan");
  EXPECT_TRUE(s.ActFlags(copy) & AF_HAS_NOTE);
  ASSERT_TRUE(files.SaveNote(own, "changed"));
  EXPECT_EQ(files.LoadNote(43), "project plan");
  EXPECT_EQ(s.GetActNoteNumber(original), 43);
}

}  // namespace
}  // namespace ploven::test
