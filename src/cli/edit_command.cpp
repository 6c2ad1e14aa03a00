#include "cli/edit_command.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>

#include "cli/calendar_sync.h"
#include "cli/cli_engine_ui.h"
#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/flag_names.h"
#include "recur/occurrence_task.h"
#include "recur/planning_session.h"
#include "cli/recur_rule.h"
#include "cli/schedule_access.h"
#include "done/mark_done.h"
#include "done/start_unstart.h"
#include "edit/item_edit.h"
#include "edit/item_kind.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "recur/beta_qualify.h"
#include "recur/recurrences.h"
#include "store/projects.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;
using Args = std::vector<std::string>;

// The options that take a value, without their "--".
constexpr const char* kValued[] = {"title",         "kind",          "date",
                                   "start",         "duration",      "earliest",
                                   "earliest-at",   "deadline",      "deadline-at",
                                   "earliest-time", "latest-time",   "weekdays",
                                   "tier",          "rank",          "prereq",
                                   "prereq-days",   "prereq-time",   "expected-return",
                                   "project",       "label",         "job",
                                   "first-year",    "alarm-before",  "alarm-after",
                                   "alarm-at",      "reminder-days", "recur",
                                   "from",          "until"};
// The switches; each is also given as --no-NAME. --set-date is --no-flexible.
constexpr const char* kSwitches[] = {"flexible",    "split",         "sequenced",   "work-hours",
                                     "after-hours", "hide",          "underscored", "private",
                                     "memo-hold",   "clone-on-done", "alarm",       "also-dial",
                                     "started",     "done",          "recur"};

constexpr int kLastLabel = 9;
constexpr int kLongestPrereqDays = 999;
constexpr int kLastFirstYear = 9999;
constexpr int kMostAlarmHours = 24;
constexpr int kMostReminderDays = 99;
constexpr int kHighestRank = 32766;

// What the command line asks for, the later of two conflicting options winning.
struct EditArgs {
  std::string file;
  std::string id;
  std::optional<std::string> occurrence;
  std::map<std::string, std::string> values;
  std::map<std::string, bool> switches;
  std::map<std::string, size_t> switchedAt;  // where on the command line each switch stood

  const std::string* Value(const std::string& name) const {
    const auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
  }
  std::optional<bool> Switch(const std::string& name) const {
    const auto it = switches.find(name);
    return it == switches.end() ? std::nullopt : std::optional<bool>(it->second);
  }
  // Anything the item dialog holds (started and done are commands of their own).
  bool ChangesFields() const {
    return !values.empty() || switches.size() > switches.count("started") + switches.count("done");
  }
};

template <typename T>
bool Contains(const T& list, const std::string& name) {
  for (const char* n : list)
    if (name == n) return true;
  return false;
}

std::optional<EditArgs> ReadEditArgs(const Args& a) {
  EditArgs e;
  size_t i = 1;
  std::vector<std::string> positional;
  for (; i < a.size() && !a[i].starts_with("--"); ++i) positional.push_back(a[i]);
  if (positional.size() < 2 || positional.size() > 3) {
    UsageError(t::kWrongArguments + a[0]);
    return std::nullopt;
  }
  e.file = positional[0];
  e.id = positional[1];
  if (positional.size() == 3) e.occurrence = positional[2];
  for (; i < a.size(); ++i) {
    const std::string name = a[i].starts_with("--") ? a[i].substr(2) : a[i];
    if (a[i].starts_with("--") && Contains(kValued, name)) {
      if (i + 1 >= a.size()) {
        UsageError(t::kMissingValue + a[i]);
        return std::nullopt;
      }
      e.values[name] = a[++i];
    } else if (a[i].starts_with("--") && Contains(kSwitches, name)) {
      e.switches[name] = true;
      e.switchedAt[name] = i;
    } else if (a[i] == "--set-date") {
      e.switches["flexible"] = false;
    } else if (a[i].starts_with("--no-") && Contains(kSwitches, name.substr(3))) {
      e.switches[name.substr(3)] = false;
      e.switchedAt[name.substr(3)] = i;
    } else {
      UsageError(t::kUnknownOption + a[i]);
      return std::nullopt;
    }
  }
  if (e.values.empty() && e.switches.empty()) {
    UsageError(t::kEditWantsAnOption);
    return std::nullopt;
  }
  if (e.values.contains("alarm-before") && e.values.contains("alarm-after")) {
    UsageError(t::kAlarmBeforeOrAfter);
    return std::nullopt;
  }
  return e;
}

