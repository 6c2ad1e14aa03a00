#pragma once

#include <QString>
#include <memory>

#include "plugin/calendar_target.h"
#include "plugin/server_password.h"
#include "plugin/server_target.h"

namespace ploven::calendar {

// The companion's memory of one server calendar: named after the address and the user, so
// another server (or the folder) never takes over what this one remembers.
QString ServerMemoryPath(const QString& dataDir, const QString& url, const QString& user);

// The calendar collection named in the settings: the calendar side's rules over the server's
// store, behind the outbox and its sending thread. The keeper lives as long as the calendar.
std::unique_ptr<CalendarTarget> MakeServerCalendar(const QString& dataDir, CompanionLog& log,
                                                   const CompanionSettings& settings,
                                                   std::unique_ptr<PasswordKeeper> keeper,
                                                   RetryPeriods retry = {});

}  // namespace ploven::calendar
