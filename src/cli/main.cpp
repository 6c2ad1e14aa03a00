// plovenctl: the command-line front end on the same core as the desktop program.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_ui.h"
#include "engine/engine.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "store/calendar.h"
#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven::cli {
namespace {

constexpr const char* kUsage =
    "usage: plovenctl [--today YYYY-MM-DD] [--now HH:MM] COMMAND\n"
    "  demo              plan a small demo schedule and list its days\n"
    "  date TEXT         read TEXT as a date, the way the program does\n"
    "  time TEXT         read TEXT as a time of day\n"
    "  duration TEXT     read TEXT as a duration\n";

struct Options {
  std::optional<DayNumber> today;
  std::optional<TimeOfDay> now;
  std::vector<std::string> args;
};

std::optional<DayNumber> ReadIsoDate(const std::string& text) {
  int y = 0, m = 0, d = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3) return std::nullopt;
  if (y < 1980 || y > 2068 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(m, y)) return std::nullopt;
  return static_cast<DayNumber>(MakeDay(m, d, y));
}

std::optional<TimeOfDay> ReadClock(const std::string& text) {
  int h = 0, m = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d:%d%c", &h, &m, &tail) != 2) return std::nullopt;
  if (h < 0 || h > 23 || m < 0 || m > 59) return std::nullopt;
  return static_cast<TimeOfDay>(h * 60 + m + 1);
}

// Items of the demo: a few set appointments and memos, and fluid work the engine fits around them.
void PlanDemo(Schedule& s, Engine& engine) {
  const DayNumber today = s.Today();
  auto set = [&](DayNumber day, const char* title, int hour, int minute, Duration duration) {
    Act a;
    a.flags = AF_FIXED;
    a.typeFlags = ACT_APPOINTMENT;
    a.startTime = static_cast<TimeOfDay>(hour * 60 + minute + 1);
    a.duration = duration;
    s.NewItem(day, a, title);
  };
  auto memo = [&](DayNumber day, const char* title) {
    Act a;
    a.flags = AF_HOPE;
    a.typeFlags = ACT_MEMO;
    s.NewItem(day, a, title);
  };
  auto fluid = [&](DayNumber day, const char* title, Duration duration, uint32_t flags) {
    Act a;
    a.flags = AF_FLEXIBLE | flags;
    a.typeFlags = ACT_ITEM;
    a.duration = duration;
    a.ddate = day;
    const ActHandle h = s.AllocateAct(a, title);
    TaskNode* task = s.NewTaskNode(h, 0, duration);
    // Fluid work goes to the first of the next days with room for it.
    for (DayNumber d = day; d < day + 14; ++d) {
      if (engine.WeekdayQualify(h, d) && engine.RoomForFluidTask(task, d) &&
          engine.ScheduleTaskFTD(task, d))
        return;
    }
    s.FreeTaskNode(task);
  };
  memo(today, "Mum's birthday");
  set(today, "Team meeting", 10, 0, 60);
  set(today, "Lunch with Sam", 12, 30, 60);
  set(static_cast<DayNumber>(today + 1), "Dentist", 9, 0, 45);
  fluid(today, "Write the quarterly report", 120, 0);
  fluid(today, "Answer mail", 30, 0);
  fluid(today, "Read the design notes", 90, AF_SPLIT);
  fluid(static_cast<DayNumber>(today + 1), "Plan next week", 45, AF_AFTER_HOURS);
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

int Run(const Options& opt) {
  if (opt.args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  SystemClock system;
  SettableClock clock(opt.today.value_or(system.Today()), opt.now.value_or(system.Now()));
  clock.SetEpochSeconds(system.EpochSeconds());
  CliUi ui;
  std::error_code ec;
  const auto exeFolder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  ErrorLog log(DataFolderFromEnvironment(exeFolder) / "PlovenErrorLog.txt", clock);
  EventTrace trace(log);
  Messages msg(ui, clock, log, trace);
  DateText text;
  ParseContext context{clock.Today(), clock.Now(), clock.Today()};

  const std::string& command = opt.args[0];
  if (command == "demo") {
    Schedule s(msg, clock);
    Engine engine(s);
    s.header().setMode(3);
    PlanDemo(s, engine);
    ListDays(s, text);
    return 0;
  }
  if ((command == "date" || command == "time" || command == "duration") && opt.args.size() == 2) {
    std::string shown, message;
    if (command == "date") {
      const auto r = ParseDate(opt.args[1], text, context);
      if (r.value) shown = FormatDateLong(*r.value, text);
      message = r.message;
    } else if (command == "time") {
      const auto r = ParseTime(opt.args[1], text, context);
      if (r.value) shown = FormatTime(*r.value, text);
      message = r.message;
    } else {
      const auto r = ParseDuration(opt.args[1], text);
      if (r.value) shown = FormatDuration(*r.value, text);
      message = r.message;
    }
    if (!message.empty()) std::cerr << message << '\n';
    if (shown.empty()) return 1;
    std::cout << shown << '\n';
    return 0;
  }
  std::cerr << kUsage;
  return 2;
}

}  // namespace
}  // namespace ploven::cli

int main(int argc, char** argv) {
  using namespace ploven::cli;
  Options opt;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--today" || arg == "--now") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--today") {
        opt.today = ReadIsoDate(value);
        if (!opt.today) {
          std::cerr << "plovenctl: --today wants a date from 1980-01-01 to 2068-12-31 as "
                       "YYYY-MM-DD, not \"" << value << "\"\n";
          return 2;
        }
      } else {
        opt.now = ReadClock(value);
        if (!opt.now) {
          std::cerr << "plovenctl: --now wants a time as HH:MM, not \"" << value << "\"\n";
          return 2;
        }
      }
    } else {
      opt.args.push_back(arg);
    }
  }
  return Run(opt);
}
