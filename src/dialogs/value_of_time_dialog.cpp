#include "dialogs/value_of_time_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/more_settings_messages.h"
#include "engine/engine.h"
#include "engine/engine_settings.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "platform/program_settings.h"
#include "platform/settings_keys.h"
#include "store/schedule.h"

namespace ploven {

namespace t = more_settings_text;

ValueOfTimeDialog::ValueOfTimeDialog(Engine& engine, ProgramSettings& program, Settings& settings,
                                     int country, QWidget* owner)
    : QDialog(owner),
      m_engine(engine),
      m_program(program),
      m_settings(settings),
      m_country(country) {
  setWindowTitle(t::kValueOfTimeTitle);
  setObjectName("ValueOfTimeSettings");
  m_rate = new QSpinBox;
  m_rate->setRange(0, 9999999);
  m_rate->setValue(engine.schedule().priorityIndex().storedHourlyRate());
  m_rate->setToolTip(t::kHourlyRateHint);
  m_costOfMoney = new QSpinBox;
  m_costOfMoney->setRange(0, 100);
  m_costOfMoney->setSuffix(" %");
  m_costOfMoney->setValue(program.costOfMoney);
  m_oppCosts = new QCheckBox(t::kShowOppCostsBox);
  m_oppCosts->setChecked(program.showOppCosts != 0);
  m_expectedReturns = new QCheckBox(t::kExpectedReturnsBox);
  m_expectedReturns->setChecked(program.expectedReturnsActive != 0);

  auto* form = new QFormLayout;
  form->addRow(t::kHourlyRateLabel, m_rate);
  form->addRow(QString(), new QLabel(t::kHourlyRateHint));
  form->addRow(t::kCostOfMoneyLabel, m_costOfMoney);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &ValueOfTimeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ValueOfTimeDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_oppCosts);
  layout->addWidget(m_expectedReturns);
  layout->addWidget(buttons);
}

void ValueOfTimeDialog::accept() {
  Schedule& s = m_engine.schedule();
  m_changed = false;
  if (s.priorityIndex().storedHourlyRate() != m_rate->value()) {
    s.priorityIndex().SetHourlyRate(m_rate->value());
    s.MarkChanged();
    m_changed = true;
  }
  bool stored = true;
  auto take = [&](const char* key, int& member, int value) {
    if (member == value) return;
    member = value;
    stored &= m_program.WriteInt(m_settings, key);
    m_changed = true;
  };
  take(key::kCostOfMoney, m_program.costOfMoney, m_costOfMoney->value());
  take(key::kShowOppCosts, m_program.showOppCosts, m_oppCosts->isChecked() ? 1 : 0);
  OtherSettings other = OtherSettingsOf(m_program);
  if (other.expectedReturnsActive != m_expectedReturns->isChecked()) {
    other.expectedReturnsActive = m_expectedReturns->isChecked();
    stored &= StoreOtherSettings(other, m_program, m_settings);
    RereadEngineSettings(m_engine, m_settings, m_country);
    m_changed = true;
  }
  if (!stored) s.messages().ErrorMessage(msg::kSettingsNotWritten);
  QDialog::accept();
}

bool RunValueOfTimeDialog(QWidget* owner, Engine& engine, ProgramSettings& program,
                          Settings& settings, int country) {
  ValueOfTimeDialog dialog(engine, program, settings, country, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
