#pragma once

#include "engine/engine.h"

namespace ploven {

// Two ends of an item other than doing it, each kept in the done log so the day's record shows
// what happened.

// Record Failed Attempt: the try (from the item's start when it was started, else a moment at
// now) becomes a done item of its own titled "Failed attempt: <title>"; the item itself stays to
// do, no longer started, with its whole duration, and a flexible one is planned again. The
// done record, or kNoAct when there is no undone item with a time of day (memos take no
// attempts).
ActHandle RecordFailedAttempt(Engine& engine, TaskNode* task);

// Cancel Item: the item (one occurrence of a recurring item) is closed as done where it stands,
// taking no time, its title marked "Cancelled: ". False when there is nothing undone to cancel.
bool CancelItem(Engine& engine, TaskNode* task);

}  // namespace ploven
