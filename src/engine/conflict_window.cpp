#include <string>

#include "done/mark_done.h"
#include "engine/balance_all_days.h"
#include "engine/balance_messages.h"
#include "platform/format.h"
#include "store/calendar.h"
#include "store/date_parse.h"

namespace ploven {

namespace t = balance_text;

namespace {

constexpr int kOverAMonthDays = 32;

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Places the task on the conflicting date for a button that needs the item on a day. Returns
// the date the item had before, so that taking it off again can give it back.
DayNumber PutOn(Engine& engine, TaskNode* task, DayNumber date) {
  const DayNumber before = engine.schedule().ReadAct(task->act).ddate;
  engine.ScheduleTask(task, date, PlacementHint{});
  return before;
}

// Takes the task off again; false when someone else (the item dialog) already took it.
bool TakeOff(Engine& engine, TaskNode* task, DayNumber formerDate) {
  Schedule& s = engine.schedule();
  if (s.FindTaskDay(task) == kNoDate) return false;
  s.UnscheduleTask(task);
  s.LockAct(task->act, t::kModule, __LINE__).ddate = formerDate;
  return true;
}

}  // namespace

ConflictOutcome ResolveSchedulingConflict(Engine& engine, TaskNode* task, DayNumber date) {
  Schedule& s = engine.schedule();
  EngineUi* ui = engine.ui();
  const ActHandle h = task->act;
  // Once the user asked for no more windows, the item goes on its deadline date, overlapping.
  if (!engine.conflictWindowEnabled() || ui == nullptr) {
    engine.ScheduleTask(task, date, PlacementHint{});
    return {};
  }

  const DateText& text = engine.dateText();
  const Act a = s.ReadAct(h, t::kModule, __LINE__);
  ConflictWindowRequest request;
  request.item = h;
  request.text = Sprintf(t::kConflictText, s.GetActTitleFull(h).c_str(),
                         WeekdayName(Weekday(date), text).c_str(), FormatDate(date, text).c_str());
  request.earliestBegin = FormatTime(a.earliestTime, text);
  request.latestEnd = FormatTime(a.latestTime, text);
  const std::string preset = FormatDate(engine.nxqual(h, date), text);
  request.dateField = preset;

  for (;;) {
    const ConflictWindowAnswer answer = ui->ShowConflictWindow(request);
    switch (answer.button) {
      case ConflictButton::kChangeDeadline: {
        if (IsBlank(answer.dateField)) {
          s.LockAct(h, t::kModule, __LINE__).deadlineDate = kNoDate;
          engine.ScheduleTask(task, date, PlacementHint{});
          s.MarkChanged();
          return {};
        }
        const ParseContext context{s.Today(), s.Now(), ui->viewedDate(),
                                   s.header().earliestTimeOfDay(), s.header().latestTimeOfDay()};
        const ParseResult<DayNumber> parsed = ParseDate(answer.dateField, text, context);
        std::string refusal;
        if (!parsed.value) {
          refusal = parsed.message;
        } else {
          const DayNumber earliest = s.ReadAct(h).earliestDate;
          if (earliest != kNoDate && *parsed.value < earliest)
            refusal = Sprintf(t::kDeadlineBeforeEarliest, FormatDate(earliest, text).c_str());
          else if (*parsed.value < s.Today())
            refusal = t::kDeadlineBeforeToday;
        }
        if (!refusal.empty()) {
          s.messages().ErrorMessage(refusal);
          request.dateField = preset;
          continue;
        }
        const DayNumber x = *parsed.value;
        if (x - date >= kOverAMonthDays &&
            s.messages().QuestionNoDefault(
                Sprintf(t::kMoveDeadlineOverMonth, s.GetActTitle(h).c_str(),
                        FormatDate(date, text).c_str(), FormatDate(x, text).c_str())) != kIdYes) {
          request.dateField = answer.dateField;
          continue;
        }
        {
          Act& rec = s.LockAct(h, t::kModule, __LINE__);
          if (rec.deadlineDate != kNoDate && rec.deadlineDate < x) {
            rec.deadlineDate = x;
            s.MarkChanged();
          }
        }
        if (x == date) {
          engine.ScheduleTask(task, date, PlacementHint{});
          return {};
        }
        return {x, false};
      }
      case ConflictButton::kEditItem: {
        const DayNumber former = PutOn(engine, task, date);
        const EditOutcome outcome = ui->EditItem(h);
        if (outcome == EditOutcome::kDeleted || !s.IsActValid(h)) return {kNoDate, true};
        if (!TakeOff(engine, task, former)) return {kNoDate, true};
        if (outcome == EditOutcome::kConfirmed) {
          // As Skip Item, with the item as it was edited.
          engine.ScheduleTask(task, date, PlacementHint{});
          return {};
        }
        request.dateField = answer.dateField;
        continue;
      }
      case ConflictButton::kDoneItem: {
        const DayNumber former = PutOn(engine, task, date);
        if (MarkTaskDone(engine, task)) return {};
        if (!TakeOff(engine, task, former)) return {kNoDate, true};
        request.dateField = answer.dateField;
        continue;
      }
      case ConflictButton::kDeleteItem: {
        const DayNumber former = PutOn(engine, task, date);
        if (ui->DeleteItemAsked(h) || !s.IsActValid(h)) {
          ui->GoToDate(date);
          return {kNoDate, true};
        }
        if (!TakeOff(engine, task, former)) return {kNoDate, true};
        request.dateField = answer.dateField;
        continue;
      }
      case ConflictButton::kSkipItem:
        engine.ScheduleTask(task, date, PlacementHint{});
        return {};
      case ConflictButton::kSkipRestOfItems:
      case ConflictButton::kClose:
        engine.ScheduleTask(task, date, PlacementHint{});
        engine.SetConflictWindowEnabled(false);
        return {};
    }
  }
}

}  // namespace ploven
