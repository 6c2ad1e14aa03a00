// The one place that speaks iCalendar: records onto VEVENT and VTODO and back.
#include "plugin/ical_mapping.h"

#include <libical/ical.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QTimeZone>
#include <cstdlib>
#include <memory>

#include "plugin/recurrence_dates.h"

namespace ploven::calendar {

namespace {

constexpr char kProductId[] = "-//Ploven//ploven-calendar//EN";
// Ploven's own properties.
constexpr char kXId[] = "X-PLOVEN-ID";
constexpr char kXOrigin[] = "X-PLOVEN-ORIGIN";  // whose item number X-PLOVEN-ID is
constexpr char kXEstimate[] = "X-PLOVEN-ESTIMATE";  // a to-do's duration, minutes
constexpr char kXProject[] = "X-PLOVEN-PROJECT";
constexpr char kXLabel[] = "X-PLOVEN-LABEL";
constexpr char kXDeadline[] = "X-PLOVEN-DEADLINE";  // an appointment's deadline, as recorded
constexpr char kXEarliest[] = "X-PLOVEN-EARLIEST";  // a to-do's earliest time
constexpr char kXRule[] = "X-PLOVEN-RULE";          // the recurrence as recorded
constexpr char kXDone[] = "X-PLOVEN-DONE";          // an event marked done
constexpr char kXAlarm[] = "X-PLOVEN-ALARM";        // marks the alarm Ploven owns
constexpr int kMaxDuration = 30000;
constexpr int kRuleDays = 366;  // the coming year of dates for rules a calendar cannot say

// Properties of the item that Ploven writes from a record; any other property is left alone.
constexpr icalproperty_kind kOwnedKinds[] = {
    ICAL_SUMMARY_PROPERTY,    ICAL_DTSTART_PROPERTY,
    ICAL_DTEND_PROPERTY,      ICAL_DUE_PROPERTY,
    ICAL_DURATION_PROPERTY,   ICAL_DESCRIPTION_PROPERTY,
    ICAL_CATEGORIES_PROPERTY, ICAL_PRIORITY_PROPERTY,
    ICAL_COMPLETED_PROPERTY,  ICAL_PERCENTCOMPLETE_PROPERTY,
    ICAL_RRULE_PROPERTY,      ICAL_RDATE_PROPERTY};

struct ComponentFree {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// libical splits "CATEGORIES:a,b" into one property per value when it reads a file; some readers
// of the folder take only one CATEGORIES property, so the values go back into one.
void JoinCategories(icalcomponent* c) {
  QList<icalproperty*> all;
  QByteArrayList values;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(c, ICAL_CATEGORIES_PROPERTY)) {
    all.append(p);
    values.append(QByteArray(icalproperty_get_categories(p)));
  }
  if (all.size() > 1) {
    for (icalproperty* p : all) {
      icalcomponent_remove_property(c, p);
      icalproperty_free(p);
    }
    icalcomponent_add_property(c, icalproperty_new_categories(values.join(',').constData()));
  }
  for (icalcomponent* inner = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT);
       inner != nullptr; inner = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
    JoinCategories(inner);
  }
}

QByteArray Serialize(icalcomponent* c) {
  JoinCategories(c);
  char* text = icalcomponent_as_ical_string_r(c);
  QByteArray out(text);
  std::free(text);
  return out;
}

QString Utf8(const char* text) { return text == nullptr ? QString() : QString::fromUtf8(text); }

// ---- Times ----------------------------------------------------------------------------------

// How local times are written: in the system's zone by its name with a VTIMEZONE, or in UTC
// when the system runs on UTC.
struct LocalZone {
  QTimeZone zone;
  QByteArray tzid;  // empty: write UTC
};

LocalZone SystemZone() {
  const QTimeZone zone = QTimeZone::systemTimeZone();
  const QDateTime now = QDateTime::currentDateTimeUtc();
  if (!zone.isValid() || (!zone.hasDaylightTime() && zone.offsetFromUtc(now) == 0)) {
    return {QTimeZone::utc(), {}};
  }
  return {zone, zone.id()};
}

// From the null time, not icaltime_null_date(): that one leaves the clock fields at -1, which
// libical's own recurrence expansion then counts with.
icaltimetype DateValue(const QDate& d) {
  icaltimetype t = icaltime_null_time();
  t.is_date = 1;
  t.year = d.year();
  t.month = d.month();
  t.day = d.day();
  return t;
}

icaltimetype FloatingValue(const QDate& d, int minutes) {
  icaltimetype t = icaltime_null_time();
  t.year = d.year();
  t.month = d.month();
  t.day = d.day();
  t.hour = minutes / 60;
  t.minute = minutes % 60;
  return t;
}

icaltimetype UtcValue(const QDateTime& moment) {
  return icaltime_from_timet_with_zone(moment.toSecsSinceEpoch(), 0,
                                       icaltimezone_get_utc_timezone());
}

// A local wall-clock moment as a property value, with its TZID parameter when there is one.
void SetLocalTime(icalproperty* p, const QDate& d, int minutes, const LocalZone& zone,
                  void (*set)(icalproperty*, icaltimetype)) {
  if (zone.tzid.isEmpty()) {
    const QDateTime local(d, QTime(minutes / 60, minutes % 60), zone.zone);
    set(p, UtcValue(local));
    return;
  }
  set(p, FloatingValue(d, minutes));
  icalproperty_add_parameter(p, icalparameter_new_tzid(zone.tzid.constData()));
}

icalproperty* LocalTimeProperty(icalproperty* (*make)(icaltimetype),
                                void (*set)(icalproperty*, icaltimetype), const QDate& d,
                                int minutes, const LocalZone& zone) {
  icalproperty* p = make(icaltime_null_time());
  SetLocalTime(p, d, minutes, zone, set);
  return p;
}

// The local date and time of a DATE-TIME value: UTC and named zones are converted, floating
// times are taken as local.
QDateTime LocalMoment(icalproperty* p, const icaltimetype& t) {
  const QDate d(t.year, t.month, t.day);
  const QTime time(t.hour, t.minute, t.second);
  if (icaltime_is_utc(t)) return QDateTime(d, time, QTimeZone::utc()).toLocalTime();
  icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
  if (tzid != nullptr) {
    QByteArray name(icalparameter_get_tzid(tzid));
    // Zones some programs name with a path prefix before the usual name.
    const qsizetype cut = name.indexOf("sourceforge.net/");
    if (cut >= 0) name = name.mid(cut + 16);
    const QTimeZone zone(name);
    if (zone.isValid()) return QDateTime(d, time, zone).toLocalTime();
    if (t.zone != nullptr) {
      const time_t secs = icaltime_as_timet_with_zone(t, t.zone);
      return QDateTime::fromSecsSinceEpoch(secs).toLocalTime();
    }
  }
  return QDateTime(d, time);
}

struct Moment {
  bool present = false;
  bool isDate = false;
  QDate date;
  int minutes = kNoMinutes;
};

Moment ReadMoment(icalcomponent* c, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(c, kind);
  if (p == nullptr) return {};
  const icaltimetype t = icalvalue_get_datetime(icalproperty_get_value(p));
  if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t)) return {};
  if (t.is_date) return {true, true, QDate(t.year, t.month, t.day), kNoMinutes};
  const QDateTime local = LocalMoment(p, t);
  return {true, false, local.date(), local.time().hour() * 60 + local.time().minute()};
}

