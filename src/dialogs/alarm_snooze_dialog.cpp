#include "dialogs/alarm_snooze_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "alarm/alarm_messages.h"

namespace ploven {

namespace t = alarm_text;

AlarmSnoozeDialog::AlarmSnoozeDialog(const std::string& title, int initial, QWidget* owner)
    : QDialog(owner) {
  setWindowTitle(t::kSnoozeCaption);
  // Wide enough that the window manager shows the whole caption.
  setMinimumWidth(fontMetrics().horizontalAdvance(t::kSnoozeCaption) * 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(t::kSnoozeRepeatFor));
  auto* item = new QLabel(QString::fromStdString(title));
  item->setTextFormat(Qt::PlainText);
  item->setWordWrap(true);
  QFont bold = item->font();
  bold.setBold(true);
  item->setFont(bold);
  layout->addWidget(item);
  auto* row = new QHBoxLayout();
  row->addWidget(new QLabel(t::kSnoozeIn));
  m_minutes = new QLineEdit(QString::number(initial));
  m_minutes->setMaxLength(4);
  m_minutes->setFixedWidth(m_minutes->fontMetrics().horizontalAdvance("00000") + 12);
  m_minutes->selectAll();
  row->addWidget(m_minutes);
  row->addWidget(new QLabel(t::kSnoozeMinutes));
  row->addStretch(1);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

int AlarmSnoozeDialog::minutes() const {
  bool ok = false;
  const int n = m_minutes->text().trimmed().toInt(&ok);
  return ok ? n : -1;
}

std::optional<int> AskSnoozeMinutes(QWidget* owner, const std::string& title, int initial) {
  AlarmSnoozeDialog dialog(title, initial, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.minutes();
}

}  // namespace ploven
