#pragma once

#include "store/schedule.h"

namespace ploven {

// The task of a recurring item's occurrence on a date: its clone, or the edited occurrence that
// replaced it; null when the item does not occur there or the day is archived.
TaskNode* OccurrenceTask(Schedule& s, ActHandle definition, DayNumber date);

}  // namespace ploven
