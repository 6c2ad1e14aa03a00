#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// The planning commands: balance, balance-day, lighten, increase, bring-forward, move,
// postpone, done, archive and priority. False in `handled` when args[0] is none of them.
int RunEngineCommand(CliEnv& env, const std::vector<std::string>& args, bool& handled);

}  // namespace ploven::cli
