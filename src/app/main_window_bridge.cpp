// The calendar bridge in the main window: every few seconds, while the calendar's changes are
// to come into Ploven, the companion is asked for them and they are taken into the schedule.

#include <QApplication>

#include "app/main_window.h"
#include "app/server_password_prompt.h"
#include "app/session_intake_host.h"
#include "dialogs/sync_settings_dialog.h"

namespace ploven {

namespace {
// How often the companion is asked for the calendar's changes.
constexpr int kCalendarPollMilliseconds = 5000;
}  // namespace

void MainWindow::StartCalendarIntake() {
  m_serverPasswordPrompt = std::make_unique<QtServerPasswordPrompt>(this);
  m_session.calendar().AskPasswordsWith(m_serverPasswordPrompt.get());
  connect(&m_calendarTimer, &QTimer::timeout, this, &MainWindow::TakeCalendarChanges);
  m_calendarTimer.start(kCalendarPollMilliseconds);
}

void MainWindow::TakeCalendarChanges() {
  // Never inside a dialog (the schedule may be half edited there), never twice at once (a
  // message of the pass runs the event loop), never on a schedule that cannot be written.
  if (m_calendarPassRunning || m_closing || QApplication::activeModalWidget() != nullptr) return;
  if (!m_session.open() || !m_session.writable()) return;
  CalendarSync& calendar = m_session.calendar();
  const IntakeSwitches switches = calendar.IntakeSwitchesNow();
  // A calendar server's companion may want its password even while nothing comes back; only
  // one already running is asked then (the senders start it).
  if (!switches.fromCalendar && !(switches.serverCalendar && calendar.link().IsRunning())) return;
  m_calendarPassRunning = true;
  if (switches.fromCalendar) calendar.StartCompanionForIntake();
  SessionIntakeHost host(m_session, *m_undelete);
  const IntakeReport report = calendar.TakeCalendarChanges(host);
  m_calendarPassRunning = false;
  if (report.openChanged) AfterChange();
}

void MainWindow::OpenSynchronizationSettings() {
  const std::string openPath = m_session.open() ? m_session.files().schedulePath() : std::string();
  CalendarSync& calendar = m_session.calendar();
  const SyncSettingsOutcome outcome = RunSyncSettingsDialog(
      this, m_session.programSettings(), m_session.settings(), m_session.messages(), openPath,
      m_session.places().dataFolder, {&calendar.secretStore(), &calendar.passwords()});
  if (outcome.changed) calendar.SettingsChanged(outcome.calendarChanged);
}

}  // namespace ploven
