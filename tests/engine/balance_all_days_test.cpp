#include "engine/balance_all_days.h"

#include <algorithm>
#include <utility>

#include "engine/balance_fixture.h"
#include "engine/balance_messages.h"
#include "engine/engine_hold.h"

namespace ploven::test {
namespace {

namespace t = balance_text;

TEST_F(BalanceTest, PriorityOrderDecidesAndTheDeadlineOnlyBoundsTheSearch) {
  const ActHandle first = Fluid("first", 180);
  const ActHandle urgent = Fluid("urgent", 120, 0, Day(1));
  // Put them the wrong way round beforehand.
  s.LockAct(first).earliestDate = Day(0);
  ASSERT_EQ(BalanceAllDays(engine, kBalanceNormal), 1);
  EXPECT_EQ(Where(first), (Lines{"+0 8:00 180"}));
  EXPECT_EQ(Where(urgent), (Lines{"+1 8:00 120"}));
  EXPECT_TRUE(ui.conflicts.empty());
  EXPECT_FALSE(engine.balancingAllDays());
  EXPECT_TRUE(engine.conflictWindowEnabled());
  EXPECT_EQ(engine.latestDateUsed(), Day(1));
  EXPECT_EQ(engine.lastBalancingTime(), At(8));
  EXPECT_EQ(ui.highlights.front(), std::make_pair(MenuTitle::kBalance, true));
  EXPECT_EQ(ui.highlights.back(), std::make_pair(MenuTitle::kBalance, false));
  EXPECT_FALSE(ui.progressOpen);
  EXPECT_FALSE(ui.waitCursor);
  EXPECT_EQ(ui.saves, 1);
}

struct StartCase {
  const char* name;
  int earliest;  // days from today, or none
  int deadline;
  const char* expected;
};

class StartDateTest : public BalanceTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartDateTest, SearchStartsWhereTheDatesAllow) {
  const StartCase c = GetParam();
  const ActHandle h = Fluid("item", 60, 0, c.deadline == 99 ? 0 : Day(c.deadline));
  if (c.earliest != 99) s.LockAct(h).earliestDate = Day(c.earliest);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(h), (Lines{c.expected}));
  EXPECT_TRUE(ui.conflicts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Dates, StartDateTest,
    ::testing::Values(StartCase{"PastDeadlineSearchesFromToday", 99, -3, "+0 8:00 60"},
                      StartCase{"EarliestDate", 4, 99, "+4 8:00 60"},
                      StartCase{"DeadlineBeforeStartPullsItBack", 5, 2, "+2 8:00 60"}),
    [](const ::testing::TestParamInfo<StartCase>& c) { return std::string(c.param.name); });

TEST_F(BalanceTest, AnItemThatNeverFitsGetsTheAdviceAndStaysWhereItsSearchBegan) {
  // The horizon counts from the end of the Keep Clear range when that lies later.
  for (const auto& [through, horizon] : {std::pair{0, 270}, std::pair{10, 280}}) {
    engine.settings().keepClearThrough = through == 0 ? kNoDate : Day(through);
    const ActHandle big = Fluid("too big", 300);
    env.ui.boxes.clear();
    EXPECT_EQ(BalanceAllDays(engine, kBalanceNormal), 1);
    EXPECT_TRUE(env.ui.Showed("on any date up to " + Date(horizon) + "."));
    // Nothing was lost, so the double check has nothing to report and the run ends normally.
    EXPECT_FALSE(env.ui.Showed("was not scheduled!"));
    EXPECT_EQ(Where(big), std::vector<std::string>{"+0 8:00 300!"});
    EXPECT_FALSE(engine.balancingAllDays());
    s.DeleteItem(big);
  }
}

TEST_F(BalanceTest, SplittableItemFillsTheShortGapThenTheLongOne) {
  s.header().setLatestTimeOfDay(At(13));
  Fixed("x", Day(1), At(8, 20), 40);
  Fixed("y", Day(1), At(11), 60);
  const ActHandle split = Fluid("split", 90, AF_SPLIT);
  s.LockAct(split).earliestDate = Day(1);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(split), (Lines{"+1 8:00 20", "+1 9:00 70"}));
}

TEST_F(BalanceTest, SequencedItemFollowsTheItemRankedBeforeIt) {
  const ActHandle lead = Fluid("lead", 60);
  const ActHandle follower = Fluid("follower", 60, AF_SEQUENCED);
  const ActHandle free = Fluid("free", 60);
  s.LockAct(lead).earliestDate = Day(1);
  s.LockAct(lead).earliestTime = At(10);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(lead), (Lines{"+1 10:00 60"}));
  EXPECT_EQ(Where(follower), (Lines{"+1 11:00 60"}));
  EXPECT_EQ(Where(free), (Lines{"+0 8:00 60"}));
}

