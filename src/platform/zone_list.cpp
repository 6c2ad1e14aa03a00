#include "platform/zone_list.h"

#include <algorithm>
#include <cstdlib>

#include "platform/format.h"
#include "platform/platform_messages.h"

namespace ploven {

std::vector<std::string> ParseZoneList(std::string_view text) {
  std::vector<std::string> zones;
  while (!text.empty()) {
    const size_t end = text.find(';');
    std::string_view name = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (name.empty() || std::find(zones.begin(), zones.end(), name) != zones.end()) continue;
    zones.emplace_back(name);
  }
  return zones;
}

std::string FormatZoneList(const std::vector<std::string>& zones) {
  std::string text;
  for (const std::string& z : zones) {
    if (z.empty()) continue;
    if (!text.empty()) text += ';';
    text += z;
  }
  return text;
}

std::string OffsetFromHereText(int minutes) {
  if (minutes == 0) return {};
  const int m = std::abs(minutes);
  std::string amount = m % 60 == 0  ? Sprintf("%d h", m / 60)
                       : m < 60     ? Sprintf("%d min", m)
                                    : Sprintf("%d h %d min", m / 60, m % 60);
  return amount + (minutes > 0 ? msg::kZoneAhead : msg::kZoneBehind);
}

std::string ZoneCityName(std::string_view zone) {
  const size_t slash = zone.rfind('/');
  std::string city(slash == std::string_view::npos ? zone : zone.substr(slash + 1));
  std::replace(city.begin(), city.end(), '_', ' ');
  return city;
}

}  // namespace ploven
