#include "file/schedule_lock.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>
#include <thread>

#include "file/lock_messages.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace ploven {
namespace {

namespace t = lock_text;

constexpr std::string_view kHeaderLine = "Ploven schedule lock";
constexpr size_t kLongestLockFile = 4096;
constexpr size_t kLongestField = 255;
// Rounds of one Acquire: each ends with the lock made, found held, or one
// stale lock taken away; a few spare rounds cover other programs racing.
constexpr int kRounds = 40;
constexpr auto kBusyPause = std::chrono::milliseconds(2);
// An unreadable lock file may be one that is just being written: it must stay
// the same over this many readings, a pause apart, before the user is asked.
constexpr int kUnreadableReadings = 3;
constexpr auto kUnreadablePause = std::chrono::milliseconds(50);
// Guards of guards: each level needs one more program dying mid-reclaim.
constexpr int kDeepestGuard = 4;

std::string Printable(std::string_view text) {
  std::string out;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) out += c;
    if (out.size() == kLongestField) break;
  }
  return out;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Host names do not tell case apart.
bool SameHost(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::optional<int> ParsePid(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value <= 0 || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

std::string HashName(const std::vector<uint8_t>& bytes) {
  uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (uint8_t b : bytes) {
    h ^= b;
    h *= 1099511628211ull;
  }
  return Sprintf("%016llx", static_cast<unsigned long long>(h));
}

// A lock or guard file that appears whole or not at all: written under a draft name, then
// linked to its own name, so that a process killed while writing leaves only a draft, never
// an empty or torn lock that the next program would have to ask about. Where the file system
// has no links, the file is created in place as before.
FileOutcome CreateWhole(FileSystem& fs, const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string draft = path + ".new" + HashName(bytes);
  for (int attempt = 0; attempt < 3; ++attempt) {
    FileOutcome written = WriteWholeFile(fs, draft, bytes, CreateMode::kExclusive);
    if (!written.ok()) {
      // A draft of the same bytes is someone's leftover; the sweep removes it.
      if (written.step == WriteStep::kCreate && written.error == EEXIST) break;
      return written;
    }
    const int linked = fs.Link(draft, path);
    fs.Remove(draft);
    if (linked == 0) return {};
    if (linked == ENOENT) continue;  // a sweep took the draft away meanwhile
    if (linked == ENOSYS || linked == EPERM || linked == ENOTSUP || linked == EOPNOTSUPP ||
        linked == EXDEV || linked == EMLINK) {
      break;
    }
    return {linked, WriteStep::kCreate};
  }
  return WriteWholeFile(fs, path, bytes, CreateMode::kExclusive);
}

bool IsDraftName(std::string_view rest) { return rest.find("new") != std::string_view::npos; }

std::string Reason(const FileOutcome& outcome) {
  std::string reason = WriteStepName(outcome.step);
  if (!reason.empty()) reason += ": ";
  return reason + std::strerror(outcome.error);
}

}  // namespace

std::vector<uint8_t> EncodeLockFile(const LockOwner& owner, const std::string& token) {
  std::string text(kHeaderLine);
  text += "\nhost=" + Printable(owner.host) + "\npid=" + std::to_string(owner.pid) +
          "\nuser=" + Printable(owner.user) + "\ntoken=" + Printable(token) + "\n";
  return {text.begin(), text.end()};
}

std::optional<LockOwner> DecodeLockFile(const std::vector<uint8_t>& bytes) {
  if (bytes.size() > kLongestLockFile) return std::nullopt;
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  LockOwner owner;
  bool header = false, host = false, pid = false;
  size_t start = 0;
  size_t end;
  // A line without its line end may be torn, so it does not count.
  while ((end = text.find('\n', start)) != std::string_view::npos) {
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!header) {
      if (line != kHeaderLine) return std::nullopt;
      header = true;
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "host") {
      owner.host = Printable(value);
      host = !owner.host.empty();
    } else if (key == "pid") {
      auto parsed = ParsePid(value);
      if (!parsed) return std::nullopt;
      owner.pid = *parsed;
      pid = true;
    } else if (key == "user") {
      owner.user = Printable(value);
    }
  }
  if (!header || !host || !pid) return std::nullopt;
  return owner;
}

ScheduleLock::ScheduleLock(FileSystem& fs, Messages& messages, std::string schedulePath,
                           LockOwner self, std::function<bool(int pid)> alive)
    : m_fs(fs),
      m_msg(messages),
      m_schedulePath(std::move(schedulePath)),
      m_self(std::move(self)),
      m_alive(std::move(alive)) {
  ScheduleSiblings siblings = SiblingsOf(m_schedulePath);
  m_lockPath = siblings.loc.string();
  m_waitPath = siblings.wai.string();
}

ScheduleLock::~ScheduleLock() { Release(); }

LockOwner ScheduleLock::ThisProgram() {
  LockOwner me;
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) == 0) me.host = host;
  if (me.host.empty()) me.host = "localhost";
  me.pid = static_cast<int>(::getpid());
  for (const char* name : {"USER", "LOGNAME"}) {
    if (const char* user = std::getenv(name); user && *user) {
      me.user = user;
      break;
    }
  }
  return me;
}

