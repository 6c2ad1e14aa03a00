#include "cli/demo.h"

#include <algorithm>
#include <iostream>

#include "cli/cli_messages.h"
#include "cli/commands.h"
#include "edit/item_entry.h"
#include "engine/engine.h"
#include "store/date_format.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

TimeOfDay At(int hour, int minute) { return ClockTime(hour, minute); }

// A few set appointments and memos, and fluid work the engine fits around them.
void PlanDemo(Engine& engine) {
  const DayNumber today = engine.schedule().Today();
  auto item = [&](DayNumber day, const char* title, Duration duration) {
    NewItemRequest r;
    r.title = title;
    r.date = day;
    r.duration = duration;
    r.interactive = false;
    return r;
  };
  auto set = [&](DayNumber day, const char* title, TimeOfDay start, Duration duration) {
    NewItemRequest r = item(day, title, duration);
    r.fixed = true;
    r.start = start;
    EnterNewItem(engine, nullptr, r);
  };
  auto fluid = [&](DayNumber day, const char* title, Duration duration, bool split) {
    NewItemRequest r = item(day, title, duration);
    r.flexible = true;
    r.earliest = day;
    r.split = split;
    EnterNewItem(engine, nullptr, r);
  };
  NewItemRequest memo = item(today, "Mum's birthday", 0);
  memo.memo = true;
  EnterNewItem(engine, nullptr, memo);
  set(today, "Team meeting", At(10, 0), 60);
  set(today, "Lunch with Sam", At(12, 30), 60);
  set(static_cast<DayNumber>(today + 1), "Dentist", At(9, 0), 45);
  fluid(today, "Write the quarterly report", 120, false);
  fluid(today, "Answer mail", 30, false);
  fluid(today, "Read the design notes", 90, true);
  fluid(static_cast<DayNumber>(today + 1), "Plan next week", 45, false);
}

void ListDays(Schedule& s, const DateText& text) {
  for (const auto& [date, day] : s.terminals()) {
    std::cout << FormatDateLong(date, text) << "  (" << FormatDuration(day->freeMinutes, text)
              << " free)\n";
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
      const Act& a = s.ReadAct(task->act);
      std::string when = a.Has(AF_HOPE) ? "memo" : FormatTime(task->StartTime(), text);
      when.resize(std::max<size_t>(when.size(), 8), ' ');
      std::cout << "  " << when << ' ' << FormatDuration(task->length, text) << "  "
                << s.GetActTitle(task->act) << (a.Has(AF_FLEXIBLE) ? "  (fluid)" : "")
                << (task->InConflict() ? "  CONFLICT" : "") << '\n';
    }
  }
}

}  // namespace

int DemoCommand(CliEnv& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError(t::kWrongArguments + args[0]);
  Schedule s(env.msg(), env.clock());
  Engine engine(s);
  s.header().setMode(3);
  PlanDemo(engine);
  ListDays(s, env.text());
  return kExitOk;
}

int ParseCommand(CliEnv& env, const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError(t::kWrongArguments + args[0]);
  const std::string& command = args[0];
  const DateText& text = env.text();
  const ParseContext context = env.Context();
  std::string shown, message;
  if (command == "date") {
    const auto r = ParseDate(args[1], text, context);
    if (r.value) shown = FormatDateLong(*r.value, text);
    message = r.message;
  } else if (command == "time") {
    const auto r = ParseTime(args[1], text, context);
    if (r.value) shown = FormatTime(*r.value, text);
    message = r.message;
  } else {
    const auto r = ParseDuration(args[1], text);
    if (r.value) shown = FormatDuration(*r.value, text);
    message = r.message;
  }
  if (!message.empty()) std::cerr << message << '\n';
  if (shown.empty()) return kExitRefused;
  std::cout << shown << '\n';
  return kExitOk;
}

}  // namespace ploven::cli
