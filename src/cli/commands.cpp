#include "cli/commands.h"

#include <cctype>
#include <charconv>
#include <iostream>
#include <map>
#include <optional>

#include "cli/calendar_sync.h"
#include "cli/cli_engine_ui.h"
#include "cli/cli_input.h"
#include "cli/alarm_command.h"
#include "cli/calendar_commands.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/demo.h"
#include "cli/edit_command.h"
#include "cli/engine_commands.h"
#include "cli/listing_commands.h"
#include "cli/note_commands.h"
#include "cli/output.h"
#include "cli/recur_rule.h"
#include "cli/report_command.h"
#include "cli/schedule_access.h"
#include "cli/settings_command.h"
#include "cli/store_checks.h"
#include "cli/sync_command.h"
#include "edit/edit_messages.h"
#include "edit/item_entry.h"
#include "edit/sample_schedule.h"
#include "notes/note_files.h"
#include "notes/note_upkeep.h"
#include "engine/schedule_settings.h"
#include "platform/format.h"
#include "recur/beta_qualify.h"
#include "recur/planning_session.h"
#include "store/projects.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;
using Args = std::vector<std::string>;

ParseContext ContextFor(CliEnv& env, const Schedule& s) {
  return env.Context(s.header().earliestTimeOfDay(), s.header().latestTimeOfDay());
}

std::optional<uint32_t> ReadNumber(const std::string& text) {
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

int NewCommand(CliEnv& env, const Args& a, bool sample) {
  if (a.size() != 2) return UsageError(t::kWrongArguments + a[0]);
  WriteSession session(env, a[1]);
  if (!session.Create()) return kExitRefused;
  if (sample) {
    PlanningSession planning(session.schedule(), env.settings(), env.text());
    BuildSampleSchedule(planning.engine(), &planning.recurrences());
  }
  return session.Save() ? kExitOk : kExitRefused;
}

int CheckCommand(CliEnv& env, const Args& a) {
  if (a.size() != 2) return UsageError(t::kWrongArguments + a[0]);
  auto s = LoadForReading(env, a[1]);
  if (s == nullptr) return kExitRefused;
  const std::string finding = CheckSchedule(*s);
  if (!finding.empty()) return Refuse(env, finding);
  std::cout << t::kOk << '\n';
  return kExitOk;
}

int ProjectCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3) return UsageError(t::kWrongArguments + a[0]);
  if (a[2].empty()) return Refuse(env, edit_text::kEmptyTitle);
  if (a[2].size() > kActTitleMax) return Refuse(env, edit_text::kTitleTooLong);
  WriteSession session(env, a[1]);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  // Placement and recurring items as the program has them.
  const PlanningSession planning(s, env.settings(), env.text());
  const ActHandle h = NewProject(s, Act{}, a[2]);
  if (h == kNoAct) return Refuse(env, edit_text::kNotCreated);
  s.MarkChanged();
  const uint32_t id = s.GetActID(h);
  if (!session.Save()) return kExitRefused;
  std::cout << id << '\n';
  return kExitOk;
}

int DeleteCommand(CliEnv& env, const Args& a) {
  if (a.size() != 3) return UsageError(t::kWrongArguments + a[0]);
  const auto id = ReadNumber(a[2]);
  if (!id || *id == 0) return Refuse(env, Sprintf(t::kBadID, a[2].c_str()));
  WriteSession session(env, a[1]);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  // Placement and recurring items as the program has them.
  const PlanningSession planning(s, env.settings(), env.text());
  const ActHandle h = s.FindActByID(*id);
  if (h == kNoAct) {
    if (FindProjectByID(s, *id) != kNoAct) return Refuse(env, Sprintf(t::kProjectNotDeleted, a[2].c_str()));
    return Refuse(env, Sprintf(t::kNoSuchID, a[2].c_str()));
  }
  if (s.ActFlags(h) & AF_BETA) return Refuse(env, Sprintf(t::kRecurringNotDeleted, a[2].c_str()));
  if (IsProject(s, h)) return Refuse(env, Sprintf(t::kProjectNotDeleted, a[2].c_str()));
  CalendarSync calendar(env, s, session.path());
  calendar.Deleting(h, s.GetActDate(h));
  // The record stays allocated until the program ends, as the undelete stack keeps it.
  DeletedNotes deletedNotes;
  deletedNotes.ItemDeleting(s, h);
  s.DeleteItem(h);
  s.MarkChanged();
  if (!session.Save()) return kExitRefused;
  calendar.Send();
  // Nothing can undelete it after this command: a note nobody else has goes with it.
  NoteFiles notes(s, env.fs(), FolderOf(session.path()), [](int) { return 0; });
  deletedNotes.DropOrphans(s, notes);
  return kExitOk;
}

