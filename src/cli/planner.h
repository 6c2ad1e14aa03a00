#pragma once

#include "cli/cli_env.h"
#include "engine/engine.h"
#include "recur/recurrences.h"

namespace ploven::cli {

// The recurrence preferences of the program's settings and the system's time zone.
QualifyContext ReadRecurrenceSettings(const Settings& settings);

// What a command plans a schedule with: the engine on the schedule's own settings and the
// recurring items above it, so that every day a command makes gets its occurrences.
class Planner {
 public:
  Planner(CliEnv& env, Schedule& s);
  Planner(const Planner&) = delete;
  Planner& operator=(const Planner&) = delete;

  Engine& engine() { return m_engine; }
  Recurrences& recurrences() { return m_recurrences; }

 private:
  Engine m_engine;
  Recurrences m_recurrences;
};

}  // namespace ploven::cli
