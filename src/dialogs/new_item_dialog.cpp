#include "dialogs/new_item_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/dialog_messages.h"
#include "dialogs/recurrence_dialog_window.h"
#include "platform/messages.h"

namespace ploven {

namespace t = dialog_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string Trimmed(const QLineEdit* field) { return field->text().trimmed().toStdString(); }

}  // namespace

NewItemDialog::NewItemDialog(const DateText& text, const ParseContext& context,
                             Messages& messages, DayNumber date, QWidget* owner)
    : QDialog(owner), m_text(text), m_context(context), m_messages(messages) {
  setWindowTitle(t::kNewItemCaption);
  auto* layout = new QVBoxLayout(this);

  auto* form = new QFormLayout;
  m_title = new QLineEdit(this);
  m_title->setMinimumWidth(360);
  form->addRow(t::kTitleLabel, m_title);
  layout->addLayout(form);

  auto* when = new QGroupBox(t::kWhenGroup, this);
  auto* whenForm = new QFormLayout(when);
  auto* kind = new QHBoxLayout;
  m_setDate = new QRadioButton(t::kSetDate, when);
  m_flexible = new QRadioButton(t::kFlexibleDate, when);
  m_flexible->setChecked(true);
  kind->addWidget(m_setDate);
  kind->addWidget(m_flexible);
  kind->addStretch();
  whenForm->addRow(kind);
  m_date = new QLineEdit(Q(FormatDate(date, text)), when);
  whenForm->addRow(t::kDateLabel, m_date);
  m_earliest = new QLineEdit(when);
  m_earliest->setPlaceholderText(t::kNoneHint);
  whenForm->addRow(t::kEarliestLabel, m_earliest);
  m_deadline = new QLineEdit(when);
  m_deadline->setPlaceholderText(t::kNoneHint);
  whenForm->addRow(t::kDeadlineLabel, m_deadline);
  m_start = new QLineEdit(when);
  m_start->setPlaceholderText(t::kNoneHint);
  whenForm->addRow(t::kStartLabel, m_start);
  m_duration = new QLineEdit("0:30", when);
  whenForm->addRow(t::kDurationLabel, m_duration);
  layout->addWidget(when);

  auto* more = new QHBoxLayout;
  m_memo = new QCheckBox(t::kMemoHold, this);
  m_split = new QCheckBox(t::kSplittable, this);
  m_tier = new QComboBox(this);
  for (char c = 'A'; c <= 'Z'; ++c) m_tier->addItem(QString(QChar(c)));
  more->addWidget(m_memo);
  more->addWidget(m_split);
  m_recurring = new QPushButton(t::kRecurringButton, this);
  more->addWidget(m_recurring);
  connect(m_recurring, &QPushButton::clicked, this, [this] { AskRecurrence(); });
  more->addStretch();
  more->addWidget(new QLabel(t::kTierLabel, this));
  more->addWidget(m_tier);
  layout->addLayout(more);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &NewItemDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(m_setDate, &QRadioButton::toggled, this, [this] { UpdateEnabled(); });
  connect(m_start, &QLineEdit::textChanged, this, [this](const QString& s) {
    // A Set Start Time makes it a Set Date item.
    if (!s.trimmed().isEmpty()) m_setDate->setChecked(true);
  });
  UpdateEnabled();
  m_title->setFocus();
}

void NewItemDialog::AskRecurrence() {
  RecurrenceWindowSetup setup;
  setup.dateText = m_text;
  setup.parse = m_context;
  setup.defaultStart = m_context.viewed;
  Beta start;
  if (m_recurrence) start = *m_recurrence;
  const auto chosen = RunRecurrenceDialog(this, m_messages, start, setup);
  if (chosen) SetRecurrence(chosen->beta);
}

void NewItemDialog::SetRecurrence(std::optional<Beta> rule) {
  m_recurrence = std::move(rule);
  // A recurring item keeps to its dates: it is never fluid, never split.
  if (m_recurrence) m_setDate->setChecked(true);
  m_flexible->setEnabled(!m_recurrence);
  m_recurring->setText(m_recurrence ? t::kRecurringButtonOn : t::kRecurringButton);
  UpdateEnabled();
}

void NewItemDialog::UpdateEnabled() {
  const bool fluid = m_flexible->isChecked();
  m_earliest->setEnabled(fluid);
  m_deadline->setEnabled(fluid);
  m_tier->setEnabled(fluid);
  m_split->setEnabled(fluid);
}

std::optional<cli::NewItemRequest> NewItemDialog::Request() {
  cli::NewItemRequest r;
  r.title = m_title->text().trimmed().toStdString();
  r.flexible = m_flexible->isChecked();
  r.memo = m_memo->isChecked();
  r.split = r.flexible && m_split->isChecked();
  auto dateOf = [&](const QLineEdit* field, std::optional<DayNumber>& into) {
    const std::string typed = Trimmed(field);
    if (typed.empty()) return true;
    const auto d = ParseDate(typed, m_text, m_context);
    if (!d.value) {
      m_messages.ErrorMessage(d.message);
      return false;
    }
    into = d.value;
    return true;
  };
  if (!dateOf(m_date, r.date)) return std::nullopt;
  if (r.flexible && (!dateOf(m_earliest, r.earliest) || !dateOf(m_deadline, r.deadline)))
    return std::nullopt;
  if (const std::string typed = Trimmed(m_start); !typed.empty()) {
    const auto time = ParseTime(typed, m_text, m_context);
    if (!time.value) {
      m_messages.ErrorMessage(time.message);
      return std::nullopt;
    }
    r.start = time.value;
    r.fixed = true;
    r.flexible = false;
  }
  if (const std::string typed = Trimmed(m_duration); !typed.empty()) {
    const auto d = ParseDuration(typed, m_text);
    if (!d.value) {
      m_messages.ErrorMessage(d.message);
      return std::nullopt;
    }
    r.duration = d.value;
  }
  if (r.flexible) r.tier = static_cast<uint8_t>('A' + m_tier->currentIndex());
  if (m_recurrence) {
    r.recurrence = m_recurrence;
    r.flexible = false;
    r.split = false;
  }
  return r;
}

void NewItemDialog::accept() {
  m_request = Request();
  if (!m_request) return;
  QDialog::accept();
}

}  // namespace ploven
