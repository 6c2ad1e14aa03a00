#include "faulty_file_system.h"

namespace ploven::test {
namespace {

class FaultyWritableFile final : public WritableFile {
 public:
  FaultyWritableFile(FaultyFileSystem& fs, std::unique_ptr<WritableFile> real)
      : m_fs(fs), m_real(std::move(real)) {}
  int Write(std::span<const uint8_t> bytes) override {
    if (int e = m_fs.Tick("write")) {
      // A failing write may still have put part of the bytes down.
      m_real->Write(bytes.first(bytes.size() / 2));
      return e;
    }
    return m_real->Write(bytes);
  }
  int Sync() override {
    if (int e = m_fs.Tick("sync")) return e;
    return m_real->Sync();
  }
  int Close() override {
    int real = m_real->Close();
    if (int e = m_fs.Tick("close")) return e;
    return real;
  }

 private:
  FaultyFileSystem& m_fs;
  std::unique_ptr<WritableFile> m_real;
};

}  // namespace

int FaultyFileSystem::Tick(const char* what) {
  ++m_count;
  m_log.push_back(what);
  bool fail = m_failAt > 0 && (m_count == m_failAt || (m_persistent && m_count > m_failAt));
  if (fail) {
    m_failed = true;
    m_log.back() += " FAILED";
  }
  return fail ? m_error : 0;
}

FileResult<std::vector<uint8_t>> FaultyFileSystem::ReadFile(const std::string& path) {
  if (int e = Tick("read")) return FileResult<std::vector<uint8_t>>::Failed(e);
  return m_real.ReadFile(path);
}

FileResult<std::unique_ptr<WritableFile>> FaultyFileSystem::Create(const std::string& path,
                                                                   CreateMode mode) {
  if (int e = Tick("create")) return FileResult<std::unique_ptr<WritableFile>>::Failed(e);
  auto real = m_real.Create(path, mode);
  if (!real.ok()) return real;
  return {std::make_unique<FaultyWritableFile>(*this, std::move(*real.value)), 0};
}

int FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  if (int e = Tick("rename")) return e;
  return m_real.Rename(from, to);
}
int FaultyFileSystem::Link(const std::string& from, const std::string& to) {
  if (int e = Tick("link")) return e;
  return m_real.Link(from, to);
}
int FaultyFileSystem::Remove(const std::string& path) {
  if (int e = Tick("remove")) return e;
  return m_real.Remove(path);
}
int FaultyFileSystem::SyncFolder(const std::string& folder) {
  if (int e = Tick("syncfolder")) return e;
  return m_real.SyncFolder(folder);
}
int FaultyFileSystem::MakeFolders(const std::string& path) {
  if (int e = Tick("mkdir")) return e;
  return m_real.MakeFolders(path);
}
// Queries do not fail: they answer from the real files.
bool FaultyFileSystem::Exists(const std::string& path) { return m_real.Exists(path); }
bool FaultyFileSystem::IsFolder(const std::string& path) { return m_real.IsFolder(path); }
std::optional<int64_t> FaultyFileSystem::FileSize(const std::string& path) {
  return m_real.FileSize(path);
}
std::optional<int64_t> FaultyFileSystem::ModifiedSeconds(const std::string& path) {
  return m_real.ModifiedSeconds(path);
}
std::vector<std::string> FaultyFileSystem::ListFiles(const std::string& folder) {
  return m_real.ListFiles(folder);
}

}  // namespace ploven::test
