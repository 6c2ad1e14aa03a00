#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/bridge_codes.h"
#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

// What a record needs besides the item: how dates and times are shown, who the user is, the
// label names and the notes.
struct RecordContext {
  DateText dateText;
  std::string userName;
  // Label n is labelNames[n]; label 0 (no label) holds the label table's default text.
  std::vector<std::string> labelNames;
  // The text of a note by its number; empty when there is none.
  std::function<std::string(int32_t)> noteText;
};

// One appearance of an item: its day and the start its task is scheduled at.
struct Occurrence {
  ActHandle item = kNoAct;
  DayNumber date = kNoDate;
  TimeOfDay scheduledStart = kNoTime;
};
// The item's first appearance (or its own date and start when it has no task on a day, as for
// the definition of a recurring item).
Occurrence OccurrenceOf(Schedule& s, ActHandle item);

// The form an item travels in: an appointment has a start, a task does not.
enum class RecordForm { kNone, kTask, kAppointment };
// An item with a fixed start goes as an appointment when it has a start time and not at all
// without one; any other item goes as a task when it has a duration, as an appointment when it
// has only a start time, and as a task otherwise.
RecordForm ChooseForm(const Act& item);

struct BridgeRecord {
  BridgeCode code = BridgeCode::kTask;
  std::string text;
  bool operator==(const BridgeRecord&) const = default;
};

// The whole task-form and appointment-form records of an item, title first.
std::string TaskFormRecord(Schedule& s, const Occurrence& o, const RecordContext& context);
std::string AppointmentFormRecord(Schedule& s, const Occurrence& o, const RecordContext& context);

// A new item in its chosen form; nothing when the item does not travel.
std::optional<BridgeRecord> NewItemRecord(Schedule& s, const Occurrence& o,
                                          const RecordContext& context);
// A changed item: the title before the change, then the record of the item as it is now.
std::optional<BridgeRecord> ChangedItemRecord(Schedule& s, std::string_view oldTitle,
                                              const Occurrence& o, const RecordContext& context);
// A deleted item, named by its title; nothing for an item with a fixed start but no start time.
std::optional<BridgeRecord> DeletedItemRecord(const Act& item, std::string_view title);
// An item marked done or undone.
BridgeRecord DoneItemRecord(const Act& item, std::string_view title, bool done);
// After an item that came from the calendar was added: the subject it came with and the new
// item's number.
BridgeRecord IdEchoRecord(std::string_view subject, uint32_t itemID);

}  // namespace ploven
