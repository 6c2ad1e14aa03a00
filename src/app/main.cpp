#include <cstdio>

#include "app/program_start.h"
#include "app/program_usage.h"

int main(int argc, char** argv) {
  // --help, --version and --man need no display.
  if (argc == 2) {
    if (const auto text = ploven::DesktopProgramInfo(argv[1])) {
      std::fputs(text->c_str(), stdout);
      return 0;
    }
  }
  return ploven::RunProgram(argc, argv);
}
