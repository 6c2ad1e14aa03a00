#include "done/start_unstart.h"

#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

TEST_F(RecurTest, StartUnstartStartsAtTheTaskAndStopsAgain) {
  Act fluid;
  fluid.flags = AF_FLEXIBLE;
  fluid.duration = 30;
  Fixed("Before", kToday + 1, At(8), 60);
  const ActHandle h = s.NewItem(kToday + 1, fluid, "Essay");
  TaskNode* task = s.ActTask(h);
  ASSERT_NE(task, nullptr);
  s.ClearChanged();
  ASSERT_TRUE(ToggleStarted(s, task));
  EXPECT_TRUE(s.ActFlags(h) & AF_STARTED);
  EXPECT_EQ(s.ReadAct(h).startTime, task->StartTime());
  EXPECT_TRUE(s.changed());
  ASSERT_TRUE(ToggleStarted(s, task));
  EXPECT_FALSE(s.ActFlags(h) & AF_STARTED);
  EXPECT_FALSE(ToggleStarted(s, nullptr));
}

TEST_F(RecurTest, StartingAnOccurrenceStartsThatOccurrenceOnly) {
  const ActHandle def = Recurring("Walk", Daily(kToday));
  Keep(kToday + 1);
  Keep(kToday + 2);
  TaskNode* task = Clone(def, kToday + 1);
  ASSERT_TRUE(ToggleStarted(s, task));
  const ActHandle started = task->act;
  EXPECT_NE(started, def);
  EXPECT_EQ(s.ReadAct(started).flags & (AF_DRONE | AF_STARTED), AF_DRONE | AF_STARTED);
  EXPECT_FALSE(s.ActFlags(def) & AF_STARTED);
  EXPECT_EQ(ClonesOn(def, kToday + 2), 1);
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test
