#include "plugin/record_fields.h"

#include <QList>

namespace ploven::calendar {

namespace {

constexpr char kFieldEnd = '\t';
constexpr char kRecordEnd = '\n';
constexpr char kBlankTitle[] = "blankone8746589987458745";
constexpr char kNotDone[] = "not done";
constexpr char kNotAdded[] = "not added";
constexpr char kNotDoneYet[] = "not Done";
constexpr char kBlank[] = "blank";
constexpr char kNone[] = "nono";
constexpr char kNoEndDate[] = "NoEndDate";
constexpr char kNotRecurring[] = "norecurring";

// Fields before the recurrence block, and the block's own.
constexpr qsizetype kTaskFields = 23;
constexpr qsizetype kAppointmentFields = 22;
constexpr qsizetype kRecurrenceFields = 15;

// Ploven's first day: day 1 is 1 January 1980.
const QDate kDayZero(1979, 12, 31);

// Every field ends with its TAB and the record with an LF; a note may hold line breaks of its
// own, so only the last LF ends the record.
QList<QByteArray> SplitFields(QByteArray record) {
  if (record.endsWith(kRecordEnd)) record.chop(1);
  QList<QByteArray> fields = record.split(kFieldEnd);
  if (!fields.isEmpty() && fields.back().isEmpty()) fields.removeLast();
  return fields;
}

QString Text(const QByteArray& field) { return QString::fromUtf8(field); }

// A free text inside a record: a TAB would move every later field.
QByteArray FieldText(const QString& text) {
  QByteArray out = text.toUtf8();
  out.replace(kFieldEnd, ' ');
  return out;
}

QString TitleOf(const QByteArray& field) { return field == kBlankTitle ? QString() : Text(field); }

bool ReadNumber(const QByteArray& text, long long low, long long high, long long& out) {
  bool ok = false;
  out = text.toLongLong(&ok);
  return ok && out >= low && out <= high;
}

struct Reader {
  QString error;
  bool Fail(const QString& why) {
    if (error.isEmpty()) error = why;
    return false;
  }
  QDate Date(const QByteArray& text, const char* what) {
    if (text.isEmpty()) return {};
    const QDate d = ParseDayMonthYear(text);
    if (!d.isValid()) Fail(QStringLiteral("%1 \"%2\" is not a date").arg(what, Text(text)));
    return d;
  }
  int Time(const QByteArray& text, const char* what) {
    if (text.isEmpty() || text == kNotAdded) return kNoMinutes;
    const int t = ParseClockTime(text);
    if (t == kNoMinutes) Fail(QStringLiteral("%1 \"%2\" is not a time").arg(what, Text(text)));
    return t;
  }
  bool Flag(const QByteArray& text, const char* what) {
    if (text == "True") return true;
    if (text != "False")
      Fail(QStringLiteral("%1 \"%2\" is neither True nor False").arg(what, Text(text)));
    return false;
  }
  long long Number(const QByteArray& text, long long low, long long high, const char* what) {
    long long value = 0;
    if (!ReadNumber(text, low, high, value)) {
      Fail(QStringLiteral("%1 \"%2\" is not a number in range").arg(what, Text(text)));
    }
    return value;
  }
  // "not done", or "date*time*time".
  void Deadline(const QByteArray& text, ItemFields& item) {
    if (text == kNotDone) {
      item.done = true;
      return;
    }
    const QList<QByteArray> parts = text.split('*');
    if (parts.size() != 3) {
      Fail(QStringLiteral("the deadline \"%1\" does not read").arg(Text(text)));
      return;
    }
    item.deadlineDate = Date(parts[0], "the deadline date");
    item.earliest = Time(parts[1], "the earliest time");
    item.deadlineTime = Time(parts[2], "the deadline time");
  }
  // "h:m:" with signed numbers.
  void AlarmOffset(const QByteArray& text, ItemFields& item) {
    const QList<QByteArray> parts = text.split(':');
    if (parts.size() != 3 || !parts[2].isEmpty()) {
      Fail(QStringLiteral("the alarm offset \"%1\" does not read").arg(Text(text)));
      return;
    }
    item.alarmHours = static_cast<int>(Number(parts[0], -128, 127, "the alarm hours"));
    item.alarmMinutes = static_cast<int>(Number(parts[1], -32768, 32767, "the alarm minutes"));
  }
  std::optional<RecurrenceRule> Recurrence(const QList<QByteArray>& f, qsizetype at) {
    const qsizetype left = f.size() - at;
    if (left == 1 && f[at] == kNotRecurring) return std::nullopt;
    if (left != kRecurrenceFields) {
      Fail(QStringLiteral("the recurrence has %1 fields").arg(left));
      return std::nullopt;
    }
    RecurrenceRule r;
    r.frequencyCode = static_cast<int>(Number(f[at], 0, 255, "the frequency"));
    r.dayBits =
        f[at + 2] == kNone ? 0 : static_cast<uint8_t>(Number(f[at + 2], 0, 255, "the weekdays"));
    r.dateBits = f[at + 6] == kNone
                     ? 0
                     : static_cast<uint32_t>(Number(f[at + 6], 0, UINT32_MAX, "the dates"));
    r.interval = static_cast<int>(Number(f[at + 7], 1, 999, "the interval"));
    if (f[at + 10] != kNoEndDate) r.end = Date(f[at + 10], "the End Date");
    r.start = Date(f[at + 11], "the Start Date");
    if (!r.start.isValid()) Fail(QStringLiteral("the recurrence has no Start Date"));
    return r;
  }
};

QString NoteOf(const QByteArray& field) { return field == " " ? QString() : Text(field); }

Parsed<ItemFields> ReadItem(const QList<QByteArray>& f, bool appointment) {
  const qsizetype before = appointment ? kAppointmentFields : kTaskFields;
  if (f.size() != before + 1 && f.size() != before + kRecurrenceFields) {
    return {std::nullopt, QStringLiteral("the record has %1 fields").arg(f.size())};
  }
  Reader r;
  ItemFields item;
  item.appointment = appointment;
  item.title = TitleOf(f[0]);
  item.date = r.Date(f[1], "the date");
  if (!item.date.isValid()) r.Fail(QStringLiteral("the record has no date"));
  if (appointment) {
    item.start = r.Time(f[2], "the start");
    if (item.start == kNoMinutes) r.Fail(QStringLiteral("the appointment has no start"));
    r.Deadline(f[3], item);
    item.alarm = r.Flag(f[6], "the reminder switch");
    r.AlarmOffset(f[8], item);
    item.label = Text(f[12]);
    item.note = NoteOf(f[13]);
    item.project = Text(f[14]);
    item.duration = static_cast<int>(r.Number(f[20], 0, 30000, "the duration"));
    item.itemID = static_cast<uint32_t>(r.Number(f[21], 0, UINT32_MAX, "the item number"));
  } else {
    r.Deadline(f[2], item);
    item.alarm = r.Flag(f[3], "the reminder switch");
    r.AlarmOffset(f[5], item);
    item.duration = static_cast<int>(r.Number(f[8], 0, 30000, "the duration"));
    item.label = Text(f[11]);
    item.note = NoteOf(f[15]);
    item.importance = Text(f[16]);
    item.project = Text(f[18]);
    item.itemID = static_cast<uint32_t>(r.Number(f[22], 0, UINT32_MAX, "the item number"));
  }
  item.recurrence = r.Recurrence(f, before);
  if (!r.error.isEmpty()) return {std::nullopt, r.error};
  return {item, {}};
}

// Hours and minutes of a 24-hour or am/pm time.
int ClockMinutes(int hours, int minutes, int pmShift) {
  if (pmShift >= 0) {
    if (hours < 1 || hours > 12) return kNoMinutes;
    hours = hours % 12 + pmShift;
  } else if (hours > 23) {
    return kNoMinutes;
  }
  if (minutes > 59) return kNoMinutes;
  return hours * 60 + minutes;
}

void Append(QByteArray& out, const QByteArray& field) {
  out.append(field);
  out.append(kFieldEnd);
}

QByteArray NumberOrNone(long long value) {
  return value == 0 ? QByteArray(kNone) : QByteArray::number(value);
}

QByteArray RecurrenceBlock(const std::optional<RecurrenceRule>& rule) {
  QByteArray out;
  if (!rule) {
    Append(out, kNotRecurring);
    return out;
  }
  Append(out, QByteArray::number(rule->frequencyCode));
  Append(out, kNone);
  Append(out, NumberOrNone(rule->dayBits));
  Append(out, kNone);
  Append(out, kNone);
  Append(out, kNone);
  Append(out, NumberOrNone(rule->dateBits));
  Append(out, QByteArray::number(rule->interval));
  Append(out, kNone);
  if (rule->end.isValid()) {
    Append(out, QByteArray::number(DayNumberOf(rule->end)));
    Append(out, DayMonthYearText(rule->end));
  } else {
    Append(out, kNone);
    Append(out, kNoEndDate);
  }
  Append(out, DayMonthYearText(rule->start));
  Append(out, {});
  Append(out, kNone);
  Append(out, kNone);
  return out;
}

QByteArray TimeOrNotAdded(int minutes) {
  return minutes == kNoMinutes ? QByteArray(kNotAdded) : ClockText(minutes);
}

QByteArray AlarmOffsetText(const ItemFields& item) {
  return QByteArray::number(item.alarmHours) + ':' + QByteArray::number(item.alarmMinutes) + ':';
}

QByteArray NoteText(const QString& note) {
  return note.isEmpty() ? QByteArray(" ") : FieldText(note);
}

QByteArray TaskForm(const ItemFields& item) {
  QByteArray out;
  const QByteArray duration = QByteArray::number(item.duration);
  Append(out, TitleText(item.title));
  Append(out, DayMonthYearText(item.date));
  if (item.done) {
    Append(out, kNotDone);
  } else {
    Append(out, DayMonthYearText(item.deadlineDate) + '*' + TimeOrNotAdded(item.earliest) + '*' +
                    TimeOrNotAdded(item.deadlineTime));
  }
  Append(out, item.alarm && item.deadlineDate.isValid() ? "True" : "False");
  Append(out, DayMonthYearText(item.deadlineDate.isValid() ? item.deadlineDate : item.date));
  Append(out, AlarmOffsetText(item));
  Append(out, item.done ? DayMonthYearText(item.date) : QByteArray(kNotDoneYet));
  Append(out, item.done ? "1.000" : "0.000");
  Append(out, duration);
  Append(out, item.done ? duration : QByteArray(kNotDoneYet));
  Append(out, kBlank);
  Append(out, FieldText(item.label));
  Append(out, kBlank);
  Append(out, {});  // the user's name: the main program knows it
  Append(out, kBlank);
  Append(out, NoteText(item.note));
  Append(out, FieldText(item.importance.isEmpty() ? QStringLiteral("Normal") : item.importance));
  Append(out, item.PrivateTitle() ? "True" : "False");
  Append(out, FieldText(item.project));
  Append(out, "normal");
  Append(out, kBlank);
  Append(out, kBlank);
  Append(out, QByteArray::number(item.itemID));
  return out;
}

QByteArray AppointmentForm(const ItemFields& item) {
  QByteArray out;
  Append(out, TitleText(item.title));
  Append(out, DayMonthYearText(item.date));
  Append(out, ClockText(item.start));
  if (item.done) {
    Append(out, kNotDone);
  } else {
    Append(out, DayMonthYearText(item.deadlineDate) + '*' + ClockText(item.earliest) + '*' +
                    ClockText(item.deadlineTime));
  }
  Append(out, ClockText((item.start + item.duration) % (24 * 60)));
  Append(out, "False");
  Append(out, item.alarm ? "True" : "False");
  Append(out, DayMonthYearText(item.date));
  Append(out, AlarmOffsetText(item));
  Append(out, {});  // the user's name
  Append(out, {});
  Append(out, {});
  Append(out, FieldText(item.label));
  Append(out, NoteText(item.note));
  Append(out, FieldText(item.project));
  Append(out, {});
  Append(out, "normal");
  Append(out, item.PrivateTitle() ? "True" : "False");
  Append(out, {});
  Append(out, "2");
  Append(out, QByteArray::number(item.duration));
  Append(out, QByteArray::number(item.itemID));
  return out;
}

}  // namespace

Parsed<ItemFields> ParseItemRecord(const QByteArray& record, bool appointment) {
  return ReadItem(SplitFields(record), appointment);
}

Parsed<ChangeFields> ParseChangeRecord(const QByteArray& record, bool appointment) {
  QList<QByteArray> fields = SplitFields(record);
  if (fields.isEmpty()) return {std::nullopt, QStringLiteral("the change record is empty")};
  ChangeFields change;
  change.oldTitle = TitleOf(fields.takeFirst());
  Parsed<ItemFields> item = ReadItem(fields, appointment);
  if (!item) return {std::nullopt, item.error};
  change.item = *item.value;
  return {change, {}};
}

Parsed<DoneFields> ParseDoneRecord(const QByteArray& record) {
  const QList<QByteArray> fields = SplitFields(record);
  if (fields.size() != 2 || (fields[0] != "Done" && fields[0] != "UnDone")) {
    return {std::nullopt, QStringLiteral("the done record does not read")};
  }
  return {DoneFields{fields[0] == "Done", TitleOf(fields[1])}, {}};
}

Parsed<IdEcho> ParseIdEchoRecord(const QByteArray& record) {
  // The subject may hold a '*' of its own: the number is between the last two.
  QByteArray text = record;
  if (text.endsWith(kRecordEnd)) text.chop(1);
  if (!text.endsWith('*')) return {std::nullopt, QStringLiteral("the ID echo does not end with *")};
  const qsizetype star = text.lastIndexOf('*', text.size() - 2);
  long long id = 0;
  if (star < 0 || !ReadNumber(text.mid(star + 1, text.size() - star - 2), 1, UINT32_MAX, id)) {
    return {std::nullopt, QStringLiteral("the ID echo holds no item number")};
  }
  return {IdEcho{Text(text.left(star)), static_cast<uint32_t>(id)}, {}};
}

QString ParseDeleteRecord(const QByteArray& record) {
  QByteArray text = record;
  if (text.endsWith(kRecordEnd)) text.chop(1);
  if (text.endsWith(kFieldEnd)) text.chop(1);
  return TitleOf(text);
}

int ParseClockTime(const QByteArray& text) {
  QByteArray clock = text.trimmed();
  int pmShift = -1;
  const QByteArray lower = clock.toLower();
  if (lower.endsWith("am") || lower.endsWith("pm")) {
    pmShift = lower.endsWith("pm") ? 12 : 0;
    clock = clock.left(clock.size() - 2).trimmed();
  }
  // Hours, one separator of any kind (':' or the regional one), two digits of minutes.
  if (clock.size() < 4 || clock.size() > 5) return kNoMinutes;
  const qsizetype sep = clock.size() - 3;
  const char mark = clock[sep];
  if (mark >= '0' && mark <= '9') return kNoMinutes;
  long long hours = 0;
  long long minutes = 0;
  if (!ReadNumber(clock.left(sep), 0, 23, hours) || clock.mid(sep + 1).size() != 2 ||
      !ReadNumber(clock.mid(sep + 1), 0, 59, minutes)) {
    return kNoMinutes;
  }
  for (char c : clock.left(sep)) {
    if (c < '0' || c > '9') return kNoMinutes;
  }
  return ClockMinutes(static_cast<int>(hours), static_cast<int>(minutes), pmShift);
}

QDate ParseDayMonthYear(const QByteArray& text) {
  const QList<QByteArray> parts = text.split('/');
  long long day = 0;
  long long month = 0;
  long long year = 0;
  if (parts.size() != 3 || !ReadNumber(parts[0], 1, 31, day) ||
      !ReadNumber(parts[1], 1, 12, month) || !ReadNumber(parts[2], 1980, 2099, year)) {
    return {};
  }
  return QDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
}

QByteArray DayMonthYearText(const QDate& date) {
  if (!date.isValid()) return {};
  return QByteArray::number(date.day()) + '/' + QByteArray::number(date.month()) + '/' +
         QByteArray::number(date.year());
}

QByteArray ClockText(int minutes) {
  if (minutes < 0) return {};
  return QByteArray::number(minutes / 60) + ':' +
         QByteArray::number(minutes % 60).rightJustified(2, '0');
}

QDate DateOfDayNumber(int day) { return day <= 0 ? QDate() : kDayZero.addDays(day); }

int DayNumberOf(const QDate& date) {
  return date.isValid() ? static_cast<int>(kDayZero.daysTo(date)) : 0;
}

QByteArray ComposeItemRecord(const ItemFields& item) {
  QByteArray out = item.appointment ? AppointmentForm(item) : TaskForm(item);
  out.append(RecurrenceBlock(item.recurrence));
  out.append(kRecordEnd);
  return out;
}

QByteArray ComposeDoneRecord(bool done, const QString& title) {
  QByteArray out;
  Append(out, done ? "Done" : "UnDone");
  Append(out, TitleText(title));
  return out;
}

QByteArray TitleText(const QString& title) {
  return title.isEmpty() ? QByteArray(kBlankTitle) : FieldText(title);
}

}  // namespace ploven::calendar
