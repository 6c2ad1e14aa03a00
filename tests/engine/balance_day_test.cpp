#include <functional>
#include <optional>

#include "engine/balance_day_messages.h"
#include "engine/balance_day_fixture.h"
#include "engine/engine_hold.h"

namespace ploven::test {
namespace {

namespace t = balance_day_text;
using Build = std::function<void(DayBalanceTest&)>;

struct SwapCase {
  const char* name;
  Build build;  // makes tomorrow's day (today's when onToday)
  Lines expected;
  int moves;
  bool flash = false;
  bool onToday = false;
};

void PrintTo(const SwapCase& c, std::ostream* os) { *os << c.name; }

class BalanceDaySwaps : public DayBalanceTest, public ::testing::WithParamInterface<SwapCase> {};

void Set(Act& a, uint32_t flags, TimeOfDay start = 0) {
  a.flags |= flags;
  a.startTime = start;
}
auto Earliest(int h, int m = 0) { return [=](Act& a) { a.earliestTime = DayBalanceTest::At(h, m); }; }
auto Latest(int h) { return [=](Act& a) { a.latestTime = DayBalanceTest::At(h); }; }
auto Flags(uint32_t f) { return [=](Act& a) { a.flags |= f; }; }

// Two items ranked A1, A2, standing A2 first.
Build Pair(std::function<void(Act&)> a1 = {}, std::function<void(Act&)> a2 = {}) {
  return [=](DayBalanceTest& b) {
    const ActHandle one = b.Fluid("A1", b.kTomorrow, 60, a1);
    const ActHandle two = b.Fluid("A2", b.kTomorrow, 60, a2);
    b.Arrange(b.kTomorrow, {two, one});
  };
}

TEST_P(BalanceDaySwaps, Day) {
  const SwapCase& c = GetParam();
  if (c.onToday) ui.viewed = kToday;
  c.build(*this);
  EXPECT_EQ(BalanceDay(engine), c.moves);
  EXPECT_EQ(Day(c.onToday ? kToday : kTomorrow), c.expected);
  using Flash = std::vector<std::pair<MenuTitle, bool>>;
  const Flash flash = {{MenuTitle::kNavigate, true}, {MenuTitle::kNavigate, false}};
  EXPECT_EQ(ui.highlights, c.flash ? flash : Flash{});
  EXPECT_EQ(ui.progressTexts, (Lines{t::kInProgress, t::kLighteningLoad}));
  EXPECT_FALSE(ui.progressOpen || ui.waitCursor || engine.busy().balanceDay);
}

const SwapCase kSwapCases[] = {
    {"BetterRankFirst", Pair(), {"7:00 A1", "8:00 A2"}, 1, true},
    {"BetterRankCannotBeginThere", Pair(Earliest(7, 30)), {"7:00 A2", "8:00 A1"}, 0},
    {"SwapWouldMakeTheOtherLate", Pair({}, Latest(8)), {"7:00 A2", "8:00 A1"}, 0},
    {"AppearFirstStays", Pair({}, Flags(AF_MARK1)), {"7:00 A2", "8:00 A1"}, 0},
    {"NothingPassesAppearLast", Pair(Flags(AF_MARK2)), {"7:00 A2", "8:00 A1"}, 0},
    {"KeptInPlaceStays", Pair({}, Flags(0x10000)), {"7:00 A2", "8:00 A1"}, 0},
    {"KeptInPlaceComesNoFurther", Pair(Flags(0x10000)), {"7:00 A2", "8:00 A1"}, 0},
    {"MemoComesNoFurther", Pair(Flags(AF_HOPE)), {"7:00 A2", "- A1"}, 0},
    {"TierBeforeRank",
     [](DayBalanceTest& b) {
       b.Fluid("A1 elsewhere", b.kToday + 5, 60);
       const ActHandle a2 = b.Fluid("A2", b.kTomorrow, 60);
       b.Arrange(b.kTomorrow, {b.Fluid("B1", b.kTomorrow, 60, {}, 'B'), a2});
     },
     {"7:00 A2", "8:00 B1"}, 1, true},
    {"ConflictingItemTakesThePlaceItFits",
     [](DayBalanceTest& b) {
       b.Fluid("A1", b.kTomorrow, 60);
       b.Fluid("A2 by 8", b.kTomorrow, 60, Latest(8));
     },
     {"7:00 A2 by 8", "8:00 A1"}, 1, true},
    {"ConflictStaysWhenTheSwapOnlyMovesIt",
     [](DayBalanceTest& b) {
       b.Fluid("A1 by 8", b.kTomorrow, 60, Latest(8));
       b.Fluid("A2 by 8", b.kTomorrow, 60, Latest(8));
     },
     {"7:00 A1 by 8", "8:00 A2 by 8 !"}, 0},
    {"GapBeforeAnItemFilledByTheFirstLaterItemThatFits",
     [](DayBalanceTest& b) {
       const ActHandle late = b.Fluid("A1 from 10", b.kTomorrow, 60, Earliest(10));
       const ActHandle big = b.Fluid("A2 four hours", b.kTomorrow, 240);
       const ActHandle small = b.Fluid("A3", b.kTomorrow, 60);
       b.Arrange(b.kTomorrow, {late, big, small});
     },
     {"7:00 A3", "10:00 A1 from 10", "11:00 A2 four hours"}, 1},
    {"TodaysGapStartsNow",
     [](DayBalanceTest& b) {
       b.Fluid("A1 from 10:30", b.kToday, 60, Earliest(10, 30));
       b.Fluid("A2", b.kToday, 100, Earliest(10, 30));
       b.s.LockAct(b.s.FindActByTitle("A2")).earliestTime = 0;
       b.engine.RecalcDayTimes(b.kToday);
     },
     {"10:30 A1 from 10:30", "11:30 A2"}, 0, false, true},
    {"SetStartItemKeepsItsTimeAndItsGapIsFilled",
     [](DayBalanceTest& b) {
       const ActHandle fixed = b.Fixed("Set", b.kTomorrow, b.At(12), 60);
       b.Arrange(b.kTomorrow, {fixed, b.Fluid("A1", b.kTomorrow, 60)});
     },
     {"7:00 A1", "12:00 Set"}, 1, true},
    {"DoneStaysAndKeepsItsGap",
     [](DayBalanceTest& b) {
       Act done;
       Set(done, AF_DONE, b.At(12));
       done.duration = 60;
       b.s.NewItem(b.kTomorrow, done, "Done");
       b.Fluid("A1", b.kTomorrow, 60);
     },
     {"12:00 Done", "13:00 A1"}, 0},
    {"StartedStays",
     [](DayBalanceTest& b) {
       Act started;
       Set(started, AF_STARTED, b.At(12));
       started.duration = 60;
       b.s.NewItem(b.kToday, started, "Started");
       b.Fluid("A1", b.kToday, 60, Earliest(13));
       b.s.LockAct(b.s.FindActByTitle("A1")).earliestTime = 0;
     },
     {"12:00 Started", "13:00 A1"}, 0, false, true},
    {"SixTasksStopAtThreeSwaps",
     [](DayBalanceTest& b) {
       std::vector<ActHandle> order;
       for (const char* n : {"A1", "A2", "A3", "A4", "A5", "A6"})
         order.insert(order.begin(), b.Fluid(n, b.kTomorrow, 30));
       b.Arrange(b.kTomorrow, order);
     },
     {"7:00 A4", "7:30 A5", "8:00 A6", "8:30 A3", "9:00 A2", "9:30 A1"}, 3, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, BalanceDaySwaps, ::testing::ValuesIn(kSwapCases),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(DayBalanceTest, RefusesWithoutChangingTheDay) {
  std::optional<EngineHold> hold;
  const std::vector<std::function<void()>> refusals = {
      [&] { s.header().setMode(1); },
      [&] { engine.busy().dailyReminderScan = true; },
      [&] { hold.emplace(engine, EngineHoldReason::kItemDialog); },
      [&] { hold.emplace(engine, EngineHoldReason::kImporting); },
      [&] { engine.busy().balanceDay = true; },
      [&] { s.header().setLatestTimeOfDay(At(8)); },  // 300 minutes in an hour: 500 %
      [&] { ui.viewed = kToday + 9; },                  // a day without tasks
  };
  const ActHandle one = Fluid("A1", kTomorrow, 150);
  const ActHandle two = Fluid("A2", kTomorrow, 150);
  for (size_t i = 0; i < refusals.size(); ++i) {
    SCOPED_TRACE(i);
    Arrange(kTomorrow, {two, one});
    const Lines before = Day(kTomorrow);
    refusals[i]();
    EXPECT_EQ(BalanceDay(engine), 0);
    EXPECT_EQ(Day(kTomorrow), before);
    EXPECT_EQ(ui.progressOpened, 0);
    s.header().setMode(3);
    s.header().setLatestTimeOfDay(At(23));
    engine.busy() = EngineBusy{};
    hold.reset();
    ui.viewed = kTomorrow;
  }
  EXPECT_EQ(BalanceDay(engine), 1) << "each refusal was the only thing stopping it";
}

TEST_F(DayBalanceTest, BalancesTheViewedDayOnlyInDayViewsAndBalanceAllDays) {
  const Build pair = Pair();
  pair(*this);
  ui.view = ViewKind::kPriority;
  EXPECT_EQ(BalanceDay(engine), 0) << "today has no tasks";
  engine.SetBalancingAllDays(true);
  EXPECT_EQ(BalanceDay(engine), 1);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 A1", "8:00 A2"}));
}

TEST_F(DayBalanceTest, AnOverloadedDayIsLightenedOneItemAtATimeDownToFull) {
  s.header().setLatestTimeOfDay(At(17));  // 600 minutes
  engine.settings().balanceLightensLoad = true;
  Fluid("A1", kTomorrow, 600);
  BalanceDay(engine);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 A1"})) << "100 % is not overloaded";
  EXPECT_TRUE(Day(kTomorrow + 1).empty());
  Fluid("A2", kTomorrow, 10);
  Fluid("A3", kTomorrow, 1);  // 611 minutes: 101 %
  BalanceDay(engine);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 A1"}));
  EXPECT_EQ(Day(kTomorrow + 1), (Lines{"7:00 A3", "7:01 A2"}));
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(DayBalanceTest, ConflictsLeftAfterTheSwapsAreLightenedAway) {
  engine.settings().balanceLightensLoad = true;
  Fluid("A1 by 8", kTomorrow, 60, Latest(8));
  const ActHandle late = Fluid("A2 by 8", kTomorrow, 60, Latest(8));
  EXPECT_EQ(DayConflictMinutes(engine, *s.ExistingTerminal(kTomorrow)), 60);
  EXPECT_EQ(BalanceDay(engine), 0);
  EXPECT_EQ(Day(kTomorrow), (Lines{"7:00 A1 by 8"}));
  EXPECT_EQ(s.ReadAct(late).ddate, kTomorrow + 1);
  EXPECT_EQ(Day(kTomorrow + 1), (Lines{"7:00 A2 by 8"}));
}

TEST_F(DayBalanceTest, SwaptasksRefusesWhatIsNotTwoAdjacentTasks) {
  Pair()(*this);
  Terminal* day = s.ExistingTerminal(kTomorrow);
  TaskNode* first = day->First();
  TaskNode* second = first->Next();
  auto refused = [&](TaskNode* a, TaskNode* b, const char* text) {
    try {
      Swaptasks(engine, a, b);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const InternalErrorRaised&) {
      EXPECT_TRUE(env.Logged(text)) << text;
    }
  };
  refused(nullptr, first, "task1 passed to Swaptasks is NULL");
  refused(first, nullptr, "task2 passed to Swaptasks is NULL");
  TaskNode loose;  // no predecessor, as a chain head has none
  loose.next = first;
  refused(&loose, first, "task1 passed to Swaptasks is a chain head or bad");
  refused(second, first, "Detected that task1 and task2 are not adjacent");
  Swaptasks(engine, first, second);
  EXPECT_EQ(day->First(), second);
}

}  // namespace
}  // namespace ploven::test
