#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ploven {

// Times of the stopwatch and the countdown timer are milliseconds of a steady clock the
// window reads; the core only counts.

// A stopwatch that can be paused and resumed; its time is the sum of the runs.
class Stopwatch {
 public:
  void Start(int64_t nowMs);
  void Stop(int64_t nowMs);
  void Reset();
  bool running() const { return m_running; }
  int64_t ElapsedMs(int64_t nowMs) const;

 private:
  bool m_running = false;
  int64_t m_startedMs = 0;
  int64_t m_banked = 0;  // the runs before the current one
};

// A countdown from a length; it reports reaching zero once per start.
class Countdown {
 public:
  void Start(int64_t lengthMs, int64_t nowMs);
  void Pause(int64_t nowMs);
  void Resume(int64_t nowMs);
  void Reset();
  bool running() const { return m_running; }
  bool started() const { return m_lengthMs > 0; }
  int64_t RemainingMs(int64_t nowMs) const;
  // True the first time it is asked after the countdown reached zero.
  bool TakeExpiry(int64_t nowMs);

 private:
  bool m_running = false;
  bool m_expiryTaken = false;
  int64_t m_lengthMs = 0;
  int64_t m_startedMs = 0;
  int64_t m_usedMs = 0;  // before the last pause
};

// "m:ss" below an hour, else "h:mm:ss", for a whole number of seconds (rounded up for a
// countdown so that it shows 0:00 only at zero).
std::string FormatTimerSeconds(int64_t seconds);
// A countdown length as the user types it: "25" (minutes), "1:30" (minutes and seconds),
// "1:00:00" (hours, minutes and seconds). Nothing for anything else, zero, or above 24 hours.
std::optional<int64_t> ParseCountdownLength(std::string_view text);

}  // namespace ploven
