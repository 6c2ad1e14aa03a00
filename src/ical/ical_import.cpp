#include "ical/ical_import.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

#include "done/mark_done.h"
#include "edit/item_dialog_kind.h"
#include "edit/item_edit.h"
#include "engine/engine.h"
#include "ical/ical_fields.h"
#include "ical/ical_messages.h"
#include "ical/local_zone.h"
#include "ical/rule_import.h"
#include "platform/format.h"
#include "recur/beta_qualify.h"
#include "recur/occurrence_task.h"
#include "recur/recurrences.h"
#include "store/calendar.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = ical_text;

// A moment of the file in Ploven's terms: the local date and, unless all-day, the minute.
struct Local {
  DayNumber date = kNoDate;
  std::optional<int> minute;
};

DayNumber CheckedDay(int year, int month, int day) {
  if (year < 1980 || year > 2068 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(month, year))
    return kNoDate;
  return static_cast<DayNumber>(MakeDay(month, day, year));
}

// A zoned or UTC time goes through the system's clock to the local one; a floating time and
// a date stand as they are.
Local ToLocal(icaltimetype v) {
  if (icaltime_is_null_time(v) || !icaltime_is_valid_time(v)) return {};
  if (v.is_date) return {CheckedDay(v.year, v.month, v.day), std::nullopt};
  if (v.zone != nullptr) {
    const LocalMoment m = UtcToLocal(icaltime_as_timet_with_zone(v, v.zone));
    return {m.date, m.minute};
  }
  return {CheckedDay(v.year, v.month, v.day), v.hour * 60 + v.minute};
}

TimeOfDay TimeOf(int minute) { return ClockTime(minute / 60, minute % 60); }

std::string Text(const char* text) { return text != nullptr ? text : ""; }

// The value of an X- property, or nothing.
std::optional<std::string> XValue(icalcomponent* c, const char* name) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
    const char* x = icalproperty_get_x_name(p);
    if (x != nullptr && std::string_view(x) == name) return Text(icalproperty_get_x(p));
  }
  return std::nullopt;
}

// The first damage libical noted in the component itself (not in a subcomponent).
std::optional<std::string> Damage(icalcomponent* c) {
  icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY);
  if (p == nullptr) return std::nullopt;
  return Text(icalproperty_get_xlicerror(p));
}

std::optional<int> DurationMinutes(const std::string& text) {
  const icaldurationtype d = icaldurationtype_from_string(text.c_str());
  if (icaldurationtype_is_bad_duration(d) || d.is_neg) return std::nullopt;
  return icaldurationtype_as_int(d) / 60;
}

// One-line titles: a calendar's folded text may carry line breaks Ploven's titles have not.
std::string Title(icalcomponent* c) {
  std::string title = Text(icalcomponent_get_summary(c));
  std::replace_if(
      title.begin(), title.end(), [](char ch) { return ch == '\n' || ch == '\r'; }, ' ');
  if (title.empty()) title = t::kNoTitle;
  if (title.size() > kActTitleMax) title.resize(kActTitleMax);
  return title;
}

struct Component {
  icalcomponent* c = nullptr;
  std::string uid;
  std::optional<Local> recurrenceId;
};

class Importer {
 public:
  Importer(Engine& engine, Recurrences& r, CalendarMemory& memory, const CalendarImportHooks& hooks)
      : m_engine(engine), m_r(r), m_s(engine.schedule()), m_memory(memory), m_hooks(hooks) {}

