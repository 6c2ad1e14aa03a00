#include "app/calendar_sync.h"

#include "app/keychain_secret_store.h"
#include "app/program_session.h"
#include "bridge/item_sync.h"
#include "platform/label_table.h"
#include "platform/settings_keys.h"

namespace ploven {

CalendarSync::CalendarSync(ProgramSession& session, std::unique_ptr<BridgeLink> link)
    : m_session(session), m_secretStore(MakeKeychainSecretStore()) {
  UseLink(std::move(link));
}

CalendarSync::~CalendarSync() = default;

void CalendarSync::UseLink(std::unique_ptr<BridgeLink> link) {
  // The intake remembers what it took through the old link; a new link starts afresh.
  m_intake.reset();
  m_senders.reset();
  m_link = std::move(link);
  m_startRefused = false;
  m_senders = std::make_unique<BridgeSenders>(m_session.messages(), *m_link, Switches());
  m_intake = std::make_unique<CalendarIntake>(m_session.messages(), *m_link, *m_senders);
  m_intake->AnswerPasswordsWith(&m_passwords, m_prompt);
}

void CalendarSync::AskPasswordsWith(ServerPasswordPrompt* prompt) {
  m_prompt = prompt;
  m_intake->AnswerPasswordsWith(&m_passwords, m_prompt);
}

void CalendarSync::SettingsChanged(bool calendarChanged) {
  m_startRefused = false;
  if (calendarChanged) m_link->Close();
}

SyncSwitches CalendarSync::Switches() const {
  SyncSwitches s = SyncSwitchesOf(m_session.programSettings());
  const std::string openPath = m_session.open() ? m_session.files().schedulePath() : std::string();
  s.thisScheduleSyncs = IsReceivingSchedule(IntakeSwitchesNow().receivingPath, openPath);
  return s;
}

IntakeSwitches CalendarSync::IntakeSwitchesNow() const {
  return IntakeSwitchesOf(m_session.programSettings(), m_session.settings());
}

RecordContext CalendarSync::Context() const {
  RecordContext c;
  c.dateText = m_session.dateText();
  c.userName = m_session.settings().ReadString(key::kUserName);
  c.labelNames = ReadLabelTable(m_session.settings()).Names();
  ProgramSession& session = m_session;
  c.noteText = [&session](int32_t number) {
    if (!session.open()) return std::string();
    return session.noteFiles().ReadNoteQuietly(number).value_or(std::string());
  };
  return c;
}

IntakeRules CalendarSync::Rules() const {
  IntakeRules rules;
  rules.dateText = m_session.dateText();
  rules.labelNames = ReadLabelTable(m_session.settings()).Names();
  return rules;
}

BridgeSenders& CalendarSync::Senders() {
  m_senders->SetSwitches(Switches());
  return *m_senders;
}

void CalendarSync::NewItem(ActHandle item) {
  if (!m_session.open() || item == kNoAct) return;
  Schedule& s = m_session.schedule();
  if (!s.IsActValid(item)) return;
  SendNewItemToCalendar(Senders(), s, OccurrenceOf(s, item), Context());
}

void CalendarSync::ChangedItem(ActHandle item, const std::string& oldTitle) {
  if (!m_session.open() || item == kNoAct) return;
  Schedule& s = m_session.schedule();
  if (!s.IsActValid(item)) return;
  SendChangedItemToCalendar(Senders(), s, oldTitle, OccurrenceOf(s, item), Context());
}

void CalendarSync::DeletingItem(ActHandle item, DayNumber occurrence) {
  if (!m_session.open() || item == kNoAct) return;
  Schedule& s = m_session.schedule();
  if (!s.IsActValid(item)) return;
  SendDeletedItemToCalendar(Senders(), s, item, occurrence);
}

void CalendarSync::DoneItem(ActHandle item, DayNumber occurrence, bool done) {
  if (!m_session.open() || item == kNoAct) return;
  Schedule& s = m_session.schedule();
  if (!s.IsActValid(item)) return;
  SendDoneItemToCalendar(Senders(), s, item, occurrence, done);
}

void CalendarSync::StartCompanionForIntake() {
  if (m_startRefused || m_link->IsRunning()) return;
  if (!m_link->Start(1)) m_startRefused = true;
}

IntakeReport CalendarSync::TakeCalendarChanges(IntakeHost& host) {
  if (!m_session.open()) return {};
  Senders();
  return m_intake->RunPass(host, IntakeSwitchesNow(), Rules());
}

}  // namespace ploven
