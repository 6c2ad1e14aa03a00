#include "done/done_item_form.h"

#include <utility>
#include <vector>

#include "done/done_messages.h"
#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

// Hears what the calendar bridge would hear.
struct DoneHearing : ScheduleHooks {
  void DoneStateChanged(Schedule&, ActHandle act, DoneChange how) override {
    heard.emplace_back(act, how);
  }
  std::vector<std::pair<ActHandle, DoneChange>> heard;
};

class DoneItemFormTest : public EngineTest {
 protected:
  static constexpr DayNumber kTomorrow = kToday + 1;

  void SetUp() override {
    EngineTest::SetUp();
    s.itemDefaults().duration = 25;
    s.itemDefaults().earliestTime = At(8);
    engine.SetOuterHooks(&hearing);
  }

  ActHandle Done(const std::string& title, DayNumber date, TimeOfDay start, Duration duration) {
    Act a;
    a.flags = AF_DONE;
    a.startTime = start;
    a.duration = duration;
    return s.NewItem(date, a, title);
  }

  int ItemsOn(DayNumber date) {
    const Terminal* day = s.ExistingTerminal(date);
    return day != nullptr ? day->nTasks : 0;
  }

  DoneHearing hearing;
};

TEST_F(DoneItemFormTest, NewItemFollowsTheSelectedItemUpToTheNext) {
  const ActHandle a = Fixed("Call", kTomorrow, At(10), 30);
  Fixed("Meeting", kTomorrow, At(11, 15), 60);
  const DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, s.ActTask(a));
  EXPECT_EQ(d.item, kNoAct);
  EXPECT_EQ(d.date, kTomorrow);
  EXPECT_EQ(d.times.began(), At(10, 30));
  EXPECT_EQ(d.times.duration(), 45);
}

TEST_F(DoneItemFormTest, NewItemAfterTheLastItemTakesThePreferredDuration) {
  const ActHandle a = Fixed("Call", kTomorrow, At(10), 30);
  const DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, s.ActTask(a));
  EXPECT_EQ(d.times.began(), At(10, 30));
  EXPECT_EQ(d.times.duration(), 25);
}

TEST_F(DoneItemFormTest, NewItemWithoutSelectionBeginsAtThePreferredEarliestTime) {
  Fixed("Early", kTomorrow, At(7), 30);  // before the earliest time: not the next item
  Fixed("Call", kTomorrow, At(10), 30);
  DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, nullptr);
  EXPECT_EQ(d.times.began(), At(8));
  EXPECT_EQ(d.times.duration(), 120);

  s.itemDefaults().earliestTime = kNoTime;
  s.header().setEarliestTimeOfDay(At(6, 30));
  d = NewDoneItemDraft(engine, kTomorrow, nullptr);
  EXPECT_EQ(d.times.began(), At(6, 30));
  EXPECT_EQ(d.times.duration(), 30);
}

TEST_F(DoneItemFormTest, TodayANewItemRunsFromTheLastDoneItemToNow) {
  env.clock.Set(kToday, At(12));
  Done("Letters", kToday, At(9), 45);
  const ActHandle a = Fixed("Lunch", kToday, At(13), 30);
  const DoneItemDraft d = NewDoneItemDraft(engine, kToday, s.ActTask(a));
  EXPECT_EQ(d.times.began(), At(9, 45));
  EXPECT_EQ(d.times.duration(), 135);
  EXPECT_EQ(d.times.ended(), At(12));
}

TEST_F(DoneItemFormTest, TodayALastDoneItemEndingLaterChangesNothing) {
  env.clock.Set(kToday, At(12));
  Done("Letters", kToday, At(11), 45);
  const ActHandle a = Fixed("Call", kToday, At(10), 30);
  const DoneItemDraft d = NewDoneItemDraft(engine, kToday, s.ActTask(a));
  EXPECT_EQ(d.times.began(), At(10, 30));
  EXPECT_EQ(d.times.duration(), 30);  // up to the done item at 11:00
}

TEST_F(DoneItemFormTest, OnAnotherDayTheDoneItemsOfThatDayDoNotCount) {
  Done("Letters", kTomorrow, At(9), 15);
  const ActHandle a = Fixed("Call", kTomorrow, At(10), 30);
  const DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, s.ActTask(a));
  EXPECT_EQ(d.times.began(), At(10, 30));
}

TEST_F(DoneItemFormTest, OkRecordsANewDoneItemAtItsBeganTime) {
  DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, nullptr);
  d.title = "Invoice for March";
  d.times.SetBegan(At(14));
  d.times.SetEnded(At(15, 30));
  d.expense = 12.5f;
  d.mileage = 40;
  d.jobNumber = 1207;
  const DoneItemOutcome out = SaveDoneItem(engine, d);
  ASSERT_TRUE(out.ok()) << out.problem;
  const Act& a = s.ReadAct(out.item);
  EXPECT_TRUE(a.Has(AF_DONE));
  EXPECT_FALSE(a.Has(AF_DONE_NO_BEGAN));
  EXPECT_EQ(a.duration, 90);
  EXPECT_FLOAT_EQ(a.expense, 12.5f);
  EXPECT_EQ(a.mileage, 40);
  EXPECT_EQ(a.jobNumber, 1207);
  ASSERT_NE(s.ActTask(out.item), nullptr);
  EXPECT_EQ(s.GetTaskDate(s.ActTask(out.item)), kTomorrow);
  EXPECT_EQ(s.ActTask(out.item)->StartTime(), At(14));
  ASSERT_EQ(hearing.heard.size(), 1u);
  EXPECT_EQ(hearing.heard[0], std::make_pair(out.item, DoneChange::kEntered));

  // Opened again, the window shows what was recorded.
  const DoneItemDraft again = DoneItemDraftOf(s, s.ActTask(out.item));
  EXPECT_EQ(again.item, out.item);
  EXPECT_EQ(again.title, "Invoice for March");
  EXPECT_EQ(again.date, kTomorrow);
  EXPECT_EQ(again.times.began(), At(14));
  EXPECT_EQ(again.times.ended(), At(15, 30));
  EXPECT_EQ(again.jobNumber, 1207);
}

