#include "file/backup_names.h"

#include "file/file_system.h"
#include "file/schedule_files_messages.h"
#include "platform/ini_file.h"

namespace ploven {
namespace {

namespace t = files_text;

size_t NameStart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// The file name without its extension.
std::string StemOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.find_last_of('.');
  // A leading dot starts a hidden name, not an extension.
  return dot != std::string::npos && dot > 0 ? name.substr(0, dot) : name;
}

}  // namespace

std::string WithExtension(const std::string& path, std::string_view extension) {
  const size_t nameStart = NameStart(path);
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && dot > nameStart)
    return path.substr(0, dot) + std::string(extension);
  return path + std::string(extension);
}

std::string FileNameOf(const std::string& path) { return path.substr(NameStart(path)); }

BackupNames::BackupNames(const std::string& schedulePath)
    : m_schedule(schedulePath), m_folder(FolderOf(schedulePath)) {
  const std::string stem = StemOf(schedulePath);
  m_default = EqualsNoCase(stem, t::kDefaultStem);
  m_base = m_folder + "/" + (m_default ? std::string(t::kDefaultStem) : stem);
}

std::string BackupNames::Backup() const { return m_base + t::kBackupExtension; }
std::string BackupNames::RandomBackup(int n) const {
  return m_base + t::kRandomBackupExtension + std::to_string(n);
}
std::string BackupNames::WeekdayBackup(int n) const {
  return m_base + t::kWeekdayBackupExtension + std::to_string(n);
}
// These two were always named after the schedule as it is written.
std::string BackupNames::LatestLaunch() const {
  return WithExtension(m_schedule, t::kLatestLaunchExtension);
}
std::string BackupNames::Temp() const { return WithExtension(m_schedule, t::kTempExtension); }
std::string BackupNames::ScheduleRenamed() const { return m_base + t::kPakRenamedExtension; }
std::string BackupNames::BackupRenamed() const { return m_base + t::kBakRenamedExtension; }
std::string BackupNames::CalendarMemory() const {
  return WithExtension(m_schedule, t::kCalendarMemoryExtension);
}
std::string BackupNames::UnsavedLog() const {
  return m_default ? m_folder + "/" + t::kUnsavedLogName : m_base + "." + t::kUnsavedLogName;
}

std::vector<std::string> BackupNames::Travelling() const {
  std::vector<std::string> paths = {Backup(), LatestLaunch()};
  for (int n = 1; n <= 3; ++n) paths.push_back(RandomBackup(n));
  for (int n = 1; n <= 7; ++n) paths.push_back(WeekdayBackup(n));
  paths.push_back(CalendarMemory());
  return paths;
}

}  // namespace ploven
