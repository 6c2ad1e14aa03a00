#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bridge/bridge_senders.h"
#include "bridge/item_records.h"
#include "cli/cli_env.h"

namespace ploven {
class SocketBridgeLink;
}

namespace ploven::cli {

// What the calendar hears of the change a command made: the records the desktop program sends
// for the same change, made as the change is made and sent once the schedule is saved (a
// refused save tells the calendar nothing). Nothing goes when the Synchronization Settings keep
// the calendar out or the schedule is not the one that synchronises, and nothing when this data
// folder has no calendar yet (no calendar folder and no companion running): a script does not
// set one up behind the user's back.
class CalendarSync {
 public:
  CalendarSync(CliEnv& env, Schedule& s, const std::string& schedulePath);
  ~CalendarSync();
  CalendarSync(const CalendarSync&) = delete;
  CalendarSync& operator=(const CalendarSync&) = delete;

  void NewItem(ActHandle item);
  // `oldTitle` is the item's title before the change.
  void Changed(const std::string& oldTitle, ActHandle item);
  // Before the item (or its occurrence on that date) is deleted.
  void Deleting(ActHandle item, DayNumber occurrenceDate);
  void Done(ActHandle item, DayNumber occurrenceDate, bool done);
  // Sends what was made, after the schedule was saved.
  void Send();

 private:
  enum class Kind { kNew, kChanged, kDeleted, kDone };
  struct Pending {
    Kind kind;
    BridgeRecord record;
    ItemRef item;
  };
  bool On(bool isNewItem);
  RecordContext Context();
  bool CalendarSetUp();

  CliEnv& m_env;
  Schedule& m_s;
  std::string m_scheduleFolder;
  std::string m_dataFolder;
  std::unique_ptr<SocketBridgeLink> m_link;
  std::unique_ptr<BridgeSenders> m_senders;
  std::vector<Pending> m_pending;
  bool m_noChangedRecord = false;
  std::optional<bool> m_setUp;  // the data folder has a calendar; asked once
};

}  // namespace ploven::cli
