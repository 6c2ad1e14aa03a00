#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `get FILE [KEY...] [--json]`: the schedule's settings (keys that begin with a small letter,
// held in the schedule file) and the program's (keys as "Ploven.ini" spells them), one
// KEY=VALUE a line, or only the values of the keys named, or one JSON object.
int GetCommand(CliEnv& env, const std::vector<std::string>& args);

// `set FILE KEY=VALUE...`: changes them with the checks and the follow-up of their settings
// dialogs; a value that cannot be read or a check that refuses changes nothing.
int SetCommand(CliEnv& env, const std::vector<std::string>& args);

// Every key `get` and `set` know, in the order `get` prints them.
std::vector<std::string> SettingKeys();

}  // namespace ploven::cli
