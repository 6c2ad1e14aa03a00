#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "engine/engine_ui.h"

class QLineEdit;
class QPushButton;

namespace ploven {

// The conflict window of Balance All Days: the conflict text, the item's time window, the
// deadline field and the six ways on. It only reports what the user chose; the engine checks
// the answer and opens the window again when it must stay.
class ConflictWindowDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ConflictWindowDialog(const ConflictWindowRequest& request, QWidget* owner = nullptr);

  // Shows the window modally and returns the button and the deadline field.
  ConflictWindowAnswer Run();
  ConflictWindowAnswer answer() const { return m_answer; }

  // The Help button opens this topic through the handler.
  void SetHelpHandler(std::function<void(const std::string& topic)> handler) {
    m_help = std::move(handler);
  }

  QLineEdit* dateField() const { return m_dateField; }
  QPushButton* buttonFor(ConflictButton button) const;
  // Ends the window as if the button had been clicked.
  void Press(ConflictButton button);

 public slots:
  void reject() override;  // Escape and the close box: as the close box

 private:
  QPushButton* AddButton(const char* caption, ConflictButton button);

  ConflictWindowAnswer m_answer;
  QLineEdit* m_dateField = nullptr;
  QPushButton* m_buttons[6] = {};
  std::function<void(const std::string&)> m_help;
};

}  // namespace ploven
