#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLabel;

namespace ploven {

// The start-up splash: the product's icon and name and a status line that follows the
// loading steps.
class SplashWindow : public QDialog {
  Q_OBJECT

 public:
  explicit SplashWindow(QWidget* parent = nullptr);

  // Shows the window when it is hidden and draws the new status at once: the loading steps
  // run without returning to the event loop.
  void SetStatus(const std::string& text);
  QString status() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* m_status = nullptr;
};

}  // namespace ploven
