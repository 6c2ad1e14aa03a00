#include "present/status_line.h"

#include <algorithm>

#include "engine/balance_day.h"
#include "engine/engine.h"
#include "platform/format.h"
#include "present/present_messages.h"
#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

DayLoadFigures TodayLoad(Engine& engine, DayNumber today) {
  DayLoadFigures f;
  Schedule& s = engine.schedule();
  Terminal* day = s.ExistingTerminal(today);
  if (day == nullptr) {
    // A day without items is all free between its bounds, from now on.
    f.freeMinutes =
        std::max(0, engine.DayBoundsLatest() - std::max<int>(engine.DayBoundsEarliest(),
                                                             s.Now()));
    return f;
  }
  f.loadPercent = DayLoad(engine, *day);
  f.freeMinutes = std::max(0, engine.DayFreeTime(true, *day));
  return f;
}

std::string TodayStatusText(const DayLoadFigures& figures, const DateText& text) {
  return Sprintf(present_messages::kTodayStatus, figures.loadPercent,
                 FormatDuration(figures.freeMinutes, text).c_str());
}

}  // namespace ploven
