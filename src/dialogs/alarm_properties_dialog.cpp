#include "dialogs/alarm_properties_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "alarm/alarm_messages.h"
#include "dialogs/alarm_dialog_messages.h"

namespace ploven {

namespace {

namespace t = alarm_text;
namespace l = alarm_dialog_text;

int NumberIn(const QLineEdit* field) {
  const QString text = field->text().trimmed();
  if (text.isEmpty()) return 0;
  bool ok = false;
  const int n = text.toInt(&ok);
  return ok ? n : -1;
}

QLineEdit* NumberField(int value) {
  auto* f = new QLineEdit(QString::number(value));
  f->setMaxLength(4);
  f->setFixedWidth(f->fontMetrics().horizontalAdvance("00000") + 12);
  return f;
}

}  // namespace

AlarmPropertiesDialog::AlarmPropertiesDialog(Act& record, AlarmFormPorts& ports,
                                             std::function<void()> openSettings, QWidget* owner)
    : QDialog(owner), m_record(record), m_ports(ports), m_openSettings(std::move(openSettings)) {
  setWindowTitle(t::kAlarmDialogCaption);
  const AlarmForm f = AlarmFormOf(record, ports.settings);
  m_memo = f.memo;

  auto* offset = new QHBoxLayout();
  m_hours = NumberField(f.hours);
  m_minutes = NumberField(f.minutes);
  auto* hoursLabel = new QLabel(l::kHoursLabel);
  hoursLabel->setBuddy(m_hours);
  auto* minutesLabel = new QLabel(l::kMinutesLabel);
  minutesLabel->setBuddy(m_minutes);
  offset->addWidget(m_hours);
  offset->addWidget(hoursLabel);
  offset->addWidget(m_minutes);
  offset->addWidget(minutesLabel);
  m_before = new QRadioButton(l::kBeforeLabel);
  m_after = new QRadioButton(l::kAfterLabel);
  (f.after ? m_after : m_before)->setChecked(true);
  auto* sides = new QButtonGroup(this);
  sides->addButton(m_before);
  sides->addButton(m_after);
  auto* side = new QVBoxLayout();
  side->addWidget(m_before);
  side->addWidget(m_after);
  offset->addLayout(side);
  m_begin = new QRadioButton(f.memo ? l::kMemoBeginLabel : l::kBeginLabel);
  m_end = new QRadioButton(f.memo ? l::kMemoEndLabel : l::kEndLabel);
  (f.atEnd ? m_end : m_begin)->setChecked(true);
  auto* points = new QButtonGroup(this);
  points->addButton(m_begin);
  points->addButton(m_end);
  auto* point = new QVBoxLayout();
  point->addWidget(m_begin);
  point->addWidget(m_end);
  offset->addLayout(point);
  offset->addStretch(1);

  m_alsoDial = new QCheckBox(l::kAlsoDialLabel);
  m_alsoDial->setChecked(f.alsoDial);
  m_number = new QLineEdit(QString::fromStdString(f.pagerNumber));
  m_number->setMaxLength(static_cast<int>(kLongestPagerNumber) + 1);

  auto* reminders = new QGroupBox(l::kRemindersGroup);
  auto* remindersRow = new QHBoxLayout(reminders);
  auto* forLabel = new QLabel(l::kForLabel);
  m_days = NumberField(f.reminderDays);
  forLabel->setBuddy(m_days);
  remindersRow->addWidget(forLabel);
  remindersRow->addWidget(m_days);
  remindersRow->addWidget(new QLabel(l::kDaysLabel));
  m_daysBefore = new QRadioButton(l::kDaysBeforeLabel);
  m_daysAfter = new QRadioButton(l::kDaysAfterLabel);
  (f.remindersAfter ? m_daysAfter : m_daysBefore)->setChecked(true);
  auto* dayGroup = new QButtonGroup(this);
  dayGroup->addButton(m_daysBefore);
  dayGroup->addButton(m_daysAfter);
  auto* daySide = new QVBoxLayout();
  daySide->addWidget(m_daysBefore);
  daySide->addWidget(m_daysAfter);
  remindersRow->addLayout(daySide);
  remindersRow->addStretch(1);

  m_settings = new QPushButton(l::kSettingsLabel);
  connect(m_settings, &QPushButton::clicked, this, &AlarmPropertiesDialog::OpenSettings);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->addButton(m_settings, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &AlarmPropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &AlarmPropertiesDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(offset);
  layout->addWidget(m_alsoDial);
  layout->addWidget(m_number);
  layout->addWidget(reminders);
  layout->addWidget(buttons);
}

AlarmForm AlarmPropertiesDialog::Form() const {
  AlarmForm f;
  f.hours = NumberIn(m_hours);
  f.minutes = NumberIn(m_minutes);
  f.after = m_after->isChecked();
  f.atEnd = m_end->isChecked();
  f.alsoDial = m_alsoDial->isChecked();
  f.pagerNumber = m_number->text().toStdString();
  f.reminderDays = NumberIn(m_days);
  f.remindersAfter = m_daysAfter->isChecked();
  f.memo = m_memo;
  return f;
}

void AlarmPropertiesDialog::accept() {
  Act copy = m_record;
  if (!TakeAlarmForm(Form(), copy, m_ports)) return;
  m_record = copy;
  QDialog::accept();
}

void AlarmPropertiesDialog::OpenSettings() {
  MultiButtonParams params;
  params.customCaptions = t::kGoToAlarmsSettings;
  m_ports.msg.MultiButtonBox(t::kSettingsApplyToAll, t::kSettingsApplyToAllCaption,
                             kMbIconInformation, params);
  if (m_openSettings) m_openSettings();
}

bool RunAlarmPropertiesDialog(QWidget* owner, Act& record, AlarmFormPorts& ports,
                              std::function<void()> openSettings) {
  AlarmPropertiesDialog dialog(record, ports, std::move(openSettings), owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace ploven
