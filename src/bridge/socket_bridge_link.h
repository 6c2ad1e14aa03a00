#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bridge/bridge_link.h"

namespace ploven {

struct SocketBridgeLinkOptions {
  // The companion's program file; empty: beside the running program, else on the PATH.
  std::filesystem::path program;
  // How long each answer may take.
  std::chrono::milliseconds answerTimeout{5000};
  // How long a closing companion is given to go before it is stopped.
  std::chrono::milliseconds closeWait{1000};
  // The user the companion must run as; a socket served by anyone else is not ours.
  uid_t companionUid = getuid();
};

// The companion reached through its local socket (see docs/design/bridge.md). Each call opens
// its own connection, so a companion that was replaced in between is simply found again.
class SocketBridgeLink : public BridgeLink {
 public:
  SocketBridgeLink(std::filesystem::path dataFolder, std::filesystem::path socketPath,
                   SocketBridgeLinkOptions options = {});
  // The socket of the data folder (CompanionSocketPath).
  explicit SocketBridgeLink(const std::filesystem::path& dataFolder,
                            SocketBridgeLinkOptions options = {});
  ~SocketBridgeLink() override;

  bool IsRunning() override;
  bool Start(int waitSeconds) override;
  LinkResult Send(const BridgeFrame& frame) override;
  std::optional<std::vector<BridgeFrame>> FetchCalendarChanges() override;
  bool Confirm(const std::string& key) override;
  bool HandOverPassword(const std::string& record) override;
  void Close() override;
  std::string ProgramPath() const override;
  bool Hello() override;

  // The process serving the socket, when one does.
  std::optional<pid_t> CompanionPid();
  // Why the companion could not apply the last record it was sent; empty when it did.
  const std::string& LastRefusal() const { return m_lastRefusal; }
  const std::filesystem::path& SocketPath() const { return m_socketPath; }

 private:
  // One frame out and its "received" answer back.
  bool Exchange(const BridgeFrame& frame);
  // Collects the companions this link started that have ended since.
  void ReapChildren();

  std::filesystem::path m_dataFolder;
  std::filesystem::path m_socketPath;
  SocketBridgeLinkOptions m_options;
  std::vector<pid_t> m_children;
  std::string m_lastRefusal;
};

// The companion's program: `name` beside the running program (the build folder, the installed
// bin folder), else the first on `pathVariable`; else the one beside the program, for messages.
std::filesystem::path FindCompanionProgram(const std::filesystem::path& executableFolder,
                                           const char* pathVariable);

}  // namespace ploven
