#include "bridge/bridge_senders.h"

#include <gtest/gtest.h>

#include "bridge/bridge_messages.h"
#include "bridge/fake_link.h"
#include "mock/test_env.h"

namespace ploven::test {
namespace {

class SenderTest : public ::testing::Test {
 protected:
  const BridgeRecord kTaskRecord{BridgeCode::kTask, "Read\t...\n"};
  const BridgeRecord kAppointmentRecord{BridgeCode::kAppointment, "Call\t...\n"};
  static constexpr ItemRef kRef{42, TestEnv::kToday};

  TestEnv env;
  FakeLink link;
  SyncSwitches switches;
  BridgeSenders senders{env.msg, link, switches};
};

TEST_F(SenderTest, NewItemGoesWithItsNumberDateAndSaveAction) {
  EXPECT_EQ(senders.SendNewItem(kTaskRecord, kRef), SendResult::kDelivered);
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.frames[0],
            (BridgeFrame{BridgeCode::kTask, "Read\t...\n", kActionSave, 42, TestEnv::kToday, {}}));
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(SenderTest, EachKindOfNewItemHasItsOwnSwitch) {
  switches.tasksToCalendar = false;
  senders.SetSwitches(switches);
  EXPECT_EQ(senders.SendNewItem(kTaskRecord, kRef), SendResult::kSkipped);
  EXPECT_EQ(senders.SendNewItem(kAppointmentRecord, kRef), SendResult::kDelivered);
  switches = {};
  switches.appointmentsToCalendar = false;
  senders.SetSwitches(switches);
  EXPECT_EQ(senders.SendNewItem(kAppointmentRecord, kRef), SendResult::kSkipped);
  EXPECT_EQ(senders.SendNewItem(kTaskRecord, kRef), SendResult::kDelivered);
  ASSERT_EQ(link.frames.size(), 2u);
  EXPECT_EQ(link.frames[0].code, BridgeCode::kAppointment);
  EXPECT_EQ(link.frames[1].code, BridgeCode::kTask);
  EXPECT_TRUE(link.starts.empty());
}

TEST_F(SenderTest, SyncOffSendsNothingButTheIdEcho) {
  switches.appointmentsToCalendar = false;
  switches.tasksToCalendar = false;
  senders.SetSwitches(switches);
  EXPECT_EQ(senders.SendChangedItem(kTaskRecord, kRef), SendResult::kSkipped);
  EXPECT_EQ(senders.SendDeletedItem(kTaskRecord, kRef), SendResult::kSkipped);
  EXPECT_EQ(senders.SendDoneItem(kTaskRecord, kRef), SendResult::kSkipped);
  EXPECT_TRUE(link.frames.empty());
  EXPECT_EQ(senders.SendIdEcho(IdEchoRecord("Lunch", 9), kRef, "k1"), SendResult::kDelivered);
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.frames[0].code, BridgeCode::kIdEcho);
  EXPECT_EQ(link.frames[0].action, kActionSave);
  EXPECT_EQ(link.frames[0].key, "k1");
}

TEST_F(SenderTest, AnotherScheduleSendsNothingAndTheNewItemSenderLogsWhy) {
  switches.thisScheduleSyncs = false;
  switches.extremeLogging = true;
  senders.SetSwitches(switches);
  EXPECT_EQ(senders.SendNewItem(kTaskRecord, kRef), SendResult::kSkipped);
  EXPECT_EQ(senders.SendDoneItem(kTaskRecord, kRef), SendResult::kSkipped);
  EXPECT_TRUE(link.frames.empty());
  EXPECT_TRUE(env.Logged("not the one set to sync"));
}

struct ActionCase {
  const char* name;
  SendResult (BridgeSenders::*send)(const BridgeRecord&, ItemRef);
  const char* action;
  int startWait;
  const char* noCompanion;
  const char* timedOut;
  const char* retrySucceeded;
  const char* retryFailed;
};

class EachSender : public SenderTest, public ::testing::WithParamInterface<ActionCase> {
 protected:
  SendResult Send() { return (senders.*GetParam().send)(kTaskRecord, kRef); }
};

TEST_P(EachSender, SendsItsAction) {
  EXPECT_EQ(Send(), SendResult::kDelivered);
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.frames[0].action, GetParam().action);
}

