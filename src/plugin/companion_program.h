#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "plugin/calendar_target.h"

namespace ploven::calendar {

struct CompanionArguments {
  QString dataFolder;
  QString socketPath;
};

// "--data DIR --socket PATH" (either order, "--data=DIR" too); none when one is missing.
std::optional<CompanionArguments> ParseCompanionArguments(const QStringList& arguments);

using TargetFactory =
    std::function<std::unique_ptr<CalendarTarget>(const QString& dataDir, CompanionLog& log)>;

// The companion program from its command line to its end: one per data folder (a second ends at
// once), serving its socket until told to close, idle, or replaced by a fresh process. Needs a
// QCoreApplication. Returns the exit status.
int RunCompanion(const QStringList& arguments, const TargetFactory& makeTarget);

}  // namespace ploven::calendar
