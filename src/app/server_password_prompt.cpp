#include "app/server_password_prompt.h"

#include <QInputDialog>
#include <QLineEdit>

#include "app/app_messages.h"

namespace ploven {

std::optional<std::string> QtServerPasswordPrompt::AskServerPassword(const std::string& url,
                                                                     const std::string& user,
                                                                     bool refusedBefore) {
  namespace t = app_text;
  QString text =
      QString::fromUtf8(t::kServerPasswordPrompt)
          .arg(user.empty() ? QString::fromUtf8(t::kServerNoUser) : QString::fromStdString(user),
               QString::fromStdString(url));
  if (refusedBefore) text.prepend(QString::fromUtf8(t::kServerPasswordRefused));
  bool ok = false;
  const QString typed = QInputDialog::getText(m_owner, QString::fromUtf8(t::kServerPasswordCaption),
                                              text, QLineEdit::Password, QString(), &ok);
  if (!ok) return std::nullopt;
  return typed.toStdString();
}

}  // namespace ploven
