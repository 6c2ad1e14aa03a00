#include "cli/note_commands.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>

#include "cli/cli_input.h"
#include "cli/cli_messages.h"
#include "cli/command_args.h"
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "cli/schedule_access.h"
#include "notes/note_files.h"
#include "notes/note_find.h"
#include "notes/note_lock.h"
#include "notes/note_sharing.h"
#include "platform/format.h"
#include "store/schedule.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;
using Args = std::vector<std::string>;

int RandomBelow(int n) {
  static std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, n - 1)(engine);
}

// Where the new text comes from: --set TEXT, --file F (- is standard input) or --stdin.
std::optional<std::string> NewText(CliEnv& env, const Args& a, bool& usage) {
  const std::string& how = a[3];
  if (how == "--stdin" && a.size() == 4) {
    return std::string(std::istreambuf_iterator<char>(std::cin), {});
  }
  if (a.size() != 5) {
    usage = true;
    return std::nullopt;
  }
  if (how == "--set") return a[4];
  if (how == "--file") {
    if (a[4] == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
    std::ifstream in(a[4], std::ios::binary);
    if (!in) {
      env.msg().ErrorMessage(Sprintf(t::kNoteTextFileUnreadable, a[4].c_str()));
      return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  usage = true;
  return std::nullopt;
}

int WriteNote(CliEnv& env, const Args& a, uint32_t id) {
  bool usage = false;
  const std::optional<std::string> text = NewText(env, a, usage);
  if (usage) return UsageError(t::kWrongArguments + a[0]);
  if (!text) return kExitRefused;
  WriteSession session(env, a[1]);
  if (!session.Open()) return kExitRefused;
  Schedule& s = session.schedule();
  const ActHandle h = s.FindActOrProjectByID(id);
  if (h == kNoAct) return Refuse(env, Sprintf(t::kNoSuchID, a[2].c_str()));
  if (s.GetActNoteNumber(h) == 0) s.NewNoteNumber(h);
  const int32_t number = s.GetActNoteNumber(h);
  NoteFiles files(s, env.fs(), FolderOf(session.path()), RandomBelow);
  NoteLocks locks(files);
  if (locks.Take(number) != NoteLockOutcome::kTaken) return kExitRefused;
  const bool saved = files.SaveNote(number, *text);
  UpdateNoteMarks(s, number, files.NoteFileExists(number));
  const bool released = locks.Release(number);
  if (s.changed() && !session.Save()) return kExitRefused;
  return saved && released ? kExitOk : kExitRefused;
}

}  // namespace

int NoteCommand(CliEnv& env, const Args& a) {
  if (a.size() < 3) return UsageError(t::kWrongArguments + a[0]);
  const auto id = ReadItemID(a[2]);
  if (!id) return Refuse(env, Sprintf(t::kBadID, a[2].c_str()));
  if (a.size() > 3) return WriteNote(env, a, *id);
  std::unique_ptr<Schedule> s = LoadForReading(env, a[1]);
  if (!s) return kExitRefused;
  const ActHandle h = s->FindActOrProjectByID(*id);
  if (h == kNoAct) return Refuse(env, Sprintf(t::kNoSuchID, a[2].c_str()));
  // Reading never chooses a prefix: a schedule without one has no notes yet.
  NoteFiles files(*s, env.fs(), FolderOf(a[1]), [](int) { return 0; });
  const std::optional<std::string> text = files.LoadNote(s->GetActNoteNumber(h));
  if (!text) return kExitRefused;
  std::cout << *text;
  return kExitOk;
}

int FindCommand(CliEnv& env, const Args& a) {
  if (a.size() < 3) return UsageError(t::kWrongArguments + a[0]);
  std::unique_ptr<Schedule> s = LoadForReading(env, a[1]);
  if (!s) return kExitRefused;
  std::string words;
  for (size_t i = 2; i < a.size(); ++i) words += (i > 2 ? " " : "") + a[i];
  NoteFiles files(*s, env.fs(), FolderOf(a[1]), [](int) { return 0; });
  for (const FindHit& hit : FindItems(*s, files, words)) {
    std::string line = hit.date > 0 ? IsoDate(hit.date) : std::string("-");
    const bool timed = hit.date > 0 && hit.start > 0;
    line += '\t' + (timed ? ClockText(hit.start, true) : std::string("-"));
    line += '\t' + std::to_string(s->GetActID(hit.act));
    line += hit.inTitle ? "\ttitle\t" : "\tnote\t";
    line += s->GetActTitle(hit.act);
    std::cout << line << '\n';
  }
  return kExitOk;
}

}  // namespace ploven::cli
