#pragma once

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "edit/item_dialog_kind.h"
#include "edit/item_edit.h"
#include "edit/item_entry.h"
#include "ical/calendar_memory.h"
#include "ical/ical_export.h"
#include "ical/ical_import.h"
#include "mock/scripted_engine_ui.h"
#include "mock/test_env.h"
#include "platform/settings.h"
#include "recur/beta_qualify.h"
#include "recur/planning_session.h"
#include "recur/recurrences.h"
#include "store/calendar.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"

namespace ploven::test {

// The process's zone for one test, put back afterwards.
class ZoneScope {
 public:
  explicit ZoneScope(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneScope() {
    if (m_old)
      setenv("TZ", m_old->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  ZoneScope(const ZoneScope&) = delete;
  ZoneScope& operator=(const ZoneScope&) = delete;

 private:
  std::optional<std::string> m_old;
};

// One schedule planned as the program plans it.
struct PlannedSchedule {
  explicit PlannedSchedule(TestEnv& env)
      : settings(env.dir / ("Ploven" + std::to_string(++count) + ".ini"), env.dir / "profile.ini"),
        s(env.msg, env.clock),
        memory(Identity(count)) {
    settings.Load();
    planning = std::make_unique<PlanningSession>(s, settings, DateText{});
    planning->engine().SetUi(&engineUi);
  }
  Engine& engine() { return planning->engine(); }
  Recurrences& r() { return planning->recurrences(); }

  static inline int count = 0;
  Settings settings;
  Schedule s;
  ScriptedEngineUi engineUi{TestEnv::kToday};
  std::unique_ptr<PlanningSession> planning;
  // Each schedule its own identity, as each real one has.
  static std::string Identity(int n) {
    char text[17];
    std::snprintf(text, sizeof text, "%016x", 0xabc00000 + n);
    return text;
  }
  CalendarMemory memory;
};

inline DayNumber Day(int year, int month, int day) {
  return static_cast<DayNumber>(MakeDay(month, day, year));
}

inline Beta Rule(uint8_t freq, int interval, DayNumber from, DayNumber until = kNoDate) {
  Beta b;
  b.freq = freq;
  b.interval = static_cast<int16_t>(interval);
  b.startDate = from;
  b.endDate = until;
  return b;
}

// The parsed calendar, freed with the object.
struct Parsed {
  explicit Parsed(const std::string& text) : root(icalparser_parse_string(text.c_str())) {}
  ~Parsed() {
    if (root != nullptr) icalcomponent_free(root);
  }
  Parsed(const Parsed&) = delete;
  Parsed& operator=(const Parsed&) = delete;

  // Every VEVENT and VTODO.
  std::vector<icalcomponent*> Items() const {
    std::vector<icalcomponent*> items;
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_ANY_COMPONENT);
         c != nullptr; c = icalcomponent_get_next_component(root, ICAL_ANY_COMPONENT)) {
      const icalcomponent_kind k = icalcomponent_isa(c);
      if (k == ICAL_VEVENT_COMPONENT || k == ICAL_VTODO_COMPONENT) items.push_back(c);
    }
    return items;
  }
  // The component of that summary (the series, not an edited occurrence).
  icalcomponent* Find(const std::string& summary) const {
    for (icalcomponent* c : Items()) {
      if (summary == icalcomponent_get_summary(c) &&
          icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) == nullptr)
        return c;
    }
    return nullptr;
  }

  icalcomponent* root;
};

// The properties of a component as text lines ("NAME;PARAMS:VALUE"), sorted, DTSTAMP left out.
inline std::multiset<std::string> PropertyLines(icalcomponent* c) {
  std::multiset<std::string> lines;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_ANY_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(c, ICAL_ANY_PROPERTY)) {
    if (icalproperty_isa(p) == ICAL_DTSTAMP_PROPERTY) continue;
    char* text = icalproperty_as_ical_string_r(p);
    lines.insert(text);
    std::free(text);
  }
  return lines;
}

inline std::string Value(icalcomponent* c, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(c, kind);
  if (p == nullptr) return "";
  char* text = icalproperty_get_value_as_string_r(p);
  std::string value = text != nullptr ? text : "";
  std::free(text);
  return value;
}

