#pragma once

#include <QDialog>

class QLineEdit;

namespace ploven {

class Messages;
class Settings;

// User Name Setting: the name that tells this user's schedule apart from other people's. An
// empty name is refused and the dialog stays open.
class UserNameDialog : public QDialog {
  Q_OBJECT

 public:
  UserNameDialog(Settings& settings, Messages& messages, QWidget* owner = nullptr);

  QLineEdit* nameField() const { return m_name; }
  bool changed() const { return m_changed; }

 public slots:
  void accept() override;

 private:
  Settings& m_settings;
  Messages& m_messages;
  QLineEdit* m_name = nullptr;
  bool m_changed = false;
};

bool RunUserNameDialog(QWidget* owner, Settings& settings, Messages& messages);

}  // namespace ploven
