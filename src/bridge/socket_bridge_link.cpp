#include "bridge/socket_bridge_link.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "bridge/bridge_frame.h"
#include "bridge/bridge_messages.h"
#include "bridge/companion_socket.h"

extern char** environ;

namespace ploven {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// One connection to the companion, closed when it goes.
class Channel {
 public:
  // Connects and checks who serves the socket; none when nobody (or a stranger) does.
  static std::optional<Channel> Open(const std::filesystem::path& socketPath, uid_t uid) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socketPath.string();
    if (path.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return std::nullopt;
    Channel channel(fd);
    // A companion that stopped accepting fills its backlog; that counts as not there.
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      return std::nullopt;
    }
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != uid) {
      return std::nullopt;
    }
    channel.m_peer = peer.pid;
    return channel;
  }

  Channel(Channel&& other) noexcept
      : m_fd(std::exchange(other.m_fd, -1)),
        m_peer(other.m_peer),
        m_decoder(std::move(other.m_decoder)) {}
  Channel& operator=(Channel&&) = delete;
  ~Channel() {
    if (m_fd >= 0) ::close(m_fd);
  }

  pid_t Peer() const { return m_peer; }

  bool Write(const std::string& bytes, Clock::time_point deadline) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::send(m_fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n > 0) {
        done += static_cast<size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (!Wait(POLLOUT, deadline)) return false;
      } else {
        return false;
      }
    }
    return true;
  }

  // The next frame, or none when the deadline passed, the companion hung up or talked nonsense.
  std::optional<BridgeFrame> Read(Clock::time_point deadline) {
    for (;;) {
      if (auto frame = m_decoder.Next()) return frame;
      if (m_decoder.Refused()) return std::nullopt;
      char buffer[16384];
      const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
      if (n > 0) {
        m_decoder.Feed(std::string_view(buffer, static_cast<size_t>(n)));
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (!Wait(POLLIN, deadline)) return std::nullopt;
      } else {
        return std::nullopt;
      }
    }
  }

  // The next frame with one of the actions; others (none are expected) are passed over.
  std::optional<BridgeFrame> ReadAnswer(std::initializer_list<std::string_view> actions,
                                        Clock::time_point deadline) {
    while (auto frame = Read(deadline)) {
      if (std::find(actions.begin(), actions.end(), frame->action) != actions.end()) return frame;
    }
    return std::nullopt;
  }

 private:
  explicit Channel(int fd) : m_fd(fd) {}

  bool Wait(short events, Clock::time_point deadline) {
    for (;;) {
      const auto now = Clock::now();
      if (now >= deadline) return false;
      // Rounded up, so that the wait is never cut short of its deadline.
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
      pollfd p{m_fd, events, 0};
      const int r = ::poll(&p, 1, static_cast<int>(left.count()));
      if (r > 0) return true;
      if (r < 0 && errno != EINTR) return false;
    }
  }

  int m_fd = -1;
  pid_t m_peer = 0;
  FrameDecoder m_decoder;
};

BridgeFrame ControlFrame(const char* action, std::string key = {}) {
  BridgeFrame frame;
  frame.code = static_cast<BridgeCode>(0);
  frame.action = action;
  frame.key = std::move(key);
  return frame;
}

bool IsExecutable(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

// The process is a running companion program (not a zombie, not a pid used again since).
bool IsCompanionProcess(pid_t pid) {
  std::error_code ec;
  const std::filesystem::path exe =
      std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec);
  // A program file replaced while it runs reads "ploven-calendar (deleted)".
  return !ec && exe.filename().string().starts_with(kCompanionProgram);
}

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

}  // namespace

std::filesystem::path FindCompanionProgram(const std::filesystem::path& executableFolder,
                                           const char* pathVariable) {
  const std::filesystem::path beside = executableFolder / kCompanionProgram;
  if (IsExecutable(beside)) return beside;
  std::string_view path = pathVariable != nullptr ? pathVariable : "";
  while (!path.empty()) {
    const size_t colon = path.find(':');
    const std::string_view folder = path.substr(0, colon);
    path = colon == std::string_view::npos ? std::string_view() : path.substr(colon + 1);
    if (folder.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / kCompanionProgram;
    if (IsExecutable(candidate)) return candidate;
  }
  return beside;
}

SocketBridgeLink::SocketBridgeLink(std::filesystem::path dataFolder,
                                   std::filesystem::path socketPath,
                                   SocketBridgeLinkOptions options)
    : m_dataFolder(std::move(dataFolder)),
      m_socketPath(std::move(socketPath)),
      m_options(std::move(options)) {}

SocketBridgeLink::SocketBridgeLink(const std::filesystem::path& dataFolder,
                                   SocketBridgeLinkOptions options)
    : SocketBridgeLink(dataFolder, CompanionSocketPath(dataFolder), std::move(options)) {}

SocketBridgeLink::~SocketBridgeLink() { ReapChildren(); }

void SocketBridgeLink::ReapChildren() {
  std::erase_if(m_children, [](pid_t pid) {
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    return r == pid || (r < 0 && errno == ECHILD);
  });
}

bool SocketBridgeLink::IsRunning() {
  ReapChildren();
  return Channel::Open(m_socketPath, m_options.companionUid).has_value();
}

std::optional<pid_t> SocketBridgeLink::CompanionPid() {
  auto channel = Channel::Open(m_socketPath, m_options.companionUid);
  if (!channel) return std::nullopt;
  return channel->Peer();
}

std::string SocketBridgeLink::ProgramPath() const {
  if (!m_options.program.empty()) return m_options.program.string();
  return FindCompanionProgram(ExecutableFolder(), std::getenv("PATH")).string();
}

bool SocketBridgeLink::Start(int waitSeconds) {
  ReapChildren();
  const std::string program = ProgramPath();
  if (!IsExecutable(program)) return false;
  std::error_code ec;
  std::filesystem::path data = std::filesystem::absolute(m_dataFolder, ec);
  if (ec) data = m_dataFolder;
  const std::string dataText = data.string();
  const std::string socketText = m_socketPath.string();
  char* argv[] = {const_cast<char*>(program.c_str()),    const_cast<char*>("--data"),
                  const_cast<char*>(dataText.c_str()),   const_cast<char*>("--socket"),
                  const_cast<char*>(socketText.c_str()), nullptr};

  // Its own session, no terminal, nothing of ours on its standard streams: it outlives us.
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t files;
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_init(&files);
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGTERM);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGHUP);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  for (int fd = 0; fd <= 2; ++fd) {
    posix_spawn_file_actions_addopen(&files, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, program.c_str(), &files, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) return false;
  m_children.push_back(pid);

  const auto deadline = Clock::now() + std::chrono::seconds(std::max(waitSeconds, 0));
  while (!IsRunning() && Clock::now() < deadline) std::this_thread::sleep_for(20ms);
  return true;
}

