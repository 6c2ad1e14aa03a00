#include "notes/exception_note.h"

#include "notes/note_messages.h"
#include "notes/note_sharing.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

namespace t = note_text;

class ExceptionNoteTest : public NotesTest {
 protected:
  void SetUp() override {
    NotesTest::SetUp();
    def = Recurring("Standup", Daily(kToday));
    for (DayNumber d = kToday; d <= kToday + 3; ++d) Keep(d);
    shared = s.GetActNoteNumber(def);
    ASSERT_NE(shared, 0);
    ASSERT_TRUE(files.SaveNote(shared, "agenda for every standup"));
    UpdateNoteMarks(s, shared, true);
  }
  ExceptionNoteWindow WindowOn(DayNumber date) {
    ExceptionNoteWindow w;
    w.task = Clone(def, date);
    w.item = def;
    w.noteNumber = shared;
    return w;
  }
  ActHandle def = kNoAct;
  int32_t shared = 0;
};

TEST_F(ExceptionNoteTest, OccurrenceGetsItsOwnCopyOfTheSharedNote) {
  ExceptionNoteWindow w = WindowOn(kToday + 1);
  w.text = "agenda for every standup, and more";
  w.modified = true;
  ASSERT_EQ(locks.Take(shared), NoteLockOutcome::kTaken);
  env.ui.Answer(kIdYes);
  ASSERT_EQ(MakeExceptionNote(r, files, locks, w), ExceptionNoteOutcome::kMade);
  // The occurrence became an item of its own with a note of its own.
  EXPECT_NE(w.item, def);
  EXPECT_TRUE(s.ActFlags(w.item) & AF_DRONE);
  EXPECT_EQ(Clone(def, kToday + 1), nullptr);
  EXPECT_NE(w.noteNumber, shared);
  EXPECT_EQ(s.GetActNoteNumber(w.item), w.noteNumber);
  EXPECT_TRUE(s.ActFlags(w.item) & AF_HAS_NOTE);
  // It starts as the shared note with the window's changes, which went to the shared note first.
  EXPECT_EQ(files.LoadNote(w.noteNumber), "agenda for every standup, and more");
  EXPECT_EQ(files.LoadNote(shared), "agenda for every standup, and more");
  // From now on they are independent.
  ASSERT_TRUE(files.SaveNote(w.noteNumber, "only today"));
  EXPECT_EQ(files.LoadNote(shared), "agenda for every standup, and more");
  // The locks moved with the window.
  EXPECT_FALSE(std::filesystem::exists(files.LockPathOf(shared)));
  EXPECT_TRUE(std::filesystem::exists(files.LockPathOf(w.noteNumber)));
  EXPECT_TRUE(env.ui.Showed("Exception note created successfully."));
  EXPECT_TRUE(s.changed());
  ExpectConsistent();
}

TEST_F(ExceptionNoteTest, AlreadyEditedOccurrenceKeepsItsItem) {
  const ActHandle drone = CloneToDrone(r, Clone(def, kToday + 2));
  ASSERT_NE(drone, kNoAct);
  ExceptionNoteWindow w;
  w.item = drone;
  w.noteNumber = shared;
  env.ui.Answer(kIdYes);
  ASSERT_EQ(MakeExceptionNote(r, files, locks, w), ExceptionNoteOutcome::kMade);
  EXPECT_EQ(w.item, drone);
  EXPECT_EQ(files.LoadNote(w.noteNumber), "agenda for every standup");
  EXPECT_EQ(s.GetActNoteNumber(def), shared);
}

TEST_F(ExceptionNoteTest, NoLeavesEverythingAsItWas) {
  ExceptionNoteWindow w = WindowOn(kToday + 1);
  env.ui.Answer(kIdNo);
  EXPECT_EQ(MakeExceptionNote(r, files, locks, w), ExceptionNoteOutcome::kDeclined);
  EXPECT_TRUE(env.ui.Showed(t::kExceptionDeclined));
  EXPECT_EQ(w.item, def);
  EXPECT_EQ(w.noteNumber, shared);
  EXPECT_NE(Clone(def, kToday + 1), nullptr);  // still a plain occurrence
}

TEST_F(ExceptionNoteTest, RefusedWithoutASharedNoteOrAnOccurrence) {
  const ActHandle single = ItemWithNote("Single", 900);
  ExceptionNoteWindow own;
  own.item = single;
  own.noteNumber = 900;
  EXPECT_EQ(MakeExceptionNote(r, files, locks, own), ExceptionNoteOutcome::kRefused);
  EXPECT_TRUE(env.ui.Showed(t::kNotShared));

  ExceptionNoteWindow none;
  none.noteNumber = shared;
  EXPECT_EQ(MakeExceptionNote(r, files, locks, none), ExceptionNoteOutcome::kRefused);
  EXPECT_TRUE(env.ui.Showed(t::kNeedInstance));

  ExceptionNoteWindow definitionOnly;  // the recurring item without a chosen occurrence
  definitionOnly.item = def;
  definitionOnly.noteNumber = shared;
  env.ui.boxes.clear();
  EXPECT_EQ(MakeExceptionNote(r, files, locks, definitionOnly), ExceptionNoteOutcome::kRefused);
  EXPECT_TRUE(env.ui.Showed(t::kNeedInstance));
}

}  // namespace
}  // namespace ploven::test