// The VTIMEZONE of the system's zone: this year's two changes as yearly rules ("the last Sunday
// of March"), or one standard offset for a zone without daylight saving time.
QByteArray ZoneOffset(int seconds) {
  const char sign = seconds < 0 ? '-' : '+';
  seconds = std::abs(seconds);
  return sign + QByteArray::number(seconds / 3600).rightJustified(2, '0') +
         QByteArray::number(seconds / 60 % 60).rightJustified(2, '0');
}

QByteArray ZoneComponent(const LocalZone& zone) {
  static const char* const kDays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  QByteArray text = "BEGIN:VTIMEZONE\r\nTZID:" + zone.tzid + "\r\n";
  const int year = QDate::currentDate().year();
  const QDateTime from(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
  const QTimeZone::OffsetDataList changes = zone.zone.hasTransitions()
                                                ? zone.zone.transitions(from, from.addYears(1))
                                                : QTimeZone::OffsetDataList();
  if (changes.isEmpty()) {
    const QByteArray offset = ZoneOffset(zone.zone.offsetFromUtc(from));
    text += "BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:" + offset +
            "\r\nTZOFFSETTO:" + offset + "\r\nEND:STANDARD\r\n";
  }
  for (const QTimeZone::OffsetData& change : changes) {
    const int before = zone.zone.offsetFromUtc(change.atUtc.addSecs(-1));
    const QDateTime wall = change.atUtc.toOffsetFromUtc(before);
    const QDate d = wall.date();
    const int week = d.daysInMonth() - d.day() < 7 ? -1 : (d.day() + 6) / 7;
    const char* part = change.daylightTimeOffset > 0 ? "DAYLIGHT" : "STANDARD";
    text += QByteArray("BEGIN:") + part + "\r\nTZNAME:" + change.abbreviation.toUtf8() +
            "\r\nDTSTART:" + wall.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toUtf8() +
            "\r\nTZOFFSETFROM:" + ZoneOffset(before) +
            "\r\nTZOFFSETTO:" + ZoneOffset(change.offsetFromUtc) +
            "\r\nRRULE:FREQ=YEARLY;BYMONTH=" + QByteArray::number(d.month()) +
            ";BYDAY=" + QByteArray::number(week) + kDays[d.dayOfWeek() % 7] + "\r\nEND:" + part +
            "\r\n";
  }
  return text + "END:VTIMEZONE\r\n";
}

void EnsureZone(icalcomponent* calendar, const LocalZone& zone) {
  if (zone.tzid.isEmpty()) return;
  for (icalcomponent* z = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT);
       z != nullptr; z = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
    icalproperty* id = icalcomponent_get_first_property(z, ICAL_TZID_PROPERTY);
    if (id != nullptr && zone.tzid == icalproperty_get_tzid(id)) return;
  }
  icalcomponent* z = icalcomponent_new_from_string(ZoneComponent(zone).constData());
  if (z != nullptr) icalcomponent_add_component(calendar, z);
}

