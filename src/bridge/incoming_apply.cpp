#include "bridge/incoming_apply.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "bridge/bridge_messages.h"
#include "bridge/incoming_record.h"
#include "bridge/item_records.h"
#include "bridge/record_text.h"
#include "done/mark_done.h"
#include "edit/item_delete.h"
#include "edit/item_edit.h"
#include "engine/engine.h"
#include "platform/messages.h"
#include "recur/occurrence_task.h"
#include "recur/recurrences.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"

namespace ploven {
namespace {

using Kind = IncomingOutcome::Kind;

IncomingOutcome Refused(Messages& msg, const std::string& text) {
  msg.LogLine(std::string(kRecordRefusedLog) + text);
  msg.ErrorMessage(text);
  return {Kind::kRefused, kNoAct, 0, {}, text};
}

IncomingOutcome RefusedRecord(Messages& msg, const std::string& reason) {
  return Refused(msg, std::string(kRecordRefusedLead) + reason + ".");
}

IncomingOutcome Skipped(Messages& msg, const char* what) {
  msg.LogLine(std::string(kKindSwitchedOffLog) + what);
  return {Kind::kSkipped, kNoAct, 0, {}, {}};
}

// The record's text without the LF that ends it and the TAB after its last field.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == kRecordEnd || text.back() == kFieldEnd))
    text.remove_suffix(1);
  return text;
}

std::string TitleOf(std::string_view text) {
  return text == kBlankTitle ? std::string() : std::string(text);
}

// The item on `date` (any date when none is given) with exactly this title.
ActHandle FindByTitle(Schedule& s, const std::string& title, DayNumber date) {
  for (const auto& [key, node] : s.actChain()) {
    const ActHandle h = node.act;
    if (!s.IsActValid(h) || s.GetActNameFull(h) != title) continue;
    if (date == kNoDate) return h;
    if (s.ActFlags(h) & AF_BETA) {
      if (OccurrenceTask(s, h, date) != nullptr) return h;
    } else if (OccurrenceOf(s, h).date == date || s.GetActDate(h) == date) {
      return h;
    }
  }
  return kNoAct;
}

// The item the calendar names: by its number first, else by its title and date.
ActHandle FindItem(Schedule& s, uint32_t itemID, const std::string& title, DayNumber date) {
  if (itemID != 0) {
    const ActHandle h = s.FindActByID(itemID);
    if (h != kNoAct && s.IsActValid(h)) return h;
  }
  return FindByTitle(s, title, date);
}

IncomingOutcome NotFound(Messages& msg, uint32_t itemID, const std::string& title, DayNumber date,
                         const DateText& dateText) {
  std::string reason = kNoSuchItemLead + std::to_string(itemID) + kNoSuchItemTitle + title + "\"";
  if (date != kNoDate) reason += kNoSuchItemOn + FormatDate(date, dateText);
  return RefusedRecord(msg, reason);
}

uint8_t LabelNumber(const std::vector<std::string>& names, const std::string& name) {
  if (name.empty()) return 0;
  for (size_t n = 1; n < names.size() && n < 256; ++n) {
    if (names[n] == name) return static_cast<uint8_t>(n);
  }
  return 0;
}

// An appointment's length: from its start to its end (past midnight when the end is earlier),
// else the duration it carries.
Duration AppointmentLength(const IncomingItem& item) {
  int length = item.duration;
  if (item.end != kNoTime && item.start != kNoTime) {
    length = item.end - item.start;
    if (length < 0) length += kMinutesPerDay;
  }
  return static_cast<Duration>(std::clamp(length, 0, static_cast<int>(kMaxItemDuration)));
}

// The fields every incoming record sets, whatever its form.
void FillCommon(Schedule& s, const IntakeRules& rules, const IncomingItem& item, ItemDraft& d) {
  Act& a = d.act;
  d.title = item.title;
  // A task's record carries its reminder only with a deadline: without one it says nothing of
  // the item's alarm, which stays as it is.
  const bool alarmKnown = item.appointment || item.alarm || item.deadlineDate != kNoDate;
  if (alarmKnown) d.Set(AF_ALARM, item.alarm);
  if (item.alarm) {
    a.alarmHours = item.alarmHours;
    a.alarmMinutes = item.alarmMinutes;
    if (!d.Has(AF_ALARM_AT_BEGIN) && !d.Has(AF_ALARM_AT_END)) d.Set(AF_ALARM_AT_BEGIN, true);
  }
  a.label = LabelNumber(rules.labelNames, item.label);
  if (!item.project.empty()) {
    const uint32_t project = FindProjectIDByName(s, item.project);
    if (project != 0) a.projectID = project;
  } else {
    a.projectID = 0;
  }
}

void FillAppointment(const IncomingItem& item, ItemDraft& d, bool setDate) {
  d.Set(AF_FIXED, true);
  d.Set(AF_FLEXIBLE, false);
  d.Set(AF_HOPE, false);
  if (setDate) d.date = item.date;
  d.act.startTime = item.start;
  d.act.duration = AppointmentLength(item);
}

void FillTask(const IncomingItem& item, ItemDraft& d, bool setDate) {
  if (item.duration != 0) d.act.duration = item.duration;
  if (setDate && !d.flexible()) d.date = item.date;
  if (d.flexible() && item.deadlineDate != kNoDate) {
    d.act.deadlineDate = item.deadlineDate;
    d.act.earliestDateTime = item.earliestDateTime;
    d.act.deadlineTime = item.deadlineTime;
  }
}

Beta RuleOf(const IncomingRecurrence& in, Beta rule) {
  rule.freq = in.freq;
  rule.dayBits = in.dayBits;
  rule.dateBits = in.dateBits;
  rule.interval = in.interval;
  rule.startDate = in.startDate;
  rule.endDate = in.endDate;
  return rule;
}

bool SameRule(const Beta& a, const Beta& b) {
  return a.freq == b.freq && a.dayBits == b.dayBits && a.dateBits == b.dateBits &&
         a.interval == b.interval && a.startDate == b.startDate && a.endDate == b.endDate;
}

ActHandle Confirm(IntakeSchedule& target, ItemEditSession& ses) {
  Engine& engine = target.engine();
  ItemEditHooks hooks;
  hooks.conflictView.text = engine.dateText();
  hooks.interactive = false;  // nobody pressed OK: nothing is offered or asked
  const ConfirmResult result = ConfirmItemEdit(engine, &target.recurrences(), ses, hooks);
  return result.outcome == ConfirmOutcome::kApplied ? result.item : kNoAct;
}

// What comes after the fields: marked as from outside, its note, done when the calendar says so.
void Finish(IntakeSchedule& target, ActHandle h, const IncomingItem& item, bool noteChanged) {
  Schedule& s = target.engine().schedule();
  s.LockAct(h).flags |= AF_FROM_OUTSIDE;
  s.MarkChanged();
  if (noteChanged) target.WriteNote(h, item.note);
  if (item.done && !(s.ActFlags(h) & AF_DONE)) MarkItemDone(target.engine(), h);
}

bool KindAllowed(const IntakeRules& rules, bool appointment) {
  return appointment ? rules.appointmentsFromCalendar : rules.tasksFromCalendar;
}

IncomingOutcome AddItem(IntakeSchedule& target, const IntakeRules& rules, const IncomingItem& item,
                        Messages& msg) {
  Schedule& s = target.engine().schedule();
  ItemEditRequest open;
  open.command = item.appointment ? kCmdNewAppointment : kCmdNewItem;
  // A task is planned from its date, or from its deadline when that comes first.
  open.date = item.date;
  if (!item.appointment && item.deadlineDate != kNoDate)
    open.date = std::min(item.date, item.deadlineDate);
  std::optional<ItemEditSession> ses = OpenItemEdit(target.engine(), &target.recurrences(), open);
  if (!ses) return RefusedRecord(msg, kItemNotMade);
  ItemDraft& d = ses->draft;
  if (item.appointment) {
    FillAppointment(item, d, true);
  } else {
    d.Set(AF_FIXED, false);
    d.Set(AF_HOPE, false);
    d.Set(AF_FLEXIBLE, true);
    d.act.startTime = kNoTime;
    FillTask(item, d, true);
  }
  FillCommon(s, rules, item, d);
  d.Set(AF_ALARM, item.alarm);  // a new item has the calendar's reminder, not the preferences'
  if (item.recurrence &&
      !SetRecurring(*ses, &target.recurrences(), RuleOf(*item.recurrence, Beta{}), msg)) {
    return RefusedRecord(msg, kItemNotMade);
  }
  const ActHandle h = Confirm(target, *ses);
  if (h == kNoAct) return RefusedRecord(msg, kItemNotMade);
  Finish(target, h, item, !item.note.empty());
  return {Kind::kAdded, h, s.GetActID(h), RecordTitle(item.title), {}};
}

IncomingOutcome ChangeItem(IntakeSchedule& target, const IntakeRules& rules,
                           const IncomingItem& item, const BridgeFrame& frame, Messages& msg) {
  Schedule& s = target.engine().schedule();
  const uint32_t id = frame.itemID != 0 ? frame.itemID : item.itemID;
  const DayNumber date = frame.occurrenceDate != kNoDate ? frame.occurrenceDate : item.date;
  const ActHandle h = FindItem(s, id, item.title, date);
  if (h == kNoAct) return NotFound(msg, id, item.title, date, rules.dateText);

  ItemEditRequest open;
  open.command = kCmdModifyItem;
  open.item = h;
  // One occurrence of a recurring item when the calendar names its date; the whole item else.
  if ((s.ActFlags(h) & AF_BETA) && frame.occurrenceDate != kNoDate) {
    open.task = OccurrenceTask(s, h, frame.occurrenceDate);
    if (open.task == nullptr) return NotFound(msg, id, item.title, date, rules.dateText);
  }
  std::optional<ItemEditSession> ses = OpenItemEdit(target.engine(), &target.recurrences(), open);
  if (!ses) return RefusedRecord(msg, kItemNotChanged);
  ItemDraft& d = ses->draft;
  const bool wholeSeries = ses->modifyEveryInstance;
  if (item.appointment) {
    FillAppointment(item, d, !wholeSeries);
  } else {
    FillTask(item, d, !wholeSeries);
  }
  FillCommon(s, rules, item, d);
  if (wholeSeries && item.recurrence && d.recurrence &&
      !SameRule(*d.recurrence, RuleOf(*item.recurrence, *d.recurrence))) {
    if (!SetRecurring(*ses, &target.recurrences(), RuleOf(*item.recurrence, *d.recurrence), msg))
      return RefusedRecord(msg, kItemNotChanged);
  }
  const bool hadNote = (s.ActFlags(h) & AF_HAS_NOTE) != 0;
  const ActHandle changed = Confirm(target, *ses);
  if (changed == kNoAct) return RefusedRecord(msg, kItemNotChanged);
  // The calendar's note replaces the item's; an item without either keeps no note file.
  Finish(target, changed, item, !item.note.empty() || hadNote);
  return {Kind::kChanged, changed, s.GetActID(changed), {}, {}};
}

IncomingOutcome DoneOrUndone(IntakeSchedule& target, const IntakeRules& rules,
                             const BridgeFrame& frame, Messages& msg) {
  const std::string_view record = Trimmed(frame.record);
  const size_t tab = record.find(kFieldEnd);
  const std::string_view word = record.substr(0, tab);
  if (tab == std::string_view::npos || (word != kWordDone && word != kWordUndone))
    return RefusedRecord(msg, kDoneRecordUnread);
  const bool done = word == kWordDone;
  const std::string title = TitleOf(record.substr(tab + 1));
  Schedule& s = target.engine().schedule();
  const ActHandle h = FindItem(s, frame.itemID, title, frame.occurrenceDate);
  if (h == kNoAct) return NotFound(msg, frame.itemID, title, frame.occurrenceDate, rules.dateText);

  Engine& engine = target.engine();
  if (s.ActFlags(h) & AF_BETA) {
    // An occurrence is done on its day; the whole recurring item never is.
    TaskNode* task = OccurrenceTask(s, h, frame.occurrenceDate);
    if (task == nullptr)
      return NotFound(msg, frame.itemID, title, frame.occurrenceDate, rules.dateText);
    const bool isDone = (s.ActFlags(task->act) & AF_DONE) != 0;
    if (isDone == done) return {Kind::kNothing, task->act, 0, {}, {}};
    const bool marked = done ? MarkTaskDone(engine, task) : MarkItemUndone(engine, task->act);
    return {marked ? Kind::kChanged : Kind::kNothing, h, 0, {}, {}};
  }
  const bool isDone = (s.ActFlags(h) & AF_DONE) != 0;
  if (isDone == done) return {Kind::kNothing, h, 0, {}, {}};
  const bool marked = done ? MarkItemDone(engine, h) : MarkItemUndone(engine, h);
  return {marked ? Kind::kChanged : Kind::kNothing, h, 0, {}, {}};
}

IncomingOutcome Delete(IntakeSchedule& target, const IntakeRules& rules, const BridgeFrame& frame,
                       Messages& msg) {
  const std::string title = TitleOf(Trimmed(frame.record));
  Schedule& s = target.engine().schedule();
  const bool oneOccurrence = frame.code == BridgeCode::kCalendarDelete2;
  // A whole item is found on any of its days; an occurrence on its own.
  const DayNumber date = oneOccurrence ? frame.occurrenceDate : kNoDate;
  const ActHandle h = FindItem(s, frame.itemID, title, date);
  if (h == kNoAct) {
    // Deleted here too already: nothing is left to do.
    if (frame.itemID != 0 && !oneOccurrence) return {Kind::kNothing, kNoAct, 0, {}, {}};
    return NotFound(msg, frame.itemID, title, date, rules.dateText);
  }
  Recurrences& r = target.recurrences();
  if (!oneOccurrence) {
    DeleteChosenItem(r, target.undelete(), h, nullptr, DeleteScope::kAllRecurrences);
    return {Kind::kChanged, h, 0, {}, {}};
  }
  const ActHandle definition = RecurringItemOf(s, h);
  if (definition == kNoAct) return RefusedRecord(msg, kNotRecurring);
  TaskNode* task = OccurrenceTask(s, definition, frame.occurrenceDate);
  if (task == nullptr) return {Kind::kNothing, definition, 0, {}, {}};
  DeleteChosenItem(r, target.undelete(), task->act, task, DeleteScope::kChosen);
  return {Kind::kChanged, definition, 0, {}, {}};
}

}  // namespace

