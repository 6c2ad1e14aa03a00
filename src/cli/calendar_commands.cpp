#include "cli/calendar_commands.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>

#include "cli/cli_engine_ui.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/commands.h"
#include "cli/schedule_access.h"
#include "ical/calendar_memory.h"
#include "ical/calendar_notes.h"
#include "ical/ical_export.h"
#include "ical/ical_import.h"
#include "ical/ical_messages.h"
#include "notes/note_files.h"
#include "platform/format.h"
#include "recur/planning_session.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;
using Args = std::vector<std::string>;

struct IcsArgs {
  std::string file;
  std::string schedule;
};

// "--ics FILE SCHEDULE", in either order.
std::optional<IcsArgs> ReadIcsArgs(const Args& a) {
  IcsArgs out;
  bool file = false;
  for (size_t i = 1; i < a.size(); ++i) {
    if (a[i] == "--ics" && i + 1 < a.size() && !file) {
      out.file = a[++i];
      file = true;
    } else if (out.schedule.empty() && !a[i].starts_with("--")) {
      out.schedule = a[i];
    } else {
      return std::nullopt;
    }
  }
  if (!file || out.schedule.empty()) return std::nullopt;
  return out;
}

int RandomBelow(int n) {
  static std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, n - 1)(engine);
}

std::optional<std::string> ReadText(CliEnv& env, const std::string& path) {
  if (path == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    env.msg().ErrorMessage(Sprintf(ical_text::kNotRead, path.c_str(), std::strerror(errno)));
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void TellMemoryFailure(CliEnv& env, const std::string& schedule, const std::string& failure) {
  if (failure.empty()) return;
  env.msg().ErrorMessage(
      Sprintf(ical_text::kMemoryNotWritten, CalendarMemoryPath(schedule).c_str(), failure.c_str()));
}

}  // namespace

int ExportCommand(CliEnv& env, const Args& a) {
  const auto args = ReadIcsArgs(a);
  if (!args) return UsageError(t::kWantsIcs);
  std::unique_ptr<Schedule> s = LoadForReading(env, args->schedule);
  if (s == nullptr) return kExitRefused;
  PlanningSession planning(*s, env.settings(), env.text());
  CalendarMemory memory = LoadCalendarMemory(env.fs(), args->schedule);
  NoteFiles notes(*s, env.fs(), FolderOf(args->schedule), [](int) { return 0; });
  CalendarExportOptions options;
  options.noteText = NoteReader(notes);
  const std::string text = ExportCalendar(planning.recurrences(), memory, options);
  if (args->file == "-") {
    std::cout << text;
  } else {
    const FileOutcome out =
        WriteWholeFile(env.fs(), args->file,
                       std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    if (!out.ok()) {
      return Refuse(env,
                    Sprintf(ical_text::kNotWritten, args->file.c_str(), std::strerror(out.error)));
    }
  }
  // A first export gives the schedule its identity, which the next one must find again.
  TellMemoryFailure(env, args->schedule, SaveCalendarMemory(env.fs(), args->schedule, memory));
  return kExitOk;
}

int ImportCommand(CliEnv& env, const Args& a) {
  const auto args = ReadIcsArgs(a);
  if (!args) return UsageError(t::kWantsIcs);
  const std::optional<std::string> text = ReadText(env, args->file);
  if (!text) return kExitRefused;
  WriteSession session(env, args->schedule);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  PlanningSession planning(s, env.settings(), env.text());
  CliEngineUi ui(s.Today(), ViewKind::kOther, ConflictPolicy{});
  planning.engine().SetUi(&ui);
  CalendarMemory memory = LoadCalendarMemory(env.fs(), session.path());
  NoteFiles notes(s, env.fs(), FolderOf(session.path()), RandomBelow);
  CalendarImportHooks hooks;
  hooks.saveNote = NoteWriter(notes);
  const CalendarImportReport report =
      ImportCalendar(planning.engine(), planning.recurrences(), memory, *text, hooks);
  if (!report.calendar) return Refuse(env, Sprintf(ical_text::kNotCalendar, args->file.c_str()));
  if (s.changed() && !session.Save()) return kExitRefused;
  // Remembered only once the items are saved: otherwise the next import brings them again.
  TellMemoryFailure(env, session.path(), SaveCalendarMemory(env.fs(), session.path(), memory));
  for (const std::string& line : report.Lines()) std::cout << line << '\n';
  return kExitOk;
}

}  // namespace ploven::cli
