#include "bridge/companion_socket.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "mock/test_env.h"

namespace ploven::test {
namespace {

TEST(CompanionSocket, TheHashIsFnv1a) {
  EXPECT_EQ(Fnv1a32(""), 0x811c9dc5u);
  EXPECT_EQ(Fnv1a32("a"), 0xe40c292cu);
  EXPECT_EQ(Fnv1a32("foobar"), 0xbf9cf968u);
}

TEST(CompanionSocket, LivesInTheRuntimeFolderNamedByTheDataFolder) {
  TempDir runtime;
  const std::string r = runtime.path().string();
  EXPECT_EQ(CompanionSocketPathFor("/home/ann/.local/share/Ploven", r, 1000),
            runtime.path() / "ploven-calendar-1d4427ce.sock")
      << std::hex << Fnv1a32("/home/ann/.local/share/Ploven");
}

TEST(CompanionSocket, OneDataFolderOneSocketHoweverItIsWritten) {
  TempDir runtime;
  const std::string r = runtime.path().string();
  const auto plain = CompanionSocketPathFor("/data/a", r, 1000);
  EXPECT_EQ(CompanionSocketPathFor("/data/a/", r, 1000), plain);
  EXPECT_EQ(CompanionSocketPathFor("/data/./b/../a", r, 1000), plain);
  EXPECT_NE(CompanionSocketPathFor("/data/b", r, 1000), plain);
  // A relative folder is the one under the current folder.
  const std::filesystem::path here = std::filesystem::current_path();
  EXPECT_EQ(CompanionSocketPathFor("rel", r, 1000), CompanionSocketPathFor(here / "rel", r, 1000));
}

TEST(CompanionSocket, WithoutARuntimeFolderItIsTheUsersOwnFolderInTmp) {
  for (const std::optional<std::string_view> runtime :
       {std::optional<std::string_view>(), std::optional<std::string_view>(""),
        std::optional<std::string_view>("/no/such/folder")}) {
    EXPECT_EQ(CompanionSocketPathFor("/data/a", runtime, 4242).parent_path(), "/tmp/ploven-4242");
  }
}

TEST(CompanionSocket, MakesTheTmpFolderForTheUserAlone) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string keep = saved ? saved : "";
  unsetenv("XDG_RUNTIME_DIR");
  const std::filesystem::path path = CompanionSocketPath("/data/a");
  if (saved) setenv("XDG_RUNTIME_DIR", keep.c_str(), 1);
  EXPECT_EQ(path.parent_path(), "/tmp/ploven-" + std::to_string(getuid()));
  struct stat st {};
  ASSERT_EQ(stat(path.parent_path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, getuid());
}

}  // namespace
}  // namespace ploven::test
