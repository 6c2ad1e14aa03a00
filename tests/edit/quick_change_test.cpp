#include "edit/quick_change.h"

#include <gtest/gtest.h>

#include "edit/edit_messages.h"
#include "edit/item_edit.h"
#include "edit/item_entry.h"
#include "recur/expansion_fixture.h"
#include "store/priority_index.h"

namespace ploven::test {
namespace {

namespace t = edit_text;

class QuickChangeTest : public RecurTest {
 protected:
  ActHandle Flexible(const std::string& title, uint8_t tier, Duration duration = 30) {
    NewItemRequest request;
    request.title = title;
    request.flexible = true;
    request.tier = tier;
    request.duration = duration;
    request.date = kToday;
    request.interactive = false;
    const ActHandle h = EnterNewItem(engine, &r, request);
    EXPECT_NE(h, kNoAct);
    return h;
  }
  QuickChangeResult Change(ActHandle h, QuickChange change, int step = kQuickStepMinutes) {
    return ApplyQuickChange(engine, &r, QuickTarget{s.ActTask(h), kNoAct}, change, step);
  }
  // "A2" for an item ranked second in tier A.
  std::string Priority(ActHandle h) {
    return std::string(1, static_cast<char>(s.GetActTier(h))) + std::to_string(s.GetActRank(h));
  }
};

TEST_F(QuickChangeTest, PriorityStepsMoveOneRankAndCrossTiersAtTheEnds) {
  const ActHandle a1 = Flexible("a1", 'A');
  const ActHandle a2 = Flexible("a2", 'A');
  const ActHandle b1 = Flexible("b1", 'B');
  ASSERT_EQ(Priority(a1), "A1");
  ASSERT_EQ(Priority(a2), "A2");
  ASSERT_EQ(Priority(b1), "B1");

  EXPECT_TRUE(Change(a2, QuickChange::kRaisePriority).applied);
  EXPECT_EQ(Priority(a2), "A1");
  EXPECT_EQ(Priority(a1), "A2");

  const QuickChangeResult top = Change(a2, QuickChange::kRaisePriority);
  EXPECT_FALSE(top.applied);
  EXPECT_EQ(top.refusal, t::kQuickTopPriority);
  EXPECT_EQ(Priority(a2), "A1");

  // The top of B goes to the end of A; the end of A to the top of B.
  EXPECT_TRUE(Change(b1, QuickChange::kRaisePriority).applied);
  EXPECT_EQ(Priority(b1), "A3");
  EXPECT_TRUE(Change(a1, QuickChange::kLowerPriority).applied);  // A2 -> A3
  EXPECT_EQ(Priority(a1), "A3");
  EXPECT_EQ(Priority(b1), "A2");
  EXPECT_TRUE(Change(a1, QuickChange::kLowerPriority).applied);  // the end of A -> B1
  EXPECT_EQ(Priority(a1), "B1");
  EXPECT_EQ(s.priorityIndex().TierCount('A'), 2);
  ExpectConsistent();
}

TEST_F(QuickChangeTest, SetDateItemsHaveNoPriorityToStep) {
  const ActHandle h = Fixed("Dentist", kToday, At(9), 30);
  const QuickChangeResult r1 = Change(h, QuickChange::kLowerPriority);
  EXPECT_FALSE(r1.applied);
  EXPECT_EQ(r1.refusal, t::kQuickNoPriority);
}

struct StepCase {
  const char* name;
  QuickChange change;
  int step;
  TimeOfDay start;
  Duration duration;
  TimeOfDay wantStart;  // kNoTime: refused
  Duration wantDuration;
};

class QuickStepTest : public QuickChangeTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(QuickStepTest, StepsTheSetStartTimeOrDuration) {
  const StepCase& c = GetParam();
  const ActHandle h = Fixed("Call", kToday, c.start, c.duration);
  const QuickChangeResult result = Change(h, c.change, c.step);
  const Act a = s.ReadAct(result.applied ? result.item : h);
  if (c.wantStart == kNoTime) {
    EXPECT_FALSE(result.applied);
    EXPECT_FALSE(result.refusal.empty());
    EXPECT_EQ(a.startTime, c.start);
    EXPECT_EQ(a.duration, c.duration);
    return;
  }
  ASSERT_TRUE(result.applied) << result.refusal;
  EXPECT_EQ(a.startTime, c.wantStart);
  EXPECT_EQ(a.duration, c.wantDuration);
  // The day is planned again: the item's task stands at its new time.
  EXPECT_EQ(s.ActTask(result.item)->StartTime(), c.wantStart);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, QuickStepTest,
    ::testing::Values(
        StepCase{"Later15", QuickChange::kLaterStart, 15, ClockTime(9, 0), 30, ClockTime(9, 15),
                 30},
        StepCase{"Earlier1", QuickChange::kEarlierStart, 1, ClockTime(9, 0), 30, ClockTime(8, 59),
                 30},
        StepCase{"EarlierStopsAtMidnight", QuickChange::kEarlierStart, 15, ClockTime(0, 10), 30,
                 ClockTime(0, 0), 30},
        StepCase{"EarlierAtMidnightRefused", QuickChange::kEarlierStart, 15, ClockTime(0, 0), 30,
                 kNoTime, 0},
        StepCase{"LaterAtDayEndRefused", QuickChange::kLaterStart, 15, ClockTime(23, 59), 1,
                 kNoTime, 0},
        StepCase{"Longer", QuickChange::kLonger, 15, ClockTime(9, 0), 30, ClockTime(9, 0), 45},
        StepCase{"Shorter", QuickChange::kShorter, 15, ClockTime(9, 0), 30, ClockTime(9, 0), 15},
        StepCase{"ShorterStopsAtOneStep", QuickChange::kShorter, 15, ClockTime(9, 0), 20,
                 ClockTime(9, 0), 15},
        StepCase{"ShorterAtOneStepRefused", QuickChange::kShorter, 15, ClockTime(9, 0), 15, kNoTime,
                 0},
        StepCase{"ShorterByAMinute", QuickChange::kShorter, 1, ClockTime(9, 0), 15, ClockTime(9, 0),
                 14}),
    [](const ::testing::TestParamInfo<StepCase>& p) { return std::string(p.param.name); });

TEST_F(QuickChangeTest, AFlexibleItemHasNoStartTimeToStep) {
  const ActHandle h = Flexible("Report", 'A');
  EXPECT_EQ(Change(h, QuickChange::kLaterStart).refusal, t::kQuickNoStartTime);
}

TEST_F(QuickChangeTest, FlexibleDateTogglesInAndOutOfThePriorityIndex) {
  const ActHandle h = Fixed("Write", kToday, At(10), 60);
  ASSERT_EQ(s.priorityIndex().EntryOf(h), kNoPriorityEntry);
  ASSERT_TRUE(Change(h, QuickChange::kFlexibleDate).applied);
  Act a = s.ReadAct(h);
  EXPECT_TRUE(a.Has(AF_FLEXIBLE));
  EXPECT_FALSE(a.Has(AF_FIXED));
  EXPECT_EQ(a.startTime, kNoTime);
  EXPECT_NE(s.priorityIndex().EntryOf(h), kNoPriorityEntry);
  EXPECT_NE(s.GetActDate(h), kNoDate);  // planned on a day

  const QuickChangeResult back = Change(h, QuickChange::kFlexibleDate);
  ASSERT_TRUE(back.applied) << back.refusal
                            << (env.ui.boxes.empty() ? "" : env.ui.boxes.back().text);
  a = s.ReadAct(h);
  EXPECT_FALSE(a.Has(AF_FLEXIBLE));
  EXPECT_EQ(s.priorityIndex().EntryOf(h), kNoPriorityEntry);
  ExpectConsistent();
}

TEST_F(QuickChangeTest, ScheduledPinsAFlexibleItemWhereItStands) {
  const ActHandle h = Flexible("Read", 'A', 45);
  TaskNode* task = s.ActTask(h);
  ASSERT_NE(task, nullptr);
  const TimeOfDay placed = task->StartTime();
  const DayNumber day = s.GetActDate(h);
  ASSERT_TRUE(Change(h, QuickChange::kScheduled).applied);
  const Act a = s.ReadAct(h);
  EXPECT_TRUE(a.Has(AF_FIXED));
  EXPECT_FALSE(a.Has(AF_FLEXIBLE));
  EXPECT_EQ(a.startTime, placed);
  EXPECT_EQ(s.GetActDate(h), day);

  // Unticked, the item loses its time and stays an item of its date.
  ASSERT_TRUE(Change(h, QuickChange::kScheduled).applied);
  EXPECT_FALSE(s.ReadAct(h).Has(AF_FIXED));
  EXPECT_EQ(s.ReadAct(h).startTime, kNoTime);
}

TEST_F(QuickChangeTest, AppointmentMakesAnItemOfItsPlaceAndBack) {
  const ActHandle h = Flexible("Visit", 'A', 30);
  const TimeOfDay placed = s.ActTask(h)->StartTime();
  ASSERT_TRUE(Change(h, QuickChange::kAppointment).applied);
  Act a = s.ReadAct(h);
  EXPECT_EQ(a.typeFlags, ACT_APPOINTMENT);
  EXPECT_TRUE(a.Has(AF_FIXED));
  EXPECT_FALSE(a.Has(AF_FLEXIBLE));
  EXPECT_EQ(a.startTime, placed);
  ASSERT_TRUE(Change(h, QuickChange::kAppointment).applied);
  a = s.ReadAct(h);
  EXPECT_EQ(a.typeFlags, ACT_ITEM);
  EXPECT_FALSE(a.Has(AF_FIXED));
}

TEST_F(QuickChangeTest, FlagTogglesFlipOnceAndBack) {
  struct Case {
    QuickChange change;
    uint32_t flag;
  } cases[] = {{QuickChange::kUnderscore, AF_UNDERSCORED},
               {QuickChange::kHideUntilStartable, AF_HIDE},
               {QuickChange::kSplittable, AF_SPLIT}};
  const ActHandle h = Flexible("Plan", 'A');
  for (const Case& c : cases) {
    ASSERT_TRUE(Change(h, c.change).applied) << c.flag;
    EXPECT_TRUE(s.ReadAct(h).Has(c.flag)) << c.flag;
    ASSERT_TRUE(Change(h, c.change).applied) << c.flag;
    EXPECT_FALSE(s.ReadAct(h).Has(c.flag)) << c.flag;
  }
  ExpectConsistent();
}

TEST_F(QuickChangeTest, PrivateMarksAndUnmarksTheTitle) {
  const ActHandle h = Fixed("Doctor", kToday, At(9), 30);
  ASSERT_TRUE(Change(h, QuickChange::kPrivate).applied);
  EXPECT_EQ(s.GetActNameFull(h), "!Doctor");
  ASSERT_TRUE(Change(h, QuickChange::kPrivate).applied);
  EXPECT_EQ(s.GetActNameFull(h), "Doctor");
}

TEST_F(QuickChangeTest, SequencedNeedsAFlexibleItemWithOneBeforeIt) {
  const ActHandle first = Flexible("first", 'A');
  const ActHandle second = Flexible("second", 'A');
  const ActHandle fixed = Fixed("fixed", kToday, At(9), 30);
  EXPECT_EQ(Change(first, QuickChange::kSequenced).refusal, t::kQuickNothingToFollow);
  EXPECT_EQ(Change(fixed, QuickChange::kSequenced).refusal, t::kQuickSequencedFlexibleOnly);
  ASSERT_TRUE(Change(second, QuickChange::kSequenced).applied);
  EXPECT_TRUE(s.ReadAct(second).Has(AF_SEQUENCED));
  EXPECT_FALSE(s.ReadAct(first).Has(AF_SEQUENCED));
}

TEST_F(QuickChangeTest, MemosRefuseTimesAndFlexibleDates) {
  NewItemRequest request;
  request.title = "Call mum";
  request.memo = true;
  request.date = kToday;
  request.interactive = false;
  const ActHandle memo = EnterNewItem(engine, &r, request);
  ASSERT_NE(memo, kNoAct);
  EXPECT_EQ(Change(memo, QuickChange::kFlexibleDate).refusal, t::kQuickCannotFloat);
  EXPECT_EQ(Change(memo, QuickChange::kLonger).refusal, t::kQuickMemoNoDuration);
  EXPECT_EQ(Change(memo, QuickChange::kScheduled).refusal, t::kQuickNotForMemo);
  EXPECT_FALSE(s.ReadAct(memo).Has(AF_FLEXIBLE));
}

TEST_F(QuickChangeTest, DoneItemsAndBadLabelsAreRefusedUnchanged) {
  const ActHandle h = Fixed("Done one", kToday, At(8), 30);
  s.LockAct(h).flags |= AF_DONE;
  EXPECT_EQ(Change(h, QuickChange::kUnderscore).refusal, t::kQuickDoneItem);
  EXPECT_FALSE(s.ReadAct(h).Has(AF_UNDERSCORED));

  const ActHandle g = Fixed("Labelled", kToday, At(9), 30);
  const QuickTarget target{s.ActTask(g), kNoAct};
  EXPECT_TRUE(SetItemLabel(engine, &r, target, 3).applied);
  EXPECT_EQ(s.ReadAct(g).label, 3);
  EXPECT_EQ(SetItemLabel(engine, &r, target, kLastLabel + 1).refusal, t::kQuickBadLabel);
  EXPECT_EQ(s.ReadAct(g).label, 3);
}

TEST_F(QuickChangeTest, AnInstanceOfARecurringItemChangesAlone) {
  const ActHandle def = Recurring("Standup", Daily(kToday));
  Keep(kToday);
  Keep(kToday + 1);
  TaskNode* today = Clone(def, kToday);
  ASSERT_NE(today, nullptr);
  const QuickChangeResult result =
      ApplyQuickChange(engine, &r, QuickTarget{today, kNoAct}, QuickChange::kLonger, 15);
  ASSERT_TRUE(result.applied) << result.refusal;
  EXPECT_NE(result.item, def);
  EXPECT_EQ(s.ReadAct(result.item).duration, 45);
  EXPECT_EQ(s.ReadAct(def).duration, 30);  // the other days keep theirs
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test

namespace ploven::test {
namespace {

TEST_F(QuickChangeTest, AStampGoesAtTheEndOfTheTitle) {
  const ActHandle h = Fixed("Call back", kToday, At(9), 30);
  const QuickTarget target{s.ActTask(h), kNoAct};
  ASSERT_TRUE(AppendToTitle(engine, &r, target, "12/8/2026 9:00am").applied);
  EXPECT_EQ(s.GetActNameFull(h), "Call back 12/8/2026 9:00am");
  // A title that would grow past its limit stays as it was (told why).
  s.SetActName(h, std::string(kActTitleMax - 3, 'x'));
  EXPECT_FALSE(AppendToTitle(engine, &r, target, "12/8/2026").applied);
  EXPECT_EQ(s.GetActNameFull(h).size(), kActTitleMax - 3);
  EXPECT_FALSE(env.ui.boxes.empty());
}

}  // namespace
}  // namespace ploven::test
