#include "plugin/peer_credentials.h"

#include <sys/socket.h>

namespace ploven::calendar {

std::optional<PeerIdentity> PeerOf(int socketDescriptor) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (socketDescriptor < 0 ||
      getsockopt(socketDescriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) {
    return std::nullopt;
  }
  return PeerIdentity{peer.pid, peer.uid};
}

}  // namespace ploven::calendar
