#include "present/day_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/format.h"
#include "present/present_messages.h"
#include "recur/recurrences.h"
#include "store/calendar.h"
#include "store/date_format.h"
#include "store/projects.h"
#include "store/week_number.h"

namespace ploven {

namespace m = present_messages;

namespace {

// Items with the top flag bit do not push the running end of the day, so later items may
// overlap them without a conflict.
constexpr int kExtremeSum = 30000;
constexpr int kHugeValuePerHour = 1999999;

// The Day Bounds length; bounds that leave no day are measured against a whole day so the
// fullness never divides by zero.
int DayBoundsLength(const Engine& engine) {
  const int length = engine.DayBoundsLatest() - engine.DayBoundsEarliest();
  return length > 0 ? length : kMinutesPerDay;
}

std::string HoursMinutes(const char* format, int minutes) {
  return Sprintf(format, minutes / 60, minutes % 60);
}

std::string RowTitle(const DaySource& source, const TaskNode& task, DayNumber date) {
  Schedule& s = source.schedule();
  if ((s.ActFlags(task.act) & AF_BETA) && source.recurrences != nullptr)
    return OccurrenceTitle(*source.recurrences, task.act, date, false);
  return s.GetActTitle(task.act);
}

bool IsDone(const Schedule& s, ActHandle h) { return (s.ActFlags(h) & AF_DONE) != 0; }

// The tasks the rows show, in chain order.
std::vector<TaskNode*> ShownTasks(const DaySource& source, const Terminal& day, bool focus) {
  const Schedule& s = source.schedule();
  std::vector<TaskNode*> shown;
  for (TaskNode* task = day.First(); task != nullptr; task = task->Next()) {
    if (source.Hidden(task->act)) continue;
    const bool done = IsDone(s, task->act);
    if (source.options.hideDoneItems && done) continue;
    if (focus) {
      if (done || IsMemoHold(s, *task)) continue;
      if (static_cast<int>(shown.size()) >= source.options.nBatting) break;
    }
    shown.push_back(task);
  }
  return shown;
}

DayRow ItemRow(const DaySource& source, TaskNode& task, DayNumber date, int index) {
  Schedule& s = source.schedule();
  const DisplayOptions& o = source.options;
  const DateText& text = source.engine.dateText();
  const Act& a = s.ReadAct(task.act);
  DayRow row;
  row.kind = DayRowKind::kItem;
  row.task = &task;
  row.act = task.act;
  row.itemIndex = index;
  row.start = task.StartTime();
  row.minutes = task.length;
  row.memo = IsMemoHold(s, task);
  row.end = row.memo ? row.start : static_cast<TimeOfDay>(row.start + task.length);
  row.done = a.Has(AF_DONE);
  row.fluid = a.Has(AF_FLEXIBLE);
  row.fixed = a.Has(AF_FIXED);
  row.started = a.Has(AF_STARTED);
  row.conflict = task.InConflict();
  row.clone = a.Has(AF_BETA);
  row.drone = a.Has(AF_DRONE);
  row.hasNote = a.noteNumber != 0 && source.hasNote && source.hasNote(task.act);
  row.nonWorkday = !source.engine.IsWorkday(date);
  const DayNumber today = s.Today();
  row.past = date < today || (date == today && row.start != 0 && row.end <= s.Now());
  // Past days keep their done items legible when strikes are turned off for them.
  row.strike = row.done && !(o.noPastStrikes && date < today);

  const bool showTime = o.showTaskTimes && (!row.done || o.showDoneTaskTimes);
  if (showTime && row.start != 0)
    row.startText = Sprintf(m::kRowStart, FormatTimeShort(row.start, text).c_str());
  if (o.showEndTimes && showTime && row.start != 0 && !row.memo)
    row.endText = Sprintf(m::kRowEnd, FormatTimeShort(row.end, text).c_str());
  if (row.fluid && a.tier >= 'A' && a.tier <= 'Z')
    row.priorityText = Sprintf(m::kRowPriority, static_cast<char>(a.tier), s.GetActRank(task.act));
  if (a.projectID != 0) {
    row.projectID = a.projectID;
    row.project = FindProjectByID(s, a.projectID);
    row.projectColor = ProjectColor(s, a.projectID);
    std::string name;
    if (o.showProjectName && ProjectName(s, a.projectID, name) == 1)
      row.projectText = Sprintf(m::kRowProject, name.c_str());
  }
  row.title = RowTitle(source, task, date);
  row.durationText =
      row.memo ? m::kRowMemo : Sprintf(m::kRowDuration, FormatDuration(task.length, text).c_str());
  if (row.fluid && !row.done && !row.memo && row.start != 0) {
    const TimeOfDay limit = source.engine.LatestEndOnDate(task.act, date);
    if (limit != 0 && row.end > limit) {
      row.late = true;
      row.lateText = Sprintf(m::kRowLate, FormatDuration(row.end - limit, text).c_str());
    }
  }
  return row;
}

std::optional<DayRow> FreeRow(const DaySource& source, const DayRow& before, DayNumber date,
                              int from, int to) {
  const DisplayOptions& o = source.options;
  const int gap = to - from;
  if (gap <= 0 || !o.proMode) return std::nullopt;
  if (o.hideGaps && gap < o.minFreeLenShow) return std::nullopt;
  const Schedule& s = source.schedule();
  const DateText& text = source.engine.dateText();
  DayRow row;
  row.kind = DayRowKind::kFree;
  row.task = before.task;
  row.act = kNoAct;
  row.itemIndex = before.itemIndex;
  row.start = static_cast<TimeOfDay>(from);
  row.end = static_cast<TimeOfDay>(to);
  row.minutes = gap;
  row.past = date < s.Today() || (date == s.Today() && from < s.Now());
  row.nonWorkday = !source.engine.IsWorkday(date);
  if (o.showTaskTimes)
    row.startText = Sprintf(m::kRowStart, FormatTimeShort(row.start, text).c_str());
  if (o.showEndTimes) row.endText = Sprintf(m::kRowEnd, FormatTimeShort(row.end, text).c_str());
  row.title = Sprintf(row.past ? m::kFreeGap : m::kFreeFree, FormatDuration(gap, text).c_str());
  if (o.showOppCosts) {
    const int cost = static_cast<int>(static_cast<int64_t>(gap) * o.valuePerHour / 60);
    const auto money = FormatCurrency(cost, text.regional.sCurrency, o.currencyPosition);
    row.costText = Sprintf(m::kOppCost, money ? money->c_str() : m::kUndefinedCurrency);
  }
  return row;
}

}  // namespace

bool IsMemoHold(const Schedule& s, const TaskNode& task) {
  return (s.ActFlags(task.act) & AF_HOPE) != 0 || task.length <= 0;
}

std::optional<std::string> FormatCurrency(int amount, const std::string& symbol, int position) {
  const std::string number = std::to_string(amount);
  switch (position) {
    case 0:
      return symbol + number;
    case 1:
      return number + symbol;
    case 2:
      return symbol + " " + number;
    case 3:
      return number + " " + symbol;
    default:
      return std::nullopt;
  }
}

DayFigures GatherDayFigures(const DaySource& source, const Terminal& day) {
  const Schedule& s = source.schedule();
  DayFigures f;
  int runningEnd = 0;
  int value = 0;
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next()) {
    const Act& a = s.ReadAct(task->act);
    const bool memo = IsMemoHold(s, *task);
    if (!memo)
      f.scheduledMinutes += task->length;
    else if (a.Has(AF_DONE) && a.duration > 0)
      f.scheduledMinutes += a.duration;
    if (!source.Hidden(task->act)) {
      ++f.items;
      if (!a.Has(AF_DONE)) ++f.toDo;
    }
    if (!memo) value += static_cast<int>(std::lround(std::clamp(a.expectedReturn, -1e7f, 1e7f)));
    if (memo) continue;
    const int start = task->StartTime();
    const int end = start + task->length;
    const bool overlaps = runningEnd != 0 && start < runningEnd;
    if (task->InConflict() || overlaps) {
      ++f.conflicts;
      f.conflictMinutes +=
          overlaps ? std::min<int>(task->length, runningEnd - start) : task->length;
    }
    if (!(a.flags & AF_NO_RUNNING_END)) runningEnd = std::max(runningEnd, end);
    if (f.scheduledMinutes > kExtremeSum || f.conflictMinutes > kExtremeSum) break;
  }
  f.freeMinutes = std::max(0, source.engine.DayFreeTime(day.date == s.Today(), day));
  f.value = value;
  if (f.scheduledMinutes > kExtremeSum || f.conflictMinutes > kExtremeSum ||
      f.freeMinutes > kExtremeSum || std::abs(value) > 9999999) {
    f = DayFigures{-1, -1, -1, -1, -1, -1, -1, -1, true};
    return f;
  }
  f.fullness = f.scheduledMinutes * 100 / DayBoundsLength(source.engine);
  return f;
}

