#pragma once

#include <string>
#include <vector>

#include "file/file_system.h"

namespace ploven::test {

// Real files, except that the k-th operation (counting every call of the port
// and of the files it creates, from 1) fails with a chosen errno: once, or
// that one and every one after it.
class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& real) : m_real(real) {}

  void FailAt(int k, int error, bool persistent) {
    m_failAt = k;
    m_error = error;
    m_persistent = persistent;
    m_count = 0;
  }
  void Heal() { m_failAt = 0; }
  int operations() const { return m_count; }
  bool failed() const { return m_failed; }
  // Names of the operations in order, for messages of failing tests.
  const std::vector<std::string>& log() const { return m_log; }

  // Counts one operation; its errno when it must fail, else 0.
  int Tick(const char* what);

  FileResult<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  FileResult<std::unique_ptr<WritableFile>> Create(const std::string& path,
                                                   CreateMode mode) override;
  int Rename(const std::string& from, const std::string& to) override;
  int Remove(const std::string& path) override;
  int Link(const std::string& from, const std::string& to) override;
  int SyncFolder(const std::string& folder) override;
  int MakeFolders(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::optional<int64_t> FileSize(const std::string& path) override;
  std::optional<int64_t> ModifiedSeconds(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;

 private:
  FileSystem& m_real;
  int m_failAt = 0;
  int m_error = 0;
  bool m_persistent = false;
  bool m_failed = false;
  int m_count = 0;
  std::vector<std::string> m_log;
};

}  // namespace ploven::test