// ---- Properties -----------------------------------------------------------------------------

QString XValue(icalcomponent* c, const char* name) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
    if (qstricmp(icalproperty_get_x_name(p), name) == 0) return Utf8(icalproperty_get_x(p));
  }
  return {};
}

bool HasX(icalcomponent* c, const char* name) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
    if (qstricmp(icalproperty_get_x_name(p), name) == 0) return true;
  }
  return false;
}

void AddX(icalcomponent* c, const char* name, const QString& value) {
  icalproperty* p = icalproperty_new_x(value.toUtf8().constData());
  icalproperty_set_x_name(p, name);
  icalcomponent_add_property(c, p);
}

template <typename Keep>
void RemoveProperties(icalcomponent* c, icalproperty_kind kind, Keep keep) {
  QList<icalproperty*> gone;
  for (icalproperty* p = icalcomponent_get_first_property(c, kind); p != nullptr;
       p = icalcomponent_get_next_property(c, kind)) {
    if (!keep(p)) gone.append(p);
  }
  for (icalproperty* p : gone) {
    icalcomponent_remove_property(c, p);
    icalproperty_free(p);
  }
}

void RemoveAll(icalcomponent* c, icalproperty_kind kind) {
  RemoveProperties(c, kind, [](icalproperty*) { return false; });
}

bool IsPlovenX(icalproperty* p) {
  return qstrnicmp(icalproperty_get_x_name(p), "X-PLOVEN-", 9) == 0;
}

bool IsPlovenAlarm(icalcomponent* alarm) { return HasX(alarm, kXAlarm); }

QList<icalcomponent*> Alarms(icalcomponent* c) {
  QList<icalcomponent*> alarms;
  for (icalcomponent* a = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT); a != nullptr;
       a = icalcomponent_get_next_component(c, ICAL_VALARM_COMPONENT)) {
    alarms.append(a);
  }
  return alarms;
}

// The minutes before (negative) or after the start of a relative alarm trigger.
std::optional<int> TriggerMinutes(icalcomponent* alarm) {
  icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
  if (p == nullptr) return std::nullopt;
  const icaltriggertype trigger = icalproperty_get_trigger(p);
  if (!icaltime_is_null_time(trigger.time)) return std::nullopt;
  return icaldurationtype_as_int(trigger.duration) / 60;
}

void Touch(icalcomponent* c) {
  const icaltimetype now = UtcValue(QDateTime::currentDateTimeUtc());
  RemoveAll(c, ICAL_DTSTAMP_PROPERTY);
  RemoveAll(c, ICAL_LASTMODIFIED_PROPERTY);
  icalcomponent_add_property(c, icalproperty_new_dtstamp(now));
  icalcomponent_add_property(c, icalproperty_new_lastmodified(now));
  icalproperty* seq = icalcomponent_get_first_property(c, ICAL_SEQUENCE_PROPERTY);
  if (seq != nullptr) {
    icalproperty_set_sequence(seq, icalproperty_get_sequence(seq) + 1);
  }
}

int PriorityOf(const QString& importance) {
  if (importance.compare(QLatin1String("High"), Qt::CaseInsensitive) == 0) return 1;
  if (importance.compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0) return 9;
  return 5;
}

QString ImportanceOf(int priority) {
  if (priority >= 1 && priority <= 4) return QStringLiteral("High");
  if (priority >= 6) return QStringLiteral("Low");
  return QStringLiteral("Normal");
}

QString RecordedRuleText(const RecurrenceRule& r) {
  return QStringLiteral("%1,%2,%3,%4,%5,%6")
      .arg(r.frequencyCode)
      .arg(r.dayBits)
      .arg(r.dateBits)
      .arg(r.interval)
      .arg(QString::fromLatin1(DayMonthYearText(r.start)),
           QString::fromLatin1(DayMonthYearText(r.end)));
}

