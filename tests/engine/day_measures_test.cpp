#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

namespace t = engine_text;

TEST_F(EngineTest, TodaysReserveShrinksWithTheTimeLeft) {
  s.header().setEarliestTimeOfDay(At(7));
  s.header().setLatestTimeOfDay(At(23));
  engine.settings().reserveToday = 96;
  engine.settings().reserveFutureDay = 30;
  env.clock.Set(kToday, At(7));
  EXPECT_EQ(engine.InterruptionReserve(kToday), 96);
  env.clock.Set(kToday, At(15));
  EXPECT_EQ(engine.InterruptionReserve(kToday), 48);
  env.clock.Set(kToday, At(23, 30));
  EXPECT_EQ(engine.InterruptionReserve(kToday), 0) << "nothing is reserved once the day is over";
  EXPECT_EQ(engine.InterruptionReserve(kToday + 1), 30);
}

TEST_F(EngineTest, AZeroLengthDaySaysSoAndReservesNothing) {
  s.header().setEarliestTimeOfDay(At(9));
  s.header().setLatestTimeOfDay(At(9));
  engine.settings().reserveToday = 60;
  EXPECT_EQ(engine.InterruptionReserve(kToday), 0);
  EXPECT_TRUE(env.ui.Showed(t::kZeroDayLength));
}

TEST_F(EngineTest, FreeTimeCountsOnlyTheWindowAndOverlapsTwice) {
  Terminal* day = s.GetTerminal(kToday + 1);
  // 16 hours from 7:00 to 23:00.
  EXPECT_EQ(engine.DayFreeTime(false, *day), 960);
  EXPECT_EQ(day->freeMinutes, 960) << "a new day starts with its free time";
  Fixed("Before the day", kToday + 1, At(6), 90);   // 30 minutes inside
  Fixed("A", kToday + 1, At(10), 60);
  Fixed("B", kToday + 1, At(10, 30), 60);           // overlaps A by 30
  EXPECT_EQ(engine.DayFreeTime(false, *s.ExistingTerminal(kToday + 1)), 960 - 30 - 60 - 60);
  // Today's window starts at now.
  env.clock.Set(kToday, At(15));
  EXPECT_EQ(engine.DayFreeTime(true, *s.GetTerminal(kToday)), 8 * 60);
  env.clock.Set(kToday, At(23, 30));
  Fixed("Late", kToday, At(22), 60);
  EXPECT_EQ(engine.DayFreeTime(true, *s.ExistingTerminal(kToday)), 0);
}

TEST_F(EngineTest, FreeMinutesFollowPlacementAndRemoval) {
  const ActHandle a = Fixed("A", kToday + 1, At(10), 60);
  Act memo;
  memo.flags = AF_HOPE;
  memo.duration = 45;
  s.NewItem(kToday + 1, memo, "Memo");
  Terminal* day = s.ExistingTerminal(kToday + 1);
  EXPECT_EQ(day->freeMinutes, 900) << "the memo takes no time";
  s.DeleteItem(a);
  EXPECT_EQ(day->freeMinutes, 960);
}

TEST_F(EngineTest, KeepClearDays) {
  EXPECT_FALSE(engine.IsKeepClearDay(kToday + 1));
  engine.settings().keepClearFrom = kToday + 2;
  engine.settings().keepClearThrough = kToday + 4;
  EXPECT_FALSE(engine.IsKeepClearDay(kToday + 1));
  EXPECT_TRUE(engine.IsKeepClearDay(kToday + 2));
  EXPECT_TRUE(engine.IsKeepClearDay(kToday + 4));
  EXPECT_FALSE(engine.IsKeepClearDay(kToday + 5));
  engine.settings().keepClearFrom = 0;
  EXPECT_TRUE(engine.IsKeepClearDay(kToday - 100)) << "only 'through': every day up to it";
  engine.settings().keepClearFrom = kToday + 2;
  engine.settings().keepClearThrough = 0;
  EXPECT_TRUE(engine.IsKeepClearDay(kToday + 2)) << "only 'from': that day alone";
  EXPECT_FALSE(engine.IsKeepClearDay(kToday + 3));
  // A work holiday keeps its day clear outside the range too.
  Act holiday;
  holiday.flags = AF_HOPE;
  holiday.typeFlags = ACT_MEMO | ACT_WORK_HOLIDAY;
  s.NewItem(kToday + 10, holiday, "Founders' day");
  EXPECT_TRUE(engine.IsKeepClearDay(kToday + 10));
}

TEST_F(EngineTest, DaysOfWeek) {
  const ActHandle any = Fixed("Any", kToday + 1, At(9), 30);
  EXPECT_TRUE(engine.WeekdayQualify(any, kToday));
  EXPECT_EQ(engine.nxqual(any, kToday), kToday + 1);
  const ActHandle fridays = Fixed("Fridays", kToday + 1, At(9), 30);
  s.LockAct(fridays).weekdays = 1u << 5;
  EXPECT_FALSE(engine.WeekdayQualify(fridays, kToday));
  EXPECT_TRUE(engine.WeekdayQualify(fridays, kToday + 3));
  EXPECT_EQ(engine.nxqual(fridays, kToday), kToday + 3);
  EXPECT_EQ(engine.nxqual(fridays, kToday + 3), kToday + 10);
}