inline std::vector<std::string> Values(icalcomponent* c, icalproperty_kind kind) {
  std::vector<std::string> values;
  for (icalproperty* p = icalcomponent_get_first_property(c, kind); p != nullptr;
       p = icalcomponent_get_next_property(c, kind)) {
    char* text = icalproperty_get_value_as_string_r(p);
    values.push_back(text != nullptr ? text : "");
    std::free(text);
  }
  return values;
}

inline std::string XValue(icalcomponent* c, const std::string& name) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
    if (name == icalproperty_get_x_name(p)) return icalproperty_get_x(p);
  }
  return "";
}

inline std::string Param(icalcomponent* c, icalproperty_kind kind, icalparameter_kind param) {
  icalproperty* p = icalcomponent_get_first_property(c, kind);
  if (p == nullptr) return "";
  icalparameter* q = icalproperty_get_first_parameter(p, param);
  if (q == nullptr) return "";
  char* text = icalparameter_as_ical_string_r(q);
  std::string value = text;
  std::free(text);
  return value;
}

// Makes an item the way the item dialog does.
inline ActHandle MakeItem(PlannedSchedule& p, const NewItemRequest& request) {
  NewItemRequest r = request;
  r.interactive = false;
  return EnterNewItem(p.engine(), &p.r(), r);
}

// A memo kind (birthday, anniversary, multi-day event ...) made by its New command.
inline ActHandle MakeKind(PlannedSchedule& p, int command, const std::string& title, DayNumber date,
                          DayNumber lastDay = kNoDate) {
  ItemEditRequest open;
  open.command = command;
  open.date = date;
  auto ses = OpenItemEdit(p.engine(), &p.r(), open);
  if (!ses) return kNoAct;
  ses->draft.title = title;
  if (lastDay != kNoDate) ses->draft.act.deadlineDate = lastDay;
  ItemEditHooks hooks;
  hooks.interactive = false;
  const ConfirmResult made = ConfirmItemEdit(p.engine(), &p.r(), *ses, hooks);
  return made.outcome == ConfirmOutcome::kApplied ? made.item : kNoAct;
}

// The occurrence's task on its date (clone or edited occurrence).
inline TaskNode* OccurrenceOn(Schedule& s, ActHandle definition, DayNumber date) {
  Terminal* day = s.GetTerminal(date);
  if (day == nullptr) return nullptr;
  for (TaskNode* t = day->First(); t != nullptr; t = t->Next()) {
    if (t->act == definition) return t;
    const Act& a = s.ReadAct(t->act);
    if (a.Has(AF_DRONE) && a.hBeta == definition) return t;
  }
  return nullptr;
}

// Moves one occurrence to another start time; the edited occurrence.
inline ActHandle EditOccurrence(PlannedSchedule& p, ActHandle definition, DayNumber date,
                                TimeOfDay start, const std::string& title = {}) {
  TaskNode* task = OccurrenceOn(p.s, definition, date);
  if (task == nullptr) return kNoAct;
  ItemEditRequest open;
  open.command = kCmdModifyItem;
  open.task = task;
  open.item = definition;
  auto ses = OpenItemEdit(p.engine(), &p.r(), open);
  if (!ses) return kNoAct;
  ses->draft.act.startTime = start;
  if (!title.empty()) ses->draft.title = title;
  ItemEditHooks hooks;
  hooks.interactive = false;
  const ConfirmResult made = ConfirmItemEdit(p.engine(), &p.r(), *ses, hooks);
  return made.outcome == ConfirmOutcome::kApplied ? made.item : kNoAct;
}

inline bool CancelOccurrence(PlannedSchedule& p, ActHandle definition, DayNumber date) {
  TaskNode* task = OccurrenceOn(p.s, definition, date);
  return task != nullptr && DeleteOneClone(p.r(), task);
}

// The first item of that title.
inline ActHandle ItemTitled(const Schedule& s, const std::string& title) {
  for (const auto& entry : s.actChain())
    if (s.GetActNameFull(entry.second.act) == title) return entry.second.act;
  return kNoAct;
}

}  // namespace ploven::test
