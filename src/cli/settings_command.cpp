#include "cli/settings_command.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>

#include "cli/cli_engine_ui.h"
#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "recur/planning_session.h"
#include "cli/schedule_access.h"
#include "engine/engine_settings.h"
#include "engine/schedule_settings.h"
#include "engine/balance_all_days.h"
#include "engine/day_bounds.h"
#include "engine/priorities.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "engine/engine_messages.h"
#include "platform/program_settings.h"
#include "platform/settings_keys.h"
#include "store/calendar.h"
#include "store/schedule_header.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;
using Args = std::vector<std::string>;

// The schedule's own settings that `set` hands to the settings dialogs' rules as they are.
constexpr const char* kDialogKeys[] = {"dayStart",      "dayEnd",        "workStart",
                                       "workEnd",       "minSplit",      "reserveToday",
                                       "reserveFuture", "keepClearFrom", "keepClearThrough"};
constexpr char kMidnightShift[] = "midnightShift";  // read only: dayEnd before dayStart
constexpr char kMode[] = "mode";
constexpr char kAppearFirst[] = "appearFirst";
constexpr char kAppearLast[] = "appearLast";

// Program settings kept as text, as colour numbers, and as four numbers.
constexpr const char* kTextKeys[] = {key::kUserName, key::kErrorLog,  key::kFontHeadings,
                                     key::kFontText, key::kFontMonth, key::kFontNote};
constexpr const char* kColourKeys[] = {key::kColorNormalBackground, key::kColorNormalText,
                                       key::kColorFluid, key::kColorUnscheduled, key::kColorDone,
                                       key::kColorFreeTime, key::kColorPastTime,
                                       key::kColorSelection};
constexpr const char* kRectKeys[] = {key::kTimerPos, key::kFilterWnd};
// The switches of the Other Settings dialog, and its two timer intervals.
constexpr const char* kOtherSwitches[] = {key::kLifeProject,        key::kBalanceLightensLoad,
                                          key::kAutoPilot,          key::kAutoBalanceDay,
                                          key::kAutoBringForward,   key::kExpectedReturnsActive,
                                          key::kEnableHideDoneItems};
constexpr uint32_t kLargestColour = 0xFFFFFF;

template <typename List>
bool In(const List& list, const std::string& name) {
  for (const char* k : list)
    if (name == k) return true;
  return false;
}

std::string WorkdayKey(int day) { return Sprintf(key::kWorkdayFormat, day); }
std::optional<int> WorkdayOf(const std::string& name) {
  for (int day = 0; day < 7; ++day)
    if (name == WorkdayKey(day)) return day;
  return std::nullopt;
}

bool IsScheduleKey(const std::string& name) {
  return In(kDialogKeys, name) || name == kMidnightShift || name == kMode || name == kAppearFirst ||
         name == kAppearLast;
}

bool IsProgramIntKey(const std::string& name) {
  for (std::string_view k : ProgramSettings::IntKeys())
    if (name == k) return true;
  return false;
}

bool IsKey(const std::string& name) {
  return IsScheduleKey(name) || IsProgramIntKey(name) || WorkdayOf(name) || In(kTextKeys, name) ||
         In(kColourKeys, name) || In(kRectKeys, name);
}

std::optional<int> Integer(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// "h:mm", which the Duration fields read back as the same minutes.
std::string HoursMinutes(int minutes) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d:%02d", minutes / 60, minutes % 60);
  return buf;
}

ProgramSettings LoadProgramSettings(CliEnv& env) {
  ProgramSettings p;
  LocaleFacts locale;
  locale.country = env.text().regional.iCountry;
  p.Load(env.settings(), locale);
  return p;
}

// One setting as `get` shows it: the text `set` reads back, and the JSON value.
struct Shown {
  std::string text;
  JsonValue json;
};

Shown Time(TimeOfDay t) { return {ClockText(t, true), ClockText(t, true)}; }
Shown Minutes(int minutes) { return {HoursMinutes(minutes), minutes}; }
Shown Date(DayNumber d) {
  if (d <= 0) return {"none", JsonValue()};
  return {IsoDate(d), IsoDate(d)};
}
Shown Number(long n) { return {std::to_string(n), n}; }
Shown Text(const std::string& s) { return {s, s}; }

Shown ItemID(const Schedule& s, uint32_t marker) {
  const ActHandle h = s.FindMarkedAct(marker);
  if (h == kNoAct) return {"none", JsonValue()};
  return Number(s.ReadAct(h).ID);
}

