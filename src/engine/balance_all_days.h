#pragma once

#include "engine/engine.h"

namespace ploven {

inline constexpr int kBalanceNormal = 0;
// Started by a change of an item's Splittable box: no Balance Day pass, no aged-item alert.
inline constexpr int kBalanceAfterSplitChange = 1;

// Re-plans every fluid item in priority order. 1 when it ran, 0 when something else in
// progress kept it out.
int BalanceAllDays(Engine& engine, int mode);

// Places every segment of one fluid item from its earliest possible date on.
void ScheduleItemAllSegments(Engine& engine, ActHandle item);

// Searches dates from `start` for one that takes the task. 1 placed, 0 not placed.
int ScheduleFluidTask(Engine& engine, TaskNode* task, DayNumber oldDate, DayNumber start,
                      DayNumber deadline, DayNumber last);

// Re-plans one fluid item after it was created or edited outside a run.
void RescheduleItem(Engine& engine, ActHandle item);

// A project whose title starts with "!" should always have a recent or pending item.
void LifeProjectCheck(Engine& engine, bool warn);

// The end of a normal run: asks about the undone item untouched for over a year.
void AgedItemAlert(Engine& engine);

// The minute tick's timing tests, as functions of the clock.
bool AutoBalanceDayDue(const Engine& engine, TimeOfDay now);
bool AutoPilotDue(const Engine& engine, DayNumber today, TimeOfDay now);

}  // namespace ploven
