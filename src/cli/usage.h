#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ploven::cli {

// One command of plovenctl as its help shows it. This table is the one source of the usage:
// `plovenctl --help` prints every command's line, `plovenctl COMMAND --help` the command's
// own page, and the README's plovenctl block is `plovenctl --help` (a test compares them).
struct CommandUsage {
  const char* group;  // the heading it is listed under
  const char* name;
  const char* synopsis;  // the arguments after the name
  const char* summary;   // one line
  const char* details;   // the options and output, for the command's own page; may be empty
};

std::span<const CommandUsage> CommandUsages();

// What `plovenctl --help` prints.
std::string GeneralUsage();
// The notes at the end of `plovenctl --help`: the global options, what DATE, TIME and DUR
// accept, where boxes go, the exit codes.
std::string GeneralNotes();
// What `plovenctl COMMAND --help` prints; none for an unknown command.
std::optional<std::string> CommandHelp(std::string_view name);

}  // namespace ploven::cli
