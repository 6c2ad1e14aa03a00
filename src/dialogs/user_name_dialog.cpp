#include "dialogs/user_name_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/more_settings_messages.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace t = more_settings_text;

UserNameDialog::UserNameDialog(Settings& settings, Messages& messages, QWidget* owner)
    : QDialog(owner), m_settings(settings), m_messages(messages) {
  setWindowTitle(t::kUserNameTitle);
  setObjectName("UserNameSetting");
  m_name = new QLineEdit(QString::fromStdString(settings.ReadString(key::kUserName)));
  m_name->setMaxLength(40);
  auto* form = new QFormLayout;
  form->addRow(t::kUserNameLabel, m_name);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &UserNameDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &UserNameDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void UserNameDialog::accept() {
  const std::string name = m_name->text().trimmed().toStdString();
  if (name.empty()) {
    m_messages.ErrorMessage(t::kUserNameEmpty);
    m_name->setFocus();
    return;
  }
  m_changed = name != m_settings.ReadString(key::kUserName);
  if (m_changed) {
    if (!m_settings.WriteString(key::kUserName, name))
      m_messages.ErrorMessage(msg::kSettingsNotWritten);
    m_messages.SetUserName(name);
  }
  QDialog::accept();
}

bool RunUserNameDialog(QWidget* owner, Settings& settings, Messages& messages) {
  UserNameDialog dialog(settings, messages, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
