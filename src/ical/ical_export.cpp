#include "ical/ical_export.h"

#include <libical/ical.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "ical/ical_fields.h"
#include "ical/item_shape.h"
#include "ical/local_zone.h"
#include "ical/recurrence_rule.h"
#include "recur/beta_qualify.h"
#include "recur/recurrences.h"
#include "store/calendar.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"

namespace ploven {
namespace {

// How times are written: in the system's zone by name, in UTC, or floating.
struct Zone {
  enum class Mode { kFloating, kUtc, kNamed } mode = Mode::kFloating;
  std::string name;
  icaltimezone* tz = nullptr;
};

// A named zone needs its VTIMEZONE, which libical builds from the system's zone files; a zone
// it does not know is written floating, which every reader shows at the same wall-clock time,
// as Ploven does.
Zone SystemZone() {
  Zone z;
  z.name = LocalZoneName();
  if (z.name.empty()) return z;
  if (IsUtcZoneName(z.name)) {
    z.mode = Zone::Mode::kUtc;
    return z;
  }
  z.tz = icaltimezone_get_builtin_timezone(z.name.c_str());
  if (z.tz != nullptr) z.mode = Zone::Mode::kNamed;
  return z;
}

icaltimetype DateValue(DayNumber day) {
  const CalendarDate d = SplitDay(day);
  // Every field set: libical's own null date leaves the clock at -1.
  icaltimetype t{};
  t.is_date = 1;
  t.year = d.year;
  t.month = d.month;
  t.day = d.day;
  return t;
}

icaltimetype UtcValue(std::time_t seconds) {
  return icaltime_from_timet_with_zone(seconds, 0, icaltimezone_get_utc_timezone());
}

icaltimetype MomentValue(LocalMoment m, const Zone& zone) {
  if (zone.mode == Zone::Mode::kUtc) return UtcValue(LocalToUtc(m));
  icaltimetype t = DateValue(m.date);
  t.is_date = 0;
  t.hour = m.minute / 60;
  t.minute = m.minute % 60;
  return t;
}

icalproperty* InZone(icalproperty* p, const Zone& zone, bool timed) {
  if (timed && zone.mode == Zone::Mode::kNamed)
    icalproperty_add_parameter(p, icalparameter_new_tzid(zone.name.c_str()));
  return p;
}

icalproperty* XProperty(const char* name, const std::string& value) {
  icalproperty* p = icalproperty_new_x(value.c_str());
  icalproperty_set_x_name(p, name);
  return p;
}

// The local wall-clock time of a UTC moment at a UTC offset, as a zone's DTSTART and RDATE
// write it.
icaltimetype AtOffset(std::time_t utc, int offset) {
  icaltimetype t = icaltime_from_timet_with_zone(utc + offset, 0, nullptr);
  t.zone = nullptr;
  return t;
}

std::string OffsetText(int seconds) {
  char text[16];
  const int a = seconds < 0 ? -seconds : seconds;
  std::snprintf(text, sizeof text, "%c%02d%02d", seconds < 0 ? '-' : '+', a / 3600, a / 60 % 60);
  return text;
}

icalcomponent* ZonePart(bool daylight, int from, int to, const std::string& name) {
  icalcomponent* part = daylight ? icalcomponent_new_xdaylight() : icalcomponent_new_xstandard();
  if (!name.empty()) icalcomponent_add_property(part, icalproperty_new_tzname(name.c_str()));
  icalcomponent_add_property(
      part, icalproperty_new_from_string(("TZOFFSETFROM:" + OffsetText(from)).c_str()));
  icalcomponent_add_property(
      part, icalproperty_new_from_string(("TZOFFSETTO:" + OffsetText(to)).c_str()));
  return part;
}

// The system zone from 1980 to 2068, the days Ploven keeps, written from the system's own
// clock: each kind of change (its offsets and name) once, with its first moment as DTSTART and
// the others as RDATEs. Open-ended rules with UTC UNTILs, as zone files give them, trip up
// some readers; dates alone read everywhere.
icalcomponent* ZoneComponent(const std::string& name) {
  const ZoneHistory history = LocalZoneHistory(1980, 2068);
  icalcomponent* zone = icalcomponent_new_vtimezone();
  icalcomponent_add_property(zone, icalproperty_new_tzid(name.c_str()));
  if (history.transitions.empty()) {
    icalcomponent* part = ZonePart(false, history.offset, history.offset, history.name);
    icalcomponent_add_property(
        part, icalproperty_new_dtstart(AtOffset(LocalToUtc({1, 0}), history.offset)));
    icalcomponent_add_component(zone, part);
    return zone;
  }
  std::map<std::tuple<bool, int, int, std::string>, icalcomponent*> parts;
  for (const ZoneTransition& t : history.transitions) {
    const auto key = std::make_tuple(t.daylight, t.offsetFrom, t.offsetTo, t.name);
    const icaltimetype onset = AtOffset(t.at, t.offsetFrom);
    auto it = parts.find(key);
    if (it == parts.end()) {
      icalcomponent* part = ZonePart(t.daylight, t.offsetFrom, t.offsetTo, t.name);
      icalcomponent_add_property(part, icalproperty_new_dtstart(onset));
      parts.emplace(key, part);
      icalcomponent_add_component(zone, part);
      continue;
    }
    icaldatetimeperiodtype rdate{};
    rdate.time = onset;
    rdate.period = icalperiodtype_null_period();
    icalcomponent_add_property(it->second, icalproperty_new_rdate(rdate));
  }
  return zone;
}

icaldurationtype Minutes(int minutes) { return icaldurationtype_from_int(minutes * 60); }

class Exporter {
 public:
  Exporter(Recurrences& r, CalendarMemory& memory, const CalendarExportOptions& options)
      : m_r(r), m_s(r.schedule()), m_memory(memory), m_options(options), m_zone(SystemZone()) {
    const LocalMoment now = MomentOf(m_s.Today(), m_s.Now());
    m_stamp = UtcValue(LocalToUtc(now));
  }

