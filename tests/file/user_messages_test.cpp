#include "file/user_messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mock/test_env.h"

namespace ploven::test {
namespace {

namespace stdfs = std::filesystem;

// A shared folder with the schedules of anna, ben and carl, each in a folder of its own.
class UserMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* user : {"anna", "ben", "carl"}) stdfs::create_directories(shared / user);
    stdfs::create_directories(shared / ".hidden");
    std::ofstream(shared / "not-a-user.txt") << "x";
  }
  std::string Folder(const char* user) const { return (shared / user).string(); }
  UserMessage From(const char* name, const char* text) { return {name, "9 Dec 2026 10:15", text, {}}; }

  TestEnv env;
  PosixFileSystem fs;
  stdfs::path shared = env.dir / "Shared";
};

TEST_F(UserMessagesTest, TheOtherUsersAreTheFoldersBesideThisOne) {
  EXPECT_EQ(OtherUsers(Folder("anna")), (std::vector<std::string>{"ben", "carl"}));
  EXPECT_EQ(UserFolder(Folder("anna"), "ben"), stdfs::weakly_canonical(shared / "ben").string());
}

TEST_F(UserMessagesTest, AMessageIsShownOnceThenKeptWithTheReadOnes) {
  ASSERT_TRUE(SendUserMessage(fs, Folder("ben"), From("anna", "Lunch at 1?"), 100).ok());
  ASSERT_TRUE(SendUserMessage(fs, Folder("ben"), From("carl", "Call me\nwhen free"), 100).ok());
  ASSERT_TRUE(SendUserMessage(fs, Folder("ben"), From("anna", "Or 2?"), 101).ok());

  EXPECT_EQ(DeliverNewMessages(fs, Folder("ben"), env.msg), 3);
  ASSERT_EQ(env.ui.boxes.size(), 3u);
  EXPECT_TRUE(env.ui.Showed("Lunch at 1?"));
  EXPECT_TRUE(env.ui.Showed("Call me\nwhen free"));
  EXPECT_EQ(DeliverNewMessages(fs, Folder("ben"), env.msg), 0);  // shown once only

  const std::vector<UserMessage> read = ReadMessages(fs, Folder("ben"));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].text, "Or 2?");  // newest first
  EXPECT_EQ(read[0].from, "anna");
  EXPECT_EQ(read[0].sent, "9 Dec 2026 10:15");
  EXPECT_TRUE(ReadMessages(fs, Folder("anna")).empty());
  // Nothing is left half-written in the inbox.
  for (const auto& e : stdfs::directory_iterator(shared / "ben" / kMessagesFolder))
    EXPECT_TRUE(e.is_directory() || e.path().extension() == ".msg") << e.path();
}

TEST_F(UserMessagesTest, TheFileKeepsEveryLineOfTheText) {
  const UserMessage m{"Zoë Ann", "today", "line one\n\nline three", {}};
  const UserMessage back = ParseMessageFile(MessageFileText(m));
  EXPECT_EQ(back.from, m.from);
  EXPECT_EQ(back.sent, m.sent);
  EXPECT_EQ(back.text, m.text);
}

TEST_F(UserMessagesTest, AFolderThatCannotBeWrittenIsReported) {
  std::ofstream(shared / "dora") << "a file where a folder should be";
  EXPECT_FALSE(SendUserMessage(fs, (shared / "dora").string(), From("anna", "hi"), 1).ok());
}

}  // namespace
}  // namespace ploven::test
