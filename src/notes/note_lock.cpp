#include "notes/note_lock.h"

#include "notes/note_files.h"
#include "notes/note_messages.h"
#include "platform/messages.h"
#include "store/schedule.h"

namespace ploven {
namespace t = note_text;

namespace {
// What a lock holds; only its time stamp counts.
constexpr uint8_t kLockText[] = {'l', 'o', 'c', 'k', 'e', 'd', '\n'};
}  // namespace

bool LockTimeIsFresh(int64_t lockSeconds, int64_t probeSeconds) {
  return lockSeconds >= probeSeconds - kLockFreshBeforeSeconds &&
         lockSeconds <= probeSeconds + kLockFreshAfterSeconds;
}

bool NoteLocks::IsFresh(int32_t number) {
  FileSystem& fs = m_files.fs();
  const std::string lock = m_files.LockPathOf(number);
  const std::optional<int64_t> lockTime = fs.ModifiedSeconds(lock);
  if (!lockTime) return fs.Exists(lock);  // there but its time unreadable: count it as held
  const std::string probe = m_files.ProbePathOf(number);
  std::optional<int64_t> probeTime;
  if (WriteWholeFile(fs, probe, {}).ok()) {
    probeTime = fs.ModifiedSeconds(probe);
    fs.Remove(probe);
  }
  if (!probeTime) return true;  // no way to compare: never take another program's lock
  return LockTimeIsFresh(*lockTime, *probeTime);
}

NoteLockOutcome NoteLocks::Take(int32_t number, bool quietly) {
  if (!m_files.PrepareFolder()) return NoteLockOutcome::kFailed;
  FileSystem& fs = m_files.fs();
  const std::string lock = m_files.LockPathOf(number);
  // Created exclusively: of two programs taking one note at the same moment, one wins.
  for (int attempt = 0; attempt < 2; ++attempt) {
    FileOutcome made = WriteWholeFile(fs, lock, kLockText, CreateMode::kExclusive);
    if (made.ok()) return NoteLockOutcome::kTaken;
    if (made.error != EEXIST || made.step != WriteStep::kCreate) break;
    if (IsFresh(number)) {
      if (!quietly) m_files.schedule().messages().ErrorMessage(t::kNoteInUse);
      return NoteLockOutcome::kInUse;
    }
    fs.Remove(lock);  // stale: its program is gone
  }
  if (!quietly) m_files.schedule().messages().ErrorMessage(t::kLockNotCreated);
  return NoteLockOutcome::kFailed;
}

bool NoteLocks::Renew(int32_t number) {
  return WriteWholeFile(m_files.fs(), m_files.LockPathOf(number), kLockText).ok();
}

bool NoteLocks::Release(int32_t number) {
  int e = m_files.fs().Remove(m_files.LockPathOf(number));
  if (e == 0 || e == ENOENT) return true;
  m_files.schedule().messages().ErrorMessage(t::kLockNotRemoved);
  return false;
}

}  // namespace ploven