Shown Value(CliEnv& env, const Schedule& s, const ProgramSettings& p, const std::string& name) {
  const ScheduleHeader& h = s.header();
  using H = ScheduleHeader;
  if (name == "dayStart") return Time(h.earliestTimeOfDay());
  if (name == "dayEnd") return Time(h.latestTimeOfDay());
  if (name == kMidnightShift) {
    const TimeOfDay earliest = h.earliestTimeOfDay(), latest = h.latestTimeOfDay();
    // A day that ends a minute before midnight needs no shift.
    if (!MidnightShiftOn(earliest, latest) || ClockMinutes(latest) == kMinutesPerDay - 1)
      return {"off", "off"};
    return Time(MidnightShiftPoint(earliest, latest));
  }
  if (name == "workStart") return Time(h.workdayStart());
  if (name == "workEnd") return Time(h.workdayEnd());
  if (name == "minSplit") return Minutes(h.minSplitMinutes());
  if (name == "reserveToday") return Minutes(h.Get<int16_t>(H::kReserveToday));
  if (name == "reserveFuture") return Minutes(h.Get<int16_t>(H::kReserveFuture));
  if (name == "keepClearFrom") return Date(h.Get<int16_t>(H::kKeepClearFrom));
  if (name == "keepClearThrough") return Date(h.Get<int16_t>(H::kKeepClearThrough));
  if (name == kMode) return Text(h.LightModePermitted() ? "light" : "pro");
  if (name == kAppearFirst) return ItemID(s, AF_MARK1);
  if (name == kAppearLast) return ItemID(s, AF_MARK2);
  if (const auto day = WorkdayOf(name)) return Number(p.workday[static_cast<size_t>(*day)]);
  if (const auto value = p.IntValue(name)) return Number(*value);
  if (In(kTextKeys, name)) {
    // The error log switch has its default; the others are empty until set.
    return Text(env.settings().ReadString(name, name == key::kErrorLog ? p.errorLog : ""));
  }
  if (In(kColourKeys, name)) {
    const ProgramSettings defaults;
    uint32_t fallback = 0;
    if (name == key::kColorNormalBackground) fallback = defaults.colorNormalBackground;
    if (name == key::kColorNormalText) fallback = defaults.colorNormalText;
    if (name == key::kColorFluid) fallback = defaults.colorFluid;
    if (name == key::kColorUnscheduled) fallback = defaults.colorUnscheduled;
    if (name == key::kColorDone) fallback = defaults.colorDone;
    if (name == key::kColorFreeTime) fallback = defaults.colorFreeTime;
    if (name == key::kColorPastTime) fallback = defaults.colorPastTime;
    if (name == key::kColorSelection) fallback = defaults.colorSelection;
    return Number(env.settings().ReadColour(name, fallback));
  }
  if (In(kRectKeys, name)) {
    const auto rect = env.settings().ReadRect(name);
    if (!rect) return {"", JsonValue()};
    return {Sprintf("%d %d %d %d", rect->a, rect->b, rect->c, rect->d),
            JsonValue::List{rect->a, rect->b, rect->c, rect->d}};
  }
  return {"", JsonValue()};
}

// The changes of one `set`, read and checked before anything changes.
struct Changes {
  std::vector<SettingChange> dialog;  // the Work Hours, Day Bounds and Balance Settings
  std::optional<int32_t> mode;
  std::optional<std::string> appearFirst, appearLast;
  std::map<std::string, int> ints;  // program integers, Other Settings and workdays included
  std::map<std::string, std::string> texts;
  std::map<std::string, std::optional<SettingsRect>> rects;
};

