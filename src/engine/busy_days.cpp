#include "engine/busy_days.h"

#include "engine/balance_day.h"
#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven {

std::vector<BusyDay> BusyDays(Engine& engine, DayNumber first, int days) {
  Schedule& s = engine.schedule();
  std::vector<BusyDay> out;
  for (int i = 0; i < days; ++i) {
    const int d = first + i;
    if (d < 1 || d > kLastDay) break;
    const Terminal* day = s.ExistingTerminal(static_cast<DayNumber>(d));
    out.push_back({static_cast<DayNumber>(d), day != nullptr ? DayLoad(engine, *day) : 0});
  }
  return out;
}

}  // namespace ploven
