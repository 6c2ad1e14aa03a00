#include "store/schedule.h"
#include "store/store_messages.h"

namespace ploven {

namespace t = store_text;

ActHandle Schedule::InsertItem(DayNumber date, const Act& record, std::string_view title,
                               const Beta* recurrence, TaskNode* task) {
  const ActHandle h = AllocateAct(record, title);
  // The task is the new item's from here on: a failure frees it.
  if (h == kNoAct) {
    if (task != nullptr) FreeTaskNode(task);
    return kNoAct;
  }
  Act& a = LockAct(h, t::kModuleInsert, __LINE__);
  a.createdDate = a.touchedDate = Today();
  a.createdTime = a.touchedTime = Now();
  a.postponeCount = 0;

  if (recurrence != nullptr) {
    // A recurring item is never fluid: its occurrences keep to their dates.
    a.flags |= AF_BETA;
    a.flags &= ~static_cast<uint32_t>(AF_DRONE | AF_FLEXIBLE);
    a.pitem = 0;
    Beta beta = *recurrence;
    beta.xlist.clear();
    const BetaHandle bh = AllocateBeta(beta);
    if (bh == kNoBeta) {
      FreeAct(h);
      if (task != nullptr) FreeTaskNode(task);
      return kNoAct;
    }
    LockAct(h, t::kModuleInsert, __LINE__).hBeta = bh;
    AddBeta(h);
    if (!m_hooks->ScheduleBeta(*this, h)) {
      RemoveFromBetaChain(h);
      FreeBeta(bh);
      FreeAct(h);
      if (task != nullptr) FreeTaskNode(task);
      return kNoAct;
    }
    AddToActChain(h, kUndatedChainDate);
    if (task != nullptr) FreeTaskNode(task);
    return h;
  }

  a.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE);
  a.hBeta = 0;
  a.ddate = date;
  if (task == nullptr) {
    FreeAct(h);
    return kNoAct;
  }
  task->act = h;
  if ((a.flags & AF_SPLIT) && a.startTime >= 0) task->start = a.startTime;
  if (a.flags & AF_FLEXIBLE) {
    if (a.flags & AF_DONE) {
      a.flags &= ~static_cast<uint32_t>(AF_FLEXIBLE);
    } else {
      // A new flexible item joins the end of its tier; the item dialog then moves it to its rank.
      AddToPriorityIndex(h, kEndOfTierRank);
    }
  }
  ScheduleTask(task, date);
  AddToActChain(h, date);
  return h;
}

ActHandle Schedule::NewItem(DayNumber date, const Act& record, std::string_view title,
                            const Beta* recurrence) {
  TaskNode* task = NewTaskNode(kNoAct, record.startTime, record.duration);
  const ActHandle h = InsertItem(date, record, title, recurrence, task);
  if (h == kNoAct) return kNoAct;
  if (ReadAct(h).ID == 0) GetActID(h);
  if (ReadAct(h).noteNumber == 0) NewNoteNumber(h);
  m_unsavedTitles.push_back(GetActNameFull(h));
  return h;
}

void Schedule::DeleteItem(ActHandle h) {
  if (ActFlags(h) & AF_BETA) Fatal(t::kDeleteRecurring, t::kModuleDelete, __LINE__);
  std::vector<TaskNode*> tasks;
  for (auto& [date, day] : m_terminals)
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (task->act == h) tasks.push_back(task);
  for (TaskNode* task : tasks) {
    UnscheduleTask(task);
    FreeTaskNode(task);
  }
  DetachAct(h);
}

void Schedule::DetachAct(ActHandle h) {
  m_hooks->CancelAlarm(*this, h);
  if (ActFlags(h) & AF_FLEXIBLE) RemoveFromPriorityIndex(h);
  RemoveFromActChain(h);
  DetachFromProjects(h);
}

}  // namespace ploven
