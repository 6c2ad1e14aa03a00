#pragma once

#include <QString>
#include <optional>

namespace ploven::calendar {

// Where the companion finds a calendar server's password: the desktop's secret store, else
// the one the main program asked of the user this session, kept in memory only. Never a file.
class PasswordKeeper {
 public:
  virtual ~PasswordKeeper() = default;
  // The password for `user` at `url`, or nothing (then the main program is asked for one).
  virtual std::optional<QString> Password(const QString& url, const QString& user) = 0;
  // The server refused it: not offered again until another one comes.
  virtual void Refused(const QString& url, const QString& user) = 0;
  // One the main program handed over.
  virtual void Take(const QString& url, const QString& user, const QString& password) = 0;
};

}  // namespace ploven::calendar
