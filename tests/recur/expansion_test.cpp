#include "done/mark_done.h"
#include "recur/recur_messages.h"
#include "recur/recurrence_messages.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

class ExpansionTest : public RecurTest {};

TEST_F(ExpansionTest, DailyItemStandsOnEveryOpenDayOldAndNew) {
  s.header().setLastArchivedDate(kToday - 3);
  Keep(kToday - 5);  // archived
  Keep(kToday - 2);  // the first open date
  Keep(kToday);
  Keep(kToday + 4);
  const ActHandle h = Recurring("Walk", Daily(kToday - 10));
  EXPECT_EQ(ClonesOn(h, kToday - 5), 0);
  for (int d : {kToday - 2, kToday + 0, kToday + 4}) {
    const auto date = static_cast<DayNumber>(d);
    EXPECT_EQ(ClonesOn(h, date), 1) << d;
    EXPECT_EQ(s.ExistingTerminal(date)->nClones, 1) << d;
  }
  // A day that comes into being later gets its clone, and that alone is no unsaved change.
  s.ClearChanged();
  Terminal& later = Keep(kToday + 9);
  EXPECT_EQ(ClonesOn(h, later.date), 1);
  EXPECT_EQ(later.nClones, 1);
  EXPECT_EQ(Clone(h, later.date)->StartTime(), At(8));
  EXPECT_FALSE(s.changed());
  // Expanding again adds nothing.
  EXPECT_TRUE(ScheduleBeta(r, h));
  EXPECT_EQ(ClonesOn(h, kToday), 1);
  ExpectConsistent();
}

TEST_F(ExpansionTest, NoCloneOnExceptionDatesOrOutsideTheRange) {
  const ActHandle h = Recurring("Walk", Daily(kToday + 2, 1, kToday + 6));
  s.AddXlistEntry(h, kToday + 4, kNoAct);
  for (DayNumber d = kToday; d <= kToday + 8; ++d) Keep(d);
  std::vector<DayNumber> with;
  for (DayNumber d = kToday; d <= kToday + 8; ++d)
    if (ClonesOn(h, d) > 0) with.push_back(d);
  EXPECT_EQ(with, (std::vector<DayNumber>{kToday + 2, kToday + 3, kToday + 5, kToday + 6}));
}

TEST_F(ExpansionTest, CancellingOneOccurrenceLeavesOnlyAnException) {
  const ActHandle h = Recurring("Walk", Daily(kToday));
  Keep(kToday + 1);
  Terminal& day = Keep(kToday + 2);
  ASSERT_TRUE(DeleteOneClone(r, Clone(h, kToday + 2)));
  EXPECT_EQ(ClonesOn(h, kToday + 2), 0);
  EXPECT_EQ(day.nClones, 0);
  EXPECT_EQ(day.nTasks, 0);
  ASSERT_EQ(Rule(h).xlist.size(), 1u);
  EXPECT_EQ(Rule(h).xlist[0].date, kToday + 2);
  EXPECT_EQ(Rule(h).xlist[0].drone, kNoAct);
  // Neither a new expansion nor the day coming back brings it back.
  EXPECT_TRUE(ScheduleBeta(r, h));
  EXPECT_EQ(ClonesOn(h, kToday + 2), 0);
  EXPECT_EQ(ClonesOn(h, kToday + 1), 1);
  ExpectConsistent();
}

