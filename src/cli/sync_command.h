#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// sync FILE: one pass of the calendar's changes into the schedule, each listed as it is taken.
int SyncCommand(CliEnv& env, const std::vector<std::string>& a);

}  // namespace ploven::cli
