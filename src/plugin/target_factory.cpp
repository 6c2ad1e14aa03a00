#include "plugin/target_factory.h"

#include "plugin/companion_settings.h"
#include "plugin/folder_target.h"
#include "plugin/password_keeper.h"
#include "plugin/server_calendar.h"

namespace ploven::calendar {

// The calendar folder, or the calendar server the settings name. The choice holds for this
// companion's life: Ploven closes the companion when the user chooses another calendar.
std::unique_ptr<CalendarTarget> MakeTarget(const QString& dataDir, CompanionLog& log) {
  const CompanionSettings settings = CompanionSettingsReader(dataDir).Read();
  if (settings.server && !settings.serverUrl.isEmpty()) {
    return MakeServerCalendar(dataDir, log, settings, MakePasswordKeeper());
  }
  return MakeFolderTarget(dataDir, log);
}

}  // namespace ploven::calendar
