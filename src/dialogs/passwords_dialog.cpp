#include "dialogs/passwords_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/more_settings_messages.h"
#include "platform/messages.h"

namespace ploven {

namespace t = more_settings_text;

PasswordsDialog::PasswordsDialog(FileSystem& fs, PasswordHasher& hasher, std::string schedulePath,
                                 Messages& messages, QWidget* owner)
    : QDialog(owner),
      m_fs(fs),
      m_hasher(hasher),
      m_schedulePath(std::move(schedulePath)),
      m_messages(messages) {
  setWindowTitle(t::kPasswordsTitle);
  setObjectName("PasswordsSettings");
  auto field = [] {
    auto* f = new QLineEdit;
    f->setEchoMode(QLineEdit::Password);
    f->setMaxLength(128);
    return f;
  };
  m_current = field();
  m_new = field();
  m_confirm = field();
  auto* hint = new QLabel(t::kPasswordsHint);
  hint->setWordWrap(true);
  auto* form = new QFormLayout;
  // The current password is asked only when there is one.
  if (HasPassword(m_fs, m_schedulePath)) form->addRow(t::kCurrentPasswordLabel, m_current);
  else m_current->hide();
  form->addRow(t::kNewPasswordLabel, m_new);
  form->addRow(t::kConfirmPasswordLabel, m_confirm);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &PasswordsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PasswordsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void PasswordsDialog::accept() {
  m_outcome = ChangePassword(m_fs, m_hasher, m_schedulePath, m_current->text().toStdString(),
                             m_new->text().toStdString(), m_confirm->text().toStdString());
  switch (m_outcome) {
    case PasswordChange::kWrongCurrent:
      m_messages.ErrorMessage(PasswordChangeText(m_outcome));
      m_current->clear();
      m_current->setFocus();
      return;
    case PasswordChange::kMismatch:
      m_messages.ErrorMessage(PasswordChangeText(m_outcome));
      m_confirm->clear();
      m_new->setFocus();
      m_new->selectAll();
      return;
    case PasswordChange::kNotStored:
      m_messages.ErrorMessage(PasswordChangeText(m_outcome));
      return;
    case PasswordChange::kSet:
    case PasswordChange::kRemoved:
    case PasswordChange::kUnchanged:
      m_messages.InformationMessage(PasswordChangeText(m_outcome));
      break;
  }
  QDialog::accept();
}

void RunPasswordsDialog(QWidget* owner, FileSystem& fs, PasswordHasher& hasher,
                        const std::string& schedulePath, Messages& messages) {
  PasswordsDialog dialog(fs, hasher, schedulePath, messages, owner);
  dialog.exec();
}

}  // namespace ploven
