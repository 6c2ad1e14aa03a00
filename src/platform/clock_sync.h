#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ploven {

// What the system's own time service says about the computer's clock. Ploven never sets the
// clock: it only tells whether it is kept right and how to have it kept right.
struct ClockSyncState {
  std::optional<bool> synchronized;  // nothing when the service could not be asked
  std::optional<bool> serviceOn;     // network time switched on
  std::string timezone;
};

// Reads the "Key=value" lines of `timedatectl show`.
ClockSyncState ParseTimedatectlShow(std::string_view output);
// The sentence shown to the user, with the way to switch network time on when it is off.
std::string ClockSyncText(const ClockSyncState& state);

}  // namespace ploven
