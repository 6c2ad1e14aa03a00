#include "done/time_report.h"

#include <algorithm>
#include <functional>
#include <iterator>
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

namespace {

// Each logged entry of the days `from`..`to`, month log by month log.
void ForEachLoggedDone(FileSystem& fs, const std::string& folder, DayNumber from, DayNumber to,
                       const DateText& text, const std::function<void(const DoneLogFields&)>& visit,
                       std::vector<DoneLogProblem>& problems) {
  if (from > to || from <= 0) return;
  const CalendarDate first = SplitDay(from);
  for (int month = MakeDay(first.month, 1, first.year); month <= to; month = AddMonths(month, 1)) {
    const CalendarDate c = SplitDay(month);
    const std::string path = DoneLogFileName(folder, static_cast<DayNumber>(month), text.names);
    if (!fs.Exists(path)) continue;
    const auto bytes = fs.ReadFile(path);
    if (!bytes.ok()) {
      problems.push_back({path, 0, done_text::kLogUnreadable});
      continue;
    }
    const std::string_view body(reinterpret_cast<const char*>(bytes.value->data()),
                                bytes.value->size());
    ForEachDoneLogLine(
        body, path, text, {c.month, c.year},
        [&](const DoneLogFields& f) {
          if (f.day >= from && f.day <= to) visit(f);
        },
        problems);
  }
}

// The days of the logs: the archived part of `from`..`to`, or none.
bool LoggedDays(const Schedule& s, DayNumber from, DayNumber& to) {
  const DayNumber lastArchived = s.header().lastArchivedDate();
  if (lastArchived == kNoDate || from > lastArchived) return false;
  to = std::min(to, lastArchived);
  return true;
}

}  // namespace

DoneLogContents ReadDoneLogs(FileSystem& fs, const std::string& folder, DayNumber from,
                             DayNumber to, const DateText& text) {
  DoneLogContents all;
  ForEachLoggedDone(
      fs, folder, from, to, text, [&all](const DoneLogFields& f) { all.entries.push_back(f); },
      all.problems);
  return all;
}

DoneLogContents DoneWorkBetween(const Schedule& s, FileSystem& fs, const std::string& folder,
                                DayNumber from, DayNumber to, const DateText& text) {
  DoneLogContents all;
  if (DayNumber logTo = to; LoggedDays(s, from, logTo))
    all = ReadDoneLogs(fs, folder, from, logTo, text);
  for (DoneLogFields& f : DoneWorkInSchedule(s, from, to)) all.entries.push_back(std::move(f));
  return all;
}

std::vector<LoggedWork> LoggedWorkBetween(const Schedule& s, FileSystem& fs,
                                          const std::string& folder, DayNumber from, DayNumber to,
                                          const DateText& text,
                                          std::vector<DoneLogProblem>& problems) {
  std::vector<LoggedWork> work;
  if (DayNumber logTo = to; LoggedDays(s, from, logTo))
    ForEachLoggedDone(
        fs, folder, from, logTo, text,
        [&work](const DoneLogFields& f) {
          if (!f.project.empty()) work.push_back({f.day, f.project, f.duration});
        },
        problems);
  return work;
}

TimeReportBuilder::TimeReportBuilder(DayNumber from, DayNumber to, TimeReportBy by)
    : m_from(from), m_to(to), m_by(by) {}

void TimeReportBuilder::Add(const DoneLogFields& f) {
  if (f.day < m_from || f.day > m_to) return;
  DayNumber period = kNoDate;
  if (m_by == TimeReportBy::kDay) period = f.day;
  if (m_by == TimeReportBy::kWeek)
    period = static_cast<DayNumber>(f.day - WeekdayMondayFirst(f.day));
  auto [at, added] = m_projectIndex.try_emplace(f.project, static_cast<int>(m_projects.size()));
  if (added) m_projects.push_back(f.project);
  const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(period)) << 32) |
                       static_cast<uint32_t>(at->second);
  const auto [slot, isNew] = m_rowIndex.try_emplace(key, m_rows.size());
  if (isNew) {
    m_rows.emplace_back().period = period;
    m_rowProject.push_back(at->second);
  }
  TimeReportRow& row = m_rows[slot->second];
  row.minutes += f.duration;
  row.items += 1;
  row.expense += f.expense;
  row.mileage += f.mileage;
  m_report.minutes += f.duration;
  m_report.expense += f.expense;
  m_report.mileage += f.mileage;
}

TimeReport TimeReportBuilder::Finish() {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    m_rows[i].project = m_projects[static_cast<size_t>(m_rowProject[i])];
    m_report.rows.push_back(std::move(m_rows[i]));
  }
  std::sort(m_report.rows.begin(), m_report.rows.end(),
            [](const TimeReportRow& a, const TimeReportRow& b) {
              return std::tie(a.period, a.project) < std::tie(b.period, b.project);
            });
  m_rows.clear();
  m_rowIndex.clear();
  m_rowProject.clear();
  return std::move(m_report);
}

TimeReport BuildTimeReport(const std::vector<DoneLogFields>& work, DayNumber from, DayNumber to,
                           TimeReportBy by) {
  TimeReportBuilder builder(from, to, by);
  for (const DoneLogFields& f : work) builder.Add(f);
  return builder.Finish();
}

TimeReport DoneTimeReport(const Schedule& s, FileSystem& fs, const std::string& folder,
                          DayNumber from, DayNumber to, const DateText& text, TimeReportBy by,
                          std::vector<DoneLogProblem>& problems) {
  TimeReportBuilder builder(from, to, by);
  if (DayNumber logTo = to; LoggedDays(s, from, logTo))
    ForEachLoggedDone(
        fs, folder, from, logTo, text, [&builder](const DoneLogFields& f) { builder.Add(f); },
        problems);
  for (const DoneLogFields& f : DoneWorkInSchedule(s, from, to)) builder.Add(f);
  return builder.Finish();
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
