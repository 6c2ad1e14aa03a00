#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace ploven {

namespace {

// Days before the first of each month; the second row is for leap years.
constexpr int kDaysBeforeMonth[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

DayNumber SystemClock::Today() const {
  const std::tm t = LocalNow();
  const int y = t.tm_year + 1900;
  const int m = t.tm_mon;  // 0-based
  // Day 1 is 1 January 1980: 365 days a year plus one for each leap day since then.
  const long day =
      t.tm_mday + kDaysBeforeMonth[IsLeap(y) ? 1 : 0][m] + (y - 1977) / 4 + 365L * y - 722700L;
  return static_cast<DayNumber>(day);
}

TimeOfDay SystemClock::Now() const {
  const std::tm t = LocalNow();
  return ClockTime(t.tm_hour, t.tm_min);
}

double SystemClock::EpochSeconds() const {
  using namespace std::chrono;
  return duration<double>(system_clock::now().time_since_epoch()).count();
}

int SystemTimeZoneBiasMinutes() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int>(-local.tm_gmtoff / 60);
}

}  // namespace ploven
