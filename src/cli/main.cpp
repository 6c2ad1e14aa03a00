// plovenctl: the command-line front end on the same core as the desktop program.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_env.h"
#include "cli/cli_messages.h"
#include "cli/commands.h"
#include "cli/manual.h"
#include "cli/usage.h"
#ifdef PLOVEN_PRINTING
#include "cli/print_command.h"
#endif

int main(int argc, char** argv) {
  using namespace ploven::cli;
  const std::vector<std::string> argv_(argv + 1, argv + argc);
  if (argv_.size() == 1) {
    if (const auto text = ProgramInfo(argv_[0])) {
      std::cout << *text;
      return kExitOk;
    }
  }
  const ParsedOptions parsed = ParseGlobalOptions(argv_);
  if (!parsed.error.empty()) return UsageError(parsed.error);
  if (parsed.options.args.empty()) return UsageError(ploven::cli_text::kWrongArguments + std::string("plovenctl"));
  const std::vector<std::string>& args = parsed.options.args;
  if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
    const auto help = CommandHelp(args[0]);
    if (!help) return UsageError(ploven::cli_text::kUnknownCommand + args[0]);
    std::cout << *help;
    return kExitOk;
  }
  CliEnv env(parsed.options);
  // Only printing draws with Qt; the other commands never load it.
  if (args[0] == "print") {
#ifdef PLOVEN_PRINTING
    return PrintCommand(env, args);
#else
    std::cerr << ploven::cli_text::kPrintNotBuilt << '\n';
    return kExitRefused;
#endif
  }
  return RunCommand(env, parsed.options.args);
}
