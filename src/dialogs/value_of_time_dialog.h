#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace ploven {

class Engine;
class Settings;
struct ProgramSettings;

// Value of Time Settings: the Hourly Rate (kept in the schedule), the cost of money, the
// opportunity costs of free time in the day views and the Expected Returns switch.
class ValueOfTimeDialog : public QDialog {
  Q_OBJECT

 public:
  ValueOfTimeDialog(Engine& engine, ProgramSettings& program, Settings& settings, int country,
                    QWidget* owner = nullptr);

  QSpinBox* hourlyRateField() const { return m_rate; }
  QSpinBox* costOfMoneyField() const { return m_costOfMoney; }
  QCheckBox* showOppCostsBox() const { return m_oppCosts; }
  QCheckBox* expectedReturnsBox() const { return m_expectedReturns; }
  bool changed() const { return m_changed; }

 public slots:
  void accept() override;

 private:
  Engine& m_engine;
  ProgramSettings& m_program;
  Settings& m_settings;
  int m_country;
  QSpinBox* m_rate = nullptr;
  QSpinBox* m_costOfMoney = nullptr;
  QCheckBox* m_oppCosts = nullptr;
  QCheckBox* m_expectedReturns = nullptr;
  bool m_changed = false;
};

bool RunValueOfTimeDialog(QWidget* owner, Engine& engine, ProgramSettings& program,
                          Settings& settings, int country);

}  // namespace ploven
