#include "dialogs/done_item_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>
#include <cmath>
#include <string>

#include "dialogs/done_dialog_messages.h"
#include "platform/format.h"
#include "store/act_flags.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = done_dialog_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string Trimmed(const QLineEdit* field) { return field->text().trimmed().toStdString(); }

// A whole number, all of the text; nothing for anything else.
std::optional<long> WholeNumber(const std::string& text) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string Amount(float value) { return Sprintf("%.2f", static_cast<double>(value)); }

}  // namespace

DoneItemDialog::DoneItemDialog(Engine& engine, DoneItemDraft draft, const DateText& text,
                               const ParseContext& context, std::function<void(int32_t)> openNote,
                               QWidget* owner)
    : QDialog(owner),
      m_engine(engine),
      m_draft(std::move(draft)),
      m_text(text),
      m_context(context),
      m_openNote(std::move(openNote)) {
  setWindowTitle(t::kTitle);
  Schedule& s = m_engine.schedule();

  m_title = new QLineEdit(Q(m_draft.title));
  m_title->setMaxLength(static_cast<int>(kActTitleMax));
  m_note = new QPushButton(t::kNoteButton);
  m_noteLabel = new QLabel();
  m_date = new QLineEdit(Q(FormatDate(m_draft.date, m_text)));
  m_began = new QLineEdit();
  m_ended = new QLineEdit();
  m_duration = new QLineEdit();
  m_expense = new QLineEdit(m_draft.expense != 0 ? Q(Amount(m_draft.expense)) : QString());
  m_mileage = new QLineEdit(m_draft.mileage != 0 ? QString::number(m_draft.mileage) : QString());
  m_jobNumber =
      new QLineEdit(m_draft.jobNumber != 0 ? QString::number(m_draft.jobNumber) : QString());
  m_project = new QComboBox();
  m_project->addItem(t::kProjectNone, 0u);
  for (const auto& [key, node] : s.projects()) {
    // A finished project takes no new work, unless the item is in it already.
    if (s.ReadAct(node.act).Has(AF_DONE) && node.id != m_draft.projectID) continue;
    m_project->addItem(Q(s.GetActTitle(node.act)), node.id);
  }
  m_project->setCurrentIndex(std::max(0, m_project->findData(m_draft.projectID)));
  ShowTimes();
  if (m_draft.hasNote) m_noteLabel->setText(Q(Sprintf(t::kNoteAttached, m_draft.noteNumber)));

  auto* titleRow = new QHBoxLayout();
  titleRow->addWidget(m_title, 1);
  titleRow->addWidget(m_note);
  auto* form = new QFormLayout();
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // The title row is a layout, so its label is given its field by hand (for the Alt+T key).
  auto* titleLabel = new QLabel(t::kTitleLabel, this);
  titleLabel->setBuddy(m_title);
  form->addRow(titleLabel, titleRow);
  form->addRow(QString(), m_noteLabel);
  form->addRow(t::kDateLabel, m_date);
  form->addRow(t::kBeganLabel, m_began);
  form->addRow(t::kEndedLabel, m_ended);
  form->addRow(t::kDurationLabel, m_duration);
  form->addRow(t::kExpenseLabel, m_expense);
  form->addRow(t::kMileageLabel, m_mileage);
  form->addRow(t::kProjectLabel, m_project);
  form->addRow(t::kJobNumberLabel, m_jobNumber);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* help = buttons->addButton(t::kHelp, QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &DoneItemDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DoneItemDialog::reject);
  connect(help, &QPushButton::clicked, this,
          [this] { m_engine.schedule().messages().OpenHelpTopic(t::kHelpTopic); });
  connect(m_note, &QPushButton::clicked, this, &DoneItemDialog::AttachNote);
  connect(m_began, &QLineEdit::editingFinished, this, [this] {
    if (!m_refusing) TakeBegan();
  });
  connect(m_ended, &QLineEdit::editingFinished, this, [this] {
    if (!m_refusing) TakeEnded();
  });
  connect(m_duration, &QLineEdit::editingFinished, this, [this] {
    if (!m_refusing) TakeDuration();
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(form);
  layout->addWidget(buttons);
  m_title->setFocus();
}

void DoneItemDialog::ShowTimes() {
  const DoneItemTimes& times = m_draft.times;
  m_began->setText(Q(FormatTime(times.began(), m_text)));
  m_ended->setText(Q(FormatTime(times.ended(), m_text)));
  m_duration->setText(Q(FormatDurationPadded(times.duration(), m_text)));
}

bool DoneItemDialog::Refuse(QLineEdit* field, const std::string& message) {
  // The message box takes the focus, and leaving a field reads it again: not while telling.
  m_refusing = true;
  m_engine.schedule().messages().ErrorMessage(message);
  m_refusing = false;
  field->setFocus();
  field->selectAll();
  return false;
}

bool DoneItemDialog::TakeBegan() {
  const std::string text = Trimmed(m_began);
  TimeOfDay began = kNoTime;
  if (!text.empty()) {
    const auto r = ParseTime(text, m_text, m_context);
    if (!r.value) return Refuse(m_began, r.message);
    began = *r.value;
  }
  m_draft.times.SetBegan(began);
  ShowTimes();
  return true;
}

bool DoneItemDialog::TakeEnded() {
  const std::string text = Trimmed(m_ended);
  if (text.empty()) {
    ShowTimes();  // Ended follows Began and Duration; there is nothing to clear
    return true;
  }
  const auto r = ParseTime(text, m_text, m_context);
  if (!r.value) return Refuse(m_ended, r.message);
  m_draft.times.SetEnded(*r.value);
  ShowTimes();
  return true;
}

bool DoneItemDialog::TakeDuration() {
  const auto r = ParseDuration(Trimmed(m_duration), m_text);
  if (!r.value) return Refuse(m_duration, r.message);
  m_draft.times.SetDuration(*r.value);
  ShowTimes();
  return true;
}

void DoneItemDialog::AttachNote() {
  const int32_t number = AttachDoneNote(m_engine.schedule(), m_draft);
  m_noteLabel->setText(Q(Sprintf(t::kNoteAttached, number)));
  if (m_openNote) m_openNote(number);
}

void DoneItemDialog::accept() {
  // The field the user was typing in may not have been left yet.
  if (!TakeBegan() || !TakeEnded() || !TakeDuration()) return;
  m_draft.title = m_title->text().toStdString();
  const auto date = ParseDate(Trimmed(m_date), m_text, m_context);
  if (!date.value) {
    Refuse(m_date, date.message);
    return;
  }
  m_draft.date = *date.value;

  const std::string expense = Trimmed(m_expense);
  if (expense.empty()) {
    m_draft.expense = 0;
  } else {
    bool ok = false;
    const double value = QString::fromStdString(expense).toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 1e9) {
      Refuse(m_expense, t::kBadExpense);
      return;
    }
    m_draft.expense = static_cast<float>(value);
  }
  const std::string mileage = Trimmed(m_mileage);
  const auto miles = mileage.empty() ? std::optional<long>(0) : WholeNumber(mileage);
  if (!miles || *miles < 0 || *miles > 32767) {
    Refuse(m_mileage, t::kBadMileage);
    return;
  }
  m_draft.mileage = static_cast<int>(*miles);
  const std::string job = Trimmed(m_jobNumber);
  const auto jobNumber = job.empty() ? std::optional<long>(0) : WholeNumber(job);
  if (!jobNumber || *jobNumber < INT32_MIN || *jobNumber > INT32_MAX) {
    Refuse(m_jobNumber, t::kBadJobNumber);
    return;
  }
  m_draft.jobNumber = static_cast<int32_t>(*jobNumber);
  m_draft.projectID = m_project->currentData().toUInt();

  const DoneItemOutcome out = SaveDoneItem(m_engine, m_draft);
  if (!out.ok()) {
    Refuse(out.field == DoneItemField::kDate ? m_date : m_title, out.problem);
    return;
  }
  m_saved = out.item;
  QDialog::accept();
}

ActHandle RunDoneItemDialog(QWidget* owner, Engine& engine, DoneItemDraft draft,
                            const DateText& text, const ParseContext& context,
                            std::function<void(int32_t)> openNote) {
  DoneItemDialog dialog(engine, std::move(draft), text, context, std::move(openNote), owner);
  return dialog.exec() == QDialog::Accepted ? dialog.savedItem() : kNoAct;
}

}  // namespace ploven
