#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "json_reader.h"

namespace ploven::test {
namespace {

// `alarms` lists today's alarms (the clock fixed at 9:00) and those due at a minute.
class AlarmsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Run({"new", "s.pak"}).status, 0); }
  CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
  std::string AddWithAlarm(const std::string& title, const std::string& start,
                           std::vector<std::string> alarm) {
    const CliRun added = Run({"add", "s.pak", "--title", title, "--start", start, "--fixed"});
    EXPECT_EQ(added.status, 0) << added.err;
    const std::string id = Lines(added.out).at(0);
    std::vector<std::string> edit{"edit", "s.pak", id, "--alarm"};
    edit.insert(edit.end(), alarm.begin(), alarm.end());
    const CliRun edited = Run(edit);
    EXPECT_EQ(edited.status, 0) << edited.err;
    return id;
  }
  TempDir dir;
};

TEST_F(AlarmsCommandTest, ListsEachAlarmWithTheMinuteItRingsAndItsSentence) {
  const std::string standup = AddWithAlarm("Standup", "10:00", {"--alarm-before", "0:10"});
  const std::string review =
      AddWithAlarm("Review", "11:00", {"--alarm-at", "end", "--alarm-after", "0:05"});
  const CliRun r = Run({"alarms", "s.pak"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out;
  EXPECT_EQ(lines[0], "09:50\tbegin\t-\t" + standup + "\tStandup\tbegin in 60 minutes.");
  EXPECT_EQ(Fields(lines[1]).at(0), "11:35");  // 11:00 + 30 minutes + 5 after
  EXPECT_EQ(Fields(lines[1]).at(1), "end");
  EXPECT_EQ(Fields(lines[1]).at(3), review);
}

TEST_F(AlarmsCommandTest, AtAMinuteOnlyTheDueOnesShow) {
  AddWithAlarm("Standup", "10:00", {"--alarm-before", "0:10"});
  EXPECT_EQ(Run({"alarms", "s.pak", "--at", "9:49"}).out, "");
  const CliRun due = Run({"alarms", "s.pak", "--at", "9:50", "--json"});
  ASSERT_EQ(due.status, 0) << due.err;
  const auto line = Json::Parse(Lines(due.out).at(0));
  ASSERT_TRUE(line.has_value());
  EXPECT_EQ((*line)["rings"].text, "09:50");
  EXPECT_EQ((*line)["sentence"].text, "begin in 10 minutes.");
  EXPECT_TRUE((*line)["due"].boolean);
}

TEST_F(AlarmsCommandTest, ATimeThatCannotBeReadIsRefused) {
  const CliRun r = Run({"alarms", "s.pak", "--at", "soonish"});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(r.err.empty());
  EXPECT_EQ(Run({"alarms", "s.pak", "--at"}).status, 2);
}

}  // namespace
}  // namespace ploven::test
