#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "file/backup_names.h"
#include "file/file_system.h"
#include "file/schedule_format.h"
#include "file/schedule_lock.h"

namespace ploven {

class Clock;
class ErrorLog;
class Messages;
class Schedule;
class Settings;

// Which file is the schedule: a command-line argument (a folder, or a name
// without a ".", gets "timedata.pak"; any other name gets the extension
// ".pak"), else "Timedata.pak" in the program's folder; always a full path.
// Nothing for an invalid name (told).
std::optional<std::string> ResolveSchedulePath(FileSystem& fs,
                                               const std::optional<std::string>& argument,
                                               const std::string& programFolder,
                                               Messages& messages);

enum class OpenStatus {
  kOpened,     // loaded from the file (or from its backup)
  kCreated,    // a new empty schedule; it is saved at the first save
  kFirstRun,   // no schedule and no backup: the caller runs the welcome
  kExit,       // the user chose to exit, or recovery needs a restart
  kFailed,     // told why
};

struct OpenResult {
  OpenStatus status = OpenStatus::kFailed;
  std::unique_ptr<Schedule> schedule;  // only with kOpened and kCreated
  bool readOnly = false;  // another program holds the write lock (or it could not be made)
};

// How the program is known to the write lock; tests give two of them.
struct LockIdentity {
  LockOwner self = ScheduleLock::ThisProgram();
  std::function<bool(int)> alive = &ScheduleLock::ProcessAlive;
};

enum class BackupAllResult { kFailed, kDone, kDoneClose };

// The schedule file and everything beside it: opening with recovery, safe
// saving with backups, the exclusive-access lock, Save As, relocation and
// backing up. One per open schedule.
//
// A save never leaves a moment without a complete schedule under its name:
// the new file is written and flushed as ".tmp", the old schedule is copied to
// its backup ("work.bak" for "work.pak", see BackupNames) through a temporary
// file, and the ".tmp" is renamed over the schedule in one step.
class ScheduleFiles {
 public:
  ScheduleFiles(FileSystem& fs, Messages& messages, const Clock& clock, Settings& settings,
                ErrorLog* log = nullptr, LockIdentity identity = {});
  ~ScheduleFiles();
  ScheduleFiles(const ScheduleFiles&) = delete;
  ScheduleFiles& operator=(const ScheduleFiles&) = delete;

  // The file in use: the schedule, or its backup between ReplaceWithBackup and
  // the first save.
  const std::string& path() const { return m_path; }
  // Where saves go: the schedule's own name.
  const std::string& schedulePath() const { return m_schedulePath; }
  const std::string& folder() const { return m_folder; }
  bool newSchedule() const { return m_newSchedule; }
  bool saving() const { return m_saving; }
  bool usingBackup() const { return m_path != m_schedulePath; }
  // Null until a schedule is open.
  ScheduleLock* lock() { return m_lock.get(); }
  int64_t lastSaveSize() const { return m_lastSaveSize; }
  double lastSaveSeconds() const { return m_lastSaveSeconds; }

  // The names beside the schedule, named after it.
  BackupNames Names() const { return BackupNames(m_schedulePath); }
  std::string TempPath() const { return Names().Temp(); }
  std::string BackupPath() const { return Names().Backup(); }
  std::string LatestLaunchPath() const { return Names().LatestLaunch(); }
  std::string RandomBackupPath(int n) const { return Names().RandomBackup(n); }  // 1..3
  // 1..7, 1 = Sunday
  std::string WeekdayBackupPath(int n) const { return Names().WeekdayBackup(n); }
  std::string UnsavedLogPath() const { return Names().UnsavedLog(); }

  // Loads `path` with the recovery questions; takes the write lock, or opens
  // read-only when another program holds it. `fromCommandLine`: a missing file
  // may be created new (asked). Called once per ScheduleFiles; a second call
  // is an internal error.
  OpenResult OpenSchedule(const std::string& path, bool fromCommandLine);
  // A new empty schedule at `path`, not yet written (marked changed, so the
  // first save writes it); takes the write lock when it is not held yet.
  std::unique_ptr<Schedule> NewEmptySchedule(const std::string& path);

  // Saves when the schedule changed and start-up is over. True when nothing
  // needed saving or the save succeeded.
  bool SaveIfChanged(Schedule& s, bool startupOver = true);
  // Saves whether or not anything changed; true on success.
  bool SaveNow(Schedule& s);

