#include "app/qt_engine_ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include "dialogs/conflict_window_dialog.h"
#include "dialogs/progress_window.h"

namespace ploven {

QtEngineUi::QtEngineUi(QWidget* owner) : m_owner(owner) {}

QtEngineUi::~QtEngineUi() {
  while (m_waitDepth > 0) SetWaitCursor(false);
}

void QtEngineUi::OpenProgress() {
  if (!m_progress) m_progress = std::make_unique<ProgressWindow>(m_owner);
  m_progress->Open();
}

void QtEngineUi::ShowProgressText(const std::string& text) {
  if (!m_progress || !m_progress->isVisible()) OpenProgress();
  m_progress->SetText(text);
}

void QtEngineUi::ShowProgressPercent(const std::string& percent) {
  if (!m_progress || !m_progress->isVisible()) OpenProgress();
  m_progress->SetPercent(percent);
}

void QtEngineUi::CloseProgress() {
  if (m_progress) m_progress->hide();
}

void QtEngineUi::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_waitDepth;
  } else if (m_waitDepth > 0) {
    QApplication::restoreOverrideCursor();
    --m_waitDepth;
  }
}

void QtEngineUi::Pause(int milliseconds) {
  // The window stays drawn while the label is read.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    QThread::msleep(10);
  }
}

ViewKind QtEngineUi::viewShowing() const { return view ? view() : ViewKind::kOther; }
DayNumber QtEngineUi::viewedDate() const { return viewed ? viewed() : 0; }
void QtEngineUi::SetViewedDate(DayNumber date) {
  if (setViewed) setViewed(date);
}
void QtEngineUi::RefreshDayScheduleViews() {
  if (refresh) refresh();
}
void QtEngineUi::SaveAndWait() {
  if (save) save();
}

ConflictWindowAnswer QtEngineUi::ShowConflictWindow(const ConflictWindowRequest& request) {
  const bool progressShown = m_progress && m_progress->isVisible();
  if (progressShown) m_progress->hide();
  ConflictWindowDialog dialog(request, m_owner);
  if (help) dialog.SetHelpHandler(help);
  const ConflictWindowAnswer answer = dialog.Run();
  if (progressShown) m_progress->Open();
  return answer;
}

EditOutcome QtEngineUi::EditItem(ActHandle item) {
  return editItem ? editItem(item) : EditOutcome::kCancelled;
}

bool QtEngineUi::DeleteItemAsked(ActHandle item) { return deleteItem && deleteItem(item); }

}  // namespace ploven
