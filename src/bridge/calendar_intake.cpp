#include "bridge/calendar_intake.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <vector>

#include "bridge/bridge_messages.h"
#include "engine/engine.h"
#include "platform/messages.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

IntakeSwitches IntakeSwitchesOf(const ProgramSettings& program, const Settings& settings) {
  IntakeSwitches s;
  s.fromCalendar = program.outlookToPloven != 0;
  s.appointmentsFromCalendar = program.outlookToPlovenAppts != 0;
  s.tasksFromCalendar = program.outlookToPlovenTasks != 0;
  s.receivingPath = settings.ReadString(key::kOutlookToPlovenPakPath, kReceivingIsOpenSchedule);
  s.serverCalendar = ServerCalendarChosen(settings);
  return s;
}

bool ServerCalendarChosen(const Settings& settings) {
  const std::string kind = settings.ReadString(key::kCalendarKind);
  return std::equal(kind.begin(), kind.end(), std::string_view(key::kCalendarKindServer).begin(),
                    std::string_view(key::kCalendarKindServer).end(), [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) == b;
                    });
}

bool IsReceivingSchedule(const std::string& receivingPath, const std::string& openPath) {
  if (receivingPath.empty() || receivingPath == kReceivingIsOpenSchedule) return true;
  namespace fs = std::filesystem;
  return fs::path(receivingPath).lexically_normal() == fs::path(openPath).lexically_normal();
}

void CalendarIntake::Answer(const std::string& key, Taken& taken) {
  if (taken.echo) {
    const SendResult sent = m_senders.SendIdEcho(IdEchoRecord(taken.subject, taken.itemID),
                                                 {taken.itemID, kNoDate}, key);
    taken.answered = sent == SendResult::kDelivered;
  } else {
    taken.answered = m_link.Confirm(key);
  }
  // Once the companion has it, the key is its to give to a later change again.
  if (taken.answered) m_taken.erase(key);
}

void CalendarIntake::AnswerPasswordQuestion(const BridgeFrame& frame,
                                            std::set<std::string>& answeredThisPass,
                                            IntakeReport& report) {
  if (!frame.key.empty() && m_questionsAnswered.contains(frame.key)) {
    if (m_link.Confirm(frame.key)) m_questionsAnswered.erase(frame.key);
    return;
  }
  const std::optional<PasswordWanted> wanted = ParsePasswordWanted(frame.record);
  if (!wanted) {
    m_msg.LogLine(kPasswordQuestionUnread);
    if (!frame.key.empty()) m_link.Confirm(frame.key);
    return;
  }
  if (m_passwords == nullptr || m_prompt == nullptr) return;
  // The same server twice in one pass is one question.
  if (answeredThisPass.insert(PasswordRecord(wanted->url, wanted->user, {})).second) {
    if (const std::optional<std::string> password = m_passwords->Answer(*wanted, *m_prompt)) {
      // Not handed over: the question comes again with the next pass.
      if (!m_link.HandOverPassword(PasswordRecord(wanted->url, wanted->user, *password))) {
        answeredThisPass.erase(PasswordRecord(wanted->url, wanted->user, {}));
        return;
      }
      m_passwords->HandedOver(*wanted);
      ++report.passwordsGiven;
    }
  }
  if (frame.key.empty()) return;
  m_questionsAnswered.insert(frame.key);
  if (m_link.Confirm(frame.key)) m_questionsAnswered.erase(frame.key);
}