  std::string Run(icalcomponent* calendar) {
    for (const auto& entry : m_s.actChain()) {
      const ActHandle h = entry.second.act;
      const Act& a = m_s.ReadAct(h);
      if ((a.typeFlags & ACT_PROJECT) != 0 || a.Has(AF_DRONE) || IsProject(m_s, h)) continue;
      const ItemShape shape = ShapeOf(a);
      if (shape == ItemShape::kTodo ? !m_options.todos : !m_options.events) continue;
      if (a.Has(AF_BETA)) {
        AddSeries(calendar, h, shape);
      } else if (InRange(m_s.GetActDate(h))) {
        icalcomponent* c = NewComponent(shape);
        Describe(c, h, shape, m_s.GetActDate(h));
        icalcomponent_add_component(calendar, c);
      }
    }
    if (m_zoneUsed && m_zone.mode == Zone::Mode::kNamed)
      icalcomponent_add_component(calendar, ZoneComponent(m_zone.name));
    char* text = icalcomponent_as_ical_string_r(calendar);
    std::string out = text != nullptr ? text : "";
    std::free(text);
    return out;
  }

 private:
  bool Ranged() const { return m_options.from != kNoDate || m_options.to != kNoDate; }
  bool InRange(DayNumber day) const {
    if (!Ranged()) return true;
    return day != kNoDate && day >= m_options.from && day <= m_options.to;
  }

  static icalcomponent* NewComponent(ItemShape shape) {
    return shape == ItemShape::kTodo ? icalcomponent_new_vtodo() : icalcomponent_new_vevent();
  }

  // A moment of the item's time on a date, as DTSTART, EXDATE and RECURRENCE-ID write it.
  icalproperty* Moment(icalproperty* (*make)(icaltimetype), ItemShape shape, DayNumber date,
                       TimeOfDay start) {
    if (shape != ItemShape::kTimed) return make(DateValue(date));
    m_zoneUsed = true;
    return InZone(make(MomentValue(MomentOf(date, start), m_zone)), m_zone, true);
  }