// The options of `add`: those that take a value, and the switches.
struct AddArguments {
  std::map<std::string, std::string> values;
  NewItemRequest request;
};

int AddCommand(CliEnv& env, const Args& a) {
  if (a.size() < 2) return UsageError(t::kWrongArguments + a[0]);
  static const char* const kValued[] = {"--title",  "--date",          "--start",
                                        "--duration", "--earliest",    "--deadline",
                                        "--earliest-time", "--latest-time", "--weekdays",
                                        "--tier",   "--rank",          "--project",
                                        "--recur",  "--from",          "--until",
                                        "--nearest", "--bring-forward-action"};
  AddArguments args;
  uint8_t options = 0;
  NewItemRequest& r = args.request;
  for (size_t i = 2; i < a.size(); ++i) {
    const std::string& o = a[i];
    if (o == "--fixed") { r.fixed = true; continue; }
    if (o == "--memo") { r.memo = true; continue; }
    if (o == "--flexible") { r.flexible = true; continue; }
    if (o == "--split") { r.split = true; continue; }
    if (o == "--on-or-before") { options |= kOptionOnOrBefore; continue; }
    if (o == "--on-or-after") { options |= kOptionOnOrAfter; continue; }
    if (o == "--seasonal") { options |= kOptionSeasonal; continue; }
    if (o == "--full-moons") { options |= kOptionFullMoons; continue; }
    bool valued = false;
    for (const char* v : kValued) valued = valued || o == v;
    if (!valued) return UsageError(t::kUnknownOption + o);
    if (i + 1 >= a.size()) return UsageError(t::kMissingValue + o);
    args.values[o] = a[++i];
  }
  if (!args.values.contains("--title")) return UsageError(t::kMissingTitle);
  const bool recurring = args.values.contains("--recur");
  for (const char* o : {"--from", "--until", "--nearest", "--bring-forward-action"})
    if (args.values.contains(o) && !recurring) return UsageError(t::kWantsRecur + std::string(o));
  if (options != 0 && !recurring) return UsageError(t::kWantsRecur + std::string("its option"));
  if (recurring) {
    if (r.flexible) return UsageError(t::kRecurNotFlexible);
    Beta beta;
    if (auto it = args.values.find("--bring-forward-action"); it != args.values.end()) {
      if (it->second == "delete") beta.freq = kBringForwardDeleteInstance;
      else if (it->second == "shift") beta.freq = kBringForwardShiftStart;
      else if (it->second != "instance") return UsageError(t::kBadBringForwardAction);
    }
    const RecurRuleResult rule = ReadRecurRule(args.values["--recur"], beta);
    if (!rule.ok) return UsageError(rule.error);
    if (auto it = args.values.find("--nearest"); it != args.values.end()) {
      const auto bits = ReadWeekdays(it->second);
      if (!bits || *bits == 0 || (beta.dateBits & kDateBitsLastWeek) ||
          !(beta.freq & kFreqMonthly))
        return UsageError(t::kBadNearest);
      beta.dayBits = *bits;
      options |= kOptionNearestDay;
    }
    if ((options & (kOptionOnOrAfter | kOptionOnOrBefore)) && !(options & kOptionNearestDay))
      return UsageError(t::kBadNearest);
    beta.betaOptions = options;
    r.recurrence = beta;
  }
  if (int(r.fixed) + int(r.memo) + int(r.flexible) > 1) return UsageError(t::kKindsExclusive);
  if (r.fixed && !args.values.contains("--start")) return UsageError(t::kFixedWantsStart);
  r.title = args.values["--title"];
  if (auto it = args.values.find("--weekdays"); it != args.values.end()) {
    const auto bits = ReadWeekdays(it->second);
    if (!bits) return UsageError(t::kBadWeekdays);
    r.weekdays = *bits;
  }
  if (auto it = args.values.find("--tier"); it != args.values.end()) {
    const std::string& v = it->second;
    if (v.size() != 1 || std::toupper(static_cast<unsigned char>(v[0])) < 'A' ||
        std::toupper(static_cast<unsigned char>(v[0])) > 'Z')
      return UsageError(t::kBadTier);
    r.tier = static_cast<uint8_t>(std::toupper(static_cast<unsigned char>(v[0])));
  }
  if (auto it = args.values.find("--rank"); it != args.values.end()) {
    const auto rank = ReadNumber(it->second);
    if (!rank || *rank < 1 || *rank > 32766) return UsageError(t::kBadRank);
    r.rank = static_cast<int>(*rank);
  }

  WriteSession session(env, a[1]);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  const ParseContext context = ContextFor(env, s);
  // Every value is read before anything is made.
  auto date = [&](const char* option, std::optional<DayNumber>& into) {
    auto it = args.values.find(option);
    if (it == args.values.end()) return true;
    const auto p = ReadDateArgument(it->second, env.text(), context);
    if (!p.value) {
      Refuse(env, p.message);
      return false;
    }
    into = p.value;
    return true;
  };
  auto time = [&](const char* option, std::optional<TimeOfDay>& into) {
    auto it = args.values.find(option);
    if (it == args.values.end()) return true;
    const auto p = ReadTimeArgument(it->second, env.text(), context);
    if (!p.value) {
      Refuse(env, p.message);
      return false;
    }
    into = p.value;
    return true;
  };
  std::optional<DayNumber> from, until;
  if (!date("--from", from) || !date("--until", until)) return kExitRefused;
  if (r.recurrence) {
    r.recurrence->startDate = from.value_or(kNoDate);
    r.recurrence->endDate = until.value_or(kNoDate);
  }
  if (!date("--date", r.date) || !date("--earliest", r.earliest) ||
      !date("--deadline", r.deadline) || !time("--start", r.start) ||
      !time("--earliest-time", r.earliestTime) || !time("--latest-time", r.latestTime))
    return kExitRefused;
  if (auto it = args.values.find("--duration"); it != args.values.end()) {
    const auto p = ReadDurationArgument(it->second, env.text());
    if (!p.value) return Refuse(env, p.message);
    r.duration = p.value;
  }
  if (auto it = args.values.find("--project"); it != args.values.end()) {
    r.projectID = FindProjectIDByName(s, it->second);
    if (r.projectID == 0) return Refuse(env, Sprintf(t::kNoSuchProject, it->second.c_str()));
  }
  // Deadlines and earliest dates belong to fluid items.
  if ((r.earliest || r.deadline) && !r.memo && !r.fixed && !r.recurrence) r.flexible = true;

  // The item dialog's OK, its questions answered with their default buttons.
  PlanningSession planning(s, env.settings(), env.text());
  CliEngineUi ui(s.Today(), ViewKind::kOther, ConflictPolicy{});
  planning.engine().SetUi(&ui);
  const ActHandle h = EnterNewItem(planning.engine(), &planning.recurrences(), r);
  if (h == kNoAct) return kExitRefused;
  const uint32_t id = s.GetActID(h);
  CalendarSync calendar(env, s, session.path());
  calendar.NewItem(h);
  if (!session.Save()) return kExitRefused;
  std::cout << id << '\n';
  calendar.Send();
  return kExitOk;
}

}  // namespace

