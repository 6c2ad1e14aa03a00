#pragma once

#include <string>
#include <string_view>

namespace ploven {

inline constexpr size_t kShortTitleMax = 100;

// The display title: at most 100 characters, only the first line, and a
// private title ("!...") shown as "!" alone while private items are hidden.
std::string ShortTitle(std::string_view fullTitle, bool privateHidden);

// The title with a leading "!" (a Life Project), cut to 1000 characters.
std::string MakeLifeProjectTitle(std::string_view title);
std::string UnmakeLifeProjectTitle(std::string_view title);

}  // namespace ploven
