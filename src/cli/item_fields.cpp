#include "cli/item_fields.h"

#include "cli/cli_input.h"
#include "cli/flag_names.h"
#include "cli/output.h"
#include "cli/recur_rule.h"
#include "recur/beta_qualify.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"

namespace ploven::cli {
namespace {

JsonValue Date(DayNumber d) { return d > 0 ? JsonValue(IsoDate(d)) : JsonValue(); }
JsonValue Time(TimeOfDay t) { return t > 0 ? JsonValue(ClockText(t, true)) : JsonValue(); }
JsonValue Id(uint32_t id) { return id != 0 ? JsonValue(id) : JsonValue(); }

JsonValue Names(const std::vector<std::string>& names) {
  JsonValue::List list;
  for (const std::string& n : names) list.emplace_back(n);
  return list;
}

JsonValue Weekdays(uint8_t bits) {
  JsonValue::List list;
  const std::string names = WeekdayNames(bits);
  for (size_t at = 0; at < names.size(); at += 3) list.emplace_back(names.substr(at, 2));
  return list;
}

JsonValue Options(uint8_t options) {
  static constexpr struct {
    uint8_t bit;
    const char* name;
  } kOptions[] = {{kOptionNearestDay, "nearest"},      {kOptionOnOrAfter, "on-or-after"},
                  {kOptionOnOrBefore, "on-or-before"}, {kOptionNoteNotShared, "note-not-shared"},
                  {kOptionFullMoons, "full-moons"},    {kOptionSeasonal, "seasonal"}};
  JsonValue::List list;
  for (const auto& o : kOptions)
    if (options & o.bit) list.emplace_back(o.name);
  return list;
}

JsonValue Recurrence(const Schedule& s, const Beta& b) {
  JsonValue r = JsonValue::Object();
  r.Set("rule", WriteRecurRule(b));
  r.Set("from", Date(b.startDate));
  r.Set("until", b.endDate == kNoEndDate ? JsonValue() : Date(b.endDate));
  r.Set("options", Options(b.betaOptions));
  r.Set("nearest", (b.betaOptions & kOptionNearestDay) ? Weekdays(b.dayBits & kEveryWeekdayBits) : JsonValue());
  r.Set("bringForward", (b.freq & kBringForwardDeleteInstance) ? "delete"
                        : (b.freq & kBringForwardShiftStart)   ? "shift"
                                                               : "instance");
  r.Set("lastDone", Date(b.lastDone));
  JsonValue::List exceptions;
  for (const XEntry& x : b.xlist) {
    JsonValue e = JsonValue::Object();
    e.Set("date", Date(x.date));
    e.Set("id",
          x.drone != kNoAct && s.IsActValid(x.drone) ? Id(s.ReadAct(x.drone).ID) : JsonValue());
    exceptions.push_back(std::move(e));
  }
  r.Set("exceptions", std::move(exceptions));
  return r;
}

}  // namespace

JsonValue ItemFields(Schedule& s, ActHandle h) {
  const Act a = s.ReadAct(h);
  JsonValue f = JsonValue::Object();
  f.Set("id", s.GetActID(h));
  f.Set("kind", KindName(a.typeFlags));
  f.Set("title", s.GetActTitleFull(h));
  f.Set("private", s.GetActNameFull(h).starts_with("!"));
  f.Set("date", a.Has(AF_BETA) ? JsonValue() : Date(s.GetActDate(h)));
  f.Set("start", Time(a.startTime));
  f.Set("duration", static_cast<int>(a.duration));
  f.Set("earliest", Date(a.earliestDate));
  f.Set("earliestAt", Time(a.earliestDateTime));
  f.Set("deadline", Date(a.deadlineDate));
  f.Set("deadlineAt", Time(a.deadlineTime));
  f.Set("earliestTime", Time(a.earliestTime));
  f.Set("latestTime", Time(a.latestTime));
  f.Set("weekdays", Weekdays(a.weekdays));
  f.Set("tier", a.tier >= 'A' && a.tier <= 'Z'
                    ? JsonValue(std::string(1, static_cast<char>(a.tier)))
                    : JsonValue());
  f.Set("rank", static_cast<int>(s.GetActRank(h)));
  std::string project;
  if (a.projectID != 0 && ProjectName(s, a.projectID, project) > 0)
    f.Set("project", project);
  else
    f.Set("project", JsonValue());
  f.Set("projectId", Id(a.projectID));
  f.Set("label", static_cast<int>(a.label));
  f.Set("jobNumber", a.jobNumber);
  f.Set("expectedReturn", static_cast<double>(a.expectedReturn));
  f.Set("expense", static_cast<double>(a.expense));
  f.Set("mileage", static_cast<int>(a.mileage));
  f.Set("firstYear", a.firstYear);
  f.Set("prereq", Id(a.prereqID));
  f.Set("prereqDays", static_cast<int>(a.prereqDays));
  f.Set("prereqMinutes", static_cast<int>(a.prereqMinutes));
  f.Set("alarmHours", static_cast<int>(a.alarmHours));
  f.Set("alarmMinutes", static_cast<int>(a.alarmMinutes));
  f.Set("alarmState", static_cast<int>(a.alarmState));
  f.Set("reminderDays", static_cast<int>(a.reminderDays));
  f.Set("color", a.color);
  f.Set("noteNumber", a.noteNumber);
  f.Set("created", Date(a.createdDate));
  f.Set("createdTime", Time(a.createdTime));
  f.Set("touched", Date(a.touchedDate));
  f.Set("touchedTime", Time(a.touchedTime));
  f.Set("postponeCount", static_cast<int>(a.postponeCount));
  f.Set("flags", Names(FlagNamesOf(a.flags)));
  const ActHandle definition = RecurringItemOf(s, h);
  const Beta* beta = a.Has(AF_BETA) ? RecurrenceOf(s, h) : nullptr;
  f.Set("recurrence", beta != nullptr ? Recurrence(s, *beta) : JsonValue());
  f.Set("occurrenceOf",
        definition != kNoAct && definition != h ? Id(s.GetActID(definition)) : JsonValue());
  return f;
}

JsonValue TaskFields(Schedule& s, const TaskNode& task, DayNumber date, const std::string& title) {
  JsonValue f = JsonValue::Object();
  f.Set("placedAt", ClockText(task.StartTime(), true));
  f.Set("placedLength", static_cast<int>(task.length));
  f.Set("conflict", task.InConflict());
  f.Set("taskKind", TaskKind(s, task));
  JsonValue item = ItemFields(s, task.act);
  if (s.ActFlags(task.act) & AF_BETA) {
    // An unedited occurrence: its recurring item on this day.
    item.Set("title", title);
    item.Set("date", Date(date));
    item.Set("occurrenceOf", s.GetActID(task.act));
  }
  f.SetAll(std::move(item));
  return f;
}

JsonValue InfoFields(const Schedule& s) {
  const ScheduleHeader& h = s.header();
  using H = ScheduleHeader;
  int undated = 0;
  for (const auto& [key, node] : s.actChain())
    if (!(s.ActFlags(node.act) & AF_BETA) && s.GetActDate(node.act) == kNoDate) ++undated;
  JsonValue f = JsonValue::Object();
  f.Set("formatVersion", static_cast<int>(h.Get<int16_t>(H::kFormatVersion)));
  f.Set("dayCount", s.CountTerminals());
  f.Set("undatedCount", undated);
  f.Set("recurringCount", s.betaChain().size());
  f.Set("projectCount", s.projects().Count());
  f.Set("nextActID", h.nextActID());
  f.Set("nextNoteNumber", static_cast<int>(h.nextNoteNumber()));
  f.Set("lastArchivedDate", Date(h.lastArchivedDate()));
  f.Set("minSplitMinutes", h.minSplitMinutes());
  // Past midnight (Midnight Shift) the latest time reads beyond 24:00.
  f.Set("earliestTimeOfDay", ClockText(h.earliestTimeOfDay(), false));
  f.Set("latestTimeOfDay", ClockText(h.latestTimeOfDay(), false));
  f.Set("itemCount", s.actChain().Count());
  f.Set("priorityCount", s.priorityIndex().Count());
  f.Set("mode", h.LightModePermitted() ? "light" : "pro");
  f.Set("workStart", ClockText(h.workdayStart(), true));
  f.Set("workEnd", ClockText(h.workdayEnd(), true));
  f.Set("reserveToday", static_cast<int>(h.Get<int16_t>(H::kReserveToday)));
  f.Set("reserveFuture", static_cast<int>(h.Get<int16_t>(H::kReserveFuture)));
  f.Set("keepClearFrom", Date(h.Get<int16_t>(H::kKeepClearFrom)));
  f.Set("keepClearThrough", Date(h.Get<int16_t>(H::kKeepClearThrough)));
  f.Set("scheduleStartDate", Date(h.Get<int16_t>(H::kScheduleStartDate)));
  f.Set("lastSaveDate", Date(h.Get<int16_t>(H::kLastSaveDate)));
  f.Set("lastSaveTime", Time(h.Get<int16_t>(H::kLastSaveTime)));
  f.Set("createdByVersion", static_cast<double>(h.Get<float>(H::kCreatedByVersion)));
  f.Set("writtenByVersion", static_cast<double>(h.Get<float>(H::kWrittenByVersion)));
  return f;
}

std::string FieldsLine(const JsonValue& object) {
  std::vector<std::pair<std::string, std::string>> fields;
  object.Flatten("", fields);
  std::string line;
  for (const auto& [name, value] : fields) {
    if (!line.empty()) line += '\t';
    line += name;
    line += '=';
    for (const char c : value) {
      switch (c) {
        case '\\':
          line += "\\\\";
          break;
        case '\t':
          line += "\\t";
          break;
        case '\r':
          line += "\\r";
          break;
        case '\n':
          line += "\\n";
          break;
        default:
          line += c;
      }
    }
  }
  return line;
}

}  // namespace ploven::cli