std::optional<long> Whole(const std::string& text, long lo, long hi) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || value < lo ||
      value > hi)
    return std::nullopt;
  return value;
}

// The values that need no schedule to be read: each bad one is a usage error, before the
// file is opened.
struct PlainValues {
  std::optional<uint16_t> kind;
  std::optional<uint8_t> tier;
  std::optional<int> rank;
  std::optional<uint8_t> label;
  std::optional<int32_t> job;
  std::optional<float> expectedReturn;
  std::optional<uint32_t> prereq;  // 0: none
  std::optional<int> prereqDays;
  std::optional<int32_t> firstYear;
  std::optional<uint32_t> alarmAt;  // AF_ALARM_AT_BEGIN or AF_ALARM_AT_END
  std::optional<int> reminderDays;
  std::optional<uint8_t> weekdays;
  std::optional<Beta> rule;  // --recur: freq, interval, dayBits and dateBits
};

std::optional<PlainValues> ReadPlainValues(const EditArgs& e) {
  PlainValues v;
  auto bad = [](const char* text) {
    UsageError(text);
    return std::nullopt;
  };
  if (const std::string* k = e.Value("kind")) {
    v.kind = KindOf(*k);
    if (!v.kind || !IsChangeableKind(*v.kind)) return bad(t::kBadKind);
  }
  if (const std::string* tier = e.Value("tier")) {
    const char c = tier->size() == 1
                       ? static_cast<char>(std::toupper(static_cast<unsigned char>((*tier)[0])))
                       : '\0';
    if (c < 'A' || c > 'Z') return bad(t::kBadTier);
    v.tier = static_cast<uint8_t>(c);
  }
  if (const std::string* rank = e.Value("rank")) {
    const auto n = Whole(*rank, 1, kHighestRank);
    if (!n) return bad(t::kBadRank);
    v.rank = static_cast<int>(*n);
  }
  if (const std::string* label = e.Value("label")) {
    const auto n = Whole(*label, 0, kLastLabel);
    if (!n) return bad(t::kBadLabel);
    v.label = static_cast<uint8_t>(*n);
  }
  if (const std::string* job = e.Value("job")) {
    const auto n = Whole(*job, 0, INT32_MAX);
    if (!n) return bad(t::kBadJobNumber);
    v.job = static_cast<int32_t>(*n);
  }
  if (const std::string* ret = e.Value("expected-return")) {
    char* end = nullptr;
    const double value = std::strtod(ret->c_str(), &end);
    if (ret->empty() || end != ret->c_str() + ret->size() || !std::isfinite(value) ||
        std::fabs(value) > 1e9)
      return bad(t::kBadExpectedReturn);
    v.expectedReturn = static_cast<float>(value);
  }
  if (const std::string* pre = e.Value("prereq")) {
    if (*pre == "none") {
      v.prereq = 0;
    } else {
      v.prereq = ReadItemID(*pre);
      if (!v.prereq) return bad(t::kBadPrereq);
    }
  }
  if (const std::string* days = e.Value("prereq-days")) {
    const auto n = Whole(*days, 0, kLongestPrereqDays);
    if (!n) return bad(t::kBadPrereqDays);
    v.prereqDays = static_cast<int>(*n);
  }
  if (const std::string* year = e.Value("first-year")) {
    const auto n = Whole(*year, 0, kLastFirstYear);
    if (!n) return bad(t::kBadFirstYear);
    v.firstYear = static_cast<int32_t>(*n);
  }
  if (const std::string* at = e.Value("alarm-at")) {
    if (*at == "begin")
      v.alarmAt = AF_ALARM_AT_BEGIN;
    else if (*at == "end")
      v.alarmAt = AF_ALARM_AT_END;
    else
      return bad(t::kBadAlarmAt);
  }
  if (const std::string* days = e.Value("reminder-days")) {
    const auto n = Whole(*days, -32768, 32767);
    if (!n) return bad(t::kBadReminderDays);
    v.reminderDays = static_cast<int>(*n);
  }
  if (const std::string* rule = e.Value("recur")) {
    Beta b;
    const RecurRuleResult read = ReadRecurRule(*rule, b);
    if (!read.ok) return bad(read.error.c_str());
    v.rule = b;
  }
  if (e.Value("recur") && e.Switch("recur") == false) return bad(t::kRecurOrNoRecur);
  if (const std::string* days = e.Value("weekdays")) {
    v.weekdays = *days == "all" ? std::optional<uint8_t>(0) : ReadWeekdays(*days);
    if (!v.weekdays || (*days != "all" && *v.weekdays == 0)) return bad(t::kBadWeekdaysOrAll);
  }
  return v;
}

