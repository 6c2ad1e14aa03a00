#include <gtest/gtest.h>

#include <algorithm>

#include "edit/edit_messages.h"
#include "edit/item_edit.h"
#include "edit/item_entry.h"
#include "edit/sample_schedule.h"
#include "file/item_line.h"
#include "recur/expansion_fixture.h"
#include "store/priority_index.h"

namespace ploven::test {
namespace {

namespace t = edit_text;

constexpr DayNumber kDay = TestEnv::kToday;
TimeOfDay Clock(int hour, int minute) { return static_cast<TimeOfDay>(hour * 60 + minute + 1); }

class ItemEntryTest : public RecurTest {
 protected:
  // The days the item has a task on, and the longest of those tasks.
  struct Spread {
    int days = 0;
    int longest = 0;
  };
  Spread SpreadOf(ActHandle h) {
    Spread out;
    for (const auto& [date, day] : s.terminals()) {
      bool on = false;
      for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
        if (task->act != h) continue;
        on = true;
        out.longest = std::max<int>(out.longest, task->length);
      }
      out.days += on ? 1 : 0;
    }
    return out;
  }
  int Range() const { return engine.DayBoundsLatest() - engine.DayBoundsEarliest(); }
};

struct LineCase {
  const char* name;
  ItemLine line;
  uint32_t flags;
  uint16_t kind;
  bool prioritised;
};

class ItemLineTest : public ItemEntryTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ItemLineTest, MakesItsKindWithoutAsking) {
  // An appointment the pasted one overlaps: Paste and the imports ask nothing about it.
  Fixed("Meeting", kToday + 1, At(10), 60);
  const LineCase& c = GetParam();
  const ActHandle h = EnterItemLine(engine, &r, c.line, kToday);
  ASSERT_NE(h, kNoAct);
  EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.boxes.front().text;
  EXPECT_EQ(s.ActFlags(h) & (AF_FIXED | AF_HOPE | AF_FLEXIBLE), c.flags);
  EXPECT_EQ(s.ActTypeFlags(h), c.kind);
  EXPECT_EQ(s.priorityIndex().EntryOf(h) != kNoPriorityEntry, c.prioritised);
  EXPECT_EQ(s.GetActDate(h), c.line.date.value_or(kToday));
  EXPECT_EQ(s.GetActTitle(h), c.line.title);
  EXPECT_TRUE(s.ActFlags(h) & AF_FROM_OUTSIDE);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ItemLineTest,
    ::testing::Values(
        LineCase{"Appointment", {kDay + 1, Clock(10, 15), false, 30, "Call"}, AF_FIXED,
                 ACT_APPOINTMENT, false},
        LineCase{"Memo", {kDay + 2, std::nullopt, true, std::nullopt, "Bins"}, AF_HOPE,
                 ACT_MEMO, false},
        LineCase{"Float", {std::nullopt, std::nullopt, false, 45, "Notes"}, AF_FLEXIBLE,
                 ACT_ITEM, true}),
    [](const ::testing::TestParamInfo<LineCase>& row) { return std::string(row.param.name); });

TEST_F(ItemEntryTest, WhatTheRequestLeavesOutComesFromThePreferences) {
  Act& prefs = s.itemDefaults();
  prefs.duration = 50;
  prefs.tier = 'C';
  prefs.weekdays = 0x3E;
  NewItemRequest r1;
  r1.title = "Plan";
  r1.flexible = true;
  const ActHandle planned = EnterNewItem(engine, &r, r1);
  ASSERT_NE(planned, kNoAct);
  EXPECT_EQ(s.ReadAct(planned).duration, 50);
  EXPECT_EQ(s.GetActTier(planned), 'C');
  EXPECT_EQ(s.ReadAct(planned).weekdays, 0x3E);

  // What the request says wins, the kind included.
  r1.duration = 20;
  r1.tier = 'A';
  r1.flexible = false;
  const ActHandle set = EnterNewItem(engine, &r, r1);
  ASSERT_NE(set, kNoAct);
  EXPECT_EQ(s.ReadAct(set).duration, 20);
  EXPECT_FALSE(s.ActFlags(set) & AF_FLEXIBLE);
  EXPECT_EQ(s.priorityIndex().EntryOf(set), kNoPriorityEntry);
}

