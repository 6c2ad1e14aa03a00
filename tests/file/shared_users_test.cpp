#include "file/shared_users.h"

#include <gtest/gtest.h>

#include <fstream>

#include "mock/test_env.h"

namespace ploven::test {
namespace {

void Touch(const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << "x";
}

TEST(SharedUsersTest, TheOtherFoldersWithASchedule) {
  TempDir dir;
  const auto shared = dir / "shared";
  Touch(shared / "me" / "timedata.pak");
  Touch(shared / "ben" / "work.pak");
  Touch(shared / "ben" / "home.pak");               // the first by name wins without timedata
  Touch(shared / "anna" / "notes.txt");             // no schedule: not a user
  Touch(shared / "anna" / "sub" / "timedata.pak");  // only the folder itself counts
  Touch(shared / "cleo" / "TimeData.PAK");
  Touch(shared / "cleo" / "another.pak");
  Touch(shared / "loose.pak");  // a file, not a user's folder

  const std::vector<SharedUser> users = SharedScheduleUsers((shared / "me").string());
  ASSERT_EQ(users.size(), 2u);
  EXPECT_EQ(users[0].name, "ben");
  EXPECT_EQ(users[0].schedulePath, (shared / "ben" / "home.pak").string());
  EXPECT_EQ(users[1].name, "cleo");
  EXPECT_EQ(users[1].schedulePath, (shared / "cleo" / "TimeData.PAK").string());
  // A trailing separator names the same folder.
  EXPECT_EQ(SharedScheduleUsers((shared / "me").string() + "/"), users);
}

TEST(SharedUsersTest, NoFolderBesideMeansNoUsers) {
  TempDir dir;
  EXPECT_TRUE(SharedScheduleUsers((dir / "gone" / "me").string()).empty());
  EXPECT_TRUE(SharedScheduleUsers("/").empty());
}

}  // namespace
}  // namespace ploven::test
