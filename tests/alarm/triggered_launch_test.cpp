#include "alarm/triggered_launch.h"

#include "alarm/alarm_fixture.h"

namespace ploven::test {
namespace {

struct FindRow {
  const char* title;
  LaunchKind kind;
  bool completes;
  const char* target;
};

class FindLaunchTest : public ::testing::TestWithParam<FindRow> {};

TEST_P(FindLaunchTest, TheTitleNamesTheLaunch) {
  const LaunchRequest r = FindLaunch(GetParam().title);
  EXPECT_EQ(r.kind, GetParam().kind);
  EXPECT_EQ(r.completesItem, GetParam().completes);
  EXPECT_EQ(r.target, GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, FindLaunchTest,
    ::testing::Values(
        FindRow{"Backup st@rtyes /usr/bin/backup --all", LaunchKind::kAtOnce, false,
                "/usr/bin/backup --all"},
        FindRow{"autoexec ~/bin/sync", LaunchKind::kAtOnce, true, "~/bin/sync"},
        FindRow{"Report st@rt ~/report.ods\nnotes", LaunchKind::kAsk, false, "~/report.ods"},
        FindRow{"exec https://example.org", LaunchKind::kAsk, true, "https://example.org"},
        FindRow{"Executive lunch", LaunchKind::kNone, false, ""}));

TEST(SplitCommandLineTest, QuotesKeepBlanksAndNothingIsInterpreted) {
  EXPECT_EQ(SplitCommandLine(R"(prog "a b" 'c d' e\ f $(rm -rf ~); echo)"),
            (std::vector<std::string>{"prog", "a b", "c d", "e f", "$(rm", "-rf", "~);", "echo"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
  EXPECT_EQ(SplitCommandLine(R"("")"), std::vector<std::string>{""});
}

class LaunchTest : public AlarmTest {};

TEST_F(LaunchTest, AnAtOnceLaunchStartsTheProgramWithItsWordsAsArgumentsAndStartsTheItem) {
  const ActHandle h =
      Fixed("Sync st@rtyes /usr/bin/rsync -a 'my files' ; rm -rf ~", kToday, At(9), 30);
  RunAt(At(8, 59));
  EXPECT_TRUE(device.started.empty());
  RunAt(At(9));
  ASSERT_EQ(device.started.size(), 1u);
  EXPECT_EQ(device.started[0],
            (std::vector<std::string>{"/usr/bin/rsync", "-a", "my files", ";", "rm", "-rf", "~"}));
  EXPECT_TRUE(s.ActFlags(h) & AF_STARTED);
  EXPECT_TRUE(env.ui.boxes.empty());  // nothing asked
  RunAt(At(9));                       // once a minute, and started now
  EXPECT_EQ(device.started.size(), 1u);
}

TEST_F(LaunchTest, LinksAndDocumentsOpenWithTheDesktopAndExecCompletesTheItem) {
  const ActHandle h = Fixed("Standup autoexec https://meet.example.org/x", kToday, At(9), 30);
  RunAt(At(9));
  EXPECT_EQ(device.opened, std::vector<std::string>{"https://meet.example.org/x"});
  EXPECT_TRUE(s.ActFlags(h) & AF_DONE);
}

TEST_F(LaunchTest, TheAskingFormAsksAndNoLeavesTheItemAlone) {
  const ActHandle h = Fixed("Report st@rt /usr/bin/report", kToday, At(9), 30);
  env.ui.Answer(kIdNo);
  RunAt(At(9));
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text,
            "It is 9:00am. Proceed with triggered launch of '/usr/bin/report'?");
  EXPECT_EQ(env.ui.boxes[0].modality, BoxModality::kSystemModal);
  EXPECT_EQ(env.ui.boxes[0].defaultIndex, 1);  // No
  EXPECT_TRUE(device.started.empty());
  EXPECT_FALSE(s.ActFlags(h) & AF_STARTED);
  EXPECT_GE(device.waited, 800);

  const ActHandle yes = Fixed("Report st@rt /usr/bin/report", kToday, At(9, 30), 30);
  env.ui.Answer(kIdYes);
  RunAt(At(9, 30));
  EXPECT_EQ(device.started.size(), 1u);
  EXPECT_TRUE(s.ActFlags(yes) & AF_STARTED);
}

TEST_F(LaunchTest, AnItemFromOutsideNeverLaunchesWithoutAsking) {
  const ActHandle h = Fixed("Imported st@rtyes /usr/bin/evil", kToday, At(9), 30, AF_FROM_OUTSIDE);
  env.ui.Answer(kIdNo);
  RunAt(At(9));
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_NE(env.ui.boxes[0].text.find("Proceed with triggered launch of '/usr/bin/evil'"),
            std::string::npos);
  EXPECT_TRUE(device.started.empty());
  EXPECT_FALSE(s.ActFlags(h) & AF_STARTED);
}

TEST_F(LaunchTest, OnlyFixedUntouchedItemsAtTheirMinuteLaunch) {
  Fixed("Loose st@rtyes /bin/a", kToday, At(9), 30);
  s.LockAct(s.FindActByTitle("Loose st@rtyes /bin/a")).flags &= ~AF_FIXED;
  Fixed("Done st@rtyes /bin/b", kToday, At(9), 30, AF_DONE);
  Fixed("Later st@rtyes /bin/c", kToday, At(10), 30);
  RunAt(At(9));
  EXPECT_TRUE(device.started.empty());
}

TEST_F(LaunchTest, AFailedLaunchIsToldAndTheItemStaysAsItWas) {
  device.startSucceeds = false;
  const ActHandle h = Fixed("Sync st@rtyes /no/such/program", kToday, At(9), 30);
  RunAt(At(9));
  EXPECT_TRUE(env.ui.Showed("Ploven could not start '/no/such/program'"));
  EXPECT_FALSE(s.ActFlags(h) & AF_STARTED);
}

TEST_F(LaunchTest, SuppressedAlarmsLaunchNothing) {
  settings.suppressAll = true;
  Fixed("Sync st@rtyes /usr/bin/rsync", kToday, At(9), 30);
  RunAt(At(9));
  EXPECT_TRUE(device.started.empty());
}

}  // namespace
}  // namespace ploven::test
