#include "bridge/companion_socket.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace ploven {

uint32_t Fnv1a32(std::string_view bytes) {
  uint32_t hash = 2166136261u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

namespace {

std::filesystem::path PrivateTmpFolder(uid_t uid) {
  return std::filesystem::path("/tmp") / ("ploven-" + std::to_string(uid));
}

}  // namespace

std::filesystem::path CompanionSocketPathFor(const std::filesystem::path& dataFolder,
                                             std::optional<std::string_view> runtimeDir,
                                             uid_t uid) {
  std::filesystem::path runtime;
  std::error_code ec;
  if (runtimeDir && !runtimeDir->empty() &&
      std::filesystem::is_directory(std::filesystem::path(*runtimeDir), ec)) {
    runtime = std::filesystem::path(*runtimeDir);
  } else {
    runtime = PrivateTmpFolder(uid);
  }
  std::filesystem::path absolute = std::filesystem::absolute(dataFolder, ec);
  if (ec) absolute = dataFolder;
  absolute = absolute.lexically_normal();
  // "/a/b/" and "/a/b" are one folder.
  std::string text = absolute.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  char tag[9];
  std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(Fnv1a32(text)));
  return runtime / ("ploven-calendar-" + std::string(tag) + ".sock");
}

std::filesystem::path CompanionSocketPath(const std::filesystem::path& dataFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const uid_t uid = getuid();
  std::filesystem::path path = CompanionSocketPathFor(
      dataFolder, runtime ? std::optional<std::string_view>(runtime) : std::nullopt, uid);
  const std::filesystem::path tmp = PrivateTmpFolder(uid);
  if (path.parent_path() == tmp) {
    // Only this user may reach into it; a folder of that name that is someone else's is left
    // alone, and the companion's own checks of the peer keep strangers out.
    if (mkdir(tmp.c_str(), 0700) != 0) {
      struct stat st {};
      if (lstat(tmp.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid) {
        chmod(tmp.c_str(), 0700);
      }
    }
  }
  return path;
}

}  // namespace ploven
