#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ploven {

namespace t = engine_text;

void Engine::CheckTaskCount(const Terminal& day) {
  const size_t links = CountLinks(day.First());
  if (static_cast<size_t>(day.nTasks) > links)
    m_s.messages().InternalError(t::kNTasksExceeds, t::kModuleBalance, __LINE__);
  if (static_cast<size_t>(day.nTasks) < links)
    m_s.messages().InternalError(t::kNTasksUnderstates, t::kModuleBalance, __LINE__);
}

void Engine::SubtractFromFreeMinutes(Terminal& day, const TaskNode* task) {
  // Memos take no time from the day.
  if (m_s.ActFlags(task->act) & AF_HOPE) return;
  day.freeMinutes = static_cast<int16_t>(day.freeMinutes - task->length);
}

bool Engine::ScheduleTask(TaskNode* task, DayNumber date, PlacementHint hint) {
  if (date == kNoDate) m_s.messages().InternalError(t::kNullDateScheduleTask, t::kModuleBalance, __LINE__);
  Terminal* day = m_s.GetTerminal(date);
  if (day == nullptr) return false;
  LayOutIfWaiting(date);

  const ActHandle h = task->act;
  m_s.RepairDrone(h);
  {
    Act& a = m_s.LockAct(h, t::kModuleBalance, __LINE__);
    if (!a.Has(AF_BETA)) a.ddate = date;
    if (a.Has(AF_STARTED) && date != m_s.Today()) a.flags &= ~static_cast<uint32_t>(AF_STARTED);
  }
  const Act a = m_s.ReadAct(h);
  const bool movable = !(a.flags & (AF_STARTED | AF_HOPE | AF_DONE | AF_FIXED));

  if (a.startTime != 0 && movable) {
    SlotFavoredTask(*day, task, date);
  } else {
    ChainLink* after = nullptr;
    const bool hintable = !(a.flags & (AF_STARTED | AF_DONE | AF_FIXED));
    if (hint.Given() && hintable) after = TaskCanFit(hint.pre, task, hint.post, date);
    if (after == nullptr) {
      for (ChainLink* pre = &day->head; pre != nullptr; pre = pre->next) {
        if (TaskCanFitTime(pre, task, static_cast<TaskNode*>(pre->next), date) != kFitNotHere) {
          after = pre;
          break;
        }
      }
      if (after == nullptr) m_s.messages().InternalError(t::kNoFitAtEnd, t::kModuleBalance, __LINE__);
    }
    m_s.LinkTaskAfter(*day, IsChainHead(after) ? nullptr : static_cast<TaskNode*>(after), task);
  }
  // Every placed item is listed under the date it now stands on.
  if (!a.Has(AF_BETA)) m_s.UpdateActChain(h, date);

  day->current = task;
  CheckTaskCount(*day);
  ItemChanged(h);
  RecalcDayTimes(date);
  m_s.MarkChanged();
  SubtractFromFreeMinutes(*day, task);
  return true;
}

bool Engine::SlotFavoredTask(Terminal& day, TaskNode* task, DayNumber date) {
  const Act a = m_s.ReadAct(task->act, t::kModuleBalance, __LINE__);
  const bool today = date == m_s.Today();
  const int latest = LatestEndOnDate(task->act, date);
  const int earliest = EarliestBeginOnDate(task->act, date);
  int bestDistance = 32767;
  int bestStart = 0;
  ChainLink* bestGap = nullptr;
  for (ChainLink* pre = &day.head; pre != nullptr; pre = pre->next) {
    auto* post = static_cast<TaskNode*>(pre->next);
    int begin = earliest;
    if (!IsChainHead(pre)) {
      const auto* p = static_cast<TaskNode*>(pre);
      begin = std::max(begin, p->StartTime() + m_s.ReadAct(p->act).duration);
    }
    if (today) begin = std::max<int>(begin, m_s.Now());
    const int limit = (post != nullptr && post->StartTime() < latest) ? post->StartTime() : latest;
    int candidate;
    if (limit - begin < a.duration) {
      candidate = limit - a.duration;
      if (post != nullptr && post->StartTime() + m_s.ReadAct(post->act).duration < latest)
        candidate = 0;
    } else {
      candidate = std::max<int>(begin, std::min<int>(a.startTime, limit - a.duration));
    }
    if (candidate == 0) continue;
    const int distance = std::abs(candidate - a.startTime);
    if (distance < bestDistance) {  // on a tie the earlier gap keeps it
      bestDistance = distance;
      bestStart = candidate;
      bestGap = pre;
    }
  }
  if (bestGap == nullptr) m_s.messages().InternalError(t::kSlotNoFit, t::kModuleBalance, __LINE__);
  task->start = static_cast<int16_t>(bestStart);
  m_s.LinkTaskAfter(day, IsChainHead(bestGap) ? nullptr : static_cast<TaskNode*>(bestGap), task);
  return true;
}

bool Engine::ScheduleTaskFTD(TaskNode* task, DayNumber date) {
  if (date == kNoDate)
    m_s.messages().InternalError(std::string(t::kNullDateFTD) + t::kSupportAddress,
                                 t::kModuleBalance, __LINE__);
  Terminal* day = m_s.GetTerminal(date);
  if (day == nullptr) return false;
  LayOutIfWaiting(date);
  const ActHandle h = task->act;
  m_s.RepairDrone(h);
  const Act a = m_s.ReadAct(h, t::kModuleBalance, __LINE__);

  ChainLink* gap = nullptr;
  for (ChainLink* pre = &day->head; pre != nullptr; pre = pre->next) {
    const int code = TaskCanFitTime(pre, task, static_cast<TaskNode*>(pre->next), date);
    if (code == kFitNotHere) continue;
    if (code == kFitNowhere) return false;
    if (a.Has(AF_SPLIT)) {
      const int room = DayRoom(*day);
      const int segment = std::min({code, static_cast<int>(task->length), room});
      if (segment <= 0 || room < m_s.header().minSplitMinutes()) return false;
      task->length = static_cast<int16_t>(segment);
    }
    gap = pre;
    break;
  }
  if (gap == nullptr) return false;
  m_s.LinkTaskAfter(*day, IsChainHead(gap) ? nullptr : static_cast<TaskNode*>(gap), task);
  m_s.LockAct(h).ddate = date;
  if (!a.Has(AF_BETA)) m_s.UpdateActChain(h, date);
  SubtractFromFreeMinutes(*day, task);
  day->current = task;
  if (!m_priorityViewShowing) ItemChanged(h);
  RecalcDayTimes(date);
  m_s.MarkChanged();
  return true;
}

bool Engine::RoomForFluidTask(TaskNode* task, DayNumber date) {
  if (task == nullptr) m_s.messages().InternalError(t::kNullTaskRoom, t::kModuleBalance, __LINE__);
  Terminal* day = m_s.GetTerminal(date);
  if (day == nullptr) return false;
  const Act a = m_s.ReadAct(task->act, t::kModuleBalance, __LINE__);
  if (a.duration == 0 || a.Has(AF_HOPE)) return true;
  if (DayRoom(*day) >= NeededMinutes(a)) return true;
  OfferFullDay(date);
  return false;
}

// Marks the unbroken run of full days that begins today, so that a search
// for room can start after it.
void Engine::OfferFullDay(DayNumber date) {
  if (m_fullDayTracker == 0) m_fullDayTracker = static_cast<DayNumber>(m_s.Today() - 1);
  if (date != m_fullDayTracker + 1) return;
  Terminal* day = m_s.GetTerminal(date);
  if (day != nullptr && DayRoom(*day) < 5) m_fullDayTracker = date;
}

}  // namespace ploven
