#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "file/file_system.h"

namespace ploven {
namespace {

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : m_fd(fd) {}
  ~PosixWritableFile() override {
    if (m_fd >= 0) ::close(m_fd);
  }

  int Write(std::span<const uint8_t> bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      if (n == 0) return ENOSPC;
      done += static_cast<size_t>(n);
    }
    return 0;
  }

  int Sync() override {
    while (::fsync(m_fd) != 0) {
      if (errno != EINTR) return errno;
    }
    return 0;
  }

  int Close() override {
    int fd = m_fd;
    m_fd = -1;
    // A failed close may still report a lost write on some file systems.
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int m_fd;
};

}  // namespace

FileResult<std::vector<uint8_t>> PosixFileSystem::ReadFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileResult<std::vector<uint8_t>>::Failed(errno);
  std::vector<uint8_t> bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  uint8_t buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      return FileResult<std::vector<uint8_t>>::Failed(e);
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  ::close(fd);
  return {std::move(bytes), 0};
}

FileResult<std::unique_ptr<WritableFile>> PosixFileSystem::Create(const std::string& path,
                                                                  CreateMode mode) {
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC;
  switch (mode) {
    case CreateMode::kTruncate: flags |= O_TRUNC; break;
    case CreateMode::kExclusive: flags |= O_EXCL; break;
    case CreateMode::kAppend: flags |= O_APPEND; break;
  }
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) return FileResult<std::unique_ptr<WritableFile>>::Failed(errno);
  return {std::make_unique<PosixWritableFile>(fd), 0};
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::Link(const std::string& from, const std::string& to) {
  return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int PosixFileSystem::SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int e = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems cannot sync a folder; that is not a failed save.
  return e == EINVAL ? 0 : e;
}

int PosixFileSystem::MakeFolders(const std::string& path) {
  if (path.empty()) return ENOENT;
  std::string partial;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    partial = path.substr(0, pos);
    if (partial.empty()) continue;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return errno;
  }
  return IsFolder(path) ? 0 : ENOTDIR;
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<int64_t> PosixFileSystem::FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_size);
}

std::optional<int64_t> PosixFileSystem::ModifiedSeconds(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<int64_t>(st.st_mtime);
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::stat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

}  // namespace ploven
