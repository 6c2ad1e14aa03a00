#pragma once

#include <string>
#include <vector>

#include "alarm/alarm_sentence.h"
#include "store/schedule.h"

namespace ploven {

// The memo kinds (memo, birthday, anniversary, work holiday) ring once on their day, whatever
// their offset.
bool IsMemoKind(uint16_t typeFlags);
// The item carries an alarm at that point.
bool HasAlarmAt(const Act& a, AlarmPoint point);
// Minutes before the point the alarm rings (negative: after it).
int AlarmOffsetMinutes(const Act& a);
// The minute a snoozed alarm rings again.
TimeOfDay SnoozeMinute(int16_t alarmState);

// The point's time today: the item's begin as its task stands, or its end. The end of a started
// item without a fixed start is where its task ends on the day.
int AlarmPointTime(const Act& a, const TaskNode& task, AlarmPoint point);
// The minute the alarm first rings today (a snoozed one: its snooze minute).
int AlarmRingMinute(const Act& a, const TaskNode& task, AlarmPoint point);
// The alarm at that point rings at `now` (not yet rung or snoozed and its minute come).
bool IsAlarmDue(const Act& a, const TaskNode& task, AlarmPoint point, TimeOfDay now);
// ", at the latest" belongs to the sentence: the begin may still move.
bool BeginMayMove(const Act& a);
// The box's sentence for the alarm at `now`.
std::string AlarmSentenceAt(const Act& a, const TaskNode& task, AlarmPoint point, TimeOfDay now);

// One alarm of a day, for listings.
struct DayAlarm {
  const TaskNode* task = nullptr;
  ActHandle act = kNoAct;
  AlarmPoint point = AlarmPoint::kBegin;
  int ringsAt = 0;       // the minute it rings
  bool due = false;      // due at the minute asked about
  std::string sentence;  // as the box would say it at that minute
};
// Every alarm of the day in chain order, begin before end; `now` decides `due` and the sentence.
std::vector<DayAlarm> AlarmsOfDay(const Schedule& s, const Terminal& day, TimeOfDay now);

}  // namespace ploven
