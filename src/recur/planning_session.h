#pragma once

#include "engine/engine.h"
#include "recur/recurrences.h"

namespace ploven {

class Settings;

// The recurrence preferences of the program's settings and the system's time zone.
QualifyContext ReadRecurrenceSettings(const Settings& settings);

// A schedule opened for planning: the engine on the schedule's and the program's settings,
// with the recurring items above it, so that every day the planning makes gets its
// occurrences. The desktop program and every plovenctl command plan through one of these.
class PlanningSession {
 public:
  // `text` is how dates are shown and read; its country decides the default workdays.
  PlanningSession(Schedule& schedule, const Settings& settings, const DateText& text);
  PlanningSession(const PlanningSession&) = delete;
  PlanningSession& operator=(const PlanningSession&) = delete;

  Schedule& schedule() { return m_engine.schedule(); }
  Engine& engine() { return m_engine; }
  Recurrences& recurrences() { return m_recurrences; }

 private:
  Engine m_engine;
  Recurrences m_recurrences;
};

}  // namespace ploven
