#pragma once

#include <QDialog>
#include <functional>

#include "alarm/alarm_form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ploven {

// "Item: Alarm": the offset before or after the begin or end, the Also Dial number and the
// Daily Reminders on other days. OK takes the form into the record through the alarms' rules
// and stays open while a number is refused.
class AlarmPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  AlarmPropertiesDialog(Act& record, AlarmFormPorts& ports, std::function<void()> openSettings,
                        QWidget* owner = nullptr);

  QLineEdit* hoursField() const { return m_hours; }
  QLineEdit* minutesField() const { return m_minutes; }
  QRadioButton* afterButton() const { return m_after; }
  QRadioButton* beginButton() const { return m_begin; }
  QRadioButton* endButton() const { return m_end; }
  QCheckBox* alsoDialBox() const { return m_alsoDial; }
  QLineEdit* numberField() const { return m_number; }
  QLineEdit* reminderDaysField() const { return m_days; }
  QRadioButton* remindersAfterButton() const { return m_daysAfter; }
  QPushButton* settingsButton() const { return m_settings; }
  // The form as the fields now read (a field that is no number reads as -1).
  AlarmForm Form() const;

 public slots:
  void accept() override;

 private:
  void OpenSettings();

  Act& m_record;
  AlarmFormPorts& m_ports;
  std::function<void()> m_openSettings;
  bool m_memo = false;
  QLineEdit* m_hours = nullptr;
  QLineEdit* m_minutes = nullptr;
  QRadioButton* m_before = nullptr;
  QRadioButton* m_after = nullptr;
  QRadioButton* m_begin = nullptr;
  QRadioButton* m_end = nullptr;
  QCheckBox* m_alsoDial = nullptr;
  QLineEdit* m_number = nullptr;
  QLineEdit* m_days = nullptr;
  QRadioButton* m_daysBefore = nullptr;
  QRadioButton* m_daysAfter = nullptr;
  QPushButton* m_settings = nullptr;
};

// Shows the dialog on a working copy of the record; true when OK took it over.
bool RunAlarmPropertiesDialog(QWidget* owner, Act& record, AlarmFormPorts& ports,
                              std::function<void()> openSettings);

}  // namespace ploven
