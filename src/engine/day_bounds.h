#pragma once

#include <string>

#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/date_types.h"

namespace ploven {

class Engine;
class Messages;
class Schedule;
class ScheduleHeader;

inline constexpr int kMinSplitLowest = 1;
inline constexpr int kMinSplitHighest = 720;

// The day window after the Day Bounds checks, as the header stores it (minutes after midnight
// plus one; a latest time past midnight is held beyond 1440).
struct DayBoundsResult {
  TimeOfDay earliest = kNoTime;
  TimeOfDay latest = kNoTime;
  bool midnightShift = false;
};

// Takes the entered earliest and latest times of day into the header, fitted to the header's
// work hours; each adjustment is told. Never refuses.
DayBoundsResult ApplyDayBounds(ScheduleHeader& header, TimeOfDay earliest, TimeOfDay latest,
                               Messages& msg);

// What the Day Bounds Settings dialog holds when OK is pressed.
struct DayBoundsEntry {
  TimeOfDay earliest = kNoTime;
  TimeOfDay latest = kNoTime;
  ActHandle appearFirst = kNoAct;  // a recurring definition, or none
  ActHandle appearLast = kNoAct;
};

// Day Bounds Settings, OK: false (told, nothing changed) keeps the dialog open.
bool DayBoundsSettingsOk(Schedule& schedule, const DayBoundsEntry& entry);

// The status line of the dialog for the times now entered.
std::string MidnightShiftStatus(TimeOfDay earliest, TimeOfDay latest, const DateText& text);

// What the Balance Settings dialog holds when OK is pressed.
struct BalanceEntry {
  Duration reserveToday = 0;
  Duration reserveFuture = 0;
  DayNumber keepClearFrom = kNoDate;  // kNoDate: open end
  DayNumber keepClearThrough = kNoDate;
  int minSplit = 15;
};

// The Balance Settings a header holds now.
BalanceEntry BalanceEntryOf(const ScheduleHeader& header);

// False (told) when the Keep Clear range ends before it begins.
bool CheckKeepClearRange(DayNumber from, DayNumber through, Messages& msg);

// Balance Settings, OK: false (told, nothing changed) keeps the dialog open.
bool BalanceSettingsOk(ScheduleHeader& header, const BalanceEntry& entry, Messages& msg);
// The same for a schedule being planned: the engine takes the new reserves and Keep Clear
// range over and the schedule is marked changed.
bool BalanceSettingsOk(Engine& engine, const BalanceEntry& entry);

}  // namespace ploven
