#pragma once

#include <array>
#include <string>
#include <vector>

namespace ploven {

class ErrorLog;

// The last events before an internal error: a ring of 110 entries written to the
// log when the error is reported. With the "ErrorLog" setting on, each entry goes
// to the log at once instead and the ring stays empty.
class EventTrace {
 public:
  static constexpr size_t kSize = 110;

  EventTrace() = default;
  explicit EventTrace(ErrorLog& log) : m_log(&log) {}

  // The log that direct entries and Dump go to; Messages attaches its own when none is set.
  void AttachLog(ErrorLog& log) { m_log = &log; }
  bool HasLog() const { return m_log != nullptr; }

  void SetLogDirectly(bool on) { m_logDirectly = on; }
  bool LogsDirectly() const { return m_logDirectly; }

  // Adds an entry, replacing the oldest once the ring is full (or logs it, when
  // logging directly and a log is attached).
  bool Add(std::string entry);
  // The entries held, oldest first.
  std::vector<std::string> Entries() const;
  size_t Count() const;
  // Writes the entries to the log, oldest first, one a line, and empties the ring.
  void Dump();

 private:
  ErrorLog* m_log = nullptr;
  std::array<std::string, kSize> m_ring;
  size_t m_next = 0;  // the slot written next, which holds the oldest entry
  bool m_logDirectly = false;
};

// The "ErrorLog" setting's value turns direct logging on when it is "YES" in any case.
bool ErrorLogSettingOn(const std::string& value);

}  // namespace ploven
