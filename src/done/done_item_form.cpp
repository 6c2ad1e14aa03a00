#include "done/done_item_form.h"

#include <algorithm>
#include <vector>

#include "done/done_messages.h"
#include "done/place_done_task.h"
#include "store/projects.h"

namespace ploven {

namespace t = done_text;

namespace {

bool BlankTitle(const std::string& title) {
  return std::all_of(title.begin(), title.end(), [](unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  });
}

// Memos and items done without a time stand at the top of the day at no time at all.
bool HasClockTime(const Schedule& s, const TaskNode& task) {
  return task.StartTime() != kNoTime && !(s.ActFlags(task.act) & AF_HOPE);
}

TimeOfDay EndOf(const TaskNode& task) {
  return static_cast<TimeOfDay>(task.StartTime() + task.length);
}

// The first item of the day at or after `at`, or after `selected` when one is given.
const TaskNode* NextTimedTask(const Schedule& s, const Terminal* day, const TaskNode* selected,
                              TimeOfDay at) {
  const TaskNode* task = selected != nullptr ? selected->Next()
                         : day != nullptr    ? day->First()
                                             : nullptr;
  for (; task != nullptr; task = task->Next())
    if (HasClockTime(s, *task) && task->StartTime() >= at) return task;
  return nullptr;
}

// The end of today's last done item that has a time, or kNoTime.
TimeOfDay LastDoneEnd(const Schedule& s, const Terminal* day) {
  TimeOfDay end = kNoTime;
  if (day == nullptr) return end;
  for (const TaskNode* task = day->First(); task != nullptr; task = task->Next())
    if ((s.ActFlags(task->act) & AF_DONE) && HasClockTime(s, *task)) end = EndOf(*task);
  return end;
}

Act DraftRecord(Act a, const DoneItemDraft& d) {
  a.flags |= AF_DONE;
  a.flags &= ~static_cast<uint32_t>(AF_FLEXIBLE | AF_STARTED | AF_DONE_NO_BEGAN | AF_DONE_HAS_NOTE);
  if (!d.times.hasBegan()) a.flags |= AF_DONE_NO_BEGAN;
  if (d.hasNote) a.flags |= AF_DONE_HAS_NOTE;
  a.startTime = d.times.hasBegan() ? d.times.began() : kNoTime;
  a.duration = static_cast<Duration>(d.times.duration());
  if (d.noteNumber != 0) a.noteNumber = d.noteNumber;
  a.expense = d.expense;
  a.mileage = static_cast<int16_t>(std::clamp(d.mileage, -32768, 32767));
  a.projectID = d.projectID;
  a.jobNumber = d.jobNumber;
  a.ddate = d.date;
  return a;
}

ActHandle InsertDoneItem(Engine& engine, const DoneItemDraft& d) {
  Schedule& s = engine.schedule();
  Act record;
  record.typeFlags = engine.LightMode() ? 0 : ACT_ITEM;
  const ActHandle h = s.NewItem(d.date, DraftRecord(record, d), d.title);
  if (h == kNoAct) return kNoAct;
  s.hooks().DoneStateChanged(s, h, DoneChange::kEntered);
  return h;
}

ActHandle MoveDoneItem(Engine& engine, const DoneItemDraft& d) {
  Schedule& s = engine.schedule();
  const ActHandle h = d.item;
  if (s.ActFlags(h) & AF_BETA) return kNoAct;
  const PruningHold held(s);
  // The day is made before the item leaves its old one, so a failure leaves it in place.
  if (s.GetTerminal(d.date) == nullptr) return kNoAct;
  std::vector<TaskNode*> tasks;
  for (const auto& [date, day] : s.terminals())
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (task->act == h) tasks.push_back(task);
  // A done item keeps one appearance: its pieces are one piece of work now.
  for (size_t i = 1; i < tasks.size(); ++i) {
    s.hooks().DayChanged(s.UnscheduleTask(tasks[i]));
    s.FreeTaskNode(tasks[i]);
  }
  TaskNode* task = tasks.empty() ? s.NewTaskNode(h) : tasks.front();

  const uint32_t formerProject = s.ReadAct(h).projectID;
  Act record = DraftRecord(s.ReadAct(h), d);
  record.flags &= ~static_cast<uint32_t>(AF_SPLIT);
  s.LockAct(h, "Done", __LINE__) = record;
  s.SetActName(h, d.title);
  PlaceDoneTask(engine, task, d.date);
  if (formerProject != d.projectID) RefreshProjectTreeKeepingFolding(s);
  s.TouchAct(h);
  s.hooks().DoneStateChanged(s, h, DoneChange::kDone);
  return h;
}

}  // namespace

DoneItemDraft DoneItemDraftOf(Schedule& s, TaskNode* task) {
  DoneItemDraft d;
  if (task == nullptr || !s.IsActValid(task->act)) return d;
  const Act& a = s.ReadAct(task->act, "Done", __LINE__);
  d.item = task->act;
  d.title = s.GetActNameFull(task->act);
  d.date = s.GetTaskDate(task);
  const TimeOfDay began = (a.flags & AF_DONE_NO_BEGAN) ? kNoTime : task->StartTime();
  d.times = DoneItemTimes(began, a.duration);
  d.noteNumber = a.noteNumber;
  d.hasNote = (a.flags & AF_DONE_HAS_NOTE) != 0;
  d.expense = a.expense;
  d.mileage = a.mileage;
  d.projectID = a.projectID;
  d.jobNumber = a.jobNumber;
  return d;
}

DoneItemDraft NewDoneItemDraft(Engine& engine, DayNumber shownDay, const TaskNode* selected) {
  Schedule& s = engine.schedule();
  const Act& defaults = s.itemDefaults();
  const Terminal* day = s.ExistingTerminal(shownDay);
  if (selected != nullptr && !HasClockTime(s, *selected)) selected = nullptr;

  TimeOfDay began = selected != nullptr         ? EndOf(*selected)
                    : defaults.earliestTime > 0 ? defaults.earliestTime
                                                : engine.DayBoundsEarliest();
  began = ClockTimeAfter(began, 0);
  const TaskNode* next = NextTimedTask(s, day, selected, began);
  int duration = next != nullptr ? next->StartTime() - began : defaults.duration;

  if (shownDay == s.Today()) {
    const TimeOfDay lastEnd = LastDoneEnd(s, day);
    if (lastEnd != kNoTime && lastEnd < began) {
      began = lastEnd;
      duration = s.Now() - began;
    }
  }
  DoneItemDraft d;
  d.date = shownDay;
  d.times = DoneItemTimes(began, duration);
  return d;
}

int32_t AttachDoneNote(Schedule& s, DoneItemDraft& draft) {
  if (draft.noteNumber == 0 && draft.item != kNoAct && s.IsActValid(draft.item))
    draft.noteNumber = s.GetActNoteNumber(draft.item);
  if (draft.noteNumber == 0) draft.noteNumber = s.ReserveNoteNumber();
  draft.hasNote = true;
  return draft.noteNumber;
}

DoneItemOutcome SaveDoneItem(Engine& engine, const DoneItemDraft& draft) {
  Schedule& s = engine.schedule();
  DoneItemOutcome out;
  if (BlankTitle(draft.title)) {
    out.problem = t::kNoTitle;
    out.field = DoneItemField::kTitle;
  } else if (draft.date < kFirstUserDay || draft.date > kLastUserDay) {
    out.problem = t::kDateOutOfRange;
    out.field = DoneItemField::kDate;
  } else if (s.header().IsArchived(draft.date)) {
    out.problem = t::kDayArchived;
    out.field = DoneItemField::kDate;
  }
  if (!out.ok()) return out;
  const bool existing = draft.item != kNoAct && s.IsActValid(draft.item);
  out.item = existing ? MoveDoneItem(engine, draft) : InsertDoneItem(engine, draft);
  if (out.item == kNoAct) out.problem = t::kNotPlaced;
  return out;
}

}  // namespace ploven
