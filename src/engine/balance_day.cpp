#include "engine/balance_day.h"

#include <algorithm>
#include <vector>

#include "engine/balance_day_messages.h"

namespace ploven {

namespace t = balance_day_text;

namespace {

constexpr uint32_t kAppearFirst = AF_MARK1;
constexpr uint32_t kAppearLast = AF_MARK2;
// Items carrying this bit keep their place in the day.
constexpr uint32_t kStaysPut = AF_DONE | AF_HOPE | AF_STARTED | AF_KEEP_IN_PLACE;
constexpr uint32_t kNotMovable = AF_STARTED | AF_DONE | AF_FIXED;
// A day this overbooked is beyond balancing.
constexpr int kOverbookedLoad = 500;
constexpr int kFullLoad = 100;
constexpr int kFlashMs = 30;

bool BusyElsewhere(const Engine& engine) {
  const EngineBusy& b = engine.busy();
  return b.balanceDay || b.dailyReminderScan || engine.itemDialogOpen() || engine.importing();
}

// The run's flag, cursor and progress window, given back however the run ends.
class RunState {
 public:
  RunState(Engine& engine, EngineUi* ui)
      : m_engine(engine), m_ui(ui), m_pruning(engine.schedule()) {
    m_engine.busy().balanceDay = true;
    if (m_ui == nullptr) return;
    m_ui->SetWaitCursor(true);
    m_ui->OpenProgress();
    m_ui->ShowProgressText(t::kInProgress);
  }
  ~RunState() {
    if (m_ui != nullptr) {
      m_ui->SetWaitCursor(false);
      m_ui->CloseProgress();
    }
    m_engine.busy().balanceDay = false;
  }
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

 private:
  Engine& m_engine;
  EngineUi* m_ui;
  PruningHold m_pruning;
};

class DayBalancer {
 public:
  DayBalancer(Engine& engine, DayNumber date)
      : m_engine(engine), m_s(engine.schedule()), m_date(date) {}

  Terminal* day() { return m_s.ExistingTerminal(m_date); }

  // Lightens the day while `more` holds and each attempt changed what `changed` compares.
  template <typename More, typename Changed>
  void Lighten(More more, Changed changed) {
    for (;;) {
      Terminal* d = day();
      if (d == nullptr) return;
      const int tasksBefore = d->nTasks;
      const int conflictBefore = DayConflictMinutes(m_engine, *d);
      LightenLoad(m_engine, m_date);
      d = day();
      if (d == nullptr || !more(*d) || !changed(*d, tasksBefore, conflictBefore)) return;
    }
  }

  int SwapPasses() {
    const int limit = (day()->nTasks + 1) / 2;
    int moves = 0;
    bool movedInPass = true;
    while (movedInPass && moves < limit) {
      movedInPass = false;
      TaskNode* p = day()->First();
      while (p != nullptr && p->Next() != nullptr) {
        if (!MayGiveWay(p) || !MayGoAhead(p->Next()) ||
            !(GapRule(p) || ConflictRule(p) || PriorityRule(p))) {
          p = p->Next();
          continue;
        }
        TaskNode* q = p->Next();
        SwapTasks(m_engine, p, q, m_date);
        m_engine.ItemChanged(p->act);
        m_engine.ItemChanged(q->act);
        ++moves;
        movedInPass = true;
        const ChainLink* before = p->prev;
        const bool beforeTakesTime =
            !IsChainHead(before) && static_cast<const TaskNode*>(before)->length != 0;
        if (moves > limit || beforeTakesTime) break;
      }
    }
    m_limitReached = moves > 0 && moves >= limit;
    return moves;
  }

  bool limitReached() const { return m_limitReached; }

 private:
  uint32_t Flags(const TaskNode* task) const { return m_s.ActFlags(task->act); }

  // A task without length fills no gap and frees none by moving.
  bool MayGiveWay(const TaskNode* p) const {
    return !(Flags(p) & (kStaysPut | kAppearFirst)) && p->length != 0;
  }
  bool MayGoAhead(const TaskNode* q) const { return !(Flags(q) & (kStaysPut | kAppearLast)); }

  int EarliestBegin(const TaskNode* task) {
    return m_engine.EarliestBeginOnDate(task->act, m_date);
  }

