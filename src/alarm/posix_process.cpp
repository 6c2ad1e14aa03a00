#include "alarm/posix_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace ploven {

namespace {

std::vector<char*> ArgvOf(const std::vector<std::string>& argv) {
  std::vector<char*> out;
  for (const std::string& a : argv) out.push_back(const_cast<char*>(a.c_str()));
  out.push_back(nullptr);
  return out;
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult RunProgramAndWait(const std::vector<std::string>& argv, const std::string& input) {
  ProcessResult r;
  if (argv.empty() || argv[0].empty()) return r;
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return r;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);
  std::vector<char*> args = ArgvOf(argv);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[0]);
  if (rc != 0) {
    close(pipeFds[1]);
    return r;
  }
  r.started = true;
  // A program that stops reading must not end this one with SIGPIPE.
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &previous);
  size_t written = 0;
  while (written < input.size()) {
    const ssize_t n = write(pipeFds[1], input.data() + written, input.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  close(pipeFds[1]);
  sigaction(SIGPIPE, &previous, nullptr);
  r.exitCode = WaitFor(pid);
  return r;
}

}  // namespace ploven
