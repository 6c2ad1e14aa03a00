#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bridge/bridge_senders.h"
#include "bridge/incoming_apply.h"
#include "bridge/server_passwords.h"

namespace ploven {

class Settings;
struct ProgramSettings;

// "OutlookToPlovenPakPath" when no schedule is named: the open one receives the changes.
inline constexpr char kReceivingIsOpenSchedule[] = "0";

// What the user allowed to come from the calendar into the schedule.
struct IntakeSwitches {
  bool fromCalendar = false;  // "OutlookToPloven"
  bool appointmentsFromCalendar = true;
  bool tasksFromCalendar = true;
  // The schedule that receives the calendar's changes, or kReceivingIsOpenSchedule.
  std::string receivingPath = kReceivingIsOpenSchedule;
  // "CalendarKind" is "server": the companion may ask for the server's password, which the
  // pass answers even while the calendar's changes stay out.
  bool serverCalendar = false;
};

IntakeSwitches IntakeSwitchesOf(const ProgramSettings& program, const Settings& settings);

// "CalendarKind" says "server" (in any case, as the companion reads it).
bool ServerCalendarChosen(const Settings& settings);

// The schedule named by `receivingPath` is the open one (or none is named). Paths are compared
// as written, after removing "." and ".." steps.
bool IsReceivingSchedule(const std::string& receivingPath, const std::string& openPath);

// The front end's side of a pass: the open schedule, and the opening of another.
class IntakeHost {
 public:
  virtual ~IntakeHost() = default;
  // The open schedule's full path.
  virtual std::string OpenPath() = 0;
  virtual IntakeSchedule& OpenSchedule() = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Opens the schedule at `path` for one pass; when the object goes, that schedule is closed
  // (without saving) and the one that was open before is open again. Null when it could not be
  // opened (told).
  virtual std::unique_ptr<IntakeSchedule> OpenOther(const std::string& path) = 0;
};

// What one pass did.
struct IntakeReport {
  bool reached = false;      // the companion answered
  int taken = 0;             // changes applied to a schedule
  int refused = 0;           // refused and told
  bool openChanged = false;  // the open schedule changed: plan and draw again
  int passwordsGiven = 0;    // calendar server passwords handed to the companion
  // Each change looked at, in order, for a front end that lists them.
  struct Line {
    IncomingOutcome::Kind kind = IncomingOutcome::Kind::kNothing;
    BridgeCode code = BridgeCode::kTask;
    uint32_t itemID = 0;
    std::string title;
  };
  std::vector<Line> lines;
};

// Takes the calendar's changes into the schedule: fetches them from the companion, shows each
// notice once, applies the rest to the receiving schedule (opened for the pass when it is not
// the open one), saves it, and only then answers each change: the ID echo for a new item, a
// confirmation for the rest (refused ones included, so that they do not come back). A change
// applied but not yet answered (the save failed, or the companion did not hear) is never
// applied twice: its key is remembered until the companion has the answer.
class CalendarIntake {
 public:
  CalendarIntake(Messages& messages, BridgeLink& link, BridgeSenders& senders)
      : m_msg(messages), m_link(link), m_senders(senders) {}

  IntakeReport RunPass(IntakeHost& host, const IntakeSwitches& switches, IntakeRules rules);

  // Who answers the companion's question for a calendar server's password; without them the
  // question waits in the companion.
  void AnswerPasswordsWith(ServerPasswords* passwords, ServerPasswordPrompt* prompt) {
    m_passwords = passwords;
    m_prompt = prompt;
  }

 private:
  // An applied change waiting for its answer.
  struct Taken {
    bool echo = false;  // a new item: answered with the ID echo
    std::string subject;
    uint32_t itemID = 0;
    bool saved = false;  // the schedule holding the change was saved
    bool answered = false;
  };

  // `key` must not be the map's own: an answered change leaves the map.
  void Answer(const std::string& key, Taken& taken);
  bool ReceivingReady(IntakeHost& host, const IntakeSwitches& switches);
  // Answers one question for a password (handed over, or the user cancelled) and confirms it.
  void AnswerPasswordQuestion(const BridgeFrame& frame, std::set<std::string>& answeredThisPass,
                              IntakeReport& report);

  Messages& m_msg;
  BridgeLink& m_link;
  BridgeSenders& m_senders;
  std::map<std::string, Taken> m_taken;
  std::set<std::string> m_noticesShown;
  std::string m_missingTold;  // the missing receiving schedule already told about
  ServerPasswords* m_passwords = nullptr;
  ServerPasswordPrompt* m_prompt = nullptr;
  // Questions answered whose confirmation may not have got through: confirmed again, not
  // taken for a refusal of the password.
  std::set<std::string> m_questionsAnswered;
};

}  // namespace ploven
