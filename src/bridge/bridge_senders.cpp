#include "bridge/bridge_senders.h"

#include <string>

#include "bridge/bridge_messages.h"
#include "platform/messages.h"

namespace ploven {

// What sets one sender apart: its name in messages and logs, its action, how long it gives a
// starting companion, and what it tells.
struct BridgeSenders::Texts {
  const char* name;
  const char* action;
  int startWaitSeconds;
  int place;                // the number in the missing-program message
  const char* noCompanion;  // null: give up silently
  const char* timedOut;     // null: only logged
  const char* retrySucceeded;
  const char* retryFailed;
  bool offerRelaunch;
};

namespace {

using Texts = BridgeSenders::Texts;

constexpr Texts kNewItem{
    "SendDataToStub",    kActionSave,      1,    1, kSaveNoCompanion, kSaveTimedOut,
    kSaveRetrySucceeded, kSaveRetryFailed, false};
constexpr Texts kIdEcho{"SendSDataToStub",   kActionSave,      2,    2, nullptr, nullptr,
                        kEchoRetrySucceeded, kEchoRetryFailed, false};
constexpr Texts kChange{
    "SendChangedDataToStub", kActionChange,      1,   3, kChangeNoCompanion, kChangeTimedOut,
    kChangeRetrySucceeded,   kChangeRetryFailed, true};
constexpr Texts kDelete{
    "SendDeletedDataToStub", kActionDelete,      1,    4, kDeleteNoCompanion, kDeleteTimedOut,
    kDeleteRetrySucceeded,   kDeleteRetryFailed, false};
constexpr Texts kDone{"SendDoneDataToStub", kActionDone,   2,    5, kDoneNoCompanion, kDoneTimedOut,
                      kDoneRetrySucceeded,  kDoneTimedOut, false};

}  // namespace

void BridgeSenders::Log(const std::string& line) {
  if (m_switches.extremeLogging) m_msg.LogLine(line);
}

bool BridgeSenders::Allowed(bool isNewItem) {
  if (!m_switches.SyncOn()) return false;
  if (!m_switches.thisScheduleSyncs) {
    if (isNewItem) Log(kNotTheSyncSchedule);
    return false;
  }
  return true;
}

SendResult BridgeSenders::SendNewItem(const BridgeRecord& record, ItemRef item) {
  if (!Allowed(true)) return SendResult::kSkipped;
  if (record.code == BridgeCode::kAppointment && !m_switches.appointmentsToCalendar) {
    return SendResult::kSkipped;
  }
  if (record.code == BridgeCode::kTask && !m_switches.tasksToCalendar) {
    return SendResult::kSkipped;
  }
  return Deliver(kNewItem, record, item);
}

SendResult BridgeSenders::SendIdEcho(const BridgeRecord& record, ItemRef item,
                                     const std::string& key) {
  return Deliver(kIdEcho, record, item, key);
}

SendResult BridgeSenders::SendChangedItem(const BridgeRecord& record, ItemRef item) {
  if (!Allowed(false)) return SendResult::kSkipped;
  return Deliver(kChange, record, item);
}

SendResult BridgeSenders::SendDeletedItem(const BridgeRecord& record, ItemRef item) {
  if (!Allowed(false)) return SendResult::kSkipped;
  return Deliver(kDelete, record, item);
}

SendResult BridgeSenders::SendDoneItem(const BridgeRecord& record, ItemRef item) {
  if (!Allowed(false)) return SendResult::kSkipped;
  return Deliver(kDone, record, item);
}

void BridgeSenders::TellNoNewItemRecord() { m_msg.ErrorMessage(kSaveNoBuffer); }
void BridgeSenders::TellNoChangedItemRecord() { m_msg.ErrorMessage(kChangeNoBuffer); }
void BridgeSenders::TellNoDoneWindowRecord() { m_msg.ErrorMessage(kDoneWindowNoBuffer); }

bool BridgeSenders::FindCompanion(const Texts& texts) {
  if (m_link.IsRunning()) return true;
  if (texts.noCompanion == nullptr) Log(kEchoNoCompanionLog);
  if (!m_link.Start(texts.startWaitSeconds) && texts.noCompanion != nullptr) {
    m_msg.PlainMessage(std::string(kCompanionMissingLead) + m_link.ProgramPath() +
                           kCompanionMissingTail + texts.name + ", " + kCompanionMissingPlace +
                           std::to_string(texts.place) + "]",
                       kBridgeCaption);
  }
  if (m_link.IsRunning()) return true;
  if (texts.noCompanion != nullptr) m_msg.ErrorMessage(texts.noCompanion);
  return false;
}

SendResult BridgeSenders::Deliver(const Texts& texts, const BridgeRecord& record, ItemRef item,
                                  const std::string& key) {
  if (!FindCompanion(texts)) return SendResult::kFailed;
  const BridgeFrame frame{record.code, record.text, texts.action, item.itemID, item.occurrenceDate,
                          key};
  switch (m_link.Send(frame)) {
    case LinkResult::kDelivered:
      return SendResult::kDelivered;
    case LinkResult::kRecordFailed:
      if (texts.timedOut == nullptr) {
        Log(std::string(texts.name) + ": " + kEchoRetryFailed);
        return SendResult::kFailed;
      }
      m_msg.ErrorMessage(texts.timedOut);
      if (texts.offerRelaunch) {
        m_msg.InformationMessage(kChangeOfferRelaunch);
        if (!m_link.IsRunning()) m_link.Start(texts.startWaitSeconds);
      }
      return SendResult::kFailed;
    case LinkResult::kActionFailed:
      break;
  }
  // The companion took the record but not the action: it is hung. Start it afresh and try once
  // more.
  Log(std::string(kRetryLogLead) + texts.name + kRetryLogTail);
  m_link.Close();
  m_link.Start(1);
  if (m_link.Send(frame) == LinkResult::kDelivered) {
    m_msg.InformationMessage(texts.retrySucceeded);
    return SendResult::kDelivered;
  }
  m_msg.ErrorMessage(texts.retryFailed);
  return SendResult::kFailed;
}

}  // namespace ploven
