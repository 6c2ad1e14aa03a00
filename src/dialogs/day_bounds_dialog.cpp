#include "dialogs/day_bounds_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/settings_dialog_messages.h"
#include "engine/day_bounds.h"
#include "store/act_flags.h"
#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = settings_dialog_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The clock time of a stored time of day, so that 25:00 shows as 1:00.
TimeOfDay OnTheClock(TimeOfDay time) { return static_cast<TimeOfDay>(ClockMinutes(time) + 1); }

}  // namespace

DayBoundsDialog::DayBoundsDialog(Schedule& schedule, const DateText& text, QWidget* owner)
    : QDialog(owner), m_s(schedule), m_text(text) {
  setWindowTitle(t::kDayBoundsTitle);
  m_context.today = m_s.Today();
  m_context.now = m_s.Now();
  m_context.viewed = m_s.Today();
  // The context keeps its plain day (no Midnight Shift): times are read as the clock shows
  // them and the dialog decides about midnight itself.

  const ScheduleHeader& h = m_s.header();
  m_earliest = new QLineEdit(Q(FormatTime(OnTheClock(h.earliestTimeOfDay()), m_text)));
  m_latest = new QLineEdit(Q(FormatTime(OnTheClock(h.latestTimeOfDay()), m_text)));
  m_first = new QComboBox();
  m_last = new QComboBox();
  m_first->addItem(t::kNoRecurringItem);
  m_last->addItem(t::kNoRecurringItem);
  int firstIndex = 0, lastIndex = 0;
  for (ActHandle def : m_s.betaChain()) {
    if (!m_s.IsActValid(def)) continue;
    m_definitions.push_back(def);
    const QString title = Q(m_s.GetActTitle(def));
    m_first->addItem(title);
    m_last->addItem(title);
    const uint32_t flags = m_s.ActFlags(def);
    if ((flags & AF_MARK1) != 0 && firstIndex == 0) firstIndex = m_first->count() - 1;
    if ((flags & AF_MARK2) != 0 && lastIndex == 0) lastIndex = m_last->count() - 1;
  }
  m_first->setCurrentIndex(firstIndex);
  m_last->setCurrentIndex(lastIndex);
  m_status = new QLabel();
  m_status->setWordWrap(true);

  auto* form = new QFormLayout();
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->addRow(t::kEarliestLabel, m_earliest);
  form->addRow(t::kLatestLabel, m_latest);
  form->addRow(t::kAppearFirstLabel, m_first);
  form->addRow(t::kAppearLastLabel, m_last);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &DayBoundsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DayBoundsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(form);
  layout->addWidget(m_status);
  layout->addWidget(buttons);
  setTabOrder(m_earliest, m_latest);
  setTabOrder(m_latest, m_first);
  setTabOrder(m_first, m_last);

  connect(m_earliest, &QLineEdit::textChanged, this, &DayBoundsDialog::UpdateStatus);
  connect(m_latest, &QLineEdit::textChanged, this, &DayBoundsDialog::UpdateStatus);
  UpdateStatus();
}

int DayBoundsDialog::IndexOf(ActHandle definition) const {
  if (definition == kNoAct) return 0;
  for (size_t i = 0; i < m_definitions.size(); ++i)
    if (m_definitions[i] == definition) return static_cast<int>(i) + 1;
  return -1;
}

ActHandle DayBoundsDialog::Chosen(const QComboBox* box) const {
  const int i = box->currentIndex();
  if (i <= 0 || static_cast<size_t>(i) > m_definitions.size()) return kNoAct;
  return m_definitions[static_cast<size_t>(i) - 1];
}

void DayBoundsDialog::UpdateStatus() {
  const auto earliest = ParseTime(m_earliest->text().toStdString(), m_text, m_context);
  const auto latest = ParseTime(m_latest->text().toStdString(), m_text, m_context);
  // While a time cannot be read the line keeps what it said last.
  if (!earliest.value || !latest.value) return;
  m_status->setText(
      Q(MidnightShiftStatus(OnTheClock(*earliest.value), OnTheClock(*latest.value), m_text)));
}

void DayBoundsDialog::accept() {
  Messages& msg = m_s.messages();
  DayBoundsEntry entry;
  for (QLineEdit* field : {m_earliest, m_latest}) {
    const auto r = ParseTime(field->text().toStdString(), m_text, m_context);
    if (!r.value) {
      msg.ErrorMessage(r.message);
      field->setFocus();
      field->selectAll();
      return;
    }
    (field == m_earliest ? entry.earliest : entry.latest) = OnTheClock(*r.value);
  }
  entry.appearFirst = Chosen(m_first);
  entry.appearLast = Chosen(m_last);
  if (!DayBoundsSettingsOk(m_s, entry)) {
    m_first->setFocus();
    return;
  }
  QDialog::accept();
}

bool RunDayBoundsDialog(QWidget* owner, Schedule& schedule, const DateText& text) {
  DayBoundsDialog dialog(schedule, text, owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace ploven
