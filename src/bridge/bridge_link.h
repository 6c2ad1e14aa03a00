#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bridge/bridge_codes.h"
#include "store/date_types.h"

namespace ploven {

// What travels to the companion in one go: the record exactly as laid out, what to do with it,
// and beside it the item's number and occurrence date, so that the companion finds what it
// wrote before without guessing by title (delete and done records carry only a title).
struct BridgeFrame {
  BridgeCode code = BridgeCode::kTask;
  std::string record;
  std::string action;  // kActionSave ...
  uint32_t itemID = 0;
  DayNumber occurrenceDate = kNoDate;
  // The companion's name for a change it hands over; the ID echo and the confirmation of that
  // change carry it back.
  std::string key;
  bool operator==(const BridgeFrame&) const = default;
};

enum class LinkResult {
  kDelivered,
  kRecordFailed,  // the record did not get through in time
  kActionFailed,  // the record arrived but the action was not taken in time
};

// The way to the companion program. Each call may block for its time-out (5 seconds).
class BridgeLink {
 public:
  virtual ~BridgeLink() = default;
  // The companion is there to be talked to.
  virtual bool IsRunning() = 0;
  // Starts the companion and gives it `waitSeconds` to come up; false when its program could
  // not be started at all.
  virtual bool Start(int waitSeconds) = 0;
  virtual LinkResult Send(const BridgeFrame& frame) = 0;
  // The changes made in the calendar since they were last confirmed, oldest first (frames with
  // the incoming codes); none when the companion could not be reached in time.
  virtual std::optional<std::vector<BridgeFrame>> FetchCalendarChanges() = 0;
  // The change under `key` is in the schedule (or was refused and the user told): the
  // companion forgets it. A new item is confirmed by its ID echo instead.
  virtual bool Confirm(const std::string& key) = 0;
  // Hands the companion a calendar server's password (the record "url\nuser\npassword",
  // kActionPassword); true when it got it.
  virtual bool HandOverPassword(const std::string& record) = 0;
  // Tells the companion that a client is alive; its watchdog counts from the last frame.
  virtual bool Hello() { return IsRunning(); }
  // Tells the companion to end (kActionCloseStub) and gives it a second to do so.
  virtual void Close() = 0;
  // The companion's program file, for the message that it cannot be found.
  virtual std::string ProgramPath() const = 0;
};

}  // namespace ploven
