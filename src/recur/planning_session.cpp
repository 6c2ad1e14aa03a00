#include "recur/planning_session.h"

#include "engine/engine_settings.h"
#include "platform/clock.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "store/schedule.h"

namespace ploven {
namespace {
}  // namespace

QualifyContext ReadRecurrenceSettings(const Settings& settings) {
  QualifyContext c;
  c.moonMorning = settings.ReadInt(key::kMoonAM, EncodedDefault(0)) != 0;
  c.weekStartsMonday = settings.ReadInt(key::kWeekStartsMon, EncodedDefault(0)) != 0;
  c.yearFirstWeekAdjust = settings.ReadInt(key::kYearFirstWeekAdjust, EncodedDefault(0));
  c.timeZoneBiasMinutes = SystemTimeZoneBiasMinutes();
  return c;
}

PlanningSession::PlanningSession(Schedule& s, const Settings& settings, const DateText& text)
    : m_engine(s, ReadEngineSettings(s.header(), settings, text.regional.iCountry)),
      m_recurrences(m_engine, ReadRecurrenceSettings(settings)) {
  m_engine.SetDateText(text);
  s.priorityIndex().SetExpectedReturnsActive(ReadExpectedReturnsActive(settings));
}

}  // namespace ploven
