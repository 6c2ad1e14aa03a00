#include "dialogs/conflict_window_dialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogs/dialog_messages.h"
#include "dialogs/message_box_dialog.h"
#include "engine/balance_messages.h"

namespace ploven {

namespace {

constexpr int kTextWidth = 520;
constexpr int kButtonWidth = 170;

QLabel* Note(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, p.color(QPalette::PlaceholderText));
  label->setPalette(p);
  return label;
}

QString TimeOrNone(const std::string& time) {
  return time.empty() ? QString(dialog_text::kNoTime) : QString::fromStdString(time);
}

}  // namespace

ConflictWindowDialog::ConflictWindowDialog(const ConflictWindowRequest& request, QWidget* owner)
    : QDialog(owner) {
  setWindowTitle(balance_text::kConflictTitle);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                 Qt::WindowCloseButtonHint);
  m_answer.button = ConflictButton::kClose;
  m_answer.dateField = request.dateField;

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(20, 18, 20, 16);
  outer->setSpacing(12);

  auto* top = new QHBoxLayout();
  top->setSpacing(14);
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(32));
  top->addWidget(icon, 0, Qt::AlignTop);
  auto* textColumn = new QVBoxLayout();
  textColumn->setSpacing(10);
  auto* text = new QLabel(BoxText(request.text), this);
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  text->setFixedWidth(kTextWidth);
  textColumn->addWidget(text);
  auto* window = new QLabel(QString("%1 %2      %3 %4")
                                .arg(dialog_text::kEarliestBegin, TimeOrNone(request.earliestBegin),
                                     dialog_text::kLatestEnd, TimeOrNone(request.latestEnd)),
                            this);
  window->setTextFormat(Qt::PlainText);
  textColumn->addWidget(window);
  top->addLayout(textColumn, 1);
  outer->addLayout(top);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  outer->addWidget(line);

  // Each way on stands beside the note that explains it.
  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  grid->setColumnStretch(0, 1);

  QPushButton* change = AddButton(dialog_text::kChangeDeadline, ConflictButton::kChangeDeadline);
  m_dateField = new QLineEdit(QString::fromStdString(request.dateField), this);
  m_dateField->setMinimumWidth(140);
  auto* changeRow = new QHBoxLayout();
  changeRow->addWidget(change);
  changeRow->addWidget(m_dateField, 1);
  grid->addWidget(Note(balance_text::kConflictNoteNoDeadline, this), 0, 0);
  grid->addLayout(changeRow, 0, 1, 1, 2);

  grid->addWidget(Note(balance_text::kConflictNoteEdit, this), 1, 0);
  grid->addWidget(AddButton(dialog_text::kEditItem, ConflictButton::kEditItem), 1, 1);

  grid->addWidget(Note(balance_text::kConflictNoteDone, this), 2, 0);
  grid->addWidget(AddButton(dialog_text::kDoneItem, ConflictButton::kDoneItem), 2, 1);
  grid->addWidget(AddButton(dialog_text::kDeleteItem, ConflictButton::kDeleteItem), 2, 2);

  grid->addWidget(Note(balance_text::kConflictNoteOther, this), 3, 0);
  grid->addWidget(AddButton(dialog_text::kSkipItem, ConflictButton::kSkipItem), 3, 1);

  grid->addWidget(Note(balance_text::kConflictNoteLater, this), 4, 0);
  grid->addWidget(AddButton(dialog_text::kSkipRestOfItems, ConflictButton::kSkipRestOfItems), 4, 1);
  outer->addLayout(grid);

  auto* helpRow = new QHBoxLayout();
  helpRow->addStretch(1);
  auto* help = new QPushButton(dialog_text::kConflictHelp, this);
  help->setAutoDefault(false);
  connect(help, &QPushButton::clicked, this, [this] {
    if (m_help) m_help(balance_text::kConflictHelpTopic);
  });
  helpRow->addWidget(help);
  outer->addLayout(helpRow);

  // Enter in the deadline field changes the deadline.
  change->setDefault(true);
  m_dateField->setFocus();
  m_dateField->selectAll();
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* ConflictWindowDialog::AddButton(const char* caption, ConflictButton button) {
  auto* b = new QPushButton(QString::fromUtf8(caption), this);
  b->setMinimumWidth(kButtonWidth);
  b->setAutoDefault(false);
  connect(b, &QPushButton::clicked, this, [this, button] { Press(button); });
  m_buttons[static_cast<int>(button)] = b;
  return b;
}

QPushButton* ConflictWindowDialog::buttonFor(ConflictButton button) const {
  const int i = static_cast<int>(button);
  return i >= 0 && i < 6 ? m_buttons[i] : nullptr;
}

void ConflictWindowDialog::Press(ConflictButton button) {
  m_answer.button = button;
  m_answer.dateField = m_dateField->text().toStdString();
  done(static_cast<int>(button) + 1);
}

void ConflictWindowDialog::reject() { Press(ConflictButton::kClose); }

ConflictWindowAnswer ConflictWindowDialog::Run() {
  exec();
  return m_answer;
}

}  // namespace ploven
