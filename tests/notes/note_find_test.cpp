#include "notes/note_find.h"

#include "notes/note_prefix.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

class NoteFindTest : public NotesTest {
 protected:
  ActHandle Item(const std::string& title, DayNumber date, int hour, int32_t note = 0,
                 const std::string& text = "") {
    const ActHandle h = Fixed(title, date, At(hour), 30);
    if (note != 0) {
      s.LockAct(h).noteNumber = note;
      if (!text.empty()) {
        EXPECT_TRUE(files.SaveNote(note, text));
      }
    }
    return h;
  }
  std::vector<ActHandle> Find(const std::string& words) {
    std::vector<ActHandle> found;
    for (const FindHit& hit : FindItems(s, files, words)) found.push_back(hit.act);
    return found;
  }
};

TEST_F(NoteFindTest, FindsTitlesAndNotesInDateAndTimeOrder) {
  const ActHandle late = Item("Dentist", kToday + 2, 9);
  const ActHandle early = Item("Call the DENTIST back", kToday, 14);
  const ActHandle noted = Item("Errands", kToday + 1, 8, 40, "Pick up the dentist's bill");
  Item("Groceries", kToday, 10, 41, "milk, bread");
  EXPECT_EQ(Find("dentist"), (std::vector<ActHandle>{early, noted, late}));
  const auto hits = FindItems(s, files, "dentist");
  EXPECT_TRUE(hits[0].inTitle);
  EXPECT_FALSE(hits[1].inTitle);
  EXPECT_EQ(hits[1].date, kToday + 1);
}

TEST_F(NoteFindTest, AnItemWithoutAStartOfItsOwnIsListedAtItsPlannedTime) {
  Item("Standup", kToday, 9);
  Act a;
  a.duration = 30;
  const ActHandle placed = s.NewItem(kToday, a, "Call the plumber");
  engine.RecalcDayTimes(kToday);
  ASSERT_EQ(s.ReadAct(placed).startTime, 0);
  const auto hits = FindItems(s, files, "plumber");
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].date, kToday);
  EXPECT_EQ(hits[0].start, s.ActTask(placed)->StartTime());
  EXPECT_NE(hits[0].start, 0);
}

TEST_F(NoteFindTest, EveryWordMustBeInTheTitleOrTheNote) {
  const ActHandle both = Item("Bank visit", kToday, 9, 50, "bring the passport");
  Item("Bank holiday", kToday, 10);
  EXPECT_EQ(Find("bank PASSPORT"), std::vector<ActHandle>{both});
  EXPECT_TRUE(Find("bank passport visa").empty());
  EXPECT_TRUE(Find("   ").empty());
}

TEST_F(NoteFindTest, SharedNotesAreFoundOnEveryItemThatSharesThem) {
  const ActHandle a = Item("Series one", kToday, 9, 60, "quarterly review");
  const ActHandle b = Item("Series two", kToday, 11, 60);
  EXPECT_EQ(Find("quarterly"), (std::vector<ActHandle>{a, b}));
}

TEST_F(NoteFindTest, ProtectedNotesAreSearchedToo) {
  SetNoteProtection(s.header(), true);
  const ActHandle h = Item("Private", kToday, 9, 70, "Locker code 4411");
  EXPECT_EQ(Find("4411"), std::vector<ActHandle>{h});
}

TEST_F(NoteFindTest, NextAndPreviousWrapRound) {
  std::vector<FindHit> hits = {{1, 0, 0, true}, {2, 0, 0, true}, {3, 0, 0, true}};
  EXPECT_EQ(NextHit(hits, 1, true), 1u);
  EXPECT_EQ(NextHit(hits, 3, true), 0u);
  EXPECT_EQ(NextHit(hits, 1, false), 2u);
  EXPECT_EQ(NextHit(hits, 99, true), 0u);
  EXPECT_EQ(NextHit(hits, 99, false), 2u);
}

}  // namespace
}  // namespace ploven::test