std::optional<RecurrenceRule> RuleOfText(const QString& text) {
  const QStringList f = text.split(QLatin1Char(','));
  if (f.size() != 6) return std::nullopt;
  RecurrenceRule r;
  r.frequencyCode = f[0].toInt();
  r.dayBits = static_cast<uint8_t>(f[1].toUInt());
  r.dateBits = f[2].toUInt();
  r.interval = std::max(1, f[3].toInt());
  r.start = ParseDayMonthYear(f[4].toLatin1());
  r.end = ParseDayMonthYear(f[5].toLatin1());
  if (!r.start.isValid()) return std::nullopt;
  return r;
}

// ---- The item -------------------------------------------------------------------------------

// The first VEVENT or VTODO of a calendar.
icalcomponent* ItemComponent(icalcomponent* calendar) {
  for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT);
       c != nullptr; c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
    const icalcomponent_kind kind = icalcomponent_isa(c);
    if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VTODO_COMPONENT) return c;
  }
  return nullptr;
}

Parsed<Component> ParseCalendar(const QByteArray& text) {
  Component calendar(icalcomponent_new_from_string(text.constData()));
  if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT) {
    return {std::nullopt, QStringLiteral("not an iCalendar file")};
  }
  if (ItemComponent(calendar.get()) == nullptr) {
    return {std::nullopt, QStringLiteral("the file holds no event or to-do")};
  }
  return {std::move(calendar), {}};
}

Component NewCalendar() {
  Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
  return calendar;
}

