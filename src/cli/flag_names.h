#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploven::cli {

// An item flag (Act::flags) by the name plovenctl prints it with.
struct FlagName {
  uint32_t bit;
  const char* name;
};

// Every named flag bit, once each.
std::span<const FlagName> ItemFlagNames();

// The names of the bits set, in bit order; a bit without a name reads "0x...", so that
// nothing a file holds goes unshown.
std::vector<std::string> FlagNamesOf(uint32_t flags);

// The bit of a name; none for a name that is not in the table.
std::optional<uint32_t> FlagBitOf(std::string_view name);

// The kind of an item (Act::typeFlags) by name: "item", "appointment", "multiday", "memo",
// "birthday", "anniversary", "work-holiday", "project", and "plain" for 0 (a Light Mode item
// or a cash transaction). Another value reads "0x...".
std::string KindName(uint16_t typeFlags);
// The typeFlags of a kind name `edit --kind` takes; none for another name.
std::optional<uint16_t> KindOf(std::string_view name);

}  // namespace ploven::cli