std::string StatisticsLine(const DaySource& source, DayNumber date) {
  const DisplayOptions& o = source.options;
  if (!o.proMode || !o.showSchedStats) return {};
  Schedule& s = source.schedule();
  Terminal* day = s.ExistingTerminal(date);
  if (day == nullptr) return {};
  const DayNumber today = s.Today();
  std::string line;
  if (date == today)
    line = m::kStatToday;
  else
    line = Sprintf(m::kStatTodayOffset, date < today ? '-' : '+', std::abs(date - today));
  if (source.engine.HoldsWorkHoliday(date)) line += m::kStatWorkHoliday;
  if (o.weekOfYear) {
    WeekRules rules;
    rules.firstWeekRule = o.firstWeekRule;
    rules.weekStartsMonday = o.weekStartsMonday;
    line += Sprintf(m::kStatWeek, WeekOfYear(date, rules));
  }
  const DayNumber historyStart = s.header().Get<int16_t>(ScheduleHeader::kScheduleStartDate);
  if (historyStart > 0 && date < historyStart) return line + m::kStatPreHistory;
  const DayFigures f = GatherDayFigures(source, *day);
  if (f.tooExtreme) return line + m::kStatTooExtreme;

  if (date == today) {
    line += Sprintf(m::kStatToDoOf, f.toDo, f.items);
  } else {
    std::string noun = s.header().IsArchived(date) ? m::kStatArchivedItems : m::kStatItems;
    if (f.items == 1) noun.pop_back();
    line += Sprintf(m::kStatCount, f.items, noun.c_str());
  }
  line += HoursMinutes(m::kStatScheduled, f.scheduledMinutes);
  if (o.valueOfTime) {
    const std::string symbol = source.engine.dateText().regional.sCurrency;
    const auto money = [&](int v) {
      return FormatCurrency(v, symbol, o.currencyPosition).value_or(m::kUndefinedCurrency);
    };
    line += Sprintf(m::kStatValue, money(f.value).c_str());
    const int64_t perHour = static_cast<int64_t>(f.value) * 60 / DayBoundsLength(source.engine);
    if (perHour < 0 || perHour > kHugeValuePerHour)
      line += m::kStatValueHuge;
    else
      line += Sprintf(m::kStatValuePerHour, money(static_cast<int>(perHour)).c_str());
    line += Sprintf(m::kStatPerHour, m::kHr);
  }
  line += Sprintf(f.fullness > 100 ? m::kStatOverFull : m::kStatFull, f.fullness);
  if (date < today) {
    if (f.toDo > 0) line += Sprintf(m::kStatPastToDo, f.toDo);
    return line;
  }
  line += HoursMinutes(m::kStatFree, f.freeMinutes);
  if (f.conflicts > 0) {
    line += Sprintf(m::kStatConflicts, f.conflicts);
    if (f.conflicts > 1) line += m::kStatConflictsPlural;
    line += HoursMinutes(m::kStatConflictTime, f.conflictMinutes);
  } else {
    line += m::kStatNoConflicts;
  }
  return line;
}

