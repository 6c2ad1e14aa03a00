#include "done/timekeeping.h"

#include "done/done_messages.h"
#include "recur/expansion_fixture.h"
#include "store/recurrence_fields.h"

namespace ploven::test {
namespace {

class TimekeepingTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    env.clock.Set(kToday, At(10, 40));
  }

  // The titles of the day in chain order, each with its start.
  std::vector<std::pair<std::string, TimeOfDay>> Day(DayNumber date) {
    std::vector<std::pair<std::string, TimeOfDay>> out;
    if (const Terminal* day = s.ExistingTerminal(date))
      for (const TaskNode* t = day->First(); t != nullptr; t = t->Next())
        out.emplace_back(s.GetActNameFull(t->act), t->StartTime());
    return out;
  }

  ActHandle DoneAt(const std::string& title, TimeOfDay start, Duration duration) {
    return Fixed(title, kToday, start, duration, AF_DONE);
  }
};

struct EndRow {
  const char* name;
  TimeOfDay start;
  Duration planned;
  TimeOfDay end;
  TimeOfDay wantBegan;
  int wantDuration;
};

class DoneEndingAtTest : public TimekeepingTest, public ::testing::WithParamInterface<EndRow> {};

TEST_P(DoneEndingAtTest, RecordsTheEndAndWhatItTook) {
  const EndRow& row = GetParam();
  const ActHandle h = Fixed("Call", kToday, row.start, row.planned);
  ASSERT_TRUE(DoneEndingAt(engine, s.ActTask(h), row.end));
  const Act& a = s.ReadAct(h);
  EXPECT_TRUE(a.Has(AF_DONE));
  EXPECT_EQ(a.startTime, row.wantBegan);
  EXPECT_EQ(a.duration, row.wantDuration);
  EXPECT_EQ(s.ActTask(h)->StartTime(), row.wantBegan);
  EXPECT_EQ(s.ActTask(h)->length, row.wantDuration);
  ExpectConsistent();
}

