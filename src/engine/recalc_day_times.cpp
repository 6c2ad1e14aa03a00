#include <algorithm>

#include "engine/engine.h"
#include "engine/engine_messages.h"

namespace ploven {

namespace t = engine_text;

namespace {
constexpr uint32_t kAppearFirst = AF_MARK1;
constexpr uint32_t kAppearLast = AF_MARK2;
// Items with the top flag bit do not advance the running end, so later items may overlap them.
constexpr int kLatestStart = 2880;
}  // namespace

bool Engine::HoldsItsTime(const Act& a, bool today) {
  if (a.flags & (AF_DONE | AF_FIXED)) return true;
  return a.Has(AF_STARTED) && (!a.Has(AF_SPLIT) || today);
}

int Engine::FavouredRoomEnd(const TaskNode* task, DayNumber date) {
  const bool today = date == m_s.Today();
  int end = LatestEndOnDate(task->act, date);
  // The movable items behind it still need their minutes before the next item that holds its
  // time: the wish never pushes them into it.
  int behind = 0;
  for (const TaskNode* t = task->Next(); t != nullptr; t = t->Next()) {
    const Act& next = m_s.ReadAct(t->act, t::kModuleBalance, __LINE__);
    if (next.Has(AF_HOPE)) continue;  // memos take no time
    if (HoldsItsTime(next, today)) {
      int at = next.startTime < 0 ? -next.startTime : next.startTime;
      if (!(next.flags & (AF_DONE | AF_FIXED)) && next.startTime == 0) at = t->StartTime();
      end = std::min(end, at);
      break;
    }
    if (!(next.flags & AF_NO_RUNNING_END)) behind += t->length;
  }
  return end - behind;
}

void Engine::RecalcDayTimes(DayNumber date) {
  // Laid out now, so no batch needs to do it again.
  if (!m_recalcWaiting.empty()) m_recalcWaiting.erase(date);
  Terminal* day = m_s.ExistingTerminal(date);
  if (day == nullptr) return;
  Messages& msg = m_s.messages();

  TaskNode* first = nullptr;
  TaskNode* last = nullptr;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
    const uint32_t f = m_s.ActFlags(task->act);
    if (f & kAppearFirst) first = task;
    if (f & kAppearLast) last = task;
  }
  if (first != nullptr && first != day->First()) {
    Unlink(msg, first);
    Link(msg, &day->head, first);
  }
  if (last != nullptr && last->next != nullptr) {
    Unlink(msg, last);
    Append(msg, &day->head, last);
  }

  const bool today = date == m_s.Today();
  const int nowPrime = today ? m_s.Now() : 0;
  int cursor = 0;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
    const Act a = m_s.ReadAct(task->act, t::kModuleBalance, __LINE__);
    const int16_t before = task->start;

    if (!a.Has(AF_SPLIT))
      task->length = a.duration;
    else if (task->length > a.duration)
      task->length = a.duration;

    const bool startedHere = a.Has(AF_STARTED) && (!a.Has(AF_SPLIT) || today);
    if (startedHere) {
      if (a.startTime != 0) task->start = a.startTime;
      else task->start = static_cast<int16_t>(task->StartTime());
    } else {
      const TaskNode* next = task->Next();
      if (a.Has(AF_HOPE)) {
        task->start = 0;
      } else if (a.flags & (AF_DONE | AF_FIXED)) {
        task->start = static_cast<int16_t>(a.startTime < 0 ? -a.startTime : a.startTime);
      } else if (next != nullptr && (m_s.ActFlags(next->act) & AF_DONE) && cursor != 0) {
        task->start = static_cast<int16_t>(cursor);
      } else {
        const int b = std::max({cursor, nowPrime, static_cast<int>(DayBoundsEarliest())});
        int start = std::max<int>(EarliestBeginOnDate(task->act, date), b);
        // A start the user gave without setting it is kept where the gap has room for it, and
        // approached as near as the room allows where it has not.
        if (a.startTime != 0 && !a.Has(AF_STARTED)) {
          const int room = FavouredRoomEnd(task, date) - task->length;
          start = std::max(start, std::min<int>(a.startTime, room));
        }
        start = std::min(start, kLatestStart);
        // An item that cannot end by its latest end is shown as conflicting.
        if (LatestEndOnDate(task->act, date) - task->length < start) start = -start;
        task->start = static_cast<int16_t>(start);
      }

      if (!a.Has(AF_HOPE) && task->length != 0) {
        const int at = task->StartTime();
        if (a.Has(AF_DONE)) {
          if (at < cursor) task->start = static_cast<int16_t>(-at);
        } else if (a.Has(AF_STARTED)) {
          task->start = static_cast<int16_t>(at < cursor ? -at : at);
        } else if (at < std::max(cursor, nowPrime)) {
          task->start = static_cast<int16_t>(-at);
        }
      }
      if (!(a.flags & AF_NO_RUNNING_END)) {
        const int end = task->StartTime() + task->length;
        if (end >= cursor) cursor = end;
      }
    }
    if (task->start != before) ItemChanged(task->act);
  }
}

}  // namespace ploven
