#pragma once

#include <string>
#include <vector>

#include "alarm/alarm_form.h"
#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/date_types.h"

namespace ploven {

class Recurrences;
class Schedule;

// How far back the Daily Reminder looks for work left undone.
inline constexpr int kRecentUndoneDays = 14;

// One line of the Daily Reminder: an item whose day is near (its Daily Reminders on other days
// cover today), or an undone item of a recent past day.
struct DailyReminderLine {
  ActHandle item = kNoAct;  // a recurring item's definition for its occurrences
  DayNumber day = kNoDate;  // the day of the event, or of the undone item
  int daysAway = 0;         // day - today: ahead when positive, past when negative
  bool pastUndone = false;
};

// The lines for `today`: coming events nearest first, then past events, then the undone items
// of the last two weeks by day. A recurring item is reminded of its nearest occurrence only.
std::vector<DailyReminderLine> DailyReminders(Recurrences& r, DayNumber today);

// "Fri 12/11/26, in 2 days: Mom's birthday".
std::string DailyReminderText(Schedule& s, const DailyReminderLine& line, const DateText& text);

// The Daily Reminder is shown at start and at each new day unless the user turned it off;
// while alarms are suppressed it comes back on the day suppression ends.
bool DailyReminderWanted(int dailyReminderFlag, DayNumber suppressUntil, DayNumber today);

}  // namespace ploven