// The component the item goes in: the existing one when its kind fits, else a new one of the
// right kind that takes over every property and alarm Ploven does not own.
icalcomponent* ComponentFor(icalcomponent* calendar, bool todo, const QString& uid) {
  const icalcomponent_kind kind = todo ? ICAL_VTODO_COMPONENT : ICAL_VEVENT_COMPONENT;
  icalcomponent* old = ItemComponent(calendar);
  if (old != nullptr && icalcomponent_isa(old) == kind) return old;
  icalcomponent* c = icalcomponent_new(kind);
  if (old != nullptr) {
    for (icalproperty* p = icalcomponent_get_first_property(old, ICAL_ANY_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(old, ICAL_ANY_PROPERTY)) {
      const icalproperty_kind pk = icalproperty_isa(p);
      if (pk == ICAL_STATUS_PROPERTY) continue;  // the two kinds have different states
      icalcomponent_add_property(c, icalproperty_new_clone(p));
    }
    for (icalcomponent* a : Alarms(old)) icalcomponent_add_component(c, icalcomponent_new_clone(a));
    icalcomponent_remove_component(calendar, old);
    icalcomponent_free(old);
  } else {
    icalcomponent_add_property(c, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(c, icalproperty_new_sequence(0));
  }
  icalcomponent_add_component(calendar, c);
  return c;
}

void ClearOwned(icalcomponent* c, const ItemFields& item) {
  for (icalproperty_kind kind : kOwnedKinds) RemoveAll(c, kind);
  RemoveProperties(c, ICAL_X_PROPERTY, [](icalproperty* p) { return !IsPlovenX(p); });
  // A private class is Ploven's ("!" titles); any other class another program set stays.
  RemoveProperties(c, ICAL_CLASS_PROPERTY, [&](icalproperty* p) {
    return icalproperty_get_class(p) != ICAL_CLASS_PRIVATE;
  });
  if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT) RemoveAll(c, ICAL_STATUS_PROPERTY);
  (void)item;
}

// Ploven's alarm: the one marked as Ploven's, else (in a file Ploven did not write) an
// unmarked alarm at the same offset, so the user does not get two.
void WriteAlarm(icalcomponent* c, const ItemFields& item, bool relatedToEnd) {
  QList<icalcomponent*> alarms = Alarms(c);
  for (icalcomponent* a : alarms) {
    if (IsPlovenAlarm(a)) {
      icalcomponent_remove_component(c, a);
      icalcomponent_free(a);
    }
  }
  if (!item.alarm) return;
  for (icalcomponent* a : Alarms(c)) {
    if (TriggerMinutes(a) == item.AlarmOffset()) {
      AddX(a, kXAlarm, QStringLiteral("1"));
      return;
    }
  }
  icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icaltriggertype trigger;
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(item.AlarmOffset() * 60);
  icalproperty* p = icalproperty_new_trigger(trigger);
  if (relatedToEnd) icalproperty_add_parameter(p, icalparameter_new_related(ICAL_RELATED_END));
  icalcomponent_add_property(alarm, p);
  const QByteArray title = item.title.isEmpty() ? QByteArray("Ploven") : item.title.toUtf8();
  icalcomponent_add_property(alarm, icalproperty_new_description(title.constData()));
  AddX(alarm, kXAlarm, QStringLiteral("1"));
  icalcomponent_add_component(c, alarm);
}

void WriteRecurrence(icalcomponent* c, const ItemFields& item, int minutes, const LocalZone& zone,
                     const QDate& today, QDate& first) {
  if (!item.recurrence) return;
  const RecurrenceRule& rule = *item.recurrence;
  AddX(c, kXRule, RecordedRuleText(rule));
  if (const std::optional<RuleText> text = RRuleOf(rule)) {
    first = text->first;
    QByteArray rrule = text->rrule;
    if (rule.end.isValid()) {
      // UNTIL in UTC (or as a date), as RFC 5545 asks of a rule whose start has a zone.
      if (minutes == kNoMinutes) {
        rrule += ";UNTIL=" + rule.end.toString(QStringLiteral("yyyyMMdd")).toLatin1();
      } else {
        const QDateTime last(rule.end, QTime(23, 59, 59), zone.zone);
        rrule +=
            ";UNTIL=" + last.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
      }
    }
    icalcomponent_add_property(c, icalproperty_new_rrule(icalrecurrencetype_from_string(rrule)));
    return;
  }
  // A rule no calendar can say: its dates over the coming year.
  const std::optional<QList<QDate>> dates =
      RuleDates(rule, std::max(today, rule.start), std::max(today, rule.start).addDays(kRuleDays));
  if (!dates || dates->isEmpty()) return;
  first = dates->front();
  for (qsizetype i = 1; i < dates->size(); ++i) {
    icaldatetimeperiodtype value;
    value.period = icalperiodtype_null_period();
    icalproperty* p = icalproperty_new_rdate(value);
    if (minutes == kNoMinutes) {
      value.time = DateValue(dates->at(i));
      icalproperty_set_rdate(p, value);
    } else if (zone.tzid.isEmpty()) {
      value.time = UtcValue(QDateTime(dates->at(i), QTime(minutes / 60, minutes % 60), zone.zone));
      icalproperty_set_rdate(p, value);
    } else {
      value.time = FloatingValue(dates->at(i), minutes);
      icalproperty_set_rdate(p, value);
      icalproperty_add_parameter(p, icalparameter_new_tzid(zone.tzid.constData()));
    }
    icalcomponent_add_property(c, p);
  }
}

void WriteEvent(icalcomponent* c, const ItemFields& item, const LocalZone& zone,
                const QDate& today) {
  QDate day = item.date;
  WriteRecurrence(c, item, item.start, zone, today, day);
  icalcomponent_add_property(c, LocalTimeProperty(icalproperty_new_dtstart,
                                                  icalproperty_set_dtstart, day, item.start, zone));
  if (item.duration > 0) {
    const int end = item.start + item.duration;
    icalcomponent_add_property(c, LocalTimeProperty(icalproperty_new_dtend, icalproperty_set_dtend,
                                                    day.addDays(end / 1440), end % 1440, zone));
  }
  const QByteArray deadline = DayMonthYearText(item.deadlineDate) + '*' + ClockText(item.earliest) +
                              '*' + ClockText(item.deadlineTime);
  if (deadline != "**") AddX(c, kXDeadline, QString::fromUtf8(deadline));
  if (item.done) AddX(c, kXDone, QString::fromLatin1(DayMonthYearText(today)));
  WriteAlarm(c, item, false);
}

void WriteTodo(icalcomponent* c, const ItemFields& item, const LocalZone& zone,
               const QDate& today) {
  QDate day = item.date;
  WriteRecurrence(c, item, kNoMinutes, zone, today, day);
  // DTSTART and DUE share their value type; a start after the deadline is left out.
  if (item.deadlineDate.isValid() && item.deadlineTime != kNoMinutes) {
    icalcomponent_add_property(c, LocalTimeProperty(icalproperty_new_due, icalproperty_set_due,
                                                    item.deadlineDate, item.deadlineTime, zone));
    if (day.isValid() && day <= item.deadlineDate) {
      icalcomponent_add_property(
          c, LocalTimeProperty(icalproperty_new_dtstart, icalproperty_set_dtstart, day, 0, zone));
    }
  } else {
    if (item.deadlineDate.isValid()) {
      icalcomponent_add_property(c, icalproperty_new_due(DateValue(item.deadlineDate)));
    }
    if (day.isValid() && (!item.deadlineDate.isValid() || day <= item.deadlineDate)) {
      icalcomponent_add_property(c, icalproperty_new_dtstart(DateValue(day)));
    }
  }
  if (item.earliest != kNoMinutes) AddX(c, kXEarliest, QString::number(item.earliest));
  // RFC 5545 forbids DURATION beside DUE: the estimate is Ploven's own property.
  if (item.duration > 0) AddX(c, kXEstimate, QString::number(item.duration));
  icalcomponent_add_property(c, icalproperty_new_priority(PriorityOf(item.importance)));
  if (item.done) {
    icalcomponent_add_property(c, icalproperty_new_status(ICAL_STATUS_COMPLETED));
    icalcomponent_add_property(
        c, icalproperty_new_completed(UtcValue(QDateTime::currentDateTimeUtc())));
    icalcomponent_add_property(c, icalproperty_new_percentcomplete(100));
  } else {
    icalcomponent_add_property(c, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
  }
  WriteAlarm(c, item, true);
}

void SetDone(icalcomponent* c, bool done, const QDate& day) {
  if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT) {
    RemoveAll(c, ICAL_STATUS_PROPERTY);
    RemoveAll(c, ICAL_COMPLETED_PROPERTY);
    RemoveAll(c, ICAL_PERCENTCOMPLETE_PROPERTY);
    if (done) {
      icalcomponent_add_property(c, icalproperty_new_status(ICAL_STATUS_COMPLETED));
      icalcomponent_add_property(
          c, icalproperty_new_completed(UtcValue(QDateTime::currentDateTimeUtc())));
      icalcomponent_add_property(c, icalproperty_new_percentcomplete(100));
    } else {
      icalcomponent_add_property(c, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
    }
    return;
  }
  // An event has no done state of its own in iCalendar: Ploven keeps it in its own property.
  RemoveProperties(c, ICAL_X_PROPERTY, [](icalproperty* p) {
    return qstricmp(icalproperty_get_x_name(p), kXDone) != 0;
  });
  if (done) AddX(c, kXDone, QString::fromLatin1(DayMonthYearText(day)));
}

// ---- Reading --------------------------------------------------------------------------------

QStringList Categories(icalcomponent* c) {
  QStringList out;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(c, ICAL_CATEGORIES_PROPERTY)) {
    for (const QString& part : Utf8(icalproperty_get_categories(p)).split(QLatin1Char(','))) {
      if (!part.trimmed().isEmpty()) out.append(part.trimmed());
    }
  }
  return out;
}

// Ploven's words for no project and no label: kept in its own properties, never shown to other
// programs as a category.
bool IsNoCategory(const QString& name) {
  return name == QLatin1String("none") || name == QLatin1String("(no label)");
}

// Project and label: Ploven's own names while the categories still hold them; else the first
// category is the project.
void ReadCategories(icalcomponent* c, ItemFields& item) {
  QStringList categories = Categories(c);
  const bool ours = HasX(c, kXProject) || HasX(c, kXLabel);
  const QString project = XValue(c, kXProject);
  const QString label = XValue(c, kXLabel);
  const auto kept = [&categories](const QString& name) {
    return name.isEmpty() || IsNoCategory(name) || categories.contains(name);
  };
  if (ours && kept(project) && kept(label)) {
    item.project = project;
    item.label = label;
    return;
  }
  if (!categories.isEmpty()) item.project = categories.takeFirst();
  if (!categories.isEmpty()) item.label = categories.takeFirst();
}

void ReadAlarm(icalcomponent* c, ItemFields& item) {
  icalcomponent* chosen = nullptr;
  for (icalcomponent* a : Alarms(c)) {
    if (IsPlovenAlarm(a)) {
      chosen = a;
      break;
    }
    if (chosen == nullptr && TriggerMinutes(a)) chosen = a;
  }
  if (chosen == nullptr) return;
  const std::optional<int> minutes = TriggerMinutes(chosen);
  if (!minutes) return;
  item.alarm = true;
  item.alarmHours = *minutes / 60;
  item.alarmMinutes = *minutes % 60;
}

std::optional<RecurrenceRule> ReadRule(icalcomponent* c, const Moment& start) {
  const std::optional<RecurrenceRule> recorded = RuleOfText(XValue(c, kXRule));
  icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
  if (p == nullptr) {
    // Dates Ploven wrote for a rule a calendar cannot say (or none, for a rule whose days the
    // record alone does not tell).
    return recorded;
  }
  const icalrecurrencetype recur = icalproperty_get_rrule(p);
  char* raw = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&recur));
  QByteArray text(raw);
  std::free(raw);
  QDate until;
  QByteArray withoutUntil;
  for (const QByteArray& part : text.split(';')) {
    if (part.startsWith("UNTIL=")) {
      const QByteArray value = part.mid(6);
      if (value.size() >= 16 && value.endsWith('Z')) {
        const QDateTime utc = QDateTime::fromString(QString::fromLatin1(value),
                                                    QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
        until = QDateTime(utc.date(), utc.time(), QTimeZone::utc()).toLocalTime().date();
      } else {
        until = QDate::fromString(QString::fromLatin1(value.left(8)), QStringLiteral("yyyyMMdd"));
      }
    } else {
      withoutUntil += (withoutUntil.isEmpty() ? "" : ";") + part;
    }
  }
  // Ploven's own rule while the calendar's rule is still the one Ploven wrote for it.
  if (recorded) {
    const std::optional<RuleText> mine = RRuleOf(*recorded);
    if (mine && recur.freq != ICAL_NO_RECURRENCE &&
        icalrecurrencetype_from_string(mine->rrule).freq == recur.freq &&
        QByteArray(mine->rrule) == withoutUntil && recorded->end == until) {
      return recorded;
    }
  }
  return RuleFromRRule(withoutUntil, start.date, until);
}

