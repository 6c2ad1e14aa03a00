#pragma once

#include <QDialog>
#include <string>

#include "file/schedule_password.h"

class QLineEdit;

namespace ploven {

class FileSystem;
class Messages;
class PasswordHasher;

// Passwords Settings: sets, changes or removes the password asked when this schedule opens.
// A wrong current password or two different new ones keep the dialog open.
class PasswordsDialog : public QDialog {
  Q_OBJECT

 public:
  PasswordsDialog(FileSystem& fs, PasswordHasher& hasher, std::string schedulePath,
                  Messages& messages, QWidget* owner = nullptr);

  QLineEdit* currentField() const { return m_current; }
  QLineEdit* newField() const { return m_new; }
  QLineEdit* confirmField() const { return m_confirm; }
  // What the last OK did.
  PasswordChange outcome() const { return m_outcome; }

 public slots:
  void accept() override;

 private:
  FileSystem& m_fs;
  PasswordHasher& m_hasher;
  std::string m_schedulePath;
  Messages& m_messages;
  QLineEdit* m_current = nullptr;
  QLineEdit* m_new = nullptr;
  QLineEdit* m_confirm = nullptr;
  PasswordChange m_outcome = PasswordChange::kUnchanged;
};

void RunPasswordsDialog(QWidget* owner, FileSystem& fs, PasswordHasher& hasher,
                        const std::string& schedulePath, Messages& messages);

}  // namespace ploven