std::optional<Changes> ReadChanges(const Args& a) {
  Changes c;
  auto bad = [](const std::string& text) {
    UsageError(text);
    return std::nullopt;
  };
  for (size_t i = 2; i < a.size(); ++i) {
    const size_t eq = a[i].find('=');
    const std::string name = a[i].substr(0, eq);
    if (eq == std::string::npos || !IsKey(name)) return bad(t::kUnknownSetting + a[i]);
    const std::string value = a[i].substr(eq + 1);
    if (name == kMidnightShift) return bad(t::kMidnightShiftReadOnly);
    if (In(kDialogKeys, name)) {
      c.dialog.push_back({name, value});
    } else if (name == kMode) {
      if (value != "light" && value != "pro") return bad(t::kBadMode);
      c.mode = value == "light" ? kScheduleLightMode : kScheduleProMode;
    } else if (name == kAppearFirst || name == kAppearLast) {
      if (value != "none" && !ReadItemID(value)) return bad(name + t::kWantsRecurringID);
      (name == kAppearFirst ? c.appearFirst : c.appearLast) = value;
    } else if (In(kTextKeys, name)) {
      c.texts[name] = value;
    } else if (In(kRectKeys, name)) {
      SettingsRect r;
      int used = 0;
      if (value.empty()) {
        c.rects[name] = std::nullopt;
      } else if (std::sscanf(value.c_str(), "%d %d %d %d%n", &r.a, &r.b, &r.c, &r.d, &used) == 4 &&
                 static_cast<size_t>(used) == value.size()) {
        c.rects[name] = r;
      } else {
        return bad(name + t::kWantsFourNumbers);
      }
    } else {
      const auto n = Integer(value);
      if (!n) return bad(name + t::kWantsWholeNumber);
      const bool onOff = In(kOtherSwitches, name) || WorkdayOf(name).has_value();
      if (onOff && *n != 0 && *n != 1) return bad(name + t::kWantsZeroOrOne);
      if (In(kColourKeys, name) && (*n < 0 || static_cast<uint32_t>(*n) > kLargestColour))
        return bad(name + t::kWantsColour);
      c.ints[name] = *n;
    }
  }
  return c;
}

// The Other Settings dialog's refusals of a timer interval.
bool CheckIntervals(const Changes& c, Messages& msg) {
  for (const auto& [name, refusal] :
       {std::pair{key::kAutoPilotTimerVar, engine_text::kAutoPilotIntervalRefused},
        std::pair{key::kBalanceTodayTimerVar, engine_text::kBalanceDayIntervalRefused}}) {
    const auto it = c.ints.find(name);
    if (it != c.ints.end() && !ReadTimerInterval(std::to_string(it->second))) {
      msg.ErrorMessage(refusal);
      return false;
    }
  }
  return true;
}

// The recurring item named to appear first or last; none for "none". False: refused (told).
bool AppearItem(Schedule& s, const std::optional<std::string>& value, uint32_t marker,
                ActHandle& into) {
  into = s.FindMarkedAct(marker);
  if (!value) return true;
  if (*value == "none") {
    into = kNoAct;
    return true;
  }
  into = s.FindActByID(*ReadItemID(*value));
  if (into == kNoAct) {
    s.messages().ErrorMessage(Sprintf(t::kNoSuchID, value->c_str()));
    return false;
  }
  return true;
}

// Writes the program settings that changed, through the dialogs' own stores where there is
// one. False when "Ploven.ini" could not be written.
bool StoreProgramSettings(const Changes& c, ProgramSettings& p, Settings& settings) {
  bool stored = true;
  OtherSettings other = OtherSettingsOf(p);
  auto take = [&](const char* name, auto& field) {
    const auto it = c.ints.find(name);
    if (it == c.ints.end()) return false;
    using Field = std::remove_reference_t<decltype(field)>;
    field = static_cast<Field>(it->second);
    return true;
  };
  bool otherChanged = false;
  otherChanged |= take(key::kLifeProject, other.lifeProjects);
  otherChanged |= take(key::kBalanceLightensLoad, other.balanceLightensLoad);
  otherChanged |= take(key::kAutoPilot, other.autoPilot);
  otherChanged |= take(key::kAutoPilotTimerVar, other.autoPilotInterval);
  otherChanged |= take(key::kAutoBalanceDay, other.autoBalanceDay);
  otherChanged |= take(key::kBalanceTodayTimerVar, other.balanceDayInterval);
  otherChanged |= take(key::kAutoBringForward, other.autoBringForward);
  otherChanged |= take(key::kExpectedReturnsActive, other.expectedReturnsActive);
  otherChanged |= take(key::kEnableHideDoneItems, other.hideDoneItems);
  if (otherChanged) stored &= StoreOtherSettings(other, p, settings);

  std::array<bool, 7> workdays{};
  bool workdaysChanged = false;
  for (int day = 0; day < 7; ++day) {
    const auto i = static_cast<size_t>(day);
    workdays[i] = p.workday[i] != 0;
    workdaysChanged |= take(WorkdayKey(day).c_str(), workdays[i]);
  }
  if (workdaysChanged) stored &= StoreWorkdays(workdays, p, settings);

  settings.TakeSaveFailure();
  {
    Settings::Batch batch(settings);
    for (const auto& [name, value] : c.ints) {
      if (In(kOtherSwitches, name) || name == key::kAutoPilotTimerVar ||
          name == key::kBalanceTodayTimerVar || WorkdayOf(name))
        continue;
      if (p.SetIntValue(name, value)) {
        stored &= p.WriteInt(settings, name);
      } else {
        stored &= settings.WriteInt(name, value);  // a colour
      }
    }
    for (const auto& [name, value] : c.texts) stored &= settings.WriteString(name, value);
    for (const auto& [name, rect] : c.rects)
      stored &= rect ? settings.WriteRect(name, *rect) : settings.WriteString(name, "");
  }
  return !settings.TakeSaveFailure() && stored;
}

}  // namespace

