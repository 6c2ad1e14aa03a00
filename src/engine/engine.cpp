#include "engine/engine.h"

#include <utility>

namespace ploven {

Engine::Engine(Schedule& schedule, EngineSettings settings)
    : m_s(schedule), m_settings(settings) {
  m_s.SetHooks(this);
}

Engine::~Engine() { m_s.SetHooks(nullptr); }

void Engine::ScheduleTask(Schedule& /*schedule*/, TaskNode* task, DayNumber date) {
  ScheduleTask(task, date, PlacementHint{});
}

void Engine::TaskLeftDay(Schedule& /*schedule*/, DayNumber date) {
  if (m_recalcHeld > 0) {
    m_recalcWaiting.insert(date);
    return;
  }
  RecalcDayTimes(date);
}

void Engine::ReleaseDayRecalc(bool layOut) {
  if (--m_recalcHeld > 0) return;
  const std::set<DayNumber> waiting = std::move(m_recalcWaiting);
  m_recalcWaiting.clear();
  if (layOut)
    for (DayNumber date : waiting) RecalcDayTimes(date);
}

void Engine::ComputeFreeMinutes(Schedule& /*schedule*/, Terminal& day) {
  day.freeMinutes = static_cast<int16_t>(DayFreeTime(day.date == m_s.Today(), day));
}

}  // namespace ploven
