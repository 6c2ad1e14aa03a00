#include "plugin/target_factory.h"

#include "plugin/folder_target.h"

namespace ploven::calendar {

// The calendar folder; a calendar server joins here as a second target.
std::unique_ptr<CalendarTarget> MakeTarget(const QString& dataDir, CompanionLog& log) {
  return MakeFolderTarget(dataDir, log);
}

}  // namespace ploven::calendar
