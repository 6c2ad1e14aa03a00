#include "file/undelete.h"

#include <algorithm>

#include "file/undelete_messages.h"
#include "store/act_title.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {

namespace u = undelete_text;

namespace {

bool IsUserDay(DayNumber d) { return d >= kFirstUserDay && d <= kLastUserDay; }

const char* InvalidText(uint32_t kind) {
  switch (kind) {
    case UNDEL_ITEM: return u::kInvalidItem;
    case UNDEL_PROJECT: return u::kInvalidProject;
    case UNDEL_INSTANCE: return u::kInvalidInstance;
    default: return u::kInvalidTask;
  }
}

}  // namespace

UndeleteStack::~UndeleteStack() {
  // Only the nodes are ours; the schedule may already be gone, so it is not touched.
  for (Kept& k : m_entries) delete k.entry.task;
}

void UndeleteStack::PushUndeleteItem(ActHandle hAct, uint32_t kind) {
  Kept k;
  k.entry.hAct = hAct;
  k.entry.kind = kind;
  if ((kind == UNDEL_ITEM || kind == UNDEL_PROJECT) && m_schedule.IsActValid(hAct)) {
    k.record = m_schedule.ReadAct(hAct);
    k.title = m_schedule.GetActNameFull(hAct);
    if (k.record->Has(AF_BETA))
      if (const Beta* beta = m_schedule.FindBeta(k.record->hBeta)) k.recurrence = *beta;
  }
  m_entries.push_back(std::move(k));
}

void UndeleteStack::PushUndeleteTask(TaskNode* task, DayNumber date) {
  if (task == nullptr) return;
  if (task->prev != nullptr) m_schedule.UnscheduleTask(task);
  const ActHandle h = task->act;
  const uint32_t flags = m_schedule.IsActValid(h) ? m_schedule.ActFlags(h) : 0;
  Kept k;
  k.entry.hAct = h;
  k.entry.date = date;
  if (flags & AF_BETA) {
    // An unedited instance is only its definition on a date: the node is not needed.
    k.entry.kind = UNDEL_INSTANCE;
    m_schedule.FreeTaskNode(task);
  } else {
    k.entry.kind = UNDEL_TASK;
    k.entry.task = task;
    k.wasFlexible = (flags & AF_FLEXIBLE) != 0;
  }
  m_entries.push_back(std::move(k));
}

std::vector<UndeleteEntry> UndeleteStack::Entries() const {
  std::vector<UndeleteEntry> out;
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) out.push_back(it->entry);
  return out;
}

void UndeleteStack::DropNewest() {
  delete m_entries.back().entry.task;
  m_entries.pop_back();
}

bool UndeleteStack::IsLiveBeta(ActHandle h) const {
  const auto& chain = m_schedule.betaChain();
  return std::find(chain.begin(), chain.end(), h) != chain.end();
}

std::string UndeleteStack::TitleOf(const Kept& k) const {
  const bool hidden = !m_schedule.privateAccess();
  switch (k.entry.kind) {
    case UNDEL_ITEM:
    case UNDEL_PROJECT: return ShortTitle(k.title, hidden);
    case UNDEL_INSTANCE: return m_schedule.GetActTitle(k.entry.hAct);
    default: return m_schedule.GetActTitle(k.entry.task->act);
  }
}

// A record that is back already, or still in use, would come back twice.
bool UndeleteStack::IsValid(const Kept& k) const {
  const Schedule& s = m_schedule;
  const ActHandle h = k.entry.hAct;
  switch (k.entry.kind) {
    case UNDEL_ITEM:
      if (!s.IsActValid(h) || !k.record || m_reinserted.contains(h)) return false;
      if (s.FindInActChain(h) || IsLiveBeta(h)) return false;
      if (k.record->Has(AF_BETA)) return k.recurrence.has_value();
      return IsUserDay(k.record->ddate);
    case UNDEL_PROJECT:
      return s.IsActValid(h) && k.record && (k.record->typeFlags & ACT_PROJECT) &&
             !s.projects().Contains(h) && !m_reinserted.contains(h);
    case UNDEL_INSTANCE: {
      if (!s.IsActValid(h) || !(s.ActFlags(h) & AF_BETA) || !IsLiveBeta(h)) return false;
      if (!IsUserDay(k.entry.date)) return false;
      // Without its cancellation the instance is on its day already.
      const XEntry* x = m_schedule.FindXlistEntry(h, k.entry.date);
      return x != nullptr && x->drone == kNoAct;
    }
    default: {
      const TaskNode* task = k.entry.task;
      if (task == nullptr || task->prev != nullptr || !s.ValidTaskNode(task)) return false;
      const ActHandle item = task->act;
      return !(s.ActFlags(item) & AF_BETA) && !m_reinserted.contains(item) &&
             IsUserDay(s.ReadAct(item).ddate);
    }
  }
}

