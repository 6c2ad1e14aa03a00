#include "plugin/companion_watchdog.h"

#include <QtGlobal>

namespace ploven::calendar {

WatchdogVerdict Watch(std::chrono::milliseconds sinceStart,
                      std::chrono::milliseconds sinceLastFrame, bool changesGoToPloven,
                      bool workInHand, bool unsent, const WatchdogPeriods& periods) {
  if (workInHand) return WatchdogVerdict::kStay;
  if (!changesGoToPloven && !unsent && sinceLastFrame >= periods.idle) {
    return WatchdogVerdict::kEnd;
  }
  if (sinceStart >= periods.replace) return WatchdogVerdict::kReplace;
  return WatchdogVerdict::kStay;
}

namespace {

std::optional<std::chrono::milliseconds> Seconds(const QByteArray& text) {
  bool ok = false;
  const double seconds = text.trimmed().toDouble(&ok);
  if (!ok || !(seconds > 0) || seconds > 86400.0 * 365) return std::nullopt;
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

}  // namespace

WatchdogPeriods PeriodsFromEnvironment(const QByteArray& idleSeconds,
                                       const QByteArray& replaceSeconds) {
  WatchdogPeriods periods;
  if (auto idle = Seconds(idleSeconds)) periods.idle = *idle;
  if (auto replace = Seconds(replaceSeconds)) periods.replace = *replace;
  return periods;
}

WatchdogPeriods PeriodsFromEnvironment() {
  return PeriodsFromEnvironment(qgetenv(kIdleVariable), qgetenv(kReplaceVariable));
}

}  // namespace ploven::calendar
