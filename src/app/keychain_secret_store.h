#pragma once

#include <memory>

#include "bridge/server_passwords.h"

namespace ploven {

// The desktop's secret store through QtKeychain: the only file of the desktop program that
// speaks to it. The companion reads the entry under the same service and key.
std::unique_ptr<SecretStore> MakeKeychainSecretStore();

}  // namespace ploven