bool ScheduleLock::ProcessAlive(int pid) {
  // 0 and negative numbers would name process groups.
  if (pid <= 0) return false;
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

std::string ScheduleLock::NewToken() {
  uint64_t value =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    value ^= (static_cast<uint64_t>(device()) << 32) ^ device();
  } catch (const std::exception&) {
    // No random source: the clock, the process and the count still differ.
  }
  value ^= static_cast<uint64_t>(m_self.pid) * 0x9E3779B97F4A7C15ull + ++m_tokens;
  return Sprintf("%016llx", static_cast<unsigned long long>(value));
}

std::optional<std::vector<uint8_t>> ScheduleLock::ReadIfThere(const std::string& path, int& error) {
  auto read = m_fs.ReadFile(path);
  error = read.error;
  if (!read.ok()) return std::nullopt;
  return std::move(*read.value);
}

bool ScheduleLock::StaleHere(const LockOwner& owner) const {
  return SameHost(owner.host, m_self.host) && !m_alive(owner.pid);
}

ScheduleLock::Take ScheduleLock::TakeAway(const std::string& path,
                                          const std::vector<uint8_t>& bytes, int depth,
                                          bool approved, int& failure) {
  const std::string guard = path + "." + HashName(bytes);
  std::vector<uint8_t> unreadable;
  int readings = 0;
  for (int attempt = 0; attempt < kUnreadableReadings + 2; ++attempt) {
    std::vector<uint8_t> mine = EncodeLockFile(m_self, NewToken());
    FileOutcome made = CreateWhole(m_fs, guard, mine);
    if (made.step == WriteStep::kCreate && made.error == EEXIST) {
      int error = 0;
      auto other = ReadIfThere(guard, error);
      if (!other) {
        if (error == ENOENT) continue;
        return Take::kBusy;
      }
      // Someone else is taking it away right now, unless they died doing so. A
      // guard lives only inside one call, so one of this very process is a
      // leftover whose removal failed; so is one that stays unreadable (left
      // torn by a failing disk). When the user chose to take the lock over,
      // that covers another machine's guard as well.
      auto owner = DecodeLockFile(*other);
      bool leftover = false;
      if (owner) {
        leftover = LeftoverGuard(*owner) || (approved && !SameHost(owner->host, m_self.host));
      } else {
        readings = (*other == unreadable) ? readings + 1 : 1;
        unreadable = *other;
        if (readings < kUnreadableReadings) {
          std::this_thread::sleep_for(kUnreadablePause);
          continue;
        }
        leftover = true;
      }
      if (!leftover || depth >= kDeepestGuard) return Take::kBusy;
      if (TakeAway(guard, *other, depth + 1, approved, failure) == Take::kFailed) {
        return Take::kFailed;
      }
      continue;
    }
    if (!made.ok()) {
      failure = made.error;
      return Take::kFailed;
    }

    // The guard is ours: nobody else may remove a file holding `bytes` now.
    Take result = Take::kGone;
    int error = 0;
    auto now = ReadIfThere(path, error);
    if (now && *now == bytes) {
      int removed = m_fs.Remove(path);
      result = removed == 0 ? Take::kRemoved : removed == ENOENT ? Take::kGone : Take::kFailed;
      failure = removed;
    } else if (!now && error != ENOENT) {
      result = Take::kFailed;
      failure = error;
    }
    // A guard left behind blocks nobody for long: its maker's end frees it.
    m_fs.Remove(guard);
    return result;
  }
  return Take::kBusy;
}

bool ScheduleLock::LeftoverGuard(const LockOwner& owner) const {
  return SameHost(owner.host, m_self.host) && (owner.pid == m_self.pid || !m_alive(owner.pid));
}

void ScheduleLock::SweepLeftoverGuards() {
  const std::string folder = FolderOf(m_lockPath);
  const std::string prefix = std::filesystem::path(m_lockPath).filename().string() + ".";
  for (const std::string& name : m_fs.ListFiles(folder)) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    if (rest.find_first_not_of("0123456789abcdef.nw") != std::string_view::npos) continue;
    const std::string path = folder + "/" + name;
    int error = 0;
    auto bytes = ReadIfThere(path, error);
    if (!bytes) continue;
    auto owner = DecodeLockFile(*bytes);
    if (IsDraftName(rest)) {
      // A draft never counts as the lock; a torn one was left by a writer that failed.
      if (!owner || LeftoverGuard(*owner)) m_fs.Remove(path);
      continue;
    }
    if (owner && LeftoverGuard(*owner)) TakeAway(path, *bytes, 1, false, error);
  }
}

