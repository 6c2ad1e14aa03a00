#pragma once

#include <QDialog>

#include "printouts/printout_settings.h"

class QCheckBox;
class QSpinBox;

namespace ploven {

class Messages;

// Printouts Settings: which printouts Print My Printouts makes, whether private items are
// printed, and how many days a page of the day sheets holds.
class PrintoutsSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  PrintoutsSettingsDialog(const PrintoutSettings& settings, Messages& messages,
                          QWidget* owner = nullptr);

  // The settings with the dialog's choices.
  PrintoutSettings Chosen() const;

  QCheckBox* includePrivateBox() const { return m_private; }
  QSpinBox* daysPerPageBox() const { return m_days; }
  QCheckBox* dayTodayBox() const { return m_dayToday; }
  QCheckBox* calendarWeekBox() const { return m_week; }

 private:
  PrintoutSettings m_settings;
  QCheckBox* m_dayToday = nullptr;
  QCheckBox* m_week = nullptr;
  QCheckBox* m_month = nullptr;
  QCheckBox* m_priority = nullptr;
  QCheckBox* m_underscored = nullptr;
  QCheckBox* m_private = nullptr;
  QSpinBox* m_days = nullptr;
};

}  // namespace ploven
