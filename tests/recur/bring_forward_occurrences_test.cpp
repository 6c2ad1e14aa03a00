#include "engine/past_days.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

// Occurrences left undone on past days, and what Bring Forward, a move and a postponement do
// with them.
class PastOccurrencesTest : public RecurTest {
 protected:
  static constexpr DayNumber kPast = kToday - 3;

  // A daily series whose occurrences on the three days before today were made while those
  // days were still ahead.
  ActHandle Series(const std::string& title, uint8_t action, uint32_t flags) {
    env.clock.Set(kPast, TestEnv::kNine);
    Beta rule = Daily(kPast);
    rule.freq |= action;
    const ActHandle h = Recurring(title, rule, flags);
    for (DayNumber d = kPast; d <= kToday + 2; ++d) Keep(d);
    env.clock.Set(kToday, TestEnv::kNine);
    return h;
  }
  // A flexible series (no Set Start Time), so the default action moves its occurrences.
  ActHandle FluidSeries(const std::string& title, uint8_t action = 0) {
    const ActHandle h = Series(title, action, 0);
    s.LockAct(h).flags &= ~static_cast<uint32_t>(AF_FIXED);
    return h;
  }

  // The edited occurrences of the series, by the day they stand on.
  std::vector<DayNumber> DroneDays(ActHandle definition) {
    std::vector<DayNumber> days;
    for (const XEntry& e : Rule(definition).xlist)
      if (e.drone != kNoAct) days.push_back(s.GetActDate(e.drone));
    return days;
  }
};

TEST_F(PastOccurrencesTest, DefaultActionMovesFlexibleOccurrencesAsEditedOnes) {
  const ActHandle h = FluidSeries("Stretch");
  ASSERT_EQ(ClonesOn(h, kPast), 1);
  BringForward(engine, kToday);

  for (DayNumber d = kPast; d < kToday; ++d) EXPECT_EQ(ClonesOn(h, d), 0) << d;
  // Each moved occurrence keeps its own date's entry, so that date is not expanded again.
  EXPECT_EQ(XDates(h), (std::vector<DayNumber>{kPast, kPast + 1, kPast + 2}));
  EXPECT_EQ(DroneDays(h), (std::vector<DayNumber>{kToday, kToday, kToday}));
  EXPECT_EQ(ClonesOn(h, kToday), 1);  // today's own occurrence is untouched
  EXPECT_EQ(s.ExistingTerminal(kToday)->nTasks, 4);
  ExpectConsistent();
}

TEST_F(PastOccurrencesTest, ALaterTargetLeavesTodaysAndTomorrowsOccurrences) {
  const ActHandle h = FluidSeries("Stretch");
  BringForward(engine, kToday + 2);
  EXPECT_EQ(DroneDays(h), (std::vector<DayNumber>{kToday + 2, kToday + 2, kToday + 2}));
  EXPECT_EQ(ClonesOn(h, kToday), 1);
  EXPECT_EQ(ClonesOn(h, kToday + 1), 1);
  EXPECT_EQ(XDates(h), (std::vector<DayNumber>{kPast, kPast + 1, kPast + 2}));
  ExpectConsistent();
}

TEST_F(PastOccurrencesTest, DefaultActionLeavesAppointmentsOnTheirDays) {
  const ActHandle h = Series("Stand-up", 0, 0);
  BringForward(engine, kToday);
  for (DayNumber d = kPast; d < kToday; ++d) EXPECT_EQ(ClonesOn(h, d), 1) << d;
  EXPECT_TRUE(Rule(h).xlist.empty());
  ExpectConsistent();
}

TEST_F(PastOccurrencesTest, DeleteInstanceCancelsCloneAndEditedOccurrence) {
  const ActHandle h = Series("Rent check", kBringForwardDeleteInstance, 0);
  const ActHandle edited = CloneToDrone(r, Clone(h, kPast + 1));
  s.LockAct(edited).duration = 45;
  BringForward(engine, kToday);

  EXPECT_FALSE(s.IsActValid(edited));
  for (DayNumber d = kPast; d < kToday; ++d) {
    EXPECT_EQ(s.ExistingTerminal(d)->nTasks, 0) << d;
    const XEntry* entry = s.FindXlistEntry(h, d);
    ASSERT_NE(entry, nullptr) << d;
    EXPECT_EQ(entry->drone, kNoAct);
  }
  EXPECT_EQ(ClonesOn(h, kToday), 1);
  ExpectConsistent();
}

TEST_F(PastOccurrencesTest, ShiftStartRebasesTheSeriesAtTheTarget) {
  Beta every3 = Daily(kPast, 3);  // kPast, kToday, kToday + 3 ...
  every3.freq |= kBringForwardShiftStart;
  env.clock.Set(kPast, TestEnv::kNine);
  const ActHandle h = Recurring("Water plants", every3);
  for (DayNumber d = kPast; d <= kToday + 4; ++d) Keep(d);
  const ActHandle edited = CloneToDrone(r, Clone(h, kPast));
  s.LockAct(edited).duration = 10;
  env.clock.Set(kToday + 1, TestEnv::kNine);

  BringForward(engine, kToday + 1);

  EXPECT_EQ(Rule(h).startDate, kToday + 1);
  EXPECT_FALSE(s.IsActValid(edited));  // the edited past occurrence went with the old series
  EXPECT_EQ(ClonesOn(h, kToday), 0);
  EXPECT_EQ(ClonesOn(h, kToday + 1), 1);
  EXPECT_EQ(ClonesOn(h, kToday + 3), 0);
  EXPECT_EQ(ClonesOn(h, kToday + 4), 1);
  ExpectConsistent();
}

TEST_F(PastOccurrencesTest, MovingOrPostponingAnOccurrenceEditsOnlyThatDate) {
  const ActHandle h = FluidSeries("Read");
  TaskNode* node = Clone(h, kToday + 1);
  ASSERT_EQ(MoveItemToDate(engine, node, kToday + 2), kToday + 2);
  ASSERT_TRUE(s.IsActValid(node->act));
  const ActHandle moved = node->act;
  EXPECT_TRUE(s.ActFlags(moved) & AF_DRONE);
  EXPECT_EQ(s.GetActDate(moved), kToday + 2);
  EXPECT_EQ(ClonesOn(h, kToday + 1), 0);
  EXPECT_EQ(ClonesOn(h, kToday + 2), 1);
  ASSERT_NE(s.FindXlistEntry(h, kToday + 1), nullptr);
  EXPECT_EQ(s.FindXlistEntry(h, kToday + 1)->drone, moved);

  TaskNode* today = Clone(h, kToday);
  ASSERT_TRUE(PostponeOneHour(engine, today));
  EXPECT_TRUE(s.ActFlags(today->act) & AF_DRONE);
  EXPECT_GE(s.ReadAct(today->act).earliestDateTime, TestEnv::kNine + 60);
  EXPECT_EQ(s.ReadAct(h).earliestDateTime, kNoTime);  // the series itself is unchanged
  ExpectConsistent();
}

TEST_F(PastOccurrencesTest, UndoneOccurrenceHoldsUpRollOverUntilItIsDealtWith) {
  const ActHandle h = Series("Stand-up", kBringForwardDeleteInstance, 0);
  EXPECT_EQ(EarliestUndoneDate(engine), kPast);
  BringForward(engine, kToday);
  EXPECT_EQ(EarliestUndoneDate(engine), kToday);
  EXPECT_EQ(ClonesOn(h, kToday), 1);
}

}  // namespace
}  // namespace ploven::test
