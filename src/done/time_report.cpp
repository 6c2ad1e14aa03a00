#include "done/time_report.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "done/done_messages.h"
#include "platform/format.h"
#include "store/calendar.h"

namespace ploven {

std::vector<DoneLogFields> DoneWorkInSchedule(const Schedule& s, DayNumber from, DayNumber to) {
  std::vector<DoneLogFields> work;
  for (const auto& [date, day] : s.terminals()) {
    if (date < from || date > to || s.header().IsArchived(date)) continue;
    for (const TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (s.IsActValid(task->act) && (s.ActFlags(task->act) & AF_DONE))
        work.push_back(DoneLogFieldsOf(s, *task, date));
  }
  return work;
}

DoneLogContents ReadDoneLogs(FileSystem& fs, const std::string& folder, DayNumber from,
                             DayNumber to, const DateText& text) {
  DoneLogContents all;
  if (from > to || from <= 0) return all;
  const CalendarDate first = SplitDay(from);
  for (int month = MakeDay(first.month, 1, first.year); month <= to; month = AddMonths(month, 1)) {
    const CalendarDate c = SplitDay(month);
    const std::string path = DoneLogFileName(folder, static_cast<DayNumber>(month), text.names);
    if (!fs.Exists(path)) continue;
    const auto bytes = fs.ReadFile(path);
    if (!bytes.ok()) {
      all.problems.push_back({path, 0, done_text::kLogUnreadable});
      continue;
    }
    const std::string_view body(reinterpret_cast<const char*>(bytes.value->data()),
                                bytes.value->size());
    DoneLogContents one = ReadDoneLog(body, path, text, {c.month, c.year});
    for (DoneLogFields& f : one.entries)
      if (f.day >= from && f.day <= to) all.entries.push_back(std::move(f));
    for (DoneLogProblem& p : one.problems) all.problems.push_back(std::move(p));
  }
  return all;
}

DoneLogContents DoneWorkBetween(const Schedule& s, FileSystem& fs, const std::string& folder,
                                DayNumber from, DayNumber to, const DateText& text) {
  const DayNumber lastArchived = s.header().lastArchivedDate();
  DoneLogContents all;
  if (lastArchived != kNoDate && from <= lastArchived)
    all = ReadDoneLogs(fs, folder, from, std::min(to, lastArchived), text);
  for (DoneLogFields& f : DoneWorkInSchedule(s, from, to)) all.entries.push_back(std::move(f));
  return all;
}

TimeReport BuildTimeReport(const std::vector<DoneLogFields>& work, DayNumber from, DayNumber to,
                           TimeReportBy by) {
  std::map<std::pair<DayNumber, std::string>, TimeReportRow> rows;
  TimeReport report;
  for (const DoneLogFields& f : work) {
    if (f.day < from || f.day > to) continue;
    DayNumber period = kNoDate;
    if (by == TimeReportBy::kDay) period = f.day;
    if (by == TimeReportBy::kWeek)
      period = static_cast<DayNumber>(f.day - WeekdayMondayFirst(f.day));
    TimeReportRow& row = rows[{period, f.project}];
    row.project = f.project;
    row.period = period;
    row.minutes += f.duration;
    row.items += 1;
    row.expense += f.expense;
    row.mileage += f.mileage;
    report.minutes += f.duration;
    report.expense += f.expense;
    report.mileage += f.mileage;
  }
  for (auto& [key, row] : rows) report.rows.push_back(std::move(row));
  return report;
}

namespace {

std::string CsvText(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

}  // namespace

std::string TimeReportCsv(const TimeReport& report, TimeReportBy by, const DateText& text) {
  std::string out;
  const char* period = by == TimeReportBy::kDay ? "day," : by == TimeReportBy::kWeek ? "week," : "";
  out += Sprintf("%sproject,minutes,hours,items,expense,mileage\n", period);
  for (const TimeReportRow& r : report.rows) {
    if (by != TimeReportBy::kProject) out += CsvText(FormatDateNumeric(r.period, text)) + ',';
    out += CsvText(r.project);
    out += Sprintf(",%d,%.2f,%d,%.2f,%d\n", r.minutes, r.minutes / 60.0, r.items, r.expense,
                   r.mileage);
  }
  if (by != TimeReportBy::kProject) out += ',';
  out += Sprintf("total,%d,%.2f,,%.2f,%d\n", report.minutes, report.minutes / 60.0, report.expense,
                 report.mileage);
  return out;
}

}  // namespace ploven
