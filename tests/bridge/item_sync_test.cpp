#include "bridge/item_sync.h"

#include "bridge/bridge_messages.h"
#include "bridge/fake_link.h"
#include "bridge/record_fixture.h"

namespace ploven::test {
namespace {

class ItemSyncTest : public RecordTest {
 protected:
  void Switch(SyncSwitches next) { senders.SetSwitches(next); }

  FakeLink link;
  BridgeSenders senders{env.msg, link, SyncSwitches{}};
};

TEST_F(ItemSyncTest, NewItemTravelsWithItsNumberAndDay) {
  const ActHandle h = Item("Read", AF_FLEXIBLE, kNoTime, 30);
  EXPECT_EQ(SendNewItemToCalendar(senders, s, {h, kToday + 3, kNoTime}, context),
            SendResult::kDelivered);
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.frames[0].code, BridgeCode::kTask);
  EXPECT_EQ(link.frames[0].record, TaskFormRecord(s, {h, kToday + 3, kNoTime}, context));
  EXPECT_EQ(link.frames[0].itemID, s.GetActID(h));
  EXPECT_EQ(link.frames[0].occurrenceDate, kToday + 3);
}

TEST_F(ItemSyncTest, TasksOffSendsNoMessageForAFlexibleItem) {
  SyncSwitches off;
  off.tasksToCalendar = false;
  Switch(off);
  const ActHandle h = Item("Read", AF_FLEXIBLE, kNoTime, 30);
  EXPECT_EQ(SendNewItemToCalendar(senders, s, OccurrenceOf(s, h), context), SendResult::kSkipped);
  EXPECT_TRUE(link.frames.empty());
  EXPECT_TRUE(link.starts.empty());
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(ItemSyncTest, AFixedItemWithoutStartTravelsNotAsNewAndIsToldAsChanged) {
  const ActHandle h = Item("Lunch", AF_FIXED, kNoTime, 30);
  EXPECT_EQ(SendNewItemToCalendar(senders, s, OccurrenceOf(s, h), context), SendResult::kSkipped);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(SendChangedItemToCalendar(senders, s, "Lunch", OccurrenceOf(s, h), context),
            SendResult::kFailed);
  EXPECT_EQ(env.ui.Texts(), std::vector<std::string>{kChangeNoBuffer});
  EXPECT_EQ(SendDeletedItemToCalendar(senders, s, h, kToday), SendResult::kSkipped);
  EXPECT_TRUE(link.frames.empty());
}

TEST_F(ItemSyncTest, SyncOffMakesNoRecordAndTellsNothing) {
  Switch({false, false, true, false});
  const ActHandle h = Item("Lunch", AF_FIXED, kNoTime, 30);
  EXPECT_EQ(SendChangedItemToCalendar(senders, s, "Lunch", OccurrenceOf(s, h), context),
            SendResult::kSkipped);
  EXPECT_EQ(SendDoneItemToCalendar(senders, s, h, kToday, true), SendResult::kSkipped);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_TRUE(link.frames.empty());
}

TEST_F(ItemSyncTest, DeleteAndDoneNameTheOccurrence) {
  const ActHandle h = Item("Call", AF_FIXED, ClockTime(9, 0), 30);
  EXPECT_EQ(SendDeletedItemToCalendar(senders, s, h, kToday + 7), SendResult::kDelivered);
  EXPECT_EQ(SendDoneItemToCalendar(senders, s, h, kToday, true), SendResult::kDelivered);
  ASSERT_EQ(link.frames.size(), 2u);
  EXPECT_EQ(link.frames[0], (BridgeFrame{BridgeCode::kAppointment, "Call", kActionDelete,
                                         s.GetActID(h), static_cast<DayNumber>(kToday + 7), {}}));
  EXPECT_EQ(link.frames[1], (BridgeFrame{BridgeCode::kAppointment, "Done\tCall\t", kActionDone,
                                         s.GetActID(h), kToday, {}}));
}

}  // namespace
}  // namespace ploven::test
