#pragma once

#include <QDialog>

#include "engine/engine_settings.h"

class QCheckBox;
class QLineEdit;

namespace ploven {

class Engine;
class Settings;
struct ProgramSettings;

// Other Settings: the balancing switches with the two timers, Automatically Bring Forward To
// Today, Expected Returns Active and Hide Done Items. A refused interval keeps the dialog open.
class OtherSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  OtherSettingsDialog(Engine& engine, ProgramSettings& program, Settings& settings, int country,
                      QWidget* owner = nullptr);

  QCheckBox* lifeProjectsBox() const { return m_lifeProjects; }
  QCheckBox* lightensLoadBox() const { return m_lightensLoad; }
  QCheckBox* autoPilotBox() const { return m_autoPilot; }
  QLineEdit* autoPilotIntervalField() const { return m_autoPilotInterval; }
  QCheckBox* autoBalanceDayBox() const { return m_autoBalanceDay; }
  QLineEdit* balanceDayIntervalField() const { return m_balanceDayInterval; }
  QCheckBox* autoBringForwardBox() const { return m_autoBringForward; }
  QCheckBox* expectedReturnsBox() const { return m_expectedReturns; }
  QCheckBox* hideDoneItemsBox() const { return m_hideDone; }
  bool changed() const { return m_changed; }

 public slots:
  void accept() override;

 private:
  void ExpectedReturnsToggled(bool on);

  Engine& m_engine;
  ProgramSettings& m_program;
  Settings& m_settings;
  int m_country;
  OtherSettings m_before;
  bool m_warned = false;
  QCheckBox* m_lifeProjects = nullptr;
  QCheckBox* m_lightensLoad = nullptr;
  QCheckBox* m_autoPilot = nullptr;
  QLineEdit* m_autoPilotInterval = nullptr;
  QCheckBox* m_autoBalanceDay = nullptr;
  QLineEdit* m_balanceDayInterval = nullptr;
  QCheckBox* m_autoBringForward = nullptr;
  QCheckBox* m_expectedReturns = nullptr;
  QCheckBox* m_hideDone = nullptr;
  bool m_changed = false;
};

// Shows the dialog; true when OK changed a setting. The engine then already plans with the new
// values (and the Life Projects were checked when Balance Life Projects was just ticked).
bool RunOtherSettingsDialog(QWidget* owner, Engine& engine, ProgramSettings& program,
                            Settings& settings, int country);

}  // namespace ploven
