#include "dialogs/splash_window.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include "dialogs/dialog_messages.h"
#include "platform/platform_messages.h"

// Resources of a static library are registered by hand.
static void InitSplashResources() { Q_INIT_RESOURCE(ploven); }

namespace ploven {

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent) {
  InitSplashResources();
  setWindowTitle(msg::kProductName);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  setModal(false);

  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(28, 24, 32, 24);
  outer->setSpacing(20);
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap(dialog_text::kSplashIcon));
  icon->setFixedSize(64, 64);
  outer->addWidget(icon, 0, Qt::AlignVCenter);

  auto* column = new QVBoxLayout();
  column->setSpacing(8);
  auto* name = new QLabel(msg::kProductName, this);
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 2.0);
  big.setBold(true);
  name->setFont(big);
  column->addWidget(name);
  m_status = new QLabel(this);
  m_status->setTextFormat(Qt::PlainText);
  m_status->setMinimumWidth(300);
  m_status->setMinimumHeight(m_status->fontMetrics().height());
  column->addWidget(m_status);
  outer->addLayout(column, 1);
  adjustSize();
}

void SplashWindow::SetStatus(const std::string& text) {
  m_status->setText(QString::fromStdString(text));
  if (!isVisible()) {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
    show();
    raise();
  }
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  // Escape does not stop the start.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

QString SplashWindow::status() const { return m_status->text(); }

}  // namespace ploven
