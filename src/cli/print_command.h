#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `print FILE WHAT [--from D] [--to D] [--format F] [--private] --pdf OUT`: the printouts as
// the desktop program prints them, written as a PDF without a screen.
int PrintCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
