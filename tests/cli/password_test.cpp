// A schedule with a password opens in plovenctl only for the one who gives it.

#include <gtest/gtest.h>

#include <cstdlib>

#include "cli_runner.h"
#include "file/file_system.h"
#include "file/schedule_password.h"
#include "password/sodium_password_hasher.h"

namespace ploven::test {
namespace {

class CliPasswordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli(dir, {"new", "s.pak"}).status, 0);
    ASSERT_EQ(RunCli(dir, {"add", "s.pak", "--title", "Secret plan"}).status, 0);
    PosixFileSystem fs;
    SodiumPasswordHasher hasher;
    ASSERT_EQ(ChangePassword(fs, hasher, (dir / "s.pak").string(), "", "opensesame", "opensesame"),
              PasswordChange::kSet);
  }
  void TearDown() override { unsetenv("PLOVEN_PASSWORD"); }
  TempDir dir;
};

TEST_F(CliPasswordTest, NothingIsReadOrChangedWithoutTheRightPassword) {
  // No terminal to ask on and no password given: refused, and told how to give it.
  CliRun r = RunCli(dir, {"items", "s.pak"});
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.out.find("Secret plan"), std::string::npos);
  EXPECT_NE(r.err.find("PLOVEN_PASSWORD"), std::string::npos) << r.err;

  setenv("PLOVEN_PASSWORD", "wrong", 1);
  r = RunCli(dir, {"items", "s.pak"});
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.out.find("Secret plan"), std::string::npos);
  const std::string before = ReadText(dir / "s.pak");
  r = RunCli(dir, {"add", "s.pak", "--title", "Intruder"});
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(ReadText(dir / "s.pak"), before);

  setenv("PLOVEN_PASSWORD", "opensesame", 1);
  r = RunCli(dir, {"add", "s.pak", "--title", "Owner's item"});
  EXPECT_EQ(r.status, 0) << r.err;
  r = RunCli(dir, {"items", "s.pak"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Secret plan"), std::string::npos);
  EXPECT_NE(r.out.find("Owner's item"), std::string::npos);
}

}  // namespace
}  // namespace ploven::test
