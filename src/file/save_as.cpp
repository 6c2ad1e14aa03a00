// Writing the schedule elsewhere: Save As, relocation and Backup All.

#include "file/schedule_files.h"
#include "file/schedule_files_messages.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = files_text;

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool ScheduleFiles::SaveAs(Schedule& s, const std::string& folder, SaveAsKind kind,
                           int16_t formatVersion) {
  const std::string destination = WithoutTrailingSlash(folder);
  switch (kind) {
    case SaveAsKind::kCurrent:
      return MoveTo(s, destination);
    case SaveAsKind::kScrambled: {
      // The volume serial number of the original's system drive has no
      // counterpart here; the fixed key keeps support copies comparable.
      SaveOptions options;
      options.scrambleTitlesKey = kDefaultTitleScrambleKey;
      return WriteCopy(s, destination + "/" + t::kScrambledName, options);
    }
    case SaveAsKind::kBackLevel: {
      if (formatVersion < 21 || formatVersion > 24) {
        m_msg.ErrorMessage(t::kBadBackLevelFormat);
        return false;
      }
      // The schedule in use keeps being saved in the current format, so an
      // older copy must not take its place.
      if (destination == m_folder) {
        m_msg.ErrorMessage(t::kBackLevelOverSchedule);
        return false;
      }
      if (!BackLevelAllowed(s, formatVersion)) return false;
      SaveOptions options;
      options.formatVersion = formatVersion;
      return WriteCopy(s, destination + "/" + t::kDefaultScheduleName, options);
    }
  }
  return false;
}

bool ScheduleFiles::BackLevelAllowed(Schedule& s, int16_t formatVersion) {
  bool longTitles = false;
  for (const auto& [key, node] : s.actChain()) {
    if (s.GetActNameFull(node.act).size() > kBackLevelTitleLimit) {
      longTitles = true;
      break;
    }
  }
  const bool projects = formatVersion < 24 && s.projects().Count() > 0;
  if (!longTitles && !projects) return true;
  std::string reasons;
  if (longTitles) reasons += FillText(t::kBackLevelLongTitles, {std::to_string(kBackLevelTitleLimit)});
  if (projects) reasons += t::kBackLevelProjects;
  return m_msg.Question(FillText(t::kBackLevelLosesData, {std::to_string(formatVersion), reasons})) ==
         kIdYes;
}

// A file that is not the schedule in use, written whole before it takes its name.
bool ScheduleFiles::WriteCopy(Schedule& s, const std::string& destination,
                              const SaveOptions& options) {
  const std::string folder = FolderOf(destination);
  if (!m_fs.IsFolder(folder) && m_fs.MakeFolders(folder) != 0) {
    m_msg.ErrorMessageWithPath(t::kCannotCreateFolder, folder);
    return false;
  }
  std::optional<std::vector<uint8_t>> bytes = SaveSchedule(s, options);
  if (!bytes) return false;
  const std::string tmp = destination + t::kTempExtension;
  FileOutcome outcome = WriteWholeFile(m_fs, tmp, *bytes);
  if (outcome.ok()) {
    if (int e = m_fs.Rename(tmp, destination)) {
      m_fs.Remove(tmp);
      outcome = {e, WriteStep::kRename};
    }
  }
  if (!outcome.ok()) {
    ReportWriteFailure(outcome.step == WriteStep::kRename ? destination : tmp, outcome);
    return false;
  }
  m_fs.SyncFolder(folder);
  return true;
}

// The schedule moves to `folder`: it is saved there under the default name,
// with its backups beside it.
bool ScheduleFiles::MoveTo(Schedule& s, const std::string& folder) {
  const std::string target = folder + "/" + t::kDefaultScheduleName;
  if (target == m_schedulePath) return SaveNow(s);
  if (!m_fs.IsFolder(folder) && m_fs.MakeFolders(folder) != 0) {
    m_msg.ErrorMessageWithPath(t::kCannotCreateFolder, folder);
    return false;
  }
  auto lock = std::make_unique<ScheduleLock>(m_fs, m_msg, target, m_identity.self, m_identity.alive);
  if (lock->Acquire() != LockStatus::kAcquired) {
    m_msg.ErrorMessageWithPath(t::kTargetInUse, target);
    return false;
  }
  const std::string oldPath = m_path, oldSchedule = m_schedulePath, oldFolder = m_folder;
  const bool oldNew = m_newSchedule;
  CopyBackupsTo(target);
  std::unique_ptr<ScheduleLock> oldLock = std::move(m_lock);
  m_lock = std::move(lock);
  SetPaths(target);
  m_newSchedule = false;  // whatever is there was chosen to be replaced
  if (!Save(s)) {
    m_lock = std::move(oldLock);  // the new place's lock goes with its object
    m_path = oldPath;
    m_schedulePath = oldSchedule;
    m_folder = oldFolder;
    m_newSchedule = oldNew;
    return false;
  }
  if (oldLock) oldLock->Release();
  return true;
}

// The backups travel with the schedule and take the names of its new place
// ("work.bak" becomes "timedata.bak" beside a schedule moved to "timedata.pak").
// Files already in the destination stay: they may be another schedule's.
void ScheduleFiles::CopyBackupsTo(const std::string& targetSchedule) {
  const std::vector<std::string> froms = Names().Travelling();
  const std::vector<std::string> tos = BackupNames(targetSchedule).Travelling();
  for (size_t i = 0; i < froms.size() && i < tos.size(); ++i) {
    const std::string& from = froms[i];
    const std::string& to = tos[i];
    if (!m_fs.Exists(from) || m_fs.Exists(to)) continue;
    const FileOutcome outcome = CopyFileSafely(m_fs, from, to);
    if (!outcome.ok()) ReportCopyFailure(from, to, outcome, false);
  }
}