  CalendarImportReport Run(icalcomponent* root) {
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) calendars.push_back(root);
    if (icalcomponent_isa(root) == ICAL_XROOT_COMPONENT) {
      for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
           c != nullptr; c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
        calendars.push_back(c);
    }
    m_report.calendar = !calendars.empty();
    std::vector<Component> masters;
    std::multimap<std::string, Component> overrides;
    for (icalcomponent* calendar : calendars) {
      for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT);
           c != nullptr; c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VTODO_COMPONENT) continue;
        Component entry{c, Text(icalcomponent_get_uid(c)), std::nullopt};
        // Without a UID an item is known by its title and start, so it comes in once.
        if (entry.uid.empty()) {
          char* start = icaltime_as_ical_string_r(icalcomponent_get_dtstart(c));
          entry.uid = "no-uid:" + Title(c) + ":" + Text(start);
          std::free(start);
        }
        if (icalproperty* id = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
          entry.recurrenceId = ToLocal(icalproperty_get_datetime_with_component(id, c));
          overrides.emplace(entry.uid, entry);
        } else {
          masters.push_back(entry);
        }
      }
    }
    for (const Component& master : masters) {
      auto [first, last] = overrides.equal_range(master.uid);
      std::vector<Component> changed;
      for (auto it = first; it != last; ++it) changed.push_back(it->second);
      overrides.erase(first, last);
      Import(master, changed);
    }
    for (const auto& [uid, orphan] : overrides) Skip(orphan, t::kSkipNoSeries);
    return m_report;
  }

 private:
  void Skip(const Component& c, const std::string& reason) {
    m_report.skipped.push_back({c.uid, Title(c.c), reason});
  }

  // The item a UID already stands for in the schedule, or none.
  bool AlreadyThere(const std::string& uid) const {
    const auto id = m_memory.ItemOf(uid);
    return id && m_s.FindActByID(*id) != kNoAct;
  }

  // The kind a component without Ploven's own word makes.
  ItemKindField KindOf(icalcomponent* c, const Local& start, const Local& end) const {
    if (const auto x = XValue(c, kXKind)) {
      if (const auto kind = ReadKindField(*x)) return *kind;
    }
    if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT) return {ACT_ITEM, AF_FLEXIBLE};
    if (start.minute) return {ACT_APPOINTMENT, AF_FIXED};
    if (end.date > start.date + 1) return {ACT_MULTIDAY, 0};
    return {ACT_MEMO, AF_HOPE};
  }

  static int CommandFor(const ItemKindField& kind) {
    const uint16_t type = kind.typeFlags;
    if (type & ACT_BIRTHDAY) return kCmdNewBirthdayMemo;
    if (type & ACT_ANNIVERSARY) return kCmdNewAnniversaryMemo;
    if (type & ACT_WORK_HOLIDAY) return kCmdNewWorkHolidayMemo;
    if (type & ACT_MEMO) return kCmdNewMemo;
    if (type & (ACT_MULTIDAY | ACT_MULTIDAY_ALT)) return kCmdNewMultiDayEvent;
    if (type & (ACT_APPOINTMENT | ACT_APPOINTMENT_ALT)) return kCmdNewAppointment;
    return kCmdNewItem;
  }

  uint32_t ProjectOf(icalcomponent* c) {
    icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY);
    if (p == nullptr) return 0;
    std::string name = Text(icalproperty_get_categories(p));
    if (const size_t comma = name.find(','); comma != std::string::npos) name.resize(comma);
    if (name.empty() || name.size() > kActTitleMax) return 0;
    if (const uint32_t id = FindProjectIDByName(m_s, name); id != 0) return id;
    const ActHandle project = NewProject(m_s, Act{}, name);
    return project != kNoAct ? m_s.GetActID(project) : 0;
  }

  // The fields a component gives to the working copy of its item. False: skipped (told).
  bool Fill(const Component& comp, ItemDraft& d, const ItemKindField& kind, const Local& start,
            const Local& end) {
    icalcomponent* c = comp.c;
    const bool todo = icalcomponent_isa(c) == ICAL_VTODO_COMPONENT;
    Act& a = d.act;
    d.title = Title(c);
    a.typeFlags = kind.typeFlags;
    a.flags = (a.flags & ~KindFlagsMask()) | kind.flags;
    if (!todo) {
      if (start.date == kNoDate) {
        Skip(comp, t::kSkipNoStart);
        return false;
      }
      d.date = start.date;
      a.startTime = start.minute ? TimeOf(*start.minute) : kNoTime;
      if (start.minute) {
        const int minutes =
            end.date != kNoDate && end.minute
                ? (end.date - start.date) * kMinutesPerDay + *end.minute - *start.minute
                : icaldurationtype_as_int(icalcomponent_get_duration(c)) / 60;
        if (minutes > kMaxItemDuration) {
          Skip(comp, t::kSkipTooLong);
          return false;
        }
        a.duration = static_cast<Duration>(std::max(0, minutes));
      } else {
        a.duration = 0;
        if (kind.typeFlags & (ACT_MULTIDAY | ACT_MULTIDAY_ALT))
          a.deadlineDate =
              end.date > start.date ? static_cast<DayNumber>(end.date - 1) : start.date;
        if (const auto x = XValue(c, kXEstimate))
          a.duration = static_cast<Duration>(DurationMinutes(*x).value_or(0));
      }
      return true;
    }
    // A to-do.
    const bool flexible = (kind.flags & AF_FLEXIBLE) != 0;
    if (flexible) {
      a.earliestDate = start.date;
      if (start.date != kNoDate) d.date = start.date;
    } else {
      d.date = start.date != kNoDate ? start.date : m_s.Today();
    }
    icalproperty* due = icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY);
    if (due != nullptr) {
      const Local deadline = ToLocal(icalproperty_get_datetime_with_component(due, c));
      a.deadlineDate = deadline.date;
      a.deadlineTime = deadline.minute ? TimeOf(*deadline.minute) : kNoTime;
    }
    std::optional<int> estimate;
    if (const auto x = XValue(c, kXEstimate)) estimate = DurationMinutes(*x);
    if (!estimate && due == nullptr &&
        icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY) != nullptr)
      estimate = icaldurationtype_as_int(icalcomponent_get_duration(c)) / 60;
    if (estimate) {
      if (*estimate > kMaxItemDuration) {
        Skip(comp, t::kSkipTooLong);
        return false;
      }
      a.duration = static_cast<Duration>(*estimate);
    }
    uint8_t tier = 0;
    if (const auto x = XValue(c, kXTier); x && x->size() == 1 && (*x)[0] >= 'A' && (*x)[0] <= 'Z')
      tier = static_cast<uint8_t>((*x)[0]);
    if (tier == 0) {
      if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_PRIORITY_PROPERTY))
        tier = TierOfPriority(icalproperty_get_priority(p));
    }
    if (tier != 0) a.tier = tier;
    return true;
  }

  bool Done(icalcomponent* c) const {
    if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT &&
        icalcomponent_get_status(c) == ICAL_STATUS_COMPLETED)
      return true;
    return XValue(c, kXDone).has_value();
  }

  void Finish(icalcomponent* c, ActHandle item, bool allowDone) {
    if (m_hooks.saveNote) {
      const std::string note = Text(icalcomponent_get_description(c));
      if (!note.empty()) m_hooks.saveNote(item, note);
    }
    if (allowDone && Done(c) && !m_s.ReadAct(item).Has(AF_DONE)) MarkItemDone(m_engine, item);
  }

  // The rule of a repeating component, or nothing for a single one. False: skipped (told).
  bool RuleOfComponent(const Component& comp, const Local& start, std::optional<Beta>& rule,
                       std::vector<DayNumber>& cancelBeforeStart) {
    icalcomponent* c = comp.c;
    if (const auto x = XValue(c, kXRecur)) {
      rule = ReadRecurField(*x);
      if (rule) return true;
    }
    // Dates besides the rule are Ploven's only when it wrote them for a rule of its own.
    if (icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY) != nullptr)
      Skip(comp, t::kSkipExtraDates);
    icalproperty* p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
    if (p == nullptr) return true;
    char* text = icalproperty_get_value_as_string_r(p);
    const RuleImport mapped = BetaOfRule(Text(text), start.date, m_r.Context());
    std::free(text);
    if (!mapped.beta) {
      Skip(comp, mapped.error);
      return false;
    }
    rule = mapped.beta;
    cancelBeforeStart = mapped.cancelled;
    return true;
  }

  void Cancel(ActHandle definition, DayNumber date) {
    if (date == kNoDate) return;
    if (TaskNode* task = OccurrenceTask(m_s, definition, date)) {
      if (task->act == definition) DeleteOneClone(m_r, task);
      return;
    }
    if (m_s.FindXlistEntry(definition, date) == nullptr) {
      m_s.AddXlistEntry(definition, date, kNoAct);
      m_s.MarkChanged();
    }
  }

  void Import(const Component& master, const std::vector<Component>& changed) {
    icalcomponent* c = master.c;
    if (const auto damage = Damage(c)) {
      Skip(master, Sprintf(t::kSkipDamaged, damage->c_str()));
      return;
    }
    if (AlreadyThere(master.uid)) {
      ++m_report.alreadyThere;
      return;
    }
    const Local start = ToLocal(icalcomponent_get_dtstart(c));
    const bool todo = icalcomponent_isa(c) == ICAL_VTODO_COMPONENT;
    Local end;
    if (!todo) {
      if (icalproperty* e = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY))
        end = ToLocal(icalproperty_get_datetime_with_component(e, c));
    }
    if (icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY) != nullptr &&
        start.date == kNoDate) {
      Skip(master, t::kSkipOutOfRange);
      return;
    }
    std::optional<Beta> rule;
    std::vector<DayNumber> cancelled;
    if (!RuleOfComponent(master, start, rule, cancelled)) return;
    if (rule && start.date == kNoDate) {
      Skip(master, t::kSkipNoStart);
      return;
    }

    const ItemKindField kind = KindOf(c, start, end);
    ItemEditRequest open;
    open.command = CommandFor(kind);
    open.date = start.date != kNoDate ? start.date : m_s.Today();
    std::optional<ItemEditSession> ses = OpenItemEdit(m_engine, &m_r, open);
    if (!ses) {
      Skip(master, t::kSkipNotMade);
      return;
    }
    if (!Fill(master, ses->draft, kind, start, end)) return;
    ses->draft.act.projectID = ProjectOf(c);
    ses->draft.recurrence.reset();
    if (rule) {
      ses->draft.Set(AF_SPLIT, false);
      ses->draft.act.flags &= ~static_cast<uint32_t>(AF_FLEXIBLE);
      if (rule->startDate == kNoDate) rule->startDate = start.date;
      ses->draft.recurrence = rule;
    }
    ItemEditHooks hooks;
    hooks.conflictView.text = m_engine.dateText();
    hooks.interactive = false;
    const ConfirmResult made = ConfirmItemEdit(m_engine, &m_r, *ses, hooks);
    if (made.outcome != ConfirmOutcome::kApplied || made.item == kNoAct) {
      Skip(master, t::kSkipNotMade);
      return;
    }
    const ActHandle item = made.item;
    m_memory.Remember(master.uid, m_s.GetActID(item));
    ++m_report.imported;
    Finish(c, item, !rule);
    if (!rule) return;

    for (const DayNumber date : cancelled) Cancel(item, date);
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY))
      Cancel(item, ToLocal(icalproperty_get_datetime_with_component(p, c)).date);
    for (const Component& occurrence : changed) ChangeOccurrence(item, kind, occurrence);
  }

  void ChangeOccurrence(ActHandle definition, const ItemKindField& kind, const Component& comp) {
    if (const auto damage = Damage(comp.c)) {
      Skip(comp, Sprintf(t::kSkipDamaged, damage->c_str()));
      return;
    }
    const DayNumber date = comp.recurrenceId ? comp.recurrenceId->date : kNoDate;
    TaskNode* task = date != kNoDate ? OccurrenceTask(m_s, definition, date) : nullptr;
    if (task == nullptr) {
      Skip(comp, Sprintf(t::kSkipNoOccurrence, date != kNoDate ? BasicDate(date).c_str() : "?"));
      return;
    }
    ItemEditRequest open;
    open.command = kCmdModifyItem;
    open.task = task;
    open.item = definition;
    std::optional<ItemEditSession> ses = OpenItemEdit(m_engine, &m_r, open);
    if (!ses) {
      Skip(comp, t::kSkipNotMade);
      return;
    }
    const Local start = ToLocal(icalcomponent_get_dtstart(comp.c));
    Local end;
    if (icalproperty* e = icalcomponent_get_first_property(comp.c, ICAL_DTEND_PROPERTY))
      end = ToLocal(icalproperty_get_datetime_with_component(e, comp.c));
    ItemKindField own = kind;
    if (const auto x = XValue(comp.c, kXKind)) own = ReadKindField(*x).value_or(kind);
    const std::optional<Beta> keep = ses->draft.recurrence;
    if (!Fill(comp, ses->draft, own, start.date != kNoDate ? start : Local{date, {}}, end)) return;
    ses->draft.recurrence = keep;
    ses->draft.act.projectID = ProjectOf(comp.c);
    ItemEditHooks hooks;
    hooks.conflictView.text = m_engine.dateText();
    hooks.interactive = false;
    const ConfirmResult made = ConfirmItemEdit(m_engine, &m_r, *ses, hooks);
    if (made.outcome != ConfirmOutcome::kApplied || made.item == kNoAct) {
      Skip(comp, t::kSkipNotMade);
      return;
    }
    Finish(comp.c, made.item, true);
  }

  Engine& m_engine;
  Recurrences& m_r;
  Schedule& m_s;
  CalendarMemory& m_memory;
  const CalendarImportHooks& m_hooks;
  CalendarImportReport m_report;
};

}  // namespace

std::vector<std::string> CalendarImportReport::Lines() const {
  std::vector<std::string> lines{
      Sprintf(t::kImportSummary, imported, alreadyThere, static_cast<int>(skipped.size()))};
  for (const SkippedComponent& s : skipped) {
    const std::string name = "\"" + s.summary + "\"" + (s.uid.empty() ? "" : " (" + s.uid + ")");
    lines.push_back(Sprintf(t::kSkippedLine, name.c_str(), s.reason.c_str()));
  }
  return lines;
}

CalendarImportReport ImportCalendar(Engine& engine, Recurrences& r, CalendarMemory& memory,
                                    std::string_view text, const CalendarImportHooks& hooks) {
  icalerror_set_errors_are_fatal(0);
  const std::string copy(text);
  icalcomponent* root = icalparser_parse_string(copy.c_str());
  if (root == nullptr) return {};
  PruningHold hold(engine.schedule());
  CalendarImportReport report = Importer(engine, r, memory, hooks).Run(root);
  icalcomponent_free(root);
  return report;
}

}  // namespace ploven