TEST_F(EngineTest, EarliestBeginAndLatestEnd) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 30;
  a.earliestTime = At(10);
  a.latestTime = At(20);
  a.earliestDate = kToday + 2;
  a.earliestDateTime = At(13);
  a.deadlineDate = kToday + 5;
  a.deadlineTime = At(12);
  const ActHandle h = s.AllocateAct(a, "Window");
  EXPECT_EQ(engine.EarliestBeginOnDate(h, kToday + 3), At(10));
  EXPECT_EQ(engine.EarliestBeginOnDate(h, kToday + 2), At(13));
  EXPECT_EQ(engine.LatestEndOnDate(h, kToday + 3), At(20));
  EXPECT_EQ(engine.LatestEndOnDate(h, kToday + 5), At(12));
  s.header().setLatestTimeOfDay(At(18));
  EXPECT_EQ(engine.LatestEndOnDate(h, kToday + 3), At(18)) << "the day bounds cap the latest end";
  s.LockAct(h).flags |= AF_DONE;
  s.LockAct(h).startTime = At(15);
  EXPECT_EQ(engine.EarliestBeginOnDate(h, kToday + 3), At(15));
  EXPECT_EQ(engine.LatestEndOnDate(h, kToday + 3), At(15, 30));
}

TEST_F(EngineTest, RoomForAFluidItemAndTheRunOfFullDays) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 120;
  const ActHandle h = s.AllocateAct(a, "Big");
  TaskNode* task = s.NewTaskNode(h, 0, 120);
  // Empty days would be pruned as others are made: keep them.
  auto day = [&](DayNumber d, int free) {
    Terminal* t = s.GetTerminal(d);
    t->keepDay = 1;
    t->freeMinutes = static_cast<int16_t>(free);
  };
  day(kToday + 1, 3);
  day(kToday + 2, 4);
  day(kToday + 3, 200);
  day(kToday, 2);
  EXPECT_FALSE(engine.RoomForFluidTask(task, kToday));
  EXPECT_EQ(engine.fullDayTracker(), kToday);
  EXPECT_FALSE(engine.RoomForFluidTask(task, kToday + 2));
  EXPECT_EQ(engine.fullDayTracker(), kToday) << "only the next day extends the run";
  EXPECT_FALSE(engine.RoomForFluidTask(task, kToday + 1));
  EXPECT_FALSE(engine.RoomForFluidTask(task, kToday + 2));
  EXPECT_EQ(engine.fullDayTracker(), kToday + 2);
  EXPECT_TRUE(engine.RoomForFluidTask(task, kToday + 3));
  s.LockAct(h).flags |= AF_HOPE;
  EXPECT_TRUE(engine.RoomForFluidTask(task, kToday + 1)) << "a memo always has room";
  s.FreeTaskNode(task);
  EXPECT_THROW(engine.RoomForFluidTask(nullptr, kToday), InternalErrorRaised);
}

// The report ends the program, so each fatal case has an environment of its own.
TEST_F(EngineTest, ZeroDateToScheduleTaskIsFatal) {
  TaskNode* task = s.NewTaskNode(s.AllocateAct({}, "x"));
  EXPECT_THROW(engine.ScheduleTask(task, kNoDate, {}), InternalErrorRaised);
  EXPECT_TRUE(env.ui.Showed(t::kNullDateScheduleTask));
  s.FreeTaskNode(task);
}

TEST_F(EngineTest, ZeroDateToScheduleTaskFTDIsFatal) {
  TaskNode* task = s.NewTaskNode(s.AllocateAct({}, "x"));
  EXPECT_THROW(engine.ScheduleTaskFTD(task, kNoDate), InternalErrorRaised);
  EXPECT_TRUE(env.ui.Showed("Null date passed to ScheduleTaskFTD. Please notify "));
  s.FreeTaskNode(task);
}

TEST_F(EngineTest, ADroppedItemGoesWhereItWasDroppedWhenItFits) {
  const DayNumber d = kToday + 1;
  Fixed("A", d, At(9), 60);
  Fixed("B", d, At(14), 60);
  Terminal* day = s.ExistingTerminal(d);
  TaskNode* a = day->First();
  TaskNode* b = a->Next();
  Act item;
  item.duration = 60;
  const ActHandle h = s.AllocateAct(item, "Dropped");
  TaskNode* task = s.NewTaskNode(h, 0, 60);
  ASSERT_TRUE(engine.ScheduleTask(task, d, PlacementHint{a, b}));
  EXPECT_EQ(a->Next(), task);
  EXPECT_EQ(task->StartTime(), At(10));
  // Without the hint it would have gone first, before A.
  TaskNode* other = s.NewTaskNode(s.AllocateAct(item, "Undropped"), 0, 60);
  engine.ScheduleTask(other, d, {});
  EXPECT_EQ(day->First(), other);
}

}  // namespace
}  // namespace ploven::test
