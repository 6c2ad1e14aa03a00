#include "mock/test_env.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace ploven::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  m_path = std::filesystem::temp_directory_path() /
           ("ploven-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

TestEnv::TestEnv() : log(dir / "PlovenErrorLog.txt", clock), trace(log), msg(ui, clock, log, trace) {}

bool TestEnv::Logged(const std::string& fragment) const {
  std::ifstream in(dir / "PlovenErrorLog.txt", std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str().find(fragment.substr(0, 100)) != std::string::npos;
}

}  // namespace ploven::test
