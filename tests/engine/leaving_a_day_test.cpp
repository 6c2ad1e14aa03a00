#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "engine/engine_fixture.h"
#include "engine/past_days.h"

namespace ploven::test {
namespace {

constexpr DayNumber kDay = TestEnv::kToday + 1;

// One way for an item to leave its day.
struct Leaving {
  const char* name;
  std::function<void(Engine&, ActHandle)> leave;
};
void PrintTo(const Leaving& way, std::ostream* os) { *os << way.name; }

class LeavingADayTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(8));
    s.header().setLatestTimeOfDay(At(18));
    first = Movable("first", 60);
    second = Movable("second", 30);
    third = Movable("third", 45);
  }
  ActHandle Movable(const std::string& title, Duration duration) {
    Act a;
    a.duration = duration;
    return s.NewItem(kDay, a, title);
  }
  int StartOf(ActHandle h) { return s.ActTask(h)->start; }

  ActHandle first = kNoAct;
  ActHandle second = kNoAct;
  ActHandle third = kNoAct;
};

class LeavingWays : public LeavingADayTest, public ::testing::WithParamInterface<Leaving> {};

TEST_P(LeavingWays, TheItemsAfterItCloseUp) {
  ASSERT_EQ(StartOf(second), At(9));
  ASSERT_EQ(StartOf(third), At(9, 30));
  GetParam().leave(engine, first);
  EXPECT_EQ(StartOf(second), At(8));
  EXPECT_EQ(StartOf(third), At(8, 30));
  EXPECT_EQ(s.ExistingTerminal(kDay)->nTasks, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, LeavingWays,
    ::testing::Values(Leaving{"MovedToALaterDate",
                              [](Engine& e, ActHandle h) {
                                MoveItemToDate(e, e.schedule().ActTask(h), kDay + 2);
                              }},
                      Leaving{"MovedToAnEarlierDate",
                              [](Engine& e, ActHandle h) {
                                MoveItemToDate(e, e.schedule().ActTask(h), kDay - 1);
                              }},
                      Leaving{"Deleted",
                              [](Engine& e, ActHandle h) { e.schedule().DeleteItem(h); }},
                      Leaving{"TakenOff",
                              [](Engine& e, ActHandle h) {
                                Schedule& s = e.schedule();
                                TaskNode* task = s.ActTask(h);
                                s.UnscheduleTask(task);
                                s.FreeTaskNode(task);
                              }}),
    [](const ::testing::TestParamInfo<Leaving>& way) { return std::string(way.param.name); });

TEST_F(LeavingADayTest, ABatchLaysOutEachDayWhenItCloses) {
  {
    const DayRecalcBatch outer(engine);
    {
      const DayRecalcBatch inner(engine);
      s.DeleteItem(first);
    }
    // Held back until the outermost batch closes.
    EXPECT_EQ(StartOf(third), At(9, 30));
    s.DeleteItem(second);
    EXPECT_EQ(StartOf(third), At(9, 30));
  }
  EXPECT_EQ(StartOf(third), At(8));
}

TEST_F(LeavingADayTest, PlacingOnADayABatchLeftWaitingLaysItOutFirst) {
  s.DeleteItem(first);
  const DayRecalcBatch batch(engine);
  s.DeleteItem(second);
  // The day closes up before the new item looks for room: no stale gap before the third.
  const ActHandle fourth = Movable("fourth", 30);
  EXPECT_EQ(StartOf(third), At(8));
  EXPECT_EQ(StartOf(fourth), At(8, 45));
}

}  // namespace
}  // namespace ploven::test
