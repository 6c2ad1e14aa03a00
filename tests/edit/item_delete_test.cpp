#include "edit/item_delete.h"

#include <ostream>
#include <string>

#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

// What a test chooses to delete: the item and, in a day view, its task.
struct Chosen {
  ActHandle item = kNoAct;
  TaskNode* task = nullptr;
};

class ItemDeleteTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    def = Recurring("Walk", Daily(kToday));
    for (DayNumber d = kToday; d <= kToday + 4; ++d) Keep(d);
    plain = Fixed("Dentist", kToday + 1, At(10), 60);
  }

  ActHandle def = kNoAct;
  ActHandle plain = kNoAct;
  UndeleteStack undelete{s};
};

// What the user chose before deleting.
enum class Choice { kItemInADay, kItemInAList, kOccurrence, kEditedOccurrence, kSeriesInAList };

struct DeleteRow {
  const char* name;
  Choice choice;
  DeleteScope scope;
  DeleteOutcome outcome;
  bool seriesLeft;     // the recurring item is still there
  int clonesTomorrow;  // occurrences of the series left on kToday + 1, while it is there
  bool plainLeft;      // the item of its own is still there
  size_t kept;         // entries Undelete can bring back
};
void PrintTo(const DeleteRow& row, std::ostream* os) { *os << row.name; }

class ItemDeleteRows : public ItemDeleteTest, public ::testing::WithParamInterface<DeleteRow> {
 protected:
  Chosen Choose(Choice choice) {
    switch (choice) {
      case Choice::kItemInADay:
        return {plain, s.ActTask(plain)};
      case Choice::kItemInAList:
        return {plain, nullptr};
      case Choice::kOccurrence:
        return {def, Clone(def, kToday + 1)};
      case Choice::kEditedOccurrence: {
        const ActHandle drone = CloneToDrone(r, Clone(def, kToday + 1));
        return {drone, s.ActTask(drone)};
      }
      case Choice::kSeriesInAList:
        return {def, nullptr};
    }
    return {};
  }
};

TEST_P(ItemDeleteRows, TakesWhatWasChosenAndKeepsItForUndelete) {
  const DeleteRow& row = GetParam();
  const Chosen chosen = Choose(row.choice);
  s.ClearChanged();
  EXPECT_EQ(DeleteChosenItem(r, undelete, chosen.item, chosen.task, row.scope), row.outcome);
  EXPECT_EQ(s.FindInActChain(def), row.seriesLeft);
  EXPECT_EQ(s.FindInActChain(plain), row.plainLeft);
  EXPECT_EQ(row.seriesLeft ? ClonesOn(def, kToday + 1) : 0, row.clonesTomorrow);
  EXPECT_EQ(undelete.size(), row.kept);
  EXPECT_TRUE(s.changed());
  ExpectConsistent();
}

using enum Choice;
constexpr DeleteScope kOne = DeleteScope::kChosen;
constexpr DeleteScope kAll = DeleteScope::kAllRecurrences;

INSTANTIATE_TEST_SUITE_P(
    Choices, ItemDeleteRows,
    ::testing::Values(
        DeleteRow{"ItemInADayView", kItemInADay, kOne, DeleteOutcome::kItem, true, 1, false, 1},
        DeleteRow{"ItemInAList", kItemInAList, kOne, DeleteOutcome::kItem, true, 1, false, 1},
        DeleteRow{"AllRecurrencesOfAnItemOfItsOwn", kItemInADay, kAll, DeleteOutcome::kItem, true,
                  1, false, 1},
        DeleteRow{"OneOccurrence", kOccurrence, kOne, DeleteOutcome::kOccurrence, true, 0, true, 1},
        DeleteRow{"OneEditedOccurrence", kEditedOccurrence, kOne, DeleteOutcome::kEditedOccurrence,
                  true, 0, true, 1},
        DeleteRow{"AllRecurrencesFromAnOccurrence", kOccurrence, kAll, DeleteOutcome::kSeries,
                  false, 0, true, 1},
        DeleteRow{"AllRecurrencesFromAnEditedOccurrence", kEditedOccurrence, kAll,
                  DeleteOutcome::kSeries, false, 0, true, 1},
        DeleteRow{"ARecurringItemInAListNeedsAllRecurrences", kSeriesInAList, kOne,
                  DeleteOutcome::kNothing, true, 1, true, 0}),
    [](const ::testing::TestParamInfo<DeleteRow>& row) { return std::string(row.param.name); });

TEST_F(ItemDeleteTest, AnOccurrenceKeepsACancellationOnItsDateAndUndeleteBringsItBack) {
  ASSERT_EQ(DeleteChosenItem(r, undelete, def, Clone(def, kToday + 2), DeleteScope::kChosen),
            DeleteOutcome::kOccurrence);
  EXPECT_EQ(XDates(def), std::vector<DayNumber>{kToday + 2});
  ASSERT_EQ(Rule(def).xlist.size(), 1u);
  EXPECT_EQ(Rule(def).xlist[0].drone, kNoAct);
  // The other days keep theirs.
  EXPECT_EQ(ClonesOn(def, kToday + 1), 1);
  EXPECT_EQ(ClonesOn(def, kToday + 3), 1);

  const UndeleteResult back = undelete.Undelete();
  EXPECT_TRUE(back.undeleted);
  EXPECT_EQ(ClonesOn(def, kToday + 2), 1);
  EXPECT_TRUE(XDates(def).empty());
  ExpectConsistent();
}

TEST_F(ItemDeleteTest, UndeleteBringsBackAnItemOfItsOwn) {
  DeleteChosenItem(r, undelete, plain, s.ActTask(plain), DeleteScope::kChosen);
  EXPECT_EQ(s.ExistingTerminal(kToday + 1)->nTasks, 1);  // the occurrence of the series
  env.ui.Answer(kIdYes);
  const UndeleteResult back = undelete.Undelete();
  ASSERT_TRUE(back.undeleted);
  EXPECT_EQ(back.showDay, kToday + 1);
  EXPECT_EQ(s.ExistingTerminal(kToday + 1)->nTasks, 2);
  EXPECT_NE(s.FindActByTitle("Dentist"), kNoAct);
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test