TEST_F(BalanceTest, PrerequisiteLagSetsDateAndTime) {
  for (const int lagDays : {0, 2}) {
    const ActHandle pre = Fixed("prerequisite", Day(1), At(8), 60);
    const ActHandle h = Fluid("after it", 60);
    Act& a = s.LockAct(h);
    a.prereqID = s.GetActID(pre);
    a.prereqDays = static_cast<int16_t>(lagDays);
    a.prereqMinutes = 30;
    BalanceAllDays(engine, kBalanceNormal);
    EXPECT_EQ(Where(h), (Lines{"+" + std::to_string(1 + lagDays) + " 9:30 60"})) << lagDays;
    s.DeleteItem(h);
    s.DeleteItem(pre);
  }
}

TEST_F(BalanceTest, KeepClearDaysAreSkippedExceptByAfterHoursItems) {
  engine.settings().keepClearFrom = Day(0);
  engine.settings().keepClearThrough = Day(1);
  const ActHandle normal = Fluid("normal", 60);
  const ActHandle evening = Fluid("evening", 60, AF_AFTER_HOURS);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(normal), (Lines{"+2 8:00 60"}));
  EXPECT_EQ(Where(evening), (Lines{"+0 11:00 60"}));  // Tuesday is a workday
}

TEST_F(BalanceTest, LightModePutsItemsAtTheEndOfTheDay) {
  Fixed("meeting", Day(0), At(9), 60);
  const ActHandle h = Fluid("item", 60);
  s.header().setMode(1);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(h), (Lines{"+0 10:00 60"}));
}

TEST_F(BalanceTest, StartedItemsStayAndTasksOfOtherItemsAreUntouched) {
  const ActHandle started = Fluid("started", 60);
  s.LockAct(started).flags |= AF_STARTED;
  s.LockAct(started).startTime = At(10);
  engine.RecalcDayTimes(kToday);
  const ActHandle h = Fluid("item", 60);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(started), (Lines{"+0 10:00 60"}));
  EXPECT_EQ(Where(h), (Lines{"+0 8:00 60"}));
}

TEST_F(BalanceTest, ProgressPercentStopsAt99AndTheWindowReopensAtTheHundredthItem) {
  for (int i = 0; i < 150; ++i) Fluid("i" + std::to_string(i), 1);
  BalanceAllDays(engine, kBalanceAfterSplitChange);
  ASSERT_EQ(ui.percents.size(), 150u);
  EXPECT_EQ(ui.percents[0], "  0%");
  EXPECT_EQ(ui.percents[99], " 66%");
  EXPECT_EQ(ui.percents[148], " 99%");
  EXPECT_EQ(ui.percents[149], "99%");
  EXPECT_EQ(ui.progressOpened, 2);
  EXPECT_EQ(ui.progressClosed, 2);
  EXPECT_NE(std::find(ui.progressTexts.begin(), ui.progressTexts.end(),
                      "Balancing All Days: flexible item A7: i6"),
            ui.progressTexts.end());
}

TEST_F(BalanceTest, RefusesWhileAnotherOperationRunsOrWithoutAScreen) {
  const ActHandle h = Fluid("item", 60);
  s.LockAct(h).earliestDate = Day(3);
  bool EngineBusy::*flags[] = {&EngineBusy::balanceDay, &EngineBusy::dailyReminderScan,
                               &EngineBusy::deleteConfirmation};
  for (auto flag : flags) {
    engine.busy().*flag = true;
    EXPECT_EQ(BalanceAllDays(engine, kBalanceNormal), 0);
    engine.busy().*flag = false;
  }
  for (const EngineHoldReason reason :
       {EngineHoldReason::kItemDialog, EngineHoldReason::kImporting}) {
    const EngineHold hold(engine, reason);
    EXPECT_EQ(BalanceAllDays(engine, kBalanceNormal), 0);
  }
  engine.SetBalancingAllDays(true);
  EXPECT_EQ(BalanceAllDays(engine, kBalanceNormal), 0);
  engine.SetBalancingAllDays(false);
  engine.SetUi(nullptr);
  EXPECT_EQ(BalanceAllDays(engine, kBalanceNormal), 0);
  EXPECT_EQ(Where(h), (Lines{"+0 8:00 60"}));
  EXPECT_EQ(ui.saves, 0);
}

TEST_F(BalanceTest, HoldsLastAsLongAsTheirOwnersAndNest) {
  {
    const EngineHold dialog(engine, EngineHoldReason::kItemDialog);
    {
      const EngineHold again(engine, EngineHoldReason::kItemDialog);
      const EngineHold import(engine, EngineHoldReason::kImporting);
      EXPECT_TRUE(engine.importing());
    }
    EXPECT_TRUE(engine.itemDialogOpen());
    EXPECT_FALSE(engine.importing());
  }
  EXPECT_FALSE(engine.itemDialogOpen());
  const ActHandle h = Fluid("item", 60);
  s.LockAct(h).earliestDate = Day(3);
  EXPECT_EQ(BalanceAllDays(engine, kBalanceNormal), 1);
}

