#include "store/project_reports.h"

#include <fstream>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/format.h"
#include "store/act_flags.h"
#include "store/calendar.h"
#include "store/project_messages.h"
#include "store/schedule.h"

namespace ploven {

namespace t = project_text;

namespace {

constexpr size_t kHeaderLimit = 3960;
constexpr size_t kTurnoverProjectsLimit = 2960;
constexpr int kReportWeeks = 26;
constexpr int kDaysPerWeek = 7;

struct Minutes {
  int done = 0;
  int undone = 0;
};

// Calls `f(act, minutes)` for every task of the day that the filter lets through.
template <typename F>
void ForEachTask(const Schedule& s, DayNumber date, const ItemFilter& hides, F&& f) {
  auto day = s.terminals().find(date);
  if (day == s.terminals().end()) return;
  for (const TaskNode* task = day->second->First(); task != nullptr; task = task->Next()) {
    if (hides && hides(task->act)) continue;
    f(s.ReadAct(task->act, t::kModuleProject, __LINE__), task->length);
  }
}

// One walk of a day for every project at once; the same sums as ProjectMinutes.
std::unordered_map<uint32_t, Minutes> MinutesByProject(const Schedule& s, DayNumber date,
                                                       const ItemFilter& hides) {
  std::unordered_map<uint32_t, Minutes> out;
  ForEachTask(s, date, hides, [&](const Act& a, int length) {
    if (a.projectID == 0) return;
    Minutes& m = out[a.projectID];
    (a.Has(AF_DONE) ? m.done : m.undone) += length;
  });
  return out;
}

// Done minutes of the day on the projects that `chosen` picks.
int DoneMinutesOn(const Schedule& s, DayNumber date, const ItemFilter& hides,
                  const std::function<bool(ActHandle)>& chosen) {
  int total = 0;
  ForEachTask(s, date, hides, [&](const Act& a, int length) {
    if (!a.Has(AF_DONE)) return;
    const ActHandle project = FindProjectByID(s, a.projectID);
    if (project != kNoAct && chosen(project)) total += length;
  });
  return total;
}

// The logged minutes a day on the projects that `chosen` picks; a project is found by its name
// (a log line knows no more of it). Days the schedule still holds are not in the logs.
std::unordered_map<DayNumber, int> LoggedMinutesByDay(
    const Schedule& s, const std::vector<LoggedWork>& logged,
    const std::function<bool(ActHandle)>& chosen) {
  std::unordered_map<DayNumber, int> out;
  std::unordered_map<std::string, bool> picked;
  for (const LoggedWork& w : logged) {
    if (w.project.empty() || !s.header().IsArchived(w.day)) continue;
    auto [it, added] = picked.try_emplace(w.project, false);
    if (added) {
      const ActHandle project = FindProjectByID(s, FindProjectIDByName(s, w.project));
      it->second = project != kNoAct && chosen(project);
    }
    if (it->second) out[w.day] += w.minutes;
  }
  return out;
}

int LoggedOn(const std::unordered_map<DayNumber, int>& logged, DayNumber date) {
  auto it = logged.find(date);
  return it == logged.end() ? 0 : it->second;
}

bool ValidDate(int d) { return d >= 1 && d <= 32767; }

std::string WeeklyReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                         const ItemFilter& hides, const std::function<bool(ActHandle)>& chosen,
                         const char* averageText, const std::vector<LoggedWork>& loggedWork) {
  const auto logged = LoggedMinutesByDay(s, loggedWork, chosen);
  const int w = WeekStart(viewed, format.weekStartsMonday);
  std::string text;
  int total = 0;
  int week = 0;
  for (int i = 1; i <= kReportWeeks * kDaysPerWeek; ++i) {
    const int d = w - kReportWeeks * kDaysPerWeek - 1 + i;
    if (ValidDate(d))
      week += DoneMinutesOn(s, static_cast<DayNumber>(d), hides, chosen) +
              LoggedOn(logged, static_cast<DayNumber>(d));
    if (i % kDaysPerWeek == 0) {
      text += Sprintf(t::kWeekTotal, format.dateLong(static_cast<DayNumber>(d)).c_str(),
                      ReportHours(week).c_str());
      total += week;
      week = 0;
    }
  }
  text += Sprintf(averageText, kReportWeeks,
                  Sprintf(t::kReportHoursFormat, total / 60.0 / kReportWeeks).c_str());
  return text;
}

}  // namespace

ReportFormat ReportFormatFor(const DateText& text, bool weekStartsMonday) {
  ReportFormat f;
  f.dateLong = [text](DayNumber d) { return FormatDateLong(d, text); };
  f.date = [text](DayNumber d) { return FormatDate(d, text); };
  f.weekdayName = [text](DayNumber d) { return WeekdayName(Weekday(d), text); };
  f.duration = [text](int minutes) { return FormatDuration(minutes, text); };
  f.weekStartsMonday = weekStartsMonday;
  return f;
}

