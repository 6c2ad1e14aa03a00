#pragma once

#include <QString>
#include <memory>

#include "plugin/server_password.h"

namespace ploven::calendar {

// Where the desktop program saves a calendar server's password: the secret store's service and
// the entry's key, "<user>@<url>". The main program writes the same names.
inline constexpr char kSecretService[] = "Ploven calendar server";
QString SecretKey(const QString& url, const QString& user);

struct PasswordKeeperOptions {
  int storeTimeoutMs = 10000;  // one look into the secret store
};

// The companion's keeper: the password handed over this session (in memory), else the one in
// the desktop's secret store. When no secret store answers, only the one handed over is known.
// Its calls block (the secret store is asked with a local event loop): the sync thread's.
std::unique_ptr<PasswordKeeper> MakePasswordKeeper(PasswordKeeperOptions options = {});

}  // namespace ploven::calendar
