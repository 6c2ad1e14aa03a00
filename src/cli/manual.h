#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ploven::cli {

// plovenctl(1), made from the same table as `plovenctl --help`, so the two cannot drift.
std::string PlovenctlManPage();

// What plovenctl prints for --help, --version, --man (the manual page) and --bash-completion;
// none for any other argument.
std::optional<std::string> ProgramInfo(std::string_view option);

// A bash completion script for plovenctl: its commands, and each command's own options.
std::string BashCompletion();

}  // namespace ploven::cli