QList<QDate> ReadExdates(icalcomponent* c) {
  QList<QDate> out;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
    const icaltimetype t = icalproperty_get_exdate(p);
    if (icaltime_is_null_time(t)) continue;
    out.append(t.is_date ? QDate(t.year, t.month, t.day) : LocalMoment(p, t).date());
  }
  return out;
}

int Minutes(const QDateTime& a, const QDateTime& b) {
  return static_cast<int>(std::clamp<qint64>(a.secsTo(b) / 60, 0, kMaxDuration));
}

}  // namespace

Parsed<QByteArray> WriteItem(const QByteArray& existing, const ItemFields& item, const QString& uid,
                             const QDate& today, const QString& origin) {
  Component calendar;
  if (existing.isEmpty()) {
    calendar = NewCalendar();
  } else {
    Parsed<Component> parsed = ParseCalendar(existing);
    if (!parsed) return {std::nullopt, parsed.error};
    calendar = std::move(*parsed.value);
    icalcomponent_strip_errors(calendar.get());
  }
  const LocalZone zone = SystemZone();
  icalcomponent* c = ComponentFor(calendar.get(), !item.appointment, uid);
  ClearOwned(c, item);
  const QByteArray title = item.title.toUtf8();
  icalcomponent_add_property(c, icalproperty_new_summary(title.constData()));
  if (item.appointment) {
    WriteEvent(c, item, zone, today);
    EnsureZone(calendar.get(), zone);
  } else {
    WriteTodo(c, item, zone, today);
    if (item.deadlineTime != kNoMinutes) EnsureZone(calendar.get(), zone);
  }
  if (!item.note.isEmpty()) {
    icalcomponent_add_property(c, icalproperty_new_description(item.note.toUtf8().constData()));
  }
  QStringList categories;
  for (const QString& category : {item.project, item.label}) {
    if (!category.isEmpty() && !IsNoCategory(category)) categories.append(category);
  }
  if (!categories.isEmpty()) {
    const QByteArray joined = categories.join(QLatin1Char(',')).toUtf8();
    icalcomponent_add_property(c, icalproperty_new_categories(joined.constData()));
  }
  AddX(c, kXProject, item.project);
  AddX(c, kXLabel, item.label);
  if (item.PrivateTitle() && icalcomponent_get_first_property(c, ICAL_CLASS_PROPERTY) == nullptr) {
    icalcomponent_add_property(c, icalproperty_new_class(ICAL_CLASS_PRIVATE));
  }
  if (item.itemID != 0) {
    AddX(c, kXId, QString::number(item.itemID));
    if (!origin.isEmpty()) AddX(c, kXOrigin, origin);
  }
  Touch(c);
  return {Serialize(calendar.get()), {}};
}

