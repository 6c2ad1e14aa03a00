#include "store/schedule_header.h"

#include <algorithm>

namespace ploven {

namespace {
}  // namespace

ScheduleHeader::ScheduleHeader() {
  Set(kMagic, kScheduleMagic);
  Set(kFormatVersion, kCurrentFormatVersion);
  Set<int16_t>(kHeaderSize, static_cast<int16_t>(kScheduleHeaderSize));
  Set<uint8_t>(kActRecordSize, 130);
  Set<int16_t>(kDayRecordSize, 28);
  Set<int16_t>(kBetaRecordSize, 28);
  Set<float>(kCreatedByVersion, 7.0f);
  Set<float>(kWrittenByVersion, 7.0f);
  Set<int32_t>(kMinSplitMinutes, 15);
  Set<int16_t>(kEarliestTimeOfDay, kDefaultEarliestTimeOfDay);
  Set<int16_t>(kLatestTimeOfDay, kDefaultLatestTimeOfDay);
  Set<int16_t>(kWorkdayStart, kDefaultWorkdayStart);
  Set<int16_t>(kWorkdayEnd, kDefaultWorkdayEnd);
  Set<uint8_t>(kViewWindows, 2);
  // Two settings of other parts of the program whose stored defaults a load fills in.
  Set<int16_t>(443, 30);
  Set<uint8_t>(630, 12);
}

int32_t ScheduleHeader::minSplitMinutes() const {
  return std::clamp<int32_t>(Get<int32_t>(kMinSplitMinutes), 1, 720);
}

}  // namespace ploven
