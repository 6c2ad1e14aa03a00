#include "engine/engine.h"

namespace ploven {

Engine::Engine(Schedule& schedule, EngineSettings settings)
    : m_s(schedule), m_settings(settings) {
  m_s.SetHooks(this);
}

Engine::~Engine() { m_s.SetHooks(nullptr); }

void Engine::ScheduleTask(Schedule& /*schedule*/, TaskNode* task, DayNumber date) {
  ScheduleTask(task, date, PlacementHint{});
}

void Engine::ComputeFreeMinutes(Schedule& /*schedule*/, Terminal& day) {
  day.freeMinutes = static_cast<int16_t>(DayFreeTime(day.date == m_s.Today(), day));
}

}  // namespace ploven
