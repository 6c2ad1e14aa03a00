#pragma once

#include <vector>

#include "engine/engine.h"

namespace ploven {

// The 31-day busy navigator: each of the days ahead with how full it is.
inline constexpr int kBusyNavigatorDays = 31;

struct BusyDay {
  DayNumber date = kNoDate;
  int load = 0;  // busy minutes in percent of the Day Bounds, 0 for a day with nothing on it
};

// The days from `first` on, `days` of them, each with its load as the month view's darkening
// measures it.
std::vector<BusyDay> BusyDays(Engine& engine, DayNumber first, int days = kBusyNavigatorDays);

}  // namespace ploven
