#include "platform/clock_sync.h"

#include "platform/platform_messages.h"

namespace ploven {

namespace {

std::optional<bool> YesNo(std::string_view v) {
  if (v == "yes") return true;
  if (v == "no") return false;
  return std::nullopt;
}

}  // namespace

ClockSyncState ParseTimedatectlShow(std::string_view output) {
  ClockSyncState s;
  while (!output.empty()) {
    const size_t end = output.find('\n');
    std::string_view line = output.substr(0, end);
    output = end == std::string_view::npos ? std::string_view() : output.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "NTPSynchronized") s.synchronized = YesNo(value);
    else if (key == "NTP") s.serviceOn = YesNo(value);
    else if (key == "Timezone") s.timezone = std::string(value);
  }
  return s;
}

std::string ClockSyncText(const ClockSyncState& state) {
  std::string text;
  if (!state.synchronized) text = msg::kClockSyncUnknown;
  else if (*state.synchronized) text = msg::kClockSynchronized;
  else text = msg::kClockNotSynchronized;
  if (state.serviceOn == false || !state.synchronized) text += msg::kClockSyncHowTo;
  if (!state.timezone.empty()) text += std::string(msg::kClockTimezone) + state.timezone + ".";
  return text;
}

}  // namespace ploven
