// The calendar bridge in the main window: every few seconds, while the calendar's changes are
// to come into Ploven, the companion is asked for them and they are taken into the schedule.

#include <QApplication>

#include "app/main_window.h"
#include "app/session_intake_host.h"
#include "dialogs/sync_settings_dialog.h"

namespace ploven {

namespace {
// How often the companion is asked for the calendar's changes.
constexpr int kCalendarPollMilliseconds = 5000;
}  // namespace

void MainWindow::StartCalendarIntake() {
  connect(&m_calendarTimer, &QTimer::timeout, this, &MainWindow::TakeCalendarChanges);
  m_calendarTimer.start(kCalendarPollMilliseconds);
}

void MainWindow::TakeCalendarChanges() {
  // Never inside a dialog (the schedule may be half edited there), never twice at once (a
  // message of the pass runs the event loop), never on a schedule that cannot be written.
  if (m_calendarPassRunning || m_closing || QApplication::activeModalWidget() != nullptr) return;
  if (!m_session.open() || !m_session.writable()) return;
  CalendarSync& calendar = m_session.calendar();
  if (!calendar.IntakeSwitchesNow().fromCalendar) return;
  m_calendarPassRunning = true;
  calendar.StartCompanionForIntake();
  SessionIntakeHost host(m_session, *m_undelete);
  const IntakeReport report = calendar.TakeCalendarChanges(host);
  m_calendarPassRunning = false;
  if (report.openChanged) AfterChange();
}

void MainWindow::OpenSynchronizationSettings() {
  const std::string openPath = m_session.open() ? m_session.files().schedulePath() : std::string();
  if (RunSyncSettingsDialog(this, m_session.programSettings(), m_session.settings(),
                            m_session.messages(), openPath, m_session.places().dataFolder))
    m_session.calendar().SettingsChanged();
}

}  // namespace ploven
