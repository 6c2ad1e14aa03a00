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

// The rest passes through to whoever sits above the engine.
bool Engine::GenerateRecurringInstances(Schedule& s, Terminal& day) {
  return m_outer->GenerateRecurringInstances(s, day);
}
bool Engine::ScheduleBeta(Schedule& s, ActHandle definition) {
  return m_outer->ScheduleBeta(s, definition);
}
bool Engine::RecurrenceQualifies(Schedule& s, ActHandle definition, DayNumber date) {
  return m_outer->RecurrenceQualifies(s, definition, date);
}
ActHandle Engine::CloneToDrone(Schedule& s, TaskNode* clone) {
  return m_outer->CloneToDrone(s, clone);
}
void Engine::PastDayTreatment(Schedule& s, Terminal& day) { m_outer->PastDayTreatment(s, day); }
void Engine::LogDoneItemsOfDay(Schedule& s, Terminal& day) { m_outer->LogDoneItemsOfDay(s, day); }
void Engine::CancelAlarm(Schedule& s, ActHandle act) { m_outer->CancelAlarm(s, act); }
bool Engine::IsDayShown(DayNumber date) const { return m_outer->IsDayShown(date); }
void Engine::DayChanged(DayNumber date) { m_outer->DayChanged(date); }
void Engine::ItemChanged(ActHandle act) { m_outer->ItemChanged(act); }
void Engine::ActLeavingChain(ActHandle act) { m_outer->ActLeavingChain(act); }

}  // namespace ploven
