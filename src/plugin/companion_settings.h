#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "plugin/calendar_target.h"

namespace ploven::calendar {

// The companion's switches out of the main program's "Ploven.ini" (section [Ploven]), read
// the way the main program reads it: sections and keys without regard to case, values trimmed
// of blanks and one pair of quotes, the first of a key winning, a damaged section header ending
// the section; an integer is its leading signed decimal number, the default when missing or
// empty. The calendar folder defaults to "calendar" in the data folder; a relative one is
// taken from the data folder.
CompanionSettings ParseCompanionSettings(const QByteArray& iniText, const QString& dataFolder);

// Reads DIR/Ploven.ini again only when it changed on disk.
class CompanionSettingsReader {
 public:
  explicit CompanionSettingsReader(QString dataFolder);
  CompanionSettings Read();

 private:
  QString m_dataFolder;
  QString m_path;
  bool m_loaded = false;
  QDateTime m_stamp;
  qint64 m_size = -1;
  CompanionSettings m_settings;
};

inline constexpr char kIniFileName[] = "Ploven.ini";
inline constexpr char kIniSection[] = "Ploven";
inline constexpr char kKeyToPloven[] = "OutlookToPloven";
inline constexpr char kKeyAppointmentsToPloven[] = "OutlookToPlovenAppts";
inline constexpr char kKeyTasksToPloven[] = "OutlookToPlovenTasks";
inline constexpr char kKeyCalendarFolder[] = "CalendarFolder";
inline constexpr char kDefaultCalendarFolder[] = "calendar";
inline constexpr char kKeyCalendarKind[] = "CalendarKind";  // "folder" (default) or "server"
inline constexpr char kCalendarKindServer[] = "server";
inline constexpr char kKeyCalendarServerUrl[] = "CalendarServerUrl";
inline constexpr char kKeyCalendarServerUser[] = "CalendarServerUser";

}  // namespace ploven::calendar
