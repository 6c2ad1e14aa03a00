#include <memory>
#include <new>
#include <vector>

#include "recur/recurrence_messages.h"
#include "recur/recurrences.h"

namespace ploven {

namespace t = recurrence_text;

namespace {

// The dates of the days held, taken first: placing and removing tasks may add or free days.
std::vector<DayNumber> DayDates(Schedule& s, DayNumber from, const char* nullDateError) {
  std::vector<DayNumber> dates;
  for (const auto& [date, day] : s.terminals()) {
    if (day->date == kNoDate)
      s.messages().InternalError(nullDateError, t::kModuleBetasche, __LINE__);
    if (date >= from) dates.push_back(date);
  }
  return dates;
}

Beta& DefinitionBeta(Schedule& s, ActHandle definition, const char* error, const char* module) {
  if (!s.IsActValid(definition) || !(s.ActFlags(definition) & AF_BETA))
    s.messages().InternalError(error, module, __LINE__);
  Beta* beta = s.FindBeta(s.ReadAct(definition).hBeta);
  if (beta == nullptr) s.messages().InternalError(error, module, __LINE__);
  return *beta;
}

}  // namespace

bool ScheduleBetaDate(Recurrences& r, ActHandle definition, Terminal& day) {
  Schedule& s = r.schedule();
  if (!BetaQualify(r, definition, day.date)) return true;
  if (s.FindXlistEntry(definition, day.date) != nullptr) return true;
  // A day keeps one clone of a definition, however often it is expanded.
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next())
    if (task->act == definition) return true;

  const Act& a = s.ReadAct(definition, t::kModuleBetasche, __LINE__);
  TaskNode* task = s.NewTaskNode(definition, a.startTime, a.duration);
  s.ScheduleTask(task, day.date);
  if (task->prev == nullptr) {
    s.FreeTaskNode(task);
    return false;
  }
  return true;
}

bool GenBetaTasks(Recurrences& r, Terminal& day) {
  Schedule& s = r.schedule();
  const bool wasChanged = s.changed();
  const int healedBefore = r.healedRecords();
  bool ok = true;
  // A copy: the chain does not change here, but the placement runs code of other subsystems.
  const std::vector<ActHandle> definitions = s.betaChain();
  for (ActHandle definition : definitions) {
    if (!ScheduleBetaDate(r, definition, day)) {
      ok = false;
      break;
    }
  }
  // A day that comes into being is no change of its own; a healed record is.
  if (!wasChanged && r.healedRecords() == healedBefore) s.ClearChanged();
  return ok;
}

bool ScheduleBeta(Recurrences& r, ActHandle definition) {
  Schedule& s = r.schedule();
  for (DayNumber date : DayDates(s, FirstOpenDate(s), t::kScheduleBetaNullDate)) {
    Terminal* day = s.ExistingTerminal(date);
    if (day == nullptr) continue;
    if (!ScheduleBetaDate(r, definition, *day)) {
      UnscheduleBeta(r, definition);
      return false;
    }
  }
  return true;
}

bool IsEnufMemoryForScheduleBeta(Recurrences& r, const Beta& record) {
  Schedule& s = r.schedule();
  Beta probe = record;  // the rule may heal a record in place; this one stays as given
  const QualifyContext context = r.Context();
  std::vector<std::unique_ptr<TaskNode>> blocks;
  try {
    for (DayNumber date : DayDates(s, FirstOpenDate(s), t::kEnufMemoryNullDate))
      if (QualifiesOn(probe, date, context)) blocks.push_back(std::make_unique<TaskNode>());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool UnscheduleBetaDate(Recurrences& r, ActHandle definition, Terminal& day) {
  Schedule& s = r.schedule();
  std::vector<TaskNode*> clones;
  for (TaskNode* task = day.First(); task != nullptr; task = task->Next())
    if (task->act == definition) clones.push_back(task);
  if (clones.empty()) return false;
  {
    // The day closes up once, however many clones leave it.
    const DayRecalcBatch batch(r.engine());
    for (TaskNode* task : clones) {
      s.UnscheduleTask(task);
      s.FreeTaskNode(task);
    }
  }
  s.MarkChanged();
  return true;
}

void UnscheduleBeta(Recurrences& r, ActHandle definition) {
  Schedule& s = r.schedule();
  for (DayNumber date : DayDates(s, kNoDate, t::kUnscheduleBetaNullDate))
    if (Terminal* day = s.ExistingTerminal(date)) UnscheduleBetaDate(r, definition, *day);
}

void UnscheduleBetaDrones(Recurrences& r, ActHandle definition) {
  Schedule& s = r.schedule();
  if (!s.IsActValid(definition))
    s.messages().InternalError(t::kDronesLockAct, t::kModuleBetasche, __LINE__);
  Beta& beta = DefinitionBeta(s, definition, t::kDronesLockBeta, t::kModuleBetasche);
  const std::vector<XEntry> entries = beta.xlist;
  for (const XEntry& e : entries) {
    if (e.drone == kNoAct) continue;
    if (!s.IsActValid(e.drone))
      s.messages().InternalError(t::kItemNotValid, t::kModuleBetasche, __LINE__);
    Act& drone = s.LockAct(e.drone, t::kModuleBetasche, __LINE__);
    if (drone.Has(AF_DONE)) {
      // What was done stays in the record of the days, as an item of its own.
      drone.hBeta = 0;
      drone.flags &= ~static_cast<uint32_t>(AF_DRONE);
    } else {
      s.DeleteItem(e.drone);
      s.FreeAct(e.drone);
    }
  }
  // Deleting a drone does not touch the list, so the entries are still the ones copied.
  DefinitionBeta(s, definition, t::kDronesLockBeta, t::kModuleBetasche).xlist.clear();
  s.MarkChanged();
}

void DeleteRecurringItem(Recurrences& r, ActHandle definition) {
  Schedule& s = r.schedule();
  if (!s.IsActValid(definition) || !(s.ActFlags(definition) & AF_BETA) ||
      s.ReadAct(definition).hBeta == 0)
    s.messages().InternalError(t::kDeleteBetaNotBeta, t::kModuleBeta, __LINE__);
  const BetaHandle bh = s.ReadAct(definition).hBeta;
  if (s.FindBeta(bh) == nullptr)
    s.messages().InternalError(t::kDeleteBetaLockBeta, t::kModuleBeta, __LINE__);
  UnscheduleBeta(r, definition);
  UnscheduleBetaDrones(r, definition);
  s.RemoveFromBetaChain(definition);
  s.FreeBeta(bh);
  // What is left is an ordinary item with no appearances; the store deletes those.
  {
    Act& a = s.LockAct(definition, t::kModuleBeta, __LINE__);
    a.hBeta = 0;
    a.flags &= ~static_cast<uint32_t>(AF_BETA);
  }
  s.DeleteItem(definition);
  s.FreeAct(definition);
  s.MarkChanged();
}

int ExpireRecurringItems(Recurrences& r) {
  Schedule& s = r.schedule();
  const DayNumber firstOpen = FirstOpenDate(s);
  std::vector<ActHandle> expired;
  for (ActHandle definition : s.betaChain()) {
    const Beta* beta = s.FindBeta(s.ReadAct(definition).hBeta);
    if (beta == nullptr) continue;
    if (beta->xlist.empty() && beta->endDate != kNoDate && beta->endDate < firstOpen)
      expired.push_back(definition);
  }
  for (ActHandle definition : expired) DeleteRecurringItem(r, definition);
  return static_cast<int>(expired.size());
}

}  // namespace ploven
