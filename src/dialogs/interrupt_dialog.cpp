#include "dialogs/interrupt_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialog_messages.h"

namespace ploven {

namespace t = dialog_text;

namespace {
constexpr int kDefaultMinutes = 10;
}  // namespace

InterruptDialog::InterruptDialog(DayNumber today, TimeOfDay now, std::function<void()> showReport,
                                 QWidget* owner)
    : QDialog(owner), m_today(today) {
  setWindowTitle(t::kInterruptCaption);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_what = new QLineEdit(this);
  m_what->setPlaceholderText(t::kInterruptWhatHint);
  m_began = new QTimeEdit(this);
  m_began->setDisplayFormat("HH:mm");
  const int minutes = std::max(0, now - 1 - kDefaultMinutes);
  m_began->setTime(QTime(minutes / 60, minutes % 60));
  m_minutes = new QSpinBox(this);
  m_minutes->setRange(1, kMaxInterruptionMinutes);
  m_minutes->setValue(kDefaultMinutes);
  m_minutes->setSuffix(t::kMinutesSuffix);
  form->addRow(t::kInterruptWhat, m_what);
  form->addRow(t::kInterruptBegan, m_began);
  form->addRow(t::kInterruptLength, m_minutes);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* report = buttons->addButton(t::kInterruptReport, QDialogButtonBox::ActionRole);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setEnabled(false);
  connect(m_what, &QLineEdit::textChanged, this,
          [ok](const QString& text) { ok->setEnabled(!text.trimmed().isEmpty()); });
  connect(report, &QPushButton::clicked, this, [showReport = std::move(showReport)] {
    if (showReport) showReport();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (entry()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::optional<Interruption> InterruptDialog::entry() const {
  const QString what = m_what->text().trimmed();
  if (what.isEmpty()) return std::nullopt;
  const QTime began = m_began->time();
  return Interruption{m_today, ClockTime(began.hour(), began.minute()), m_minutes->value(),
                      what.toStdString()};
}

std::optional<Interruption> RunInterruptDialog(QWidget* owner, DayNumber today, TimeOfDay now,
                                               std::function<void()> showReport) {
  InterruptDialog dialog(today, now, std::move(showReport), owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.entry();
}

}  // namespace ploven