// The dates, times and durations, read on the schedule's day bounds as the dialog's fields
// read them; "none" empties a field that may be empty. A value that cannot be read is refused
// with the reader's message.
class FieldReader {
 public:
  FieldReader(CliEnv& env, const Schedule& s, const EditArgs& e)
      : m_env(env),
        m_e(e),
        m_context(env.Context(s.header().earliestTimeOfDay(), s.header().latestTimeOfDay())) {}

  bool ok() const { return m_ok; }

  template <typename T>
  void Date(const char* name, bool mayBeNone, T&& put) {
    Read(
        name, mayBeNone,
        [&](const std::string& text) {
          return Take(ReadDateArgument(text, m_env.text(), m_context), put);
        },
        [&] { put(kNoDate); });
  }
  template <typename T>
  void Time(const char* name, T&& put) {
    Read(
        name, true,
        [&](const std::string& text) {
          return Take(ReadTimeArgument(text, m_env.text(), m_context), put);
        },
        [&] { put(kNoTime); });
  }
  template <typename T>
  void Minutes(const char* name, T&& put) {
    Read(
        name, false,
        [&](const std::string& text) {
          return Take(ReadDurationArgument(text, m_env.text()), put);
        },
        [] {});
  }

 private:
  // A value read is put; what the reader says beside it is told as the dialog tells it.
  template <typename V, typename T>
  bool Take(const ParseResult<V>& r, T& put) {
    if (!r.value) {
      m_env.msg().ErrorMessage(r.message);
      return false;
    }
    if (!r.message.empty()) m_env.msg().InformationMessage(r.message);
    put(*r.value);
    return true;
  }
  template <typename Parse, typename None>
  void Read(const char* name, bool mayBeNone, Parse&& parse, None&& none) {
    const std::string* text = m_e.Value(name);
    if (!m_ok || text == nullptr) return;
    if (mayBeNone && *text == "none") {
      none();
      return;
    }
    m_ok = parse(*text);
  }

  CliEnv& m_env;
  const EditArgs& m_e;
  ParseContext m_context;
  bool m_ok = true;
};

// The Recurring check box and the recurrence dialog: a new rule (the options that name
// weekdays belonged to the old one), new Start and End Dates, or Recurring unticked. False:
// refused (told).
bool ApplyRecurrence(ItemEditSession& ses, Recurrences& r, const EditArgs& e, const PlainValues& v,
                     std::optional<DayNumber> from, std::optional<DayNumber> until, Messages& msg) {
  const std::optional<bool> recurring = e.Switch("recur");
  if (!v.rule && !from && !until && !recurring) return true;
  if (ses.definition != kNoAct && !ses.modifyEveryInstance) {
    msg.ErrorMessage(t::kRecurWholeItem);
    return false;
  }
  if (recurring == false) return SetRecurring(ses, &r, std::nullopt, msg);
  if (!v.rule && !ses.draft.recurrence) {
    msg.ErrorMessage(t::kFromUntilWantRecur);
    return false;
  }
  Beta rule = ses.draft.recurrence.value_or(Beta{});
  if (v.rule) {
    constexpr uint8_t kWeekdayOptions = kOptionNearestDay | kOptionOnOrAfter | kOptionOnOrBefore;
    rule.freq = static_cast<uint8_t>((rule.freq & ~kFreqKinds) | (v.rule->freq & kFreqKinds));
    rule.interval = v.rule->interval;
    rule.dayBits = v.rule->dayBits;
    rule.dateBits = v.rule->dateBits;
    rule.betaOptions = static_cast<uint8_t>(rule.betaOptions & ~kWeekdayOptions);
  }
  if (from) rule.startDate = *from;
  if (until) rule.endDate = *until;
  return SetRecurring(ses, &r, rule, msg);
}