UndeleteResult UndeleteStack::Undelete() {
  Messages& msg = m_schedule.messages();
  UndeleteResult result;
  if (m_entries.empty()) {
    msg.InformationMessage(u::kNothingToUndelete);
    return result;
  }
  const Kept& k = m_entries.back();
  const uint32_t kind = k.entry.kind;
  if (kind != UNDEL_ITEM && kind != UNDEL_PROJECT && kind != UNDEL_INSTANCE &&
      kind != UNDEL_TASK) {
    msg.ErrorMessage(u::kInvalidType);
    return result;
  }
  // A handle that no longer names a record has no title to ask about.
  if (!IsValid(k)) {
    msg.ErrorMessage(InvalidText(kind));
    DropNewest();
    return result;
  }
  const std::string question =
      std::string(u::kQuestionStart) + " \"" + TitleOf(k) + "\"" + u::kQuestionRest;
  if (msg.Question(question) != kIdYes) {
    DropNewest();
    return result;
  }

  Outcome outcome = Outcome::kDrop;
  switch (kind) {
    case UNDEL_ITEM: outcome = UndeleteItem(k, result); break;
    case UNDEL_PROJECT: outcome = UndeleteProject(k, result); break;
    case UNDEL_INSTANCE: outcome = UndeleteInstance(k, result); break;
    default: outcome = UndeleteTask(k, result); break;
  }
  if (outcome == Outcome::kKeep) return UndeleteResult{};
  if (outcome == Outcome::kDone) {
    result.undeleted = true;
    m_schedule.MarkChanged();
    // The node now belongs to its day again.
    m_entries.back().entry.task = nullptr;
  }
  DropNewest();
  return result;
}

// The failures below keep the entry, so the user can try again.

UndeleteStack::Outcome UndeleteStack::UndeleteItem(const Kept& k, UndeleteResult& result) {
  Act record = *k.record;
  record.pitem = 0;
  record.hActName = 0;
  const bool recurring = record.Has(AF_BETA);
  const DayNumber date = recurring ? kNoDate : record.ddate;
  const ActHandle h = m_schedule.NewItem(date, record, k.title,
                                         recurring ? &*k.recurrence : nullptr);
  if (h == kNoAct) {
    m_schedule.messages().ResourceError(u::kModuleUndelete, __LINE__);
    return Outcome::kKeep;
  }
  m_reinserted.insert(k.entry.hAct);
  if (!recurring) result.showDay = m_schedule.GetActDate(h);
  return Outcome::kDone;
}

UndeleteStack::Outcome UndeleteStack::UndeleteProject(const Kept& k, UndeleteResult& result) {
  result.showProjectList = true;
  const ActHandle h = NewProject(m_schedule, *k.record, k.title);
  if (h == kNoAct) return Outcome::kKeep;  // reported by NewProject
  // It is the same project coming back: done and tagged stay as they were.
  m_schedule.LockAct(h).flags = k.record->flags;
  m_reinserted.insert(k.entry.hAct);
  return Outcome::kDone;
}

UndeleteStack::Outcome UndeleteStack::UndeleteInstance(const Kept& k, UndeleteResult& result) {
  const ActHandle definition = k.entry.hAct;
  const DayNumber date = k.entry.date;
  // The day is made while the cancellation still stands, so that making it
  // does not already put the instance there; held, it cannot be pruned meanwhile.
  Terminal* day = m_schedule.HoldTerminal(date);
  if (day == nullptr) return Outcome::kKeep;
  m_schedule.DelXlistEntry(definition, date);
  const Act& a = m_schedule.ReadAct(definition);
  TaskNode* task = m_schedule.NewTaskNode(definition, a.startTime, a.duration);
  m_schedule.ScheduleTask(task, date);
  --day->holdCount;
  if (task->prev == nullptr) {
    m_schedule.FreeTaskNode(task);
    m_schedule.AddXlistEntry(definition, date, kNoAct);
    return Outcome::kKeep;
  }
  result.showDay = date;
  return Outcome::kDone;
}

UndeleteStack::Outcome UndeleteStack::UndeleteTask(const Kept& k, UndeleteResult& result) {
  TaskNode* task = k.entry.task;
  const ActHandle h = task->act;
  const Act& a = m_schedule.ReadAct(h);
  const DayNumber date = a.ddate;
  bool entered = false;
  // An item still ranked (another segment is on its day) keeps its rank.
  if ((k.wasFlexible || a.Has(AF_FLEXIBLE)) && !a.Has(AF_DONE) &&
      m_schedule.priorityIndex().EntryOf(h) == kNoPriorityEntry)
    entered = m_schedule.AddToPriorityIndex(h, kEndOfTierRank);
  m_schedule.ScheduleTask(task, date);
  if (task->prev == nullptr) {
    if (entered) m_schedule.RemoveFromPriorityIndex(h);
    return Outcome::kKeep;
  }
  m_schedule.AddToActChain(h, date);
  result.showDay = date;
  return Outcome::kDone;
}

}  // namespace ploven
