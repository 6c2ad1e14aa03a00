#include "cli/sync_command.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <random>

#include "bridge/bridge_senders.h"
#include "bridge/calendar_intake.h"
#include "bridge/socket_bridge_link.h"
#include "cli/cli_engine_ui.h"
#include "cli/cli_messages.h"
#include "cli/commands.h"
#include "cli/schedule_access.h"
#include "file/undelete.h"
#include "notes/note_files.h"
#include "notes/note_upkeep.h"
#include "platform/format.h"
#include "platform/label_table.h"
#include "platform/program_settings.h"
#include "platform/settings_keys.h"
#include "recur/planning_session.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

// The schedule named on the command line, opened with its lock for the pass.
class CommandLineSchedule : public IntakeSchedule, public IntakeHost {
 public:
  CommandLineSchedule(CliEnv& env, WriteSession& session)
      : m_session(session),
        m_planning(session.schedule(), env.settings(), env.text()),
        m_ui(session.schedule().Today(), ViewKind::kOther, {}),
        m_undelete(session.schedule()),
        m_notes(session.schedule(), env.fs(), FolderOf(session.path()),
                [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }) {
    m_planning.engine().SetUi(&m_ui);
  }

  Engine& engine() override { return m_planning.engine(); }
  Recurrences& recurrences() override { return m_planning.recurrences(); }
  UndeleteStack& undelete() override { return m_undelete; }
  bool WriteNote(ActHandle item, const std::string& text) override {
    return WriteNewItemNote(m_session.schedule(), m_notes, item, text);
  }
  bool Save() override {
    m_session.schedule().PruneTerminals();
    return m_session.Save();
  }

  std::string OpenPath() override { return m_session.path(); }
  IntakeSchedule& OpenSchedule() override { return *this; }
  bool Exists(const std::string&) override { return true; }
  // Only the named schedule is changed; the command was refused before when it is not the one
  // that receives the calendar's changes.
  std::unique_ptr<IntakeSchedule> OpenOther(const std::string&) override { return nullptr; }

 private:
  WriteSession& m_session;
  PlanningSession m_planning;
  CliEngineUi m_ui;
  UndeleteStack m_undelete;
  std::mt19937 m_random{std::random_device{}()};
  NoteFiles m_notes;
};

// The calendar server's password for the companion: from PLOVEN_CALENDAR_PASSWORD (for
// scripts), else typed on the terminal; else the user is told how to give it.
class TerminalServerPasswordPrompt : public ServerPasswordPrompt {
 public:
  explicit TerminalServerPasswordPrompt(CliEnv& env) : m_env(env) {}
  std::optional<std::string> AskServerPassword(const std::string& url, const std::string& user,
                                               bool refusedBefore) override {
    if (refusedBefore) {
      m_env.msg().ErrorMessage(Sprintf(t::kServerPasswordRefused, url.c_str(), user.c_str()));
      return std::nullopt;
    }
    if (const char* given = std::getenv(t::kServerPasswordVariable)) return std::string(given);
    std::optional<std::string> typed;
    if (isatty(STDIN_FILENO)) {
      typed = ReadHiddenLine(Sprintf(t::kServerPasswordPrompt, user.c_str(), url.c_str()));
    }
    if (!typed)
      m_env.msg().ErrorMessage(Sprintf(t::kServerPasswordNeeded, url.c_str(), user.c_str()));
    return typed;
  }

 private:
  CliEnv& m_env;
};

const char* KindWord(IncomingOutcome::Kind kind, BridgeCode code) {
  switch (kind) {
    case IncomingOutcome::Kind::kAdded:
      return "added";
    case IncomingOutcome::Kind::kChanged:
      if (code == BridgeCode::kCalendarChange3) return "done";
      if (code == BridgeCode::kCalendarDelete1 || code == BridgeCode::kCalendarDelete2 ||
          code == BridgeCode::kCalendarDeleteAppointment)
        return "deleted";
      return "changed";
    case IncomingOutcome::Kind::kRefused:
      return "refused";
    case IncomingOutcome::Kind::kSkipped:
      return "skipped";
    case IncomingOutcome::Kind::kNothing:
    case IncomingOutcome::Kind::kNotice:
    case IncomingOutcome::Kind::kPasswordWanted:
      break;
  }
  return "unchanged";
}

}  // namespace

int SyncCommand(CliEnv& env, const std::vector<std::string>& a) {
  if (a.size() != 2) return UsageError(t::kWrongArguments + a[0]);
  // Only the switches: loading every setting would write some back.
  ProgramSettings program;
  const Settings& settings = env.settings();
  program.outlookToPloven =
      settings.ReadInt(key::kOutlookToPloven, EncodedDefault(program.outlookToPloven));
  program.outlookToPlovenAppts =
      settings.ReadInt(key::kOutlookToPlovenAppts, EncodedDefault(program.outlookToPlovenAppts));
  program.outlookToPlovenTasks =
      settings.ReadInt(key::kOutlookToPlovenTasks, EncodedDefault(program.outlookToPlovenTasks));
  const IntakeSwitches switches = IntakeSwitchesOf(program, settings);
  if (!switches.fromCalendar) {
    env.msg().ErrorMessage(t::kSyncSwitchedOff);
    return kExitRefused;
  }

  WriteSession session(env, a[1]);
  if (!session.Open()) return kExitRefused;
  if (!IsReceivingSchedule(switches.receivingPath, session.path())) {
    env.msg().ErrorMessage(Sprintf(t::kSyncOtherSchedule, switches.receivingPath.c_str()));
    return kExitRefused;
  }
  CommandLineSchedule schedule(env, session);
  const std::filesystem::path dataFolder = env.settings().PrivateFile().Path().parent_path();
  SocketBridgeLink link(dataFolder);
  // The ID echo goes whatever the sending switches say.
  BridgeSenders senders(env.msg(), link, SyncSwitches{});
  if (!link.IsRunning() && !link.Start(5)) {
    env.msg().ErrorMessage(Sprintf(t::kSyncNoCompanion, link.ProgramPath().c_str()));
    return kExitRefused;
  }
  CalendarIntake intake(env.msg(), link, senders);
  ServerPasswords passwords;
  TerminalServerPasswordPrompt prompt(env);
  intake.AnswerPasswordsWith(&passwords, &prompt);
  IntakeRules rules;
  rules.dateText = env.text();
  rules.labelNames = ReadLabelTable(env.settings()).Names();
  IntakeReport report = intake.RunPass(schedule, switches, rules);
  // A calendar server that wanted its password is looked at again with it.
  if (report.reached && report.passwordsGiven > 0) {
    IntakeReport again = intake.RunPass(schedule, switches, rules);
    again.lines.insert(again.lines.begin(), report.lines.begin(), report.lines.end());
    again.refused += report.refused;
    report = std::move(again);
  }
  if (!report.reached) {
    env.msg().ErrorMessage(Sprintf(t::kSyncNoCompanion, link.ProgramPath().c_str()));
    return kExitRefused;
  }
  // One line a change: what was done, the item's ID (or -) and its title, TAB-separated.
  for (const IntakeReport::Line& line : report.lines) {
    std::cout << KindWord(line.kind, line.code) << '\t'
              << (line.itemID != 0 ? std::to_string(line.itemID) : std::string("-")) << '\t'
              << line.title << '\n';
  }
  return report.refused == 0 ? kExitOk : kExitRefused;
}

}  // namespace ploven::cli
