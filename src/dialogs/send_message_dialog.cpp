#include "dialogs/send_message_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "file/user_messages_text.h"
#include "platform/messages.h"

namespace ploven {

namespace t = user_messages_text;

SendMessageDialog::SendMessageDialog(const std::vector<std::string>& users, Sender send,
                                     Messages& messages, QWidget* owner)
    : QDialog(owner), m_send(std::move(send)), m_messages(messages) {
  setWindowTitle(t::kSendCaption);
  setObjectName("SendMessage");
  m_user = new QComboBox;
  for (const std::string& u : users) m_user->addItem(QString::fromStdString(u));
  m_text = new QPlainTextEdit;
  m_text->setTabChangesFocus(true);
  auto* form = new QFormLayout;
  form->addRow(t::kToLabel, m_user);
  form->addRow(t::kMessageLabel, m_text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &SendMessageDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SendMessageDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(420, 260);
}

void SendMessageDialog::accept() {
  const std::string text = m_text->toPlainText().trimmed().toStdString();
  if (text.empty()) {
    m_messages.ErrorMessage(t::kEmptyMessage);
    m_text->setFocus();
    return;
  }
  if (!m_send(m_user->currentText().toStdString(), text)) return;  // told; stays open
  QDialog::accept();
}

}  // namespace ploven
