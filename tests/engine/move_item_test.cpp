#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "engine/past_days.h"
#include "engine/past_days_messages.h"

namespace ploven::test {
namespace {

namespace t = past_days_text;

class MoveItemTest : public EngineTest {
 protected:
  ActHandle Fluid(DayNumber date, DayNumber deadline = kNoDate, DayNumber earliest = kNoDate) {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.duration = 30;
    a.deadlineDate = deadline;
    a.earliestDate = earliest;
    a.earliestDateTime = earliest != kNoDate ? At(14) : kNoTime;
    return s.NewItem(date, a, "fluid");
  }
  TaskNode* TaskOf(ActHandle h) { return s.ActTask(h); }
};

TEST_F(MoveItemTest, DeadlineQuestionOnlyForALaterDateThatIsNotToday) {
  // One day past the deadline asks; Yes takes the date as the deadline and counts it.
  const ActHandle h = Fluid(kToday + 1, kToday + 2);
  env.ui.Answer(kIdYes);
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(h), kToday + 3), kToday + 3);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text, t::kDeadlineQuestion);
  EXPECT_EQ(env.ui.boxes[0].caption, t::kDeadlineCaption);
  EXPECT_EQ(s.GetActDeadline(h), kToday + 3);
  EXPECT_EQ(s.ReadAct(h).postponeCount, 1);

  // No keeps the deadline; the item moves all the same.
  env.ui.Answer(kIdNo);
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(h), kToday + 5), kToday + 5);
  EXPECT_EQ(s.GetActDeadline(h), kToday + 3);
  EXPECT_EQ(s.ReadAct(h).postponeCount, 1);
  EXPECT_EQ(s.GetActDate(h), kToday + 5);

  // Today past the deadline, and any move during Bring Forward, ask nothing.
  const ActHandle late = Fluid(kToday - 3, kToday - 2);
  env.ui.boxes.clear();
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(late), kToday), kToday);
  engine.busy().bringForward = true;
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(late), kToday + 1), kToday + 1);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(s.GetActDeadline(late), kToday - 2);
}

TEST_F(MoveItemTest, RefusalsLeaveTheItemWhereItWas) {
  const ActHandle h = Fluid(kToday - 1);
  s.header().setLastArchivedDate(kToday - 5);
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(h), kToday - 5), kNoDate);
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(h), kLastUserDay + 1), kNoDate);
  EXPECT_EQ(MoveItemToDate(engine, nullptr, kToday), kNoDate);
  EXPECT_EQ(s.GetActDate(h), kToday - 1);
  EXPECT_EQ(s.FindTaskDay(TaskOf(h)), kToday - 1);

  // A set-date item may go to an archived date; only fluid items are kept off.
  Act a;
  a.duration = 10;
  const ActHandle setDate = s.NewItem(kToday - 1, a, "set");
  EXPECT_EQ(MoveItemToDate(engine, TaskOf(setDate), kToday - 6), kToday - 6);

  // An unedited recurrence instance is not moved.
  Act def;
  def.flags = AF_BETA;
  const ActHandle definition = s.AllocateAct(def, "daily");
  Terminal* day = s.GetTerminal(kToday + 2);
  day->keepDay = 1;
  TaskNode* clone = s.NewTaskNode(definition, 0, 0);
  s.LinkTaskAfter(*day, nullptr, clone);
  EXPECT_EQ(MoveItemToDate(engine, clone, kToday + 3), kNoDate);
  EXPECT_EQ(s.FindTaskDay(clone), kToday + 2);
}

TEST_F(MoveItemTest, EarliestDateFollowsTheMove) {
  struct Case {
    DayNumber from, earliest, deadline, to;
    DayNumber wantEarliest;
    TimeOfDay wantEarliestTime;
  };
  const Case cases[] = {
      // Later than both: the new date, the time cleared; the deadline caps it.
      {kToday + 1, kToday + 2, kNoDate, kToday + 4, kToday + 4, kNoTime},
      {kToday + 1, kToday + 2, kToday + 3, kToday + 4, kToday + 3, kNoTime},
      // Before the earliest date: the new date, the time kept.
      {kToday + 5, kToday + 4, kNoDate, kToday + 2, kToday + 2, At(14)},
      // Neither, with an earliest date already reached: cleared.
      {kToday + 3, kToday - 1, kNoDate, kToday + 1, kNoDate, At(14)},
      // Neither, with a future earliest date: kept.
      {kToday + 6, kToday + 2, kNoDate, kToday + 3, kToday + 2, At(14)},
  };
  for (const Case& c : cases) {
    const ActHandle h = Fluid(c.from, c.deadline, c.earliest);
    env.ui.Answer(kIdNo);
    ASSERT_EQ(MoveItemToDate(engine, TaskOf(h), c.to), c.to);
    EXPECT_EQ(s.ReadAct(h).earliestDate, c.wantEarliest) << c.from << "->" << c.to;
    EXPECT_EQ(s.ReadAct(h).earliestDateTime, c.wantEarliestTime) << c.from << "->" << c.to;
  }
}

}  // namespace
}  // namespace ploven::test
