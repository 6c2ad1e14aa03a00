#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace ploven {

// "Alarm Snooze Time": "Repeat alarm for item <title> in <N> minutes." The minutes are handed
// back as typed (the alarms check the range and ask again).
class AlarmSnoozeDialog : public QDialog {
  Q_OBJECT

 public:
  AlarmSnoozeDialog(const std::string& title, int initial, QWidget* owner = nullptr);
  QLineEdit* minutesField() const { return m_minutes; }
  // What was typed as a number; text that is no number gives -1 (out of range).
  int minutes() const;

 private:
  QLineEdit* m_minutes = nullptr;
};

// Shows the dialog: the minutes typed, nothing when cancelled.
std::optional<int> AskSnoozeMinutes(QWidget* owner, const std::string& title, int initial);

}  // namespace ploven
