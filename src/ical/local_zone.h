#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "store/date_types.h"

namespace ploven {

// Ploven's times are wall-clock times of the system's zone. These bridge them to the zones
// and UTC times of calendar files.

// The system zone's name ("Europe/Berlin"): the TZ variable, else the zone /etc/localtime
// links to, else /etc/timezone; empty when none can be told.
std::string LocalZoneName();
// Whether the name is UTC under one of its names.
bool IsUtcZoneName(const std::string& name);

// A local date and minute of the day (0..1439).
struct LocalMoment {
  DayNumber date = kNoDate;
  int minute = 0;
};
// The seconds since 1970 (UTC) of a local wall-clock moment.
std::time_t LocalToUtc(LocalMoment moment);
// The local wall-clock moment of seconds since 1970; a date 0 outside Ploven's days.
LocalMoment UtcToLocal(std::time_t seconds);

// A change of the system zone's offset from UTC.
struct ZoneTransition {
  std::time_t at = 0;  // the moment, UTC
  int offsetFrom = 0;  // seconds east of UTC before it
  int offsetTo = 0;    // and after it
  bool daylight = false;
  std::string name;  // the abbreviation after it ("CEST")
};
// The system zone's offset on 1 January of `firstYear`, and every change from then through
// the end of `lastYear`, in order.
struct ZoneHistory {
  int offset = 0;
  std::string name;
  std::vector<ZoneTransition> transitions;
};
ZoneHistory LocalZoneHistory(int firstYear, int lastYear);

// A TimeOfDay on a date as a date and minute of the day: times past midnight (above 1440)
// belong to the next calendar day.
LocalMoment MomentOf(DayNumber date, TimeOfDay time);

}  // namespace ploven