TEST_F(ItemEntryTest, YesToTheAlarmOfferMakesTheItemWithItsAlarm) {
  NewItemRequest request;
  request.title = "Dentist";
  request.fixed = true;
  request.start = At(14);
  env.ui.Answer(kIdYes);
  const ActHandle h = EnterNewItem(engine, &r, request);
  ASSERT_NE(h, kNoAct);
  EXPECT_TRUE(s.ActFlags(h) & AF_ALARM);
  EXPECT_EQ(s.ReadAct(h).alarmMinutes, kDefaultAlarmMinutes);
  const auto texts = env.ui.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(t::kSetStartAlarmQuestion)), 1);
}

// Balance All Days needs a screen to run on (and runs only when nothing else is in
// progress); a new splittable item is still spread over days without it.
TEST_F(ItemEntryTest, ASplittableItemIsPlannedWhenBalanceAllDaysCannotRun) {
  ASSERT_EQ(engine.ui(), nullptr);
  ItemEditRequest open;
  open.command = kCmdNewItem;
  open.date = kToday;
  std::optional<ItemEditSession> ses = OpenItemEdit(engine, &r, open);
  ASSERT_TRUE(ses.has_value());
  ses->draft.title = "Read the manual";
  ses->draft.Set(AF_FLEXIBLE | AF_SPLIT, true);
  ses->draft.act.duration = static_cast<Duration>(Range() + 120);
  const ConfirmResult made = ConfirmItemEdit(engine, &r, *ses, ItemEditHooks{});
  ASSERT_EQ(made.outcome, ConfirmOutcome::kApplied);
  EXPECT_TRUE(env.ui.Showed(t::kSplitChange));
  const Spread spread = SpreadOf(made.item);
  EXPECT_GE(spread.days, 2);
  EXPECT_LE(spread.longest, Range());

  // Where nobody pressed OK it is planned the same, without the announcement.
  env.ui.boxes.clear();
  NewItemRequest quiet;
  quiet.title = "Read the other manual";
  quiet.flexible = quiet.split = true;
  quiet.duration = static_cast<Duration>(Range() + 120);
  quiet.interactive = false;
  const ActHandle h = EnterNewItem(engine, &r, quiet);
  ASSERT_NE(h, kNoAct);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_GE(SpreadOf(h).days, 2);
}

// OK runs the Duration rule the field ran when it was left: answered once, asked once.
TEST_F(ItemEntryTest, TheDurationQuestionIsAnsweredOnce) {
  ItemEditRequest open;
  open.command = kCmdNewItem;
  std::optional<ItemEditSession> ses = OpenItemEdit(engine, &r, open);
  ASSERT_TRUE(ses.has_value());
  ses->draft.title = "Move house";
  ses->draft.Set(AF_FLEXIBLE, false);
  ses->draft.act.duration = static_cast<Duration>(Range() + 60);
  env.ui.Answer(kIdCustom1 + 1);  // Reduce Duration instead
  ASSERT_EQ(DurationLeft(*ses, engine, env.msg), DurationOutcome::kReduced);
  const ConfirmResult made = ConfirmItemEdit(engine, &r, *ses, ItemEditHooks{});
  ASSERT_EQ(made.outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(s.ReadAct(made.item).duration, Range());
  EXPECT_FALSE(s.ActFlags(made.item) & AF_SPLIT);
  int asked = 0;
  for (const BoxRequest& box : env.ui.boxes) asked += box.caption == t::kAutoSplitCaption;
  EXPECT_EQ(asked, 1);
}

TEST_F(ItemEntryTest, TheSampleScheduleIsAWeekOfEveryKindMadeWithoutQuestions) {
  BuildSampleSchedule(engine, &r);
  EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.boxes.front().text;
  int items = 0, fixed = 0, memos = 0, fluid = 0, split = 0;
  for (const auto& [key, node] : s.actChain()) {
    ++items;
    EXPECT_EQ(s.GetActTitle(node.act).rfind("[Sample] ", 0), 0u) << s.GetActTitle(node.act);
    const uint32_t flags = s.ActFlags(node.act);
    fixed += (flags & AF_FIXED) != 0;
    memos += (flags & AF_HOPE) != 0;
    fluid += (flags & AF_FLEXIBLE) != 0;
    split += (flags & AF_SPLIT) != 0;
    EXPECT_NE(s.GetActDate(node.act), kNoDate) << s.GetActTitle(node.act);
  }
  EXPECT_EQ(items, 17);
  EXPECT_EQ(fixed, 7);
  EXPECT_EQ(memos, 2);
  EXPECT_EQ(fluid, 8);
  EXPECT_EQ(split, 1);
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test
