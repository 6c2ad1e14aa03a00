#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "done/interruption_log.h"

class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace ploven {

// Interrupt...: what interrupted the user, when it began and how long it took. "Report..." shows
// the log of the last days without closing the dialog.
class InterruptDialog : public QDialog {
  Q_OBJECT

 public:
  InterruptDialog(DayNumber today, TimeOfDay now, std::function<void()> showReport,
                  QWidget* owner = nullptr);

  // The entry the fields describe; nothing while the cause is empty.
  std::optional<Interruption> entry() const;
  QLineEdit* whatField() const { return m_what; }
  QSpinBox* minutesField() const { return m_minutes; }

 private:
  DayNumber m_today;
  QLineEdit* m_what = nullptr;
  QTimeEdit* m_began = nullptr;
  QSpinBox* m_minutes = nullptr;
};

// The entry the user confirmed, or nothing when cancelled.
std::optional<Interruption> RunInterruptDialog(QWidget* owner, DayNumber today, TimeOfDay now,
                                               std::function<void()> showReport);

}  // namespace ploven
