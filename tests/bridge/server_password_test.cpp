// The companion's question for a calendar server's password: asked once a session, the answer
// kept in memory and handed over again to a companion that asks again later.

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

#include "bridge/intake_fixture.h"
#include "bridge/server_passwords.h"

namespace ploven::test {
namespace {

// The user at the password question: answers from a script, nothing once it runs out.
class ScriptedPrompt : public ServerPasswordPrompt {
 public:
  std::optional<std::string> AskServerPassword(const std::string& url, const std::string& user,
                                               bool refusedBefore) override {
    asked.emplace_back(url, user, refusedBefore);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::optional<std::string>> answers;
  std::vector<std::tuple<std::string, std::string, bool>> asked;
};

struct ParseCase {
  const char* record;
  bool reads;
  const char* url;
  const char* user;
};

class ParsePasswordQuestion : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePasswordQuestion, ReadsUrlAndUser) {
  const ParseCase& c = GetParam();
  const auto wanted = ParsePasswordWanted(c.record);
  ASSERT_EQ(wanted.has_value(), c.reads);
  if (!c.reads) return;
  EXPECT_EQ(wanted->url, c.url);
  EXPECT_EQ(wanted->user, c.user);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ParsePasswordQuestion,
    ::testing::Values(ParseCase{"https://cal.example/ann/\nann", true, "https://cal.example/ann/",
                                "ann"},
                      ParseCase{"https://cal.example/\nann\n", true, "https://cal.example/", "ann"},
                      ParseCase{"https://cal.example/\n", true, "https://cal.example/", ""},
                      ParseCase{"https://cal.example/", false, "", ""},
                      ParseCase{"\nann", false, "", ""},
                      ParseCase{"https://cal.example/\nann\nextra", false, "", ""}));

TEST(PasswordRecordTest, IsUrlUserAndPasswordOnLines) {
  EXPECT_EQ(PasswordRecord("https://c/", "ann", "s3cret"), "https://c/\nann\ns3cret");
}

class ServerPasswordsTest : public ::testing::Test {
 protected:
  ServerPasswords passwords{[this] { return now; }};
  ScriptedPrompt prompt;
  ServerPasswords::Clock::time_point now{};
  const PasswordWanted ann{"https://cal.example/ann/", "ann"};
};

TEST_F(ServerPasswordsTest, AskedOnceThenKeptForACompanionThatAsksAgainLater) {
  prompt.answers = {"s3cret"};
  EXPECT_EQ(passwords.Answer(ann, prompt), "s3cret");
  passwords.HandedOver(ann);
  now += std::chrono::minutes(15);  // the companion replaced itself
  EXPECT_EQ(passwords.Answer(ann, prompt), "s3cret");
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_FALSE(std::get<2>(prompt.asked[0]));
}

TEST_F(ServerPasswordsTest, AskedAgainSoonAfterTheHandoverTheServerRefusedIt) {
  prompt.answers = {"wrong", "right"};
  passwords.Answer(ann, prompt);
  passwords.HandedOver(ann);
  now += std::chrono::seconds(30);
  EXPECT_EQ(passwords.Answer(ann, prompt), "right");
  ASSERT_EQ(prompt.asked.size(), 2u);
  EXPECT_TRUE(std::get<2>(prompt.asked[1]));
  EXPECT_EQ(passwords.Kept(ann.url, ann.user), "right");
}

TEST_F(ServerPasswordsTest, AUserWhoCancelsIsNotAskedAgainUntilTheSettingsGiveOne) {
  EXPECT_EQ(passwords.Answer(ann, prompt), std::nullopt);
  EXPECT_EQ(passwords.Answer(ann, prompt), std::nullopt);
  EXPECT_EQ(prompt.asked.size(), 1u);
  // Another user on the same server is another question.
  EXPECT_EQ(passwords.Answer({ann.url, "bob"}, prompt), std::nullopt);
  EXPECT_EQ(prompt.asked.size(), 2u);
  passwords.Keep(ann.url, ann.user, "typed in the settings");
  EXPECT_EQ(passwords.Answer(ann, prompt), "typed in the settings");
  EXPECT_EQ(prompt.asked.size(), 2u);
}

TEST_F(ServerPasswordsTest, APasswordGivenInTheSettingsIsHandedOverWithoutAQuestion) {
  passwords.Keep(ann.url, ann.user, "from settings");
  passwords.HandedOver(ann);
  passwords.Keep(ann.url, ann.user, "changed in settings");  // a new one is no refusal
  EXPECT_EQ(passwords.Answer(ann, prompt), "changed in settings");
  EXPECT_TRUE(prompt.asked.empty());
}

// The intake with the password question wired in.
class PasswordQuestionTest : public IntakeTest {
 protected:
  PasswordQuestionTest() { intake.AnswerPasswordsWith(&passwords, &prompt); }
  static BridgeFrame Question(std::string key,
                              std::string record = "https://cal.example/ann/\nann") {
    return Frame(BridgeCode::kPasswordWanted, std::move(record), std::move(key));
  }
  ServerPasswords::Clock::time_point now{};
  ServerPasswords passwords{[this] { return now; }};
  ScriptedPrompt prompt;
};

TEST_F(PasswordQuestionTest, TheAnswerIsHandedOverAndTheQuestionConfirmed) {
  prompt.answers = {"s3cret"};
  link.calendarChanges = {Question("pw1")};
  EXPECT_TRUE(Pass().reached);
  EXPECT_EQ(link.passwords, std::vector<std::string>{"https://cal.example/ann/\nann\ns3cret"});
  EXPECT_EQ(link.confirmed, std::vector<std::string>{"pw1"});
  EXPECT_EQ(open.saves, 0);
  EXPECT_TRUE(env.ui.Texts().empty());

  // A restarted companion asks again later and gets it without a question.
  now += std::chrono::minutes(20);
  link.calendarChanges = {Question("pw2")};
  Pass();
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(link.passwords.size(), 2u);
  EXPECT_EQ(link.passwords[1], link.passwords[0]);
}

TEST_F(PasswordQuestionTest, ACancelIsConfirmedAndNeverAskedAgainThisSession) {
  link.calendarChanges = {Question("pw1")};
  Pass();
  link.calendarChanges = {Question("pw2")};
  Pass();
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_TRUE(link.passwords.empty());
  EXPECT_EQ(link.confirmed, (std::vector<std::string>{"pw1", "pw2"}));
}

TEST_F(PasswordQuestionTest, AQuestionTwiceInOnePassIsAskedOnce) {
  prompt.answers = {"s3cret"};
  link.calendarChanges = {Question("pw1"), Question("pw2")};
  Pass();
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(link.passwords.size(), 1u);
  EXPECT_EQ(link.confirmed, (std::vector<std::string>{"pw1", "pw2"}));
}

TEST_F(PasswordQuestionTest, AnAnswerThatDidNotGetThroughIsHandedOverAgainWithoutAsking) {
  prompt.answers = {"s3cret"};
  link.calendarChanges = {Question("pw1")};
  link.handOverFails = 1;
  Pass();
  EXPECT_TRUE(link.confirmed.empty());  // the question stays with the companion
  Pass();
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(link.passwords.size(), 2u);
  EXPECT_EQ(link.confirmed, std::vector<std::string>{"pw1"});
}

TEST_F(PasswordQuestionTest, AQuestionWhoseConfirmationWasLostIsNoRefusal) {
  prompt.answers = {"s3cret"};
  link.calendarChanges = {Question("pw1")};
  link.confirmWorks = false;
  Pass();
  link.confirmWorks = true;
  Pass();  // the same key again: only confirmed
  EXPECT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(link.passwords.size(), 1u);
  EXPECT_EQ(link.confirmed, std::vector<std::string>{"pw1"});
}

TEST_F(PasswordQuestionTest, WhileChangesStayOutOnlyTheServerQuestionIsAnswered) {
  switches.fromCalendar = false;
  CalendarRecord task;
  link.calendarChanges = {Frame(BridgeCode::kTask, task.Task(), "new:a.ics"), Question("pw1")};
  prompt.answers = {"s3cret"};
  Pass();
  EXPECT_TRUE(link.passwords.empty());  // a folder calendar: nobody asks at all
  EXPECT_EQ(link.fetches, 0);

  switches.serverCalendar = true;
  Pass();
  EXPECT_EQ(link.passwords.size(), 1u);
  EXPECT_EQ(link.confirmed, std::vector<std::string>{"pw1"});
  EXPECT_TRUE(ItemsTitled("Item").empty());
}

TEST_F(PasswordQuestionTest, WithNobodyToAskTheQuestionWaitsAndAnUnreadableOneIsDropped) {
  intake.AnswerPasswordsWith(nullptr, nullptr);
  link.calendarChanges = {Question("pw1"), Question("bad", "no line break")};
  Pass();
  EXPECT_TRUE(link.passwords.empty());
  EXPECT_EQ(link.confirmed, std::vector<std::string>{"bad"});
}

TEST_F(PasswordQuestionTest, ApplyingTheFrameAloneGivesTheQuestionNotARefusal) {
  const IncomingOutcome o = Apply(Question("pw1"));
  EXPECT_EQ(o.kind, IncomingOutcome::Kind::kPasswordWanted);
  EXPECT_EQ(o.text, "https://cal.example/ann/\nann");
  EXPECT_TRUE(env.ui.Texts().empty());
}

}  // namespace
}  // namespace ploven::test
