#include "edit/item_kind.h"

#include <gtest/gtest.h>

#include "edit/item_edit.h"
#include "recur/expansion_fixture.h"
#include "store/priority_index.h"

namespace ploven::test {
namespace {

class ItemChangeTest : public RecurTest {
 protected:
  ItemEditSession Open(int command, TaskNode* task = nullptr) {
    ItemEditRequest request;
    request.command = command;
    request.task = task;
    request.date = kToday;
    std::optional<ItemEditSession> ses = OpenItemEdit(engine, &r, request);
    EXPECT_TRUE(ses.has_value());
    return ses ? *ses : ItemEditSession{};
  }
  ActHandle Make(int command, const std::string& title, TimeOfDay start = kNoTime) {
    ItemEditSession ses = Open(command);
    ses.draft.title = title;
    ses.draft.act.startTime = start;
    ses.draft.Set(AF_ALARM, start != kNoTime);  // no alarm question
    const ConfirmResult result = ConfirmItemEdit(engine, &r, ses, hooks);
    EXPECT_EQ(result.outcome, ConfirmOutcome::kApplied);
    return result.item;
  }
  // Modify Item on `h`, the draft changed by `change`, then OK.
  void Modify(ActHandle h, const std::function<void(ItemDraft&)>& change) {
    ItemEditSession ses = Open(kCmdModifyItem, s.ActTask(h));
    change(ses.draft);
    ASSERT_EQ(ConfirmItemEdit(engine, &r, ses, hooks).outcome, ConfirmOutcome::kApplied);
  }
  ItemEditHooks hooks;
};

struct KindCase {
  const char* name;
  int made;           // the New command the item is made with
  uint16_t kind;      // the kind it is changed to
  uint32_t flagsOn;   // flags it then has
  uint32_t flagsOff;  // and has not
  Duration duration;
};

class ItemKindTest : public ItemChangeTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(ItemKindTest, AChangedKindTakesWhatItsNewCommandGives) {
  const KindCase& c = GetParam();
  const ActHandle h = Make(c.made, "Thing", c.made == kCmdNewAppointment ? At(10) : kNoTime);
  ASSERT_NE(h, kNoAct);
  if (c.made == kCmdNewWorkHolidayMemo) {
    ASSERT_TRUE(s.ActFlags(h) & AF_WORK_HOLIDAY);
  }
  Modify(h, [&](ItemDraft& d) { ChangeItemKind(d, c.kind); });
  const Act& a = s.ReadAct(h);
  EXPECT_EQ(a.typeFlags, c.kind);
  EXPECT_EQ(a.flags & c.flagsOn, c.flagsOn);
  EXPECT_EQ(a.flags & c.flagsOff, 0u);
  EXPECT_EQ(a.duration, c.duration);
  // Only flexible items stand in the priority index.
  EXPECT_EQ(s.priorityIndex().EntryOf(h) != kNoPriorityEntry, (a.flags & AF_FLEXIBLE) != 0);
  EXPECT_NE(s.GetActDate(h), kNoDate);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ItemKindTest,
    ::testing::Values(
        KindCase{"ItemToMemo", kCmdNewItem, ACT_MEMO, AF_HOPE, AF_FLEXIBLE | AF_FIXED, 0},
        KindCase{"MemoToItem", kCmdNewMemo, ACT_ITEM, 0, AF_HOPE, 30},
        KindCase{"ItemToAppointment", kCmdNewItem, ACT_APPOINTMENT, AF_FIXED, AF_FLEXIBLE, 30},
        KindCase{"AppointmentToItem", kCmdNewAppointment, ACT_ITEM, 0, AF_FIXED | AF_HOPE, 30},
        KindCase{"ItemToWorkHoliday", kCmdNewItem, ACT_WORK_HOLIDAY, AF_HOPE | AF_WORK_HOLIDAY,
                 AF_FLEXIBLE, 0},
        KindCase{"WorkHolidayToItem", kCmdNewWorkHolidayMemo, ACT_ITEM, 0,
                 AF_HOPE | AF_CLONE_ON_DONE, 30},
        KindCase{"ItemToMultiDay", kCmdNewItem, ACT_MULTIDAY, 0, AF_FLEXIBLE | AF_SPLIT, 30}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ItemChangeTest, AMultiDayEventEndsOnItsFirstDayWhenItHadNoDeadline) {
  const ActHandle h = Make(kCmdNewItem, "Fair");
  Modify(h, [](ItemDraft& d) {
    d.Set(AF_FLEXIBLE, false);
    d.date = kToday + 2;
    d.act.deadlineDate = kNoDate;
    ChangeItemKind(d, ACT_MULTIDAY);
  });
  EXPECT_EQ(s.ReadAct(h).deadlineDate, kToday + 2);
  EXPECT_EQ(s.GetActDate(h), kToday + 2);
}

TEST_F(ItemChangeTest, OnlyOneItemKindIsChangeable) {
  for (uint16_t kind : {ACT_ITEM, ACT_APPOINTMENT, ACT_MULTIDAY, ACT_MEMO, ACT_BIRTHDAY,
                        ACT_ANNIVERSARY, ACT_WORK_HOLIDAY})
    EXPECT_TRUE(IsChangeableKind(kind)) << kind;
  for (uint16_t kind : {uint16_t{0}, uint16_t{ACT_PROJECT}, uint16_t{ACT_ITEM | ACT_MEMO}})
    EXPECT_FALSE(IsChangeableKind(kind)) << kind;
}

// The alarm dialog's bits and Sequenced are the dialog's to set and clear.
TEST_F(ItemChangeTest, AlarmPointAlsoDialRemindersAndSequencedReachTheItem) {
  const ActHandle first = Make(kCmdNewItem, "First");
  const ActHandle h = Make(kCmdNewItem, "Second");
  constexpr uint32_t kBits =
      AF_ALARM | AF_ALARM_AT_END | AF_ALSO_DIAL | AF_REMINDER_DAYS | AF_SEQUENCED;
  Modify(h, [](ItemDraft& d) {
    d.Set(kBits, true);
    d.act.reminderDays = 3;
  });
  EXPECT_EQ(s.ActFlags(h) & kBits, kBits);
  EXPECT_EQ(s.priorityIndex().ItemRankedBefore(h), first);
  Modify(h, [](ItemDraft& d) { d.Set(kBits, false); });
  EXPECT_EQ(s.ActFlags(h) & kBits, 0u);
}

TEST_F(ItemChangeTest, AnItemWithoutATierJoinsTheFirstTierAtItsEnd) {
  const ActHandle first = Make(kCmdNewItem, "First");
  const ActHandle set = Fixed("Set", kToday, At(10), 30);
  ASSERT_EQ(s.ReadAct(set).tier, 0);
  Modify(set, [](ItemDraft& d) {
    d.Set(AF_FIXED, false);
    d.Set(AF_FLEXIBLE, true);
  });
  EXPECT_EQ(s.ReadAct(set).tier, 'A');
  EXPECT_EQ(s.priorityIndex().ItemRankedBefore(set), first);
}

}  // namespace
}  // namespace ploven::test