  // Loads the backup into a new schedule, which becomes the one in use (marked
  // changed: the first save writes it under the schedule's name). Nothing is
  // replaced on disk until that save.
  OpenResult ReplaceWithBackup(const std::string& backupPath);

  // Save As into `folder`: in the current format (the schedule moves there),
  // the scrambled support copy, or a back-level copy in format 21..24 (asked
  // first when it would lose data). The copies leave the schedule in use as it is.
  enum class SaveAsKind { kCurrent, kScrambled, kBackLevel };
  bool SaveAs(Schedule& s, const std::string& folder, SaveAsKind kind, int16_t formatVersion = 26);
  // Moves the schedule into the user's folder of the shared folder (asked).
  // True when moved; the caller records the folder as the one opened at launch.
  bool RelocateSchedule(Schedule& s, const std::string& sharedFolder, const std::string& user);

  // The Backup All question (Help shows the help topic and asks again); true for Proceed.
  bool AskBackupAll();
  // Where the destination dialog starts: the "MobilePath" setting, else the schedule's folder.
  std::string BackupStartFolder() const;
  // Saves, then copies every file of the schedule folder into `destination`.
  BackupAllResult BackupAll(Schedule& s, const std::string& destination);

  // Appended to the schedule's "ItemsNotYetSavedLog.txt" until the next save.
  void LogUnsavedItem(const std::string& title);
  // Logs the titles of the schedule's items made since the last save that are
  // not logged yet.
  void LogNewItems(Schedule& s);

  // Closing: a final save; with changes that cannot be saved, logged. Releases the lock.
  void Close(Schedule* s);

  // Titles longer than this cannot be read by the formats before 25.
  static constexpr size_t kBackLevelTitleLimit = 255;

 private:
  void SetPaths(const std::string& path);
  int CorruptLoad() const;
  void SetCorruptLoad(int value);
  void AdvanceCorruptLoad();
  void TakeLock(const std::string& schedulePath);
  void Log(const std::string& line);

  // open_schedule.cpp
  std::optional<OpenResult> AskRecovery(int corruptLoad);
  OpenResult OpenFile(bool fromCommandLine);
  OpenResult OpenMissing(bool fromCommandLine);
  OpenResult LoadFailed();
  std::unique_ptr<Schedule> LoadInto(std::span<const uint8_t> bytes, bool& writtenByOtherVersion);
  void AfterLoad(bool writtenByOtherVersion);
  void LatestLaunchBackup(bool force);

  // save_schedule.cpp
  bool Save(Schedule& s);
  void RotateCopies();
  FileOutcome PutInPlace(const std::string& tmp);
  void ReportWriteFailure(const std::string& file, const FileOutcome& outcome);
  void ReportCopyFailure(const std::string& from, const std::string& to,
                         const FileOutcome& outcome, bool duringSave);

  // save_as.cpp
  bool WriteCopy(Schedule& s, const std::string& destination, const SaveOptions& options);
  bool MoveTo(Schedule& s, const std::string& folder);
  bool BackLevelAllowed(Schedule& s, int16_t formatVersion);
  void CopyBackupsTo(const std::string& targetSchedule);

  FileSystem& m_fs;
  Messages& m_msg;
  const Clock& m_clock;
  Settings& m_settings;
  ErrorLog* m_log;
  LockIdentity m_identity;
  std::string m_path;
  std::string m_schedulePath;
  std::string m_folder;
  std::unique_ptr<ScheduleLock> m_lock;
  int64_t m_lastSaveSize = 0;
  double m_lastSaveSeconds = 0;
  int m_corruptLoadAtOpen = 0;
  size_t m_unsavedLogged = 0;  // of the schedule's unsaved titles
  bool m_opened = false;
  bool m_lastLoadOutOfMemory = false;
  bool m_saving = false;
  bool m_newSchedule = false;
  bool m_toldPostponed = false;
  bool m_toldResurfaced = false;
};

// A copy of `format` with each "%s" or "%d" replaced by the next argument and
// "%%" by "%". Formats are the program's own; arguments are never re-read.
std::string FillText(std::string_view format, std::initializer_list<std::string_view> arguments);

// The system's text for an errno value.
std::string ErrorText(int error);
// Failures that mean the connection to a network folder is gone.
bool IsNetworkError(int error);

}  // namespace ploven
