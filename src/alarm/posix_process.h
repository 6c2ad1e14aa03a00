#pragma once

#include <string>
#include <vector>

#include "alarm/alarm_device.h"

namespace ploven {

// Other programs, started directly (found on PATH when the name has no "/"), never through a
// shell: what the user wrote reaches them as separate arguments and nothing more.

// Runs the program with `input` on its standard input and waits for it to end.
ProcessResult RunProgramAndWait(const std::vector<std::string>& argv, const std::string& input);

}  // namespace ploven
