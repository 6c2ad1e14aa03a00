#pragma once

#include <cstddef>
#include <cstdint>

#include "store/schedule.h"

namespace ploven {

// The fields of a recurring item's rule, read through the item or through one of its edited
// occurrences. For any other item each reads 0.

// The recurring item itself, for the item or an edited occurrence of it; kNoAct for any
// other item.
ActHandle RecurringItemOf(const Schedule& s, ActHandle item);
// The recurrence record behind a recurring item or an edited occurrence of one; null for any
// other item.
const Beta* RecurrenceOf(const Schedule& s, ActHandle item);

uint8_t GetBetaFreq(const Schedule& s, ActHandle item);
uint8_t GetBetaDayBits(const Schedule& s, ActHandle item);
int16_t GetBetaInterval(const Schedule& s, ActHandle item);
uint32_t GetBetaDateBits(const Schedule& s, ActHandle item);
uint8_t GetBetaOptions(const Schedule& s, ActHandle item);
DayNumber GetBetaLastDone(const Schedule& s, ActHandle item);
// Start and End Date belong to the series: read only through the recurring item itself.
DayNumber GetBetaStartDate(const Schedule& s, ActHandle item);
DayNumber GetBetaEndDate(const Schedule& s, ActHandle item);

// The latest date an occurrence was done on only moves forward.
void RaiseBetaLastDone(Schedule& s, ActHandle item, DayNumber date);

// Adds `delta` to the day's count of unedited occurrences; the new count.
int nCloneTasksAdjust(Schedule& s, DayNumber date, int delta);
// The recurring item at a 0-based place of the recurring chain (title order), or kNoAct.
ActHandle BetaChainAt(const Schedule& s, size_t index);
// The unedited occurrences of the recurring item (named by itself or by an edited occurrence)
// on one day.
int ClonesOnDay(const Schedule& s, const Terminal& day, ActHandle item);

}  // namespace ploven
