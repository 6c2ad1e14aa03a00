#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "alarm/alarm_settings.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ploven {

class Messages;

// Alarms Settings: suppression until a date, the alarm sound with its Test button, Suppress
// Alarm Repeats, Mute Alarm Sounds and the chimes. OK hands the values back; the caller stores
// them.
class AlarmsSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  struct Ports {
    Messages& msg;
    DateText text;
    ParseContext context;
    // The sound folders of the desktop's theme.
    std::vector<std::string> themeFolders;
    // Plays a sound as the Alarm setting names it ("", "none" or a file).
    std::function<void(const std::string&)> play;
    // Plays a chime file by name ("chimes00.wav").
    std::function<void(const std::string&)> chime;
    // Asks for the folder of the user's own sounds (empty: cancelled).
    std::function<std::string(const std::string&)> pickFolder;
  };

  AlarmsSettingsDialog(const AlarmSettings& values, Ports ports, QWidget* owner = nullptr);

  QCheckBox* suppressBox() const { return m_suppress; }
  QLineEdit* untilField() const { return m_until; }
  QComboBox* soundList() const { return m_sounds; }
  QPushButton* testButton() const { return m_test; }
  QCheckBox* repeatsBox() const { return m_repeats; }
  QCheckBox* muteBox() const { return m_mute; }
  QCheckBox* chimesBox() const { return m_chimes; }
  // The values as OK took them over.
  const AlarmSettings& values() const { return m_values; }
  // The sound string the list's selection stands for.
  std::string SelectedSound() const;

 public slots:
  void accept() override;

 private:
  void FillSounds(const std::string& selected);
  bool ReadUntil(DayNumber& until);
  void PickFolder();

  AlarmSettings m_values;
  Ports m_ports;
  QCheckBox* m_suppress = nullptr;
  QLineEdit* m_until = nullptr;
  QComboBox* m_sounds = nullptr;
  QPushButton* m_test = nullptr;
  QPushButton* m_folder = nullptr;
  QCheckBox* m_repeats = nullptr;
  QCheckBox* m_mute = nullptr;
  QCheckBox* m_chimes = nullptr;
  std::string m_warnedFor;  // the date text last warned about
};

}  // namespace ploven
