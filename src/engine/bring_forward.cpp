#include <algorithm>
#include <vector>

#include "engine/balance_all_days.h"
#include "engine/past_days.h"
#include "engine/past_days_messages.h"
#include "platform/format.h"
#include "store/date_format.h"
#include "store/recurrence_fields.h"

namespace ploven {

namespace t = past_days_text;

namespace {

constexpr uint16_t kStayingMemos = ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY;

enum class Treatment { kStay, kMove, kDelete, kShiftStart };

Treatment TreatmentOf(Schedule& s, ActHandle h) {
  const Act& a = s.ReadAct(h);
  if (a.flags & (AF_DONE | AF_STARTED)) return Treatment::kStay;
  const bool movable = !(a.typeFlags & kStayingMemos) && !a.Has(AF_FIXED);
  const ActHandle definition = RecurringItemOf(s, h);
  if (definition == kNoAct) return movable ? Treatment::kMove : Treatment::kStay;

  const uint8_t action = GetBetaFreq(s, definition);
  // A chosen action applies to every occurrence; the default one (the occurrence moves)
  // leaves appointments and memos where they are, as for items of their own.
  if (action & kBringForwardDeleteInstance) return Treatment::kDelete;
  if (action & kBringForwardShiftStart) return Treatment::kShiftStart;
  return movable ? Treatment::kMove : Treatment::kStay;
}

// The series starts again at the target (once per walk); an edited occurrence left behind
// on a past day goes, with a cancellation in its place.
void ShiftStart(Engine& engine, TaskNode* task, DayNumber target,
                std::vector<ActHandle>& rebased) {
  Schedule& s = engine.schedule();
  const ActHandle definition = RecurringItemOf(s, task->act);
  const bool drone = task->act != definition;
  if (std::find(rebased.begin(), rebased.end(), definition) == rebased.end()) {
    if (!s.hooks().RebaseRecurrence(s, definition, target)) return;
    rebased.push_back(definition);
  }
  if (drone) s.hooks().DeleteOccurrence(s, task);
}

// An item kept to work hours goes to the next workday when the target is not one.
DayNumber TargetFor(Engine& engine, ActHandle h, DayNumber target) {
  const WorkWeek& week = engine.settings().workWeek;
  if (!(engine.schedule().ActFlags(h) & AF_WORK_HOURS) || week.IsWorkday(target)) return target;
  return static_cast<DayNumber>(week.NextWorkday(target));
}

int AskBringForward(Engine& engine, const char* text, const char* caption, const std::string& to) {
  MultiButtonParams params;
  params.customCaptions = t::kBringForwardButtons;
  return engine.schedule().messages().MultiButtonBox(Sprintf(text, to.c_str()), caption,
                                                      kMbIconQuestion, params);
}

// The answer to the Bring Forward question: true when the items should go.
bool AnsweredYes(Engine& engine, int answer) {
  Messages& msg = engine.schedule().messages();
  if (answer == kIdCustom1) {
    if (!engine.busy().backgroundProcessing) return true;
    msg.InformationMessage(t::kBusyBackground);
  } else if (answer == kIdCustom1 + 2) {
    msg.OpenHelpTopic(t::kBringForwardHelp);
  } else {
    msg.InformationMessage(t::kNothingBroughtForward);
  }
  return false;
}

}  // namespace

bool BringForward(Engine& engine, DayNumber target) {
  Schedule& s = engine.schedule();
  EngineUi* ui = engine.ui();
  if (ui != nullptr) ui->SetWaitCursor(true);
  engine.busy().bringForward = true;
  // Days emptied by the moves must stay until the walk has passed them.
  s.SuspendPruning();

  bool valid = true;
  const DayNumber first = EarliestUndoneDate(engine);
  // Only past days: today's and later items are not overdue, and taking them to a later
  // target would postpone them.
  const DayNumber end = std::min(target, s.Today());
  std::vector<DayNumber> dates;
  if (first != kNoDate)
    for (const auto& [date, day] : s.terminals())
      if (date >= first && date < end && !s.header().IsArchived(date)) dates.push_back(date);

  std::vector<ActHandle> rebased;
  {
    // The past days close up once each, after the walk, not after every item that leaves.
    const DayRecalcBatch batch(engine);
    for (DayNumber date : dates) {
      Terminal* day = s.ExistingTerminal(date);
      if (day == nullptr) continue;
      // Taken first: a deleted instance takes all its tasks with it, and a moved one leaves.
      std::vector<TaskNode*> tasks;
      for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
        tasks.push_back(task);
      for (TaskNode* task : tasks) {
        if (!IsInChain(day->First(), task)) continue;
        if (!s.ValidTaskNode(task)) {
          s.messages().InformationMessage(t::kInvalidTask);
          valid = false;
          break;
        }
        switch (TreatmentOf(s, task->act)) {
          case Treatment::kStay:
            break;
          case Treatment::kDelete:
            s.hooks().DeleteOccurrence(s, task);
            break;
          case Treatment::kShiftStart:
            ShiftStart(engine, task, target, rebased);
            break;
          case Treatment::kMove:
            MoveItemToDate(engine, task, TargetFor(engine, task->act, target));
            break;
        }
      }
      if (!valid) break;
    }
  }

  s.ResumePruning();
  engine.busy().bringForward = false;
  if (ui != nullptr) ui->SetWaitCursor(false);
  if (valid && engine.settings().autoPilot) BalanceAllDays(engine, kBalanceNormal);
  return valid;
}

bool BringForwardCommand(Engine& engine) {
  const DateText& text = engine.dateText();
  Schedule& s = engine.schedule();
  EngineUi* ui = engine.ui();
  if (ui == nullptr) return false;
  if (engine.busy().backgroundProcessing) {
    s.messages().InformationMessage(t::kBusyBackground);
    return false;
  }
  const DayNumber today = s.Today();
  const DayNumber viewed = ui->viewedDate();
  // The question promises today for a viewed day that is not after today, so that is where the
  // items go (a past viewed day would leave the days between it and today behind).
  const DayNumber target = viewed > today ? viewed : today;
  const std::string to =
      viewed > today ? FormatDate(viewed, text) : t::kToday;
  const int answer = AskBringForward(engine, t::kBringForwardQuestion, t::kBringForwardCaption, to);
  if (!AnsweredYes(engine, answer)) return false;
  if (BringForward(engine, target)) s.messages().InformationMessage(t::kBringForwardCompleted);
  return true;
}

bool AutomaticBringForward(Engine& engine) {
  Schedule& s = engine.schedule();
  if (!engine.settings().autoBringForward) return false;
  const DayNumber today = s.Today();
  const DayNumber earliest = EarliestUndoneDate(engine);
  if (earliest != kNoDate && today - earliest > 7) {
    const int answer =
        AskBringForward(engine, t::kAutoBringForwardQuestion, t::kAutoBringForwardCaption, t::kToday);
    if (!AnsweredYes(engine, answer)) return false;
  }
  BringForward(engine, today);
  return true;
}

}  // namespace ploven
