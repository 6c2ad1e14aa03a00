#include "ical/local_zone.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "store/calendar.h"

namespace ploven {

std::string LocalZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') {
    std::string name = tz[0] == ':' ? tz + 1 : tz;
    // A path to a zone file names the zone by its tail.
    if (const size_t at = name.find("zoneinfo/"); at != std::string::npos)
      name = name.substr(at + 9);
    return name;
  }
  char target[512];
  const ssize_t n = readlink("/etc/localtime", target, sizeof target - 1);
  if (n > 0) {
    const std::string link(target, static_cast<size_t>(n));
    if (const size_t at = link.find("zoneinfo/"); at != std::string::npos)
      return link.substr(at + 9);
  }
  std::ifstream file("/etc/timezone");
  std::string name;
  if (file && std::getline(file, name)) return name;
  return {};
}

bool IsUtcZoneName(const std::string& name) {
  for (const char* utc : {"UTC", "Etc/UTC", "UTC0", "GMT", "Etc/GMT", "Universal", "Zulu",
                          "Etc/Universal", "Etc/Zulu", "UCT", "Etc/UCT"}) {
    if (name == utc) return true;
  }
  return false;
}

std::time_t LocalToUtc(LocalMoment moment) {
  const CalendarDate d = SplitDay(moment.date);
  std::tm tm{};
  tm.tm_year = d.year - 1900;
  tm.tm_mon = d.month - 1;
  tm.tm_mday = d.day;
  tm.tm_hour = moment.minute / 60;
  tm.tm_min = moment.minute % 60;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

LocalMoment UtcToLocal(std::time_t seconds) {
  std::tm tm{};
  if (localtime_r(&seconds, &tm) == nullptr) return {};
  const int year = tm.tm_year + 1900;
  if (year < 1980 || year > 2068) return {};
  return {static_cast<DayNumber>(MakeDay(tm.tm_mon + 1, tm.tm_mday, year)),
          tm.tm_hour * 60 + tm.tm_min};
}

namespace {

struct Offset {
  int seconds = 0;
  bool daylight = false;
  std::string name;
  bool operator==(const Offset& o) const { return seconds == o.seconds && daylight == o.daylight; }
};

Offset OffsetAt(std::time_t t) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return {};
  return {static_cast<int>(tm.tm_gmtoff), tm.tm_isdst > 0, tm.tm_zone != nullptr ? tm.tm_zone : ""};
}

std::time_t UtcSeconds(int year, int month, int day) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  return timegm(&tm);
}

}  // namespace

ZoneHistory LocalZoneHistory(int firstYear, int lastYear) {
  constexpr std::time_t kDay = 86400;
  ZoneHistory history;
  const std::time_t first = UtcSeconds(firstYear, 1, 1);
  const std::time_t last = UtcSeconds(lastYear + 1, 1, 1);
  Offset before = OffsetAt(first);
  history.offset = before.seconds;
  history.name = before.name;
  // Zones change at most a few times a year: a step a day finds the day, halving the second.
  for (std::time_t t = first + kDay; t <= last; t += kDay) {
    const Offset now = OffsetAt(t);
    if (now == before) continue;
    std::time_t lo = t - kDay, hi = t;  // before at lo, changed at hi
    while (hi - lo > 1) {
      const std::time_t mid = lo + (hi - lo) / 2;
      (OffsetAt(mid) == before ? lo : hi) = mid;
    }
    const Offset after = OffsetAt(hi);
    history.transitions.push_back({hi, before.seconds, after.seconds, after.daylight, after.name});
    before = after;
  }
  return history;
}

LocalMoment MomentOf(DayNumber date, TimeOfDay time) {
  const int minutes = time > 0 ? time - 1 : 0;
  return {static_cast<DayNumber>(date + minutes / kMinutesPerDay), minutes % kMinutesPerDay};
}

}  // namespace ploven
