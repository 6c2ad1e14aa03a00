#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <set>

#include "engine/engine_ui.h"
#include "store/calendar.h"
#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

// The planning settings that live outside the schedule header's named fields.
struct EngineSettings {
  int reserveToday = 0;        // Reserve for Interruptions Today, minutes
  int reserveFutureDay = 0;    // Reserve for Interruptions on each Future Day, minutes
  DayNumber keepClearFrom = 0;     // 0 = open end
  DayNumber keepClearThrough = 0;  // 0 = open end
  WorkWeek workWeek;  // the "Workday0" .. "Workday6" settings

  // Program settings the engine's runs consult.
  bool balanceLightensLoad = false;  // "BalanceLightensLoad": the Balance Day pass and lightening
  bool lifeProjects = false;         // "LifeProject": Balance Life Projects
  bool autoPilot = false;            // AutoPilot: Balance All Days every autoPilotInterval minutes
  int autoPilotInterval = 19;        // "AutoPilotTimerVar"
  bool autoBalanceDay = false;       // the automatic Balance Day
  int balanceDayInterval = 1;        // "BalanceTodayTimerVar"
  bool autoBringForward = false;     // Automatically Bring Forward To Today
  bool doneLogFiles = true;          // Monthly Log Files of Done Items
  bool dailyReminderInUse = false;
};

// Operations in progress elsewhere in the program that keep the engine's runs out. Everything
// runs on one thread, so plain flags do. The item dialog and imports are held with an
// EngineHold (engine/engine_hold.h) instead.
struct EngineBusy {
  bool balanceDay = false;
  bool dailyReminderScan = false;
  bool deleteConfirmation = false;
  bool backgroundProcessing = false;  // saving or archiving in the background
  bool archiving = false;
  bool alarmBox = false;
  bool bringForward = false;  // moving a fluid item past its deadline asks nothing meanwhile
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

// Writes a completed past day to the done log and takes its items out of the schedule. The
// program that knows the schedule's folder provides it.
class DayArchiver {
 public:
  virtual ~DayArchiver() = default;
  // False when the day could not be archived; then it is left as it was.
  virtual bool ArchiveDay(Terminal& day) = 0;
};

// The scheduling engine: places items into days and keeps each day's start
// times consistent. It holds the engine's run state; the schedule holds the data.
class EngineHold;

class Engine : public RelayHooks {
 public:
  Engine(Schedule& schedule, EngineSettings settings = {});
  ~Engine() override;

  Schedule& schedule() { return m_s; }
  EngineSettings& settings() { return m_settings; }
  const EngineSettings& settings() const { return m_settings; }
  // How the engine's messages show dates and times: the user's regional settings.
  const DateText& dateText() const { return m_dateText; }
  void SetDateText(DateText text) { m_dateText = std::move(text); }


  // The screen the long runs report to; null until the program gives one (the runs that need
  // it then refuse to start).
  void SetUi(EngineUi* ui) { m_ui = ui; }
  EngineUi* ui() { return m_ui; }
  void SetArchiver(DayArchiver* archiver) { m_archiver = archiver; }
  DayArchiver* archiver() { return m_archiver; }

  // ---- Run state ----
  EngineBusy& busy() { return m_busy; }
  const EngineBusy& busy() const { return m_busy; }
  // The item dialog is open / items are being imported. Only an EngineHold raises them, for
  // as long as it lives.
  bool itemDialogOpen() const { return m_itemDialogHolds > 0; }
  bool importing() const { return m_importHolds > 0; }
  // The program may change the schedule (not opened read-only).
  bool scheduleWritable() const { return m_scheduleWritable; }
  void SetScheduleWritable(bool on) { m_scheduleWritable = on; }
  bool conflictWindowEnabled() const { return m_conflictWindowEnabled; }
  void SetConflictWindowEnabled(bool on) { m_conflictWindowEnabled = on; }
  DayNumber latestDateUsed() const { return m_latestDateUsed; }
  void SetLatestDateUsed(DayNumber d) { m_latestDateUsed = d; }
  TimeOfDay lastBalancingTime() const { return m_lastBalancingTime; }
  void SetLastBalancingTime(TimeOfDay t) { m_lastBalancingTime = t; }
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
  // While held (DayRecalcBatch), a day that tasks leave is laid out once when the last hold
  // ends, unless something lays it out before; `layOut` false drops the waiting days.
  void HoldDayRecalc() { ++m_recalcHeld; }
  void ReleaseDayRecalc(bool layOut);

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

  // ---- ScheduleHooks: the engine places tasks and counts free time; the rest goes on to
  // the layer above (SetOuterHooks) ----
  void ScheduleTask(Schedule& schedule, TaskNode* task, DayNumber date) override;
  void TaskLeftDay(Schedule& schedule, DayNumber date) override;
  void ComputeFreeMinutes(Schedule& schedule, Terminal& day) override;

 private:
  static bool IsFixedItem(uint32_t flags);
  int NeededMinutes(const Act& a) const;
  int FluidFit(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date);
  int FixedFit(ChainLink* pre, TaskNode* task, TaskNode* post);
  int DropFit(ChainLink* pre, TaskNode* task, TaskNode* post, DayNumber date);
  void CheckTaskCount(const Terminal& day);
  // Whether the layout of a day keeps the item at its own time (Set Start Time, Done, Started).
  static bool HoldsItsTime(const Act& a, bool today);
  // The latest a movable item with a favoured start may end at its place in the chain.
  int FavouredRoomEnd(const TaskNode* task, DayNumber date);
  // Placement reads a day's times: a day left waiting by a batch is laid out first.
  void LayOutIfWaiting(DayNumber date) {
    if (m_recalcWaiting.contains(date)) RecalcDayTimes(date);
  }
  void SubtractFromFreeMinutes(Terminal& day, const TaskNode* task);
  TaskNode* FirstTaskOf(ActHandle h);

  friend class EngineHold;

  Schedule& m_s;
  EngineSettings m_settings;
  DateText m_dateText;
  EngineUi* m_ui = nullptr;
  DayArchiver* m_archiver = nullptr;
  EngineBusy m_busy;
  int m_itemDialogHolds = 0;
  int m_importHolds = 0;
  bool m_scheduleWritable = true;
  bool m_conflictWindowEnabled = false;
  DayNumber m_latestDateUsed = 0;
  TimeOfDay m_lastBalancingTime = 0;
  bool m_balancingAllDays = false;
  bool m_priorityViewShowing = false;
  bool m_memoryFailure = false;
  DayNumber m_fullDayTracker = 0;
  int m_runningEnd = 0;  // carried across the gaps of one chain scan
  int m_recalcHeld = 0;
  std::set<DayNumber> m_recalcWaiting;  // days tasks left while the recalculation was held
};

// Runs that take many tasks off their days hold one: each day they leave is laid out once, when
// the batch closes (or when something is placed on it meanwhile), instead of once a task.
class DayRecalcBatch {
 public:
  explicit DayRecalcBatch(Engine& engine) : m_engine(engine) { m_engine.HoldDayRecalc(); }
  // An exception on its way out leaves the days as they are rather than laying them out.
  ~DayRecalcBatch() { m_engine.ReleaseDayRecalc(std::uncaught_exceptions() == 0); }
  DayRecalcBatch(const DayRecalcBatch&) = delete;
  DayRecalcBatch& operator=(const DayRecalcBatch&) = delete;

 private:
  Engine& m_engine;
};

}  // namespace ploven
