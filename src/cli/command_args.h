#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_env.h"

namespace ploven::cli {

// How a reading command prints: its usual lines, every field as name=value (--all), or one
// JSON object a line (--json).
enum class Listing { kLines, kAll, kJson };

// A reading command's arguments with --json (and, where `allowAll`, --all) taken out. None
// when an option is unknown or both are given (the usage error is printed).
struct ListingArgs {
  Listing listing = Listing::kLines;
  std::vector<std::string> positional;  // the command's name first
};
std::optional<ListingArgs> ReadListingArgs(const std::vector<std::string>& args, bool allowAll);

// An item ID: a whole number above 0.
std::optional<uint32_t> ReadItemID(const std::string& text);

// A refusal: the message on standard error, then exit status 1.
int Refuse(CliEnv& env, const std::string& text);

}  // namespace ploven::cli
