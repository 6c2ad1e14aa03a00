#include <gtest/gtest.h>

#include <string>

#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

// Items with a start time but no Set Start Time: the time is a wish the day keeps when it can.
class FavouredStartTest : public EngineTest {
 protected:
  static constexpr DayNumber kDay = kToday + 1;

  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(8));
    s.header().setLatestTimeOfDay(At(18));
  }
  ActHandle Movable(const std::string& title, Duration duration, TimeOfDay favoured = kNoTime) {
    Act a;
    a.duration = duration;
    a.startTime = favoured;
    return s.NewItem(kDay, a, title);
  }
  // An item put at the head of the day's chain as it stands, without placing.
  TaskNode* Linked(const std::string& title, Duration duration, TimeOfDay favoured) {
    Act a;
    a.duration = duration;
    a.startTime = favoured;
    a.ddate = kDay;
    TaskNode* task = s.NewTaskNode(s.AllocateAct(a, title), 0, duration);
    s.LinkTaskAfter(*s.GetTerminal(kDay), nullptr, task);
    return task;
  }
};

TEST_F(FavouredStartTest, KeepsItsTimeWhenTheItemBeforeItLeaves) {
  const ActHandle favoured = Movable("Favoured", 60, At(14));
  const ActHandle other = Movable("Other", 30);
  ASSERT_EQ(s.ActTask(other)->start, At(8));
  ASSERT_EQ(s.ActTask(favoured)->start, At(14));
  s.DeleteItem(other);
  EXPECT_EQ(s.ActTask(favoured)->start, At(14));
}

TEST_F(FavouredStartTest, LeavesRoomBeforeTheNextSetItemForTheItemsBehindIt) {
  const ActHandle block = Fixed("Block", kDay, At(12), 60);
  TaskNode* follower = Linked("Follower", 90, kNoTime);
  TaskNode* favoured = Linked("Favoured", 60, At(10));
  engine.RecalcDayTimes(kDay);
  // Its own time would push the follower into the block: it starts as near it as leaves room.
  EXPECT_EQ(favoured->start, At(9, 30));
  EXPECT_EQ(follower->start, At(10, 30));
  EXPECT_EQ(s.ActTask(block)->start, At(12));
  EXPECT_FALSE(s.ActTask(block)->InConflict());
}

}  // namespace
}  // namespace ploven::test
