#pragma once

#include <string>
#include <vector>

namespace ploven {

// Multiusers: schedules shared in one folder, one folder a user ("shared/anna/timedata.pak",
// "shared/ben/work.pak"). The users are the folders beside the schedule's own folder that hold
// a schedule.
struct SharedUser {
  std::string name;          // the folder's name
  std::string schedulePath;  // "timedata.pak" when the folder has it, else its first ".pak"
  bool operator==(const SharedUser&) const = default;
};

// The other users beside `scheduleFolder`, by name; empty when there are none or the folder
// beside cannot be read.
std::vector<SharedUser> SharedScheduleUsers(const std::string& scheduleFolder);

}  // namespace ploven
