#include <gtest/gtest.h>

#include "done/done_log_archiver.h"
#include "engine/engine_fixture.h"
#include "engine/past_days.h"
#include "engine/past_days_messages.h"
#include "mock/scripted_engine_ui.h"

namespace ploven::test {
namespace {

namespace t = past_days_text;

class PastDaysTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    engine.SetArchiver(&archiver);
  }
  ActHandle Item(DayNumber date, bool done) {
    Act a;
    a.flags = done ? static_cast<uint32_t>(AF_DONE) : 0u;
    a.duration = 15;
    return s.NewItem(date, a, done ? "done" : "undone");
  }
  PosixFileSystem fs;
  DoneLogArchiver archiver{engine, fs, env.dir.path().string(), DateText{}};
};

TEST_F(PastDaysTest, EarliestUndoneDateSkipsCompletedAndArchivedDays) {
  EXPECT_EQ(EarliestUndoneDate(engine), kNoDate);
  Item(kToday - 9, false);
  Item(kToday - 6, true);
  Item(kToday - 4, false);
  Item(kToday + 2, false);
  EXPECT_EQ(EarliestUndoneDate(engine), kToday - 9);
  s.header().setLastArchivedDate(kToday - 9);
  EXPECT_EQ(EarliestUndoneDate(engine), kToday - 4);
  s.header().setLastArchivedDate(kToday - 4);
  // Only days up to today count.
  EXPECT_EQ(EarliestUndoneDate(engine), kNoDate);
}

TEST_F(PastDaysTest, RollOverArchivesCompletedDaysUpToTheFirstUndoneOne) {
  const ActHandle d1 = Item(kToday - 5, true);
  const ActHandle d2 = Item(kToday - 4, true);
  const ActHandle blocker = Item(kToday - 3, false);
  const ActHandle after = Item(kToday - 2, true);
  RollOverPastDays(engine);
  EXPECT_EQ(s.header().lastArchivedDate(), kToday - 4);
  EXPECT_FALSE(s.IsActValid(d1));
  EXPECT_FALSE(s.IsActValid(d2));
  EXPECT_EQ(s.ExistingTerminal(kToday - 5), nullptr);
  EXPECT_EQ(s.ExistingTerminal(kToday - 4), nullptr);
  EXPECT_TRUE(s.IsActValid(blocker));
  EXPECT_TRUE(s.IsActValid(after));
  EXPECT_NE(s.ExistingTerminal(kToday - 2), nullptr);
  EXPECT_TRUE(s.changed());

  // Once the blocker is done, the rest goes, but never today.
  s.LockAct(blocker).flags |= AF_DONE;
  const ActHandle today = Item(kToday, true);
  RollOverPastDays(engine);
  EXPECT_EQ(s.header().lastArchivedDate(), kToday - 2);
  EXPECT_FALSE(s.IsActValid(after));
  EXPECT_TRUE(s.IsActValid(today));
}

TEST_F(PastDaysTest, RollOverWaitsForOtherWorkAndForAWritableSchedule) {
  const ActHandle h = Item(kToday - 2, true);
  engine.busy().dailyReminderScan = true;
  RollOverPastDays(engine);
  engine.busy().dailyReminderScan = false;
  engine.busy().archiving = true;
  RollOverPastDays(engine);
  engine.busy().archiving = false;
  engine.SetScheduleWritable(false);
  RollOverPastDays(engine);
  engine.SetScheduleWritable(true);
  engine.SetArchiver(nullptr);
  RollOverPastDays(engine);
  EXPECT_TRUE(s.IsActValid(h));
  EXPECT_EQ(s.header().lastArchivedDate(), 0);

  engine.SetArchiver(&archiver);
  engine.busy().alarmBox = true;
  RollOverPastDays(engine);
  EXPECT_TRUE(s.IsActValid(h));
  engine.busy().alarmBox = false;
  RollOverPastDays(engine);
  EXPECT_FALSE(s.IsActValid(h));
  EXPECT_FALSE(engine.busy().archiving);
}

TEST(PastUndoneWarningTest, ConditionsEachKeepTheWarningBack) {
  constexpr DayNumber today = 17144;
  PastUndoneFacts due;
  due.scheduleOpen = due.scheduleWritable = due.mainWindowActive = true;
  due.minutesSinceLastWarning = 5;
  due.today = today;
  due.viewedDate = today;
  due.earliestUndone = today - 1;
  EXPECT_TRUE(PastUndoneWarningDue(due));

  auto with = [&](auto change) {
    PastUndoneFacts f = due;
    change(f);
    return PastUndoneWarningDue(f);
  };
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.shownThisRun = true; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.scheduleOpen = false; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.scheduleWritable = false; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.mainWindowActive = false; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.alarmBoxOpen = true; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.doneWindowOpen = true; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.autoBringForward = true; }));
  EXPECT_FALSE(with([](PastUndoneFacts& f) { f.minutesSinceLastWarning = 4; }));
  EXPECT_FALSE(with([&](PastUndoneFacts& f) { f.viewedDate = today - 1; }));
  EXPECT_TRUE(with([&](PastUndoneFacts& f) { f.viewedDate = today + 3; }));
  EXPECT_FALSE(with([&](PastUndoneFacts& f) { f.earliestUndone = today; }));
  EXPECT_FALSE(with([&](PastUndoneFacts& f) { f.earliestUndone = kNoDate; }));
  // The Daily Reminder (or suppressed alarms) covers the last 14 days, not older ones.
  EXPECT_FALSE(with([&](PastUndoneFacts& f) {
    f.dailyReminderInUse = true;
    f.earliestUndone = today - 14;
  }));
  EXPECT_TRUE(with([&](PastUndoneFacts& f) {
    f.dailyReminderInUse = true;
    f.earliestUndone = today - 15;
  }));
  EXPECT_FALSE(with([&](PastUndoneFacts& f) { f.alarmsSuppressedUntilDate = true; }));
}

TEST_F(PastDaysTest, WarningViewsTheEarliestUndoneDayOnYes) {
  ScriptedEngineUi ui{kToday};
  engine.SetUi(&ui);
  env.ui.Answer(kIdCustom1 + 1);
  EXPECT_FALSE(ShowPastUndoneWarning(engine, kToday - 3));
  EXPECT_TRUE(ui.goneTo.empty());
  env.ui.Answer(kIdCustom1);
  EXPECT_TRUE(ShowPastUndoneWarning(engine, kToday - 3));
  EXPECT_EQ(ui.goneTo, std::vector<DayNumber>{kToday - 3});
  ASSERT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(env.ui.boxes[0].text, t::kPastUndoneWarning);
  EXPECT_EQ(env.ui.boxes[0].caption, t::kPastUndoneCaption);
}

}  // namespace
}  // namespace ploven::test
