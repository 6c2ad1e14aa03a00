#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "platform/ui.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace ploven {

// Draws one message box exactly as the core decided it: icon, text, buttons, check box,
// countdown on the default button and the seconds during which nothing can be pressed.
class MessageBoxDialog : public QDialog {
  Q_OBJECT

 public:
  // tickMilliseconds is the length of one countdown "second" (tests shorten it).
  explicit MessageBoxDialog(const BoxRequest& box, QWidget* owner = nullptr,
                            int tickMilliseconds = 1000);

  // Shows the box modally and returns what the user did.
  BoxAnswer Run();
  BoxAnswer answer() const { return m_answer; }

  int buttonCount() const { return static_cast<int>(m_buttons.size()); }
  QPushButton* button(int index) const;
  QCheckBox* checkBox() const { return m_checkBox; }
  QString text() const;
  bool countdownRunning() const;
  bool buttonsDisabled() const { return m_disabled; }
  // Seconds the countdown still shows; 0 when none runs.
  int secondsLeft() const { return m_secondsLeft; }

  // Ends the box as if the button at index had been clicked.
  void Press(int index);

  // Copies the selected part of the text, or all of it when nothing is selected.
  void CopyText() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  void reject() override;

 private:
  void BuildLayout();
  void PlaceOnScreen();
  void Tick();
  void StopCountdown();
  void EnableButtons();
  void Finish(int code, bool timedOut);
  QString DefaultCaptionPlain() const;

  BoxRequest m_box;
  BoxAnswer m_answer;
  QLabel* m_textLabel = nullptr;
  QCheckBox* m_checkBox = nullptr;
  std::vector<QPushButton*> m_buttons;
  QTimer* m_countdown = nullptr;
  int m_tickMilliseconds;
  int m_secondsLeft = 0;
  bool m_disabled = false;
  bool m_placed = false;
  bool m_finished = false;
};

// The platform's own simple box, for the styles that ask for one.
BoxAnswer ShowPlainSystemBox(const BoxRequest& box, QWidget* owner);

// A caption without its mnemonic marks ("&&" stays a literal "&").
QString CaptionWithoutMnemonic(const QString& caption);

// The text as the box shows it: a lone "\r" or "\r\n" becomes a line break; trailing line
// breaks go.
QString BoxText(const std::string& text);

}  // namespace ploven