IncomingOutcome ApplyIncomingFrame(IntakeSchedule& target, const IntakeRules& rules,
                                   const BridgeFrame& frame, Messages& msg) {
  if (frame.record.size() > kMaxIncomingRecord) {
    return RefusedRecord(msg,
                         "the record is " + std::to_string(frame.record.size()) + " bytes long");
  }
  switch (frame.code) {
    case BridgeCode::kKeptText:
      return {Kind::kNotice, kNoAct, 0, {}, std::string(Trimmed(frame.record))};
    case BridgeCode::kPasswordWanted:
      return {Kind::kPasswordWanted, kNoAct, 0, {}, frame.record};
    case BridgeCode::kTask:
    case BridgeCode::kAppointment:
    case BridgeCode::kCalendarChange1:
    case BridgeCode::kCalendarChange2: {
      const bool appointment =
          frame.code == BridgeCode::kAppointment || frame.code == BridgeCode::kCalendarChange2;
      const bool isNew = frame.code == BridgeCode::kTask || frame.code == BridgeCode::kAppointment;
      const IncomingParse parse = ParseIncomingRecord(
          appointment ? BridgeCode::kAppointment : BridgeCode::kTask, frame.record, rules.dateText);
      if (!parse.item) return RefusedRecord(msg, parse.refusal);
      if (SubjectRefused(parse.item->title)) {
        return Refused(msg, kNoPlovenRefusedLead + parse.item->title + "\"" + kNoPlovenRefused);
      }
      if (!KindAllowed(rules, appointment))
        return Skipped(msg, appointment ? "an appointment" : "a task");
      return isNew ? AddItem(target, rules, *parse.item, msg)
                   : ChangeItem(target, rules, *parse.item, frame, msg);
    }
    case BridgeCode::kCalendarChange3:
      return DoneOrUndone(target, rules, frame, msg);
    case BridgeCode::kCalendarDelete1:
    case BridgeCode::kCalendarDeleteAppointment:
    case BridgeCode::kCalendarDelete2:
      return Delete(target, rules, frame, msg);
    default:
      break;
  }
  return RefusedRecord(msg, kUnknownCode + std::to_string(CodeValue(frame.code)));
}

}  // namespace ploven
