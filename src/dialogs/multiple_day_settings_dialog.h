#pragma once

#include <QDialog>

class QSpinBox;

namespace ploven {

class Schedule;

// My Multiple Day View Settings: how many days (2..7) the view shows side by side, kept in the
// schedule.
class MultipleDaySettingsDialog : public QDialog {
  Q_OBJECT

 public:
  MultipleDaySettingsDialog(Schedule& schedule, int maxDays, QWidget* owner = nullptr);

  QSpinBox* daysField() const { return m_days; }
  bool changed() const { return m_changed; }

 public slots:
  void accept() override;

 private:
  Schedule& m_schedule;
  QSpinBox* m_days = nullptr;
  bool m_changed = false;
};

// The number of days the schedule keeps for the view, within 2..maxDays (4 when out of range).
int MultipleDayWindows(const Schedule& schedule, int maxDays);
bool RunMultipleDaySettingsDialog(QWidget* owner, Schedule& schedule, int maxDays);

}  // namespace ploven
