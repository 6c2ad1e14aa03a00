#include "cli/command_args.h"

#include <charconv>

#include "cli/cli_messages.h"
#include "cli/commands.h"

namespace ploven::cli {

namespace t = cli_text;

std::optional<ListingArgs> ReadListingArgs(const std::vector<std::string>& args, bool allowAll) {
  ListingArgs out;
  bool json = false, all = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i > 0 && a == "--json") {
      json = true;
    } else if (i > 0 && a == "--all" && allowAll) {
      all = true;
    } else if (i > 0 && a.starts_with("--")) {
      UsageError(t::kUnknownOption + a);
      return std::nullopt;
    } else {
      out.positional.push_back(a);
    }
  }
  if (json && all) {
    UsageError(t::kJsonOrAll);
    return std::nullopt;
  }
  out.listing = json ? Listing::kJson : all ? Listing::kAll : Listing::kLines;
  return out;
}

std::optional<uint32_t> ReadItemID(const std::string& text) {
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || value == 0)
    return std::nullopt;
  return value;
}

int Refuse(CliEnv& env, const std::string& text) {
  env.msg().ErrorMessage(text);
  return kExitRefused;
}

}  // namespace ploven::cli