TEST_F(ExpansionTest, DeletingWholeKeepsOnlyTheDoneOccurrences) {
  const ActHandle h = Recurring("Walk", Daily(kToday));
  for (DayNumber d = kToday; d <= kToday + 3; ++d) Keep(d);
  ASSERT_TRUE(MarkTaskDone(engine, Clone(h, kToday)));
  const ActHandle done = s.ExistingTerminal(kToday)->First()->act;
  const ActHandle edited = CloneToDrone(r, Clone(h, kToday + 1));
  ASSERT_NE(edited, kNoAct);
  ASSERT_TRUE(DeleteOneClone(r, Clone(h, kToday + 2)));
  const uint32_t id = s.ReadAct(h).ID;

  DeleteRecurringItem(r, h);
  EXPECT_FALSE(s.IsActValid(h));
  EXPECT_TRUE(s.betaChain().empty());
  EXPECT_EQ(s.FindActByID(id), kNoAct);
  EXPECT_FALSE(s.IsActValid(edited));
  ASSERT_TRUE(s.IsActValid(done));
  const Act& kept = s.ReadAct(done);
  EXPECT_FALSE(kept.Has(AF_DRONE));
  EXPECT_TRUE(kept.Has(AF_DONE));
  EXPECT_EQ(kept.hBeta, 0u);
  EXPECT_EQ(s.ActTask(done), s.ExistingTerminal(kToday)->First());
  for (DayNumber d = kToday + 1; d <= kToday + 3; ++d) EXPECT_EQ(s.ExistingTerminal(d)->nTasks, 0);
  EXPECT_EQ(s.ExistingTerminal(kToday + 3)->nClones, 0);
  ExpectConsistent();
}

TEST_F(ExpansionTest, ExpiryAtTheChangeOfDate) {
  const ActHandle yesterday = Recurring("Yesterday", Daily(kToday - 5, 1, kToday - 1));
  const ActHandle excepted = Recurring("Excepted", Daily(kToday - 5, 1, kToday - 1));
  s.AddXlistEntry(excepted, kToday - 2, kNoAct);
  const ActHandle endsToday = Recurring("Ends today", Daily(kToday - 5, 1, kToday));
  const ActHandle open = Recurring("Open", Daily(kToday - 5));

  EXPECT_EQ(ExpireRecurringItems(r), 1);
  EXPECT_FALSE(s.IsActValid(yesterday));
  EXPECT_TRUE(s.IsActValid(excepted));
  EXPECT_TRUE(s.IsActValid(endsToday));

  env.clock.Set(kToday + 1, TestEnv::kNine);
  EXPECT_EQ(ExpireRecurringItems(r), 1);
  EXPECT_FALSE(s.IsActValid(endsToday));
  EXPECT_TRUE(s.IsActValid(open));
  EXPECT_EQ(s.betaChain().size(), 2u);
  ExpectConsistent();
}

TEST_F(ExpansionTest, HealedRecordIsReportedAndMarksTheScheduleChanged) {
  const ActHandle h = Recurring("Walk", Daily(kToday));
  s.LockBeta(s.ReadAct(h).hBeta).freq = 0;
  s.ClearChanged();
  Keep(kToday + 3);
  EXPECT_TRUE(env.ui.Showed(recur_text::kNoTypeFlags));
  EXPECT_TRUE(s.changed());
  EXPECT_EQ(Rule(h).freq & kFreqKinds, kFreqDaily);
  EXPECT_EQ(ClonesOn(h, kToday + 3), 1);
}

TEST_F(ExpansionTest, MemoryCheckLeavesTheRecordAsGiven) {
  Keep(kToday);
  Beta broken = Daily(kToday);
  broken.freq = 0;
  EXPECT_TRUE(IsEnufMemoryForScheduleBeta(r, broken));
  EXPECT_EQ(broken.freq, 0);
  EXPECT_EQ(s.ExistingTerminal(kToday)->nTasks, 0);
}

TEST_F(ExpansionTest, FindCloneOfDateZeroIsAnInternalError) {
  const ActHandle h = Recurring("Walk", Daily(kToday));
  bool noDay = false;
  EXPECT_EQ(FindClone(s, h, kToday + 40, &noDay), nullptr);
  EXPECT_TRUE(noDay);
  EXPECT_THROW(FindClone(s, h, kNoDate), InternalErrorRaised);
}

}  // namespace
}  // namespace ploven::test