TEST_F(DoneItemFormTest, ADoneItemWithoutBeganTimeIsFlaggedAndStandsAtTheTop) {
  Fixed("Call", kTomorrow, At(10), 30);
  DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, nullptr);
  d.title = "Filing";
  d.times.SetBegan(kNoTime);
  const DoneItemOutcome out = SaveDoneItem(engine, d);
  ASSERT_TRUE(out.ok());
  EXPECT_TRUE(s.ActFlags(out.item) & AF_DONE_NO_BEGAN);
  EXPECT_EQ(s.ExistingTerminal(kTomorrow)->First()->act, out.item);
  EXPECT_FALSE(DoneItemDraftOf(s, s.ActTask(out.item)).times.hasBegan());
}

TEST_F(DoneItemFormTest, OkMovesAnExistingItemToItsNewDateAndTime) {
  const ActHandle h = Done("Report", kToday, At(9), 45);
  s.LockAct(h).flags |= AF_DONE_NO_BEGAN;
  DoneItemDraft d = DoneItemDraftOf(s, s.ActTask(h));
  d.title = "Quarterly report";
  d.date = kTomorrow;
  d.times.SetBegan(At(16));
  const DoneItemOutcome out = SaveDoneItem(engine, d);
  ASSERT_TRUE(out.ok());
  EXPECT_EQ(out.item, h);
  EXPECT_EQ(s.GetActNameFull(h), "Quarterly report");
  EXPECT_FALSE(s.ActFlags(h) & AF_DONE_NO_BEGAN);  // a Began time was given
  EXPECT_EQ(ItemsOn(kToday), 0);
  EXPECT_EQ(s.GetTaskDate(s.ActTask(h)), kTomorrow);
  EXPECT_EQ(s.ActTask(h)->StartTime(), At(16));
  EXPECT_EQ(s.CountActTasks(h), 1);
  ASSERT_EQ(hearing.heard.size(), 1u);
  EXPECT_EQ(hearing.heard[0].second, DoneChange::kDone);

  d = DoneItemDraftOf(s, s.ActTask(h));
  d.times.SetBegan(kNoTime);
  ASSERT_TRUE(SaveDoneItem(engine, d).ok());
  EXPECT_TRUE(s.ActFlags(h) & AF_DONE_NO_BEGAN);  // and taken away again
}

TEST_F(DoneItemFormTest, OkRefusesAndChangesNothing) {
  s.header().setLastArchivedDate(static_cast<DayNumber>(kToday - 2));
  const ActHandle h = Done("Report", kToday, At(9), 45);
  struct Case {
    std::string title;
    DayNumber date;
    const char* problem;
  };
  const Case cases[] = {
      {" \r\n", kToday, done_text::kNoTitle},
      {"Report", static_cast<DayNumber>(kToday - 2), done_text::kDayArchived},
      {"Report", static_cast<DayNumber>(kFirstUserDay - 1), done_text::kDateOutOfRange},
      {"Report", static_cast<DayNumber>(kLastUserDay + 1), done_text::kDateOutOfRange},
  };
  for (const bool existing : {false, true}) {
    for (const Case& c : cases) {
      DoneItemDraft d =
          existing ? DoneItemDraftOf(s, s.ActTask(h)) : NewDoneItemDraft(engine, kToday, nullptr);
      d.title = c.title;
      d.date = c.date;
      const DoneItemOutcome out = SaveDoneItem(engine, d);
      EXPECT_EQ(out.problem, c.problem) << c.title << " " << c.date;
      EXPECT_EQ(out.item, kNoAct);
    }
  }
  EXPECT_EQ(ItemsOn(kToday), 1);
  EXPECT_EQ(s.GetActNameFull(h), "Report");
  EXPECT_TRUE(hearing.heard.empty());
}

TEST_F(DoneItemFormTest, NoteTakesTheNextNoteNumberOnceAndIsLogged) {
  s.header().setNextNoteNumber(41);
  DoneItemDraft d = NewDoneItemDraft(engine, kTomorrow, nullptr);
  d.title = "Call notes";
  EXPECT_EQ(AttachDoneNote(s, d), 42);
  EXPECT_EQ(AttachDoneNote(s, d), 42);  // attached already
  const DoneItemOutcome out = SaveDoneItem(engine, d);
  ASSERT_TRUE(out.ok());
  EXPECT_EQ(s.GetActNoteNumber(out.item), 42);
  EXPECT_TRUE(s.ActFlags(out.item) & AF_DONE_HAS_NOTE);
  EXPECT_EQ(s.header().nextNoteNumber(), 42);

  // An existing item keeps the number it has.
  DoneItemDraft again = DoneItemDraftOf(s, s.ActTask(out.item));
  again.hasNote = false;
  EXPECT_EQ(AttachDoneNote(s, again), 42);
}

}  // namespace
}  // namespace ploven::test
