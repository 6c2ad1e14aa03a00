#include "cli/planner.h"

#include "cli/schedule_settings.h"
#include "platform/settings_keys.h"

namespace ploven::cli {
namespace {
constexpr int kEncodedDefaultBase = 10000;
}  // namespace

QualifyContext ReadRecurrenceSettings(const Settings& settings) {
  QualifyContext c;
  c.moonMorning = settings.ReadInt(key::kMoonAM, kEncodedDefaultBase) != 0;
  c.weekStartsMonday = settings.ReadInt(key::kWeekStartsMon, kEncodedDefaultBase) != 0;
  c.yearFirstWeekAdjust = settings.ReadInt(key::kYearFirstWeekAdjust, kEncodedDefaultBase);
  c.timeZoneBiasMinutes = SystemTimeZoneBiasMinutes();
  return c;
}

Planner::Planner(CliEnv& env, Schedule& s)
    : m_engine(s, ReadEngineSettings(s.header(), env.settings(), env.text().regional.iCountry)),
      m_recurrences(m_engine, ReadRecurrenceSettings(env.settings())) {
  m_engine.SetDateText(env.text());
  s.priorityIndex().SetExpectedReturnsActive(ReadExpectedReturnsActive(env.settings()));
}

}  // namespace ploven::cli
