#pragma once

#include "engine/engine.h"
#include "store/date_format.h"

namespace ploven {

inline constexpr int kBalanceNormal = 0;
// Started by a change of an item's Splittable box: no Balance Day pass, no aged-item alert.
inline constexpr int kBalanceAfterSplitChange = 1;

// The run's entry in the event trace, and the one when the items start being placed.
inline constexpr int kTraceBalanceAllDays = -43;
inline constexpr int kTraceSchedulingItems = -44;

// Days past the latest date used that an item without a deadline is searched.
inline constexpr int kSearchHorizonDays = 270;

// Re-plans every fluid item in priority order. 1 when it ran, 0 when something else in
// progress kept it out.
int BalanceAllDays(Engine& engine, int mode);

// Places every segment of one fluid item from its earliest possible date on.
void ScheduleItemAllSegments(Engine& engine, ActHandle item);

// Searches dates from `start` for one that takes the task. 1 placed, 0 not placed.
// Careful: the conflict window may delete the item (and its task) meanwhile; callers that go
// on using the task use PlaceFluidTask.
int ScheduleFluidTask(Engine& engine, TaskNode* task, DayNumber oldDate, DayNumber start,
                      DayNumber deadline, DayNumber last);

// How the search for one task ended. kTaskGone: the item was deleted or its task was taken
// over by the item dialog, so the task must not be touched again.
enum class FluidPlacement { kPlaced, kNotPlaced, kTaskGone };
FluidPlacement PlaceFluidTask(Engine& engine, TaskNode* task, DayNumber oldDate, DayNumber start,
                              DayNumber deadline, DayNumber last);

// The conflict handler: the item cannot be placed by `date`, its deadline. Either the search
// goes on at `searchOn`, or (0) the search ends with the item as the window left it.
struct ConflictOutcome {
  DayNumber searchOn = kNoDate;
  bool taskGone = false;
};
ConflictOutcome ResolveSchedulingConflict(Engine& engine, TaskNode* task, DayNumber date);

// The first date the item may be placed on: its earliest date (today when none), after its
// prerequisite's lag, and not before the item it is sequenced to.
DayNumber ItemEarliestDate(Engine& engine, ActHandle item);

// Re-plans one fluid item after it was created or edited outside a run.
void RescheduleItem(Engine& engine, ActHandle item);

// A project whose title starts with "!" should always have a recent or pending item.
void LifeProjectCheck(Engine& engine, bool warn);

// The end of a normal run: asks about the undone item untouched for over a year.
void AgedItemAlert(Engine& engine);

// The minute tick's timing tests, as functions of the clock. The clock's time of day is the
// minute after midnight plus one, so `now - 1` is the minute of the day counted from 0:00:
// an interval of 10 falls due at 0:00, 0:10, 0:20 ...
bool AutoBalanceDayDue(const Engine& engine, TimeOfDay now);
bool AutoPilotDue(const Engine& engine, DayNumber today, TimeOfDay now);

}  // namespace ploven
