#include "dialogs/balance_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <optional>

#include "dialogs/settings_dialog_messages.h"
#include "engine/day_bounds.h"
#include "engine/engine.h"
#include "platform/messages.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = settings_dialog_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Refuse(Messages& msg, const std::string& message, QLineEdit* field) {
  msg.ErrorMessage(message);
  field->setFocus();
  field->selectAll();
}

}  // namespace

BalanceSettingsDialog::BalanceSettingsDialog(Engine& engine, const DateText& text,
                                             QWidget* owner)
    : QDialog(owner), m_engine(engine), m_text(text) {
  setWindowTitle(t::kBalanceTitle);
  Schedule& s = m_engine.schedule();
  m_context.today = s.Today();
  m_context.now = s.Now();
  m_context.viewed = s.Today();

  const BalanceEntry e = BalanceEntryOf(s.header());
  auto date = [&](DayNumber d) { return d == kNoDate ? QString() : Q(FormatDate(d, m_text)); };
  m_reserveToday = new QLineEdit(Q(FormatDuration(e.reserveToday, m_text)));
  m_reserveFuture = new QLineEdit(Q(FormatDuration(e.reserveFuture, m_text)));
  m_from = new QLineEdit(date(e.keepClearFrom));
  m_through = new QLineEdit(date(e.keepClearThrough));
  m_minSplit = new QLineEdit(Q(FormatDuration(e.minSplit, m_text)));

  auto* form = new QFormLayout();
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->addRow(t::kReserveTodayLabel, m_reserveToday);
  form->addRow(t::kReserveFutureLabel, m_reserveFuture);
  form->addRow(t::kMinSplitLabel, m_minSplit);

  auto* keepClear = new QGroupBox(t::kKeepClearGroup);
  auto* clearForm = new QFormLayout(keepClear);
  clearForm->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  clearForm->addRow(t::kKeepClearFromLabel, m_from);
  clearForm->addRow(t::kKeepClearThroughLabel, m_through);
  auto* hint = new QLabel(t::kKeepClearHint);
  hint->setEnabled(false);
  clearForm->addRow(hint);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &BalanceSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &BalanceSettingsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(form);
  layout->addWidget(keepClear);
  layout->addWidget(buttons);
  setTabOrder(m_reserveToday, m_reserveFuture);
  setTabOrder(m_reserveFuture, m_minSplit);
  setTabOrder(m_minSplit, m_from);
  setTabOrder(m_from, m_through);
}

void BalanceSettingsDialog::accept() {
  Messages& msg = m_engine.schedule().messages();
  BalanceEntry entry;
  // Every field is read before anything changes, so a refusal leaves the settings as they were.
  struct DurationField {
    QLineEdit* field;
    int* into;
  };
  int reserveToday = 0, reserveFuture = 0;
  for (const DurationField& d : {DurationField{m_reserveToday, &reserveToday},
                                 DurationField{m_reserveFuture, &reserveFuture},
                                 DurationField{m_minSplit, &entry.minSplit}}) {
    const auto r = ParseDuration(d.field->text().trimmed().toStdString(), m_text);
    if (!r.value) return Refuse(msg, r.message, d.field);
    *d.into = *r.value;
  }
  entry.reserveToday = static_cast<Duration>(reserveToday);
  entry.reserveFuture = static_cast<Duration>(reserveFuture);
  for (QLineEdit* field : {m_from, m_through}) {
    const std::string typed = field->text().trimmed().toStdString();
    DayNumber day = kNoDate;  // an empty field is an open end
    if (!typed.empty()) {
      const auto r = ParseDate(typed, m_text, m_context);
      if (!r.value) return Refuse(msg, r.message, field);
      day = *r.value;
    }
    (field == m_from ? entry.keepClearFrom : entry.keepClearThrough) = day;
  }
  if (!BalanceSettingsOk(m_engine, entry)) {
    m_through->setFocus();
    m_through->selectAll();
    return;
  }
  QDialog::accept();
}

bool RunBalanceSettingsDialog(QWidget* owner, Engine& engine, const DateText& text) {
  BalanceSettingsDialog dialog(engine, text, owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace ploven
