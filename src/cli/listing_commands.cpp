#include "cli/listing_commands.h"

#include <iostream>

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/item_fields.h"
#include "cli/output.h"
#include "recur/planning_session.h"
#include "cli/schedule_access.h"
#include "platform/format.h"
#include "recur/beta_qualify.h"
#include "recur/recurrences.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

void Print(const std::string& line) { std::cout << line << '\n'; }

void Print(Listing listing, const JsonValue& fields) {
  Print(listing == Listing::kJson ? fields.Text() : FieldsLine(fields));
}

std::optional<ListingArgs> Arguments(const std::vector<std::string>& args, size_t count,
                                     bool allowAll) {
  auto a = ReadListingArgs(args, allowAll);
  if (a && a->positional.size() != count) {
    UsageError(t::kWrongArguments + args[0]);
    return std::nullopt;
  }
  return a;
}

}  // namespace

int ItemsCommand(CliEnv& env, const std::vector<std::string>& args) {
  const auto a = Arguments(args, 2, true);
  if (!a) return kExitUsage;
  auto s = LoadForReading(env, a->positional[1]);
  if (s == nullptr) return kExitRefused;
  if (a->listing == Listing::kLines) {
    for (const std::string& line : ItemLines(*s)) Print(line);
    return kExitOk;
  }
  for (const auto& [key, node] : s->actChain()) Print(a->listing, ItemFields(*s, node.act));
  return kExitOk;
}

int DayCommand(CliEnv& env, const std::vector<std::string>& args) {
  const auto a = Arguments(args, 3, true);
  if (!a) return kExitUsage;
  auto s = LoadForReading(env, a->positional[1]);
  if (s == nullptr) return kExitRefused;
  const auto date =
      ReadDateArgument(a->positional[2], env.text(),
                       env.Context(s->header().earliestTimeOfDay(), s->header().latestTimeOfDay()));
  if (!date.value) return Refuse(env, date.message);
  // A day the file does not hold yet shows what it would hold: its recurring occurrences.
  PlanningSession planner(*s, env.settings(), env.text());
  const DayNumber day = *date.value;
  if (!s->header().IsArchived(day)) s->GetTerminal(day);
  auto title = [&](const TaskNode& task) {
    return (s->ActFlags(task.act) & AF_BETA)
               ? OccurrenceTitle(planner.recurrences(), task.act, day, false)
               : s->GetActTitle(task.act);
  };
  if (a->listing == Listing::kLines) {
    for (const std::string& line : DayLines(*s, day, title)) Print(line);
    return kExitOk;
  }
  if (Terminal* terminal = s->ExistingTerminal(day)) {
    for (TaskNode* task = terminal->First(); task != nullptr; task = task->Next()) {
      // The whole title here, its variables expanded for an occurrence.
      const std::string full = (s->ActFlags(task->act) & AF_BETA)
                                   ? OccurrenceTitle(planner.recurrences(), task->act, day, false)
                                   : s->GetActTitleFull(task->act);
      Print(a->listing, TaskFields(*s, *task, day, full));
    }
  }
  return kExitOk;
}

int InfoCommand(CliEnv& env, const std::vector<std::string>& args) {
  const auto a = Arguments(args, 2, true);
  if (!a) return kExitUsage;
  auto s = LoadForReading(env, a->positional[1]);
  if (s == nullptr) return kExitRefused;
  if (a->listing == Listing::kLines) {
    for (const std::string& line : InfoLines(*s)) Print(line);
  } else if (a->listing == Listing::kJson) {
    Print(InfoFields(*s).Text());
  } else {
    std::vector<std::pair<std::string, std::string>> fields;
    InfoFields(*s).Flatten("", fields);
    for (const auto& [name, value] : fields) Print(name + ": " + value);
  }
  return kExitOk;
}

int PriorityCommand(CliEnv& env, const std::vector<std::string>& args) {
  const auto a = Arguments(args, 2, false);
  if (!a) return kExitUsage;
  auto s = LoadForReading(env, a->positional[1]);
  if (s == nullptr) return kExitRefused;
  if (a->listing == Listing::kLines) {
    for (const std::string& line : PriorityLines(*s)) Print(line);
    return kExitOk;
  }
  for (const auto& entry : s->priorityIndex()) {
    const PriorityEntry& e = entry.entry;
    JsonValue f = JsonValue::Object();
    f.Set("tier", e.tier >= 'A' && e.tier <= 'Z'
                      ? JsonValue(std::string(1, static_cast<char>(e.tier)))
                      : JsonValue());
    f.Set("rank", static_cast<int>(e.rank));
    f.Set("returnPerHour", static_cast<double>(e.returnPerHour));
    f.SetAll(ItemFields(*s, e.item));
    Print(f.Text());
  }
  return kExitOk;
}

int OccurrencesCommand(CliEnv& env, const std::vector<std::string>& args) {
  const auto a = Arguments(args, 5, false);
  if (!a) return kExitUsage;
  const std::vector<std::string>& p = a->positional;
  auto s = LoadForReading(env, p[1]);
  if (s == nullptr) return kExitRefused;
  PlanningSession planner(*s, env.settings(), env.text());
  const auto id = ReadItemID(p[2]);
  const ActHandle h = id ? s->FindActByID(*id) : kNoAct;
  if (h == kNoAct || !(s->ActFlags(h) & AF_BETA))
    return Refuse(env, Sprintf(t::kNotRecurring, p[2].c_str()));
  const ParseContext context =
      env.Context(s->header().earliestTimeOfDay(), s->header().latestTimeOfDay());
  const auto from = ReadDateArgument(p[3], env.text(), context);
  if (!from.value) return Refuse(env, from.message);
  const auto to = ReadDateArgument(p[4], env.text(), context);
  if (!to.value) return Refuse(env, to.message);
  for (int d = *from.value; d <= *to.value; ++d) {
    const auto date = static_cast<DayNumber>(d);
    if (!BetaQualify(planner.recurrences(), h, date)) continue;
    const XEntry* x = s->FindXlistEntry(h, date);
    const char* state = x == nullptr ? nullptr : x->drone == kNoAct ? "cancelled" : "edited";
    if (a->listing == Listing::kLines) {
      Print(IsoDate(date) + (state != nullptr ? std::string("\t") + state : std::string()));
      continue;
    }
    JsonValue f = JsonValue::Object();
    f.Set("date", IsoDate(date));
    f.Set("state", state != nullptr ? state : "planned");
    f.Set("id",
          x != nullptr && x->drone != kNoAct ? JsonValue(s->GetActID(x->drone)) : JsonValue());
    Print(f.Text());
  }
  return kExitOk;
}

}  // namespace ploven::cli
