#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "done/done_log_reader.h"
#include "file/file_system.h"
#include "store/project_reports.h"

namespace ploven {

// The done work of the days `from`..`to` that the schedule still holds (days not archived yet),
// one entry a done task, as its log line would record it.
std::vector<DoneLogFields> DoneWorkInSchedule(const Schedule& s, DayNumber from, DayNumber to);

// The done logs of the months `from`..`to` touches in the schedule's folder, the entries of
// those days only. A month without a log has had nothing archived; a damaged line is a problem.
DoneLogContents ReadDoneLogs(FileSystem& fs, const std::string& folder, DayNumber from,
                             DayNumber to, const DateText& text);

// All done work of the days: the logs for the archived days, the schedule for the others, so
// nothing is counted twice and archiving loses nothing from the reports.
DoneLogContents DoneWorkBetween(const Schedule& s, FileSystem& fs, const std::string& folder,
                                DayNumber from, DayNumber to, const DateText& text);

// The logged work of the archived days among `from`..`to`, for the tagged-project and Life
// Project reports.
std::vector<LoggedWork> LoggedWorkBetween(const Schedule& s, FileSystem& fs,
                                          const std::string& folder, DayNumber from, DayNumber to,
                                          const DateText& text,
                                          std::vector<DoneLogProblem>& problems);

enum class TimeReportBy {
  kProject,  // one row a project over the whole range
  kDay,      // one row a project a day
  kWeek,     // one row a project a week (weeks start on Monday)
};

struct TimeReportRow {
  std::string project;         // empty: work in no project
  DayNumber period = kNoDate;  // the day, or the Monday of the week; kNoDate by project
  int minutes = 0;
  int items = 0;
  double expense = 0;
  int mileage = 0;
};

struct TimeReport {
  std::vector<TimeReportRow> rows;  // by period, then by project name
  int minutes = 0;
  double expense = 0;
  int mileage = 0;
};

// Sums done work as it comes, one entry at a time: the report needs no list of all the work.
class TimeReportBuilder {
 public:
  TimeReportBuilder(DayNumber from, DayNumber to, TimeReportBy by);
  // Work outside `from`..`to` is left out.
  void Add(const DoneLogFields& f);
  TimeReport Finish();

 private:
  DayNumber m_from, m_to;
  TimeReportBy m_by;
  std::unordered_map<std::string, int> m_projectIndex;
  std::vector<std::string> m_projects;
  // Rows in the order first met, found by period and project: sorted once at the end.
  std::unordered_map<uint64_t, size_t> m_rowIndex;
  std::vector<TimeReportRow> m_rows;
  std::vector<int> m_rowProject;
  TimeReport m_report;
};

// Time, expense and mileage of the work that falls on `from`..`to`, summed as asked.
TimeReport BuildTimeReport(const std::vector<DoneLogFields>& work, DayNumber from, DayNumber to,
                           TimeReportBy by);

// The same over all done work of the days (as DoneWorkBetween finds it), read as it streams.
TimeReport DoneTimeReport(const Schedule& s, FileSystem& fs, const std::string& folder,
                          DayNumber from, DayNumber to, const DateText& text, TimeReportBy by,
                          std::vector<DoneLogProblem>& problems);

// The report as comma-separated values with a header line; text fields are quoted when they
// need it.
std::string TimeReportCsv(const TimeReport& report, TimeReportBy by, const DateText& text);

}  // namespace ploven
