#include "alarm/alarm_due.h"

namespace ploven {

bool IsMemoKind(uint16_t typeFlags) {
  return (typeFlags & (ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY)) != 0;
}

bool HasAlarmAt(const Act& a, AlarmPoint point) {
  return a.Has(AF_ALARM) &&
         a.Has(point == AlarmPoint::kBegin ? AF_ALARM_AT_BEGIN : AF_ALARM_AT_END);
}

int AlarmOffsetMinutes(const Act& a) { return 60 * a.alarmHours + a.alarmMinutes; }

TimeOfDay SnoozeMinute(int16_t alarmState) {
  // Snoozing never goes past midnight, so a state is a minute of today; one of 1440 is 23:59,
  // not midnight past (only a state written elsewhere can lie beyond).
  return static_cast<TimeOfDay>(alarmState > kMinutesPerDay ? alarmState % kMinutesPerDay
                                                            : alarmState);
}

int AlarmPointTime(const Act& a, const TaskNode& task, AlarmPoint point) {
  const int begin = task.StartTime();
  if (point == AlarmPoint::kBegin) return begin;
  if (a.Has(AF_STARTED) && !a.Has(AF_FIXED)) return begin + task.length;
  return begin + a.duration;
}

int AlarmRingMinute(const Act& a, const TaskNode& task, AlarmPoint point) {
  if (a.alarmState > 0) return SnoozeMinute(a.alarmState);
  if (IsMemoKind(a.typeFlags)) return 0;
  return AlarmPointTime(a, task, point) - AlarmOffsetMinutes(a);
}

bool IsAlarmDue(const Act& a, const TaskNode& task, AlarmPoint point, TimeOfDay now) {
  if (a.alarmState == -1) return false;
  const bool done = a.Has(AF_DONE);
  if (IsMemoKind(a.typeFlags))
    return !done && a.alarmState >= 0 && now >= SnoozeMinute(a.alarmState);
  if (a.alarmState > 0) return now >= SnoozeMinute(a.alarmState);
  return a.alarmState == 0 && !done &&
         now >= AlarmPointTime(a, task, point) - AlarmOffsetMinutes(a);
}

bool BeginMayMove(const Act& a) {
  return !a.Has(AF_STARTED) && !a.Has(AF_DONE) && !a.Has(AF_FIXED);
}

std::string AlarmSentenceAt(const Act& a, const TaskNode& task, AlarmPoint point, TimeOfDay now) {
  const int m = now - AlarmPointTime(a, task, point);
  return AlarmSentence(point, IsMemoKind(a.typeFlags), m, BeginMayMove(a));
}

std::vector<DayAlarm> AlarmsOfDay(const Schedule& s, const Terminal& day, TimeOfDay now) {
  std::vector<DayAlarm> out;
  for (const TaskNode* n = day.First(); n != nullptr; n = n->Next()) {
    const Act& a = s.ReadAct(n->act);
    for (AlarmPoint p : {AlarmPoint::kBegin, AlarmPoint::kEnd}) {
      if (!HasAlarmAt(a, p)) continue;
      DayAlarm d;
      d.task = n;
      d.act = n->act;
      d.point = p;
      d.ringsAt = AlarmRingMinute(a, *n, p);
      d.due = IsAlarmDue(a, *n, p, now);
      d.sentence = AlarmSentenceAt(a, *n, p, now);
      out.push_back(std::move(d));
    }
  }
  return out;
}

}  // namespace ploven
