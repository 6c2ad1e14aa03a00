#pragma once

#include <cstdint>

namespace ploven {

class NoteFiles;

// The lock file (".loc") that stands beside a note while a note window of some program has it
// open. Its time stamp is renewed every minute; one that has not been renewed for 90 seconds
// is stale and is taken over.
enum class NoteLockOutcome { kTaken, kInUse, kFailed };

inline constexpr int kLockFreshBeforeSeconds = 90;  // lock older than the probe by this much
inline constexpr int kLockFreshAfterSeconds = 180;  // lock newer than the probe (clock skew)

// Whether the lock's time stamp lies from 90 seconds before to 180 seconds after the probe's.
bool LockTimeIsFresh(int64_t lockSeconds, int64_t probeSeconds);

// Both the freshness test and the taking use the file system's own clock: a probe file
// (".WAI") is written beside the lock and its time stamp read, so two computers sharing a drive
// compare times of one clock.
class NoteLocks {
 public:
  explicit NoteLocks(NoteFiles& files) : m_files(files) {}

  // Refuses (told unless `quietly`) a note whose lock is fresh; removes a stale one; creates
  // the lock.
  NoteLockOutcome Take(int32_t number, bool quietly = false);
  // Writes the lock again so its time stamp stays fresh; false when it could not.
  bool Renew(int32_t number);
  // Removes the lock (told when it cannot be removed).
  bool Release(int32_t number);
  bool IsFresh(int32_t number);

 private:
  NoteFiles& m_files;
};

}  // namespace ploven
