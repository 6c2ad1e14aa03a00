#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;

namespace ploven {

class Messages;

// Send Message To Ploven Users: a user of the shared folder and a few lines for them. OK hands
// both to `send`, which answers whether the message was left; an empty message is refused.
class SendMessageDialog : public QDialog {
  Q_OBJECT

 public:
  using Sender = std::function<bool(const std::string& user, const std::string& text)>;
  SendMessageDialog(const std::vector<std::string>& users, Sender send, Messages& messages,
                    QWidget* owner = nullptr);

  QComboBox* userBox() const { return m_user; }
  QPlainTextEdit* textField() const { return m_text; }

 public slots:
  void accept() override;

 private:
  Sender m_send;
  Messages& m_messages;
  QComboBox* m_user = nullptr;
  QPlainTextEdit* m_text = nullptr;
};

}  // namespace ploven