int UsageError(const std::string& text) {
  std::cerr << t::kUsagePrefix << text << '\n' << t::kSeeHelp << '\n';
  return kExitUsage;
}

int RunCommand(CliEnv& env, const Args& a) {
  if (a.empty()) return UsageError(t::kWrongArguments + std::string("plovenctl"));
  const std::string& c = a[0];
  if (c == "new") return NewCommand(env, a, false);
  if (c == "sample") return NewCommand(env, a, true);
  if (c == "info") return InfoCommand(env, a);
  if (c == "add") return AddCommand(env, a);
  if (c == "project") return ProjectCommand(env, a);
  if (c == "day") return DayCommand(env, a);
  if (c == "alarms") return AlarmsCommand(env, a);
  if (c == "items") return ItemsCommand(env, a);
  if (c == "delete") return DeleteCommand(env, a);
  if (c == "set") return SetCommand(env, a);
  if (c == "get") return GetCommand(env, a);
  if (c == "check") return CheckCommand(env, a);
  if (c == "edit") return EditCommand(env, a);
  if (c == "priority") return PriorityCommand(env, a);
  if (c == "occurrences") return OccurrencesCommand(env, a);
  if (c == "demo") return DemoCommand(env, a);
  if (c == "report") return ReportCommand(env, a);
  if (c == "note") return NoteCommand(env, a);
  if (c == "find") return FindCommand(env, a);
  if (c == "export") return ExportCommand(env, a);
  if (c == "import") return ImportCommand(env, a);
  if (c == "sync") return SyncCommand(env, a);
  if (c == "date" || c == "time" || c == "duration") return ParseCommand(env, a);
  bool handled = false;
  const int status = RunEngineCommand(env, a, handled);
  if (handled) return status;
  return UsageError(t::kUnknownCommand + c);
}

}  // namespace ploven::cli