  // The fields of one item (or one edited occurrence) on its date.
  void Describe(icalcomponent* c, ActHandle h, ItemShape shape, DayNumber date) {
    const Act& a = m_s.ReadAct(h);
    const ActHandle series = a.Has(AF_DRONE) ? static_cast<ActHandle>(a.hBeta) : h;
    icalcomponent_add_property(c,
                               icalproperty_new_uid(m_memory.UidOf(m_s.GetActID(series)).c_str()));
    icalcomponent_add_property(c, icalproperty_new_dtstamp(m_stamp));
    icalcomponent_add_property(c, icalproperty_new_summary(m_s.GetActNameFull(h).c_str()));
    icalcomponent_add_property(c, XProperty(kXKind, WriteKindField({a.typeFlags, a.flags})));
    const bool done = a.Has(AF_DONE);
    switch (shape) {
      case ItemShape::kTimed:
        if (date != kNoDate)
          icalcomponent_add_property(c, Moment(icalproperty_new_dtstart, shape, date, a.startTime));
        icalcomponent_add_property(c, icalproperty_new_duration(Minutes(a.duration)));
        if (done) icalcomponent_add_property(c, XProperty(kXDone, "TRUE"));
        break;
      case ItemShape::kAllDay: {
        if (date == kNoDate) break;
        icalcomponent_add_property(c, icalproperty_new_dtstart(DateValue(date)));
        const bool multiDay = (a.typeFlags & (ACT_MULTIDAY | ACT_MULTIDAY_ALT)) != 0;
        const DayNumber last =
            multiDay && a.deadlineDate > date && !a.Has(AF_BETA) && !a.Has(AF_DRONE)
                ? a.deadlineDate
                : date;
        icalcomponent_add_property(c, icalproperty_new_dtend(DateValue(last + 1)));
        if (a.duration != 0)
          icalcomponent_add_property(c, XProperty(kXEstimate, DurationText(a.duration)));
        if (done) icalcomponent_add_property(c, XProperty(kXDone, "TRUE"));
        break;
      }
      case ItemShape::kTodo: {
        const bool flexible = a.Has(AF_FLEXIBLE);
        const DayNumber begin = flexible ? a.earliestDate : date;
        if (begin != kNoDate)
          icalcomponent_add_property(c, icalproperty_new_dtstart(DateValue(begin)));
        if (a.deadlineDate != kNoDate) {
          icalproperty* due =
              a.deadlineTime != kNoTime
                  ? Moment(icalproperty_new_due, ItemShape::kTimed, a.deadlineDate, a.deadlineTime)
                  : icalproperty_new_due(DateValue(a.deadlineDate));
          icalcomponent_add_property(c, due);
        }
        if (flexible && PriorityOfTier(a.tier) != 0) {
          icalcomponent_add_property(c, icalproperty_new_priority(PriorityOfTier(a.tier)));
          if (a.tier > 'H')
            icalcomponent_add_property(
                c, XProperty(kXTier, std::string(1, static_cast<char>(a.tier))));
        }
        icalcomponent_add_property(c, XProperty(kXEstimate, DurationText(a.duration)));
        if (done) icalcomponent_add_property(c, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        break;
      }
    }
    if (a.projectID != 0) {
      std::string project;
      if (ProjectName(m_s, a.projectID, project) != 0 && !project.empty())
        icalcomponent_add_property(c, icalproperty_new_categories(project.c_str()));
    }
    if (a.Has(AF_HAS_NOTE) && a.noteNumber != 0 && m_options.noteText) {
      const std::optional<std::string> note = m_options.noteText(a.noteNumber);
      if (note && !note->empty())
        icalcomponent_add_property(c, icalproperty_new_description(note->c_str()));
    }
  }

  static std::string DurationText(int minutes) {
    icaldurationtype d = Minutes(minutes);
    char* text = icaldurationtype_as_ical_string_r(d);
    std::string out = text;
    std::free(text);
    return out;
  }

  // UNTIL: the last occurrence, in UTC for a zoned start as RFC 5545 asks.
  std::string Until(ItemShape shape, DayNumber last, TimeOfDay start) {
    if (shape != ItemShape::kTimed) return ";UNTIL=" + BasicDate(last);
    const LocalMoment m = MomentOf(last, start);
    char text[32];
    if (m_zone.mode == Zone::Mode::kFloating) {
      std::snprintf(text, sizeof text, "T%02d%02d00", m.minute / 60, m.minute % 60);
      return ";UNTIL=" + BasicDate(m.date) + text;
    }
    const icaltimetype utc = UtcValue(LocalToUtc(m));
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", utc.year, utc.month, utc.day,
                  utc.hour, utc.minute, utc.second);
    return std::string(";UNTIL=") + text;
  }

