#include <cstring>
#include <vector>

#include "recur/recurrence_messages.h"
#include "recur/recurrences.h"

namespace ploven {

namespace t = recurrence_text;

namespace {

// The item flags an edited occurrence may differ in from its definition without counting as
// edited (the kind of occurrence, selection marks and the like are outside it).
constexpr uint32_t kIdentityFlags = 0x6804F3F8u;
// The occurrence keeps a note of its own.
constexpr uint32_t kOwnNoteFlag = AF_HAS_NOTE;
// Flags the item dialog sets that the identity with the clone leaves out.
constexpr uint32_t kOwnChoiceFlags = AF_SPLIT | AF_DIALOG_BOX_1 | AF_DIALOG_BOX_2 | AF_HIDE;

// The definition behind a drone, or kNoAct when the drone has lost it.
ActHandle DefinitionOf(const Schedule& s, ActHandle drone) {
  const Act& a = s.ReadAct(drone);
  if (!a.Has(AF_DRONE)) return kNoAct;
  const ActHandle definition = a.hBeta;
  if (definition == kNoAct || !s.IsActValid(definition)) return kNoAct;
  if (!(s.ActFlags(definition) & AF_BETA) || s.FindBeta(s.ReadAct(definition).hBeta) == nullptr)
    return kNoAct;
  return definition;
}

Terminal& DayOf(TaskNode* task) {
  ChainLink* head = task;
  while (head->prev != nullptr) head = head->prev;
  return *static_cast<DayHead*>(head)->term;
}

bool SameFields(const Act& d, const Act& b) {
  return d.startTime == b.startTime && d.duration == b.duration &&
         d.earliestTime == b.earliestTime && d.latestTime == b.latestTime &&
         d.expectedReturn == b.expectedReturn && d.label == b.label &&
         d.reminderDays == b.reminderDays && d.earliestDate == b.earliestDate &&
         d.earliestDateTime == b.earliestDateTime && d.deadlineDate == b.deadlineDate &&
         d.deadlineTime == b.deadlineTime &&
         // The two 16-bit fields after the Expected Return.
         std::memcmp(d.reserved82.data(), b.reserved82.data(), 4) == 0 &&
         d.projectID == b.projectID &&
         (!(d.flags & kOwnNoteFlag) || d.noteNumber == b.noteNumber) &&
         d.alarmMinutes == b.alarmMinutes && d.alarmState == b.alarmState &&
         (d.flags & kIdentityFlags) == (b.flags & kIdentityFlags);
}

// What the item dialog lets the user give one date beyond the fields the identity with the
// clone compares: a colour or a privacy mark given to one date is an edit of that date.
bool SameOwnChoices(const Act& d, const Act& b) {
  return d.weekdays == b.weekdays && d.color == b.color && d.typeFlags == b.typeFlags &&
         d.tier == b.tier && d.firstYear == b.firstYear && d.prereqID == b.prereqID &&
         d.prereqDays == b.prereqDays && d.prereqMinutes == b.prereqMinutes &&
         d.alarmHours == b.alarmHours && d.expense == b.expense && d.jobNumber == b.jobNumber &&
         d.mileage == b.mileage && (d.flags & kOwnChoiceFlags) == (b.flags & kOwnChoiceFlags);
}

}  // namespace

TaskNode* FindClone(Schedule& s, ActHandle definition, DayNumber date, bool* noDay) {
  if (date == kNoDate) s.messages().InternalError(t::kFindCloneZeroDate, t::kModuleBeta, __LINE__);
  if (noDay != nullptr) *noDay = false;
  Terminal* day = s.ExistingTerminal(date);
  if (day == nullptr) {
    if (noDay != nullptr) *noDay = true;
    return nullptr;
  }
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
    if (task->act == definition) return task;
  return nullptr;
}

bool DeleteOneClone(Recurrences& r, TaskNode* occurrence) {
  Schedule& s = r.schedule();
  if (occurrence == nullptr || !s.ValidTaskNode(occurrence)) return false;
  const ActHandle h = occurrence->act;
  const uint32_t flags = s.ActFlags(h);
  if (flags & AF_BETA) {
    const DayNumber date = s.GetTaskDate(occurrence);
    Terminal* day = s.ExistingTerminal(date);
    if (day == nullptr || !UnscheduleBetaDate(r, h, *day))
      s.messages().InternalError(t::kDeleteOneCloneFailed, t::kModuleDelete, __LINE__);
    s.AddXlistEntry(h, date, kNoAct);
    s.MarkChanged();
    return true;
  }
  const ActHandle definition = DefinitionOf(s, h);
  if (definition == kNoAct) return false;
  const DayNumber replaced = s.ReadAct(h).createdDate;
  // The entry becomes a cancellation before the drone goes, so the date stays taken.
  if (s.FindXlistEntry(definition, replaced) != nullptr)
    s.RepXlistEntry(definition, replaced, kNoAct, false);
  else
    s.AddXlistEntry(definition, replaced, kNoAct);
  s.DeleteItem(h);
  s.FreeAct(h);
  s.MarkChanged();
  return true;
}

ActHandle CloneToDrone(Recurrences& r, TaskNode* clone) {
  Schedule& s = r.schedule();
  if (clone == nullptr)
    s.messages().InternalError(t::kCloneToDroneNullTask, t::kModuleBeta, __LINE__);
  const ActHandle definition = clone->act;
  if (!s.IsActValid(definition))
    s.messages().InternalError(t::kCreateDroneLock1, t::kModuleBeta, __LINE__);
  if (!(s.ActFlags(definition) & AF_BETA)) return kNoAct;
  const DayNumber date = s.GetTaskDate(clone);

  Act record = s.ReadAct(definition);
  record.hBeta = definition;
  record.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE);
  record.flags |= AF_DRONE;
  record.ddate = date;
  record.createdDate = date;
  record.ID = 0;
  record.pitem = 0;
  const ActHandle drone = s.AllocateAct(record, OccurrenceTitle(r, definition, date, true));
  if (drone == kNoAct) {
    s.messages().ResourceError(t::kModuleBeta, __LINE__);
    return kNoAct;
  }
  if (!s.IsActValid(drone))
    s.messages().InternalError(t::kCreateDroneLock2, t::kModuleBeta, __LINE__);
  s.GetActID(drone);
  s.AddXlistEntry(definition, date, drone);

