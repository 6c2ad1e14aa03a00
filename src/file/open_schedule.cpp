// Opening a schedule, with the recovery of a damaged or missing file.

#include "file/schedule_files.h"
#include "file/schedule_files_messages.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "store/schedule.h"

namespace ploven {
namespace {
namespace t = files_text;

OpenResult WithStatus(OpenStatus status) {
  OpenResult result;
  result.status = status;
  return result;
}

}  // namespace

OpenResult ScheduleFiles::OpenSchedule(const std::string& path, bool fromCommandLine) {
  // Loading twice into one program would mix two schedules' state.
  if (m_opened) m_msg.InternalError(t::kSecondLoad, t::kLoadModule, __LINE__);
  m_opened = true;
  if (path.empty()) {
    m_msg.ErrorMessage(t::kNoScheduleName);
    return {};
  }
  SetPaths(path);
  m_corruptLoadAtOpen = CorruptLoad();
  if (m_corruptLoadAtOpen == 1 || m_corruptLoadAtOpen == 3) {
    if (std::optional<OpenResult> ended = AskRecovery(m_corruptLoadAtOpen)) return std::move(*ended);
  }
  OpenResult result = OpenFile(fromCommandLine);
  if (result.schedule) {
    if (!m_lock) TakeLock(m_schedulePath);
    result.readOnly = !m_lock->held();
  }
  return result;
}

// The question after a load that was abandoned on damaged data. Nothing when
// the user goes on with the same file.
std::optional<OpenResult> ScheduleFiles::AskRecovery(int corruptLoad) {
  MultiButtonParams params;
  params.customCaptions = t::kRecoverButtons;
  const int answer = m_msg.MultiButtonBox(std::string(t::kRecoverQuestion) + t::kRecoverQuestionExit,
                                          t::kRecoverCaption, kMbIconQuestion, params);
  if (answer == t::kRecoverExit) {
    m_msg.InformationMessage(t::kExitConfirmed);
    return WithStatus(OpenStatus::kExit);
  }
  if (answer != t::kRecoverTryBackup) return std::nullopt;

  const BackupNames names = Names();
  const std::string backup = names.Backup();
  if (corruptLoad == 3) {
    m_msg.ErrorMessage(
        FillText(t::kAlreadyTriedBackup, {FileNameOf(m_schedulePath), FileNameOf(backup)}) +
        t::kSeeTroubleshooting);
    SetCorruptLoad(0);
    return WithStatus(OpenStatus::kExit);
  }
  if (!m_fs.Exists(backup)) {
    m_msg.ErrorMessage(FillText(t::kNoBackupFile, {FileNameOf(backup)}));
    return WithStatus(OpenStatus::kExit);
  }
  m_msg.InformationMessage(
      FillText(t::kWillReplaceWithBackup,
               {FileNameOf(backup), FileNameOf(backup), FileNameOf(names.ScheduleRenamed()),
                FileNameOf(names.BackupRenamed())}));
  struct Copy {
    std::string from, to;
  };
  std::vector<Copy> copies;
  if (m_fs.Exists(m_schedulePath)) copies.push_back({m_schedulePath, names.ScheduleRenamed()});
  copies.push_back({backup, names.BackupRenamed()});
  copies.push_back({backup, m_schedulePath});
  for (const Copy& c : copies) {
    const FileOutcome outcome = CopyFileSafely(m_fs, c.from, c.to);
    if (!outcome.ok()) {
      // The counter stays, so the next launch offers the same choice again.
      ReportCopyFailure(c.from, c.to, outcome, false);
      return WithStatus(OpenStatus::kExit);
    }
  }
  m_msg.InformationMessage(std::string(t::kReplacedNowExit) + t::kReplacedNowExitAdvice);
  SetCorruptLoad(2);
  return WithStatus(OpenStatus::kExit);
}

OpenResult ScheduleFiles::OpenFile(bool fromCommandLine) {
  auto bytes = m_fs.ReadFile(m_path);
  if (!bytes.ok()) {
    if (IsNetworkError(bytes.error)) {
      m_msg.ErrorMessage(t::kNetworkError);
      return {};
    }
    return OpenMissing(fromCommandLine);
  }
  bool otherVersion = false;
  std::unique_ptr<Schedule> s = LoadInto(*bytes.value, otherVersion);
  if (!s) return m_lastLoadOutOfMemory ? OpenResult{} : LoadFailed();
  AfterLoad(otherVersion);
  OpenResult opened = WithStatus(OpenStatus::kOpened);
  opened.schedule = std::move(s);
  return opened;
}

OpenResult ScheduleFiles::OpenMissing(bool fromCommandLine) {
  if (m_fs.Exists(m_path)) {
    m_msg.ErrorMessageWithPath(t::kExistsNotOpenable, m_path);
    return {};
  }
  // A folder named on the command line may be made below; a remembered one must be there.
  if (!fromCommandLine && !m_fs.IsFolder(m_folder)) {
    m_msg.ErrorMessage(FillText(t::kFolderUnreachable, {m_folder}) + t::kFolderUnreachableCauses);
    return {};
  }
  const std::string backup = BackupPath();
  if (m_fs.Exists(backup)) {
    const std::string schedule = FileNameOf(m_schedulePath);
    m_msg.InformationMessage(
        FillText(t::kMissingRestoring, {schedule, FileNameOf(backup), schedule}));
    OpenResult restored = ReplaceWithBackup(backup);
    if (!restored.schedule) m_msg.ErrorMessage(t::kBackupAlsoInvalid);
    return restored;
  }
  if (!fromCommandLine) return WithStatus(OpenStatus::kFirstRun);
  if (m_msg.Question(FillText(t::kCreateNewQuestion, {m_path})) != kIdYes) {
    return WithStatus(OpenStatus::kExit);
  }
  if (!m_fs.IsFolder(m_folder) && m_fs.MakeFolders(m_folder) != 0) {
    m_msg.ErrorMessageWithPath(t::kCannotCreateFolder, m_folder);
    return {};
  }
  OpenResult created = WithStatus(OpenStatus::kCreated);
  created.schedule = NewEmptySchedule(m_path);
  return created;
}

OpenResult ScheduleFiles::LoadFailed() {
  const std::string backup = BackupPath();
  if (!m_fs.Exists(backup)) {
    m_msg.ErrorMessage(FillText(t::kLoadFailedNoBackup, {m_path}) +
                       FillText(t::kLoadFailedNoBackupDetail, {FileNameOf(backup)}));
    return {};
  }
  const std::string question = FillText(t::kLoadFailedAskBackup, {m_path, FileNameOf(backup)});
  Log(question);
  if (m_msg.Question(question) != kIdYes) return {};
  OpenResult restored = ReplaceWithBackup(backup);
  if (restored.schedule) {
    m_msg.InformationMessage(
        FillText(t::kGoodNewsReplaced, {FileNameOf(m_schedulePath), FileNameOf(backup)}));
  } else {
    m_msg.ErrorMessage(t::kBackupAlsoInvalid);
  }
  return restored;
}

OpenResult ScheduleFiles::ReplaceWithBackup(const std::string& backupPath) {
  auto bytes = m_fs.ReadFile(backupPath);
  if (!bytes.ok()) return {};
  bool otherVersion = false;
  std::unique_ptr<Schedule> s = LoadInto(*bytes.value, otherVersion);
  if (!s) return {};
  m_path = backupPath;
  // Written under the schedule's own name at the first save.
  s->MarkChanged();
  AfterLoad(otherVersion);
  OpenResult result = WithStatus(OpenStatus::kOpened);
  result.schedule = std::move(s);
  if (m_opened && m_lock) result.readOnly = !m_lock->held();
  return result;
}

// Loads into a schedule of its own, so that a failed load leaves nothing
// half-built in use.
std::unique_ptr<Schedule> ScheduleFiles::LoadInto(std::span<const uint8_t> bytes,
                                                  bool& writtenByOtherVersion) {
  auto s = std::make_unique<Schedule>(m_msg, m_clock);
  LoadOptions options;
  options.noteCorruptLoad = [this] { AdvanceCorruptLoad(); };
  const LoadResult loaded = LoadSchedule(*s, bytes, options);
  m_lastLoadOutOfMemory = loaded.outOfMemory;
  if (loaded.outOfMemory) {
    m_msg.ErrorMessage(t::kInsufficientMemory);
    return nullptr;
  }
  if (!loaded.ok) return nullptr;
  writtenByOtherVersion = loaded.writtenByOtherVersion;
  return s;
}

void ScheduleFiles::AfterLoad(bool writtenByOtherVersion) {
  if (m_corruptLoadAtOpen == 2) {
    const BackupNames names = Names();
    m_msg.InformationMessage(
        FillText(t::kGoodNewsBackupSolved,
                 {FileNameOf(m_schedulePath), FileNameOf(names.Backup()),
                  FileNameOf(names.ScheduleRenamed()), FileNameOf(names.BackupRenamed())}));
  }
  m_corruptLoadAtOpen = 0;
  if (CorruptLoad() != 0) SetCorruptLoad(0);
  m_lastSaveSize = m_fs.FileSize(m_path).value_or(0);
  m_lastSaveSeconds = m_clock.EpochSeconds();
  LatestLaunchBackup(writtenByOtherVersion);
}

// The schedule as it was at this launch. A schedule much smaller than the last
// one kept is more likely a mistake than real work, so it does not replace it;
// a file of another program version is always kept.
void ScheduleFiles::LatestLaunchBackup(bool force) {
  if (usingBackup() || !m_fs.Exists(m_schedulePath)) return;
  const std::string latest = LatestLaunchPath();
  if (!force) {
    const std::optional<int64_t> kept = m_fs.FileSize(latest);
    const std::optional<int64_t> now = m_fs.FileSize(m_schedulePath);
    if (kept && now && *now * 2 < *kept) {
      Log(FillText(t::kLatestLaunchSkipped, {FileNameOf(latest), FileNameOf(m_schedulePath)}));
      return;
    }
  }
  const FileOutcome copied = CopyFileSafely(m_fs, m_schedulePath, latest);
  if (!copied.ok()) {
    Log(FillText(t::kLatestLaunchFailed,
                 {m_schedulePath, latest, WriteStepName(copied.step), ErrorText(copied.error)}));
  }
}

}  // namespace ploven
