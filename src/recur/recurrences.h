#pragma once

#include <string>

#include "engine/engine.h"
#include "recur/beta_qualify.h"
#include "recur/title_variables.h"

namespace ploven {

// The recurring-items module: it expands recurring definitions into the days the schedule
// holds. It sits above the engine as its outer hooks (Engine::SetOuterHooks) and passes the
// hooks it does not use on to the ones above it (the views).
class Recurrences : public RelayHooks {
 public:
  explicit Recurrences(Engine& engine, QualifyContext settings = {});
  ~Recurrences() override;
  Recurrences(const Recurrences&) = delete;
  Recurrences& operator=(const Recurrences&) = delete;

  Engine& engine() { return m_engine; }
  Schedule& schedule() { return m_engine.schedule(); }
  QualifyContext& settings() { return m_settings; }
  // The context for today (the clock's date and the Light Mode of the schedule).
  QualifyContext Context() const;
  bool titleVariablesOff() const { return m_titleVariablesOff; }
  void SetTitleVariablesOff(bool off) { m_titleVariablesOff = off; }

  // Records healed by the rule so far (each was reported to the user once).
  int healedRecords() const { return m_healedRecords; }
  void NoteHealedRecord() { ++m_healedRecords; }

  // ---- ScheduleHooks: the recurring items own these; the rest goes on to the layer above ----
  bool GenerateRecurringInstances(Schedule& s, Terminal& day) override;  // GenBetaTasks
  bool ScheduleBeta(Schedule& s, ActHandle definition) override;
  bool RecurrenceQualifies(Schedule& s, ActHandle definition, DayNumber date) override;
  ActHandle CloneToDrone(Schedule& s, TaskNode* clone) override;
  bool DeleteOccurrence(Schedule& s, TaskNode* occurrence) override;
  bool RebaseRecurrence(Schedule& s, ActHandle definition, DayNumber newStart) override;

 private:
  Engine& m_engine;
  QualifyContext m_settings;
  bool m_titleVariablesOff = false;
  int m_healedRecords = 0;
};

// Whether the definition occurs on the date, exceptions not consulted. A record the rule had
// to heal is reported to the user and the schedule is marked changed.
bool BetaQualify(Recurrences& r, ActHandle definition, DayNumber date);

// The day after the last archived date, or today when nothing is archived.
DayNumber FirstOpenDate(const Schedule& s);

// The clones of every definition, in the recurring chain's order, on a new day. Placing them
// does not by itself mark the schedule changed. False at the first failure.
bool GenBetaTasks(Recurrences& r, Terminal& day);
// The definition's clones on every existing day from the first open date on. On a failure the
// clones placed are taken off again and false is returned.
bool ScheduleBeta(Recurrences& r, ActHandle definition);
// One day's step of the expansion: a clone of the definition on the day unless it does not
// qualify or the date has an exception. False on failure.
bool ScheduleBetaDate(Recurrences& r, ActHandle definition, Terminal& day);
// Removes the definition's clones from every day / from one day (true when one was removed).
void UnscheduleBeta(Recurrences& r, ActHandle definition);
bool UnscheduleBetaDate(Recurrences& r, ActHandle definition, Terminal& day);
// Empties the exception list: done drones stay as items of their own, other drones go.
void UnscheduleBetaDrones(Recurrences& r, ActHandle definition);
// Deletes a recurring item whole; its done occurrences stay as items of their own.
void DeleteRecurringItem(Recurrences& r, ActHandle definition);
// Whether every clone the record would need can be had.
bool IsEnufMemoryForScheduleBeta(Recurrences& r, const Beta& record);

// The clone of the definition on the date, or null; `noDay` set when the date has no day.
TaskNode* FindClone(Schedule& s, ActHandle definition, DayNumber date, bool* noDay = nullptr);
// Deletes one occurrence: a clone leaves a cancellation, a drone's entry becomes one. The node
// is gone afterwards. False when the task is no occurrence of a recurring item.
bool DeleteOneClone(Recurrences& r, TaskNode* occurrence);
// Turns a clone into an edited occurrence of its own; kNoAct on failure.
ActHandle CloneToDrone(Recurrences& r, TaskNode* clone);
// Turns an edited occurrence back into a clone of its definition.
void DroneToClone(Recurrences& r, TaskNode* droneTask);
// Whether the drone differs in nothing from the clone it replaced.
bool DroneIdenticalToClone(Recurrences& r, ActHandle drone);
// After the user edited an occurrence: one that holds nothing of its own any more (identical
// to its clone, and like its series in every other field the item dialog edits) becomes a
// plain occurrence again, following later edits of the series. The item that now shows the
// occurrence: the recurring item when it was folded back, else the drone.
ActHandle FoldEditedBackOccurrence(Recurrences& r, ActHandle drone);
// Starts the series again at `newStart`; drones identical to their clones go back to clones.
// False when the series could not be placed again (it then has no clones).
bool RebaseRecurrence(Recurrences& r, ActHandle definition, DayNumber newStart);
// A new recurring item with the same title and rule, no exceptions, a new ID; kNoAct on failure.
ActHandle DuplicateBetaAct(Recurrences& r, ActHandle definition);

// Dates from the Start Date through `date` that qualify.
int InstanceNumber(Recurrences& r, ActHandle definition, DayNumber date);
// The first qualifying date after `date` (from the Start Date and the first open date on), or
// 0; with `skipExceptions`, dates with an exception entry are passed over.
DayNumber NextOccurrence(Recurrences& r, ActHandle definition, DayNumber date,
                         bool skipExceptions);
// The latest qualifying date before `date`, or 0.
DayNumber PreviousOccurrence(Recurrences& r, ActHandle definition, DayNumber date);
// The date the item dialog shows: an edited occurrence's own date, the chosen occurrence's
// date of a recurring item, or its Start Date when every occurrence is being changed
// (`occurrence` 0); an item of its own shows its date.
DayNumber GetBetaDate(Schedule& s, ActHandle item, DayNumber occurrence);
// The title of an occurrence on the date, its variable expanded.
std::string OccurrenceTitle(Recurrences& r, ActHandle definition, DayNumber date, bool forDrone);

// At the change of date: recurring items without exceptions whose End Date lies before the
// first open date are deleted whole. The number deleted.
int ExpireRecurringItems(Recurrences& r);

}  // namespace ploven