std::string ReportHours(int minutes) { return Sprintf(t::kReportHoursFormat, minutes / 60.0); }

DayNumber WeekStart(DayNumber date, bool weekStartsMonday) {
  return static_cast<DayNumber>(date -
                                (weekStartsMonday ? WeekdayMondayFirst(date) : Weekday(date)));
}

std::string WithTxtExtension(const std::string& path) {
  const std::string ext = ".txt";
  if (path.size() >= ext.size()) {
    std::string tail = path.substr(path.size() - ext.size());
    for (char& c : tail)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (tail == ext) return path;
  }
  return path + ext;
}

namespace {

// The header and the lines of the Daily Time By Project file, one string each.
std::vector<std::pair<DayNumber, std::string>> DailyTimeByProjectLines(const Schedule& s,
                                                                       DayNumber first,
                                                                       DayNumber last,
                                                                       const ReportFormat& format,
                                                                       const ItemFilter& hides) {
  if (first > last) std::swap(first, last);
  // The columns are the projects that fit in the header, so every line
  // carries the same columns under the same titles.
  std::string header;
  std::vector<uint32_t> columns;
  for (const auto& [key, node] : s.projects()) {
    const std::string piece = "\t" + s.GetActTitle(node.act);
    if (header.size() + piece.size() > kHeaderLimit) break;
    header += piece;
    columns.push_back(node.id);
  }
  header += "\t";
  header += t::kReportTotal;
  header += "\r\n";

  std::vector<std::pair<DayNumber, std::string>> lines;
  lines.emplace_back(kNoDate, std::move(header));
  for (int d = first; d <= last; ++d) {
    const DayNumber date = static_cast<DayNumber>(d);
    const auto minutes = MinutesByProject(s, date, hides);
    std::string line = format.dateLong(date);
    int total = 0;
    for (uint32_t id : columns) {
      auto it = minutes.find(id);
      const int done = it == minutes.end() ? 0 : it->second.done;
      line += "\t" + ReportHours(done);
      total += done;
    }
    line += "\t" + ReportHours(total) + "\r\n";
    lines.emplace_back(date, std::move(line));
  }
  return lines;
}

}  // namespace

std::string DailyTimeByProjectText(const Schedule& s, DayNumber first, DayNumber last,
                                   const ReportFormat& format, const ItemFilter& hides) {
  std::string text;
  if (first <= 0 || last <= 0) return text;
  for (const auto& [date, line] : DailyTimeByProjectLines(s, first, last, format, hides))
    text += line;
  return text;
}

ReportFileResult WriteDailyTimeByProjectReport(const Schedule& s, const std::filesystem::path& path,
                                               DayNumber first, DayNumber last,
                                               const ReportFormat& format, const ItemFilter& hides,
                                               const std::function<void(DayNumber)>& progress) {
  if (first <= 0 || last <= 0) return {false, t::kReportLineFailed};
  const std::string name = path.string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return {false, Sprintf(t::kReportOpenFailed, name.c_str())};
  for (const auto& [date, line] : DailyTimeByProjectLines(s, first, last, format, hides)) {
    if (date != kNoDate && progress) progress(date);
    // Flushing each line lets a full drive show as a failed write, not a failed close.
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
    if (!out) return {false, Sprintf(t::kReportWriteFailed, name.c_str())};
  }
  out.close();
  if (out.fail()) return {false, Sprintf(t::kReportCloseFailed, name.c_str())};
  return {true, t::kReportSaved};
}

namespace {

struct TurnoverLabels {
  const char* pastLine;
  const char* past;
  const char* addedLine;
  const char* added;
};

// The turnover of the days first..last: each open project's done and undone time, then the
// items by when they were made. Items made before `reference` count as added in the past.
std::string TurnoverText(const Schedule& s, DayNumber first, DayNumber last, DayNumber reference,
                         const ReportFormat& format, const ItemFilter& hides,
                         const TurnoverLabels& labels) {
  std::string text = t::kTurnoverHeading;
  std::unordered_map<uint32_t, Minutes> minutes;
  for (int d = first; d <= last; ++d) {
    for (const auto& [id, m] : MinutesByProject(s, static_cast<DayNumber>(d), hides)) {
      minutes[id].done += m.done;
      minutes[id].undone += m.undone;
    }
  }
  for (const auto& [key, node] : s.projects()) {
    if (text.size() >= kTurnoverProjectsLimit) break;
    if (s.ActFlags(node.act) & AF_DONE) continue;
    auto it = minutes.find(node.id);
    if (it == minutes.end() || (it->second.done == 0 && it->second.undone == 0)) continue;
    text += Sprintf(t::kTurnoverProjectTitle, (s.GetActTitle(node.act) + ":").c_str());
    text += Sprintf(t::kTurnoverDone, format.duration(it->second.done).c_str());
    text += Sprintf(t::kTurnoverNotDone, format.duration(it->second.undone).c_str());
  }

  Minutes past, added, recurring;
  for (int d = first; d <= last; ++d) {
    ForEachTask(s, static_cast<DayNumber>(d), hides, [&](const Act& a, int length) {
      Minutes& m = (a.flags & (AF_BETA | AF_DRONE)) ? recurring
                   : a.createdDate < reference      ? past
                                                    : added;
      (a.Has(AF_DONE) ? m.done : m.undone) += length;
    });
  }
  auto totalLine = [&](const char* format2, const char* label, const Minutes& m) {
    text += Sprintf(format2, label, format.duration(m.done).c_str());
    text += Sprintf(t::kTurnoverNotDone, format.duration(m.undone).c_str());
  };
  totalLine(labels.pastLine, labels.past, past);
  totalLine(labels.addedLine, labels.added, added);
  totalLine(t::kTurnoverRecurringLine, t::kRecurringItems, recurring);
  return text;
}

}  // namespace

