#include <algorithm>
#include <cstdlib>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "store/calendar.h"

namespace ploven {

namespace t = engine_text;

TimeOfDay Engine::DayBoundsEarliest() const {
  const TimeOfDay e = m_s.header().earliestTimeOfDay();
  return e == 0 ? 1 : e;
}

TimeOfDay Engine::DayBoundsLatest() const {
  const TimeOfDay l = m_s.header().latestTimeOfDay();
  return l == 0 ? 1 : l;
}

bool Engine::IsWorkday(DayNumber date) const {
  return m_settings.workWeek.IsWorkday(date);
}

bool Engine::WeekdayQualify(ActHandle h, DayNumber date) const {
  const uint8_t days = m_s.ReadAct(h, t::kModuleBalance, __LINE__).weekdays;
  return days == 0 || (days & (1u << Weekday(date))) != 0;
}

DayNumber Engine::nxqual(ActHandle h, DayNumber date) const {
  const uint8_t days = m_s.ReadAct(h, t::kModuleBalance, __LINE__).weekdays & kEveryWeekdayBits;
  if (days == 0) return static_cast<DayNumber>(date + 1);
  DayNumber d = static_cast<DayNumber>(date + 1);
  while (!(days & (1u << Weekday(d)))) ++d;
  return d;
}

bool Engine::HoldsWorkHoliday(DayNumber date) {
  Terminal* day = m_s.ExistingTerminal(date);
  if (day == nullptr) return false;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
    if (m_s.ActTypeFlags(task->act) & ACT_WORK_HOLIDAY) return true;
  return false;
}

bool Engine::IsKeepClearDay(DayNumber date) {
  if (HoldsWorkHoliday(date)) return true;
  const DayNumber from = m_settings.keepClearFrom, through = m_settings.keepClearThrough;
  if (from != 0 && through != 0) return date >= from && date <= through;
  if (through != 0) return date <= through;
  if (from != 0) return date == from;
  return false;
}

// Today's reserve shrinks with the time left in the day:
//
//   reserve = reserveToday × max(0, latest − now) ÷ (latest − earliest)
int Engine::InterruptionReserve(DayNumber date) {
  if (date != m_s.Today()) return m_settings.reserveFutureDay;
  const int earliest = DayBoundsEarliest(), latest = DayBoundsLatest();
  if (latest == earliest) {
    m_s.messages().ErrorMessage(t::kZeroDayLength);
    return 0;
  }
  // Bounds the wrong way round leave no day to reserve time in.
  if (latest < earliest) return 0;
  const int left = std::max(0, latest - m_s.Now());
  return left * m_settings.reserveToday / (latest - earliest);
}

int Engine::DayRoom(Terminal& day) { return day.freeMinutes - InterruptionReserve(day.date); }

int Engine::DayFreeTime(bool isToday, const Terminal& day) const {
  int w = DayBoundsEarliest();
  if (isToday) w = std::max<int>(w, m_s.Now());
  const int e = DayBoundsLatest();
  int occupied = 0;
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next()) {
    const int start = task->StartTime();
    occupied += std::max(0, std::min(start + task->length, e) - std::max(start, w));
  }
  return e < w ? -occupied : e - w - occupied;
}

// The item's first task in date order. An unsplit item's task is found on its
// own date first, so the earliest-begin rules do not walk every day per gap.
TaskNode* Engine::FirstTaskOf(ActHandle h) {
  if (!(m_s.ActFlags(h) & (AF_SPLIT | AF_BETA))) return m_s.ActTask(h);
  for (const auto& [date, day] : m_s.terminals())
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (task->act == h) return task;
  return nullptr;
}

TimeOfDay Engine::EarliestBeginOnDate(ActHandle h, DayNumber date) {
  const Act a = m_s.ReadAct(h, t::kModuleBalance, __LINE__);
  if (a.flags & (AF_DONE | AF_FIXED)) return a.startTime;
  const bool fluid = a.Has(AF_FLEXIBLE);

  int p = 0;
  if (m_balancingAllDays && fluid && a.prereqID != 0) {
    const ActHandle pre = m_s.FindActByID(a.prereqID);
    if (pre != kNoAct && m_s.ReadAct(pre).ddate + a.prereqDays == date) {
      if (m_s.ActFlags(pre) & AF_FLEXIBLE) {
        m_s.ClearFlexiblePrereq(h);
      } else if (const TaskNode* task = FirstTaskOf(pre)) {
        p = task->StartTime() + task->length + a.prereqMinutes;
      }
    }
  }
  if (date == a.earliestDate) p = std::max<int>(p, a.earliestDateTime);

  int s = 0;
  if (m_balancingAllDays && fluid && a.Has(AF_SEQUENCED)) {
    const ActHandle before = m_s.priorityIndex().ItemRankedBefore(h);
    if (before != kNoAct && m_s.ReadAct(before).ddate == date)
      if (const TaskNode* task = FirstTaskOf(before)) s = task->StartTime() + task->length;
  }

  const int b = std::max<int>(a.earliestTime == 0 ? 1 : a.earliestTime, DayBoundsEarliest());
  int result = std::max({s, p, b});
  if (a.Has(AF_AFTER_HOURS) && IsWorkday(date) && !HoldsWorkHoliday(date))
    result = std::max<int>(result, m_s.header().workdayEnd());
  return static_cast<TimeOfDay>(result);
}

TimeOfDay Engine::LatestEndOnDate(ActHandle h, DayNumber date) const {
  const Act& a = m_s.ReadAct(h, t::kModuleBalance, __LINE__);
  if (a.flags & (AF_DONE | AF_FIXED)) return static_cast<TimeOfDay>(a.startTime + a.duration);
  const TimeOfDay bound = DayBoundsLatest();
  const TimeOfDay l = a.latestTime == 0 ? bound : std::min(a.latestTime, bound);
  if (a.Has(AF_FLEXIBLE) && a.deadlineDate == date && a.deadlineTime != 0 && a.deadlineTime <= l)
    return a.deadlineTime;
  return l;
}

}  // namespace ploven
