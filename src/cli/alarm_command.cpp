#include "cli/alarm_command.h"

#include <iostream>

#include "alarm/alarm_due.h"
#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/item_fields.h"
#include "cli/schedule_access.h"
#include "recur/planning_session.h"
#include "recur/recurrences.h"
#include "store/date_argument.h"

namespace ploven::cli {

namespace t = cli_text;

int AlarmsCommand(CliEnv& env, const std::vector<std::string>& args) {
  // --at TIME first; the rest are a reading command's arguments.
  std::vector<std::string> rest;
  std::string at;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--at") {
      rest.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size()) return UsageError(t::kMissingValue + args[i]);
    at = args[++i];
  }
  const auto a = ReadListingArgs(rest, true);
  if (!a) return kExitUsage;
  if (a->positional.size() != 2) return UsageError(t::kWrongArguments + args[0]);
  auto s = LoadForReading(env, a->positional[1]);
  if (s == nullptr) return kExitRefused;
  TimeOfDay now = env.clock().Now();
  if (!at.empty()) {
    const auto time = ReadTimeArgument(
        at, env.text(),
        env.Context(s->header().earliestTimeOfDay(), s->header().latestTimeOfDay()));
    if (!time.value) return Refuse(env, time.message);
    now = *time.value;
  }
  // Today as the program would hold it, its recurring occurrences included.
  PlanningSession planner(*s, env.settings(), env.text());
  const DayNumber today = env.clock().Today();
  if (s->header().IsArchived(today)) return kExitOk;
  Terminal* day = s->GetTerminal(today);
  if (day == nullptr) return kExitOk;
  for (const DayAlarm& alarm : AlarmsOfDay(*s, *day, now)) {
    if (!at.empty() && !alarm.due) continue;
    const std::string title = (s->ActFlags(alarm.act) & AF_BETA)
                                  ? OccurrenceTitle(planner.recurrences(), alarm.act, today, false)
                                  : s->GetActTitle(alarm.act);
    const char* point = alarm.point == AlarmPoint::kBegin ? "begin" : "end";
    const std::string rings =
        alarm.ringsAt > 0 ? ClockText(static_cast<TimeOfDay>(alarm.ringsAt), true) : "-";
    if (a->listing == Listing::kLines) {
      std::cout << rings << '\t' << point << '\t' << (alarm.due ? "due" : "-") << '\t'
                << s->GetActID(alarm.act) << '\t' << title << '\t' << alarm.sentence << '\n';
      continue;
    }
    JsonValue f = JsonValue::Object();
    f.Set("rings", rings);
    f.Set("point", point);
    f.Set("due", alarm.due);
    f.Set("state", static_cast<int>(s->ReadAct(alarm.act).alarmState));
    f.Set("sentence", alarm.sentence);
    f.Set("title", title);
    f.SetAll(ItemFields(*s, alarm.act));
    std::cout << (a->listing == Listing::kJson ? f.Text() : FieldsLine(f)) << '\n';
  }
  return kExitOk;
}

}  // namespace ploven::cli
