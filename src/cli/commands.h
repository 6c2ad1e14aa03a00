#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// Runs the command in args[0] with its arguments; the exit status.
int RunCommand(CliEnv& env, const std::vector<std::string>& args);

// A usage error: the line on standard error, then exit status 2.
int UsageError(const std::string& text);

}  // namespace ploven::cli
