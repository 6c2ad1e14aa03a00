#pragma once

#include <array>
#include <cstdint>

#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven {

// The planning settings that live outside the schedule header's named fields.
struct EngineSettings {
  int reserveToday = 0;        // Reserve for Interruptions Today, minutes
  int reserveFutureDay = 0;    // Reserve for Interruptions on each Future Day, minutes
  DayNumber keepClearFrom = 0;     // 0 = open end
  DayNumber keepClearThrough = 0;  // 0 = open end
  WorkWeek workWeek;  // the "Workday0" .. "Workday6" settings
};

// Where the user dropped an item: between these two tasks.
struct PlacementHint {
  TaskNode* pre = nullptr;
  TaskNode* post = nullptr;
  bool Given() const { return pre != nullptr || post != nullptr; }
};

// Fit codes of a gap.
inline constexpr int kFitNotHere = 0;
inline constexpr int kFitNowhere = -1;

// The scheduling engine: places items into days and keeps each day's start
// times consistent. It holds the engine's run state; the schedule holds the data.
class Engine : public ScheduleHooks {
 public:
  Engine(Schedule& schedule, EngineSettings settings = {});
  ~Engine() override;

  Schedule& schedule() { return m_s; }
  EngineSettings& settings() { return m_settings; }

  // Hooks the views and the other subsystems get through the engine.
  void SetOuterHooks(ScheduleHooks* outer) { m_outer = outer; }

  // ---- Run state ----
  bool balancingAllDays() const { return m_balancingAllDays; }
  void SetBalancingAllDays(bool on) { m_balancingAllDays = on; }
  bool priorityViewShowing() const { return m_priorityViewShowing; }
  void SetPriorityViewShowing(bool on) { m_priorityViewShowing = on; }
  DayNumber fullDayTracker() const { return m_fullDayTracker; }
  void ClearFullDayTracker() { m_fullDayTracker = 0; }
  bool memoryFailure() const { return m_memoryFailure; }
  void ClearMemoryFailure() { m_memoryFailure = false; }

  // ---- Placement on a date ----
  bool ScheduleTask(TaskNode* task, DayNumber date, PlacementHint hint);
  bool ScheduleTaskFTD(TaskNode* task, DayNumber date);
  bool SlotFavoredTask(Terminal& day, TaskNode* task, DayNumber date);
  int TaskCanFitTime(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date);
  // The task after which a dropped task goes, or null when the drop spot is refused.
  ChainLink* TaskCanFit(TaskNode* pre, TaskNode* task, TaskNode* post, DayNumber date);
  bool RoomForFluidTask(TaskNode* task, DayNumber date);
  void OfferFullDay(DayNumber date);
  void RecalcDayTimes(DayNumber date);

  // ---- Rules a date is measured by ----
  bool WeekdayQualify(ActHandle h, DayNumber date) const;
  DayNumber nxqual(ActHandle h, DayNumber date) const;
  bool IsKeepClearDay(DayNumber date);
  bool HoldsWorkHoliday(DayNumber date);
  bool IsWorkday(DayNumber date) const;
  int InterruptionReserve(DayNumber date);
  int DayRoom(Terminal& day);
  int DayFreeTime(bool isToday, const Terminal& day) const;
  TimeOfDay EarliestBeginOnDate(ActHandle h, DayNumber date);
  TimeOfDay LatestEndOnDate(ActHandle h, DayNumber date) const;

  // Day bounds as the engine reads them: a stored 0 is 1.
  TimeOfDay DayBoundsEarliest() const;
  TimeOfDay DayBoundsLatest() const;
  bool LightMode() const { return m_s.header().LightModePermitted(); }

  // ---- ScheduleHooks ----
  void ScheduleTask(Schedule& schedule, TaskNode* task, DayNumber date) override;
  void ComputeFreeMinutes(Schedule& schedule, Terminal& day) override;
  bool GenerateRecurringInstances(Schedule& s, Terminal& day) override;
  bool ScheduleBeta(Schedule& s, ActHandle definition) override;
  void PastDayTreatment(Schedule& s, Terminal& day) override;
  void LogDoneItemsOfDay(Schedule& s, Terminal& day) override;
  void CancelAlarm(Schedule& s, ActHandle act) override;
  bool IsDayShown(DayNumber date) const override;
  void DayChanged(DayNumber date) override;
  void ItemChanged(ActHandle act) override;
  void ActLeavingChain(ActHandle act) override;

 private:
  static bool IsFixedItem(uint32_t flags);
  int NeededMinutes(const Act& a) const;
  int FluidFit(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date);
  int FixedFit(ChainLink* pre, TaskNode* task, TaskNode* post);
  int DropFit(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date);
  void CheckTaskCount(const Terminal& day);
  void SubtractFromFreeMinutes(Terminal& day, const TaskNode* task);
  TaskNode* FirstTaskOf(ActHandle h);

  Schedule& m_s;
  EngineSettings m_settings;
  ScheduleHooks m_noOuter;
  ScheduleHooks* m_outer = &m_noOuter;
  bool m_balancingAllDays = false;
  bool m_priorityViewShowing = false;
  bool m_memoryFailure = false;
  DayNumber m_fullDayTracker = 0;
  int m_runningEnd = 0;  // carried across the gaps of one chain scan
};

}  // namespace ploven
