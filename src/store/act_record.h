#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "store/date_types.h"

namespace ploven {

inline constexpr size_t kActRecordSize = 130;
inline constexpr size_t kActTitleMax = 1000;

// The item record: one per item, project and recurring definition. Its layout
// is the one the schedule file stores, field for field. The handle fields are
// 32-bit handles into the schedule's own tables; the bytes no one interprets
// are carried through unchanged.
struct Act {
  uint32_t hActName = 0;  // on disk only; the title itself lives beside the record
  TimeOfDay startTime = 0;
  Duration duration = 0;
  TimeOfDay earliestTime = 0;
  TimeOfDay latestTime = 0;
  DayNumber earliestDate = 0;
  DayNumber deadlineDate = 0;
  DayNumber ddate = 0;
  uint8_t weekdays = 0;  // Sunday first
  uint8_t label = 0;
  uint32_t hBeta = 0;    // definition: its recurrence record; drone: its definition's item
  uint32_t pitem = 0;    // flexible item: its priority-index entry (run-time only)
  int32_t noteNumber = 0;
  uint32_t projectID = 0;
  uint32_t color = 0;
  uint32_t flags = 0;
  std::array<uint8_t, 2> reserved44{};
  int16_t alarmMinutes = 0;
  int16_t alarmState = 0;
  DayNumber createdDate = 0;
  TimeOfDay createdTime = 0;
  DayNumber touchedDate = 0;
  TimeOfDay touchedTime = 0;
  uint32_t ID = 0;
  std::array<uint8_t, 4> reserved62{};
  TimeOfDay earliestDateTime = 0;
  TimeOfDay deadlineTime = 0;
  uint16_t typeFlags = 0;
  uint8_t tier = 0;
  int8_t reminderDays = 0;
  std::array<uint8_t, 4> reserved74{};
  float expectedReturn = 0;
  std::array<uint8_t, 8> reserved82{};
  int32_t firstYear = 0;
  uint32_t prereqID = 0;
  int16_t prereqDays = 0;
  int16_t prereqMinutes = 0;
  int8_t alarmHours = 0;
  std::array<uint8_t, 3> reserved103{};
  float expense = 0;
  int32_t jobNumber = 0;
  int16_t mileage = 0;
  int16_t postponeCount = 0;  // 25001 = never remind
  std::array<uint8_t, 10> reserved118{};
  int16_t extra = 0;

  bool Has(uint32_t flag) const { return (flags & flag) != 0; }
  bool operator==(const Act&) const = default;
};

inline constexpr int16_t kNeverRemindPostpone = 25001;

// Little-endian, at the fixed offsets.
void EncodeAct(const Act& act, std::span<uint8_t, kActRecordSize> out);
Act DecodeAct(std::span<const uint8_t, kActRecordSize> in);

}  // namespace ploven
