#include "alarm/daily_reminder.h"

#include <algorithm>
#include <cstdlib>

#include "alarm/alarm_messages.h"
#include "platform/format.h"
#include "recur/recurrences.h"
#include "store/schedule.h"

namespace ploven {

namespace t = alarm_text;

namespace {

// Where an item stands: the day it was planned on, or its set date.
DayNumber ItemDay(Schedule& s, ActHandle h) {
  if (TaskNode* task = s.ActTask(h)) return s.GetTaskDate(task);
  return s.ReadAct(h).ddate;
}

// The nearest day within `reach` days of today (ahead when positive, back when negative) on
// which the recurring definition has an occurrence; kNoDate when none.
DayNumber NearestOccurrence(Recurrences& r, ActHandle definition, DayNumber today, int reach) {
  const int step = reach > 0 ? 1 : -1;
  for (int k = 1; k <= std::abs(reach); ++k) {
    const int day = today + step * k;
    if (day <= 0 || day > kLastUserDay) break;
    if (BetaQualify(r, definition, static_cast<DayNumber>(day))) return static_cast<DayNumber>(day);
  }
  return kNoDate;
}

}  // namespace

std::vector<DailyReminderLine> DailyReminders(Recurrences& r, DayNumber today) {
  Schedule& s = r.schedule();
  std::vector<DailyReminderLine> lines;
  for (const auto& [key, node] : s.actChain()) {
    const ActHandle h = node.act;
    const Act& a = s.ReadAct(h);
    if (!(a.flags & AF_REMINDER_DAYS) || a.reminderDays == 0 || (a.flags & AF_DONE)) continue;
    const int reach = std::clamp<int>(a.reminderDays, -kMostReminderDays, kMostReminderDays);
    if (a.flags & AF_BETA) {
      const DayNumber day = NearestOccurrence(r, h, today, reach);
      if (day != kNoDate) lines.push_back({h, day, day - today, false});
      continue;
    }
    // An occurrence is reminded of through its definition.
    if (a.hBeta != 0) continue;
    const DayNumber day = ItemDay(s, h);
    if (day == kNoDate) continue;
    const int away = day - today;
    if ((reach > 0 && away > 0 && away <= reach) || (reach < 0 && away < 0 && away >= reach))
      lines.push_back({h, day, away, false});
  }
  // Coming events nearest first, then past events most recent first.
  std::sort(lines.begin(), lines.end(), [](const DailyReminderLine& x, const DailyReminderLine& y) {
    const bool xAhead = x.daysAway > 0, yAhead = y.daysAway > 0;
    if (xAhead != yAhead) return xAhead;
    return std::abs(x.daysAway) < std::abs(y.daysAway);
  });
  // An event already reminded of is not listed again as undone.
  const size_t events = lines.size();
  auto listed = [&lines, events](ActHandle h) {
    return std::any_of(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(events),
                       [h](const DailyReminderLine& line) { return line.item == h; });
  };
  for (const auto& [date, day] : s.terminals()) {
    if (date >= today) break;
    if (date < today - kRecentUndoneDays || s.header().IsArchived(date)) continue;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (!(s.ActFlags(task->act) & AF_DONE) && !listed(task->act))
        lines.push_back({task->act, date, date - today, true});
  }
  return lines;
}

std::string DailyReminderText(Schedule& s, const DailyReminderLine& line, const DateText& text) {
  const std::string date = FormatDateDay(line.day, text);
  const std::string title = s.IsActValid(line.item) ? s.GetActTitle(line.item) : std::string();
  if (line.pastUndone) return Sprintf(t::kReminderUndone, date.c_str(), title.c_str());
  const int n = std::abs(line.daysAway);
  if (n == 1)
    return Sprintf(line.daysAway > 0 ? t::kReminderTomorrow : t::kReminderYesterday, date.c_str(),
                   title.c_str());
  return Sprintf(line.daysAway > 0 ? t::kReminderAhead : t::kReminderPast, date.c_str(), n,
                 title.c_str());
}

bool DailyReminderWanted(int dailyReminderFlag, DayNumber suppressUntil, DayNumber today) {
  if (dailyReminderFlag == 0) return true;
  return suppressUntil != kNoDate && today >= suppressUntil;
}

}  // namespace ploven