// The rows are made outside the fixture, which has the same helper.
constexpr TimeOfDay At(int hour, int minute = 0) {
  return static_cast<TimeOfDay>(hour * 60 + minute + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DoneEndingAtTest,
    ::testing::Values(EndRow{"StartedBeforeTheEnd", At(10), 60, At(10, 40), At(10), 40},
                      EndRow{"RanLongerThanPlanned", At(9), 30, At(10, 40), At(9), 100},
                      EndRow{"EndedAtItsStart", At(10), 30, At(10), At(10), 0},
                      EndRow{"PlannedLaterTookItsLength", At(11), 30, At(10, 40), At(10, 10), 30},
                      EndRow{"EarlierEndTimeBeforeItsStart", At(10), 45, At(9, 30), At(8, 45), 45}),
    [](const ::testing::TestParamInfo<EndRow>& row) { return std::string(row.param.name); });

TEST_F(TimekeepingTest, AnItemDoneAlreadyOrNoTaskChangesNothing) {
  const ActHandle h = DoneAt("Letters", At(9), 30);
  EXPECT_FALSE(DoneEndingAt(engine, s.ActTask(h), At(10)));
  EXPECT_FALSE(DoneFillingGap(engine, s.ActTask(h)));
  EXPECT_EQ(DoneForNow(engine, s.ActTask(h)), kNoAct);
  EXPECT_FALSE(StartFillingGap(engine, s.ActTask(h)));
  EXPECT_FALSE(DoneEndingAt(engine, nullptr, At(10)));
  EXPECT_EQ(s.ReadAct(h).duration, 30);
}

TEST_F(TimekeepingTest, DoneAndFillGapRunsFromTheLastDoneItemToNow) {
  DoneAt("Letters", At(9), 30);
  const ActHandle h = Fixed("Report", kToday, At(11), 60);
  ASSERT_TRUE(DoneFillingGap(engine, s.ActTask(h)));
  EXPECT_EQ(s.ReadAct(h).startTime, At(9, 30));
  EXPECT_EQ(s.ReadAct(h).duration, 70);
  // It now stands in time order, right after the item it follows.
  const auto day = Day(kToday);
  ASSERT_EQ(day.size(), 2u);
  EXPECT_EQ(day[1], std::make_pair(std::string("Report"), At(9, 30)));
  ExpectConsistent();
}

TEST_F(TimekeepingTest, DoneAndFillGapWithoutADoneItemRunsFromItsOwnStart) {
  const ActHandle h = Fixed("Report", kToday, At(10), 60);
  ASSERT_TRUE(DoneFillingGap(engine, s.ActTask(h)));
  EXPECT_EQ(s.ReadAct(h).startTime, At(10));
  EXPECT_EQ(s.ReadAct(h).duration, 40);
}

TEST_F(TimekeepingTest, DoneForNowSplitsOffTheTimeWorkedAndPlansTheRest) {
  Act fluid;
  fluid.flags = AF_FLEXIBLE | AF_STARTED;
  fluid.startTime = At(10);
  fluid.duration = 90;
  const ActHandle h = s.NewItem(kToday, fluid, "Essay");
  TaskNode* task = s.ActTask(h);
  ASSERT_NE(task, nullptr);
  ASSERT_EQ(task->StartTime(), At(10));
  const ActHandle done = DoneForNow(engine, task);
  ASSERT_NE(done, kNoAct);
  EXPECT_TRUE(s.ActFlags(done) & AF_DONE);
  EXPECT_EQ(s.ReadAct(done).startTime, At(10));
  EXPECT_EQ(s.ReadAct(done).duration, 40);
  EXPECT_EQ(s.GetActNameFull(done), "Essay");
  EXPECT_EQ(s.GetActDate(done), kToday);
  // The rest stays undone, fluid, with the 50 minutes left, and is planned from now on.
  const Act& rest = s.ReadAct(h);
  EXPECT_FALSE(rest.Has(AF_DONE) || rest.Has(AF_STARTED));
  EXPECT_TRUE(rest.Has(AF_FLEXIBLE));
  EXPECT_EQ(rest.duration, 50);
  ASSERT_NE(s.ActTask(h), nullptr);
  EXPECT_GE(s.ActTask(h)->StartTime(), At(10, 40));
  EXPECT_NE(s.ReadAct(done).ID, rest.ID);
  ExpectConsistent();
}

TEST_F(TimekeepingTest, DoneForNowNeedsTimeWorkedAndTimeLeft) {
  const ActHandle later = Fixed("Later", kToday, At(11), 30);
  const ActHandle over = Fixed("Over", kToday, At(9), 30);
  EXPECT_EQ(DoneForNow(engine, s.ActTask(later)), kNoAct);  // not begun yet
  EXPECT_EQ(DoneForNow(engine, s.ActTask(over)), kNoAct);   // nothing left: Done! it
  EXPECT_FALSE(s.ActFlags(later) & AF_DONE);
  EXPECT_FALSE(s.ActFlags(over) & AF_DONE);
}

TEST_F(TimekeepingTest, StartAndFillGapStartsWhereTheLastDoneItemEnded) {
  DoneAt("Letters", At(9), 30);
  Act fluid;
  fluid.flags = AF_FLEXIBLE;
  fluid.duration = 60;
  const ActHandle h = s.NewItem(kToday, fluid, "Essay");
  ASSERT_TRUE(StartFillingGap(engine, s.ActTask(h)));
  EXPECT_TRUE(s.ActFlags(h) & AF_STARTED);
  EXPECT_EQ(s.ReadAct(h).startTime, At(9, 30));
  EXPECT_EQ(s.ActTask(h)->StartTime(), At(9, 30));
  EXPECT_FALSE(StartFillingGap(engine, s.ActTask(h)));  // started already
}

TEST_F(TimekeepingTest, StartAndFillGapWithoutADoneItemStartsNow) {
  const ActHandle h = Fixed("Call", kToday, At(11), 30);
  ASSERT_TRUE(StartFillingGap(engine, s.ActTask(h)));
  EXPECT_EQ(s.ReadAct(h).startTime, At(10, 40));
}

TEST_F(TimekeepingTest, AnOccurrenceIsDoneAloneAndRaisesItsSeriesLastDoneDate) {
  const ActHandle def = Recurring("Stand-up", Daily(kToday));
  Keep(kToday);
  Keep(kToday + 1);
  TaskNode* clone = Clone(def, kToday);
  ASSERT_NE(clone, nullptr);
  ASSERT_TRUE(DoneEndingAt(engine, clone, At(8, 20)));
  const ActHandle drone = clone->act;
  EXPECT_NE(drone, def);
  EXPECT_TRUE(s.ActFlags(drone) & AF_DRONE);
  EXPECT_TRUE(s.ActFlags(drone) & AF_DONE);
  EXPECT_EQ(s.ReadAct(drone).duration, 20);
  EXPECT_FALSE(s.ActFlags(def) & AF_DONE);
  EXPECT_EQ(GetBetaLastDone(s, def), kToday);
  EXPECT_NE(Clone(def, kToday + 1), nullptr);  // tomorrow's stays as it was
  ExpectConsistent();
}

TEST_F(TimekeepingTest, OfferToCloneCopiesWithTheOccurrencesLengthOnYes) {
  const ActHandle h = Fixed("Haircut", kToday, At(9), 45, AF_CLONE_ON_DONE | AF_DONE);
  env.ui.Answer(kIdNo);
  EXPECT_EQ(OfferToClone(r, h, kToday + 2, 30), kNoAct);
  env.ui.Answer(kIdYes);
  const ActHandle copy = OfferToClone(r, h, kToday + 2, 30);
  ASSERT_NE(copy, kNoAct);
  EXPECT_EQ(s.GetActNameFull(copy), "Haircut");
  EXPECT_FALSE(s.ActFlags(copy) & AF_DONE);
  EXPECT_EQ(s.ReadAct(copy).duration, 30);
  EXPECT_EQ(s.GetActDate(copy), kToday + 2);
  EXPECT_EQ(s.ActTask(copy)->length, 30);
  ExpectConsistent();
}

TEST_F(TimekeepingTest, OfferToCloneAsksOnlyItemsThatWantIt) {
  const ActHandle plain = Fixed("Call", kToday, At(9), 45, AF_DONE);
  // On a memo the same bit marks a Work Holiday.
  const ActHandle holiday =
      Fixed("Holiday", kToday, At(9), 0, AF_CLONE_ON_DONE | AF_DONE, ACT_WORK_HOLIDAY);
  EXPECT_EQ(OfferToClone(r, plain, kToday, 45), kNoAct);
  EXPECT_EQ(OfferToClone(r, holiday, kToday, 0), kNoAct);
  EXPECT_TRUE(env.ui.boxes.empty());
}

}  // namespace
}  // namespace ploven::test
