#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `edit FILE ID [OCCURRENCE] OPTION...`: changes an existing item as Modify Item does (Modify
// All Recurrences for a recurring item, Modify one only with the date of an occurrence), with
// the item dialog's checks, questions (answered with their defaults) and planning; started and
// done go through the Start and Done commands. Prints the ID of the item changed.
int EditCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