std::string DayRow::Line() const {
  std::string line;
  const auto add = [&line](const std::string& part) {
    if (part.empty()) return;
    if (!line.empty() && line.back() != ' ') line += ' ';
    line += part;
  };
  add(marker ? ">" : "");
  add(startText);
  line += endText;
  add(priorityText);
  add(projectText);
  add(title);
  add(durationText);
  line += costText;
  add(lateText);
  return line;
}

std::vector<DayRow> BuildDayRows(const DaySource& source, DayNumber date) {
  Schedule& s = source.schedule();
  Terminal* day = s.ExistingTerminal(date);
  std::vector<DayRow> rows;
  if (day == nullptr) return rows;
  const DisplayOptions& o = source.options;
  const bool focus = o.focusNow && date == s.Today();
  const std::vector<TaskNode*> shown = ShownTasks(source, *day, focus);
  const int latest = source.engine.DayBoundsLatest();
  // With items left out, the first gap is measured from the start of the day.
  int runningEnd = (o.hideDoneItems || focus) ? source.engine.DayBoundsEarliest() : 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    TaskNode& task = *shown[i];
    rows.push_back(ItemRow(source, task, date, static_cast<int>(i)));
    const DayRow& item = rows.back();
    if (!item.memo && item.start != 0 && !(s.ActFlags(task.act) & AF_NO_RUNNING_END))
      runningEnd = std::max<int>(runningEnd, item.end);
    if (runningEnd == 0) continue;
    int to = latest;
    if (i + 1 < shown.size()) {
      const TaskNode& next = *shown[i + 1];
      if (IsMemoHold(s, next) || next.StartTime() == 0) continue;
      to = next.StartTime();
    }
    if (auto free = FreeRow(source, item, date, runningEnd, to)) rows.push_back(std::move(*free));
  }
  const int marker = CurrentMarkerRow(rows, date == s.Today(), o.proMode, s.Now());
  if (marker >= 0) rows[static_cast<size_t>(marker)].marker = true;
  return rows;
}