LockStatus ScheduleLock::Acquire() {
  if (m_held) return LockStatus::kAcquired;
  m_holder = {};
  std::vector<uint8_t> unreadable;
  int readings = 0;
  std::optional<std::vector<uint8_t>> approved;  // the user said Yes to taking these over

  auto fail = [&](const std::string& reason) {
    m_msg.ErrorMessage(Sprintf(t::kCannotCreateLock, m_lockPath.c_str(), reason.c_str()));
    return LockStatus::kFailed;
  };

  for (int round = 0; round < kRounds; ++round) {
    std::vector<uint8_t> mine = EncodeLockFile(m_self, NewToken());
    FileOutcome made = CreateWhole(m_fs, m_lockPath, mine);
    if (made.ok()) {
      m_held = true;
      m_lockBytes = std::move(mine);
      m_holder = m_self;
      // Guards a failing disk kept us from removing earlier.
      SweepLeftoverGuards();
      // Our own request for access is answered.
      if (!m_waitBytes.empty()) {
        int error = 0;
        if (auto note = ReadIfThere(m_waitPath, error); note && *note == m_waitBytes) {
          m_fs.Remove(m_waitPath);
        }
        m_waitBytes.clear();
      }
      return LockStatus::kAcquired;
    }
    if (made.step != WriteStep::kCreate || made.error != EEXIST) return fail(Reason(made));

    int error = 0;
    auto current = ReadIfThere(m_lockPath, error);
    if (!current) {
      if (error == ENOENT) continue;  // released meanwhile
      break;                          // there, but unreadable here: someone has it
    }

    std::string logLine;
    auto owner = DecodeLockFile(*current);
    if (!owner) {
      m_holder = {};
      readings = (*current == unreadable) ? readings + 1 : 1;
      unreadable = *current;
      if (readings < kUnreadableReadings) {
        std::this_thread::sleep_for(kUnreadablePause);
        continue;
      }
      if (approved != current) {
        if (m_msg.QuestionNoDefault(Sprintf(t::kUnreadableLock, m_lockPath.c_str())) != kIdYes) {
          break;
        }
        approved = current;
      }
      logLine = Sprintf(t::kLogBrokenUnreadable, m_lockPath.c_str());
    } else {
      m_holder = *owner;
      if (SameHost(owner->host, m_self.host)) {
        if (m_alive(owner->pid)) break;
        logLine = Sprintf(t::kLogReclaimed, m_lockPath.c_str(), owner->pid);
      } else {
        const std::string user = owner->user.empty() ? t::kUnknownUser : owner->user;
        if (approved != current) {
          if (m_msg.QuestionNoDefault(Sprintf(t::kHeldOnOtherHost, m_schedulePath.c_str(),
                                              user.c_str(), owner->host.c_str())) != kIdYes) {
            break;
          }
          approved = current;
        }
        logLine =
            Sprintf(t::kLogBrokenOtherHost, m_lockPath.c_str(), user.c_str(), owner->host.c_str());
      }
    }

    int failure = 0;
    switch (TakeAway(m_lockPath, *current, 0, approved == current, failure)) {
      case Take::kRemoved:
        m_msg.LogLine(logLine);
        break;
      case Take::kGone:
        break;
      case Take::kBusy:
        std::this_thread::sleep_for(kBusyPause);
        break;
      case Take::kFailed:
        return fail(std::strerror(failure));
    }
  }
  LeaveWaitingNote();
  return LockStatus::kHeldByOther;
}

void ScheduleLock::LeaveWaitingNote() {
  int error = 0;
  if (!m_waitBytes.empty()) {
    if (auto note = ReadIfThere(m_waitPath, error); note && *note == m_waitBytes) return;
  }
  std::vector<uint8_t> mine = EncodeLockFile(m_self, NewToken());
  // Only a courtesy to the holder: a note that cannot be written is no failure.
  if (WriteWholeFile(m_fs, m_waitPath, mine).ok()) {
    m_waitBytes = std::move(mine);
  } else {
    m_waitBytes.clear();
  }
}

void ScheduleLock::Release() {
  if (m_held) {
    m_held = false;
    int failure = 0;
    TakeAway(m_lockPath, m_lockBytes, 0, false, failure);
    m_lockBytes.clear();
    m_fs.Remove(m_waitPath);
    m_waitBytes.clear();
    return;
  }
  if (!m_waitBytes.empty()) {
    int error = 0;
    if (auto note = ReadIfThere(m_waitPath, error); note && *note == m_waitBytes) {
      m_fs.Remove(m_waitPath);
    }
    m_waitBytes.clear();
  }
}

bool ScheduleLock::StillHeld() {
  if (!m_held) return false;
  int error = 0;
  auto now = ReadIfThere(m_lockPath, error);
  // A read that fails for another reason says nothing about who holds it.
  if (!now && error != ENOENT) return true;
  if (now && *now == m_lockBytes) return true;
  m_held = false;
  m_lockBytes.clear();
  return false;
}

bool ScheduleLock::SomeoneWaiting() {
  int error = 0;
  auto note = ReadIfThere(m_waitPath, error);
  if (!note || *note == m_waitBytes) return false;
  auto owner = DecodeLockFile(*note);
  // An unreadable note was still left by someone; a note of an ended process was not answered.
  return !owner || !StaleHere(*owner);
}

}  // namespace ploven
