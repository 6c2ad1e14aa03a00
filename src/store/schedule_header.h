#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "store/byte_io.h"
#include "store/date_types.h"

namespace ploven {

inline constexpr size_t kScheduleHeaderSize = 655;
inline constexpr int16_t kScheduleMagic = 12960;
inline constexpr int16_t kCurrentFormatVersion = 26;
// The header's mode: Light Mode, or Pro Mode (any other value reads as Pro Mode).
// The day bounds and work hours of a new schedule (and of an old file that had none).
inline constexpr TimeOfDay kDefaultEarliestTimeOfDay = ClockTime(7, 0);
inline constexpr TimeOfDay kDefaultLatestTimeOfDay = ClockTime(23, 0);
inline constexpr TimeOfDay kDefaultWorkdayStart = ClockTime(9, 0);
inline constexpr TimeOfDay kDefaultWorkdayEnd = ClockTime(17, 0);

inline constexpr int32_t kScheduleLightMode = 1;
inline constexpr int32_t kScheduleProMode = 3;

// The schedule's own settings and counters, held as the exact bytes the file
// stores so that settings this program does not read survive every save.
class ScheduleHeader {
 public:
  ScheduleHeader();

  std::span<uint8_t, kScheduleHeaderSize> Bytes() { return m_bytes; }
  std::span<const uint8_t, kScheduleHeaderSize> Bytes() const { return m_bytes; }

  template <typename T>
  T Get(size_t offset) const {
    return GetLE<T>(m_bytes, offset);
  }
  template <typename T>
  void Set(size_t offset, T value) {
    PutLE<T>(m_bytes, offset, value);
  }

  // Named fields, by their offsets in the file.
  static constexpr size_t kMagic = 0, kFormatVersion = 2, kHeaderSize = 16, kMode = 18,
                          kDayCount = 101, kSysBetaActs = 103, kScheduleStartDate = 111,
                          kLastSaveDate = 113, kLastSaveTime = 161, kHeaderChecksum = 461,
                          kViewWindows = 477, kLastArchivedDate = 489, kActRecordSize = 495,
                          kProjectCount = 496, kNextNoteNumber = 527, kCreatedByVersion = 590,
                          kWrittenByVersion = 594, kDayRecordSize = 598, kBetaRecordSize = 600,
                          kTreeNodeCount = 602, kTreeRootCount = 606, kNextActID = 610,
                          kMinSplitMinutes = 614, kUndatedCount = 618, kLegacyCount = 620,
                          kEarliestTimeOfDay = 624, kLatestTimeOfDay = 626, kWorkdayStart = 643,
                          kWorkdayEnd = 645;
  // The Balance Settings travel with the schedule (two bytes each; a Keep
  // Clear date of 0 is an open end).
  static constexpr size_t kReserveToday = 530, kReserveFuture = 532, kKeepClearFrom = 534,
                          kKeepClearThrough = 536;

  int32_t mode() const { return Get<int32_t>(kMode); }
  void setMode(int32_t m) { Set(kMode, m); }
  bool LightModePermitted() const { return mode() == kScheduleLightMode; }

  DayNumber lastArchivedDate() const { return Get<int16_t>(kLastArchivedDate); }
  void setLastArchivedDate(DayNumber d) { Set<int16_t>(kLastArchivedDate, d); }
  bool IsArchived(DayNumber d) const { return d <= lastArchivedDate(); }

  uint32_t nextActID() const { return Get<uint32_t>(kNextActID); }
  void setNextActID(uint32_t id) { Set(kNextActID, id); }
  uint16_t nextNoteNumber() const { return Get<uint16_t>(kNextNoteNumber); }
  void setNextNoteNumber(uint16_t n) { Set(kNextNoteNumber, n); }

  // Minimum Duration For Splittable Items, kept within 1..720.
  int32_t minSplitMinutes() const;
  void setMinSplitMinutes(int32_t minutes) { Set(kMinSplitMinutes, minutes); }

  // Day bounds and work hours as stored; a new schedule starts at 7:00 to
  // 11:00 pm with work hours 9:00 to 5:00 pm.
  TimeOfDay earliestTimeOfDay() const { return Get<int16_t>(kEarliestTimeOfDay); }
  TimeOfDay latestTimeOfDay() const { return Get<int16_t>(kLatestTimeOfDay); }
  TimeOfDay workdayStart() const { return Get<int16_t>(kWorkdayStart); }
  TimeOfDay workdayEnd() const { return Get<int16_t>(kWorkdayEnd); }
  void setEarliestTimeOfDay(TimeOfDay t) { Set<int16_t>(kEarliestTimeOfDay, t); }
  void setLatestTimeOfDay(TimeOfDay t) { Set<int16_t>(kLatestTimeOfDay, t); }
  void setWorkdayStart(TimeOfDay t) { Set<int16_t>(kWorkdayStart, t); }
  void setWorkdayEnd(TimeOfDay t) { Set<int16_t>(kWorkdayEnd, t); }

 private:
  std::array<uint8_t, kScheduleHeaderSize> m_bytes{};
};

}  // namespace ploven
