#include "dialogs/daily_reminder_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "alarm/alarm_messages.h"

namespace ploven {

namespace t = alarm_text;

DailyReminderDialog::DailyReminderDialog(QWidget* parent, const std::vector<Line>& lines,
                                         bool showEachDay)
    : QDialog(parent), m_lines(lines) {
  setWindowTitle(QString::fromUtf8(t::kReminderCaption));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(t::kReminderIntro), this));
  m_list = new QListWidget(this);
  for (const Line& line : m_lines) m_list->addItem(QString::fromStdString(line.text));
  if (!m_lines.empty()) m_list->setCurrentRow(0);
  m_list->setMinimumWidth(420);
  layout->addWidget(m_list);
  m_showEachDay = new QCheckBox(QString::fromUtf8(t::kReminderShowEachDay), this);
  m_showEachDay->setChecked(showEachDay);
  layout->addWidget(m_showEachDay);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* goTo =
      buttons->addButton(QString::fromUtf8(t::kReminderGoTo), QDialogButtonBox::AcceptRole);
  goTo->setEnabled(!m_lines.empty());
  layout->addWidget(buttons);
  connect(goTo, &QPushButton::clicked, this, &DailyReminderDialog::GoToChosen);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &DailyReminderDialog::GoToChosen);
  // Closing is what a stray key press should do, never a jump to another day.
  buttons->button(QDialogButtonBox::Close)->setDefault(true);
}

bool DailyReminderDialog::showEachDay() const { return m_showEachDay->isChecked(); }

void DailyReminderDialog::GoToChosen() {
  const int row = m_list->currentRow();
  if (row < 0 || row >= static_cast<int>(m_lines.size())) return;
  m_chosen = m_lines[static_cast<size_t>(row)].day;
  accept();
}

}  // namespace ploven
