#pragma once

#include <optional>
#include <string>

namespace ploven {

class Schedule;

// Walks the whole store and names the first broken invariant: days in order
// with true task counts, every task and chain entry naming a live item, the
// priority index holding exactly the flexible items in tier order, exception
// lists in date order with live drones, and the projects tree naming live
// records. Nothing when all holds.
std::optional<std::string> CheckConsistency(const Schedule& s);

}  // namespace ploven
