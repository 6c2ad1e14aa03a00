#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ploven {

class Messages;
class Settings;
struct ProgramSettings;

// The calendar folder the settings name, or "calendar" in the data folder when none is set.
std::filesystem::path CalendarFolderOf(const Settings& settings,
                                       const std::filesystem::path& dataFolder);

// Synchronization Settings: what goes from the schedule to the calendar, what comes back, which
// schedule receives it, and the calendar folder. A refused folder keeps the dialog open with its
// message.
class SyncSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `openPath`: the full path of the open schedule, which the receiving switch names.
  SyncSettingsDialog(ProgramSettings& program, Settings& settings, Messages& msg,
                     std::string openPath, std::filesystem::path dataFolder,
                     QWidget* owner = nullptr);

  QCheckBox* toCalendarBox() const { return m_toCalendar; }
  QCheckBox* sendAppointmentsBox() const { return m_sendAppointments; }
  QCheckBox* sendTasksBox() const { return m_sendTasks; }
  QCheckBox* fromCalendarBox() const { return m_fromCalendar; }
  QCheckBox* takeAppointmentsBox() const { return m_takeAppointments; }
  QCheckBox* takeTasksBox() const { return m_takeTasks; }
  QCheckBox* thisScheduleBox() const { return m_thisSchedule; }
  QLineEdit* folderField() const { return m_folder; }
  QPushButton* browseButton() const { return m_browse; }
  bool changed() const { return m_changed; }

 public slots:
  void accept() override;

 private:
  void FollowToCalendar(bool on);
  void FollowFromCalendar(bool on);
  void Browse();

  ProgramSettings& m_program;
  Settings& m_settings;
  Messages& m_msg;
  std::string m_openPath;
  std::filesystem::path m_dataFolder;
  QCheckBox* m_toCalendar = nullptr;
  QCheckBox* m_sendAppointments = nullptr;
  QCheckBox* m_sendTasks = nullptr;
  QCheckBox* m_fromCalendar = nullptr;
  QCheckBox* m_takeAppointments = nullptr;
  QCheckBox* m_takeTasks = nullptr;
  QCheckBox* m_thisSchedule = nullptr;
  QLineEdit* m_folder = nullptr;
  QPushButton* m_browse = nullptr;
  bool m_changed = false;
};

// Shows the dialog; true when OK changed a setting.
bool RunSyncSettingsDialog(QWidget* owner, ProgramSettings& program, Settings& settings,
                           Messages& msg, const std::string& openPath,
                           const std::filesystem::path& dataFolder);

}  // namespace ploven
