#include "store/schedule.h"

#include <algorithm>

#include "platform/format.h"
#include "store/act_title.h"
#include "store/store_messages.h"

namespace ploven {

namespace t = store_text;

void ScheduleHooks::ScheduleTask(Schedule& schedule, TaskNode* task, DayNumber date) {
  Terminal* day = schedule.GetTerminal(date);
  if (day == nullptr) return;
  TaskNode* last = Schedule::LastTask(day->First());
  schedule.LinkTaskAfter(*day, last, task);
}

bool ScheduleHooks::RecurrenceQualifies(Schedule& schedule, ActHandle definition,
                                        DayNumber date) {
  const Terminal* day = schedule.ExistingTerminal(date);
  if (day == nullptr) return false;
  for (const TaskNode* task = day->First(); task != nullptr; task = task->Next())
    if (task->act == definition) return true;
  return false;
}

Schedule::Schedule(Messages& messages, const Clock& clock, ScheduleHooks* hooks)
    : m_msg(messages), m_clock(clock), m_hooks(hooks != nullptr ? hooks : &m_defaultHooks) {}

Schedule::~Schedule() {
  for (auto& [date, term] : m_terminals) {
    TaskNode* task = term->First();
    while (task != nullptr) {
      TaskNode* next = task->Next();
      delete task;
      task = next;
    }
  }
}

void Schedule::SetHooks(ScheduleHooks* hooks) {
  m_hooks = hooks != nullptr ? hooks : &m_defaultHooks;
}

void Schedule::Fatal(const char* text, const char* module, int line) const {
  m_msg.InternalError(text, module, line);
}

Schedule::ActSlot& Schedule::Slot(ActHandle h, const char* module, int line) const {
  if (h == kNoAct) Fatal(t::kLostTrackZeroHandle, module, line);
  ActSlot* slot = m_acts.Find(h);
  if (slot == nullptr) Fatal(t::kLostTrackLockFailed, module, line);
  return *slot;
}

ActHandle Schedule::AllocateAct(const Act& record, std::string_view title) {
  if (title.size() > kActTitleMax) title = title.substr(0, kActTitleMax);
  return m_acts.Allocate(ActSlot{record, std::string(title)});
}

Act& Schedule::LockAct(ActHandle h, const char* module, int line) {
  return Slot(h, module, line).rec;
}

const Act& Schedule::ReadAct(ActHandle h, const char* module, int line) const {
  return Slot(h, module, line).rec;
}

uint32_t Schedule::ActFlags(ActHandle h) const {
  if (h == kNoAct) return 0;
  const ActSlot* slot = m_acts.Find(h);
  if (slot == nullptr) Fatal(t::kFlagsLockFailed, t::kModuleUtilacts, __LINE__);
  return slot->rec.flags;
}

uint16_t Schedule::ActTypeFlags(ActHandle h) const {
  if (h == kNoAct) return 0;
  const ActSlot* slot = m_acts.Find(h);
  if (slot == nullptr) Fatal(t::kTypeFlagsLockFailed, t::kModuleUtilacts, __LINE__);
  return slot->rec.typeFlags;
}

DayNumber Schedule::GetActDate(ActHandle h) const {
  const Act& a = ReadAct(h, t::kModuleUtilacts, __LINE__);
  return a.Has(AF_BETA) ? kNoDate : a.ddate;
}

Duration Schedule::GetActPlacedDuration(ActHandle h) const {
  const Act& a = ReadAct(h, t::kModuleUtilacts, __LINE__);
  if (!a.Has(AF_SPLIT)) return a.duration;
  return static_cast<Duration>(std::min<int32_t>(a.duration, m_header.minSplitMinutes()));
}

std::optional<uint32_t> Schedule::GetActPitem(ActHandle h) const {
  const Act& a = ReadAct(h, t::kModuleUtilacts, __LINE__);
  if (!a.Has(AF_FLEXIBLE)) return std::nullopt;
  return a.pitem;
}

void Schedule::TouchAct(ActHandle h) {
  Act& a = LockAct(h, t::kModuleUtilacts, __LINE__);
  a.touchedDate = Today();
  a.touchedTime = Now();
}

void Schedule::RegisterID(ActHandle h, uint32_t id) {
  if (id != 0) m_byID.emplace(id, h);
}

void Schedule::UnregisterID(ActHandle h, uint32_t id) {
  auto [lo, hi] = m_byID.equal_range(id);
  for (auto it = lo; it != hi; ++it) {
    if (it->second == h) {
      m_byID.erase(it);
      return;
    }
  }
}

uint32_t Schedule::GetActID(ActHandle h) {
  Act& a = LockAct(h, t::kModuleUtilacts, __LINE__);
  if (a.ID == 0) return NewActID(h);
  return a.ID;
}

uint32_t Schedule::NewActID(ActHandle h) {
  Act& a = LockAct(h, t::kModuleUtilacts, __LINE__);
  if (a.ID != 0) UnregisterID(h, a.ID);
  const uint32_t id = m_header.nextActID() + 1;
  m_header.setNextActID(id);
  a.ID = id;
  if (m_actChain.Contains(h)) RegisterID(h, id);
  return id;
}

int32_t Schedule::NewNoteNumber(ActHandle h) {
  Act& a = LockAct(h, t::kModuleUtilacts, __LINE__);
  a.noteNumber = ReserveNoteNumber();
  return a.noteNumber;
}

int32_t Schedule::ReserveNoteNumber() {
  const uint16_t n = static_cast<uint16_t>(m_header.nextNoteNumber() + 1);
  m_header.setNextNoteNumber(n);
  return n;
}

ActHandle Schedule::FindActByID(uint32_t id) const {
  if (id == 0) return kNoAct;
  auto it = m_byID.find(id);
  return it != m_byID.end() ? it->second : kNoAct;
}

ActHandle Schedule::FindActByTitle(std::string_view text) const {
  for (const auto& [key, node] : m_actChain)
    if (ShortTitle(GetActNameFull(node.act), false) == text) return node.act;
  return kNoAct;
}

ActHandle Schedule::FindMarkedAct(uint32_t marker) const {
  for (const auto& [key, node] : m_actChain)
    if (ActFlags(node.act) & marker) return node.act;
  return kNoAct;
}

const std::string& Schedule::GetActNameFull(ActHandle h) const {
  const ActSlot& slot = Slot(h, t::kModuleUtilacts, __LINE__);
  if (slot.title.size() > kActTitleMax) Fatal(t::kCorruptItemName, t::kModuleUtilacts, __LINE__);
  return slot.title;
}

void Schedule::SetActName(ActHandle h, std::string_view text) {
  ActSlot& slot = Slot(h, t::kModuleUtilacts, __LINE__);
  if (text.size() > kActTitleMax) text = text.substr(0, kActTitleMax);
  slot.title.assign(text);
  slot.title.shrink_to_fit();
  if (const ActChain::Node* node = m_actChain.Find(h)) {
    const int32_t date = node->date;
    m_actChain.Remove(h);
    m_actChain.Insert(h, slot.title, date);
  }
}

std::string Schedule::GetActTitle(ActHandle h) const {
  return ShortTitle(GetActNameFull(h), !m_privateAccess);
}

std::string Schedule::GetActTitleFull(ActHandle h) const {
  const std::string& full = GetActNameFull(h);
  if (!m_privateAccess && !full.empty() && full[0] == '!') return "!";
  return full;
}

bool Schedule::IsPrivateAct(ActHandle h) const {
  if (m_privateAccess) return false;
  const std::string& full = GetActNameFull(h);
  return !full.empty() && full[0] == '!';
}

void Schedule::FreeAct(ActHandle h) {
  if (h == kNoAct) Fatal(t::kLostTrackZeroHandle, t::kModuleUtilacts, __LINE__);
  // A freed item can no longer be found by its ID.
  if (const ActSlot* slot = m_acts.Find(h); slot != nullptr && slot->rec.ID != 0)
    UnregisterID(h, slot->rec.ID);
  if (!m_acts.Free(h)) Fatal(t::kFreeBlockFailed, t::kModuleUtilacts, __LINE__);
}

TaskNode* Schedule::ActTask(ActHandle h) {
  const Act& a = ReadAct(h, t::kModuleUtilacts, __LINE__);
  if (a.Has(AF_BETA)) Fatal(t::kBetaPassedToActTask, t::kModuleUtilacts, __LINE__);
  const bool split = a.Has(AF_SPLIT);
  auto firstOn = [h](const Terminal& day) -> TaskNode* {
    for (TaskNode* task = day.First(); task != nullptr; task = task->Next())
      if (task->act == h) return task;
    return nullptr;
  };
  // An unsplit item lives on its own date; look there before walking every day.
  if (!split && a.ddate > 0) {
    auto own = m_terminals.find(a.ddate);
    if (own != m_terminals.end())
      if (TaskNode* task = firstOn(*own->second)) return task;
  }
  TaskNode* found = nullptr;
  for (auto& [date, day] : m_terminals) {
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      if (task->act != h) continue;
      if (!split) return task;
      found = task;
    }
  }
  return found;
}

