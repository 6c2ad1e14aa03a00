#pragma once

namespace ploven {

// The desktop program from start to close; the process's exit code (1 after handing over to
// the program that already has the schedule open).
int RunProgram(int argc, char** argv);

}  // namespace ploven