  // A gap before p that a later task fits into: that task comes to stand right after p.
  bool GapRule(TaskNode* p) {
    int latestEnd = 0;
    for (const TaskNode* t = day()->First(); t != p; t = t->Next())
      latestEnd = std::max(latestEnd, t->StartTime() + t->length);
    if (m_date == m_s.Today()) latestEnd = std::max<int>(latestEnd, m_s.Now());
    const int pStart = p->StartTime();
    if (pStart - latestEnd <= 0) return false;
    for (TaskNode* r = p->Next(); r != nullptr; r = r->Next()) {
      if (!MayGoAhead(r) || r->length <= 0) continue;
      if (std::max(latestEnd, EarliestBegin(r)) + r->length > pStart) continue;
      if (r != p->Next()) {
        Unlink(m_s.messages(), r);
        Link(m_s.messages(), p, r);
      }
      return true;
    }
    return false;
  }

  bool ConflictRule(TaskNode* p) {
    const TaskNode* q = p->Next();
    return !p->InConflict() && q->InConflict() && TrialLeavesUnmarked(p);
  }

  bool PriorityRule(TaskNode* p) {
    const TaskNode* q = p->Next();
    const Act a = m_s.ReadAct(p->act, t::kModuleBalanceDay, __LINE__);
    const Act b = m_s.ReadAct(q->act, t::kModuleBalanceDay, __LINE__);
    if (!a.Has(AF_FLEXIBLE) || !b.Has(AF_FLEXIBLE)) return false;
    if ((a.flags & kNotMovable) || (b.flags & kNotMovable)) return false;
    if (p->StartTime() < EarliestBegin(q)) return false;
    const bool better = b.tier < a.tier ||
                        (b.tier == a.tier && m_s.GetActRank(q->act) < m_s.GetActRank(p->act));
    return better && TrialLeavesUnmarked(p);
  }

  // Whether p would stay unmarked behind its next task. The day is put back exactly as it
  // was, whatever the recalculation moved meanwhile.
  bool TrialLeavesUnmarked(TaskNode* p) {
    struct Saved {
      TaskNode* task;
      int16_t start;
      int16_t length;
    };
    Terminal& d = *day();
    std::vector<Saved> saved;
    for (TaskNode* t = d.First(); t != nullptr; t = t->Next())
      saved.push_back({t, t->start, t->length});
    Swaptasks(m_engine, p, p->Next());
    m_engine.RecalcDayTimes(m_date);
    const bool marked = p->InConflict();
    ChainLink* prev = &d.head;
    for (const Saved& s : saved) {
      prev->next = s.task;
      s.task->prev = prev;
      s.task->start = s.start;
      s.task->length = s.length;
      prev = s.task;
    }
    prev->next = nullptr;
    return !marked;
  }

  Engine& m_engine;
  Schedule& m_s;
  DayNumber m_date;
  bool m_limitReached = false;
};

}  // namespace

int BalanceDay(Engine& engine) {
  Schedule& s = engine.schedule();
  if (engine.LightMode() || BusyElsewhere(engine)) return 0;
  EngineUi* ui = engine.ui();
  DayNumber date = s.Today();
  if (ui != nullptr && (engine.balancingAllDays() || IsDayScheduleView(ui->viewShowing())))
    date = ui->viewedDate();
  const Terminal* target = s.ExistingTerminal(date);
  if (target == nullptr || target->First() == nullptr) return 0;
  if (DayLoad(engine, *target) >= kOverbookedLoad) return 0;

  const RunState run(engine, ui);
  DayBalancer balancer(engine, date);
  const bool lightens = engine.settings().balanceLightensLoad;
  auto overloaded = [&](const Terminal& d) { return DayLoad(engine, d) > kFullLoad; };
  if (lightens && overloaded(*balancer.day()))
    balancer.Lighten(overloaded, [](const Terminal& d, int tasks, int) {
      return d.nTasks != tasks;
    });

  int moves = 0;
  if (balancer.day() != nullptr && balancer.day()->First() != nullptr) {
    moves = balancer.SwapPasses();
    if (balancer.limitReached() && ui != nullptr) {
      ui->HighlightMenuTitle(MenuTitle::kNavigate, true);
      ui->Pause(kFlashMs);
      ui->HighlightMenuTitle(MenuTitle::kNavigate, false);
    }
  }

  if (ui != nullptr) ui->ShowProgressText(t::kLighteningLoad);
  auto conflicting = [&](const Terminal& d) { return DayConflictMinutes(engine, d) > 0; };
  if (lightens && balancer.day() != nullptr && conflicting(*balancer.day()))
    balancer.Lighten(conflicting, [&](const Terminal& d, int tasks, int conflict) {
      return d.nTasks != tasks && DayConflictMinutes(engine, d) != conflict;
    });
  return moves;
}

}  // namespace ploven