  void AddSeries(icalcomponent* calendar, ActHandle def, ItemShape shape) {
    const Beta* stored = RecurrenceOf(m_s, def);
    if (stored == nullptr) return;
    const Act& a = m_s.ReadAct(def);
    Beta bare = *stored;
    bare.xlist.clear();
    const QualifyContext q = m_r.Context();
    const int start = bare.startDate != kNoDate ? bare.startDate : q.today;
    const int end = bare.endDate != kNoDate ? bare.endDate : kNoEndDate;
    auto occurs = [&](int d) { return QualifiesOn(bare, static_cast<DayNumber>(d), q); };

    if (Ranged()) {
      bool inRange = false;
      for (int d = m_options.from; d <= m_options.to && !inRange; ++d) inRange = occurs(d);
      if (!inRange) return;
    }
    // A time past midnight moves every date by a day, which only the dates themselves say.
    std::optional<std::string> rule = RuleOf(bare, static_cast<DayNumber>(start));
    if (shape == ItemShape::kTimed && a.startTime > kMinutesPerDay) rule.reset();

    std::vector<DayNumber> dates;
    if (rule) {
      for (int d = start; d <= end; ++d)
        if (occurs(d)) {
          dates.push_back(static_cast<DayNumber>(d));
          break;
        }
    } else {
      const int from = start > q.today ? start : q.today;
      const int to = end < q.today + 365 ? end : q.today + 365;
      for (int d = from; d <= to; ++d)
        if (occurs(d)) dates.push_back(static_cast<DayNumber>(d));
    }

    icalcomponent* master = NewComponent(shape);
    const bool empty = dates.empty();
    Describe(master, def, shape, empty ? static_cast<DayNumber>(start) : dates.front());
    icalcomponent_add_property(master, XProperty(kXRecur, WriteRecurField(*stored)));
    if (empty) {
      // No occurrence at all: the start alone, taken back at once.
      icalcomponent_add_property(master, Moment(icalproperty_new_exdate, shape,
                                                static_cast<DayNumber>(start), a.startTime));
    } else if (rule) {
      std::string text = *rule;
      if (bare.endDate != kNoDate) {
        int last = end;
        while (last > dates.front() && !occurs(last)) --last;
        text += Until(shape, static_cast<DayNumber>(last), a.startTime);
      }
      icalcomponent_add_property(master, icalproperty_new_from_string(("RRULE:" + text).c_str()));
    } else {
      for (size_t i = 1; i < dates.size(); ++i) {
        icalproperty* p = Moment(
            [](icaltimetype t) {
              icaldatetimeperiodtype v{};
              v.time = t;
              v.period = icalperiodtype_null_period();
              return icalproperty_new_rdate(v);
            },
            shape, dates[i], a.startTime);
        icalcomponent_add_property(master, p);
      }
    }
    std::vector<icalcomponent*> overrides;
    for (const XEntry& x : stored->xlist) {
      if (x.drone == kNoAct || !m_s.IsActValid(x.drone)) {
        icalcomponent_add_property(master,
                                   Moment(icalproperty_new_exdate, shape, x.date, a.startTime));
        continue;
      }
      icalcomponent* c = NewComponent(shape);
      const DayNumber own = m_s.GetActDate(x.drone);
      Describe(c, x.drone, shape, own != kNoDate ? own : x.date);
      icalcomponent_add_property(c,
                                 Moment(icalproperty_new_recurrenceid, shape, x.date, a.startTime));
      overrides.push_back(c);
    }
    icalcomponent_add_component(calendar, master);
    for (icalcomponent* c : overrides) icalcomponent_add_component(calendar, c);
  }

  Recurrences& m_r;
  Schedule& m_s;
  CalendarMemory& m_memory;
  const CalendarExportOptions& m_options;
  Zone m_zone;
  icaltimetype m_stamp{};
  bool m_zoneUsed = false;
};

}  // namespace

std::string ExportCalendar(Recurrences& r, CalendarMemory& memory,
                           const CalendarExportOptions& options) {
  icalerror_set_errors_are_fatal(0);
  icalcomponent* calendar = icalcomponent_new_vcalendar();
  icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar,
                             icalproperty_new_prodid("-//Ploven//Ploven " PLOVEN_VERSION "//EN"));
  icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
  std::string text = Exporter(r, memory, options).Run(calendar);
  icalcomponent_free(calendar);
  return text;
}

}  // namespace ploven
