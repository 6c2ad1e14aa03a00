#include "edit/item_duplicate.h"

#include "recur/expansion_fixture.h"
#include "store/priority_index.h"

namespace ploven::test {
namespace {

class ItemDuplicateTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    def = Recurring("Walk {count up 1}", Daily(kToday));
    for (DayNumber d = kToday; d <= kToday + 4; ++d) Keep(d);
  }
  ActHandle def = kNoAct;
};

TEST_F(ItemDuplicateTest, AnItemChosenInADayViewIsCopiedOnItsDayWithAnIdOfItsOwn) {
  const ActHandle h = Fixed("Dentist", kToday + 1, At(10), 45, AF_STARTED | AF_DONE);
  s.ClearChanged();
  const ActHandle copy = DuplicateItem(r, h, s.ActTask(h), kToday + 3, DuplicateAs::kOneItem);
  ASSERT_NE(copy, kNoAct);
  ASSERT_NE(copy, h);
  const Act& a = s.ReadAct(copy);
  EXPECT_EQ(s.GetActNameFull(copy), "Dentist");
  EXPECT_EQ(s.GetActDate(copy), kToday + 1);  // the task's day, not the date given
  EXPECT_EQ(a.startTime, At(10));
  EXPECT_EQ(a.duration, 45);
  EXPECT_FALSE(a.flags & (AF_DONE | AF_STARTED));
  EXPECT_NE(a.ID, 0u);
  EXPECT_NE(a.ID, s.ReadAct(h).ID);
  EXPECT_TRUE(s.changed());
  ExpectConsistent();
}

TEST_F(ItemDuplicateTest, AFluidItemChosenInAListIsCopiedOnTheDateGivenAndPlanned) {
  Act fluid;
  fluid.flags = AF_FLEXIBLE;
  fluid.duration = 60;
  const ActHandle h = s.NewItem(kToday + 2, fluid, "Essay");
  const ActHandle copy = DuplicateItem(r, h, nullptr, kToday + 3, DuplicateAs::kOneItem);
  ASSERT_NE(copy, kNoAct);
  EXPECT_TRUE(s.ActFlags(copy) & AF_FLEXIBLE);
  EXPECT_NE(s.ReadAct(copy).pitem, 0u) << "a fluid copy takes its place in the priorities";
  EXPECT_NE(s.ActTask(copy), nullptr) << "and is planned on a day";
  ExpectConsistent();
}

TEST_F(ItemDuplicateTest, AnOccurrenceAsOneItemIsAnItemOfItsOwnWithTheOccurrencesTitle) {
  const ActHandle copy =
      DuplicateItem(r, def, Clone(def, kToday + 2), kToday, DuplicateAs::kOneItem);
  ASSERT_NE(copy, kNoAct);
  const Act& a = s.ReadAct(copy);
  EXPECT_EQ(s.GetActNameFull(copy), "Walk 3");  // the third date of the series
  EXPECT_EQ(s.GetActDate(copy), kToday + 2);
  EXPECT_FALSE(a.flags & (AF_BETA | AF_DRONE));
  EXPECT_EQ(a.hBeta, 0u);
  // The series is as it was: its occurrence on that day is still there beside the copy.
  EXPECT_EQ(ClonesOn(def, kToday + 2), 1);
  EXPECT_TRUE(XDates(def).empty());
  EXPECT_EQ(s.betaChain().size(), 1u);
  ExpectConsistent();
}

TEST_F(ItemDuplicateTest, AnOccurrenceAsASeriesIsANewRecurringItem) {
  const ActHandle drone = CloneToDrone(r, Clone(def, kToday + 1));
  const ActHandle series = DuplicateItem(r, drone, s.ActTask(drone), kToday, DuplicateAs::kSeries);
  ASSERT_NE(series, kNoAct);
  EXPECT_NE(series, def);
  EXPECT_TRUE(s.ActFlags(series) & AF_BETA);
  EXPECT_EQ(s.betaChain().size(), 2u);
  EXPECT_EQ(ClonesOn(series, kToday + 3), 1);
  // Only the old series has the exception of the edited occurrence.
  EXPECT_TRUE(XDates(series).empty());
  ExpectConsistent();
}

TEST_F(ItemDuplicateTest, AnItemOfItsOwnHasNoSeriesToCopy) {
  const ActHandle h = Fixed("Dentist", kToday + 1, At(10), 45);
  EXPECT_EQ(DuplicateItem(r, h, s.ActTask(h), kToday, DuplicateAs::kSeries), kNoAct);
  EXPECT_EQ(s.betaChain().size(), 1u);
}

}  // namespace
}  // namespace ploven::test
