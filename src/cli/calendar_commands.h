#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// export --ics FILE SCHEDULE: the whole schedule as an iCalendar file (- is standard output).
int ExportCommand(CliEnv& env, const std::vector<std::string>& args);
// import --ics FILE SCHEDULE: an iCalendar file's events and to-dos into the schedule (- is
// standard input); prints the summary and each component skipped with the reason.
int ImportCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
