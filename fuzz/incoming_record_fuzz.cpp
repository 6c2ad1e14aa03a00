// Any bytes as a record from the calendar: it is read or refused with a reason, never undefined
// behaviour, and every item read keeps within the schedule's limits. The first byte chooses
// the kind of record and the clock.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "bridge/incoming_record.h"
#include "store/act_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto code =
      (data[0] & 1) != 0 ? ploven::BridgeCode::kAppointment : ploven::BridgeCode::kTask;
  ploven::DateText dateText;
  dateText.regional.iTime = (data[0] & 2) != 0 ? 1 : 0;
  const std::string_view record(reinterpret_cast<const char*>(data + 1), size - 1);
  const ploven::IncomingParse p = ploven::ParseIncomingRecord(code, record, dateText);
  if (!p.item) {
    if (p.refusal.empty()) std::abort();
    return 0;
  }
  const ploven::IncomingItem& item = *p.item;
  if (item.date <= 0 || item.title.size() > ploven::kActTitleMax) std::abort();
  if (item.duration < 0 || item.duration > ploven::kMaxItemDuration) std::abort();
  for (const ploven::TimeOfDay t : {item.start, item.end, item.earliestDateTime, item.deadlineTime})
    if (t < 0 || t > ploven::kMinutesPerDay) std::abort();
  if (item.appointment && item.start == ploven::kNoTime) std::abort();
  if (item.recurrence) {
    const ploven::IncomingRecurrence& r = *item.recurrence;
    if (r.interval < 1 || r.startDate <= 0) std::abort();
    if (r.endDate != 0 && r.endDate < r.startDate) std::abort();
  }
  return 0;
}
