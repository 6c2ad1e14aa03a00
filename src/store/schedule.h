#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"
#include "store/act_chain.h"
#include "store/act_flags.h"
#include "store/act_record.h"
#include "store/beta_record.h"
#include "store/handle_pool.h"
#include "store/priority_index.h"
#include "store/projects.h"
#include "store/schedule_hooks.h"
#include "store/schedule_header.h"
#include "store/terminal.h"

namespace ploven {

// The whole in-memory schedule: items and their titles, recurrence records,
// the alphabetical chain, the days with their task chains, and the header
// settings and counters. Every operation that finds a broken invariant
// reports it through the internal-error report, which ends the program.
class Schedule {
 public:
  Schedule(Messages& messages, const Clock& clock, ScheduleHooks* hooks = nullptr);
  ~Schedule();
  Schedule(const Schedule&) = delete;
  Schedule& operator=(const Schedule&) = delete;

  Messages& messages() { return m_msg; }
  const Clock& clock() const { return m_clock; }
  ScheduleHeader& header() { return m_header; }
  const ScheduleHeader& header() const { return m_header; }
  void SetHooks(ScheduleHooks* hooks);

  // The values a new item starts with (New Item Preferences); stored with the schedule.
  Act& itemDefaults() { return m_itemDefaults; }
  const Act& itemDefaults() const { return m_itemDefaults; }
  ScheduleHooks& hooks() { return *m_hooks; }

  // The schedule has changes that are not saved yet.
  bool changed() const { return m_changed; }
  void MarkChanged() { m_changed = true; }
  void ClearChanged() { m_changed = false; }

  DayNumber Today() const { return m_clock.Today(); }
  TimeOfDay Now() const { return m_clock.Now(); }

  // ---- Items and handles ----------------------------------------------------

  // A new zero-filled item; kNoAct when the table is full (the caller reports
  // out-of-memory through ResourceError).
  ActHandle AllocateAct(const Act& record = {}, std::string_view title = {});
  bool IsActValid(ActHandle h) const { return m_acts.Find(h) != nullptr; }
  // The record behind a handle. A zero or stale handle is fatal.
  Act& LockAct(ActHandle h, const char* module = "Utilacts", int line = 0);
  const Act& ReadAct(ActHandle h, const char* module = "Utilacts", int line = 0) const;

  uint32_t ActFlags(ActHandle h) const;      // 0 for a zero handle
  uint16_t ActTypeFlags(ActHandle h) const;  // 0 for a zero handle
  DayNumber GetActDate(ActHandle h) const;   // 0 for a recurring definition
  TimeOfDay GetActStart(ActHandle h) const { return ReadAct(h).startTime; }
  Duration GetActDuration(ActHandle h) const { return ReadAct(h).duration; }
  Duration GetActPlacedDuration(ActHandle h) const;
  void SetActDuration(ActHandle h, Duration d) { LockAct(h).duration = d; }
  uint8_t GetActTier(ActHandle h) const { return ReadAct(h).tier; }
  void SetActTier(ActHandle h, uint8_t tier) { LockAct(h).tier = tier; }
  DayNumber GetActCreatedDate(ActHandle h) const { return ReadAct(h).createdDate; }
  void SetActCreatedDate(ActHandle h, DayNumber d) { LockAct(h).createdDate = d; }
  uint32_t GetActProject(ActHandle h) const { return ReadAct(h).projectID; }
  int32_t GetActJobNumber(ActHandle h) const { return ReadAct(h).jobNumber; }
  DayNumber GetActDeadline(ActHandle h) const { return ReadAct(h).deadlineDate; }
  uint8_t GetActLabel(ActHandle h) const { return ReadAct(h).label; }
  int32_t GetActNoteNumber(ActHandle h) const { return ReadAct(h).noteNumber; }
  std::optional<uint32_t> GetActPitem(ActHandle h) const;
  uint32_t GetActPrereq(ActHandle h) const { return ReadAct(h).prereqID; }
  int32_t GetActFirstYear(ActHandle h) const { return ReadAct(h).firstYear; }
  float GetActExpectedReturn(ActHandle h) const { return ReadAct(h).expectedReturn; }
  int8_t GetActReminderDays(ActHandle h) const { return ReadAct(h).reminderDays; }
  int16_t GetActAlarmMinutes(ActHandle h) const { return ReadAct(h).alarmMinutes; }
  uint32_t GetActBeta(ActHandle h) const { return ReadAct(h).hBeta; }
  void TouchAct(ActHandle h);

  // Identifiers are given out lazily from the schedule's counter.
  uint32_t GetActID(ActHandle h);
  uint32_t NewActID(ActHandle h);
  int32_t NewNoteNumber(ActHandle h);
  // The next note number, taken for an item that does not exist yet.
  int32_t ReserveNoteNumber();

