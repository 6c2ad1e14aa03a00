#include "app/companion_link.h"

#include "bridge/socket_bridge_link.h"

namespace ploven {

// The companion on the local socket of this data folder; its program is looked for beside
// ploven, then on the PATH.
std::unique_ptr<BridgeLink> MakeCompanionLink(const std::filesystem::path& dataFolder) {
  return std::make_unique<SocketBridgeLink>(dataFolder);
}

}  // namespace ploven
