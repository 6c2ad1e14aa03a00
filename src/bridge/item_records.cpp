#include "bridge/item_records.h"

#include "alarm/alarm_due.h"
#include "bridge/record_text.h"
#include "bridge/recurrence_block.h"
#include "store/projects.h"

namespace ploven {

namespace {

// A TAB inside a free text would move every later field of the record; it travels as a blank.
std::string FieldText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == kFieldEnd) c = ' ';
  }
  return out;
}

std::string TitleField(std::string_view title) { return FieldText(RecordTitle(title)); }

std::string LabelName(const Act& a, const RecordContext& context) {
  if (a.label < context.labelNames.size()) return FieldText(context.labelNames[a.label]);
  return {};
}

// The label table's text for an item without a label.
std::string DefaultLabelName(const RecordContext& context) {
  return context.labelNames.empty() ? std::string() : FieldText(context.labelNames.front());
}

// The note's text, or a single blank when the item has none.
std::string NoteField(const Act& a, const RecordContext& context) {
  std::string text;
  if (a.Has(AF_HAS_NOTE) && a.noteNumber != 0 && context.noteText) {
    text = context.noteText(a.noteNumber);
  }
  return text.empty() ? std::string(" ") : FieldText(text);
}

std::string ProjectField(const Schedule& s, const Act& a) {
  std::string name;
  ProjectName(s, a.projectID, name);
  return FieldText(name);
}

std::string AlarmOffsetField(const Act& a) {
  return std::to_string(a.alarmHours) + ":" + std::to_string(a.alarmMinutes) + ":";
}

std::string TimeOrNotAdded(TimeOfDay time, const DateText& text) {
  return time == kNoTime ? std::string(kWordNotAdded) : FormatTime(time, text);
}

bool PrivateTitle(std::string_view title) { return !title.empty() && title.front() == '!'; }

std::optional<BridgeRecord> FormRecord(Schedule& s, const Occurrence& o,
                                       const RecordContext& context) {
  switch (ChooseForm(s.ReadAct(o.item))) {
    case RecordForm::kTask:
      return BridgeRecord{BridgeCode::kTask, TaskFormRecord(s, o, context)};
    case RecordForm::kAppointment:
      return BridgeRecord{BridgeCode::kAppointment, AppointmentFormRecord(s, o, context)};
    case RecordForm::kNone:
      break;
  }
  return std::nullopt;
}

}  // namespace

Occurrence OccurrenceOf(Schedule& s, ActHandle item) {
  Occurrence o{item, s.GetActDate(item), s.GetActStart(item)};
  // A recurring item's definition is on no day of its own: its date is the rule's.
  if (s.ReadAct(item).Has(AF_BETA)) return o;
  if (TaskNode* task = s.ActTask(item)) {
    o.date = s.FindTaskDay(task);
    o.scheduledStart = task->StartTime();
  }
  return o;
}

RecordForm ChooseForm(const Act& item) {
  const bool hasStart = item.startTime != kNoTime;
  if (item.Has(AF_FIXED)) return hasStart ? RecordForm::kAppointment : RecordForm::kNone;
  if (item.duration != 0) return RecordForm::kTask;
  return hasStart ? RecordForm::kAppointment : RecordForm::kTask;
}

