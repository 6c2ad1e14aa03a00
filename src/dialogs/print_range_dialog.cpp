#include "dialogs/print_range_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/print_dialog_messages.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace ploven {

namespace t = print_dialog_text;

PrintRangeDialog::PrintRangeDialog(bool calendar, DayNumber from, DayNumber to,
                                   const DateText& text, const ParseContext& context,
                                   Messages& messages, QWidget* owner)
    : QDialog(owner), m_text(text), m_context(context), m_from(from), m_to(to) {
  setWindowTitle(calendar ? t::kRangeTitleCalendar : t::kRangeTitleDays);
  m_fromField = new QLineEdit(QString::fromStdString(FormatDate(from, text)));
  m_toField = new QLineEdit(QString::fromStdString(FormatDate(to, text)));
  auto* form = new QFormLayout();
  form->addRow(t::kFromLabel, m_fromField);
  form->addRow(t::kToLabel, m_toField);
  if (calendar) {
    m_format = new QComboBox();
    m_format->addItem(t::kFormatWeeks, static_cast<int>(CalendarFormat::kWeeks));
    m_format->addItem(t::kFormatMonths, static_cast<int>(CalendarFormat::kMonths));
    m_format->addItem(t::kFormatList, static_cast<int>(CalendarFormat::kList));
    form->addRow(t::kFormatLabel, m_format);
  }
  m_status = new QLabel();
  m_status->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* help = buttons->addButton(t::kHelp, QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &PrintRangeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this,
          [&messages] { messages.OpenHelpTopic(t::kRangeHelpTopic); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->addLayout(form);
  layout->addWidget(m_status);
  layout->addWidget(buttons);
}

CalendarFormat PrintRangeDialog::format() const {
  return m_format == nullptr ? CalendarFormat::kWeeks
                             : static_cast<CalendarFormat>(m_format->currentData().toInt());
}

void PrintRangeDialog::accept() {
  const auto read = [this](QLineEdit* field) {
    const auto r = ParseDate(field->text().trimmed().toStdString(), m_text, m_context);
    if (!r.value) {
      m_status->setText(QString::fromStdString(r.message));
      field->setFocus();
      field->selectAll();
    }
    return r.value;
  };
  const auto from = read(m_fromField);
  if (!from) return;
  const auto to = read(m_toField);
  if (!to) return;
  if (*to < *from) {
    m_status->setText(t::kToBeforeFrom);
    m_toField->setFocus();
    return;
  }
  if (*to - *from >= kMaxDays) {
    m_status->setText(QString::fromStdString(Sprintf(t::kRangeTooLong, kMaxDays)));
    m_toField->setFocus();
    return;
  }
  m_from = *from;
  m_to = *to;
  QDialog::accept();
}

}  // namespace ploven
