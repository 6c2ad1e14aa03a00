#pragma once

#include "store/date_types.h"

namespace ploven {

// The moon's phase on a day as a whole angle 0..359: 0 at new moon, 180 at full moon. The day
// is counted from local midnight, or from noon with `moonMorning` ("Morn"), moved to universal
// time by the time-zone bias (minutes, universal time minus local time).
int MoonAngle(DayNumber day, bool moonMorning, int timeZoneBiasMinutes);

// Whether the day counts as a full-moon day: its angle lies in 175..185, or, in a lunation
// whose days all miss that window, it is the first day past it. So every lunation has exactly
// one full-moon day.
bool IsFullMoonDay(DayNumber day, bool moonMorning, int timeZoneBiasMinutes);

}  // namespace ploven