int Schedule::CountActTasks(ActHandle h) const {
  int n = 0;
  for (const auto& [date, day] : m_terminals)
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (task->act == h) ++n;
  return n;
}

// ---- The alphabetical chain ----------------------------------------------------

bool Schedule::AddToActChain(ActHandle h, int32_t date) {
  if (m_actChain.Contains(h)) return false;
  if (date != kUndatedChainDate && m_header.IsArchived(static_cast<DayNumber>(date))) return false;
  const ActSlot& slot = Slot(h, t::kModuleUtilacts, __LINE__);
  m_actChain.Insert(h, slot.title, date);
  RegisterID(h, slot.rec.ID);
  return true;
}

void Schedule::RemoveFromActChain(ActHandle h) {
  if (!m_actChain.Contains(h)) return;
  m_hooks->ActLeavingChain(h);
  m_actChain.Remove(h);
  if (const ActSlot* slot = m_acts.Find(h); slot != nullptr && slot->rec.ID != 0)
    UnregisterID(h, slot->rec.ID);
}

void Schedule::UpdateActChain(ActHandle h, int32_t date) {
  if (date != kUndatedChainDate && m_header.IsArchived(static_cast<DayNumber>(date))) {
    RemoveFromActChain(h);
    return;
  }
  if (m_actChain.Contains(h)) {
    m_actChain.Remove(h);
    m_actChain.Insert(h, GetActNameFull(h), date);
  } else {
    AddToActChain(h, date);
  }
}