bool ScheduleFiles::RelocateSchedule(Schedule& s, const std::string& sharedFolder,
                                     const std::string& user) {
  if (user.empty() || user == "." || user == ".." || user.find('/') != std::string::npos) {
    m_msg.ErrorMessageWithPath(t::kInvalidUserName, user);
    return false;
  }
  const std::string shared = WithoutTrailingSlash(sharedFolder);
  const std::string target = shared + "/" + user;
  if (target == m_folder) {
    m_msg.InformationMessage(FillText(t::kAlreadyInUserFolder, {target}));
    return false;
  }
  if (m_fs.Exists(target)) {
    m_msg.ErrorMessage(std::string(t::kUserFolderExists) + t::kUserFolderExistsAdvice);
    return false;
  }
  if (m_msg.Question(FillText(t::kRelocateQuestion, {m_folder, target})) != kIdYes) {
    m_msg.InformationMessage(t::kRelocateDeclined);
    return false;
  }
  if (!m_fs.IsFolder(shared)) {
    m_msg.ErrorMessage(t::kRelocateNoDrive);
    return false;
  }
  if (m_fs.MakeFolders(target) != 0) {
    m_msg.ErrorMessage(t::kRelocateNoFolder);
    return false;
  }
  // The copy must hold every change; a schedule that cannot be saved stays.
  if (!SaveNow(s)) return false;
  const std::string newPath = target + "/" + t::kDefaultScheduleName;
  auto lock = std::make_unique<ScheduleLock>(m_fs, m_msg, newPath, m_identity.self, m_identity.alive);
  if (lock->Acquire() != LockStatus::kAcquired) {
    m_msg.ErrorMessageWithPath(t::kTargetInUse, newPath);
    return false;
  }
  const FileOutcome copied = CopyFileSafely(m_fs, m_schedulePath, newPath);
  if (!copied.ok()) {
    ReportCopyFailure(m_schedulePath, newPath, copied, false);
    return false;
  }
  CopyBackupsTo(newPath);
  if (m_lock) m_lock->Release();
  m_lock = std::move(lock);
  SetPaths(newPath);
  m_msg.InformationMessage(t::kRelocateSuccess);
  return true;
}

bool ScheduleFiles::AskBackupAll() {
  // Proceed is the default: with Help there, Enter would only bring the question back.
  MultiButtonParams params;
  params.customCaptions = t::kBackupAllButtons;
  for (;;) {
    const int answer =
        m_msg.MultiButtonBox(std::string(t::kBackupAllQuestion) + t::kBackupAllExplanation,
                             t::kBackupAllCaption, kMbIconQuestion | kMbDefButton2, params);
    if (answer != t::kBackupAllHelp) return answer == t::kBackupAllProceed;
    m_msg.OpenHelpTopic(t::kBackupAllHelpTopic);
  }
}

std::string ScheduleFiles::BackupStartFolder() const {
  const std::string remembered = m_settings.ReadString(t::kMobilePathKey);
  return remembered.empty() ? m_folder : remembered;
}

BackupAllResult ScheduleFiles::BackupAll(Schedule& s, const std::string& destination) {
  const std::string target = WithoutTrailingSlash(destination);
  if (target == m_folder) {
    m_msg.ErrorMessage(t::kBackupIntoScheduleFolder);
    return BackupAllResult::kFailed;
  }
  m_settings.WriteString(t::kMobilePathKey, target);
  // A read-only schedule is backed up as it is on the disk.
  if (s.changed() && m_lock && m_lock->held() && !SaveNow(s)) {
    m_msg.ErrorMessage(t::kBackupFailed);
    return BackupAllResult::kFailed;
  }
  if (!m_fs.IsFolder(target) && m_fs.MakeFolders(target) != 0) {
    m_msg.ErrorMessage(t::kBackupFailed);
    return BackupAllResult::kFailed;
  }
  // The lock and waiting notes belong to the running programs, and files
  // being written are not complete.
  const std::string lockName = FileNameOf(m_lock ? m_lock->lockPath() : std::string());
  const std::string waitName = FileNameOf(m_lock ? m_lock->waitPath() : std::string());
  for (const std::string& name : m_fs.ListFiles(m_folder)) {
    const bool skip = (!lockName.empty() && name.rfind(lockName, 0) == 0) ||
                      (!waitName.empty() && name.rfind(waitName, 0) == 0) ||
                      EndsWith(name, t::kTempExtension) || EndsWith(name, t::kCopyingSuffix);
    if (skip) continue;
    const FileOutcome outcome = CopyFileSafely(m_fs, m_folder + "/" + name, target + "/" + name);
    if (!outcome.ok()) {
      m_msg.ErrorMessage(std::string(t::kBackupFailed) +
                         FillText(t::kStepDetail, {WriteStepName(outcome.step), ErrorText(outcome.error)}));
      return BackupAllResult::kFailed;
    }
  }
  const std::string question = std::string(t::kBackupDoneClose) + t::kBackupDoneCloseNote;
  return m_msg.Question(question) == kIdYes ? BackupAllResult::kDoneClose : BackupAllResult::kDone;
}

}  // namespace ploven