std::vector<std::string> SettingKeys() {
  std::vector<std::string> keys{
      "dayStart", "dayEnd",       kMidnightShift,  "workStart",     "workEnd",
      "minSplit", "reserveToday", "reserveFuture", "keepClearFrom", "keepClearThrough",
      kMode,      kAppearFirst,   kAppearLast};
  for (std::string_view k : ProgramSettings::IntKeys()) keys.emplace_back(k);
  for (int day = 0; day < 7; ++day) keys.push_back(WorkdayKey(day));
  for (const char* k : kColourKeys) keys.emplace_back(k);
  for (const char* k : kRectKeys) keys.emplace_back(k);
  for (const char* k : kTextKeys) keys.emplace_back(k);
  return keys;
}

int GetCommand(CliEnv& env, const Args& args) {
  const auto a = ReadListingArgs(args, false);
  if (!a) return kExitUsage;
  if (a->positional.size() < 2) return UsageError(t::kWrongArguments + args[0]);
  std::vector<std::string> keys(a->positional.begin() + 2, a->positional.end());
  for (const std::string& k : keys)
    if (!IsKey(k)) return UsageError(t::kUnknownSetting + k);
  const bool named = !keys.empty();
  if (!named) keys = SettingKeys();
  auto s = LoadForReading(env, a->positional[1]);
  if (s == nullptr) return kExitRefused;
  const ProgramSettings p = LoadProgramSettings(env);
  JsonValue json = JsonValue::Object();
  for (const std::string& k : keys) {
    Shown shown = Value(env, *s, p, k);
    if (a->listing == Listing::kJson)
      json.Set(k, std::move(shown.json));
    else
      std::cout << (named ? shown.text : k + "=" + shown.text) << '\n';
  }
  if (a->listing == Listing::kJson) std::cout << json.Text() << '\n';
  return kExitOk;
}

int SetCommand(CliEnv& env, const Args& a) {
  if (a.size() < 3) return UsageError(t::kWrongArguments + a[0]);
  const auto c = ReadChanges(a);
  if (!c) return kExitUsage;
  if (!CheckIntervals(*c, env.msg())) return kExitRefused;

  WriteSession session(env, a[1]);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  PlanningSession planner(s, env.settings(), env.text());
  Engine& engine = planner.engine();
  CliEngineUi ui(s.Today(), ViewKind::kOther, {});
  engine.SetUi(&ui);

  // The schedule's settings change in memory first; a refusal leaves the file as it was.
  if (!c->dialog.empty()) {
    const ParseContext context =
        env.Context(s.header().earliestTimeOfDay(), s.header().latestTimeOfDay());
    if (!ApplyScheduleSettings(s.header(), c->dialog, env.text(), context, env.msg()))
      return kExitRefused;
  }
  if (c->appearFirst || c->appearLast) {
    DayBoundsEntry entry;
    entry.earliest = s.header().earliestTimeOfDay();
    entry.latest = s.header().latestTimeOfDay();
    if (!AppearItem(s, c->appearFirst, AF_MARK1, entry.appearFirst) ||
        !AppearItem(s, c->appearLast, AF_MARK2, entry.appearLast) || !DayBoundsSettingsOk(s, entry))
      return kExitRefused;
  }
  if (c->mode) s.header().setMode(*c->mode);

  ProgramSettings program = LoadProgramSettings(env);
  const OtherSettings before = OtherSettingsOf(program);
  if (!StoreProgramSettings(*c, program, env.settings()))
    return Refuse(env, msg::kSettingsNotWritten);
  const OtherSettings after = OtherSettingsOf(program);
  // What the Other Settings dialog does after its OK: Expected Returns warns when switched on,
  // the engine plans with the new values, and ticking Balance Life Projects looks at them now.
  if (after.expectedReturnsActive && !before.expectedReturnsActive)
    SetExpectedReturnsActive(s, true);
  RereadEngineSettings(engine, env.settings(), env.text().regional.iCountry);
  if (after.lifeProjects && !before.lifeProjects) LifeProjectCheck(engine, false);

  s.MarkChanged();
  return session.Save() ? kExitOk : kExitRefused;
}

}  // namespace ploven::cli
