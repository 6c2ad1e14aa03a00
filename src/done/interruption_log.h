#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file/file_system.h"
#include "store/date_types.h"
#include "store/project_reports.h"

namespace ploven {

// Interrupt...: what interrupted the user, when and for how long, one line a time in a text
// file beside the schedule ("work.interruptions.txt" beside "work.pak"), so the user can see
// where the day went.
struct Interruption {
  DayNumber day = kNoDate;
  TimeOfDay at = kNoTime;  // when it began
  int minutes = 0;
  std::string what;
  bool operator==(const Interruption&) const = default;
};

// The longest an interruption may last: a whole day.
inline constexpr int kMaxInterruptionMinutes = kMinutesPerDay;

std::string InterruptionLogPath(const std::string& schedulePath);

// "2026-12-08<TAB>09:30<TAB>15<TAB>Phone call" and a line end; tabs and line breaks in what
// interrupted become blanks so the entry keeps to its line.
std::string FormatInterruptionLine(const Interruption& entry);

struct InterruptionLog {
  std::vector<Interruption> entries;
  int damagedLines = 0;  // lines that could not be read (skipped)
};
InterruptionLog ParseInterruptionLog(std::string_view text);

// Appends the entry; 0 or the errno of the failure. An entry without a cause or with a length
// outside 1..kMaxInterruptionMinutes is refused with EINVAL and nothing is written.
int AppendInterruption(FileSystem& fs, const std::string& path, const Interruption& entry);
// The log read back; an absent file is an empty log.
InterruptionLog ReadInterruptions(FileSystem& fs, const std::string& path);

// The report: the entries of the days first..last, oldest first, then the count and total time
// and the time by cause, largest first.
ReportText InterruptionsReport(const InterruptionLog& log, DayNumber first, DayNumber last,
                               const ReportFormat& format,
                               const std::function<std::string(TimeOfDay)>& time);

}  // namespace ploven