Parsed<QByteArray> WriteDone(const QByteArray& existing, bool done, const QDate& day) {
  Parsed<Component> parsed = ParseCalendar(existing);
  if (!parsed) return {std::nullopt, parsed.error};
  icalcomponent_strip_errors(parsed.value->get());
  icalcomponent* c = ItemComponent(parsed.value->get());
  SetDone(c, done, day);
  Touch(c);
  return {Serialize(parsed.value->get()), {}};
}

Parsed<QByteArray> WriteCancelledOccurrence(const QByteArray& existing, const QDate& day) {
  Parsed<Component> parsed = ParseCalendar(existing);
  if (!parsed) return {std::nullopt, parsed.error};
  icalcomponent_strip_errors(parsed.value->get());
  icalcomponent* c = ItemComponent(parsed.value->get());
  // The EXDATE takes the start's value type and zone, as RFC 5545 asks.
  icalproperty* start = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
  if (start == nullptr) return {std::nullopt, QStringLiteral("the item has no start")};
  icaltimetype t = icalproperty_get_dtstart(start);
  t.year = day.year();
  t.month = day.month();
  t.day = day.day();
  icalproperty* p = icalproperty_new_exdate(t);
  if (icalparameter* tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER)) {
    icalproperty_add_parameter(p, icalparameter_new_clone(tzid));
  }
  icalcomponent_add_property(c, p);
  Touch(c);
  return {Serialize(parsed.value->get()), {}};
}

