#include "platform/program_clock.h"

namespace ploven {

ClockTick ProgramClock::Tick(TimeOfDay latestTimeOfDay) {
  DayNumber today = m_system.Today();
  int now = m_system.Now();
  // The shifted midnight: the minute (plus one) of the day after at which the day ends.
  const int shiftedMidnight = latestTimeOfDay > 1441 ? latestTimeOfDay - 1440 : 0;
  m_shifted = shiftedMidnight > 0 && now < shiftedMidnight;
  if (m_shifted) {
    now += 1440;
    today = static_cast<DayNumber>(today - 1);
  }
  ClockTick tick;
  tick.minuteChanged = now != m_now || today != m_today;
  tick.dateChanged = m_today != 0 && today != m_today;
  m_today = today;
  m_now = static_cast<TimeOfDay>(now);
  return tick;
}

}  // namespace ploven
