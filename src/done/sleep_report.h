#pragma once

#include <functional>
#include <string>
#include <vector>

#include "done/done_log.h"
#include "store/project_reports.h"

namespace ploven {

// Sleep Report: the time between the end of the last done item of a day and the beginning of
// the first done item of the next, night by night. Only done items with a clock time count:
// they say when the user really stopped and started.
struct SleepNight {
  DayNumber day = kNoDate;  // the evening's day
  int lastEnd = -1;         // minutes after that day's midnight (past 1440 after midnight)
  int firstStart = -1;      // minutes after the next day's midnight
  bool known() const { return lastEnd >= 0 && firstStart >= 0; }
  // The night's length; 0 when the next day began before the evening ended.
  int minutes() const;
};

// The nights after the days first..last from the done work of first..last + 1.
std::vector<SleepNight> SleepNights(const std::vector<DoneLogFields>& work, DayNumber first,
                                    DayNumber last);

// The nights of the last `nights` days before today.
inline constexpr int kSleepReportNights = 30;

// One line a night, then the average of the nights that are known.
ReportText SleepReport(const std::vector<SleepNight>& nights, const ReportFormat& format,
                       const std::function<std::string(TimeOfDay)>& time);

}  // namespace ploven
