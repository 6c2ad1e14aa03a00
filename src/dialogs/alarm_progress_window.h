#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLabel;

namespace ploven {

// The small window of the forwarding steps ("Attempting to Also Dial...").
class AlarmProgressWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AlarmProgressWindow(QWidget* owner = nullptr);
  // Shows the step and draws it at once (the steps run without returning to the event loop).
  void ShowStep(const std::string& step);
  QString step() const;

 private:
  QLabel* m_step = nullptr;
};

}  // namespace ploven
