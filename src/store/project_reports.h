#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "store/date_format.h"
#include "store/date_types.h"
#include "store/projects.h"

namespace ploven {

class Schedule;

// How the reports write dates and times; the program fills these from its
// date formatting (long date, short date, weekday name, hours and minutes).
struct ReportFormat {
  std::function<std::string(DayNumber)> dateLong;
  std::function<std::string(DayNumber)> date;
  std::function<std::string(DayNumber)> weekdayName;
  std::function<std::string(int minutes)> duration;
  bool weekStartsMonday = false;
};

// The program's own formats: long date, short date, weekday name, hours and minutes.
ReportFormat ReportFormatFor(const DateText& text, bool weekStartsMonday);

// A report for the message window.
struct ReportText {
  std::string caption;
  std::string text;
};

struct ReportFileResult {
  bool ok = false;
  // On failure the text to show; on success the invitation to view the file.
  std::string message;
};

// Minutes as hours with two decimals.
std::string ReportHours(int minutes);
// The first day of the week that holds `date`.
DayNumber WeekStart(DayNumber date, bool weekStartsMonday);

// The file name with ".txt" added when it has no such ending.
std::string WithTxtExtension(const std::string& path);

// The whole Daily Time By Project file: tab separated, lines ending in CR LF.
// The dates are taken in order whichever way round they come.
std::string DailyTimeByProjectText(const Schedule& s, DayNumber first, DayNumber last,
                                   const ReportFormat& format, const ItemFilter& hides = {});
// Writes it; `progress` hears each date as its line is written.
ReportFileResult WriteDailyTimeByProjectReport(const Schedule& s, const std::filesystem::path& path,
                                               DayNumber first, DayNumber last,
                                               const ReportFormat& format,
                                               const ItemFilter& hides = {},
                                               const std::function<void(DayNumber)>& progress = {});

// Done work of archived days as the done logs keep it: the project by its name, and the minutes.
// The time reports count it with the done work the schedule still holds, so archiving a day
// takes nothing away from them.
struct LoggedWork {
  DayNumber day = kNoDate;
  std::string project;
  int minutes = 0;
};

ReportText TurnoverScoreReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                               const ItemFilter& hides = {});
// Week/Month Turnover Score: the same sums over the week (or month) that holds the viewed day.
struct TurnoverPeriod {
  DayNumber first = kNoDate;
  DayNumber last = kNoDate;
};
TurnoverPeriod TurnoverPeriodOf(DayNumber viewed, bool month, bool weekStartsMonday);
ReportText PeriodTurnoverScoreReport(const Schedule& s, TurnoverPeriod period, bool month,
                                     const ReportFormat& format, const ItemFilter& hides = {});
ReportText DailyTaggedTimeReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                                 const ItemFilter& hides = {},
                                 const std::vector<LoggedWork>& logged = {});
ReportText WeeklyTaggedTimeReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                                  const ItemFilter& hides = {},
                                  const std::vector<LoggedWork>& logged = {});
ReportText WeeklyLifeTimeReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                                const ItemFilter& hides = {},
                                const std::vector<LoggedWork>& logged = {});

}  // namespace ploven
