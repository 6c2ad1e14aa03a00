#include "recur/moon.h"

#include <cmath>

namespace ploven {
namespace {

// One over the synodic month of 29.5306 days.
constexpr double kLunationsPerDay = 0.033862891387721944;
// A new moon, in days after day 0.
constexpr double kNewMoonEpoch = 105.1;
// One minute in days, kept in single precision as the phase has always been computed with it.
constexpr float kDaysPerMinute = 0.00069444446f;

constexpr int kFullMoonFrom = 175;
constexpr int kFullMoonTo = 185;

}  // namespace

int MoonAngle(DayNumber day, bool moonMorning, int timeZoneBiasMinutes) {
  const double halfDay = moonMorning ? 0.5 : 0.0;
  const float biasDays = static_cast<float>(timeZoneBiasMinutes) * kDaysPerMinute;
  const double lunations =
      (day - (kNewMoonEpoch + halfDay) + static_cast<double>(biasDays)) * kLunationsPerDay;
  // floor keeps the fraction in 0..1 for days before the epoch too.
  const double fraction = lunations - std::floor(lunations);
  const int angle = static_cast<int>(360.0 * fraction);
  return angle < 360 ? angle : 0;
}

bool IsFullMoonDay(DayNumber day, bool moonMorning, int timeZoneBiasMinutes) {
  const int angle = MoonAngle(day, moonMorning, timeZoneBiasMinutes);
  if (angle >= kFullMoonFrom && angle <= kFullMoonTo) return true;
  // The phase moves about 12.2 degrees a day, more than the window is wide, so now and then a
  // lunation steps over it; its full moon then falls on the first day past the window.
  return angle > kFullMoonTo && MoonAngle(static_cast<DayNumber>(day - 1), moonMorning,
                                          timeZoneBiasMinutes) < kFullMoonFrom;
}

}  // namespace ploven
