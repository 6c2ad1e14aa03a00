#pragma once

#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// `note FILE ID [--set TEXT|--file F|--stdin]`: prints an item's note, or writes it through the
// note files' safe save, the note's lock and the upkeep of the note marks.
int NoteCommand(CliEnv& env, const std::vector<std::string>& args);
// `find FILE WORDS...`: the items whose title or note holds every word, as Find lists them.
int FindCommand(CliEnv& env, const std::vector<std::string>& args);

}  // namespace ploven::cli
