#pragma once

#include "engine/engine.h"

namespace ploven {

// Improves the order of the tasks of the day Balance Day works on (today, or the viewed date
// while a day-schedule view shows or Balance All Days runs). The number of swaps made; 0 when
// it did not run.
int BalanceDay(Engine& engine);

// Defers the fluid item of the date with the worst priority to its next allowed date, or says
// why none can go. Always 1.
int LightenLoad(Engine& engine, DayNumber date);
// The same, choosing the least urgent item (the latest deadline).
int LightenLoadByUrgency(Engine& engine, DayNumber date);
// Brings the most important eligible item of a later date to the date. True when one came.
bool IncreaseLoad(Engine& engine, DayNumber date);

// Exchanges two adjacent tasks of a day (task2 directly after task1).
void Swaptasks(Engine& engine, TaskNode* task1, TaskNode* task2);
// Puts q (directly after p on `date`) in front of p and brings the day's times up to date.
void SwapTasks(Engine& engine, TaskNode* p, TaskNode* q, DayNumber date);

// ---- Day figures ----
// Busy minutes × 100 ÷ the length of the day bounds (at least 1). Memos count only when Done
// with a length.
int DayLoad(Engine& engine, const Terminal& day);
// Minutes of the day's tasks that are conflict-marked or start inside the tasks before them.
int DayConflictMinutes(Engine& engine, const Terminal& day);

}  // namespace ploven