IntakeReport CalendarIntake::RunPass(IntakeHost& host, const IntakeSwitches& switches,
                                     IntakeRules rules) {
  IntakeReport report;
  if (!switches.fromCalendar && !switches.serverCalendar) return report;
  const std::optional<std::vector<BridgeFrame>> frames = m_link.FetchCalendarChanges();
  if (!frames) return report;
  report.reached = true;
  rules.appointmentsFromCalendar = switches.appointmentsFromCalendar;
  rules.tasksFromCalendar = switches.tasksFromCalendar;

  // Notices are shown once whatever schedule is open; changes applied before are only owed
  // their answer.
  std::vector<const BridgeFrame*> work;
  std::vector<std::string> owed;
  bool owedUnsaved = false;
  std::set<std::string> passwordsThisPass;
  for (const BridgeFrame& f : *frames) {
    if (f.code == BridgeCode::kPasswordWanted) {
      AnswerPasswordQuestion(f, passwordsThisPass, report);
      continue;
    }
    if (f.code == BridgeCode::kKeptText) {
      if (f.key.empty() || m_noticesShown.insert(f.key).second) m_msg.InformationMessage(f.record);
      if (!f.key.empty()) m_link.Confirm(f.key);
      continue;
    }
    if (const auto it = m_taken.find(f.key); !f.key.empty() && it != m_taken.end()) {
      owed.push_back(f.key);
      owedUnsaved = owedUnsaved || !it->second.saved;
      continue;
    }
    work.push_back(&f);
  }
  // Only the password and the notices while the calendar's changes stay out: the rest waits.
  if (!switches.fromCalendar) return report;
  if (work.empty() && !owedUnsaved) {
    for (const std::string& key : owed) Answer(key, m_taken[key]);
    return report;
  }

  // The schedule that receives them: the open one, or the one the settings name.
  const bool intoOpen = IsReceivingSchedule(switches.receivingPath, host.OpenPath());
  std::unique_ptr<IntakeSchedule> other;
  if (!intoOpen) {
    if (!host.Exists(switches.receivingPath)) {
      // The changes wait in the companion until the setting is mended; told once a run.
      if (m_missingTold != switches.receivingPath) {
        m_missingTold = switches.receivingPath;
        m_msg.ErrorMessage(kSyncScheduleMissingLead + switches.receivingPath +
                           kSyncScheduleMissingTail);
      }
      return report;
    }
    other = host.OpenOther(switches.receivingPath);
    if (other == nullptr) {
      if (m_missingTold != switches.receivingPath) {
        m_missingTold = switches.receivingPath;
        m_msg.ErrorMessage(kReceivingNotOpened + switches.receivingPath);
      }
      return report;
    }
  }
  IntakeSchedule& target = intoOpen ? host.OpenSchedule() : *other;

  std::vector<std::pair<std::string, Taken>> applied;
  bool changed = false;
  for (const BridgeFrame* f : work) {
    const IncomingOutcome outcome = ApplyIncomingFrame(target, rules, *f, m_msg);
    Taken taken;
    switch (outcome.kind) {
      case IncomingOutcome::Kind::kAdded:
        taken.echo = true;
        taken.subject = outcome.subject;
        taken.itemID = outcome.itemID;
        [[fallthrough]];
      case IncomingOutcome::Kind::kChanged:
        changed = true;
        ++report.taken;
        break;
      case IncomingOutcome::Kind::kRefused:
        ++report.refused;
        break;
      case IncomingOutcome::Kind::kNothing:
      case IncomingOutcome::Kind::kSkipped:
      case IncomingOutcome::Kind::kNotice:
      case IncomingOutcome::Kind::kPasswordWanted:
        break;
    }
    IntakeReport::Line line{outcome.kind, f->code, outcome.itemID != 0 ? outcome.itemID : f->itemID,
                            outcome.subject};
    if (line.title.empty()) {
      // The title is the first field, after the word of a done record.
      std::string_view rest = f->record;
      if (f->code == BridgeCode::kCalendarChange3) rest.remove_prefix(std::min(rest.size(), rest.find(kFieldEnd) + 1));
      line.title = std::string(rest.substr(0, rest.find(kFieldEnd)));
    }
    if (line.itemID == 0 && outcome.item != kNoAct)
      line.itemID = target.engine().schedule().GetActID(outcome.item);
    report.lines.push_back(std::move(line));
    if (!f->key.empty()) applied.emplace_back(f->key, std::move(taken));
  }

  const bool saved = (!changed && !owedUnsaved) || target.Save();
  report.openChanged = intoOpen && changed;
  if (!saved && !intoOpen) return report;  // closed unsaved: the changes come again
  for (auto& [key, taken] : applied) {
    taken.saved = saved;
    m_taken[key] = std::move(taken);
    owed.push_back(key);
  }
  if (!saved) return report;
  for (const std::string& key : owed) {
    Taken& taken = m_taken[key];
    taken.saved = true;
    Answer(key, taken);
  }
  return report;
}

}  // namespace ploven
