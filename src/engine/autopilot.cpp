#include <cstdint>

#include "engine/balance_all_days.h"

namespace ploven {

namespace {

const EngineSettings& SettingsOf(const Engine& engine) { return engine.settings(); }

bool MayRunOnItsOwn(const Engine& engine) {
  return !engine.LightMode() && engine.scheduleWritable();
}

// An interval of 0 or less (a damaged setting) never falls due.
bool Due(int64_t minute, int interval) { return interval > 0 && minute % interval == 0; }

}  // namespace

bool AutoBalanceDayDue(const Engine& engine, TimeOfDay now) {
  const EngineSettings& set = SettingsOf(engine);
  return MayRunOnItsOwn(engine) && set.autoBalanceDay &&
         Due(static_cast<int64_t>(now) - 1, set.balanceDayInterval);
}

bool AutoPilotDue(const Engine& engine, DayNumber today, TimeOfDay now) {
  const EngineSettings& set = SettingsOf(engine);
  if (!MayRunOnItsOwn(engine) || !set.autoPilot) return false;
  if (engine.balancingAllDays() || engine.busy().balanceDay) return false;
  return Due(static_cast<int64_t>(today) * kMinutesPerDay + now - 1, set.autoPilotInterval);
}

}  // namespace ploven
