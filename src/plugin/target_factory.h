#pragma once

#include <QString>
#include <memory>

#include "plugin/calendar_target.h"

namespace ploven::calendar {

// The calendar the companion program applies records to, for one data folder.
std::unique_ptr<CalendarTarget> MakeTarget(const QString& dataDir, CompanionLog& log);

}  // namespace ploven::calendar
