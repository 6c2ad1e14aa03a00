#include "cli/cli_input.h"

#include <array>
#include <cstdio>

#include "store/calendar.h"

namespace ploven::cli {

std::optional<uint8_t> ReadWeekdays(const std::string& text) {
  static constexpr std::array<const char*, 7> kNames{"su", "mo", "tu", "we", "th", "fr", "sa"};
  uint8_t bits = 0;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find(',', begin);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(begin, end - begin);
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    bool found = false;
    for (size_t d = 0; d < kNames.size(); ++d) {
      if (name == kNames[d]) {
        bits = static_cast<uint8_t>(bits | (1u << d));
        found = true;
      }
    }
    if (!found) return std::nullopt;
    begin = end + 1;
  }
  return bits;
}

std::string IsoDate(DayNumber day) {
  const CalendarDate d = SplitDay(day);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

std::string ClockText(TimeOfDay time, bool wrapAtMidnight) {
  int minutes = time <= 0 ? 0 : time - 1;
  if (wrapAtMidnight) minutes %= kMinutesPerDay;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", minutes / 60, minutes % 60);
  return buf;
}

}  // namespace ploven::cli
