#pragma once

#include <filesystem>
#include <string_view>

namespace ploven {

// Writes `bytes` to `temporary`, then renames it over `target` in one step, so
// `target` is always either the old file or the whole new one. On any failure
// the temporary file is removed, `target` is left as it was, and false comes back.
bool ReplaceFileContents(const std::filesystem::path& target,
                         const std::filesystem::path& temporary, std::string_view bytes);

}  // namespace ploven
