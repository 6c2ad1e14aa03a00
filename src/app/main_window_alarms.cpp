// The main window gives the alarms their machine (sounds, notifications, the snooze dialog) and
// opens the two alarm dialogs: Alarms Settings and the item dialog's "Item: Alarm".

#include <QDBusConnection>
#include <QFileDialog>

#include "alarm/alarm_messages.h"
#include "alarm/daily_reminder.h"
#include "alarm/sound_choices.h"
#include "app/main_window.h"
#include "dialogs/alarm_properties_dialog.h"
#include "dialogs/alarms_settings_dialog.h"
#include "dialogs/daily_reminder_dialog.h"
#include "views/day_view.h"

namespace ploven {

void MainWindow::StartAlarms() {
  m_notices = std::make_unique<DesktopNotices>(QDBusConnection::sessionBus());
  m_alarmDevice = std::make_unique<QtAlarmDevice>(this, m_notices.get());
  m_alarmDevice->SetMinimisedQuery([this] { return isMinimized() || !isVisible(); });
  m_alarmDevice->SetPropertiesOpener([this](ActHandle item) {
    Schedule& s = m_session.schedule();
    if (!s.IsActValid(item)) return;
    if (TaskNode* task = s.ActTask(item)) {
      GoToDate(TaskDate(task));
      if (DayView* view = ActiveDayView()) view->SelectTask(task);
    }
    OpenItemDialog(Command::kModifyItem);
  });
  m_session.StartAlarms(m_alarmDevice.get(), m_undelete.get());
}

void MainWindow::ShowDailyReminder() {
  if (!m_session.open()) return;
  LayoutRecord& layout = m_session.layout();
  const DayNumber today = m_session.clock().Today();
  // While the reminder is in use it covers the recent undone items the past-undone warning
  // would otherwise ask about.
  m_session.engine().settings().dailyReminderInUse = layout.dailyReminderFlag == 0;
  if (!DailyReminderWanted(layout.dailyReminderFlag, m_session.alarmSettings().suppressUntil,
                           today))
    return;
  std::vector<DailyReminderDialog::Line> lines;
  Schedule& s = m_session.schedule();
  for (const DailyReminderLine& line : DailyReminders(m_session.recurrences(), today))
    lines.push_back({DailyReminderText(s, line, m_env->dateText()), line.day});
  if (lines.empty()) return;
  DailyReminderDialog dialog(this, lines, layout.dailyReminderFlag == 0);
  dialog.exec();
  layout.dailyReminderFlag = dialog.showEachDay() ? 0 : 1;
  m_session.engine().settings().dailyReminderInUse = layout.dailyReminderFlag == 0;
  if (dialog.chosenDay() != kNoDate) {
    if (!DayViewShowing()) ShowView(Command::kDayView);
    GoToDate(dialog.chosenDay());
  }
}

AlarmFormPorts MainWindow::AlarmPorts() {
  return AlarmFormPorts{m_session.messages(), m_session.alarmSettings(), m_session.clock().Today(),
                        [this] { m_session.StoreAlarmPreferences(m_session.alarmSettings()); }};
}

bool MainWindow::EditAlarm(Act& record) {
  AlarmFormPorts ports = AlarmPorts();
  return RunAlarmPropertiesDialog(this, record, ports, [this] { OpenAlarmsSettings(); });
}

void MainWindow::OpenAlarmsSettings() {
  AlarmsSettingsDialog::Ports ports{m_session.messages(),
                                    m_env->dateText(),
                                    m_session.ParseContextFor(m_session.clock().Today()),
                                    {},
                                    {},
                                    {},
                                    {}};
  for (const auto& folder : SoundThemeFolders(qEnvironmentVariable("XDG_DATA_DIRS").toStdString(),
                                              qEnvironmentVariable("XDG_DATA_HOME").toStdString()))
    ports.themeFolders.push_back(folder.string());
  ports.play = [this](const std::string& sound) {
    AlarmRoutine* alarms = m_session.alarms();
    if (alarms == nullptr) return;
    // The test plays the selection, not the saved choice.
    AlarmSettings& live = m_session.alarmSettings();
    const std::string saved = live.sound;
    live.sound = sound;
    alarms->PlayAlarmSound();
    live.sound = saved;
  };
  ports.chime = [this](const std::string& name) {
    const std::string path = (m_session.places().dataFolder / name).string();
    if (m_alarmDevice->FileExists(path)) m_alarmDevice->PlayFile(path);
  };
  ports.pickFolder = [this](const std::string& current) {
    return QFileDialog::getExistingDirectory(this, alarm_text::kSettingsCaption,
                                             QString::fromStdString(current))
        .toStdString();
  };
  AlarmsSettingsDialog dialog(m_session.alarmSettings(), std::move(ports), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_session.StoreAlarmPreferences(dialog.values());
}

}  // namespace ploven
