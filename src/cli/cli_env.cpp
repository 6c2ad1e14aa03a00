#include "cli/cli_env.h"

#include <filesystem>

#include "cli/cli_messages.h"
#include "platform/paths.h"
#include "platform/regional_settings.h"
#include "platform/settings_keys.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

// The real clock, unless the options fix the day or the minute.
SettableClock MakeClock(const GlobalOptions& options) {
  SystemClock system;
  SettableClock clock(options.today.value_or(system.Today()), options.now.value_or(system.Now()));
  clock.SetEpochSeconds(system.EpochSeconds());
  return clock;
}

}  // namespace

bool IsRegionalKey(const std::string& name) {
  for (const char* k : {key::kIDate, key::kITime, key::kITLZero, key::kIDayLzero, key::kIMonLzero,
                        key::kICountry, key::kSCurrency, key::kSDate, key::kSTime,
                        key::kSShortDate})
    if (name == k) return true;
  return false;
}

ParsedOptions ParseGlobalOptions(const std::vector<std::string>& argv) {
  ParsedOptions out;
  GlobalOptions& o = out.options;
  size_t i = 0;
  // Global options stand before the command; everything from the command on is its own.
  for (; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (arg != "--today" && arg != "--now" && arg != "--intl") break;
    if (i + 1 >= argv.size()) {
      out.error = std::string(t::kMissingValue) + arg;
      return out;
    }
    const std::string& value = argv[++i];
    if (arg == "--today") {
      o.today = ReadIsoDate(value);
      if (!o.today) out.error = std::string(t::kBadToday) + ", not \"" + value + "\"";
    } else if (arg == "--now") {
      o.now = ReadClock(value);
      if (!o.now) out.error = std::string(t::kBadNow) + ", not \"" + value + "\"";
    } else {
      const size_t eq = value.find('=');
      if (eq == std::string::npos || !IsRegionalKey(value.substr(0, eq))) {
        out.error = std::string(t::kBadIntl) + ", not \"" + value + "\"";
      } else {
        o.intl.emplace_back(value.substr(0, eq), value.substr(eq + 1));
      }
    }
    if (!out.error.empty()) return out;
  }
  if (i < argv.size() && argv[i].starts_with("--")) {
    out.error = std::string(t::kUnknownOption) + argv[i];
    return out;
  }
  o.args.assign(argv.begin() + static_cast<std::ptrdiff_t>(i), argv.end());
  return out;
}

CliEnv::CliEnv(const GlobalOptions& options)
    : m_clock(MakeClock(options)),
      m_log(DataFolderFromEnvironment(ExecutableFolder()) / kErrorLogFileName, m_clock),
      m_trace(m_log),
      m_msg(m_ui, m_clock, m_log, m_trace),
      m_settings(DataFolderFromEnvironment(ExecutableFolder()) / kPrivateSettingsFileName,
                 ProfilePathFromEnvironment()) {
  m_settings.Load();
  m_msg.SetSettings(&m_settings);
  // The profile's regional settings, with each --intl value over its key.
  IniFile profile = m_settings.Profile();
  for (const auto& [name, value] : options.intl) profile.Set(kRegionalSection, name, value);
  m_text.regional = ReadRegional(profile);
}

ParseContext CliEnv::Context(TimeOfDay earliest, TimeOfDay latest) const {
  ParseContext c;
  c.today = m_clock.Today();
  c.now = m_clock.Now();
  c.viewed = m_clock.Today();
  c.earliestTimeOfDay = earliest;
  c.latestTimeOfDay = latest;
  return c;
}

}  // namespace ploven::cli
