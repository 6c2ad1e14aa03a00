#include "dialogs/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "dialogs/dialog_messages.h"

namespace ploven {

namespace {
constexpr int kWindowWidth = 460;
}

std::optional<int> PercentValue(const std::string& percent) {
  size_t i = 0;
  while (i < percent.size() && std::isspace(static_cast<unsigned char>(percent[i]))) ++i;
  if (i == percent.size() || !std::isdigit(static_cast<unsigned char>(percent[i])))
    return std::nullopt;
  int value = 0;
  for (; i < percent.size() && std::isdigit(static_cast<unsigned char>(percent[i])); ++i)
    value = std::min(value * 10 + (percent[i] - '0'), 1000);
  return std::clamp(value, 0, 100);
}

ProgressWindow::ProgressWindow(QWidget* owner) : QDialog(owner) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  setWindowTitle(dialog_text::kProgressTitle);
  setModal(false);
  setAttribute(Qt::WA_ShowWithoutActivating);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 16, 18, 16);
  layout->setSpacing(8);
  m_text = new QLabel(this);
  m_text->setTextFormat(Qt::PlainText);
  // One line that keeps its height: long item titles are cut with an ellipsis by SetText.
  m_text->setMinimumHeight(QFontMetrics(m_text->font()).height());
  layout->addWidget(m_text);

  auto* row = new QHBoxLayout();
  row->setSpacing(10);
  m_bar = new QProgressBar(this);
  m_bar->setRange(0, 100);
  m_bar->setValue(0);
  m_bar->setTextVisible(false);
  row->addWidget(m_bar, 1);
  m_percent = new QLabel(this);
  m_percent->setTextFormat(Qt::PlainText);
  m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_percent->setMinimumWidth(QFontMetrics(m_percent->font()).horizontalAdvance("100%") + 6);
  row->addWidget(m_percent);
  layout->addLayout(row);

  setFixedWidth(kWindowWidth);
  adjustSize();
}

void ProgressWindow::Open() {
  if (!isVisible()) {
    adjustSize();
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    QRect frame = frameGeometry();
    if (owner != nullptr && owner->isVisible()) {
      const QRect around = owner->frameGeometry();
      frame.moveCenter(QPoint(around.center().x(), around.top() + around.height() / 3));
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      frame.moveCenter(screen->availableGeometry().center());
    }
    move(frame.topLeft());
    show();
  }
  raise();
  Repaint();
}

void ProgressWindow::SetText(const std::string& text) {
  const QString full = QString::fromStdString(text);
  const int room = kWindowWidth - 36;
  m_text->setText(QFontMetrics(m_text->font()).elidedText(full, Qt::ElideRight, room));
  m_text->setToolTip(full);
  m_text->setProperty("fullText", full);
  Repaint();
}

void ProgressWindow::SetPercent(const std::string& percent) {
  m_percent->setText(QString::fromStdString(percent).trimmed());
  if (const std::optional<int> value = PercentValue(percent)) m_bar->setValue(*value);
  Repaint();
}

QString ProgressWindow::text() const { return m_text->property("fullText").toString(); }

QString ProgressWindow::percentText() const { return m_percent->text(); }

int ProgressWindow::barValue() const { return m_bar->value(); }

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // Only the run closes its progress window; the window system's close request is ignored.
  if (event->spontaneous())
    event->ignore();
  else
    event->accept();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Escape does not stop a run.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void ProgressWindow::Repaint() {
  if (!isVisible()) return;
  repaint();
  // Draws and lets the window system breathe, but keeps the user's clicks and keys for after
  // the run, so a second command cannot start inside this one.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace ploven
