#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/cli_env.h"
#include "file/schedule_files.h"
#include "store/schedule.h"

namespace ploven::cli {

// A password typed on the terminal (/dev/tty) without showing it; nothing when there is no
// terminal or at end of input.
std::optional<std::string> ReadHiddenLine(const std::string& prompt);

// A schedule read for looking only: no lock, no backups, nothing written.
// Null when it cannot be read or loaded (told).
std::unique_ptr<Schedule> LoadForReading(CliEnv& env, const std::string& path);

// A schedule opened for a change, through the same open, lock and safe save
// as the program. The lock is released when the session ends; a session that
// ends without Save leaves the file as it was.
class WriteSession {
 public:
  WriteSession(CliEnv& env, std::string path);
  ~WriteSession();
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;

  // An existing schedule with the write lock; false when it is missing, cannot
  // be loaded, or another program writes it (told).
  bool Open();
  // A new empty schedule at the path; false when the file exists (told).
  bool Create();
  Schedule& schedule() { return *m_s; }
  // The schedule file's full path.
  const std::string& path() const { return m_path; }
  // Saves now; false when the save failed (told by the save).
  bool Save();

 private:
  CliEnv& m_env;
  std::string m_path;
  ScheduleFiles m_files;
  std::unique_ptr<Schedule> m_s;
};

}  // namespace ploven::cli
