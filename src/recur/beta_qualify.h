#pragma once

#include <cstdint>

#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

// Bits of a recurrence record.
inline constexpr uint8_t kFreqDaily = 0x01;
inline constexpr uint8_t kFreqWeekly = 0x02;
inline constexpr uint8_t kFreqMonthly = 0x04;
inline constexpr uint8_t kFreqYearly = 0x08;
inline constexpr uint8_t kFreqKinds = 0x0f;
inline constexpr uint8_t kDayBitsFifthWeek = 0x80;
inline constexpr uint32_t kDateBitsLastWeek = 0x80000000u;
inline constexpr uint32_t kDateBitLast = 1u << 30;  // "Last": the last day of the month
inline constexpr uint8_t kOptionNearestDay = 0x01;
inline constexpr uint8_t kOptionOnOrAfter = 0x02;
inline constexpr uint8_t kOptionOnOrBefore = 0x04;
inline constexpr uint8_t kOptionNoteNotShared = 0x08;
inline constexpr uint8_t kOptionFullMoons = 0x10;
inline constexpr uint8_t kOptionSeasonal = 0x40;
// The upper bound of a recurrence without an End Date.
inline constexpr DayNumber kNoEndDate = 32508;

// What besides the record decides whether a date qualifies.
struct QualifyContext {
  DayNumber today = 0;       // a 0 Start Date means today
  bool lightMode = false;    // seasonal and full-moon rules are ignored in Light Mode
  bool moonMorning = false;  // "MoonAM": the full moon counted from the morning
  int timeZoneBiasMinutes = 0;
  bool weekStartsMonday = false;  // "WeekStartsMon", for the 4-4-5 calendar
  int yearFirstWeekAdjust = 0;    // "YearFirstWeekAdjust"
};

// Whether the recurrence occurs on the date (exceptions are not consulted). A record with no
// frequency bit is healed in place into a daily one (Start Date today when 0, interval 1 when
// 0) and `*healed` is set to true (never cleared), so the caller can warn the user
// (recur_text::kNoTypeFlags) and mark the schedule changed.
//
// A 0 Start Date counts as today for the frequency rules too, so a series without one runs from
// the first day it may occur. An interval below 1 counts as 1. A date outside 1..kLastDay never
// qualifies.
bool QualifiesOn(Beta& beta, DayNumber date, const QualifyContext& context, bool* healed = nullptr);

// The seasonal test alone: whether the date's day of the year lies within the days of the year
// from the Start Date to the End Date, wrapping over the new year. 1 March is the same day of
// the year in leap and common years; a missing Start or End Date leaves that side open.
bool InSeason(const Beta& beta, DayNumber date);

}  // namespace ploven
