#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace ploven {

// A calendar server the companion wants a password for; the record "url\nuser".
struct PasswordWanted {
  std::string url;
  std::string user;
  bool operator==(const PasswordWanted&) const = default;
};

// Nothing when the record is not "url\nuser" (an empty URL, a line break in the user name).
std::optional<PasswordWanted> ParsePasswordWanted(std::string_view record);
// The answer's record: "url\nuser\npassword".
std::string PasswordRecord(const std::string& url, const std::string& user,
                           const std::string& password);

// The front end's question for a calendar server's password (the answer not shown as it is
// typed); nothing when the user cancels.
class ServerPasswordPrompt {
 public:
  virtual ~ServerPasswordPrompt() = default;
  // `refusedBefore`: the server did not take the password given before.
  virtual std::optional<std::string> AskServerPassword(const std::string& url,
                                                       const std::string& user,
                                                       bool refusedBefore) = 0;
};

// The desktop's secret store, where Synchronization Settings saves a calendar server's password
// for the companion to read (service "Ploven calendar server", key "<user>@<url>").
class SecretStore {
 public:
  enum class Saved {
    kSaved,
    kNoStore,  // no secret store runs in this session
    kFailed,   // it runs but did not take it (`why` says why)
  };
  virtual ~SecretStore() = default;
  virtual Saved Save(const std::string& url, const std::string& user, const std::string& password,
                     std::string& why) = 0;
};

// The calendar servers' passwords of this session, in memory only: the one typed into
// Synchronization Settings when no secret store runs, and the answers to the companion's
// questions. A companion that replaced itself (or was restarted) asks again and gets the same
// one without a question. The same question soon after a handover means the server refused
// it: the user is asked again. A user who cancels is not asked again this session.
class ServerPasswords {
 public:
  using Clock = std::chrono::steady_clock;
  // Sooner than this after a handover, a question counts as a refusal; the companion replaces
  // itself every 15 minutes.
  static constexpr std::chrono::minutes kRefusalWindow{10};

  explicit ServerPasswords(std::function<Clock::time_point()> now = &Clock::now)
      : m_now(std::move(now)) {}

  void Keep(const std::string& url, const std::string& user, const std::string& password);
  std::optional<std::string> Kept(const std::string& url, const std::string& user) const;

  // The password to hand over for the question, asking `prompt` when none is kept (or the one
  // kept was refused); nothing when the user cancelled, now or before.
  std::optional<std::string> Answer(const PasswordWanted& wanted, ServerPasswordPrompt& prompt);
  // The companion has it now.
  void HandedOver(const PasswordWanted& wanted);

 private:
  struct Entry {
    std::string password;
    std::optional<Clock::time_point> handedOver;
  };
  static std::string Key(const std::string& url, const std::string& user);

  std::function<Clock::time_point()> m_now;
  std::map<std::string, Entry> m_kept;
  std::set<std::string> m_declined;
};

}  // namespace ploven
