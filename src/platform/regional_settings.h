#pragma once

#include "platform/ini_file.h"
#include "store/regional.h"

namespace ploven {

// The regional settings from the profile's "intl" section; a missing or empty
// key keeps its default, and texts are cut to the lengths the formatters expect.
Regional ReadRegional(const IniFile& profile);

}  // namespace ploven
