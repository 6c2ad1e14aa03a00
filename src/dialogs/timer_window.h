#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <optional>

#include "alarm/timers.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ploven {

// The Stopwatch and the Countdown Timer: a small window that stays open beside the schedule.
// The countdown rings (through `ring`) when it reaches zero.
class TimerWindow : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { kStopwatch, kCountdown };
  TimerWindow(Kind kind, std::function<void()> ring, QWidget* owner = nullptr);

  Kind kind() const { return m_kind; }
  QLabel* display() const { return m_display; }
  QLineEdit* lengthField() const { return m_length; }
  QPushButton* startButton() const { return m_start; }
  QPushButton* resetButton() const { return m_reset; }

  // Starts counting down from the length (for Start With Countdown Timer, with a caption that
  // names the item).
  void StartCountdown(int64_t seconds, const QString& caption = {});
  // Start / Stop: what the Start button does. False when the length cannot be read (told in
  // the window).
  bool StartOrStop();
  void Reset();
  // Moves the clock by hand, for tests: the window then reads `ms` as its time.
  void SetTestTime(int64_t ms);
  void Tick();

 private:
  int64_t Now() const;
  void Show();

  Kind m_kind;
  std::function<void()> m_ring;
  Stopwatch m_watch;
  Countdown m_countdown;
  QElapsedTimer m_elapsed;
  std::optional<int64_t> m_testTime;
  QTimer m_timer;
  QLabel* m_display = nullptr;
  QLabel* m_caption = nullptr;
  QLineEdit* m_length = nullptr;
  QPushButton* m_start = nullptr;
  QPushButton* m_reset = nullptr;
};

}  // namespace ploven
