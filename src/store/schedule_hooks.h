#pragma once

#include "store/act_handle.h"
#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

class Schedule;
struct Terminal;
struct TaskNode;

// How an item's done state changed, for those who keep a copy of it elsewhere.
enum class DoneChange {
  kDone,     // marked done (or a done item's times changed)
  kUndone,   // done no longer
  kEntered,  // a new done item was recorded with its times (New Done Item)
};

// Where the item store hands work to the subsystems above it: placement,
// recurrence expansion, the past-day treatment, alarms and the views. Each
// default is what the store does on its own, before those subsystems exist
// or in programs that have none (the views).
class ScheduleHooks {
 public:
  virtual ~ScheduleHooks() = default;

  // Places a task on a day. The store's own rule links it at the end of the day.
  virtual void ScheduleTask(Schedule& schedule, TaskNode* task, DayNumber date);
  // A task was taken off the day: the items left on it are laid out again where placement
  // is known. The store alone keeps their times.
  virtual void TaskLeftDay(Schedule& /*schedule*/, DayNumber /*date*/) {}
  // Computes a new day's free minutes when free time is being tracked.
  virtual void ComputeFreeMinutes(Schedule& /*schedule*/, Terminal& /*day*/) {}
  // Generates the recurring instances of a new day; false on failure.
  virtual bool GenerateRecurringInstances(Schedule& /*schedule*/, Terminal& /*day*/) {
    return true;
  }
  // Whether a recurring definition has an occurrence on the date (its recurrence qualifies
  // there, exceptions aside). The store's own answer: an unedited instance of it stands on that
  // day already.
  virtual bool RecurrenceQualifies(Schedule& schedule, ActHandle definition, DayNumber date);
  // Expands a newly created recurring definition into the existing days.
  virtual bool ScheduleBeta(Schedule& /*schedule*/, ActHandle /*definition*/) { return true; }
  // Turns an unedited recurring instance into an item of its own for its date (marking it
  // done, for one). kNoAct when nothing above the store handles recurring items.
  virtual ActHandle CloneToDrone(Schedule& /*schedule*/, TaskNode* /*clone*/) { return kNoAct; }
  // Deletes one occurrence of a recurring item (a clone or an edited occurrence); its date
  // keeps a cancellation. The node is gone afterwards. False when nothing above the store
  // handles recurring items.
  virtual bool DeleteOccurrence(Schedule& /*schedule*/, TaskNode* /*occurrence*/) { return false; }
  // Starts a recurring item's series again at `newStart`. False when not done.
  virtual bool RebaseRecurrence(Schedule& /*schedule*/, ActHandle /*definition*/,
                                DayNumber /*newStart*/) {
    return false;
  }
  // A day on or before the last archived date was asked for.
  virtual void PastDayTreatment(Schedule& /*schedule*/, Terminal& /*day*/) {}
  // Writes the done items of a day that is being released to the done log.
  virtual void LogDoneItemsOfDay(Schedule& /*schedule*/, Terminal& /*day*/) {}
  virtual void CancelAlarm(Schedule& /*schedule*/, ActHandle /*act*/) {}
  // An item was done or undone, or a done item entered: the calendar bridge tells the other
  // calendar. Nothing listens by default.
  virtual void DoneStateChanged(Schedule& /*schedule*/, ActHandle /*act*/, DoneChange /*how*/) {}
  // The views: a day in an open view (or the month view's 28 days) is kept.
  virtual bool IsDayShown(DayNumber /*date*/) const { return false; }
  virtual void DayChanged(DayNumber /*date*/) {}
  // An item's look changed (its rank, its start): repaint it where it shows.
  virtual void ItemChanged(ActHandle /*act*/) {}
  // The item leaves the alphabetical chain: cursors on it move on.
  virtual void ActLeavingChain(ActHandle /*act*/) {}
};

// A layer of the hooks: it hands every hook to the layer above it (the store's own answers
// when there is none) and overrides only what it owns. The engine and the recurring items are
// such layers, stacked under the views.
class RelayHooks : public ScheduleHooks {
 public:
  void SetOuterHooks(ScheduleHooks* outer) { m_outer = outer != nullptr ? outer : &m_storeOwn; }

  void ScheduleTask(Schedule& s, TaskNode* task, DayNumber date) override {
    m_outer->ScheduleTask(s, task, date);
  }
  void TaskLeftDay(Schedule& s, DayNumber date) override { m_outer->TaskLeftDay(s, date); }
  void ComputeFreeMinutes(Schedule& s, Terminal& day) override { m_outer->ComputeFreeMinutes(s, day); }
  bool GenerateRecurringInstances(Schedule& s, Terminal& day) override {
    return m_outer->GenerateRecurringInstances(s, day);
  }
  bool RecurrenceQualifies(Schedule& s, ActHandle definition, DayNumber date) override {
    return m_outer->RecurrenceQualifies(s, definition, date);
  }
  bool ScheduleBeta(Schedule& s, ActHandle definition) override {
    return m_outer->ScheduleBeta(s, definition);
  }
  ActHandle CloneToDrone(Schedule& s, TaskNode* clone) override {
    return m_outer->CloneToDrone(s, clone);
  }
  bool DeleteOccurrence(Schedule& s, TaskNode* occurrence) override {
    return m_outer->DeleteOccurrence(s, occurrence);
  }
  bool RebaseRecurrence(Schedule& s, ActHandle definition, DayNumber newStart) override {
    return m_outer->RebaseRecurrence(s, definition, newStart);
  }
  void PastDayTreatment(Schedule& s, Terminal& day) override { m_outer->PastDayTreatment(s, day); }
  void LogDoneItemsOfDay(Schedule& s, Terminal& day) override { m_outer->LogDoneItemsOfDay(s, day); }
  void CancelAlarm(Schedule& s, ActHandle act) override { m_outer->CancelAlarm(s, act); }
  void DoneStateChanged(Schedule& s, ActHandle act, DoneChange how) override {
    m_outer->DoneStateChanged(s, act, how);
  }
  bool IsDayShown(DayNumber date) const override { return m_outer->IsDayShown(date); }
  void DayChanged(DayNumber date) override { m_outer->DayChanged(date); }
  void ItemChanged(ActHandle act) override { m_outer->ItemChanged(act); }
  void ActLeavingChain(ActHandle act) override { m_outer->ActLeavingChain(act); }

 private:
  ScheduleHooks m_storeOwn;
  ScheduleHooks* m_outer = &m_storeOwn;
};

}  // namespace ploven
