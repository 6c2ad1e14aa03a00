#include "dialogs/note_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>

#include "dialogs/note_window_messages.h"
#include "notes/note_format.h"

namespace ploven {
namespace t = note_window_text;

NoteWindow::NoteWindow(int slot, const QString& title, const QString& text, const QFont& font,
                       QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_slot(slot),
      m_edit(new QPlainTextEdit(this)),
      m_font(font) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("NoteWindow");
  setCentralWidget(m_edit);
  m_edit->setFont(font);
  SetNote(title, text);
  BuildMenus();
  connect(m_edit, &QPlainTextEdit::textChanged, this, [this] {
    if (m_loading) return;
    KeepWithinLimit();
    emit modified(m_slot);
  });
}

void NoteWindow::BuildMenus() {
  QMenu* note = menuBar()->addMenu(t::kNoteMenu);
  note->addAction(t::kClose, QKeySequence::Close, this, [this] { close(); });
  note->addAction(t::kPrintNote, QKeySequence::Print, this, [this] { emit printNote(m_slot); });
  m_exception =
      note->addAction(t::kMakeExceptionNote, this, [this] { emit makeExceptionNote(m_slot); });
  note->addAction(t::kHide, this, [this] { emit hideProgram(); });

  QMenu* edit = menuBar()->addMenu(t::kEditMenu);
  edit->addAction(t::kUndo, QKeySequence::Undo, m_edit, &QPlainTextEdit::undo);
  edit->addSeparator();
  edit->addAction(t::kCut, QKeySequence::Cut, m_edit, &QPlainTextEdit::cut);
  edit->addAction(t::kCopy, QKeySequence::Copy, m_edit, &QPlainTextEdit::copy);
  edit->addAction(t::kPaste, QKeySequence::Paste, m_edit, &QPlainTextEdit::paste);
  edit->addAction(t::kSelectAll, QKeySequence::SelectAll, m_edit, &QPlainTextEdit::selectAll);
  edit->addSeparator();
  edit->addAction(t::kFind, QKeySequence::Find, this, [this] { FindInNote(); });
  // The font switch: the Note Font, or the system's fixed-width font for tables and lists.
  m_fixedFont = edit->addAction(t::kFixedFont);
  m_fixedFont->setCheckable(true);
  connect(m_fixedFont, &QAction::toggled, this, [this](bool fixed) {
    m_edit->setFont(fixed ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : m_font);
  });
}

void NoteWindow::SetNote(const QString& title, const QString& text) {
  m_loading = true;
  m_edit->setPlainText(text);
  m_edit->document()->setModified(false);
  m_loading = false;
  Retitle(title);
}

void NoteWindow::Retitle(const QString& title) {
  if (windowTitle() != title) setWindowTitle(title);
}

void NoteWindow::SetReadOnly(bool readOnly) { m_edit->setReadOnly(readOnly); }

void NoteWindow::SetNoteFont(const QFont& font) {
  m_font = font;
  if (!m_fixedFont->isChecked()) m_edit->setFont(font);
}

void NoteWindow::SetExceptionEnabled(bool enabled) { m_exception->setEnabled(enabled); }

// The editor holds at most as many characters as a note may have.
void NoteWindow::KeepWithinLimit() {
  const int limit = static_cast<int>(kNoteTextLimit);
  if (m_edit->document()->characterCount() - 1 <= limit) return;
  m_loading = true;
  QTextCursor cursor(m_edit->document());
  cursor.setPosition(limit);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  m_loading = false;
  QApplication::beep();
}

void NoteWindow::FindInNote() {
  bool ok = false;
  const QString words =
      QInputDialog::getText(this, windowTitle(), t::kFindInNote, QLineEdit::Normal, {}, &ok);
  if (!ok || words.isEmpty()) return;
  if (m_edit->find(words)) return;
  // From the top once more before saying it is not there.
  m_edit->moveCursor(QTextCursor::Start);
  if (!m_edit->find(words))
    QMessageBox::information(this, windowTitle(), QString(t::kNotFoundInNote).arg(words));
}

void NoteWindow::closeEvent(QCloseEvent* event) {
  if (closing && !closing(*this)) {
    event->ignore();
    return;
  }
  event->accept();
}

void NoteWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  emit moved(this);
}

void NoteWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  emit moved(this);
}

void NoteWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit focused(m_slot);
}

}  // namespace ploven
