#pragma once

#include "engine/engine.h"
#include "store/date_format.h"

namespace ploven {

// Archives the completed days before today, oldest first, up to the first day that still has
// an undone task.
void RollOverPastDays(Engine& engine);

// The date of the first day (in date order, after the last archived date and not after today)
// that still holds an undone task; 0 when there is none.
DayNumber EarliestUndoneDate(Engine& engine);

// Moves the undone movable items of the days before `target` and before today to `target`.
// False when an invalid item stopped it.
bool BringForward(Engine& engine, DayNumber target);

// The Balance menu's Bring Forward Past Undones To This Day: asks, then brings the items of
// past days forward to the viewed day (today when the viewed day is not after today). True
// when it ran. Needs the engine's screen.
bool BringForwardCommand(Engine& engine);

// The start-of-day Bring Forward to today (with Automatically Bring Forward To Today on): asks
// first only when the earliest undone item is more than a week old. True when it ran.
bool AutomaticBringForward(Engine& engine);

// Moves one task's item to `date`: the new date, or 0 when it was not moved (and it stays where
// it was).
DayNumber MoveItemToDate(Engine& engine, TaskNode* task, DayNumber date);

// Postpone One Hour. False when the item was refused (and the user told why).
bool PostponeOneHour(Engine& engine, TaskNode* task);

// The new Earliest Begin Time of a postponed item, both times as stored (minutes after
// midnight plus one): an hour from now, or an hour later when it already stands a whole
// number of hours (give or take the minute of rounding) from now; unchanged otherwise.
TimeOfDay PostponedEarliestTime(TimeOfDay earliest, TimeOfDay now);

// What the periodic check knows when it considers the past-undone warning.
struct PastUndoneFacts {
  bool shownThisRun = false;
  bool scheduleOpen = false;
  bool scheduleWritable = false;
  bool mainWindowActive = false;
  bool alarmBoxOpen = false;
  bool doneWindowOpen = false;
  int minutesSinceLastWarning = 0;  // since the last check that could warn, or the start
  DayNumber today = 0;
  DayNumber viewedDate = 0;
  DayNumber earliestUndone = 0;  // EarliestUndoneDate
  bool autoBringForward = false;
  // The Daily Reminder covers recent undone items; so does Suppress All Alarms with an
  // until-date.
  bool dailyReminderInUse = false;
  bool alarmsSuppressedUntilDate = false;
};

bool PastUndoneWarningDue(const PastUndoneFacts& facts);

// Shows the warning; on "view it now" the view goes to the earliest undone date. True then, and
// the caller brings the main window forward and switches to the Day View unless a day-schedule
// view shows.
bool ShowPastUndoneWarning(Engine& engine, DayNumber earliestUndone);

}  // namespace ploven
