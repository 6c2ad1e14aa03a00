#include "dialogs/alarm_progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "alarm/alarm_messages.h"

namespace ploven {

namespace t = alarm_text;

AlarmProgressWindow::AlarmProgressWindow(QWidget* owner) : QDialog(owner) {
  setWindowTitle(t::kProgressCaption);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  m_step = new QLabel();
  m_step->setMinimumWidth(360);
  m_step->setWordWrap(true);
  layout->addWidget(m_step);
}

void AlarmProgressWindow::ShowStep(const std::string& step) {
  m_step->setText(QString::fromStdString(step));
  show();
  raise();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString AlarmProgressWindow::step() const { return m_step->text(); }

}  // namespace ploven