ReportText TurnoverScoreReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                               const ItemFilter& hides) {
  // Future days measure "added in past" against today.
  const DayNumber reference = viewed > s.Today() ? s.Today() : viewed;
  const TurnoverLabels labels{t::kTurnoverPastLine, t::kAddedInPast, t::kTurnoverTodayLine,
                              t::kAddedToday};
  return {t::kTurnoverCaption, TurnoverText(s, viewed, viewed, reference, format, hides, labels)};
}

TurnoverPeriod TurnoverPeriodOf(DayNumber viewed, bool month, bool weekStartsMonday) {
  if (!month) {
    const DayNumber first = WeekStart(viewed, weekStartsMonday);
    return {first, static_cast<DayNumber>(first + kDaysPerWeek - 1)};
  }
  const int first = viewed - DayOfMonth(viewed) + 1;
  return {static_cast<DayNumber>(first),
          static_cast<DayNumber>(first + DaysInMonth(MonthOf(viewed), YearOf(viewed)) - 1)};
}

ReportText PeriodTurnoverScoreReport(const Schedule& s, TurnoverPeriod period, bool month,
                                     const ReportFormat& format, const ItemFilter& hides) {
  // A period in the future measures "added before" against today.
  const DayNumber reference = period.first > s.Today() ? s.Today() : period.first;
  const TurnoverLabels labels{t::kTurnoverPastLine, t::kAddedBeforePeriod, t::kTurnoverTodayLine,
                              t::kAddedInPeriod};
  std::string text = Sprintf(t::kPeriodHeading, format.dateLong(period.first).c_str(),
                             format.dateLong(period.last).c_str());
  text += TurnoverText(s, period.first, period.last, reference, format, hides, labels);
  return {month ? t::kMonthTurnoverCaption : t::kWeekTurnoverCaption, text};
}

ReportText DailyTaggedTimeReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                                 const ItemFilter& hides,
                                 const std::vector<LoggedWork>& loggedWork) {
  const DayNumber today = s.Today();
  const DayNumber anchor = static_cast<DayNumber>(viewed < today ? viewed - 1 : today - 2);
  const DayNumber start = WeekStart(anchor, format.weekStartsMonday);
  auto tagged = [&](ActHandle project) { return (s.ActFlags(project) & AF_TAGGED) != 0; };
  const auto logged = LoggedMinutesByDay(s, loggedWork, tagged);
  std::string text;
  int total = 0;
  for (int i = 0; i < kDaysPerWeek; ++i) {
    const DayNumber d = static_cast<DayNumber>(start + i);
    const int minutes = DoneMinutesOn(s, d, hides, tagged) + LoggedOn(logged, d);
    text += Sprintf(t::kDailyTaggedLine, format.weekdayName(d).c_str(), format.date(d).c_str(),
                    ReportHours(minutes).c_str());
    total += minutes;
  }
  text += Sprintf(t::kDailyTaggedTotal, t::kTotalOnTagged, ReportHours(total).c_str());
  return {t::kDailyTaggedCaption, text};
}

ReportText WeeklyTaggedTimeReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                                  const ItemFilter& hides, const std::vector<LoggedWork>& logged) {
  auto tagged = [&](ActHandle project) { return (s.ActFlags(project) & AF_TAGGED) != 0; };
  return {t::kWeeklyTaggedCaption,
          WeeklyReport(s, viewed, format, hides, tagged, t::kWeeklyTaggedAverage, logged)};
}

ReportText WeeklyLifeTimeReport(const Schedule& s, DayNumber viewed, const ReportFormat& format,
                                const ItemFilter& hides, const std::vector<LoggedWork>& logged) {
  auto life = [&](ActHandle project) { return IsLifeProject(s, project); };
  return {t::kWeeklyLifeCaption,
          WeeklyReport(s, viewed, format, hides, life, t::kWeeklyLifeAverage, logged)};
}

}  // namespace ploven
