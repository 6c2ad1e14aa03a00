#pragma once

#include <sys/types.h>

#include <optional>

namespace ploven::calendar {

// Who is at the other end of a local socket, as the kernel tells it.
struct PeerIdentity {
  pid_t pid = 0;
  uid_t uid = 0;
};

std::optional<PeerIdentity> PeerOf(int socketDescriptor);

}  // namespace ploven::calendar
