#include "bridge/sync_switches.h"

#include "platform/program_settings.h"

namespace ploven {

SyncSwitches SyncSwitchesOf(const ProgramSettings& settings) {
  SyncSwitches s;
  // "PlovenOutlook" is the switch of the whole direction (off until the user turns it on); the
  // two kinds are its parts, both on by default.
  const bool toCalendar = settings.plovenOutlook != 0;
  s.appointmentsToCalendar = toCalendar && settings.plovenToOutlookAppts != 0;
  s.tasksToCalendar = toCalendar && settings.plovenToOutlookTasks != 0;
  s.extremeLogging = settings.errorLogExtreme != 0;
  return s;
}

}  // namespace ploven
