#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;

namespace ploven {

// The modeless "Please wait..." window of the engine's long runs: a text line, a percentage
// line and a bar that follows it. Every change is drawn at once, since the run does not return
// to the event loop until it ends.
class ProgressWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* owner = nullptr);

  // Shows the window (near the top of its owner) and draws it.
  void Open();
  void SetText(const std::string& text);
  // The percentage as the engine formats it (" 45%"); the bar follows its number.
  void SetPercent(const std::string& percent);

  QString text() const;
  QString percentText() const;
  int barValue() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Repaint();

  QLabel* m_text = nullptr;
  QLabel* m_percent = nullptr;
  QProgressBar* m_bar = nullptr;
};

// The number a percentage text starts with (" 45%" gives 45), kept within 0 to 100; nothing
// when the text holds no number.
std::optional<int> PercentValue(const std::string& percent);

}  // namespace ploven