// The run a change of Splittable starts belongs to the item being applied, inside the dialog
// or an import: their holds do not keep it out.
TEST_F(BalanceTest, TheRunASplittableChangeStartsPassesTheHoldsOfThatChange) {
  const ActHandle h = Fluid("item", 60);
  s.LockAct(h).earliestDate = Day(3);
  for (const EngineHoldReason reason :
       {EngineHoldReason::kItemDialog, EngineHoldReason::kImporting}) {
    const EngineHold hold(engine, reason);
    EXPECT_EQ(BalanceAllDays(engine, kBalanceAfterSplitChange), 1);
  }
  engine.busy().balanceDay = true;
  EXPECT_EQ(BalanceAllDays(engine, kBalanceAfterSplitChange), 0);
  engine.busy().balanceDay = false;
}

TEST_F(BalanceTest, BalanceDayPassStopsAfterThreeQuietDatesAndRestoresTheView) {
  engine.settings().balanceLightensLoad = true;
  ui.viewed = Day(20);
  ui.view = ViewKind::kDay;
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(ui.viewedDates,
            (std::vector<DayNumber>{Day(0), Day(1), Day(2), Day(3), Day(4), Day(5), Day(6), Day(7),
                                    Day(8), Day(9), Day(10), Day(20)}));
  const auto label = std::find(ui.progressTexts.begin(), ui.progressTexts.end(),
                               "Balancing All Days: Balancing today");
  ASSERT_NE(label, ui.progressTexts.end());
  EXPECT_EQ(*(label + 1), "Balancing All Days: Balancing Sunday");
  EXPECT_EQ(*(label + 7), "Balancing All Days: Balancing Saturday");
  EXPECT_EQ(*(label + 8), "Balancing All Days: " + Date(8));
  EXPECT_EQ(*(label + 11), "Balancing All Days: Balancing current day");
  EXPECT_EQ(ui.pausedMs, 8 * 30 + 3 * 20);
  EXPECT_EQ(ui.viewRefreshes, 1);

  ui.viewedDates.clear();
  BalanceAllDays(engine, kBalanceAfterSplitChange);
  EXPECT_TRUE(ui.viewedDates.empty());
}

TEST_F(BalanceTest, RescheduleItemMovesOneItemToItsFirstFreeDate) {
  const ActHandle h = Fluid("item", 60);
  TaskNode* task = s.ActTask(h);
  s.UnscheduleTask(task);
  engine.RecalcDayTimes(kToday);
  engine.ScheduleTask(task, Day(5), PlacementHint{});
  RescheduleItem(engine, h);
  EXPECT_EQ(Where(h), (Lines{"+0 8:00 60"}));

  s.LockAct(h).flags |= AF_STARTED;
  s.LockAct(h).earliestDate = Day(2);
  RescheduleItem(engine, h);
  EXPECT_EQ(Where(h), (Lines{"+0 8:00 60"}));
}

// ---- The conflict window ----------------------------------------------------------------

class ConflictTest : public BalanceTest {
 protected:
  void SetUp() override {
    BalanceTest::SetUp();
    Fixed("all morning", Day(0), At(8), 240);
    item = Fluid("late", 60, 0, Day(0));
  }
  ActHandle item = kNoAct;
};

TEST_F(ConflictTest, WindowShowsTheItemAndTheNextAllowedDate) {
  s.LockAct(item).weekdays = 1 << 5;  // Fridays only
  ui.AnswerConflict(ConflictButton::kSkipItem);
  BalanceAllDays(engine, kBalanceNormal);
  ASSERT_EQ(ui.conflicts.size(), 1u);
  EXPECT_EQ(ui.conflicts[0].dateField, Date(3));
  EXPECT_EQ(ui.conflicts[0].item, item);
  EXPECT_NE(
      ui.conflicts[0].text.find("titled:\r\r\"late\".\r\rCurrent deadline: Tuesday, " + Date(0)),
      std::string::npos);
  EXPECT_EQ(Where(item), (Lines{"+0 12:00 60!"}));
  EXPECT_TRUE(engine.conflictWindowEnabled());
}

TEST_F(ConflictTest, ChangeDeadlineWithin31DaysAsksNothing) {
  ui.AnswerConflict(ConflictButton::kChangeDeadline, Date(31));
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(Where(item), (Lines{"+31 8:00 60"}));
  EXPECT_EQ(s.ReadAct(item).deadlineDate, Day(31));
  EXPECT_FALSE(env.ui.Showed("over a month"));
}

