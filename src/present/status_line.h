#pragma once

#include <string>

#include "store/date_types.h"

namespace ploven {

class Engine;
struct DateText;

// How full today is, for the status bar.
struct DayLoadFigures {
  int loadPercent = 0;  // the day's busy time against its day bounds
  int freeMinutes = 0;  // the free time still ahead
};

DayLoadFigures TodayLoad(Engine& engine, DayNumber today);
// "Today: 65% booked, 3:20 free".
std::string TodayStatusText(const DayLoadFigures& figures, const DateText& text);

}  // namespace ploven