std::string TaskFormRecord(Schedule& s, const Occurrence& o, const RecordContext& context) {
  const Act a = s.ReadAct(o.item);
  const std::string& title = s.GetActNameFull(o.item);
  const DateText& dt = context.dateText;
  const bool done = a.Has(AF_DONE);
  const std::string notDoneYet = kWordNotDoneYet;

  RecordWriter w;
  w.Field(TitleField(title)).Field(DayMonthYear(o.date));
  if (done) {
    w.Field(kWordNotDone);
  } else {
    w.Field(DayMonthYear(a.deadlineDate) + "*" + TimeOrNotAdded(a.earliestDateTime, dt) + "*" +
            TimeOrNotAdded(a.deadlineTime, dt));
  }
  w.Field(TrueFalse(a.Has(AF_ALARM) && a.deadlineDate != kNoDate));
  w.Field(FormatDate(a.deadlineDate != kNoDate ? a.deadlineDate : o.date, dt));
  w.Field(AlarmOffsetField(a));
  w.Field(done ? DayMonthYear(o.date) : notDoneYet);
  w.Field(done ? "1.000" : "0.000");
  w.Field(a.duration);
  w.Field(done ? std::to_string(a.duration) : notDoneYet);
  w.Field(kWordBlank);
  w.Field(a.label != 0 && a.label < context.labelNames.size() ? LabelName(a, context)
                                                              : DefaultLabelName(context));
  w.Field(kWordBlank).Field(FieldText(context.userName)).Field(kWordBlank);
  w.Field(NoteField(a, context));
  w.Field("Normal").Field(TrueFalse(PrivateTitle(title)));
  w.Field(ProjectField(s, a));
  w.Field("normal").Field(kWordBlank).Field(kWordBlank);
  w.Field(s.GetActID(o.item));
  w.Raw(RecurrenceBlockOf(s, o.item));
  return w.End().Take();
}

std::string AppointmentFormRecord(Schedule& s, const Occurrence& o, const RecordContext& context) {
  const Act a = s.ReadAct(o.item);
  const std::string& title = s.GetActNameFull(o.item);
  const DateText& dt = context.dateText;

  RecordWriter w;
  w.Field(TitleField(title)).Field(DayMonthYear(o.date)).Field(FormatTime(o.scheduledStart, dt));
  if (a.Has(AF_DONE)) {
    w.Field(kWordNotDone);
  } else {
    w.Field(DayMonthYear(a.deadlineDate) + "*" + FormatTime(a.earliestDateTime, dt) + "*" +
            FormatTime(a.deadlineTime, dt));
  }
  w.Field(FormatTime(static_cast<TimeOfDay>(o.scheduledStart + a.duration), dt));
  w.Field(kWordFalse).Field(TrueFalse(a.Has(AF_ALARM)));
  w.Field(FormatDate(o.date, dt));
  w.Field(AlarmOffsetField(a));
  w.Field(FieldText(context.userName)).EmptyField().EmptyField();
  w.Field(a.label != 0 ? LabelName(a, context) : std::string());
  w.Field(NoteField(a, context));
  w.Field(ProjectField(s, a));
  w.EmptyField().Field("normal").Field(TrueFalse(PrivateTitle(title))).EmptyField();
  w.Field("2").Field(a.duration);
  w.Field(s.GetActID(o.item));
  w.Raw(RecurrenceBlockOf(s, o.item));
  return w.End().Take();
}

std::optional<BridgeRecord> NewItemRecord(Schedule& s, const Occurrence& o,
                                          const RecordContext& context) {
  return FormRecord(s, o, context);
}

std::optional<BridgeRecord> ChangedItemRecord(Schedule& s, std::string_view oldTitle,
                                              const Occurrence& o, const RecordContext& context) {
  std::optional<BridgeRecord> record = FormRecord(s, o, context);
  if (record) record->text = RecordWriter().Field(TitleField(oldTitle)).Take() + record->text;
  return record;
}

std::optional<BridgeRecord> DeletedItemRecord(const Act& item, std::string_view title) {
  BridgeCode code = BridgeCode::kUntimed;
  if (item.startTime != kNoTime) {
    code = BridgeCode::kAppointment;
  } else if (item.Has(AF_FIXED)) {
    return std::nullopt;
  } else if (item.duration != 0) {
    code = BridgeCode::kTask;
  }
  return BridgeRecord{code, TitleField(title)};
}

BridgeRecord DoneItemRecord(const Act& item, std::string_view title, bool done) {
  const bool appointment =
      item.startTime != kNoTime && (item.Has(AF_FIXED) || IsMemoKind(item.typeFlags));
  RecordWriter w;
  w.Field(done ? kWordDone : kWordUndone).Field(TitleField(title));
  return {appointment ? BridgeCode::kAppointment : BridgeCode::kTask, w.Take()};
}

BridgeRecord IdEchoRecord(std::string_view subject, uint32_t itemID) {
  return {BridgeCode::kIdEcho, std::string(subject) + "*" + std::to_string(itemID) + "*"};
}

}  // namespace ploven