TEST_F(ConflictTest, ChangeDeadlineBy32DaysAsksFirst) {
  env.ui.Answer(kIdNo);
  ui.AnswerConflict(ConflictButton::kChangeDeadline, Date(32));
  env.ui.Answer(kIdYes);
  ui.AnswerConflict(ConflictButton::kChangeDeadline, Date(32));
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(ui.conflicts.size(), 2u);
  EXPECT_EQ(ui.conflicts[1].dateField, Date(32));  // No kept what was typed
  EXPECT_TRUE(
      env.ui.Showed("Are you sure you want to move the deadline by over a month for "
                    "item \"late\", from " +
                    Date(0) + " to " + Date(32) + "?"));
  EXPECT_EQ(Where(item), (Lines{"+32 8:00 60"}));
}

TEST_F(ConflictTest, BlankFieldRemovesTheDeadlineAndPlacesTheItemOnTheDate) {
  ui.AnswerConflict(ConflictButton::kChangeDeadline, "  ");
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(s.ReadAct(item).deadlineDate, 0);
  EXPECT_EQ(Where(item), (Lines{"+0 12:00 60!"}));
}

TEST_F(ConflictTest, RefusedDatesResetTheFieldAndShowTheWindowAgain) {
  s.LockAct(item).earliestDate = Day(2);  // the deadline pulls the start back to today
  ui.AnswerConflict(ConflictButton::kChangeDeadline, "no such date");
  ui.AnswerConflict(ConflictButton::kChangeDeadline, Date(1));   // before the earliest date
  ui.AnswerConflict(ConflictButton::kChangeDeadline, Date(-1));  // in the past
  ui.AnswerConflict(ConflictButton::kSkipItem);
  BalanceAllDays(engine, kBalanceNormal);
  ASSERT_EQ(ui.conflicts.size(), 4u);
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(ui.conflicts[i].dateField, Date(1)) << i;
  EXPECT_TRUE(env.ui.Showed("earliest date"));
  EXPECT_EQ(s.ReadAct(item).deadlineDate, Day(0));
  EXPECT_EQ(Where(item), (Lines{"+0 12:00 60!"}));
}

TEST_F(ConflictTest, SkipRestAndCloseSilenceTheWindowUntilTheNextRun) {
  for (const ConflictButton button : {ConflictButton::kSkipRestOfItems, ConflictButton::kClose}) {
    const ActHandle second = Fluid("second", 30, 0, Day(0));
    ui.conflicts.clear();
    ui.AnswerConflict(button);
    BalanceAllDays(engine, kBalanceNormal);
    EXPECT_EQ(ui.conflicts.size(), 1u);
    EXPECT_EQ(Where(second), (Lines{"+0 13:00 30!"}));
    EXPECT_FALSE(engine.conflictWindowEnabled());
    // Outside a run the window stays silent.
    RescheduleItem(engine, second);
    EXPECT_EQ(ui.conflicts.size(), 1u);
    // The next run asks again.
    ui.AnswerConflict(ConflictButton::kSkipItem);
    ui.AnswerConflict(ConflictButton::kSkipItem);
    BalanceAllDays(engine, kBalanceNormal);
    EXPECT_EQ(ui.conflicts.size(), 3u);
    s.DeleteItem(second);
  }
}

TEST_F(ConflictTest, EditDoneAndDeleteButtons) {
  // Cancelled edit: the window stays; a confirmed one acts as Skip.
  ui.onEdit = [n = 0](ActHandle) mutable {
    return ++n == 1 ? EditOutcome::kCancelled : EditOutcome::kConfirmed;
  };
  ui.AnswerConflict(ConflictButton::kEditItem);
  ui.AnswerConflict(ConflictButton::kEditItem);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(ui.conflicts.size(), 2u);
  EXPECT_EQ(Where(item), (Lines{"+0 12:00 60!"}));

  ui.AnswerConflict(ConflictButton::kDoneItem);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_TRUE(s.ActFlags(item) & AF_DONE);
  EXPECT_EQ(Where(item).size(), 1u);

  const ActHandle doomed = Fluid("doomed", 60, 0, Day(0));
  ui.onDelete = [&](ActHandle h) {
    s.DeleteItem(h);
    return true;
  };
  ui.AnswerConflict(ConflictButton::kDeleteItem);
  BalanceAllDays(engine, kBalanceNormal);
  EXPECT_EQ(ui.deleteAsked, (std::vector<ActHandle>{doomed}));
  EXPECT_TRUE(Where(doomed).empty());
  EXPECT_EQ(s.priorityIndex().EntryOf(doomed), kNoPriorityEntry);
  EXPECT_EQ(ui.goneTo, (std::vector<DayNumber>{Day(0)}));
}

}  // namespace
}  // namespace ploven::test