bool SocketBridgeLink::Exchange(const BridgeFrame& frame) {
  auto channel = Channel::Open(m_socketPath, m_options.companionUid);
  if (!channel) return false;
  const auto deadline = Clock::now() + m_options.answerTimeout;
  return channel->Write(EncodeFrame(frame), deadline) &&
         channel->ReadAnswer({kActionReceived}, deadline).has_value();
}

LinkResult SocketBridgeLink::Send(const BridgeFrame& frame) {
  m_lastRefusal.clear();
  auto channel = Channel::Open(m_socketPath, m_options.companionUid);
  if (!channel) return LinkResult::kRecordFailed;
  auto deadline = Clock::now() + m_options.answerTimeout;
  if (!channel->Write(EncodeFrame(frame), deadline) ||
      !channel->ReadAnswer({kActionReceived}, deadline)) {
    return LinkResult::kRecordFailed;
  }
  deadline = Clock::now() + m_options.answerTimeout;
  const auto outcome = channel->ReadAnswer({kActionApplied, kActionNotApplied}, deadline);
  if (!outcome) return LinkResult::kActionFailed;
  // A record the companion could not apply got through all the same: it is logged there and
  // kept here for whoever wants to tell the user. Sending it again would not change that.
  if (outcome->action == kActionNotApplied) {
    m_lastRefusal = outcome->record.empty() ? std::string("(no reason given)") : outcome->record;
  }
  return LinkResult::kDelivered;
}

std::optional<std::vector<BridgeFrame>> SocketBridgeLink::FetchCalendarChanges() {
  auto channel = Channel::Open(m_socketPath, m_options.companionUid);
  if (!channel) return std::nullopt;
  auto deadline = Clock::now() + m_options.answerTimeout;
  if (!channel->Write(EncodeFrame(ControlFrame(kActionPass)), deadline) ||
      !channel->ReadAnswer({kActionReceived}, deadline)) {
    return std::nullopt;
  }
  std::vector<BridgeFrame> changes;
  for (;;) {
    deadline = Clock::now() + m_options.answerTimeout;
    auto frame = channel->ReadAnswer({kActionFromCalendar, kActionPassDone}, deadline);
    if (!frame) return std::nullopt;
    if (frame->action == kActionPassDone) return changes;
    changes.push_back(std::move(*frame));
  }
}

bool SocketBridgeLink::Confirm(const std::string& key) {
  return Exchange(ControlFrame(kActionTaken, key));
}

bool SocketBridgeLink::HandOverPassword(const std::string& record) {
  BridgeFrame frame = ControlFrame(kActionPassword);
  frame.record = record;
  return Exchange(frame);
}

bool SocketBridgeLink::Hello() { return Exchange(ControlFrame(kActionHello)); }

void SocketBridgeLink::Close() {
  pid_t peer = 0;
  {
    auto channel = Channel::Open(m_socketPath, m_options.companionUid);
    if (!channel) return;
    peer = channel->Peer();
    const auto deadline = Clock::now() + m_options.closeWait;
    if (channel->Write(EncodeFrame(ControlFrame(kActionCloseStub)), deadline)) {
      channel->ReadAnswer({kActionReceived}, deadline);
    }
  }
  // Never this process (a companion served in-process, as tests do).
  const bool companionProcess = peer > 0 && peer != ::getpid();
  const auto gone = [&] {
    ReapChildren();
    // A hung companion stops answering once its queue of connections is full, so the socket
    // alone does not tell; its process does.
    return companionProcess ? !IsCompanionProcess(peer) : !IsRunning();
  };
  const auto waitGone = [&] {
    const auto deadline = Clock::now() + m_options.closeWait;
    while (!gone()) {
      if (Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(20ms);
    }
    return true;
  };
  if (waitGone() || !companionProcess) return;
  // A companion that does not end when told is hung: its own watchdog runs on the same thread
  // and cannot help. Stop it, so that a fresh one can take its place.
  ::kill(peer, SIGTERM);
  ::kill(peer, SIGCONT);  // a stopped process takes its signal only when it goes on
  waitGone();
}

}  // namespace ploven
