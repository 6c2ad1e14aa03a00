#include "dialogs/printouts_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/print_dialog_messages.h"
#include "platform/messages.h"

namespace ploven {

namespace t = print_dialog_text;

PrintoutsSettingsDialog::PrintoutsSettingsDialog(const PrintoutSettings& settings,
                                                 Messages& messages, QWidget* owner)
    : QDialog(owner), m_settings(settings) {
  setWindowTitle(t::kSettingsTitle);
  const auto box = [](const char* label, bool checked) {
    auto* b = new QCheckBox(label);
    b->setChecked(checked);
    return b;
  };
  const MyPrintouts& mine = settings.mine;
  m_dayToday = box(t::kDayToday, mine.dayToday);
  m_week = box(t::kCalendarWeek, mine.calendarWeek);
  m_month = box(t::kCalendarMonth, mine.calendarMonth);
  m_priority = box(t::kPriorityFirstPage, mine.priorityFirstPage);
  m_underscored = box(t::kUnderscoredItems, mine.underscoredItems);
  auto* group = new QGroupBox(t::kMyPrintoutsGroup);
  auto* list = new QVBoxLayout(group);
  for (QCheckBox* b : {m_dayToday, m_week, m_month, m_priority, m_underscored})
    list->addWidget(b);

  m_private = box(t::kIncludePrivate, settings.includePrivateItems);
  auto* hint = new QLabel(t::kPrivateHint);
  hint->setEnabled(false);
  m_days = new QSpinBox();
  m_days->setRange(1, PrintoutSettings::kMaxDaysPerPage);
  m_days->setValue(settings.daysPerPage);
  auto* form = new QFormLayout();
  form->addRow(t::kDaysPerPage, m_days);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* help = buttons->addButton(t::kHelp, QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this,
          [&messages] { messages.OpenHelpTopic(t::kSettingsHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(10);
  layout->addWidget(group);
  layout->addWidget(m_private);
  layout->addWidget(hint);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

PrintoutSettings PrintoutsSettingsDialog::Chosen() const {
  PrintoutSettings p = m_settings;
  p.mine = MyPrintouts{m_dayToday->isChecked(), m_week->isChecked(), m_month->isChecked(),
                       m_priority->isChecked(), m_underscored->isChecked()};
  p.includePrivateItems = m_private->isChecked();
  p.daysPerPage = m_days->value();
  return p;
}

}  // namespace ploven
