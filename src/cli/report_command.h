#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `report time FILE --from DATE --to DATE [--by project|day|week] [--csv]`: the time done work
// took, from the done logs of the schedule's folder for archived days and from the schedule for
// the others. A damaged log line is told on standard error and left out.
int ReportCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
