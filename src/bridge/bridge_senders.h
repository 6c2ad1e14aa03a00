#pragma once

#include <cstdint>
#include <string>

#include "bridge/bridge_link.h"
#include "bridge/item_records.h"
#include "bridge/sync_switches.h"

namespace ploven {

class Messages;

// Which item a record is about, for the companion (beside the record, not in it).
struct ItemRef {
  uint32_t itemID = 0;
  DayNumber occurrenceDate = kNoDate;
};

enum class SendResult {
  kSkipped,    // the switches keep this record from the calendar
  kDelivered,  // the companion took the record and its action
  kFailed,     // the user was told
};

// The five ways a change in the schedule reaches the calendar. Each finds (or starts) the
// companion, sends the record with its action, and on a time-out tells the user; when the
// action alone failed the companion is closed, started again and sent the record once more.
// The item stays as it is in the schedule whatever the calendar heard.
class BridgeSenders {
 public:
  BridgeSenders(Messages& messages, BridgeLink& link, SyncSwitches switches)
      : m_msg(messages), m_link(link), m_switches(switches) {}

  const SyncSwitches& switches() const { return m_switches; }
  // The switches let records reach the calendar; for a new item in a schedule that does not
  // mirror into the calendar this is logged.
  bool Allowed(bool isNewItem);
  void SetSwitches(const SyncSwitches& switches) { m_switches = switches; }

  // A new item (SendDataToStub). Appointments and tasks each have their own switch.
  SendResult SendNewItem(const BridgeRecord& record, ItemRef item);
  // The number given to an item that came from the calendar; sent whatever the switches say.
  // `key` is the companion's name for the calendar item it answers.
  SendResult SendIdEcho(const BridgeRecord& record, ItemRef item, const std::string& key);
  SendResult SendChangedItem(const BridgeRecord& record, ItemRef item);
  SendResult SendDeletedItem(const BridgeRecord& record, ItemRef item);
  SendResult SendDoneItem(const BridgeRecord& record, ItemRef item);

  // What the senders tell when an item cannot be made into a record.
  void TellNoNewItemRecord();
  void TellNoChangedItemRecord();
  void TellNoDoneWindowRecord();

  struct Texts;

 private:
  SendResult Deliver(const Texts& texts, const BridgeRecord& record, ItemRef item,
                     const std::string& key = {});
  bool FindCompanion(const Texts& texts);
  void Log(const std::string& line);

  Messages& m_msg;
  BridgeLink& m_link;
  SyncSwitches m_switches;
};

}  // namespace ploven
