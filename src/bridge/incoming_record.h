#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bridge/bridge_codes.h"
#include "store/date_format.h"
#include "store/date_types.h"

namespace ploven {

// The longest record taken from the calendar: a long note fits, a runaway sender does not.
inline constexpr size_t kMaxIncomingRecord = 1 << 20;

// The rule of a recurring item as the calendar sent it, in the schedule's own terms.
struct IncomingRecurrence {
  uint8_t freq = 0;  // kFreqDaily ...
  uint8_t dayBits = 0;
  uint32_t dateBits = 0;
  int16_t interval = 0;
  DayNumber startDate = kNoDate;
  DayNumber endDate = kNoDate;  // kNoDate: no End Date
  bool operator==(const IncomingRecurrence&) const = default;
};

// A task or appointment made in the calendar, read from its record.
struct IncomingItem {
  bool appointment = false;
  std::string title;  // the blank-title word reads as an empty title
  DayNumber date = kNoDate;
  TimeOfDay start = kNoTime;  // appointments
  TimeOfDay end = kNoTime;    // appointments
  bool done = false;
  DayNumber deadlineDate = kNoDate;
  TimeOfDay earliestDateTime = kNoTime;
  TimeOfDay deadlineTime = kNoTime;
  bool alarm = false;
  int8_t alarmHours = 0;
  int16_t alarmMinutes = 0;
  Duration duration = 0;
  std::string label;
  std::string note;  // a single blank reads as no note
  std::string project;
  uint32_t itemID = 0;  // 0 for an item Ploven has not seen
  std::optional<IncomingRecurrence> recurrence;
};

// An item, or the reason the record was refused.
struct IncomingParse {
  std::optional<IncomingItem> item;
  std::string refusal;
};

// Reads a new task (kTask) or appointment (kAppointment) record in the layouts the main
// program sends. A record that is too long, holds a NUL, has the wrong number of fields or a
// field that does not read is refused with its reason; nothing else is read of it.
IncomingParse ParseIncomingRecord(BridgeCode code, std::string_view record,
                                  const DateText& dateText);

// A subject with the word "noploven" stays out of the schedule.
bool SubjectRefused(std::string_view subject);

}  // namespace ploven
