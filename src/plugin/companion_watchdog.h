#pragma once

#include <QByteArray>
#include <chrono>
#include <optional>

namespace ploven::calendar {

// How long the companion waits for clients, and how long one process serves.
struct WatchdogPeriods {
  std::chrono::milliseconds idle{60'000};      // no client wrote: end (unless changes go back)
  std::chrono::milliseconds replace{900'000};  // then a fresh process takes over
  std::chrono::milliseconds tick{500};
  std::chrono::milliseconds calendarPass{2'000};
};

enum class WatchdogVerdict { kStay, kEnd, kReplace };

// What the watchdog does at one tick. A companion with records in hand finishes them first;
// one with records not yet in the calendar (`unsent`, a server that is away) does not end
// for want of clients, but may hand over to a fresh process, which finds them on disk.
WatchdogVerdict Watch(std::chrono::milliseconds sinceStart,
                      std::chrono::milliseconds sinceLastFrame, bool changesGoToPloven,
                      bool workInHand, bool unsent, const WatchdogPeriods& periods);

// The periods, with the idle and replace ones taken from the environment's
// PLOVEN_CALENDAR_IDLE_SECONDS and PLOVEN_CALENDAR_REPLACE_SECONDS when they hold a positive
// number (tests use short ones).
WatchdogPeriods PeriodsFromEnvironment(const QByteArray& idleSeconds,
                                       const QByteArray& replaceSeconds);
WatchdogPeriods PeriodsFromEnvironment();

inline constexpr char kIdleVariable[] = "PLOVEN_CALENDAR_IDLE_SECONDS";
inline constexpr char kReplaceVariable[] = "PLOVEN_CALENDAR_REPLACE_SECONDS";

}  // namespace ploven::calendar