  // The node now shows the drone: it no longer counts as a clone of its day.
  clone->act = drone;
  --DayOf(clone).nClones;
  s.AddToActChain(drone, date);
  if (record.Has(AF_FLEXIBLE) && !record.Has(AF_DONE)) s.AddToPriorityIndex(drone, kEndOfTierRank);
  s.MarkChanged();
  return drone;
}

void DroneToClone(Recurrences& r, TaskNode* droneTask) {
  Schedule& s = r.schedule();
  if (droneTask == nullptr)
    s.messages().InternalError(t::kDroneToCloneNullTask, t::kModuleBeta, __LINE__);
  const ActHandle drone = droneTask->act;
  const ActHandle definition = DefinitionOf(s, drone);
  // A drone that stands on more than one day cannot become one clone.
  if (definition == kNoAct || s.CountActTasks(drone) != 1) return;
  const DayNumber replaced = s.ReadAct(drone).createdDate;
  if (s.FindXlistEntry(definition, replaced) != nullptr)
    s.DelXlistEntry(definition, replaced);
  else if (replaced >= s.Today())
    s.messages().InternalError(t::kDroneToCloneNoEntry, t::kModuleBeta, __LINE__);

  droneTask->act = definition;
  ++DayOf(droneTask).nClones;
  s.DetachAct(drone);
  s.FreeAct(drone);
  s.MarkChanged();
}

bool DroneIdenticalToClone(Recurrences& r, ActHandle drone) {
  Schedule& s = r.schedule();
  if (!s.IsActValid(drone)) return false;
  const ActHandle definition = DefinitionOf(s, drone);
  if (definition == kNoAct) return false;
  const Act d = s.ReadAct(drone);
  // A past undone occurrence is still waiting to be dealt with: it stays as it is.
  if (d.ddate < s.Today() && !d.Has(AF_DONE)) return false;
  TaskNode* task = s.ActTask(drone);
  if (task == nullptr || s.GetTaskDate(task) != d.createdDate) return false;
  if (!BetaQualify(r, definition, d.createdDate)) return false;
  if (!SameFields(d, s.ReadAct(definition))) return false;
  return s.GetActNameFull(drone) == OccurrenceTitle(r, definition, d.createdDate, true);
}

ActHandle FoldEditedBackOccurrence(Recurrences& r, ActHandle drone) {
  Schedule& s = r.schedule();
  if (!DroneIdenticalToClone(r, drone)) return drone;
  const ActHandle definition = DefinitionOf(s, drone);
  if (!SameOwnChoices(s.ReadAct(drone), s.ReadAct(definition))) return drone;
  TaskNode* task = s.ActTask(drone);
  const DayNumber date = s.GetTaskDate(task);
  DroneToClone(r, task);
  if (task->act != definition) return drone;
  s.hooks().DayChanged(date);
  s.hooks().ItemChanged(definition);
  return definition;
}

bool RebaseRecurrence(Recurrences& r, ActHandle definition, DayNumber newStart) {
  Schedule& s = r.schedule();
  if (!s.IsActValid(definition) || !(s.ActFlags(definition) & AF_BETA)) return false;
  UnscheduleBeta(r, definition);
  s.LockBeta(s.ReadAct(definition).hBeta).startDate = newStart;
  s.MarkChanged();
  if (!ScheduleBeta(r, definition)) return false;
  const std::vector<XEntry> entries = s.LockBeta(s.ReadAct(definition).hBeta).xlist;
  for (const XEntry& e : entries) {
    if (e.drone == kNoAct || !DroneIdenticalToClone(r, e.drone)) continue;
    DroneToClone(r, s.ActTask(e.drone));
  }
  return true;
}

ActHandle DuplicateBetaAct(Recurrences& r, ActHandle definition) {
  Schedule& s = r.schedule();
  if (!s.IsActValid(definition) || !(s.ActFlags(definition) & AF_BETA))
    s.messages().InternalError(t::kDuplicateLockAct, t::kModuleUtil, __LINE__);
  Act record = s.ReadAct(definition);
  Beta rule = s.LockBeta(record.hBeta);
  record.hBeta = 0;
  record.ID = 0;
  record.pitem = 0;
  rule.xlist.clear();
  rule.xlistHandle = 0;
  rule.lastDone = 0;
  rule.reserved22 = {};
  const std::string title = s.GetActNameFull(definition);
  return s.NewItem(kNoDate, record, title, &rule);
}

}  // namespace ploven
