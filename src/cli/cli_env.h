#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_ui.h"
#include "file/file_system.h"
#include "platform/clock.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "store/date_argument.h"
#include "store/date_format.h"
#include "store/date_parse.h"
#include "store/schedule_header.h"

namespace ploven::cli {

// The options before the command.
struct GlobalOptions {
  std::optional<DayNumber> today;
  std::optional<TimeOfDay> now;
  std::vector<std::pair<std::string, std::string>> intl;  // regional settings, in order
  std::vector<std::string> args;                          // the command and its arguments
};

// The global options, or the usage error to print.
struct ParsedOptions {
  GlobalOptions options;
  std::string error;  // empty when the options are good
};
ParsedOptions ParseGlobalOptions(const std::vector<std::string>& argv);

// --today and --now take "2026-12-08" and "09:30" exactly (ReadIsoDate, ReadClock).
bool IsRegionalKey(const std::string& key);

// Everything a command runs on: the clock (fixed by --today and --now), the
// screen that prints boxes, the messages, the settings of the data folder and
// the regional settings with the --intl values over them.
class CliEnv {
 public:
  explicit CliEnv(const GlobalOptions& options);
  CliEnv(const CliEnv&) = delete;
  CliEnv& operator=(const CliEnv&) = delete;

  SettableClock& clock() { return m_clock; }
  Messages& msg() { return m_msg; }
  ErrorLog& log() { return m_log; }
  Settings& settings() { return m_settings; }
  FileSystem& fs() { return m_fs; }
  const DateText& text() const { return m_text; }
  // How typed dates and times are read today; the day bounds come from the schedule.
  ParseContext Context(TimeOfDay earliest = kDefaultEarliestTimeOfDay,
                       TimeOfDay latest = kDefaultLatestTimeOfDay) const;

 private:
  SettableClock m_clock;
  CliUi m_ui;
  ErrorLog m_log;
  EventTrace m_trace;
  Messages m_msg;
  Settings m_settings;
  PosixFileSystem m_fs;
  DateText m_text;
};

}  // namespace ploven::cli
