// Every file of the fuzz corpus goes through the loader: it loads, or it is
// refused with a message; nothing crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "file/schedule_format.h"
#include "mock/test_env.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

const std::filesystem::path kCorpus =
    std::filesystem::path(PLOVEN_TEST_DATA) / ".." / ".." / "fuzz" / "corpus";

std::vector<std::filesystem::path> CorpusFiles() {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(kCorpus))
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
      if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FuzzCorpusTest, EveryFileLoadsOrIsRefusedWithAMessage) {
  const auto files = CorpusFiles();
  ASSERT_FALSE(files.empty()) << "no corpus at " << kCorpus;
  int loaded = 0;
  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    TestEnv env;
    Schedule s(env.msg, env.clock);
    try {
      if (LoadSchedule(s, bytes).ok) {
        ++loaded;
        continue;
      }
    } catch (const InternalErrorRaised&) {
      // The internal-error report is itself the message.
    }
    EXPECT_FALSE(env.ui.boxes.empty()) << "refused without a message";
  }
  // The seeds made by the writer all load.
  EXPECT_GE(loaded, 3);
}

}  // namespace
}  // namespace ploven::test
