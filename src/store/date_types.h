#pragma once

#include <cstdint>

namespace ploven {

// Day 1 is Tuesday 1 January 1980; 0 means "no date".
using DayNumber = int16_t;
// Minutes since midnight plus one: 1 is 00:00, 1440 is 23:59; 0 means "no time".
// Values above 1440 belong to the previous day (Midnight Shift).
using TimeOfDay = int16_t;
// Minutes.
using Duration = int16_t;

inline constexpr DayNumber kNoDate = 0;
inline constexpr TimeOfDay kNoTime = 0;
inline constexpr TimeOfDay kNoon = 721;
inline constexpr int kMinutesPerDay = 1440;
// A set of weekdays is a byte with bit 0 for Sunday .. bit 6 for Saturday.
inline constexpr uint8_t kEveryWeekdayBits = 0x7f;

// The dates a user may enter: 18 April 1986 .. 31 December 2068.
inline constexpr DayNumber kFirstUserDay = 2300;
inline constexpr DayNumber kLastUserDay = 32508;

// Items not tied to a day (recurring definitions, undated items) sit in the
// alphabetical chain under this date.
inline constexpr DayNumber kUndatedChainDate = 1024;

inline constexpr Duration kMaxItemDuration = 30000;  // 500 hours

// The clock time hours:minutes (0..23, 0..59) as a TimeOfDay.
inline constexpr TimeOfDay ClockTime(int hours, int minutes) {
  return static_cast<TimeOfDay>(hours * 60 + minutes + 1);
}

// An absolute moment, for comparisons across midnight.
inline constexpr int32_t Moment(DayNumber day, TimeOfDay time) {
  return static_cast<int32_t>(day) * kMinutesPerDay + time;
}

}  // namespace ploven
