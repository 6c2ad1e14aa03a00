#include "dialogs/timer_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/tools_dialog_messages.h"

namespace ploven {

namespace t = tools_dialog_text;

TimerWindow::TimerWindow(Kind kind, std::function<void()> ring, QWidget* owner)
    : QDialog(owner), m_kind(kind), m_ring(std::move(ring)) {
  const bool countdown = kind == Kind::kCountdown;
  setWindowTitle(countdown ? t::kCountdownTitle : t::kStopwatchTitle);
  setObjectName(countdown ? "CountdownTimer" : "Stopwatch");
  setModal(false);
  m_elapsed.start();
  m_display = new QLabel;
  QFont big = m_display->font();
  big.setPointSize(28);
  big.setBold(true);
  m_display->setFont(big);
  m_display->setAlignment(Qt::AlignCenter);
  m_caption = new QLabel;
  m_caption->setAlignment(Qt::AlignCenter);
  m_caption->setWordWrap(true);
  m_start = new QPushButton(t::kStart);
  m_reset = new QPushButton(t::kReset);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_caption);
  layout->addWidget(m_display);
  if (countdown) {
    m_length = new QLineEdit(QStringLiteral("25"));
    m_length->setToolTip(t::kLengthHint);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(t::kLengthLabel));
    row->addWidget(m_length);
    layout->addLayout(row);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_start);
  buttons->addWidget(m_reset);
  layout->addLayout(buttons);
  connect(m_start, &QPushButton::clicked, this, [this] { StartOrStop(); });
  connect(m_reset, &QPushButton::clicked, this, &TimerWindow::Reset);
  connect(&m_timer, &QTimer::timeout, this, &TimerWindow::Tick);
  m_timer.start(200);
  Show();
}

int64_t TimerWindow::Now() const { return m_testTime ? *m_testTime : m_elapsed.elapsed(); }

void TimerWindow::SetTestTime(int64_t ms) { m_testTime = ms; }

void TimerWindow::StartCountdown(int64_t seconds, const QString& caption) {
  if (m_length != nullptr) m_length->setText(QString::fromStdString(FormatTimerSeconds(seconds)));
  m_caption->setText(caption);
  m_countdown.Start(seconds * 1000, Now());
  Show();
}

bool TimerWindow::StartOrStop() {
  const int64_t now = Now();
  if (m_kind == Kind::kStopwatch) {
    if (m_watch.running()) m_watch.Stop(now);
    else m_watch.Start(now);
  } else if (m_countdown.running()) {
    m_countdown.Pause(now);
  } else if (m_countdown.started() && m_countdown.RemainingMs(now) > 0) {
    m_countdown.Resume(now);
  } else {
    const auto seconds = ParseCountdownLength(m_length->text().toStdString());
    if (!seconds) {
      m_caption->setText(t::kLengthRefused);
      m_length->setFocus();
      m_length->selectAll();
      return false;
    }
    m_caption->clear();
    m_countdown.Start(*seconds * 1000, now);
  }
  Show();
  return true;
}

void TimerWindow::Reset() {
  m_watch.Reset();
  m_countdown.Reset();
  m_caption->clear();
  Show();
}

void TimerWindow::Tick() {
  if (m_kind == Kind::kCountdown && m_countdown.TakeExpiry(Now())) {
    m_caption->setText(t::kTimeIsUp);
    if (m_ring) m_ring();
    raise();
  }
  Show();
}

void TimerWindow::Show() {
  const int64_t now = Now();
  bool running = false;
  int64_t seconds = 0;
  if (m_kind == Kind::kStopwatch) {
    running = m_watch.running();
    seconds = m_watch.ElapsedMs(now) / 1000;
  } else {
    running = m_countdown.running();
    // Rounded up: 0:00 shows only at zero.
    const int64_t ms = m_countdown.started() ? m_countdown.RemainingMs(now) : 0;
    seconds = (ms + 999) / 1000;
    if (!m_countdown.started()) {
      const auto typed = ParseCountdownLength(m_length->text().toStdString());
      seconds = typed.value_or(0);
    }
  }
  m_display->setText(QString::fromStdString(FormatTimerSeconds(seconds)));
  m_start->setText(running ? t::kStop : t::kStart);
  if (m_length != nullptr) m_length->setEnabled(!running);
}

}  // namespace ploven