TEST_P(EachSender, StartsACompanionThatIsNotRunning) {
  link.running = false;
  EXPECT_EQ(Send(), SendResult::kDelivered);
  EXPECT_EQ(link.starts, std::vector<int>{GetParam().startWait});
  EXPECT_EQ(link.frames.size(), 1u);
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_P(EachSender, TellsWhenTheCompanionCannotBeStarted) {
  link.running = false;
  link.startable = false;
  EXPECT_EQ(Send(), SendResult::kFailed);
  EXPECT_TRUE(link.frames.empty());
  ASSERT_EQ(env.ui.boxes.size(), 2u);
  const std::string missing = env.ui.Texts()[0];
  EXPECT_NE(
      missing.find("cannot find the Ploven calendar plug-in file (/opt/ploven/ploven-calendar)"),
      std::string::npos);
  EXPECT_NE(missing.find(std::string("[Condition: ") + GetParam().name + ", PlovenCalendar"),
            std::string::npos);
  EXPECT_EQ(env.ui.Texts()[1], GetParam().noCompanion);
}

TEST_P(EachSender, TellsWhenTheStartedCompanionNeverComesUp) {
  link.running = false;
  link.comesUp = false;
  EXPECT_EQ(Send(), SendResult::kFailed);
  EXPECT_TRUE(link.frames.empty());
  EXPECT_EQ(env.ui.Texts(), std::vector<std::string>{GetParam().noCompanion});
}

TEST_P(EachSender, TellsWhenTheRecordTimesOut) {
  link.results = {LinkResult::kRecordFailed};
  EXPECT_EQ(Send(), SendResult::kFailed);
  EXPECT_EQ(link.frames.size(), 1u);
  ASSERT_FALSE(env.ui.Texts().empty());
  EXPECT_EQ(env.ui.Texts()[0], GetParam().timedOut);
  EXPECT_EQ(link.closes, 0);
}

TEST_P(EachSender, RestartsAHungCompanionAndTellsTheOutcome) {
  link.results = {LinkResult::kActionFailed, LinkResult::kDelivered};
  EXPECT_EQ(Send(), SendResult::kDelivered);
  EXPECT_EQ(link.closes, 1);
  EXPECT_EQ(link.starts.size(), 1u);
  ASSERT_EQ(link.frames.size(), 2u);
  EXPECT_EQ(link.frames[1], link.frames[0]);
  EXPECT_EQ(env.ui.Texts(), std::vector<std::string>{GetParam().retrySucceeded});

  env.ui.boxes.clear();
  link.results = {LinkResult::kActionFailed, LinkResult::kRecordFailed};
  EXPECT_EQ(Send(), SendResult::kFailed);
  EXPECT_EQ(link.closes, 2);
  EXPECT_EQ(env.ui.Texts(), std::vector<std::string>{GetParam().retryFailed});
}

INSTANTIATE_TEST_SUITE_P(
    Senders, EachSender,
    ::testing::Values(
        ActionCase{"SendDataToStub", &BridgeSenders::SendNewItem, kActionSave, 1, kSaveNoCompanion,
                   kSaveTimedOut, kSaveRetrySucceeded, kSaveRetryFailed},
        ActionCase{"SendChangedDataToStub", &BridgeSenders::SendChangedItem, kActionChange, 1,
                   kChangeNoCompanion, kChangeTimedOut, kChangeRetrySucceeded, kChangeRetryFailed},
        ActionCase{"SendDeletedDataToStub", &BridgeSenders::SendDeletedItem, kActionDelete, 1,
                   kDeleteNoCompanion, kDeleteTimedOut, kDeleteRetrySucceeded, kDeleteRetryFailed},
        ActionCase{"SendDoneDataToStub", &BridgeSenders::SendDoneItem, kActionDone, 2,
                   kDoneNoCompanion, kDoneTimedOut, kDoneRetrySucceeded, kDoneTimedOut}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SenderTest, ATimedOutChangeOffersToStartTheCompanionAgain) {
  link.results = {LinkResult::kRecordFailed};
  link.crashesOnFailure = true;
  EXPECT_EQ(senders.SendChangedItem(kTaskRecord, kRef), SendResult::kFailed);
  EXPECT_EQ(env.ui.Texts(), (std::vector<std::string>{kChangeTimedOut, kChangeOfferRelaunch}));
  EXPECT_EQ(link.starts, std::vector<int>{1});
  EXPECT_TRUE(link.running);
}

TEST_F(SenderTest, IdEchoStartsTheCompanionQuietlyAndSendsWhenItCameUp) {
  switches.extremeLogging = true;
  senders.SetSwitches(switches);
  link.running = false;
  EXPECT_EQ(senders.SendIdEcho(IdEchoRecord("Lunch", 9), kRef, "k1"), SendResult::kDelivered);
  EXPECT_EQ(link.starts, std::vector<int>{2});
  EXPECT_TRUE(env.Logged("trying to launch"));

  link.running = false;
  link.startable = false;
  EXPECT_EQ(senders.SendIdEcho(IdEchoRecord("Lunch", 9), kRef, "k1"), SendResult::kFailed);
  EXPECT_TRUE(env.ui.boxes.empty());  // given up silently
  EXPECT_EQ(link.frames.size(), 1u);
}

TEST_F(SenderTest, RecordsThatCannotBeMadeAreTold) {
  senders.TellNoNewItemRecord();
  senders.TellNoChangedItemRecord();
  senders.TellNoDoneWindowRecord();
  EXPECT_EQ(env.ui.Texts(),
            (std::vector<std::string>{kSaveNoBuffer, kChangeNoBuffer, kDoneWindowNoBuffer}));
}

}  // namespace
}  // namespace ploven::test
