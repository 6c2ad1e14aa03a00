#pragma once

#include <string>

namespace ploven {

// printf-style formatting into a std::string. Formats are always the program's
// own constant texts; user text only ever arrives as an argument.
std::string Sprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ploven