// Everything the item dialog holds, in the order its fields are read, with the field rules
// the dialog runs as a field is left. False: refused (told).
bool ApplyFields(CliEnv& env, Engine& engine, Recurrences& recurrences, ItemEditSession& ses,
                 const EditArgs& e, const PlainValues& v) {
  Schedule& s = engine.schedule();
  Messages& msg = s.messages();
  ItemDraft& d = ses.draft;
  Act& a = d.act;

  if (v.kind) ChangeItemKind(d, *v.kind);
  if (const std::string* title = e.Value("title")) d.title = *title;
  if (const auto priv = e.Switch("private")) {
    // A private item's title begins with "!".
    const bool is = d.title.starts_with("!");
    if (*priv && !is) d.title.insert(0, "!");
    if (!*priv && is) d.title.erase(0, 1);
  }

  FieldReader read(env, s, e);
  read.Date("date", false, [&](DayNumber x) { d.date = x; });
  read.Date("earliest", true, [&](DayNumber x) { a.earliestDate = x; });
  read.Time("earliest-at", [&](TimeOfDay x) { a.earliestDateTime = x; });
  read.Date("deadline", true, [&](DayNumber x) { a.deadlineDate = x; });
  read.Time("deadline-at", [&](TimeOfDay x) { a.deadlineTime = x; });
  read.Time("start", [&](TimeOfDay x) { a.startTime = x; });
  std::optional<Duration> duration, prereqTime, alarmOffset;
  read.Minutes("duration", [&](Duration x) { duration = x; });
  read.Time("earliest-time", [&](TimeOfDay x) { a.earliestTime = x; });
  read.Time("latest-time", [&](TimeOfDay x) { a.latestTime = x; });
  read.Minutes("prereq-time", [&](Duration x) { prereqTime = x; });
  read.Minutes("alarm-before", [&](Duration x) { alarmOffset = x; });
  read.Minutes("alarm-after", [&](Duration x) { alarmOffset = static_cast<Duration>(-x); });
  std::optional<DayNumber> from, until;
  read.Date("from", false, [&](DayNumber x) { from = x; });
  read.Date("until", true, [&](DayNumber x) { until = x; });
  if (!read.ok()) return false;

  // Set Date / Flexible Date: choosing Set Date may take the deadline time as Latest End.
  if (const auto flexible = e.Switch("flexible")) {
    if (*flexible)
      d.Set(AF_FLEXIBLE, true);
    else if (d.flexible())
      SetDateChosen(ses, msg);
  }
  if (duration) a.duration = *duration;
  if (v.weekdays) a.weekdays = *v.weekdays;

  struct FlagSwitch {
    const char* name;
    uint32_t flag;
  };
  for (const FlagSwitch& f :
       {FlagSwitch{"split", AF_SPLIT}, FlagSwitch{"sequenced", AF_SEQUENCED},
        FlagSwitch{"hide", AF_HIDE}, FlagSwitch{"underscored", AF_UNDERSCORED},
        FlagSwitch{"memo-hold", AF_HOPE}, FlagSwitch{"clone-on-done", AF_CLONE_ON_DONE},
        FlagSwitch{"also-dial", AF_ALSO_DIAL}})
    if (const auto on = e.Switch(f.name)) d.Set(f.flag, *on);
  // Work hours and after work hours exclude each other, as their check boxes do: the one
  // ticked last stands.
  struct HoursBox {
    const char* name;
    uint32_t flag;
    uint32_t other;
  };
  HoursBox boxes[] = {{"work-hours", AF_WORK_HOURS, AF_AFTER_HOURS},
                      {"after-hours", AF_AFTER_HOURS, AF_WORK_HOURS}};
  if (e.switchedAt.contains("work-hours") && e.switchedAt.contains("after-hours") &&
      e.switchedAt.at("work-hours") > e.switchedAt.at("after-hours"))
    std::swap(boxes[0], boxes[1]);
  for (const HoursBox& box : boxes) {
    const auto on = e.Switch(box.name);
    if (!on) continue;
    d.Set(box.flag, *on);
    if (*on) d.Set(box.other, false);
  }

  if (v.tier && *v.tier != a.tier) {
    a.tier = *v.tier;
    d.rank = 0;  // a new tier: its end
  }
  if (v.rank) d.rank = *v.rank;
  if (v.prereq) {
    if (*v.prereq != 0) {
      const ActHandle pre = s.FindActByID(*v.prereq);
      const std::string id = std::to_string(*v.prereq);
      if (pre == kNoAct) {
        msg.ErrorMessage(Sprintf(t::kNoSuchPrereq, id.c_str()));
        return false;
      }
      if (!s.CanBePrereq(pre, ses.item)) {
        msg.ErrorMessage(Sprintf(t::kNotAPrereq, id.c_str()));
        return false;
      }
    }
    a.prereqID = *v.prereq;
  }
  if (v.prereqDays) a.prereqDays = static_cast<int16_t>(*v.prereqDays);
  if (prereqTime) a.prereqMinutes = *prereqTime;
  if (v.expectedReturn) a.expectedReturn = *v.expectedReturn;
  if (const std::string* project = e.Value("project")) {
    a.projectID = *project == "none" ? 0 : FindProjectIDByName(s, *project);
    if (a.projectID == 0 && *project != "none") {
      msg.ErrorMessage(Sprintf(t::kNoSuchProject, project->c_str()));
      return false;
    }
  }
  if (v.label) a.label = *v.label;
  if (v.job) a.jobNumber = *v.job;
  if (v.firstYear) a.firstYear = *v.firstYear;

  // The Alarm check box, then what the alarm dialog sets; its OK ticks the box. Switching
  // Also Dial or the Daily Reminders off alone is no reason to have an alarm.
  const bool alarmDialog = alarmOffset || v.alarmAt || v.reminderDays.value_or(0) != 0 ||
                           e.Switch("also-dial").value_or(false);
  if (const auto on = e.Switch("alarm"); on && !*on) {
    d.Set(AF_ALARM, false);
  } else if ((on || alarmDialog) && !d.Has(AF_ALARM)) {
    AlarmTicked(ses, msg, {});
  }
  if (alarmOffset) {
    const int minutes = std::abs(*alarmOffset);
    if (minutes / 60 > kMostAlarmHours) {
      msg.ErrorMessage(t::kAlarmOver24Hours);
      return false;
    }
    const int sign = *alarmOffset < 0 ? -1 : 1;
    a.alarmHours = static_cast<int8_t>(sign * (minutes / 60));
    a.alarmMinutes = static_cast<int16_t>(sign * (minutes % 60));
  }
  if (v.reminderDays) {
    if (std::abs(*v.reminderDays) > kMostReminderDays) {
      msg.ErrorMessage(Sprintf(t::kReminderDaysOverLimit, *v.reminderDays));
      return false;
    }
    a.reminderDays = static_cast<int8_t>(*v.reminderDays);
    d.Set(AF_REMINDER_DAYS, a.reminderDays != 0);
  }
  if (alarmDialog && d.Has(AF_ALARM)) {
    // The dialog opens with the begin chosen when neither point is.
    if (v.alarmAt) d.Set(AF_ALARM_AT_BEGIN | AF_ALARM_AT_END, false);
    d.Set(v.alarmAt.value_or(d.Has(AF_ALARM_AT_END) ? AF_ALARM_AT_END : AF_ALARM_AT_BEGIN), true);
  }

  if (!ApplyRecurrence(ses, recurrences, e, v, from, until, msg)) return false;

  // Leaving the Duration field: a duration longer than the day bounds (a memo takes none).
  if (duration && !d.Has(AF_HOPE)) DurationLeft(ses, engine, msg);

  if ((a.typeFlags & (ACT_APPOINTMENT | ACT_APPOINTMENT_ALT)) && a.startTime == kNoTime) {
    msg.ErrorMessage(t::kAppointmentWantsStart);
    return false;
  }
  if (v.rank && !d.flexible()) {
    msg.ErrorMessage(t::kRankWantsFlexible);
    return false;
  }
  if (d.Has(AF_SEQUENCED) && !d.flexible()) {
    if (e.Switch("sequenced").value_or(false)) {
      msg.ErrorMessage(t::kSequencedWantsFlexible);
      return false;
    }
    d.Set(AF_SEQUENCED, false);  // a Set Date item follows no one
  }
  return true;
}

}  // namespace

