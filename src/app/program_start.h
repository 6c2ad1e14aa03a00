#pragma once

namespace ploven {

// A run started by a closing one (to read its schedule afresh) waits until the process with
// this number is gone, so that it does not hand over to the program that is closing.
inline constexpr char kAfterPidVariable[] = "PLOVEN_AFTER_PID";

// The desktop program from start to close; the process's exit code (1 after handing over to
// the program that already has the schedule open).
int RunProgram(int argc, char** argv);

}  // namespace ploven
