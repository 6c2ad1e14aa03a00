#pragma once

#include "store/date_types.h"

namespace ploven {

// Today's date and the current minute. The program reads the system clock;
// tests and `plovenctl --today/--now` set it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DayNumber Today() const = 0;
  virtual TimeOfDay Now() const = 0;
  // Seconds since 1970, for the error log's time stamps and "saved %d seconds ago".
  virtual double EpochSeconds() const = 0;
};

// Reads local time from the system.
class SystemClock final : public Clock {
 public:
  DayNumber Today() const override;
  TimeOfDay Now() const override;
  double EpochSeconds() const override;
};

// Minutes to add to local time to get universal time, daylight saving included (300 in New
// York in winter, 240 in summer, -60 in Paris in winter).
int SystemTimeZoneBiasMinutes();

// A clock that stays where it is put.
class SettableClock final : public Clock {
 public:
  SettableClock(DayNumber today, TimeOfDay now) : m_today(today), m_now(now) {}
  DayNumber Today() const override { return m_today; }
  TimeOfDay Now() const override { return m_now; }
  double EpochSeconds() const override { return m_epochSeconds; }

  void Set(DayNumber today, TimeOfDay now) {
    m_today = today;
    m_now = now;
  }
  void SetEpochSeconds(double s) { m_epochSeconds = s; }
  void AdvanceDays(int days) { m_today = static_cast<DayNumber>(m_today + days); }

 private:
  DayNumber m_today;
  TimeOfDay m_now;
  double m_epochSeconds = 0;
};

}  // namespace ploven
