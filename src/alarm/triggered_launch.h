#pragma once

#include <string>
#include <vector>

#include "alarm/alarm_device.h"

namespace ploven {

// What an item's title asks to be started at its fixed start: "st@rtyes" and "autoexec" at
// once, "st@rt " and "exec " after asking. The exec forms complete the item, the start forms
// start it.
enum class LaunchKind { kNone, kAtOnce, kAsk };

struct LaunchRequest {
  LaunchKind kind = LaunchKind::kNone;
  bool completesItem = false;
  std::string target;  // the rest of the title after the keyword, trimmed
};

LaunchRequest FindLaunch(const std::string& title);

// Splits a command line into its words the way a user writes them: blanks separate, double or
// single quotes keep blanks inside a word, a backslash takes the next character as it is.
// Nothing is expanded or interpreted.
std::vector<std::string> SplitCommandLine(const std::string& line);

enum class LaunchOutcome { kNothingNamed, kOpened, kStarted, kFailed };

// Starts what the target names: a link or a file that is not a program opens with the desktop's
// choice of program; a program starts with the words after it as its arguments, never through a
// shell.
LaunchOutcome LaunchTarget(AlarmDevice& device, const std::string& target);

}  // namespace ploven
