#include "engine/balance_all_days.h"

#include <algorithm>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "engine/balance_day.h"
#include "engine/balance_messages.h"
#include "engine/engine_messages.h"
#include "engine/past_days.h"
#include "platform/format.h"

namespace ploven {

namespace t = balance_text;

namespace {

// Restores the run state however the run ends, so an internal error raised in a test leaves a
// usable engine behind.
class RunGuard {
 public:
  explicit RunGuard(Engine& engine) : m_engine(engine) { m_engine.SetBalancingAllDays(true); }
  ~RunGuard() {
    ResumePruning();
    m_engine.SetBalancingAllDays(false);
  }
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;
  // Days emptied by taking the fluid items off must survive until the items are back.
  void SuspendPruning() {
    if (m_suspended) return;
    m_suspended = true;
    m_engine.schedule().SuspendPruning();
  }
  void ResumePruning() {
    if (!m_suspended) return;
    m_suspended = false;
    m_engine.schedule().ResumePruning();
  }

 private:
  Engine& m_engine;
  bool m_suspended = false;
};

// A run started by a change of Splittable belongs to the item being applied, so the holds of
// the item dialog and of an import, which that change happens inside, do not keep it out.
bool AnythingInProgress(const Engine& engine, int mode) {
  const EngineBusy& b = engine.busy();
  const bool held = engine.itemDialogOpen() || engine.importing();
  return b.balanceDay || engine.balancingAllDays() || b.dailyReminderScan ||
         b.deleteConfirmation || (held && mode != kBalanceAfterSplitChange);
}

// Takes every task of the fluid items to be re-planned off its day. The items keep no date
// until they are placed again, so the double check can tell which ones were not.
void UnscheduleFluidItems(Engine& engine) {
  Schedule& s = engine.schedule();
  // Every day is laid out below, once, however many tasks left it.
  const DayRecalcBatch batch(engine);
  for (const auto& [date, day] : s.terminals()) {
    for (TaskNode* task = day->First(); task != nullptr;) {
      TaskNode* next = task->Next();
      const ActHandle h = task->act;
      const uint32_t f = s.ActFlags(h);
      // Only items the walk will place again: a fluid item outside the priority index, or a
      // done one, would otherwise vanish from its day.
      if ((f & AF_FLEXIBLE) && !(f & (AF_STARTED | AF_DONE)) &&
          s.priorityIndex().EntryOf(h) != kNoPriorityEntry) {
        s.UnscheduleTask(task);
        s.FreeTaskNode(task);
        s.LockAct(h, t::kModule, __LINE__).ddate = kNoDate;
      }
      task = next;
    }
  }
  for (const auto& [date, day] : s.terminals()) engine.RecalcDayTimes(date);
  engine.ClearFullDayTracker();
  const DayNumber today = s.Today();
  for (const auto& [date, day] : s.terminals())
    day->freeMinutes = static_cast<int16_t>(engine.DayFreeTime(date == today, *day));
}

std::string PercentText(size_t k, size_t n) {
  const int percent = static_cast<int>(100 * k / n);
  if (percent >= 100) return t::kPercentCap;
  return Sprintf(t::kPercent, percent);
}

void PlaceAllItems(Engine& engine, EngineUi& ui) {
  Schedule& s = engine.schedule();
  PriorityIndex& index = s.priorityIndex();
  const size_t n = index.Count();
  size_t k = 0;
  for (PriorityEntryHandle at = index.First(); at != kNoPriorityEntry;) {
    const PriorityEntry* entry = index.Find(at);
    if (entry == nullptr) break;  // the entry went away under the walk
    // The next entry is read first: placing this item may move its entry.
    const PriorityEntryHandle next = index.Next(at);
    const ActHandle h = entry->item;
    ++k;
    if (k % 100 == 0) {
      ui.CloseProgress();
      ui.OpenProgress();
    }
    if (s.IsActValid(h)) {
      const int tier = entry->tier != 0 ? entry->tier : ' ';
      ui.ShowProgressText(
          Sprintf(t::kProgressItem, tier, static_cast<int>(entry->rank), s.GetActTitle(h).c_str()));
      ui.ShowProgressPercent(PercentText(k, std::max(n, k)));
      if (!(s.ActFlags(h) & AF_STARTED)) ScheduleItemAllSegments(engine, h);
    }
    at = next;
  }
}

void DoubleCheck(Engine& engine, EngineUi& ui) {
  Schedule& s = engine.schedule();
  ui.ShowProgressText(t::kProgressDoubleCheck);
  bool missing = false;
  for (const auto ref : s.priorityIndex()) {
    const ActHandle h = ref.entry.item;
    if (!s.IsActValid(h) || s.ReadAct(h).ddate != kNoDate) continue;
    s.messages().ErrorMessage(s.GetActTitle(h) + t::kNotScheduledSuffix);
    missing = true;
  }
  if (missing) s.messages().InternalError(t::kItemsNotScheduled, t::kModule, __LINE__);
}

// Lightens the coming days with Balance Day. It balances the viewed date while a run is on.
void BalanceDayPass(Engine& engine, EngineUi& ui) {
  const DayNumber today = engine.schedule().Today();
  const DayNumber viewed = ui.viewedDate();
  for (int i = 0; i < 8; ++i) {
    ui.ShowProgressText(t::kProgressWeekLabels[i]);
    ui.Pause(30);
    ui.SetViewedDate(static_cast<DayNumber>(today + i));
    BalanceDay(engine);
    BalanceDay(engine);
  }
  int quiet = 0;
  const DateText& text = engine.dateText();
  for (int i = 8; i < 60 && quiet < 3; ++i) {
    const auto date = static_cast<DayNumber>(today + i);
    if (date > kLastUserDay) break;
    ui.SetViewedDate(date);
    quiet = BalanceDay(engine) == 0 ? quiet + 1 : 0;
    ui.ShowProgressText(Sprintf(t::kProgressDate, FormatDate(date, text).c_str()));
    ui.Pause(20);
  }
  ui.SetViewedDate(viewed);
  ui.ShowProgressText(t::kProgressCurrentDay);
  BalanceDay(engine);
  BalanceDay(engine);
}

}  // namespace

int BalanceAllDays(Engine& engine, int mode) {
  Schedule& s = engine.schedule();
  s.messages().Trace(kTraceBalanceAllDays, TraceContext{});
  EngineUi* ui = engine.ui();
  if (ui == nullptr || AnythingInProgress(engine, mode)) return 0;

  RunGuard guard(engine);
  LifeProjectCheck(engine, false);
  ui->HighlightMenuTitle(MenuTitle::kBalance, true);
  engine.SetConflictWindowEnabled(true);

  RollOverPastDays(engine);
  ui->SaveAndWait();
  ui->SetWaitCursor(true);

  guard.SuspendPruning();
  UnscheduleFluidItems(engine);
  engine.SetLatestDateUsed(s.Today());
  ui->OpenProgress();
  ui->ShowProgressText(t::kProgressScheduling);
  s.messages().Trace(kTraceSchedulingItems, TraceContext{});
  ui->ShowProgressText(t::kProgressPriorities);

  PlaceAllItems(engine, *ui);
  DoubleCheck(engine, *ui);
  if (mode == kBalanceNormal && engine.settings().balanceLightensLoad) BalanceDayPass(engine, *ui);

  s.MarkChanged();
  ui->CloseProgress();
  ui->SetWaitCursor(false);
  ui->HighlightMenuTitle(MenuTitle::kBalance, false);
  guard.ResumePruning();
  if (IsDayScheduleView(ui->viewShowing())) ui->RefreshDayScheduleViews();
  if (mode == kBalanceNormal) AgedItemAlert(engine);
  engine.SetBalancingAllDays(false);
  engine.SetLastBalancingTime(s.Now());
  return 1;
}

DayNumber ItemEarliestDate(Engine& engine, ActHandle item) {
  Schedule& s = engine.schedule();
  const Act a = s.ReadAct(item, t::kModule, __LINE__);
  int earliest = a.earliestDate != kNoDate ? a.earliestDate : s.Today();
  if (a.prereqID != 0) {
    const ActHandle pre = s.FindActByID(a.prereqID);
    if (pre != kNoAct && pre != item)
      earliest = std::max(earliest, s.ReadAct(pre).ddate + a.prereqDays);
  }
  if (a.Has(AF_SEQUENCED)) {
    const ActHandle before = s.priorityIndex().ItemRankedBefore(item);
    if (before != kNoAct && s.IsActValid(before))
      earliest = std::max<int>(earliest, s.ReadAct(before).ddate);
  }
  return static_cast<DayNumber>(std::clamp<int>(earliest, kNoDate, kLastUserDay));
}

namespace {

// A deadline in the past is searched for as if it were today.
DayNumber EffectiveDeadline(const Schedule& s, ActHandle item) {
  const DayNumber d = s.ReadAct(item).deadlineDate;
  if (d == kNoDate) return kNoDate;
  return std::max(d, s.Today());
}

TaskNode* NewTask(Schedule& s, ActHandle item, int length) {
  try {
    return s.NewTaskNode(item, 0, static_cast<int16_t>(length));
  } catch (const std::bad_alloc&) {
    s.messages().InternalError(t::kOutOfMemory, t::kModule, __LINE__);
  }
}

}  // namespace

void ScheduleItemAllSegments(Engine& engine, ActHandle item) {
  Schedule& s = engine.schedule();
  const DayNumber today = s.Today();
  const DayNumber oldDate = s.ReadAct(item, t::kModule, __LINE__).ddate;
  DayNumber start = std::max(
      {today, ItemEarliestDate(engine, item), static_cast<DayNumber>(engine.fullDayTracker() + 1)});
  const DayNumber d = EffectiveDeadline(s, item);
  if (d != kNoDate && start > d) start = d;
  const int horizon =
      std::max({static_cast<int>(engine.latestDateUsed()),
                static_cast<int>(engine.settings().keepClearThrough), static_cast<int>(start)}) +
      kSearchHorizonDays;
  // The search never runs past the last date a day can have.
  const auto last = static_cast<DayNumber>(std::min<int>(horizon, kLastUserDay));

  int remaining = s.ReadAct(item).duration;
  DayNumber from = start;
  do {
    TaskNode* task = NewTask(s, item, remaining);
    const FluidPlacement result =
        PlaceFluidTask(engine, task, oldDate, from, EffectiveDeadline(s, item), last);
    if (result == FluidPlacement::kTaskGone || !s.IsActValid(item)) return;
    if (task->prev == nullptr) {  // not placed: it keeps its full length, and the item ends
      s.FreeTaskNode(task);
      return;
    }
    if (task->length <= 0) return;
    remaining -= task->length;
    from = std::max(s.ReadAct(item).ddate, from);
  } while (remaining > 0);
}

int ScheduleFluidTask(Engine& engine, TaskNode* task, DayNumber oldDate, DayNumber start,
                      DayNumber deadline, DayNumber last) {
  return PlaceFluidTask(engine, task, oldDate, start, deadline, last) == FluidPlacement::kPlaced
             ? 1
             : 0;
}

FluidPlacement PlaceFluidTask(Engine& engine, TaskNode* task, DayNumber oldDate, DayNumber start,
                              DayNumber deadline, DayNumber last) {
  Schedule& s = engine.schedule();
  const ActHandle h = task->act;
  const bool afterHours = s.ReadAct(h, t::kModule, __LINE__).Has(AF_AFTER_HOURS);
  const DateText& text = engine.dateText();
  for (int e = start;;) {
    if (e > std::max(last, deadline) || e > kLastUserDay) {
      s.messages().ErrorMessage(
          Sprintf(t::kRanIntoTrouble, s.GetActTitle(h).c_str(), FormatDate(deadline, text).c_str(),
                  FormatDate(static_cast<DayNumber>(std::min<int>(e, kLastUserDay)), text).c_str(),
                  FormatDate(last, text).c_str()));
      s.messages().InternalError(std::string(t::kUnexpectedLocation) + engine_text::kSupportAddress,
                                 t::kModule, __LINE__);
    }
    const auto date = static_cast<DayNumber>(e);
    if ((!engine.IsKeepClearDay(date) || afterHours) && engine.WeekdayQualify(h, date) &&
        engine.RoomForFluidTask(task, date) && engine.ScheduleTaskFTD(task, date)) {
      engine.SetLatestDateUsed(std::max(engine.latestDateUsed(), date));
      if (engine.priorityViewShowing() && date != oldDate) engine.ItemChanged(h);
      return FluidPlacement::kPlaced;
    }
    if (engine.memoryFailure())
      return engine.ScheduleTask(task, start, PlacementHint{}) ? FluidPlacement::kPlaced
                                                               : FluidPlacement::kNotPlaced;
    if (deadline != kNoDate && date >= deadline) {
      const ConflictOutcome out = ResolveSchedulingConflict(engine, task, date);
      if (out.taskGone) return FluidPlacement::kTaskGone;
      if (out.searchOn == kNoDate) return FluidPlacement::kNotPlaced;
      // The window may have moved the deadline; the search is bounded by the new one.
      deadline = EffectiveDeadline(s, h);
      e = out.searchOn;
      continue;
    }
    if (date >= last) {
      if (deadline == kNoDate) {
        s.messages().ErrorMessage(Sprintf(t::kChronicallyOverbooked, s.GetActTitle(h).c_str(),
                                          FormatDate(date, text).c_str()));
        // The item stays in the plan where its search began, overlapping, rather than
        // dropping off every day (which would end the run at the double check).
        engine.ScheduleTask(task, static_cast<DayNumber>(start), PlacementHint{});
        return FluidPlacement::kNotPlaced;
      }
      const ConflictOutcome out = ResolveSchedulingConflict(engine, task, date);
      if (out.taskGone) return FluidPlacement::kTaskGone;
      if (out.searchOn == kNoDate) return FluidPlacement::kNotPlaced;
      deadline = EffectiveDeadline(s, h);
      last = out.searchOn;
    }
    // Placement here never carries a drop-spot hint, so there is none to clear.
    ++e;
  }
}

void RescheduleItem(Engine& engine, ActHandle item) {
  Schedule& s = engine.schedule();
  engine.ClearFullDayTracker();
  const Act a = s.ReadAct(item, t::kModule, __LINE__);
  // Started and done items stay where they are; set-date items are not re-planned.
  if ((a.flags & (AF_STARTED | AF_DONE)) || !a.Has(AF_FLEXIBLE)) return;
  // Off its days first, so that its own minutes count as room; each day it leaves closes up
  // once, before the item is placed again.
  {
    const DayRecalcBatch batch(engine);
    bool left = false;
    for (const auto& [date, day] : s.terminals()) {
      for (TaskNode* task = day->First(); task != nullptr;) {
        TaskNode* next = task->Next();
        if (task->act == item) {
          s.UnscheduleTask(task);
          s.FreeTaskNode(task);
          left = true;
          // An unsplit item has one task.
          if (!a.Has(AF_SPLIT)) break;
        }
        task = next;
      }
      if (!a.Has(AF_SPLIT) && left) break;
    }
  }
  ScheduleItemAllSegments(engine, item);
  s.MarkChanged();
}

}  // namespace ploven
