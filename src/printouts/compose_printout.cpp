#include "printouts/compose_printout.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "engine/engine.h"
#include "platform/format.h"
#include "present/day_text.h"
#include "present/list_lines.h"
#include "printouts/printout_messages.h"
#include "recur/recurrences.h"
#include "store/calendar.h"
#include "store/date_format.h"
#include "store/projects.h"

namespace ploven {

namespace t = printout_text;

namespace {

// Both ends of a range: the printouts never run backwards, and a range of one day is that day.
std::pair<DayNumber, DayNumber> Ordered(DayNumber a, DayNumber b) {
  if (b == kNoDate) b = a;
  return a <= b ? std::pair{a, b} : std::pair{b, a};
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string ProjectOf(const Schedule& s, uint32_t projectID) {
  std::string name;
  if (projectID == 0 || ProjectName(s, projectID, name) != 1) return {};
  return name;
}

std::string RangeText(DayNumber from, DayNumber to, const DateText& text) {
  if (from == to) return FormatDateDay(from, text);
  return Sprintf(t::kRange, FormatDateDay(from, text).c_str(), FormatDateDay(to, text).c_str());
}

std::string TitleOn(const PrintSource& source, ActHandle h, DayNumber date) {
  Schedule& s = source.engine.schedule();
  if ((s.ActFlags(h) & AF_BETA) && source.recurrences != nullptr)
    return OccurrenceTitle(*source.recurrences, h, date, false);
  return s.GetActTitle(h);
}

// The day's record, made when the file does not hold it yet so that its occurrences show;
// archived days have only what the file kept.
Terminal* DayOf(Schedule& s, DayNumber date) {
  return s.header().IsArchived(date) ? s.ExistingTerminal(date) : s.GetTerminal(date);
}

// ---- Day sheets -----------------------------------------------------------------------

PrintRow DaySheetRow(const Schedule& s, const DayRow& row) {
  PrintRow r;
  r.when = Trimmed(row.startText);
  if (!r.when.empty() && !row.endText.empty()) r.when += Trimmed(row.endText);
  r.duration = row.durationText;
  r.priority = row.priorityText;
  r.title = row.lateText.empty() ? row.title : row.title + " " + row.lateText;
  r.project = ProjectOf(s, row.projectID);
  r.done = row.done;
  return r;
}

void AddDaySheets(const PrintSource& source, DayNumber from, DayNumber to,
                  PrintoutDocument& doc) {
  Schedule& s = source.engine.schedule();
  const DateText& text = source.engine.dateText();
  DisplayOptions options = source.options;
  // A sheet shows every item with its time, whatever the screen leaves out for the moment.
  options.showTaskTimes = true;
  options.focusNow = false;
  DayNumber date = from;
  DaySource day{source.engine, source.recurrences, options,
                [&](ActHandle h) { return source.hidden && source.hidden(h, date); }, {}};
  const int perPage = std::max(1, source.daysPerPage);
  for (int d = from; d <= to; ++d) {
    date = static_cast<DayNumber>(d);
    DayOf(s, date);
    PrintBlock block;
    block.heading = FormatDateLong(date, text);
    block.emptyText = t::kNoItems;
    block.newPage = (d - from) % perPage == 0 && d != from;
    for (const DayRow& row : BuildDayRows(day, date))
      if (row.kind == DayRowKind::kItem) block.rows.push_back(DaySheetRow(s, row));
    doc.blocks.push_back(std::move(block));
  }
}

// ---- Lists ------------------------------------------------------------------------------

PrintRow ListRow(const PrintSource& source, ListKind kind, ActHandle h) {
  Schedule& s = source.engine.schedule();
  const DateText& text = source.engine.dateText();
  const Act& a = s.ReadAct(h);
  PrintRow r;
  if (kind == ListKind::kProjects) {
    r.priority = a.Has(AF_TAGGED) ? t::kTagged : "";
    r.title = s.GetActTitle(h);
    return r;
  }
  r.when = a.Has(AF_BETA) ? std::string(t::kRecurring) : FormatDateDay(a.ddate, text);
  if (kind == ListKind::kPriority) {
    r.priority = PriorityText(a.tier, s.GetActRank(h));
    if (!r.priority.empty() && r.priority.back() == ':') r.priority.pop_back();
  }
  r.title = s.GetActTitle(h);
  r.duration = "(" + FormatDuration(a.duration, text) + ")";
  r.project = ProjectOf(s, a.projectID);
  r.done = a.Has(AF_DONE);
  return r;
}

void AddList(const PrintSource& source, ListKind kind, PrintoutDocument& doc) {
  PrintBlock block;
  block.emptyText = t::kNoItems;
  for (const ActHandle h : ListEntries(source.engine.schedule(), kind)) {
    if (source.hidden && source.hidden(h, kNoDate)) continue;
    block.rows.push_back(ListRow(source, kind, h));
  }
  doc.blocks.push_back(std::move(block));
}

void AddUnderscored(const PrintSource& source, PrintoutDocument& doc) {
  Schedule& s = source.engine.schedule();
  const DateText& text = source.engine.dateText();
  std::vector<ActHandle> items;
  for (const auto& [key, node] : s.actChain()) {
    const Act& a = s.ReadAct(node.act);
    if (!a.Has(AF_UNDERSCORED) || a.typeFlags == ACT_PROJECT) continue;
    if (source.hidden && source.hidden(node.act, a.ddate)) continue;
    items.push_back(node.act);
  }
  // In order of date and time; items without a date (recurring definitions) come last.
  const auto order = [&s](ActHandle h) {
    const Act& a = s.ReadAct(h);
    return std::tuple(a.ddate == kNoDate, a.ddate, a.startTime);
  };
  std::stable_sort(items.begin(), items.end(),
                   [&](ActHandle x, ActHandle y) { return order(x) < order(y); });
  PrintBlock block;
  block.emptyText = t::kNoItems;
  for (const ActHandle h : items) {
    const Act& a = s.ReadAct(h);
    PrintRow r = ListRow(source, ListKind::kAlphabetical, h);
    if (a.startTime != 0 && !a.Has(AF_BETA)) r.when += " " + Trimmed(FormatTimeShort(a.startTime, text));
    block.rows.push_back(std::move(r));
  }
  doc.blocks.push_back(std::move(block));
}

void AddNotes(const PrintoutRequest& request, PrintoutDocument& doc) {
  for (const PrintNote& note : request.notes) {
    PrintBlock block;
    block.heading = note.heading;
    block.emptyText = t::kNoNote;
    size_t at = 0;
    std::string text = note.text;
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    while (at < text.size()) {
      size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      PrintRow r;
      r.note = true;
      r.title = text.substr(at, end - at);
      block.rows.push_back(std::move(r));
      at = end + 1;
    }
    // A trailing empty line is the text's end, not a paragraph.
    while (!block.rows.empty() && block.rows.back().title.empty()) block.rows.pop_back();
    doc.blocks.push_back(std::move(block));
  }
}

// ---- Appointment calendars ------------------------------------------------------------

// The appointments of a day: items pinned to their time and the memos (birthdays, events).
std::vector<CalendarLine> CalendarLines(const PrintSource& source, DayNumber date) {
  Schedule& s = source.engine.schedule();
  std::vector<CalendarLine> lines;
  Terminal* day = DayOf(s, date);
  if (day == nullptr) return lines;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
    const uint32_t flags = s.ActFlags(task->act);
    const bool memo = IsMemoHold(s, *task);
    if (!(flags & AF_FIXED) && !memo) continue;
    if (source.hidden && source.hidden(task->act, date)) continue;
    if (source.options.hideDoneItems && (flags & AF_DONE)) continue;
    CalendarLine line;
    if (!memo && task->StartTime() != 0)
      line.time = Trimmed(FormatTimeShort(task->StartTime(), source.engine.dateText()));
    line.title = TitleOn(source, task->act, date);
    line.done = (flags & AF_DONE) != 0;
    lines.push_back(std::move(line));
  }
  return lines;
}

CalendarGrid MakeGrid(const PrintSource& source, DayNumber first, DayNumber last,
                      std::string caption) {
  const DateText& text = source.engine.dateText();
  const bool monday = source.options.weekStartsMonday;
  const DayNumber today = source.engine.schedule().Today();
  CalendarGrid grid;
  grid.caption = std::move(caption);
  for (int i = 0; i < 7; ++i) grid.weekdays[i] = WeekdayName((i + (monday ? 1 : 0)) % 7, text);
  for (int weekStart = WeekStart(first, monday); weekStart <= last; weekStart += 7) {
    std::array<CalendarCell, 7>& week = grid.weeks.emplace_back();
    for (int i = 0; i < 7; ++i) {
      const auto date = static_cast<DayNumber>(weekStart + i);
      CalendarCell& cell = week[i];
      cell.date = date;
      cell.inRange = date >= first && date <= last;
      cell.today = date == today;
      const int dayOfMonth = DayOfMonth(date);
      cell.label = dayOfMonth == 1 || (i == 0 && weekStart == WeekStart(first, monday))
                       ? Sprintf("%s %d", MonthAbbrev(MonthOf(date), text).c_str(), dayOfMonth)
                       : std::to_string(dayOfMonth);
      if (cell.inRange) cell.lines = CalendarLines(source, date);
    }
  }
  return grid;
}

std::string MonthCaption(DayNumber date, const DateText& text) {
  return Sprintf(t::kMonthCaption, MonthName(MonthOf(date), text).c_str(), YearOf(date));
}

DayNumber FirstOfMonth(DayNumber date) {
  return static_cast<DayNumber>(MakeDay(MonthOf(date), 1, YearOf(date)));
}
DayNumber LastOfMonth(DayNumber date) {
  return static_cast<DayNumber>(FirstOfMonth(date) + DaysInMonth(MonthOf(date), YearOf(date)) - 1);
}

// Grids of whole months from `from` to `to`, `perPage` of them on a page.
void AddMonthGrids(const PrintSource& source, DayNumber from, DayNumber to, int perPage,
                   PrintoutDocument& doc) {
  const DateText& text = source.engine.dateText();
  int onPage = perPage;
  for (DayNumber month = FirstOfMonth(from); month <= to;
       month = static_cast<DayNumber>(LastOfMonth(month) + 1)) {
    if (onPage == perPage) {
      doc.calendarPages.emplace_back();
      onPage = 0;
    }
    const DayNumber first = std::max(month, from);
    const DayNumber last = std::min(LastOfMonth(month), to);
    CalendarGrid grid = MakeGrid(source, FirstOfMonth(month), LastOfMonth(month),
                                 MonthCaption(month, text));
    // Days of the month outside the asked range stay empty.
    for (auto& week : grid.weeks)
      for (CalendarCell& cell : week)
        if (cell.date < first || cell.date > last) {
          cell.inRange = false;
          cell.lines.clear();
        }
    doc.calendarPages.back().push_back(std::move(grid));
    ++onPage;
  }
}

// Weeks from `from` to `to`, at most six weeks on a page.
void AddWeekGrids(const PrintSource& source, DayNumber from, DayNumber to,
                  PrintoutDocument& doc) {
  constexpr int kWeeksPerPage = 6;
  const DateText& text = source.engine.dateText();
  const bool monday = source.options.weekStartsMonday;
  for (int start = WeekStart(from, monday); start <= to; start += 7 * kWeeksPerPage) {
    const auto first = static_cast<DayNumber>(std::max<int>(start, from));
    const auto last = static_cast<DayNumber>(std::min<int>(start + 7 * kWeeksPerPage - 1, to));
    doc.calendarPages.push_back(
        {MakeGrid(source, first, last,
                  Sprintf(t::kWeekOf, FormatDate(static_cast<DayNumber>(start), text).c_str()))});
  }
}

void AddCalendarList(const PrintSource& source, DayNumber from, DayNumber to,
                     PrintoutDocument& doc) {
  const DateText& text = source.engine.dateText();
  for (int d = from; d <= to; ++d) {
    const auto date = static_cast<DayNumber>(d);
    PrintBlock block;
    block.heading = FormatDateLong(date, text);
    block.emptyText = t::kNoAppointments;
    for (const CalendarLine& line : CalendarLines(source, date)) {
      PrintRow r;
      r.when = line.time;
      r.title = line.title;
      r.done = line.done;
      if (line.time.empty()) r.duration = t::kMemo;
      block.rows.push_back(std::move(r));
    }
    doc.blocks.push_back(std::move(block));
  }
}

}  // namespace

PrintoutFilter MakePrintoutFilter(Schedule& s, const FilterState& state, FilterContext base,
                                  bool includePrivateItems) {
  base.printing = true;
  base.includePrivateInPrintouts = includePrivateItems;
  return [&s, &state, base](ActHandle h, DayNumber date) {
    FilterContext c = base;
    if (date != kNoDate) c.viewedDate = date;
    return IsFilteredOut(s, state, c, h);
  };
}

PrintoutDocument ComposePrintout(const PrintSource& source, const PrintoutRequest& request) {
  PrintoutDocument doc;
  const DateText& text = source.engine.dateText();
  doc.userName = source.userName;
  doc.filterText = source.filterText;
  const auto [from, to] = Ordered(request.from, request.to);
  const std::string asOf = Sprintf(t::kAsOf, FormatDateDay(source.engine.schedule().Today(), text).c_str());
  switch (request.kind) {
    case PrintoutKind::kDayView:
      doc.what = t::kDayView;
      doc.dates = RangeText(from, to, text);
      AddDaySheets(source, from, to, doc);
      break;
    case PrintoutKind::kPriorityView:
      doc.what = request.firstPageOnly ? t::kPriorityViewFirstPage : t::kPriorityView;
      doc.dates = asOf;
      doc.firstPageOnly = request.firstPageOnly;
      AddList(source, ListKind::kPriority, doc);
      break;
    case PrintoutKind::kAlphabeticalView:
      doc.what = t::kAlphabeticalView;
      doc.dates = asOf;
      AddList(source, ListKind::kAlphabetical, doc);
      break;
    case PrintoutKind::kProjectsList:
      doc.what = t::kProjectsList;
      doc.dates = asOf;
      AddList(source, ListKind::kProjects, doc);
      break;
    case PrintoutKind::kUnderscoredItems:
      doc.what = t::kUnderscoredItems;
      doc.dates = asOf;
      AddUnderscored(source, doc);
      break;
    case PrintoutKind::kNotes:
      doc.what = t::kNotes;
      doc.dates = asOf;
      AddNotes(request, doc);
      break;
    case PrintoutKind::kCalendar:
      doc.what = t::kCalendar;
      doc.dates = RangeText(from, to, text);
      switch (request.calendarFormat) {
        case CalendarFormat::kMonths:
          AddMonthGrids(source, from, to, std::max(1, request.monthsPerPage), doc);
          break;
        case CalendarFormat::kWeeks:
          AddWeekGrids(source, from, to, doc);
          break;
        case CalendarFormat::kList:
          AddCalendarList(source, from, to, doc);
          break;
      }
      break;
  }
  return doc;
}

}  // namespace ploven
