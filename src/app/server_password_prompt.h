#pragma once

#include "bridge/server_passwords.h"

class QWidget;

namespace ploven {

// Asks the user for a calendar server's password in a small window, the answer not shown as it
// is typed.
class QtServerPasswordPrompt : public ServerPasswordPrompt {
 public:
  explicit QtServerPasswordPrompt(QWidget* owner) : m_owner(owner) {}
  std::optional<std::string> AskServerPassword(const std::string& url, const std::string& user,
                                               bool refusedBefore) override;

 private:
  QWidget* m_owner;
};

}  // namespace ploven
