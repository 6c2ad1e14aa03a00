#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// The reading commands, each with --json (one JSON object a line) and, where every field is
// not already shown, --all (every field as name=value):
//   items FILE, day FILE DATE, info FILE, priority FILE, occurrences FILE ID FROM TO.
int ItemsCommand(CliEnv& env, const std::vector<std::string>& args);
int DayCommand(CliEnv& env, const std::vector<std::string>& args);
int InfoCommand(CliEnv& env, const std::vector<std::string>& args);
int PriorityCommand(CliEnv& env, const std::vector<std::string>& args);
int OccurrencesCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
