#pragma once

#include "platform/clock.h"

namespace ploven {

// What one clock tick found changed.
struct ClockTick {
  bool minuteChanged = false;
  bool dateChanged = false;
};

// The program's idea of today and the current minute, recomputed at each clock tick from the
// system clock. With a Latest Time Of Day past midnight (Midnight Shift), the hours after
// midnight still belong to the previous day: the minute runs on past 1440 and today stays the
// day before until the shifted midnight.
class ProgramClock final : public Clock {
 public:
  explicit ProgramClock(const Clock& system) : m_system(system) { Tick(0); }

  DayNumber Today() const override { return m_today; }
  TimeOfDay Now() const override { return m_now; }
  double EpochSeconds() const override { return m_system.EpochSeconds(); }

  // `latestTimeOfDay` as the schedule holds it (minutes after midnight plus one; above 1441
  // when the day ends after midnight).
  ClockTick Tick(TimeOfDay latestTimeOfDay);
  // The system's own date and minute, before the shift.
  DayNumber SystemToday() const { return m_system.Today(); }
  bool Shifted() const { return m_shifted; }

 private:
  const Clock& m_system;
  DayNumber m_today = 0;
  TimeOfDay m_now = 0;
  bool m_shifted = false;
};

}  // namespace ploven