int EditCommand(CliEnv& env, const Args& a) {
  const auto e = ReadEditArgs(a);
  if (!e) return kExitUsage;
  const auto v = ReadPlainValues(*e);
  if (!v) return kExitUsage;
  const auto id = ReadItemID(e->id);
  if (!id) return Refuse(env, Sprintf(t::kBadID, e->id.c_str()));
  const auto started = e->Switch("started");
  const auto done = e->Switch("done");

  WriteSession session(env, e->file);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  PlanningSession planner(s, env.settings(), env.text());
  Engine& engine = planner.engine();
  Recurrences& recurrences = planner.recurrences();
  CliEngineUi ui(s.Today(), ViewKind::kDay, {});
  engine.SetUi(&ui);
  // Each run starts the program afresh: series that ended before the open days go.
  ExpireRecurringItems(recurrences);

  const ActHandle h = s.FindActByID(*id);
  if (h == kNoAct) {
    if (FindProjectByID(s, *id) != kNoAct)
      return Refuse(env, Sprintf(t::kProjectNotEdited, e->id.c_str()));
    return Refuse(env, Sprintf(t::kNoSuchID, e->id.c_str()));
  }
  const bool recurring = (s.ActFlags(h) & AF_BETA) != 0;
  std::optional<DayNumber> occurrence;
  TaskNode* task = nullptr;
  if (e->occurrence) {
    if (!recurring) return Refuse(env, Sprintf(t::kOnlyRecurringOccurs, e->id.c_str()));
    const auto date =
        ReadDateArgument(*e->occurrence, env.text(),
                         env.Context(s.header().earliestTimeOfDay(), s.header().latestTimeOfDay()));
    if (!date.value) return Refuse(env, date.message);
    occurrence = *date.value;
    task = OccurrenceTask(s, h, *occurrence);
    if (task == nullptr)
      return Refuse(env, Sprintf(t::kNoOccurrence, e->id.c_str(), IsoDate(*occurrence).c_str()));
  } else if (recurring && (started || done)) {
    return Refuse(env, Sprintf(t::kStartedDoneByOccurrence, e->id.c_str()));
  }

  CalendarSync calendar(env, s, session.path());
  const std::string oldTitle = s.GetActNameFull(h);
  ActHandle item = h;
  if (e->ChangesFields()) {
    ItemEditRequest request;
    request.command = recurring && !occurrence ? kCmdModifyAllRecurrences : kCmdModifyItem;
    request.task = task;
    request.item = h;
    request.lightMode = s.header().LightModePermitted();
    std::optional<ItemEditSession> ses = OpenItemEdit(engine, &recurrences, request);
    if (!ses) return kExitRefused;
    if (!ApplyFields(env, engine, recurrences, *ses, *e, *v)) return kExitRefused;
    ItemEditHooks hooks;
    hooks.conflictView.text = env.text();
    const ConfirmResult result = ConfirmItemEdit(engine, &recurrences, *ses, hooks);
    if (result.outcome != ConfirmOutcome::kApplied) return kExitRefused;
    item = result.item;
    calendar.Changed(oldTitle, item);
  }

  if (started || done) {
    // The task again: the edit may have moved the item or made the occurrence its own.
    task = occurrence ? OccurrenceTask(s, h, *occurrence) : s.ActTask(item);
    if (task == nullptr) return Refuse(env, Sprintf(t::kNotOnADay, e->id.c_str()));
    if (started && !SetStarted(s, task, *started))
      return Refuse(env, Sprintf(t::kNotEdited, e->id.c_str()));
    if (done) {
      const DayNumber date = occurrence ? *occurrence : s.GetActDate(task->act);
      calendar.Done(task->act, date, *done);
    }
    if (done && *done && !MarkTaskDone(engine, task)) return kExitRefused;
    if (done && !*done) MarkItemUndone(engine, task->act);
    item = task->act;
  }
  const uint32_t changed = s.GetActID(item);
  s.PruneTerminals();
  if (!session.Save()) return kExitRefused;
  std::cout << changed << '\n';
  calendar.Send();
  return kExitOk;
}

}  // namespace ploven::cli
