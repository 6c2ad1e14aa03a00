#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/balance_day.h"
#include "engine/balance_day_messages.h"

namespace ploven {

namespace t = balance_day_text;

namespace {

// An item that may not be on the date at all outranks every other candidate.
constexpr uint8_t kMisplacedTier = 'Z';
constexpr int kMisplacedKey = 99999;
constexpr int kNoDeadline = 32767;

bool MayNotBeOn(Engine& engine, const Act& a, ActHandle h, DayNumber date) {
  return (a.earliestDate != 0 && date < a.earliestDate) || !engine.WeekdayQualify(h, date);
}

// The item's deadline comes before the next date it may move to.
bool CannotMove(Engine& engine, const Act& a, ActHandle h, DayNumber date) {
  return a.deadlineDate != 0 && a.deadlineDate < engine.nxqual(h, date);
}

// Takes the task off `date` to the next date its Days Of Week allow; the date left behind
// closes up around the gap.
void Defer(Engine& engine, TaskNode* task, DayNumber date) {
  Schedule& s = engine.schedule();
  const PruningHold held(s);
  const DayNumber to = engine.nxqual(task->act, date);
  s.UnscheduleTask(task);
  // A task that found no day must not be lost: it goes back where it was.
  if (!engine.ScheduleTask(task, to, PlacementHint{})) engine.ScheduleTask(task, date, {});
}

void NothingToLighten(Engine& engine, const char* text) {
  MultiButtonParams params;
  params.customCaptions = t::kLightenLoadButton;
  engine.schedule().messages().MultiButtonBox(text, t::kLightenLoadCaption, kMbIconInformation,
                                              params);
}

}  // namespace

int LightenLoad(Engine& engine, DayNumber date) {
  Schedule& s = engine.schedule();
  TaskNode* candidate = nullptr;
  if (Terminal* day = s.ExistingTerminal(date)) {
    uint8_t worstTier = 0;
    int bestRank = 0;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      const Act a = s.ReadAct(task->act, t::kModuleBalanceDay, __LINE__);
      if (!a.Has(AF_FLEXIBLE)) continue;
      if (MayNotBeOn(engine, a, task->act, date)) {
        candidate = task;
        worstTier = kMisplacedTier;
        bestRank = kMisplacedKey;
        continue;
      }
      if (CannotMove(engine, a, task->act, date) || a.tier < worstTier) continue;
      if (a.tier > worstTier) {
        worstTier = a.tier;
        bestRank = 0;
      }
      const int rank = s.GetActRank(task->act);
      if (rank > bestRank) {
        candidate = task;
        bestRank = rank;
      }
    }
  }
  if (candidate != nullptr) {
    Defer(engine, candidate, date);
  } else if (!engine.busy().balanceDay) {
    NothingToLighten(engine, t::kLightenLoadNotPossible);
  }
  return 1;
}

// The urgency order is kept beside the priority index rather than written into its ranks: the
// index keeps each tier numbered 1, 2, 3 ... in its own order, and ranks out of that order
// would misplace every item entered or moved before the next renumbering.
int LightenLoadByUrgency(Engine& engine, DayNumber date) {
  Schedule& s = engine.schedule();
  TaskNode* candidate = nullptr;
  if (Terminal* day = s.ExistingTerminal(date)) {
    auto deadline = [&](ActHandle h) {
      const DayNumber d = s.ReadAct(h, t::kModuleBalanceDay, __LINE__).deadlineDate;
      return d == 0 ? kNoDeadline : static_cast<int>(d);
    };
    std::vector<ActHandle> order;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if ((s.ActFlags(task->act) & AF_FLEXIBLE) &&
          std::find(order.begin(), order.end(), task->act) == order.end())
        order.push_back(task->act);
    // Each place takes any later item with an earlier deadline, as the swaps come.
    for (size_t i = 0; i < order.size(); ++i)
      for (size_t j = i + 1; j < order.size(); ++j)
        if (deadline(order[j]) < deadline(order[i])) std::swap(order[i], order[j]);
    std::unordered_map<ActHandle, int> urgencyRank;
    for (size_t i = 0; i < order.size(); ++i) urgencyRank[order[i]] = static_cast<int>(i) + 1;

    int latestDeadline = 0;
    uint8_t worstTier = 0;
    int bestKey = 0;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      const Act a = s.ReadAct(task->act, t::kModuleBalanceDay, __LINE__);
      if (!a.Has(AF_FLEXIBLE) || a.Has(AF_HOPE)) continue;
      if (MayNotBeOn(engine, a, task->act, date)) {
        candidate = task;
        worstTier = kMisplacedTier;
        bestKey = kMisplacedKey;
        continue;
      }
      if (CannotMove(engine, a, task->act, date)) continue;
      const int due = deadline(task->act);
      if (a.deadlineDate != 0 && due < latestDeadline) continue;
      if (due > latestDeadline) {
        latestDeadline = due;
        worstTier = 0;
        bestKey = 0;
      }
      if (a.tier < worstTier) continue;
      if (a.tier > worstTier) {
        worstTier = a.tier;
        bestKey = 0;
      }
      const int rank = urgencyRank[task->act];
      if (rank > bestKey) {
        candidate = task;
        bestKey = rank;
      }
    }
  }
  if (candidate != nullptr) {
    Defer(engine, candidate, date);
  } else if (!engine.settings().dailyReminderInUse) {
    NothingToLighten(engine, t::kLightenLoadByUrgencyNotPossible);
  }
  return 1;
}

}  // namespace ploven
