#include "dialogs/find_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/note_window_messages.h"

namespace ploven {
namespace t = note_window_text;

FindWindow::FindWindow(QWidget* parent)
    : QDialog(parent),
      m_words(new QLineEdit(this)),
      m_list(new QListWidget(this)),
      m_count(new QLabel(this)) {
  setObjectName("FindWindow");
  setWindowTitle(t::kFindTitle);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(t::kFindLabel, this));
  layout->addWidget(m_words);
  layout->addWidget(m_list, 1);
  layout->addWidget(m_count);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* find = buttons->addButton(t::kFindButton, QDialogButtonBox::ActionRole);
  QPushButton* go = buttons->addButton(t::kGoToButton, QDialogButtonBox::AcceptRole);
  buttons->addButton(t::kCloseButton, QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  find->setDefault(true);
  connect(find, &QPushButton::clicked, this, &FindWindow::Search);
  connect(m_words, &QLineEdit::returnPressed, this, &FindWindow::Search);
  auto goToCurrent = [this] {
    if (goTo && m_list->currentRow() >= 0) goTo(m_list->currentRow());
  };
  connect(go, &QPushButton::clicked, this, goToCurrent);
  connect(m_list, &QListWidget::itemActivated, this, goToCurrent);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  resize(520, 360);
}

void FindWindow::Search() {
  m_list->clear();
  if (!search) return;
  const QStringList rows = search(m_words->text());
  m_list->addItems(rows);
  m_count->setText(QString(t::kFindCount).arg(rows.size()));
  if (!rows.isEmpty()) m_list->setCurrentRow(0);
}

void FindWindow::SetCurrentRow(int row) { m_list->setCurrentRow(row); }

}  // namespace ploven
