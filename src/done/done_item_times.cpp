#include "done/done_item_times.h"

#include <algorithm>

namespace ploven {

namespace {

// Times above 1440 (Midnight Shift) are the same clock time on the day before.
int ClockMinute(TimeOfDay t) { return (t - 1) % kMinutesPerDay; }

}  // namespace

TimeOfDay ClockTimeAfter(TimeOfDay began, int minutes) {
  return static_cast<TimeOfDay>((ClockMinute(began) + minutes) % kMinutesPerDay + 1);
}

int ClockMinutesBetween(TimeOfDay from, TimeOfDay to) {
  int d = ClockMinute(to) - ClockMinute(from);
  if (d < 0) d += kMinutesPerDay;
  return d;
}

DoneItemTimes::DoneItemTimes(TimeOfDay began, int duration) {
  m_began = began > kNoTime ? began : kNoTime;
  SetDuration(duration);
}

void DoneItemTimes::SetBegan(TimeOfDay began) {
  m_began = began > kNoTime ? began : kNoTime;
  MoveEnded();
}

void DoneItemTimes::SetEnded(TimeOfDay ended) {
  if (!hasBegan() || ended <= kNoTime) {
    MoveEnded();
    return;
  }
  m_duration = ClockMinutesBetween(m_began, ended);
  MoveEnded();
}

void DoneItemTimes::SetDuration(int minutes) {
  m_duration = std::clamp(minutes, 0, kLongest);
  MoveEnded();
}

void DoneItemTimes::MoveEnded() {
  m_ended = hasBegan() ? ClockTimeAfter(m_began, m_duration) : kNoTime;
}

}  // namespace ploven
