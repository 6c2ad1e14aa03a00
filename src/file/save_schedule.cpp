// Saving: the new file is complete and on the disk before it takes the
// schedule's name, and the previous schedule survives as its backup.

#include "file/lock_messages.h"
#include "file/schedule_files.h"
#include "file/schedule_files_messages.h"
#include "platform/messages.h"
#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = files_text;

// Clears the save-in-progress flag however the save ends.
class SavingFlag {
 public:
  explicit SavingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
  ~SavingFlag() { m_flag = false; }
  SavingFlag(const SavingFlag&) = delete;
  SavingFlag& operator=(const SavingFlag&) = delete;

 private:
  bool& m_flag;
};

}  // namespace

bool ScheduleFiles::Save(Schedule& s) {
  if (m_saving || m_schedulePath.empty()) return false;
  SavingFlag saving(m_saving);

  if (!m_lock || !m_lock->held()) {
    if (!m_toldPostponed) m_msg.InformationMessage(lock_text::kPostponedSave);
    m_toldPostponed = true;
    return false;
  }
  // A schedule that was missing when this new one was made has come back:
  // writing over it would throw its data away.
  if (m_newSchedule && m_fs.Exists(m_schedulePath)) {
    if (!m_toldResurfaced) m_msg.ErrorMessage(t::kResurfaced);
    m_toldResurfaced = true;
    return false;
  }

  std::optional<std::vector<uint8_t>> bytes = SaveSchedule(s);
  if (!bytes) return false;  // told by the writer

  const std::string tmp = TempPath();
  const FileOutcome written = WriteWholeFile(m_fs, tmp, *bytes);
  if (!written.ok()) {
    ReportWriteFailure(tmp, written);
    return false;
  }

  // The schedule in use is the backup itself: the damaged or missing schedule
  // is not copied over the backup, the new file simply takes the schedule's name.
  if (!usingBackup() && m_fs.Exists(m_schedulePath)) {
    const FileOutcome copied = CopyFileSafely(m_fs, m_schedulePath, BackupPath());
    if (!copied.ok()) {
      m_fs.Remove(tmp);
      ReportCopyFailure(m_schedulePath, BackupPath(), copied, true);
      return false;
    }
  }
  RotateCopies();

  const FileOutcome placed = PutInPlace(tmp);
  if (!placed.ok()) {
    m_fs.Remove(tmp);
    ReportWriteFailure(m_schedulePath, placed);
    return false;
  }
  // The new file is complete and flushed; only the folder entry may not be on
  // the disk yet, which the next save repeats anyway.
  if (int e = m_fs.SyncFolder(m_folder)) Log(FillText(t::kFolderNotFlushed, {m_folder, ErrorText(e)}));

  m_path = m_schedulePath;
  m_lastSaveSize = static_cast<int64_t>(bytes->size());
  m_lastSaveSeconds = m_clock.EpochSeconds();
  m_fs.Remove(UnsavedLogPath());
  s.ClearChanged();
  s.ClearUnsavedTitles();
  m_unsavedLogged = 0;
  m_newSchedule = false;
  m_toldPostponed = false;
  return true;
}

// Every seventh minute the backup is also kept as one of three rotating
// copies and as the copy of the weekday.
void ScheduleFiles::RotateCopies() {
  const int minute = m_clock.Now();
  if ((minute - 11) % 7 != 0) return;
  const std::string backup = BackupPath();
  if (!m_fs.Exists(backup)) return;
  const std::string copies[] = {RandomBackupPath(minute / 60 % 3 + 1),
                                WeekdayBackupPath(Weekday(m_clock.Today()) + 1)};
  for (const std::string& copy : copies) {
    // A missing extra copy loses nothing: the save goes on.
    const FileOutcome outcome = CopyFileSafely(m_fs, backup, copy);
    if (!outcome.ok()) ReportCopyFailure(backup, copy, outcome, true);
  }
}

// One rename replaces the schedule; where renaming is refused, a copy that
// is itself renamed into place.
FileOutcome ScheduleFiles::PutInPlace(const std::string& tmp) {
  const int renamed = m_fs.Rename(tmp, m_schedulePath);
  if (renamed == 0) return {};
  if (CopyFileSafely(m_fs, tmp, m_schedulePath).ok()) {
    m_fs.Remove(tmp);
    return {};
  }
  return {renamed, WriteStep::kRename};
}

void ScheduleFiles::ReportWriteFailure(const std::string& file, const FileOutcome& outcome) {
  if (IsNetworkError(outcome.error)) {
    m_msg.ErrorMessage(t::kNetworkError);
  } else if (outcome.step == WriteStep::kCreate) {
    m_msg.ErrorMessage(FillText(t::kUnableToCreate, {file}) +
                       FillText(t::kStepDetail, {WriteStepName(outcome.step), ErrorText(outcome.error)}));
  } else {
    m_msg.ErrorMessage(
        FillText(t::kSaveFailed, {file, WriteStepName(outcome.step), ErrorText(outcome.error)}));
  }
}

void ScheduleFiles::ReportCopyFailure(const std::string& from, const std::string& to,
                                      const FileOutcome& outcome, bool duringSave) {
  std::string text = FillText(t::kCopyFailed, {from, to}) +
                     FillText(t::kStepDetail, {WriteStepName(outcome.step), ErrorText(outcome.error)});
  if (duringSave) text += t::kCopyFailedDuringSave;
  m_msg.ErrorMessage(text);
}

}  // namespace ploven
