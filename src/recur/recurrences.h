#pragma once

#include "engine/engine.h"
#include "recur/beta_qualify.h"
#include "recur/title_variables.h"

namespace ploven {

// The recurring-items module: it expands recurring definitions into the days the schedule
// holds. It sits above the engine as its outer hooks (Engine::SetOuterHooks) and passes the
// hooks it does not use on to the ones above it (the views).
class Recurrences : public ScheduleHooks {
 public:
  explicit Recurrences(Engine& engine, QualifyContext settings = {});
  ~Recurrences() override;

  Engine& engine() { return m_engine; }
  Schedule& schedule() { return m_engine.schedule(); }
  QualifyContext& settings() { return m_settings; }
  // The context for today (the clock's date and the Light Mode of the schedule).
  QualifyContext Context() const;
  bool titleVariablesOff() const { return m_titleVariablesOff; }
  void SetTitleVariablesOff(bool off) { m_titleVariablesOff = off; }
  void SetOuterHooks(ScheduleHooks* outer);

  // ---- ScheduleHooks ----
  bool GenerateRecurringInstances(Schedule& s, Terminal& day) override;  // GenBetaTasks
  bool ScheduleBeta(Schedule& s, ActHandle definition) override;
  bool RecurrenceQualifies(Schedule& s, ActHandle definition, DayNumber date) override;
  void PastDayTreatment(Schedule& s, Terminal& day) override;
  void LogDoneItemsOfDay(Schedule& s, Terminal& day) override;
  void CancelAlarm(Schedule& s, ActHandle act) override;
  bool IsDayShown(DayNumber date) const override;
  void DayChanged(DayNumber date) override;
  void ItemChanged(ActHandle act) override;
  void ActLeavingChain(ActHandle act) override;

 private:
  Engine& m_engine;
  QualifyContext m_settings;
  bool m_titleVariablesOff = false;
  ScheduleHooks m_noOuter;
  ScheduleHooks* m_outer = &m_noOuter;
};

// Whether the definition occurs on the date, exceptions not consulted.
bool BetaQualify(Recurrences& r, ActHandle definition, DayNumber date);

// The day after the last archived date, or today when nothing is archived.
DayNumber FirstOpenDate(const Schedule& s);

// One day's step of the expansion: a clone of the definition on the day unless it does not
// qualify or the date has an exception. False on failure.
bool ScheduleBetaDate(Recurrences& r, ActHandle definition, Terminal& day);
// Removes the definition's clones from every day / from one day (true when one was removed).
void UnscheduleBeta(Recurrences& r, ActHandle definition);
bool UnscheduleBetaDate(Recurrences& r, ActHandle definition, Terminal& day);
// Empties the exception list: done drones stay as items of their own, other drones go.
void UnscheduleBetaDrones(Recurrences& r, ActHandle definition);
// Deletes a recurring item whole.
void DeleteRecurringItem(Recurrences& r, ActHandle definition);
// Whether every clone the record would need can be had.
bool IsEnufMemoryForScheduleBeta(Recurrences& r, const Beta& record);

// The clone of the definition on the date, or null; `noDay` set when the date has no day.
TaskNode* FindClone(Schedule& s, ActHandle definition, DayNumber date, bool* noDay = nullptr);
// Deletes one occurrence: a clone leaves a cancellation, a drone's entry becomes one.
bool DeleteOneClone(Recurrences& r, TaskNode* occurrence);
// Turns a clone into an edited occurrence of its own; kNoAct on failure.
ActHandle CloneToDrone(Recurrences& r, TaskNode* clone);
void DroneToClone(Recurrences& r, TaskNode* droneTask);
bool DroneIdenticalToClone(Recurrences& r, ActHandle drone);
// Starts the series again at `newStart`; drones identical to their clones go back to clones.
void RebaseRecurrence(Recurrences& r, ActHandle definition, DayNumber newStart);
// A new recurring item with the same title and rule, no exceptions, a new ID.
ActHandle DuplicateBetaAct(Recurrences& r, ActHandle definition);

// Dates from the Start Date through `date` that qualify.
int InstanceNumber(Recurrences& r, ActHandle definition, DayNumber date);
// The first qualifying date after `date` (from the Start Date and the first open date on), or
// 0; with `skipExceptions`, dates with an exception entry are passed over.
DayNumber NextOccurrence(Recurrences& r, ActHandle definition, DayNumber date,
                         bool skipExceptions);
// The latest qualifying date before `date`, or 0.
DayNumber PreviousOccurrence(Recurrences& r, ActHandle definition, DayNumber date);
// The title of an occurrence on the date, its variable expanded.
std::string OccurrenceTitle(Recurrences& r, ActHandle definition, DayNumber date, bool forDrone);

// At the change of date: recurring items without exceptions whose End Date lies before the
// first open date are deleted whole. The number deleted.
int ExpireRecurringItems(Recurrences& r);

}  // namespace ploven