  ActHandle FindActByID(uint32_t id) const;
  // Makes room in the indexes for about `n` items (loading a file).
  void ReserveItems(size_t n) {
    m_byID.reserve(n);
    m_actChain.Reserve(n);
  }
  // The first item in the alphabetical chain whose short title is exactly `text`.
  ActHandle FindActByTitle(std::string_view text) const;
  // The first item in the alphabetical chain that carries the marker (AF_MARK1 or AF_MARK2).
  ActHandle FindMarkedAct(uint32_t marker) const;

  const std::string& GetActNameFull(ActHandle h) const;
  // Stores a title (at most 1000 characters); an item in the alphabetical
  // chain moves to its new place.
  void SetActName(ActHandle h, std::string_view text);
  std::string GetActTitle(ActHandle h) const;      // short, with the private rule
  std::string GetActTitleFull(ActHandle h) const;  // whole, with the private rule
  bool IsPrivateAct(ActHandle h) const;
  bool privateAccess() const { return m_privateAccess; }
  void SetPrivateAccess(bool on) { m_privateAccess = on; }

  void FreeAct(ActHandle h);
  Act CopyAct(ActHandle h) const { return ReadAct(h); }

  // The task that shows the item: its first appearance in date order, or for
  // a split item its last segment.
  TaskNode* ActTask(ActHandle h);
  int CountActTasks(ActHandle h) const;

  // ---- The alphabetical chain --------------------------------------------------

  const ActChain& actChain() const { return m_actChain; }
  // Registers the item unless it is there already or its date is archived
  // (the undated date 1024 is always accepted).
  bool AddToActChain(ActHandle h, int32_t date);
  void RemoveFromActChain(ActHandle h);
  bool FindInActChain(ActHandle h) const { return m_actChain.Contains(h); }
  void UpdateActChain(ActHandle h, int32_t date);

  // ---- Prerequisites --------------------------------------------------------------

  bool CanBePrereq(ActHandle h, ActHandle other) const;
  void ClearFlexiblePrereq(ActHandle h);

  // ---- Recurring definitions ----------------------------------------------------

  BetaHandle AllocateBeta(const Beta& beta = {});
  Beta& LockBeta(BetaHandle h);
  Beta* FindBeta(BetaHandle h) { return m_betas.Find(h); }
  const Beta* FindBeta(BetaHandle h) const { return m_betas.Find(h); }
  void FreeBeta(BetaHandle h) { m_betas.Free(h); }
  // Recurring definitions in title order, case-insensitively.
  const std::vector<ActHandle>& betaChain() const { return m_betaChain; }
  bool AddBeta(ActHandle definition);
  // A definition that the schedule file lists next: the file keeps the chain's order.
  void AppendLoadedBeta(ActHandle definition);
  void RemoveFromBetaChain(ActHandle definition);

  // ---- Days -----------------------------------------------------------------

  Terminal* ExistingTerminal(DayNumber date);
  Terminal* GetTerminal(DayNumber date);
  Terminal* AddTerminal(DayNumber date);
  void PruneTerminals();
  DayNumber GetTaskDate(TaskNode* task);
  DayNumber FindTaskDay(const TaskNode* task) const;
  DayNumber EarliestTerminalDate() const;
  int CountTerminals() const;  // days whose date is not archived
  int CountAllTerminals() const { return static_cast<int>(m_terminals.size()); }
  static bool OnlyClones(const Terminal& t) { return t.nTasks == t.nClones; }
  bool AllTasksDone(const Terminal& t) const;
  Terminal* HoldTerminal(DayNumber date);
  bool IsDayTask(const TaskNode* task);
  bool ValidTaskNode(const TaskNode* task) const;
  static TaskNode* LastTask(TaskNode* first);
  // Neighbours that are done; with `skipHope`, also not memos.
  TaskNode* NextDoneTask(TaskNode* task, bool skipHope = false) const;
  TaskNode* PrevDoneTask(TaskNode* task, bool skipHope = false) const;

  // Days in date order.
  const std::map<DayNumber, std::unique_ptr<Terminal>>& terminals() const { return m_terminals; }

  // Takes a day that the schedule file lists next. A negative date is dropped
  // with a message; a date that does not follow the one before is fatal for
  // files of version 3.33 and later, and dropped with a message for older ones.
  Terminal* AppendLoadedTerminal(DayNumber date, float writtenByVersion);

  // Pruning waits while a balancing, a whole-schedule operation or an import runs.
  void SuspendPruning() { ++m_pruneSuspended; }
  void ResumePruning() { --m_pruneSuspended; }

  // ---- Tasks ----------------------------------------------------------------

