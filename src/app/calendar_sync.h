#pragma once

#include <memory>
#include <string>

#include "bridge/bridge_senders.h"
#include "bridge/calendar_intake.h"
#include "bridge/item_records.h"
#include "bridge/server_passwords.h"

namespace ploven {

class ProgramSession;

// The desktop program's side of the calendar bridge: the way to the companion, the senders that
// tell the calendar of every change to an item, and the intake of the calendar's changes. The
// switches and the record's context are read from the settings at each use, so a change in
// Synchronization Settings holds at once.
class CalendarSync {
 public:
  CalendarSync(ProgramSession& session, std::unique_ptr<BridgeLink> link);
  ~CalendarSync();
  CalendarSync(const CalendarSync&) = delete;
  CalendarSync& operator=(const CalendarSync&) = delete;

  // Another way to the companion (tests put a scripted one here).
  void UseLink(std::unique_ptr<BridgeLink> link);
  BridgeLink& link() { return *m_link; }

  // What the settings allow now; the open schedule syncs when it is the one that receives.
  SyncSwitches Switches() const;
  IntakeSwitches IntakeSwitchesNow() const;
  // How records show dates, the user's name, the label names and the notes' texts.
  RecordContext Context() const;
  IntakeRules Rules() const;

  // The commands' calls; each does nothing while the switches keep the calendar out.
  void NewItem(ActHandle item);
  void ChangedItem(ActHandle item, const std::string& oldTitle);
  // Before the item (or its occurrence on `occurrence`) is deleted: the record needs it.
  void DeletingItem(ActHandle item, DayNumber occurrence);
  void DoneItem(ActHandle item, DayNumber occurrence, bool done);

  // The calendar's changes come from the companion: it is started when it is not running (one
  // attempt a run, and one more after each change of the settings, so that a missing program
  // does not hold the window up every few seconds).
  void StartCompanionForIntake();
  // After Synchronization Settings changed something. `calendarChanged`: another calendar (its
  // kind, server, user or password): the running companion is closed, so that the next use
  // starts one on the new calendar.
  void SettingsChanged(bool calendarChanged = false);

  // A calendar server's password: the desktop's secret store (tests put another here), this
  // session's memory of them, and who asks the user when the companion needs one.
  SecretStore& secretStore() { return *m_secretStore; }
  void UseSecretStore(std::unique_ptr<SecretStore> store) { m_secretStore = std::move(store); }
  ServerPasswords& passwords() { return m_passwords; }
  void AskPasswordsWith(ServerPasswordPrompt* prompt);

  // One pass of the calendar's changes into the schedule `host` gives.
  IntakeReport TakeCalendarChanges(IntakeHost& host);

 private:
  BridgeSenders& Senders();

  ProgramSession& m_session;
  std::unique_ptr<BridgeLink> m_link;
  std::unique_ptr<BridgeSenders> m_senders;
  std::unique_ptr<CalendarIntake> m_intake;
  bool m_startRefused = false;
  ServerPasswords m_passwords;
  std::unique_ptr<SecretStore> m_secretStore;
  ServerPasswordPrompt* m_prompt = nullptr;
};

}  // namespace ploven
