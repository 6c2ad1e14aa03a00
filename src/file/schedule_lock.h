#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "file/file_system.h"

namespace ploven {

class Messages;

// Who holds a schedule: the machine and the process.
struct LockOwner {
  std::string host;
  int pid = 0;
  std::string user;
  bool operator==(const LockOwner&) const = default;
};

enum class LockStatus {
  kAcquired,     // this program is the one writer
  kHeldByOther,  // another program writes (or may); this one reads only
  kFailed,       // the lock file could not be made (told)
};

// The text of a ".loc" or ".wai" file: the owner, and a token unique to one
// acquisition so that no two lock files are ever byte for byte alike.
std::vector<uint8_t> EncodeLockFile(const LockOwner& owner, const std::string& token);
// The owner, or nothing for a file that is not a complete record (torn, empty,
// foreign). Only complete lines count, so a torn write never yields a wrong pid.
std::optional<LockOwner> DecodeLockFile(const std::vector<uint8_t>& bytes);

// One writer per schedule, also between machines sharing a folder: the ".loc"
// file beside the schedule names its owner and is made with O_EXCL; a program
// that finds it taken leaves a ".wai" file asking for access.
//
// A lock is taken away from its file only through a guard: the file
// "<lock>.<hash of its bytes>" made with O_EXCL. Only the guard's maker may
// remove a lock file with exactly those bytes, and tokens make the bytes of
// every lock unique, so two programs reclaiming the same stale lock cannot
// both remove it, and neither can remove the fresh lock the other made. A
// guard whose maker died on this machine, or one left unreadable by a failing
// disk, is taken away the same way; guards a failed removal left behind are
// swept at the next Acquire.
//
// A lock of this machine whose process ended is reclaimed without asking. A
// lock of another machine, or a lock file that stays unreadable, is taken over
// only when the user says Yes (No is the default). An unreadable file is read
// again after a short pause first: it may be a lock still being written.
class ScheduleLock {
 public:
  // `alive` says whether a process of this machine still runs.
  ScheduleLock(FileSystem& fs, Messages& messages, std::string schedulePath, LockOwner self,
               std::function<bool(int pid)> alive);
  ~ScheduleLock();  // releases a held lock and this program's waiting note
  ScheduleLock(const ScheduleLock&) = delete;
  ScheduleLock& operator=(const ScheduleLock&) = delete;

  // Takes the lock. Held by another: leaves the ".wai" file and reports the
  // holder; calling it again later tries again.
  LockStatus Acquire();
  // Closing: removes the ".loc" file when it is still ours and the ".wai"
  // file (the waiters may now try). When not holding, removes only a ".wai"
  // this program wrote. Shows nothing, so it also serves a fatal shutdown.
  void Release();
  bool held() const { return m_held; }
  // False (and no longer held) when the lock file is gone or now names
  // someone else, e.g. taken over from another machine.
  bool StillHeld();
  // Another program left a ".wai" file asking for access.
  bool SomeoneWaiting();
  // The owner named in the lock file when another program holds it (empty
  // for an unreadable lock file).
  const LockOwner& holder() const { return m_holder; }
  const std::string& lockPath() const { return m_lockPath; }
  const std::string& waitPath() const { return m_waitPath; }

  // This machine and process.
  static LockOwner ThisProgram();
  // Alive unless the system says there is no such process.
  static bool ProcessAlive(int pid);

 private:
  enum class Take { kRemoved, kGone, kBusy, kFailed };

  std::optional<std::vector<uint8_t>> ReadIfThere(const std::string& path, int& error);
  // Creates `path` exclusively with `bytes`; 0, EEXIST or the errno (the
  // partial file removed again).
  int CreateExclusive(const std::string& path, const std::vector<uint8_t>& bytes);
  // Removes `path` when it still holds exactly `bytes`, under the guard.
  // `approved`: the user chose to take it over. `failure`: the errno when kFailed.
  Take TakeAway(const std::string& path, const std::vector<uint8_t>& bytes, int depth,
                bool approved, int& failure);
  bool StaleHere(const LockOwner& owner) const;
  // A guard of this process (guards live only inside one call) or of an ended one here.
  bool LeftoverGuard(const LockOwner& owner) const;
  void SweepLeftoverGuards();
  void LeaveWaitingNote();
  std::string NewToken();

  FileSystem& m_fs;
  Messages& m_msg;
  std::string m_schedulePath;
  std::string m_lockPath;
  std::string m_waitPath;
  LockOwner m_self;
  LockOwner m_holder;
  std::function<bool(int)> m_alive;
  std::vector<uint8_t> m_lockBytes;  // what our ".loc" holds while held
  std::vector<uint8_t> m_waitBytes;  // what our ".wai" holds, when we wrote one
  unsigned m_tokens = 0;
  bool m_held = false;
};

}  // namespace ploven
