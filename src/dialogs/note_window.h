#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <functional>

class QAction;

namespace ploven {

// One note window: an editor that fills it and the note menu. It draws and forwards; the main
// window decides what its commands do (NoteSlots holds the note, its lock and its saving).
class NoteWindow : public QMainWindow {
  Q_OBJECT

 public:
  NoteWindow(int slot, const QString& title, const QString& text, const QFont& font,
             QWidget* parent = nullptr);

  int slot() const { return m_slot; }
  QPlainTextEdit* editor() const { return m_edit; }
  QString text() const { return m_edit->toPlainText(); }
  // Replaces the text without counting as a change (a note loaded, the selection followed).
  void SetNote(const QString& title, const QString& text);
  // Sets the title only when it differs.
  void Retitle(const QString& title);
  void SetReadOnly(bool readOnly);
  void SetNoteFont(const QFont& font);
  void SetExceptionEnabled(bool enabled);
  QAction* exceptionAction() const { return m_exception; }

  // Asked when the window wants to close: true lets it close (the note was saved).
  std::function<bool(NoteWindow&)> closing;

 signals:
  void modified(int slot);
  void moved(NoteWindow* window);
  void makeExceptionNote(int slot);
  void printNote(int slot);
  void hideProgram();
  void focused(int slot);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void FindInNote();
  void KeepWithinLimit();

  int m_slot;
  QPlainTextEdit* m_edit;
  QAction* m_exception = nullptr;
  QAction* m_fixedFont = nullptr;
  QFont m_font;
  bool m_loading = false;
};

}  // namespace ploven
