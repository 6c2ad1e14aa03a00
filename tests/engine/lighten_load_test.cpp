#include "engine/balance_day_fixture.h"
#include "engine/balance_day_messages.h"

namespace ploven::test {
namespace {

namespace t = balance_day_text;

auto Deadline(DayNumber d) { return [=](Act& a) { a.deadlineDate = d; }; }

TEST_F(DayBalanceTest, LightenLoadDefersTheWorstTierLargestRankThatCanMove) {
  const ActHandle b1 = Fluid("B1", kTomorrow, 60, {}, 'B');
  Fluid("B2 due tomorrow", kTomorrow, 60, Deadline(kTomorrow), 'B');
  Fluid("A1", kTomorrow, 60);
  EXPECT_EQ(LightenLoad(engine, kTomorrow), 1);
  EXPECT_EQ(s.ReadAct(b1).ddate, kTomorrow + 1);
  EXPECT_EQ(Day(kTomorrow + 1), (Lines{"7:00 B1"}));
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 B2 due tomorrow", "8:00 A1"})) << "the day closes up";
}

struct Misplaced {
  DayNumber earliestDate;
  uint8_t weekdays;
  DayNumber expected;
};

class MisplacedItem : public DayBalanceTest, public ::testing::WithParamInterface<Misplaced> {};

// Tomorrow is a Wednesday; an item that may not be there goes first, to its next allowed date.
TEST_P(MisplacedItem, IsDeferredFirst) {
  const ActHandle a1 = Fluid("A1", kTomorrow, 60, [&](Act& a) {
    a.earliestDate = GetParam().earliestDate;
    a.weekdays = GetParam().weekdays;
  });
  Fluid("C1", kTomorrow, 60, {}, 'C');
  LightenLoad(engine, kTomorrow);
  EXPECT_EQ(s.ReadAct(a1).ddate, GetParam().expected);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 C1"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, MisplacedItem,
                         ::testing::Values(Misplaced{DayBalanceTest::kToday + 3, 0,
                                                     DayBalanceTest::kToday + 2},
                                           Misplaced{0, 1u << 5, DayBalanceTest::kToday + 3}));

TEST_F(DayBalanceTest, LightenLoadWithoutCandidateExplainsExceptDuringBalanceDay) {
  Fixed("Set", kTomorrow, At(9), 60);
  Fluid("Due", kTomorrow, 60, Deadline(kTomorrow));
  engine.busy().balanceDay = true;
  LightenLoad(engine, kTomorrow);
  EXPECT_TRUE(env.ui.boxes.empty());
  engine.busy().balanceDay = false;
  LightenLoad(engine, kTomorrow);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text, t::kLightenLoadNotPossible);
  EXPECT_EQ(env.ui.boxes[0].caption, t::kLightenLoadCaption);
  ASSERT_EQ(env.ui.boxes[0].buttons.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].buttons[0].caption, t::kLightenLoadButton);
  EXPECT_EQ(Day(kTomorrow).size(), 2u);
}

TEST_F(DayBalanceTest, ByUrgencyDefersTheLatestDeadlineByItsPlaceInTheDeadlineOrder) {
  // The exchange sort puts M after N: [M, N, Y] becomes [Y, N, M].
  const ActHandle m = Fluid("M", kTomorrow, 30);
  const ActHandle n = Fluid("N", kTomorrow, 30);
  const ActHandle y = Fluid("Y", kTomorrow, 30, Deadline(kToday + 5));
  LightenLoadByUrgency(engine, kTomorrow);
  EXPECT_EQ(s.ReadAct(m).ddate, kTomorrow + 1);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 N", "7:30 Y"}));
  EXPECT_EQ((std::vector<int>{s.GetActRank(m), s.GetActRank(n), s.GetActRank(y)}),
            (std::vector<int>{1, 2, 3}))
      << "the priority ranks keep their order";
  // A later deadline outweighs a worse tier.
  const ActHandle w = Fluid("W", kTomorrow, 30, Deadline(kToday + 20));
  Fluid("X", kTomorrow, 30, Deadline(kToday + 10), 'B');
  s.RemoveFromPriorityIndex(n);
  s.LockAct(n).flags &= ~static_cast<uint32_t>(AF_FLEXIBLE);
  LightenLoadByUrgency(engine, kTomorrow);
  EXPECT_EQ(s.ReadAct(w).ddate, kTomorrow + 1);
}

TEST_F(DayBalanceTest, ByUrgencyWithoutCandidateSaysSoUnlessTheDailyReminderIsInUse) {
  Fluid("Memo", kTomorrow, 30, [](Act& a) { a.flags |= AF_HOPE; });
  engine.settings().dailyReminderInUse = true;
  LightenLoadByUrgency(engine, kTomorrow);
  EXPECT_TRUE(env.ui.boxes.empty());
  engine.settings().dailyReminderInUse = false;
  LightenLoadByUrgency(engine, kTomorrow);
  EXPECT_TRUE(env.ui.Showed(t::kLightenLoadByUrgencyNotPossible));
  EXPECT_EQ(Day(kTomorrow), (Lines{"- Memo"}));
}

}  // namespace
}  // namespace ploven::test
