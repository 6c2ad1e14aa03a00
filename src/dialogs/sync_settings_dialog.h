#pragma once

#include <QDialog>
#include <filesystem>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ploven {

class Messages;
class SecretStore;
class ServerPasswords;
class Settings;
struct ProgramSettings;

// Where a calendar server's password typed in the dialog goes: the desktop's secret store, and
// this session's memory (the only copy when no secret store runs).
struct ServerPasswordPlaces {
  SecretStore* store = nullptr;
  ServerPasswords* memory = nullptr;
};

// What OK did.
struct SyncSettingsOutcome {
  bool changed = false;
  // Another calendar: its kind, server address or user changed, or a new password was given.
  bool calendarChanged = false;
};

// The calendar folder the settings name, or "calendar" in the data folder when none is set.
std::filesystem::path CalendarFolderOf(const Settings& settings,
                                       const std::filesystem::path& dataFolder);

// Synchronization Settings: what goes from the schedule to the calendar, what comes back, which
// schedule receives it, and the calendar: a folder, or a collection on a calendar server with
// its user and password. A refused folder or address keeps the dialog open with its message.
// The password never goes into a settings file.
class SyncSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // `openPath`: the full path of the open schedule, which the receiving switch names.
  SyncSettingsDialog(ProgramSettings& program, Settings& settings, Messages& msg,
                     std::string openPath, std::filesystem::path dataFolder,
                     ServerPasswordPlaces passwords, QWidget* owner = nullptr);

  QCheckBox* toCalendarBox() const { return m_toCalendar; }
  QCheckBox* sendAppointmentsBox() const { return m_sendAppointments; }
  QCheckBox* sendTasksBox() const { return m_sendTasks; }
  QCheckBox* fromCalendarBox() const { return m_fromCalendar; }
  QCheckBox* takeAppointmentsBox() const { return m_takeAppointments; }
  QCheckBox* takeTasksBox() const { return m_takeTasks; }
  QCheckBox* thisScheduleBox() const { return m_thisSchedule; }
  QLineEdit* folderField() const { return m_folder; }
  QPushButton* browseButton() const { return m_browse; }
  QRadioButton* folderKindButton() const { return m_folderKind; }
  QRadioButton* serverKindButton() const { return m_serverKind; }
  QLineEdit* serverUrlField() const { return m_serverUrl; }
  QLineEdit* serverUserField() const { return m_serverUser; }
  QLineEdit* serverPasswordField() const { return m_serverPassword; }
  bool changed() const { return m_changed; }
  bool calendarChanged() const { return m_calendarChanged; }

 public slots:
  void accept() override;

 private:
  void FollowToCalendar(bool on);
  void FollowFromCalendar(bool on);
  void Browse();
  void FollowKind();
  // Saves the typed password; tells the user when only this session keeps it.
  void KeepPassword(const std::string& url, const std::string& user, const std::string& password);

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
  ServerPasswordPlaces m_passwords;
  QRadioButton* m_folderKind = nullptr;
  QRadioButton* m_serverKind = nullptr;
  QLineEdit* m_serverUrl = nullptr;
  QLineEdit* m_serverUser = nullptr;
  QLineEdit* m_serverPassword = nullptr;
  bool m_changed = false;
  bool m_calendarChanged = false;
};

// Shows the dialog; what OK changed.
SyncSettingsOutcome RunSyncSettingsDialog(QWidget* owner, ProgramSettings& program,
                                          Settings& settings, Messages& msg,
                                          const std::string& openPath,
                                          const std::filesystem::path& dataFolder,
                                          ServerPasswordPlaces passwords);

}  // namespace ploven