// ---- Prerequisites -------------------------------------------------------------

bool Schedule::CanBePrereq(ActHandle h, ActHandle other) const {
  if (h == other) return false;
  const Act& a = ReadAct(h, t::kModuleUtilacts, __LINE__);
  if (a.flags & (AF_FLEXIBLE | AF_DONE | AF_BETA)) return false;
  // Following the prerequisites of `other` must not lead back to `h`; the
  // walk stops at a cycle it did not start.
  std::vector<ActHandle> seen;
  ActHandle at = other;
  while (at != kNoAct) {
    if (std::find(seen.begin(), seen.end(), at) != seen.end()) break;
    seen.push_back(at);
    const uint32_t pre = ReadAct(at).prereqID;
    if (pre == 0) break;
    at = FindActByID(pre);
    if (at == h) return false;
  }
  // `h` Sequenced after `other`: `other` is ranked just before it.
  if (a.Has(AF_SEQUENCED) && m_priority.ItemRankedBefore(h) == other) return false;
  return true;
}

void Schedule::ClearFlexiblePrereq(ActHandle h) {
  LockAct(h, t::kModuleUtilacts, __LINE__).prereqID = 0;
  m_msg.InformationMessage(Sprintf(t::kClearFlexiblePrereq, GetActTitle(h).c_str()));
}

// ---- Recurring definitions -----------------------------------------------------

BetaHandle Schedule::AllocateBeta(const Beta& beta) { return m_betas.Allocate(beta); }

Beta& Schedule::LockBeta(BetaHandle h) {
  if (h == kNoBeta) Fatal(t::kBetaZeroHandle, t::kModuleXlist, __LINE__);
  Beta* beta = m_betas.Find(h);
  if (beta == nullptr) Fatal(t::kBetaLockFailed, t::kModuleXlist, __LINE__);
  return *beta;
}

bool Schedule::AddBeta(ActHandle definition) {
  const std::string key = ActChain::SortKey(GetActNameFull(definition));
  auto pos = std::find_if(m_betaChain.begin(), m_betaChain.end(), [&](ActHandle other) {
    return ActChain::SortKey(GetActNameFull(other)) > key;
  });
  m_betaChain.insert(pos, definition);
  m_header.Set<int16_t>(ScheduleHeader::kSysBetaActs, static_cast<int16_t>(m_betaChain.size()));
  return true;
}

void Schedule::AppendLoadedBeta(ActHandle definition) {
  m_betaChain.push_back(definition);
  m_header.Set<int16_t>(ScheduleHeader::kSysBetaActs, static_cast<int16_t>(m_betaChain.size()));
}

void Schedule::RemoveFromBetaChain(ActHandle definition) {
  auto it = std::find(m_betaChain.begin(), m_betaChain.end(), definition);
  if (it == m_betaChain.end()) return;
  m_betaChain.erase(it);
  m_header.Set<int16_t>(ScheduleHeader::kSysBetaActs, static_cast<int16_t>(m_betaChain.size()));
}

}  // namespace ploven
