#include "bridge/sync_switches.h"

#include "platform/program_settings.h"

namespace ploven {

SyncSwitches SyncSwitchesOf(const ProgramSettings& settings) {
  SyncSwitches s;
  s.appointmentsToCalendar = settings.plovenToOutlookAppts != 0;
  s.tasksToCalendar = settings.plovenToOutlookTasks != 0;
  s.extremeLogging = settings.errorLogExtreme != 0;
  return s;
}

}  // namespace ploven