int CurrentMarkerRow(const std::vector<DayRow>& rows, bool isToday, bool proMode, TimeOfDay now) {
  if (!isToday || !proMode) return -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    const DayRow& r = rows[i];
    if (r.kind != DayRowKind::kItem || r.memo || r.start == 0 || r.start > now) continue;
    if (now < r.end) return static_cast<int>(i);
    // Between this item and a next one that has not begun: the free row after it.
    if (i + 1 < rows.size() && rows[i + 1].kind == DayRowKind::kFree && now < rows[i + 1].end)
      return static_cast<int>(i + 1);
  }
  return -1;
}

int TimespaceHeight(int gapMinutes, int lineHeight, int usableHeight, bool timespace) {
  if (!timespace || gapMinutes <= 0) return lineHeight;
  const double scale =
      gapMinutes >= kMinutesPerDay
          ? 1.0
          : std::sin(static_cast<double>(gapMinutes) / kMinutesPerDay * std::numbers::pi / 2);
  const int height = static_cast<int>(0.7 * usableHeight * scale);
  return std::max(lineHeight, height);
}

std::string ContainerTitle(const ContainerTitleInput& in, const Schedule& schedule,
                           const DateText& text) {
  const char* view = m::kNoView;
  switch (in.view) {
    case DayViewKind::kNone:
      break;
    case DayViewKind::kDay:
      view = m::kViewDay;
      break;
    case DayViewKind::kMyMultipleDay:
      view = m::kViewMyMultiple;
      break;
    case DayViewKind::kMultipleDay:
      view = m::kViewMultiple;
      break;
  }
  std::string title = Sprintf(m::kTitleAsOf, view);
  if (in.view == DayViewKind::kNone || in.date <= 0) return title.substr(0, title.find(','));
  const std::string weekday = WeekdayName(Weekday(in.date), text);
  title += Sprintf(m::kTitleDate, weekday.c_str(), FormatDate(in.date, text).c_str(),
                   in.checkedOut ? m::kCheckedOut : "");
  const TimeOfDay earliest = schedule.header().earliestTimeOfDay();
  const TimeOfDay latest = schedule.header().latestTimeOfDay();
  if (MidnightShiftOn(earliest, latest)) {
    const TimeOfDay point = MidnightShiftPoint(earliest, latest);
    if (schedule.Now() < point)
      title += Sprintf(m::kDelayedMidnight, FormatTime(point, text).c_str());
  }
  if (in.focusNow)
    title += m::kFocusNow;
  else if (in.hideDoneItems)
    title += m::kHideDoneItems;
  if (in.unsaved) title += m::kUnsaved;
  title += in.filterText;
  return title;
}

}  // namespace ploven