Parsed<CalendarEntry> ReadEntry(const QByteArray& text, const QDate& today) {
  Parsed<Component> parsed = ParseCalendar(text);
  if (!parsed) return {std::nullopt, parsed.error};
  icalcomponent* c = ItemComponent(parsed.value->get());
  CalendarEntry entry;
  entry.uid = Utf8(icalcomponent_get_uid(c));
  if (entry.uid.isEmpty()) return {std::nullopt, QStringLiteral("the item has no UID")};
  entry.todo = icalcomponent_isa(c) == ICAL_VTODO_COMPONENT;
  ItemFields& item = entry.fields;
  item.title = Utf8(icalcomponent_get_summary(c));
  item.note = Utf8(icalcomponent_get_description(c));
  item.itemID = XValue(c, kXId).toUInt();
  entry.origin = XValue(c, kXOrigin);
  ReadCategories(c, item);
  ReadAlarm(c, item);
  const Moment start = ReadMoment(c, ICAL_DTSTART_PROPERTY);
  if (!entry.todo) {
    if (!start.present) return {std::nullopt, QStringLiteral("the event has no start")};
    item.date = start.date;
    item.done = HasX(c, kXDone);
    if (!start.isDate) {
      item.appointment = true;
      item.start = start.minutes;
      icalproperty* startProperty = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
      const QDateTime from = LocalMoment(startProperty, icalproperty_get_dtstart(startProperty));
      if (icalproperty* end = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)) {
        item.duration = Minutes(from, LocalMoment(end, icalproperty_get_dtend(end)));
      } else if (icalproperty* d = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
        item.duration =
            std::clamp(icaldurationtype_as_int(icalproperty_get_duration(d)) / 60, 0, kMaxDuration);
      }
    }
    const QList<QByteArray> deadline = XValue(c, kXDeadline).toUtf8().split('*');
    if (deadline.size() == 3) {
      item.deadlineDate = ParseDayMonthYear(deadline[0]);
      item.earliest = deadline[1].isEmpty() ? kNoMinutes : ParseClockTime(deadline[1]);
      item.deadlineTime = deadline[2].isEmpty() ? kNoMinutes : ParseClockTime(deadline[2]);
    }
  } else {
    const Moment due = ReadMoment(c, ICAL_DUE_PROPERTY);
    if (due.present) {
      item.deadlineDate = due.date;
      item.deadlineTime = due.minutes;
    }
    item.date = start.present ? start.date : due.present ? due.date : today;
    bool ok = false;
    const int earliest = XValue(c, kXEarliest).toInt(&ok);
    if (ok) item.earliest = earliest;
    const int estimate = XValue(c, kXEstimate).toInt(&ok);
    if (ok) {
      item.duration = std::clamp(estimate, 0, kMaxDuration);
    } else if (icalproperty* d = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
      item.duration =
          std::clamp(icaldurationtype_as_int(icalproperty_get_duration(d)) / 60, 0, kMaxDuration);
    }
    item.done = icalcomponent_get_status(c) == ICAL_STATUS_COMPLETED ||
                icalcomponent_get_first_property(c, ICAL_COMPLETED_PROPERTY) != nullptr;
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_PRIORITY_PROPERTY)) {
      item.importance = ImportanceOf(icalproperty_get_priority(p));
    }
    // A to-do's reminder goes with its deadline.
    if (!item.deadlineDate.isValid()) item.alarm = false;
  }
  if (!item.alarm) item.alarmHours = item.alarmMinutes = 0;
  item.recurrence = ReadRule(c, start.present ? start : Moment{true, true, item.date, kNoMinutes});
  entry.recurring = item.recurrence.has_value() ||
                    icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY) != nullptr ||
                    icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY) != nullptr;
  entry.exdates = ReadExdates(c);
  return {entry, {}};
}

QByteArray ContentHash(const QByteArray& text) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  QByteArray unfolded = text;
  unfolded.replace("\r\n", "\n");
  unfolded.replace("\n ", "");
  unfolded.replace("\n\t", "");
  for (const QByteArray& line : unfolded.split('\n')) {
    const QByteArray upper = line.left(16).toUpper();
    bool skip = false;
    for (const char* name : {"DTSTAMP", "LAST-MODIFIED", "SEQUENCE"}) {
      const qsizetype n = qstrlen(name);
      if (upper.startsWith(name) && line.size() > n && (line[n] == ':' || line[n] == ';')) {
        skip = true;
      }
    }
    if (skip || line.isEmpty()) continue;
    hash.addData(line);
    hash.addData("\n");
  }
  return hash.result().toHex();
}

}  // namespace ploven::calendar
