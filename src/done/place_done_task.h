#pragma once

#include "engine/engine.h"

namespace ploven {

// Places a task again on `date` after its item's times changed (a done item's Began and
// Duration, a started item's start): it leaves its day and is placed by the item's record, so
// it stands in time order among the others. The task's own start and length follow the record.
void PlaceDoneTask(Engine& engine, TaskNode* task, DayNumber date);

}  // namespace ploven
