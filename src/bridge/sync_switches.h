#pragma once

namespace ploven {

struct ProgramSettings;

// What the user allowed to go from the schedule to the calendar.
struct SyncSwitches {
  bool appointmentsToCalendar = true;  // items with a start
  bool tasksToCalendar = true;         // items without one
  // The open schedule is the one that mirrors into the calendar.
  bool thisScheduleSyncs = true;
  // The senders' log lines are written only with extreme logging on.
  bool extremeLogging = false;

  bool SyncOn() const { return appointmentsToCalendar || tasksToCalendar; }
};

// The switches as the settings hold them: nothing goes to the calendar until "PlovenOutlook"
// is on, and then each kind by its own switch. `thisScheduleSyncs` is left for the caller.
SyncSwitches SyncSwitchesOf(const ProgramSettings& settings);

}  // namespace ploven
