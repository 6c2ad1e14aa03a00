#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ploven {

// The option that opens the New Item dialog at start (the desktop entry's "New Item" action);
// handed to the program that already has the schedule open.
inline constexpr char kNewItemOption[] = "--new-item";

// What `ploven --help`, `--version` and `--man` (ploven(1), the manual page the build installs)
// print, without a display; none for any other argument.
std::optional<std::string> DesktopProgramInfo(std::string_view option);

}  // namespace ploven