  TaskNode* NewTaskNode(ActHandle act, int16_t start = 0, int16_t length = 0);
  void FreeTaskNode(TaskNode* task);
  // Links a task into a day after `after` (the head when null) and counts it.
  void LinkTaskAfter(Terminal& day, TaskNode* after, TaskNode* task);
  // The placement of the subsystem above the store (or the store's own).
  void ScheduleTask(TaskNode* task, DayNumber date) { m_hooks->ScheduleTask(*this, task, date); }
  // Takes a task off its day, gives its minutes back, and returns the date. The items left
  // on the day are laid out again (ScheduleHooks::TaskLeftDay).
  DayNumber UnscheduleTask(TaskNode* task);

  // ---- Inserting and deleting items ------------------------------------------

  // Makes a new item of `record` and `title` on `date`, or a recurring
  // definition when `recurrence` is given. kNoAct on failure.
  ActHandle InsertItem(DayNumber date, const Act& record, std::string_view title,
                       const Beta* recurrence, TaskNode* task);
  ActHandle NewItem(DayNumber date, const Act& record, std::string_view title,
                    const Beta* recurrence = nullptr);
  void DeleteItem(ActHandle h);
  void DetachAct(ActHandle h);
  // Titles of the items made since the last save.
  const std::vector<std::string>& unsavedTitles() const { return m_unsavedTitles; }
  void ClearUnsavedTitles() { m_unsavedTitles.clear(); }

  // ---- The priority index of flexible items (store/priorities.cpp) -------------

  PriorityIndex& priorityIndex() { return m_priority; }
  const PriorityIndex& priorityIndex() const { return m_priority; }
  // Enters a flexible item at `rank` of its tier; an archived date makes it set-date instead.
  bool AddToPriorityIndex(ActHandle h, int rank);
  void RemoveFromPriorityIndex(ActHandle h);
  void MoveToRank(ActHandle h, int rank);
  void SetTierAndRank(ActHandle h, int rank);
  void RenumberRanks();
  int16_t GetActRank(ActHandle h) const;  // 0 unless flexible

  // ---- Projects (store/projects*.cpp) ---------------------------------------------

  Projects& projects() { return m_projects; }
  const Projects& projects() const { return m_projects; }
  ActHandle FindActOrProjectByID(uint32_t id) const;
  // A detached item leaves the projects tree.
  void DetachFromProjects(ActHandle h);

  // ---- Exception lists of recurring items ---------------------------------------

  void AddXlistEntry(ActHandle definition, DayNumber date, ActHandle drone);
  void DelXlistEntry(ActHandle definition, DayNumber date);
  void RepXlistEntry(ActHandle definition, DayNumber date, ActHandle drone, bool loading);
  const XEntry* FindXlistEntry(ActHandle definition, DayNumber date);
  void ValidateXlist(const Beta& beta);
  void PurgeXlists();
  void DropUnplacedDrones(ActHandle definition);
  void RepairDrone(ActHandle h);

 private:
  struct ActSlot {
    Act rec;
    std::string title;
  };

  [[noreturn]] void Fatal(const char* text, const char* module, int line) const;
  ActSlot& Slot(ActHandle h, const char* module, int line) const;
  Beta& BetaOf(ActHandle definition, const char* module, int line);
  void FreeDay(std::map<DayNumber, std::unique_ptr<Terminal>>::iterator it);
  bool Prunable(const Terminal& t) const;
  void RegisterID(ActHandle h, uint32_t id);
  void UnregisterID(ActHandle h, uint32_t id);
  std::string FormatDay(DayNumber d) const;

  Messages& m_msg;
  const Clock& m_clock;
  ScheduleHooks m_defaultHooks;
  ScheduleHooks* m_hooks;
  ScheduleHeader m_header;
  Act m_itemDefaults;
  mutable HandlePool<ActSlot> m_acts;
  HandlePool<Beta> m_betas;
  ActChain m_actChain;
  std::unordered_multimap<uint32_t, ActHandle> m_byID;  // a damaged file may repeat an ID
  std::map<DayNumber, std::unique_ptr<Terminal>> m_terminals;
  std::vector<ActHandle> m_betaChain;
  std::vector<std::string> m_unsavedTitles;
  PriorityIndex m_priority;
  Projects m_projects;
  bool m_privateAccess = true;
  bool m_changed = false;
  int m_pruneSuspended = 0;
};

// Keeps the schedule from dropping days (emptied ones, or days of unedited occurrences only)
// while a run still works on them.
class PruningHold {
 public:
  explicit PruningHold(Schedule& s) : m_s(s) { m_s.SuspendPruning(); }
  ~PruningHold() { m_s.ResumePruning(); }
  PruningHold(const PruningHold&) = delete;
  PruningHold& operator=(const PruningHold&) = delete;

 private:
  Schedule& m_s;
};

}  // namespace ploven
