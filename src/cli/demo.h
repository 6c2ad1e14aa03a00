#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `demo`: plans a small schedule in memory and lists its days.
int DemoCommand(CliEnv& env, const std::vector<std::string>& args);
// `date`, `time`, `duration TEXT`: reads the text the way the program does.
int ParseCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
