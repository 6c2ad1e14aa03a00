#pragma once

#include <string>

namespace ploven {

// Which end of the item an alarm counts from.
enum class AlarmPoint { kBegin, kEnd };

// What the alarm box says the item "is scheduled to" do. `minutesFromPoint` is now minus the
// alarm point (negative: the point is still ahead); `latest` adds ", at the latest" for an item
// whose begin may still move (not started, not done, no fixed start).
std::string AlarmSentence(AlarmPoint point, bool memo, int minutesFromPoint, bool latest);

}  // namespace ploven
