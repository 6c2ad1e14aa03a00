#pragma once

#include <string>

#include "store/schedule.h"

namespace ploven::cli {

// Every consistency check of the store over a whole schedule: each day's chain
// links and task count, that every task belongs to a live item listed in the
// alphabetical chain, that every flexible item has its place in the priority
// order, that IDs find their items, the exception lists and the projects tree.
// A broken link or tree is the internal-error report, which ends the program;
// the other findings come back as the message to show. Empty when all is well.
std::string CheckSchedule(Schedule& s);

}  // namespace ploven::cli
