#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `plovenctl alarms FILE [--at TIME] [--all|--json]`: today's alarms, or those due at TIME.
int AlarmsCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
