#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ploven {

// The files kept beside one schedule, named after it: "work.pak" keeps
// "work.bak", "work.BackupRandom1" and so on, so that two schedules in one
// folder never share a backup. The default schedule ("timedata.pak", in any
// case) keeps the names its files always had ("timedata.bak", ...), so the
// backups already on the disk stay found.
class BackupNames {
 public:
  explicit BackupNames(const std::string& schedulePath);

  std::string Backup() const;              // "work.bak"
  std::string RandomBackup(int n) const;   // 1..3: "work.BackupRandom1"
  std::string WeekdayBackup(int n) const;  // 1..7, 1 = Sunday: "work.BackupDayOfWeek1"
  std::string LatestLaunch() const;        // "work.BackupLatestLaunch"
  std::string Temp() const;                // "work.tmp": a save in progress
  // What a recovery keeps of the damaged schedule and of the backup that replaces it.
  std::string ScheduleRenamed() const;  // "work.pakrenamed"
  std::string BackupRenamed() const;    // "work.bakrenamed"
  // Titles of items made since the last save: "work.ItemsNotYetSavedLog.txt",
  // and plain "ItemsNotYetSavedLog.txt" for the default schedule.
  std::string UnsavedLog() const;
  // The UIDs of the calendar items imported into or exported from it: "work.icsmap".
  std::string CalendarMemory() const;
  // The backups (and the calendar memory) that go with the schedule when it moves, in the same order
  // for every schedule, so that two lists pair each file with its new name.
  std::vector<std::string> Travelling() const;

 private:
  std::string m_schedule;
  std::string m_folder;
  std::string m_base;  // folder and the name the backups are built on
  bool m_default = false;
};

// The path with its file name's extension replaced (or added).
std::string WithExtension(const std::string& path, std::string_view extension);
// The file name of a path, without its folder.
std::string FileNameOf(const std::string& path);

}  // namespace ploven
