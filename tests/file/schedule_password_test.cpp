#include "file/schedule_password.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>

#include "file/file_system.h"
#include "file/password_messages.h"
#include "mock/test_env.h"
#include "platform/password_hasher.h"

namespace ploven::test {
namespace {

// Stands in for the real hash: a fixed salt in front and the password reversed, so the stored
// text never holds the password as typed.
class TestHasher final : public PasswordHasher {
 public:
  std::optional<std::string> Hash(std::string_view password) override {
    if (fail) return std::nullopt;
    return "salt$" + std::string(password.rbegin(), password.rend());
  }
  bool Verify(std::string_view stored, std::string_view password) override {
    ++verifications;
    return stored == "salt$" + std::string(password.rbegin(), password.rend());
  }
  bool fail = false;
  int verifications = 0;
};

class SchedulePasswordTest : public ::testing::Test {
 protected:
  std::string Stored() {
    std::ifstream in(PasswordFilePath(schedule));
    std::string line;
    std::getline(in, line);
    return line;
  }
  // Answers the password questions from a list; nothing (cancel) when it runs out.
  std::function<std::optional<std::string>()> Typing(std::deque<std::string> typed) {
    return [this, typed]() mutable -> std::optional<std::string> {
      ++asked;
      if (typed.empty()) return std::nullopt;
      std::string next = typed.front();
      typed.pop_front();
      return next;
    };
  }

  TestEnv env;
  PosixFileSystem fs;
  TestHasher hasher;
  std::string schedule = (env.dir / "work.pak").string();
  int asked = 0;
};

TEST_F(SchedulePasswordTest, SetChangeAndRemoveKeepOnlyTheHashBesideTheSchedule) {
  EXPECT_FALSE(HasPassword(fs, schedule));
  EXPECT_EQ(PasswordFilePath(schedule), (env.dir / "work.pwd").string());
  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "", "", ""), PasswordChange::kUnchanged);

  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "", "open sesame", "open sesame"),
            PasswordChange::kSet);
  EXPECT_EQ(Stored(), "salt$emases nepo");
  EXPECT_TRUE(PasswordAccepted(fs, hasher, schedule, "open sesame"));
  EXPECT_FALSE(PasswordAccepted(fs, hasher, schedule, "Open sesame"));

  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "wrong", "new", "new"),
            PasswordChange::kWrongCurrent);
  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "open sesame", "new", "New"),
            PasswordChange::kMismatch);
  EXPECT_TRUE(PasswordAccepted(fs, hasher, schedule, "open sesame"));  // both kept the old one

  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "open sesame", "new", "new"),
            PasswordChange::kSet);
  EXPECT_TRUE(PasswordAccepted(fs, hasher, schedule, "new"));
  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "new", "", ""), PasswordChange::kRemoved);
  EXPECT_FALSE(HasPassword(fs, schedule));
  EXPECT_TRUE(PasswordAccepted(fs, hasher, schedule, "anything"));
}

TEST_F(SchedulePasswordTest, AHashThatCannotBeMadeKeepsTheOldPassword) {
  ASSERT_EQ(ChangePassword(fs, hasher, schedule, "", "first", "first"), PasswordChange::kSet);
  hasher.fail = true;
  EXPECT_EQ(ChangePassword(fs, hasher, schedule, "first", "second", "second"),
            PasswordChange::kNotStored);
  EXPECT_TRUE(PasswordAccepted(fs, hasher, schedule, "first"));
}

TEST_F(SchedulePasswordTest, AnEmptyPasswordFileLetsNobodyIn) {
  std::ofstream(PasswordFilePath(schedule)).close();
  EXPECT_TRUE(HasPassword(fs, schedule));
  EXPECT_FALSE(PasswordAccepted(fs, hasher, schedule, ""));
  EXPECT_FALSE(PasswordAccepted(fs, hasher, schedule, "x"));
}

struct GateCase {
  const char* name;
  std::deque<std::string> typed;
  bool given;
  int asked;
  size_t refusals;  // boxes saying the password was wrong
};

class PasswordGateTest : public SchedulePasswordTest,
                         public ::testing::WithParamInterface<GateCase> {};

TEST_P(PasswordGateTest, AsksAtMostThreeTimes) {
  ASSERT_EQ(ChangePassword(fs, hasher, schedule, "", "pw", "pw"), PasswordChange::kSet);
  const GateCase& c = GetParam();
  EXPECT_EQ(PasswordGiven(fs, hasher, schedule, env.msg, Typing(c.typed)), c.given);
  EXPECT_EQ(asked, c.asked);
  size_t refusals = 0;
  for (const std::string& text : env.ui.Texts())
    refusals += text.find(password_text::kRefused) != std::string::npos;
  EXPECT_EQ(refusals, c.refusals);
  EXPECT_EQ(env.ui.Showed(password_text::kGivenUp), !c.given);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PasswordGateTest,
    ::testing::Values(GateCase{"RightAtOnce", {"pw"}, true, 1, 0},
                      GateCase{"RightAtTheThirdTry", {"a", "b", "pw"}, true, 3, 2},
                      GateCase{"WrongThreeTimes", {"a", "b", "c", "pw"}, false, 3, 2},
                      GateCase{"Cancelled", {}, false, 1, 0},
                      GateCase{"CancelledAfterAWrongOne", {"a"}, false, 2, 1}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(SchedulePasswordTest, ASchedulewithoutPasswordOpensWithoutAsking) {
  EXPECT_TRUE(PasswordGiven(fs, hasher, schedule, env.msg, Typing({})));
  EXPECT_EQ(asked, 0);
}

}  // namespace
}  // namespace ploven::test
