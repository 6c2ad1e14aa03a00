// plovenctl: the command-line front end on the same core as the desktop program.
#include <string>
#include <vector>

#include "cli/cli_env.h"
#include "cli/cli_messages.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
  using namespace ploven::cli;
  const std::vector<std::string> argv_(argv + 1, argv + argc);
  const ParsedOptions parsed = ParseGlobalOptions(argv_);
  if (!parsed.error.empty()) return UsageError(parsed.error);
  if (parsed.options.args.empty()) return UsageError(ploven::cli_text::kWrongArguments + std::string("plovenctl"));
  CliEnv env(parsed.options);
  return RunCommand(env, parsed.options.args);
}
