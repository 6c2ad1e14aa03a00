#include "dialogs/other_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <iterator>

#include "dialogs/settings_dialog_messages.h"
#include "engine/balance_all_days.h"
#include "engine/engine.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "engine/engine_messages.h"
#include "platform/program_settings.h"
#include "store/priority_messages.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = settings_dialog_text;

QLineEdit* IntervalField(int minutes) {
  auto* field = new QLineEdit(QString::number(minutes));
  field->setAlignment(Qt::AlignRight);
  field->setMaxLength(5);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
  return field;
}

}  // namespace

OtherSettingsDialog::OtherSettingsDialog(Engine& engine, ProgramSettings& program,
                                         Settings& settings, int country, QWidget* owner)
    : QDialog(owner),
      m_engine(engine),
      m_program(program),
      m_settings(settings),
      m_country(country),
      m_before(OtherSettingsOf(program)) {
  setWindowTitle(t::kOtherTitle);
  const OtherSettings& v = m_before;
  auto box = [](const char* label, bool on) {
    auto* b = new QCheckBox(label);
    b->setChecked(on);
    return b;
  };
  m_lifeProjects = box(t::kLifeProjectsBox, v.lifeProjects);
  m_lightensLoad = box(t::kLightensLoadBox, v.balanceLightensLoad);
  m_autoPilot = box(t::kAutoPilotBox, v.autoPilot);
  m_autoPilotInterval = IntervalField(v.autoPilotInterval);
  m_autoBalanceDay = box(t::kAutoBalanceDayBox, v.autoBalanceDay);
  m_balanceDayInterval = IntervalField(v.balanceDayInterval);
  m_autoBringForward = box(t::kAutoBringForwardBox, v.autoBringForward);
  m_expectedReturns = box(t::kExpectedReturnsBox, v.expectedReturnsActive);
  m_hideDone = box(t::kHideDoneItemsBox, v.hideDoneItems);
  // The warning comes once, the first time the feature is switched on here.
  m_warned = v.expectedReturnsActive;

  auto* balancing = new QGroupBox(t::kBalancingGroup);
  auto* grid = new QGridLayout(balancing);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(8);
  grid->addWidget(m_lifeProjects, 0, 0, 1, 3);
  grid->addWidget(m_lightensLoad, 1, 0, 1, 3);
  grid->addWidget(m_autoPilot, 2, 0);
  grid->addWidget(m_autoPilotInterval, 2, 1);
  grid->addWidget(new QLabel(QString(t::kMinutesSuffix).trimmed()), 2, 2);
  grid->addWidget(m_autoBalanceDay, 3, 0);
  grid->addWidget(m_balanceDayInterval, 3, 1);
  grid->addWidget(new QLabel(QString(t::kMinutesSuffix).trimmed()), 3, 2);
  grid->addWidget(m_autoBringForward, 4, 0, 1, 3);
  grid->setColumnStretch(2, 1);

  auto* items = new QGroupBox(t::kItemsGroup);
  auto* itemsLayout = new QVBoxLayout(items);
  itemsLayout->setSpacing(8);
  itemsLayout->addWidget(m_expectedReturns);
  itemsLayout->addWidget(m_hideDone);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &OtherSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &OtherSettingsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addWidget(balancing);
  layout->addWidget(items);
  layout->addWidget(buttons);

  // An interval is typed for a timer that is on.
  m_autoPilotInterval->setEnabled(v.autoPilot);
  m_balanceDayInterval->setEnabled(v.autoBalanceDay);
  connect(m_autoPilot, &QCheckBox::toggled, m_autoPilotInterval, &QLineEdit::setEnabled);
  connect(m_autoBalanceDay, &QCheckBox::toggled, m_balanceDayInterval, &QLineEdit::setEnabled);
  connect(m_expectedReturns, &QCheckBox::toggled, this,
          &OtherSettingsDialog::ExpectedReturnsToggled);

  QWidget* order[] = {m_lifeProjects,   m_lightensLoad,       m_autoPilot,
                      m_autoPilotInterval, m_autoBalanceDay, m_balanceDayInterval,
                      m_autoBringForward, m_expectedReturns,  m_hideDone};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void OtherSettingsDialog::ExpectedReturnsToggled(bool on) {
  if (!on || m_warned) return;
  m_warned = true;
  m_engine.schedule().messages().MultiButtonBox(priority_text::kExpectedReturnsWarning,
                                                priority_text::kExpectedReturnsCaption,
                                                kMbOk | kMbIconExclamation, {});
}

void OtherSettingsDialog::accept() {
  Messages& msg = m_engine.schedule().messages();
  OtherSettings v = m_before;
  // A timer that is on needs a usable interval; one that is off keeps its old interval when
  // the field holds nothing usable.
  struct Interval {
    QCheckBox* box;
    QLineEdit* field;
    int* into;
    const char* refusal;
  };
  for (const Interval& i :
       {Interval{m_autoPilot, m_autoPilotInterval, &v.autoPilotInterval,
                 engine_text::kAutoPilotIntervalRefused},
        Interval{m_autoBalanceDay, m_balanceDayInterval, &v.balanceDayInterval,
                 engine_text::kBalanceDayIntervalRefused}}) {
    const auto minutes = ReadTimerInterval(i.field->text().toStdString());
    if (minutes) {
      *i.into = *minutes;
    } else if (i.box->isChecked()) {
      msg.ErrorMessage(i.refusal);
      i.field->setFocus();
      i.field->selectAll();
      return;
    }
  }
  v.lifeProjects = m_lifeProjects->isChecked();
  v.balanceLightensLoad = m_lightensLoad->isChecked();
  v.autoPilot = m_autoPilot->isChecked();
  v.autoBalanceDay = m_autoBalanceDay->isChecked();
  v.autoBringForward = m_autoBringForward->isChecked();
  v.expectedReturnsActive = m_expectedReturns->isChecked();
  v.hideDoneItems = m_hideDone->isChecked();
  m_changed = v != m_before;
  if (m_changed) {
    if (!StoreOtherSettings(v, m_program, m_settings))
      msg.ErrorMessage(ploven::msg::kSettingsNotWritten);
    RereadEngineSettings(m_engine, m_settings, m_country);
    // Ticking Balance Life Projects looks at the Life Projects at once, without warnings.
    if (v.lifeProjects && !m_before.lifeProjects) LifeProjectCheck(m_engine, false);
  }
  QDialog::accept();
}

bool RunOtherSettingsDialog(QWidget* owner, Engine& engine, ProgramSettings& program,
                            Settings& settings, int country) {
  OtherSettingsDialog dialog(engine, program, settings, country, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
