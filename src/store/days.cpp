#include <algorithm>

#include "platform/format.h"
#include "store/schedule.h"
#include "store/store_messages.h"

namespace ploven {

namespace t = store_text;

Terminal* Schedule::ExistingTerminal(DayNumber date) {
  if (date == kNoDate) {
    m_msg.ErrorMessage(t::kCorruptProjectWarning);
    Fatal(t::kExistingTerminalZeroDate, t::kModuleTerm, __LINE__);
  }
  auto it = m_terminals.find(date);
  return it == m_terminals.end() ? nullptr : it->second.get();
}

Terminal* Schedule::GetTerminal(DayNumber date) {
  if (date == kNoDate) Fatal(t::kDateExpected, t::kModuleTerm, __LINE__);
  if (date < kFirstUserDay || date > kLastUserDay) Fatal(t::kDateOutOfRange, t::kModuleTerm, __LINE__);
  if (Terminal* day = ExistingTerminal(date)) return day;
  return AddTerminal(date);
}

Terminal* Schedule::AddTerminal(DayNumber date) {
  if (date < kFirstUserDay || date > kLastUserDay) Fatal(t::kAddTerminal, t::kModuleTerm, __LINE__);
  PruneTerminals();
  auto [it, inserted] = m_terminals.try_emplace(date, std::make_unique<Terminal>());
  if (!inserted) return it->second.get();
  Terminal& day = *it->second;
  day.date = date;
  if (!m_header.IsArchived(date)) {
    if (!m_hooks->GenerateRecurringInstances(*this, day)) {
      FreeDay(it);
      return nullptr;
    }
    m_hooks->ComputeFreeMinutes(*this, day);
  } else {
    m_hooks->PastDayTreatment(*this, day);
  }
  day.current = day.First();
  return &day;
}

Terminal* Schedule::AppendLoadedTerminal(DayNumber date, float writtenByVersion) {
  // A day of date 0 or below can hold nothing: it is dropped, whatever its place.
  if (date <= 0) {
    m_msg.InformationMessage(t::kNegativeTerminal);
    return nullptr;
  }
  if (!m_terminals.empty() && date <= m_terminals.rbegin()->first) {
    if (writtenByVersion >= 3.33f) Fatal(t::kTerminalOutOfSequence, t::kModuleTerm, __LINE__);
    m_msg.InformationMessage(Sprintf(t::kTerminalCleanup, FormatDay(date).c_str()));
    return nullptr;
  }
  auto it = m_terminals.emplace_hint(m_terminals.end(), date, std::make_unique<Terminal>());
  it->second->date = date;
  return it->second.get();
}

void Schedule::FreeDay(std::map<DayNumber, std::unique_ptr<Terminal>>::iterator it) {
  Terminal& day = *it->second;
  const bool archived = m_header.IsArchived(day.date);
  if (archived && (day.tflags & kTerminalDoneLogPending)) m_hooks->LogDoneItemsOfDay(*this, day);
  std::vector<ActHandle> owned;
  for (TaskNode* task = day.First(); task != nullptr;) {
    TaskNode* next = task->Next();
    if (archived) owned.push_back(task->act);
    delete task;
    task = next;
  }
  m_terminals.erase(it);
  // An archived day's items go with it, unless something else still holds them.
  for (ActHandle act : owned) {
    if (!IsActValid(act) || (ActFlags(act) & AF_BETA) || m_actChain.Contains(act)) continue;
    if (CountActTasks(act) == 0) FreeAct(act);
  }
}

bool Schedule::Prunable(const Terminal& day) const {
  if (day.keepDay != 0 || m_hooks->IsDayShown(day.date)) return false;
  if (day.holdCount == 0 && OnlyClones(day)) return true;
  return day.nTasks == 0 || m_header.IsArchived(day.date);
}

void Schedule::PruneTerminals() {
  if (m_pruneSuspended > 0) return;
  for (auto it = m_terminals.begin(); it != m_terminals.end();) {
    auto next = std::next(it);
    if (Prunable(*it->second)) FreeDay(it);
    it = next;
  }
}

DayNumber Schedule::GetTaskDate(TaskNode* task) {
  if (task == nullptr) Fatal(t::kGetTaskDateNull, t::kModuleTask, __LINE__);
  ChainLink* head = task;
  while (head->prev != nullptr) head = head->prev;
  if (head == task) Fatal(t::kGetTaskDateNoHead, t::kModuleTask, __LINE__);
  const Terminal* day = static_cast<DayHead*>(head)->term;
  if (day == nullptr) Fatal(t::kGetTaskDateNullVal, t::kModuleTask, __LINE__);
  if (day->date == 0) Fatal(t::kGetTaskDateNullDate, t::kModuleTask, __LINE__);
  return day->date;
}

DayNumber Schedule::FindTaskDay(const TaskNode* task) const {
  for (const auto& [date, day] : m_terminals)
    for (TaskNode* n = day->First(); n != nullptr; n = n->Next())
      if (n == task) return date;
  return kNoDate;
}

DayNumber Schedule::EarliestTerminalDate() const {
  if (m_terminals.empty()) {
    if (Today() == 0) Fatal(t::kEarliestNullToday, t::kModuleTerm, __LINE__);
    return Today();
  }
  const DayNumber first = m_terminals.begin()->first;
  if (first == 0) Fatal(t::kEarliestZeroDate, t::kModuleTerm, __LINE__);
  return first;
}

int Schedule::CountTerminals() const {
  const DayNumber archived = m_header.lastArchivedDate();
  return static_cast<int>(std::count_if(m_terminals.begin(), m_terminals.end(),
                                        [&](const auto& e) { return e.first > archived; }));
}

bool Schedule::AllTasksDone(const Terminal& day) const {
  for (TaskNode* task = day.First(); task != nullptr; task = task->Next())
    if (!(ActFlags(task->act) & AF_DONE)) return false;
  return true;
}

Terminal* Schedule::HoldTerminal(DayNumber date) {
  Terminal* day = GetTerminal(date);
  if (day != nullptr) ++day->holdCount;
  return day;
}

bool Schedule::IsDayTask(const TaskNode* task) {
  Terminal* today = ExistingTerminal(Today());
  return today != nullptr && IsInChain(today->First(), task);
}

bool Schedule::ValidTaskNode(const TaskNode* task) const {
  const auto raw = reinterpret_cast<uintptr_t>(task);
  if (task == nullptr || raw == 1 || raw == static_cast<uintptr_t>(-1)) return false;
  return IsActValid(task->act);
}

TaskNode* Schedule::LastTask(TaskNode* first) { return static_cast<TaskNode*>(LastLink(first)); }

TaskNode* Schedule::NextDoneTask(TaskNode* task, bool skipHope) const {
  for (TaskNode* n = task != nullptr ? task->Next() : nullptr; n != nullptr; n = n->Next()) {
    const uint32_t f = ActFlags(n->act);
    if ((f & AF_DONE) && !(skipHope && (f & AF_HOPE))) return n;
  }
  return nullptr;
}

TaskNode* Schedule::PrevDoneTask(TaskNode* task, bool skipHope) const {
  if (task == nullptr) return nullptr;
  for (ChainLink* n = task->prev; n != nullptr && n->prev != nullptr; n = n->prev) {
    auto* node = static_cast<TaskNode*>(n);
    const uint32_t f = ActFlags(node->act);
    if ((f & AF_DONE) && !(skipHope && (f & AF_HOPE))) return node;
  }
  return nullptr;
}

// ---- Tasks ----------------------------------------------------------------------

TaskNode* Schedule::NewTaskNode(ActHandle act, int16_t start, int16_t length) {
  auto* task = new TaskNode;
  task->act = act;
  task->start = start;
  task->length = length;
  return task;
}

void Schedule::FreeTaskNode(TaskNode* task) {
  if (task == nullptr) return;
  if (task->prev != nullptr) Fatal(t::kUnlinkHead, t::kModuleLink, __LINE__);
  delete task;
}

void Schedule::LinkTaskAfter(Terminal& day, TaskNode* after, TaskNode* task) {
  Link(m_msg, after != nullptr ? static_cast<ChainLink*>(after) : &day.head, task);
  ++day.nTasks;
  if (ActFlags(task->act) & AF_BETA) ++day.nClones;
  if (day.current == nullptr) day.current = task;
}

DayNumber Schedule::UnscheduleTask(TaskNode* task) {
  if (task == nullptr || task->prev == nullptr)
    Fatal(t::kUnscheduleNoTerminal, t::kModuleTask, __LINE__);
  ChainLink* head = task;
  while (head->prev != nullptr) head = head->prev;
  Terminal* day = static_cast<DayHead*>(head)->term;
  if (day == nullptr) Fatal(t::kUnscheduleNullSchedule, t::kModuleTask, __LINE__);
  auto it = m_terminals.find(day->date);
  if (it == m_terminals.end() || it->second.get() != day)
    Fatal(t::kUnscheduleWrongTerminal, t::kModuleTask, __LINE__);
  if (day->current == task) day->current = task->Next() != nullptr ? task->Next() : nullptr;
  Unlink(m_msg, task);
  --day->nTasks;
  const uint32_t flags = ActFlags(task->act);
  if (flags & AF_BETA) --day->nClones;
  // Memos never took time off the day, so they give none back.
  if (!(flags & AF_HOPE)) day->freeMinutes = static_cast<int16_t>(day->freeMinutes + task->length);
  if (day->current == nullptr) day->current = day->First();
  m_hooks->TaskLeftDay(*this, day->date);
  m_hooks->DayChanged(day->date);
  return day->date;
}

}  // namespace ploven
