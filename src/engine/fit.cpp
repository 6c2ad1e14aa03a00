#include <algorithm>

#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ploven {

namespace t = engine_text;

bool Engine::IsFixedItem(uint32_t flags) {
  return (flags & (AF_STARTED | AF_HOPE | AF_DONE | AF_FIXED)) != 0;
}

int Engine::NeededMinutes(const Act& a) const {
  if (!a.Has(AF_SPLIT)) return a.duration;
  return std::min<int>(a.duration, m_s.header().minSplitMinutes());
}

int Engine::TaskCanFitTime(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date) {
  if (IsFixedItem(m_s.ActFlags(task->act))) return FixedFit(pre, task, post);
  return FluidFit(pre, task, post, date);
}

int Engine::FluidFit(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date) {
  const Act a = m_s.ReadAct(task->act, t::kModuleBalance, __LINE__);
  const int needed = NeededMinutes(a);
  int begin;
  if (IsChainHead(pre)) {
    m_runningEnd = 0;
    begin = EarliestBeginOnDate(task->act, date);
  } else {
    const auto* p = static_cast<TaskNode*>(pre);
    m_runningEnd = std::max(m_runningEnd, p->StartTime() + p->length);
    begin = std::max<int>(EarliestBeginOnDate(task->act, date), m_runningEnd);
  }
  if (date == m_s.Today()) begin = std::max<int>(begin, m_s.Now());

  const int latest = LatestEndOnDate(task->act, date);
  const int end = (post != nullptr && post->StartTime() < latest) ? post->StartTime() : latest;

  if (post != nullptr) {
    if (LightMode()) return kFitNotHere;  // every item lands at the end of the day
    // An undone item never goes in front of a done one.
    if ((m_s.ActFlags(post->act) & AF_DONE) && !a.Has(AF_DONE)) return kFitNotHere;
  }
  if (end - begin >= needed) return std::max(1, end - begin);
  if (post != nullptr &&
      (latest >= needed + post->StartTime() + post->length || a.Has(AF_FLEXIBLE)))
    return kFitNotHere;
  return kFitNowhere;
}

int Engine::FixedFit(ChainLink* pre, TaskNode* task, TaskNode* post) {
  const Act a = m_s.ReadAct(task->act, t::kModuleBalance, __LINE__);
  const bool light = LightMode();
  int at;
  if (a.Has(AF_HOPE))
    at = 0;
  else if (a.flags & (AF_STARTED | AF_DONE))
    at = task->StartTime();
  else
    at = a.startTime;

  if (light && post == nullptr) return 1;
  const uint32_t postFlags = post != nullptr ? m_s.ActFlags(post->act) : 0;
  if (a.Has(AF_HOPE)) {
    // Memos line up at the top of the day, each after the earlier ones.
    if (light || (post != nullptr && (postFlags & AF_HOPE))) return kFitNotHere;
    return 1;
  }
  const TaskNode* p = IsChainHead(pre) ? nullptr : static_cast<TaskNode*>(pre);
  int preEnd = 0;
  if (p != nullptr) {
    if (at < p->StartTime()) return kFitNotHere;
    const Act& pa = m_s.ReadAct(p->act);
    preEnd = pa.startTime + pa.duration;
  }
  if (post == nullptr) return (p != nullptr && at < preEnd) ? kFitNowhere : 1;
  if ((postFlags & AF_HOPE) && at > 0) return kFitNotHere;
  const Act& po = m_s.ReadAct(post->act);
  // A fixed item goes in front of the movable item it would overlap.
  if (!(postFlags & (AF_STARTED | AF_DONE | AF_FIXED)) && at < post->StartTime() + po.duration)
    return 1;
  if (post->StartTime() < at || (post->StartTime() == at && a.duration == 0)) return kFitNotHere;
  if ((p != nullptr && at < preEnd) || po.startTime < at + a.duration) return kFitNowhere;
  return 1;
}

// The simpler fit of a dropped item: 1 here, 0 try the next gap, -1 here at worst.
int Engine::DropFit(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date) {
  const Act a = m_s.ReadAct(task->act, t::kModuleBalance, __LINE__);
  int preEnd = 0;
  if (!IsChainHead(pre)) {
    const auto* p = static_cast<TaskNode*>(pre);
    preEnd = p->StartTime() + m_s.ReadAct(p->act).duration;
  }
  int begin = std::max<int>(preEnd, EarliestBeginOnDate(task->act, date));
  if (date == m_s.Today()) begin = std::max<int>(begin, m_s.Now());
  const int latest = LatestEndOnDate(task->act, date);
  int end = latest;
  if (post != nullptr && (m_s.ActFlags(post->act) & AF_FIXED) && post->StartTime() < latest)
    end = post->StartTime();
  if (end - begin >= a.duration) return 1;
  if (post == nullptr) return kFitNowhere;
  if (latest < post->StartTime() + post->length + a.duration) return kFitNowhere;
  return kFitNotHere;
}

ChainLink* Engine::TaskCanFit(TaskNode* pre, TaskNode* task, TaskNode* post, DayNumber date) {
  if (pre == nullptr && post == nullptr)
    m_s.messages().InternalError(t::kTaskCanFitNoHint, t::kModuleBalance, __LINE__);
  TaskNode* hinted = pre != nullptr ? pre : post;
  if (hinted->prev == nullptr || m_s.GetTaskDate(hinted) != date || task->start < 0) return nullptr;
  ChainLink* at = pre != nullptr ? static_cast<ChainLink*>(pre) : post->prev;
  const uint32_t flags = m_s.ActFlags(task->act);
  if ((flags & AF_HOPE) || m_s.ReadAct(task->act).duration == 0) return at;
  if (IsFixedItem(flags))
    return FixedFit(at, task, static_cast<TaskNode*>(at->next)) != kFitNotHere ? at : nullptr;
  for (; at != nullptr; at = at->next) {
    const int code = DropFit(at, task, static_cast<TaskNode*>(at->next), date);
    if (code != kFitNotHere) return at;
  }
  return nullptr;
}

}  // namespace ploven
