#include "bridge/server_passwords.h"

namespace ploven {

std::optional<PasswordWanted> ParsePasswordWanted(std::string_view record) {
  const size_t newline = record.find('\n');
  if (newline == std::string_view::npos) return std::nullopt;
  std::string_view user = record.substr(newline + 1);
  // One line break may end the record; an empty user is a server that asks for none.
  if (user.ends_with('\n')) user.remove_suffix(1);
  PasswordWanted wanted{std::string(record.substr(0, newline)), std::string(user)};
  if (wanted.url.empty() || wanted.user.find('\n') != std::string::npos) return std::nullopt;
  return wanted;
}

std::string PasswordRecord(const std::string& url, const std::string& user,
                           const std::string& password) {
  return url + '\n' + user + '\n' + password;
}

std::string ServerPasswords::Key(const std::string& url, const std::string& user) {
  // A URL holds no line break, so no two pairs make the same key.
  return user + '\n' + url;
}

void ServerPasswords::Keep(const std::string& url, const std::string& user,
                           const std::string& password) {
  const std::string key = Key(url, user);
  m_kept[key] = Entry{password, std::nullopt};
  // A password given in the settings asks to be used, whatever was cancelled before.
  m_declined.erase(key);
}

std::optional<std::string> ServerPasswords::Kept(const std::string& url,
                                                 const std::string& user) const {
  const auto it = m_kept.find(Key(url, user));
  if (it == m_kept.end()) return std::nullopt;
  return it->second.password;
}

std::optional<std::string> ServerPasswords::Answer(const PasswordWanted& wanted,
                                                   ServerPasswordPrompt& prompt) {
  const std::string key = Key(wanted.url, wanted.user);
  if (m_declined.contains(key)) return std::nullopt;
  bool refused = false;
  if (const auto it = m_kept.find(key); it != m_kept.end()) {
    const auto& handed = it->second.handedOver;
    refused = handed.has_value() && m_now() - *handed < kRefusalWindow;
    if (!refused) return it->second.password;
    m_kept.erase(it);
  }
  std::optional<std::string> typed = prompt.AskServerPassword(wanted.url, wanted.user, refused);
  if (!typed) {
    m_declined.insert(key);
    return std::nullopt;
  }
  m_kept[key] = Entry{*typed, std::nullopt};
  return typed;
}

void ServerPasswords::HandedOver(const PasswordWanted& wanted) {
  if (const auto it = m_kept.find(Key(wanted.url, wanted.user)); it != m_kept.end()) {
    it->second.handedOver = m_now();
  }
}

}  // namespace ploven
