#include "cli/schedule_access.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/cli_messages.h"
#include "file/schedule_password.h"
#include "password/sodium_password_hasher.h"
#include "platform/format.h"

namespace ploven::cli {
namespace {

namespace t = cli_text;

std::string FullPath(const std::string& path) {
  std::error_code ec;
  const auto full = std::filesystem::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

// A schedule with a password opens only for the one who gives it: from PLOVEN_PASSWORD (for
// scripts), else typed on the terminal.
bool PasswordGate(CliEnv& env, const std::string& path) {
  if (!HasPassword(env.fs(), path)) return true;
  SodiumPasswordHasher hasher;
  if (const char* given = std::getenv(t::kPasswordVariable)) {
    if (PasswordAccepted(env.fs(), hasher, path, given)) return true;
    return PasswordGiven(env.fs(), hasher, path, env.msg(),
                         [] { return std::optional<std::string>(); });
  }
  if (!isatty(STDIN_FILENO)) {
    env.msg().ErrorMessage(Sprintf(t::kPasswordNeeded, path.c_str()));
    return false;
  }
  const std::string prompt = Sprintf(t::kPasswordPrompt, path.c_str());
  return PasswordGiven(env.fs(), hasher, path, env.msg(),
                       [&prompt] { return ReadHiddenLine(prompt); });
}

}  // namespace

// A password typed on the terminal without showing it; nothing at end of input.
std::optional<std::string> ReadHiddenLine(const std::string& prompt) {
  FILE* tty = std::fopen("/dev/tty", "r+");
  if (tty == nullptr) return std::nullopt;
  std::fputs(prompt.c_str(), tty);
  std::fflush(tty);
  termios before{};
  const bool hidden = tcgetattr(fileno(tty), &before) == 0;
  if (hidden) {
    termios quiet = before;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(fileno(tty), TCSAFLUSH, &quiet);
  }
  std::string line;
  int c = 0;
  while ((c = std::fgetc(tty)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (hidden) tcsetattr(fileno(tty), TCSAFLUSH, &before);
  std::fputs("\n", tty);
  std::fclose(tty);
  if (c == EOF && line.empty()) return std::nullopt;
  return line;
}

std::unique_ptr<Schedule> LoadForReading(CliEnv& env, const std::string& path) {
  const std::string full = FullPath(path);
  if (!env.fs().Exists(full)) {
    env.msg().ErrorMessage(Sprintf(t::kNoSuchFile, full.c_str()));
    return nullptr;
  }
  if (!PasswordGate(env, full)) return nullptr;
  const auto bytes = env.fs().ReadFile(full);
  if (!bytes.ok()) {
    env.msg().ErrorMessage(
        Sprintf(t::kCannotRead, full.c_str(), ErrorText(bytes.error).c_str()));
    return nullptr;
  }
  auto s = std::make_unique<Schedule>(env.msg(), env.clock());
  if (!LoadSchedule(*s, *bytes.value).ok) return nullptr;
  return s;
}

WriteSession::WriteSession(CliEnv& env, std::string path)
    : m_env(env),
      m_path(FullPath(path)),
      m_files(env.fs(), env.msg(), env.clock(), env.settings(), &env.log()) {
  // An internal error ends the program at once; the lock must not outlive it.
  m_env.msg().SetShutdownFacts([this] {
    ShutdownFacts facts;
    facts.saveInProgress = m_files.saving();
    facts.unsavedChanges = m_s != nullptr && m_s->changed();
    facts.releaseWriteLock = [this] {
      if (ScheduleLock* lock = m_files.lock()) lock->Release();
    };
    return facts;
  });
}

WriteSession::~WriteSession() {
  m_env.msg().SetShutdownFacts({});
  // A session that did not save leaves the file as it was: nothing is saved on the way out.
  if (ScheduleLock* lock = m_files.lock()) lock->Release();
}

bool WriteSession::Open() {
  if (!m_env.fs().Exists(m_path)) {
    m_env.msg().ErrorMessage(Sprintf(t::kNoSuchFile, m_path.c_str()));
    return false;
  }
  if (!PasswordGate(m_env, m_path)) return false;
  OpenResult r = m_files.OpenSchedule(m_path, false);
  if (r.status != OpenStatus::kOpened || r.schedule == nullptr) {
    m_env.msg().ErrorMessage(Sprintf(t::kNotOpened, m_path.c_str()));
    return false;
  }
  ScheduleLock* lock = m_files.lock();
  if (r.readOnly || lock == nullptr || !lock->held()) {
    m_env.msg().ErrorMessage(Sprintf(t::kReadOnly, m_path.c_str()));
    return false;
  }
  m_s = std::move(r.schedule);
  return true;
}

bool WriteSession::Create() {
  if (m_env.fs().Exists(m_path)) {
    m_env.msg().ErrorMessage(Sprintf(t::kFileExists, m_path.c_str()));
    return false;
  }
  m_s = m_files.NewEmptySchedule(m_path);
  ScheduleLock* lock = m_files.lock();
  if (m_s == nullptr || lock == nullptr || !lock->held()) {
    m_s.reset();
    m_env.msg().ErrorMessage(Sprintf(t::kReadOnly, m_path.c_str()));
    return false;
  }
  // Another program may have made the file while the lock was being taken.
  if (m_env.fs().Exists(m_path)) {
    m_s.reset();
    m_env.msg().ErrorMessage(Sprintf(t::kFileExists, m_path.c_str()));
    return false;
  }
  // Nothing before today is kept as a day of its own; today and later stay open to new items.
  m_s->header().setLastArchivedDate(static_cast<DayNumber>(m_env.clock().Today() - 1));
  return true;
}

bool WriteSession::Save() {
  m_s->PruneTerminals();
  if (m_files.SaveNow(*m_s)) return true;
  m_env.msg().ErrorMessage(Sprintf(t::kNotSaved, m_path.c_str()));
  return false;
}

}  // namespace ploven::cli
