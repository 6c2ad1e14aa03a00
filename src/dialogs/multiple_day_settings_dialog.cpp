#include "dialogs/multiple_day_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/more_settings_messages.h"
#include "store/schedule.h"
#include "store/schedule_header.h"

namespace ploven {

namespace t = more_settings_text;

int MultipleDayWindows(const Schedule& schedule, int maxDays) {
  const int windows = schedule.header().Get<uint8_t>(ScheduleHeader::kViewWindows);
  return windows >= 2 && windows <= maxDays ? windows : 4;
}

MultipleDaySettingsDialog::MultipleDaySettingsDialog(Schedule& schedule, int maxDays,
                                                     QWidget* owner)
    : QDialog(owner), m_schedule(schedule) {
  setWindowTitle(t::kMultipleDayTitle);
  setObjectName("MultipleDaySettings");
  m_days = new QSpinBox;
  m_days->setRange(2, maxDays);
  m_days->setValue(MultipleDayWindows(schedule, maxDays));
  auto* form = new QFormLayout;
  form->addRow(t::kMultipleDayLabel, m_days);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &MultipleDaySettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &MultipleDaySettingsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void MultipleDaySettingsDialog::accept() {
  const auto days = static_cast<uint8_t>(m_days->value());
  m_changed = m_schedule.header().Get<uint8_t>(ScheduleHeader::kViewWindows) != days;
  if (m_changed) {
    m_schedule.header().Set<uint8_t>(ScheduleHeader::kViewWindows, days);
    m_schedule.MarkChanged();
  }
  QDialog::accept();
}

bool RunMultipleDaySettingsDialog(QWidget* owner, Schedule& schedule, int maxDays) {
  MultipleDaySettingsDialog dialog(schedule, maxDays, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
