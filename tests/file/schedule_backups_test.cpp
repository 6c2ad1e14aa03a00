// Two schedules in one folder: each keeps its own backups and is recovered
// from them, never from the other's.

#include <gtest/gtest.h>

#include <filesystem>

#include "file/backup_names.h"
#include "file/schedule_files.h"
#include "file/schedule_files_messages.h"
#include "mock/test_env.h"
#include "platform/settings.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

namespace t = files_text;
namespace fsys = std::filesystem;

// Test names from the table's name column.
constexpr auto NameOf = [](const auto& param) { return std::string(param.param.name); };

// ---- The names ---------------------------------------------------------------------------

struct NamesCase {
  const char* name;
  const char* schedule;
  const char* backup;
  const char* random2;
  const char* weekday7;
  const char* latest;
  const char* renamed;  // the damaged schedule's copy
  const char* bakRenamed;
  const char* unsavedLog;
};

class BackupNamesTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(BackupNamesTest, NamedAfterTheSchedule) {
  const NamesCase& c = GetParam();
  const std::string folder = "/data/my.plans";
  const BackupNames names(folder + "/" + c.schedule);
  EXPECT_EQ(names.Backup(), folder + "/" + c.backup);
  EXPECT_EQ(names.RandomBackup(2), folder + "/" + c.random2);
  EXPECT_EQ(names.WeekdayBackup(7), folder + "/" + c.weekday7);
  EXPECT_EQ(names.LatestLaunch(), folder + "/" + c.latest);
  EXPECT_EQ(names.ScheduleRenamed(), folder + "/" + c.renamed);
  EXPECT_EQ(names.BackupRenamed(), folder + "/" + c.bakRenamed);
  EXPECT_EQ(names.UnsavedLog(), folder + "/" + c.unsavedLog);
}

// The default schedule, in either case, keeps the names its files always had.
INSTANTIATE_TEST_SUITE_P(
    Schedules, BackupNamesTest,
    ::testing::Values(
        NamesCase{"Default", "timedata.pak", "timedata.bak", "timedata.BackupRandom2",
                  "timedata.BackupDayOfWeek7", "timedata.BackupLatestLaunch", "timedata.pakrenamed",
                  "timedata.bakrenamed", "ItemsNotYetSavedLog.txt"},
        NamesCase{"ProgramFolderDefault", "Timedata.pak", "timedata.bak", "timedata.BackupRandom2",
                  "timedata.BackupDayOfWeek7", "Timedata.BackupLatestLaunch", "timedata.pakrenamed",
                  "timedata.bakrenamed", "ItemsNotYetSavedLog.txt"},
        NamesCase{"Named", "work.pak", "work.bak", "work.BackupRandom2", "work.BackupDayOfWeek7",
                  "work.BackupLatestLaunch", "work.pakrenamed", "work.bakrenamed",
                  "work.ItemsNotYetSavedLog.txt"},
        NamesCase{"DotsInTheName", "plan.2027.PAK", "plan.2027.bak", "plan.2027.BackupRandom2",
                  "plan.2027.BackupDayOfWeek7", "plan.2027.BackupLatestLaunch",
                  "plan.2027.pakrenamed", "plan.2027.bakrenamed",
                  "plan.2027.ItemsNotYetSavedLog.txt"},
        NamesCase{"OnlyStartsLikeTheDefault", "timedata2.pak", "timedata2.bak",
                  "timedata2.BackupRandom2", "timedata2.BackupDayOfWeek7",
                  "timedata2.BackupLatestLaunch", "timedata2.pakrenamed", "timedata2.bakrenamed",
                  "timedata2.ItemsNotYetSavedLog.txt"}),
    NameOf);

TEST(BackupNames, EveryDefaultRotatingCopyKeepsItsName) {
  const BackupNames names("/d/timedata.pak");
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(names.RandomBackup(n), "/d/timedata.BackupRandom" + std::to_string(n));
  for (int n = 1; n <= 7; ++n)
    EXPECT_EQ(names.WeekdayBackup(n), "/d/timedata.BackupDayOfWeek" + std::to_string(n));
}

// ---- Two schedules in one folder ----------------------------------------------------------

class TwoSchedulesTest : public ::testing::Test {
 protected:
  TwoSchedulesTest() { fsys::create_directories(folder); }

  std::unique_ptr<ScheduleFiles> Make() {
    return std::make_unique<ScheduleFiles>(real, env.msg, env.clock, settings, &env.log);
  }
  static void AddItem(Schedule& s, const std::string& title) {
    Act a;
    a.flags = AF_FIXED;
    a.duration = 30;
    a.startTime = 9 * 60 + 1;
    s.NewItem(TestEnv::kToday, a, title);
    s.MarkChanged();
  }
  // Opens `path`, adds the item and saves; the schedule is closed again.
  void SaveWith(const std::string& path, const std::string& title) {
    auto files = Make();
    OpenResult opened = files->OpenSchedule(path, true);
    ASSERT_TRUE(opened.schedule) << path;
    AddItem(*opened.schedule, title);
    ASSERT_TRUE(files->SaveNow(*opened.schedule));
    files->Close(opened.schedule.get());
  }
  std::vector<uint8_t> Read(const std::string& p) {
    auto r = real.ReadFile(p);
    return r.ok() ? *r.value : std::vector<uint8_t>{};
  }
  // Whether the schedule file at `p` loads and holds an item of each title, and no other.
  ::testing::AssertionResult HoldsExactly(const std::string& p,
                                          const std::vector<std::string>& titles) {
    Schedule s(env.msg, env.clock);
    if (!LoadSchedule(s, Read(p)).ok) return ::testing::AssertionFailure() << p << " does not load";
    return HoldsExactly(s, titles);
  }
  static ::testing::AssertionResult HoldsExactly(Schedule& s,
                                                 const std::vector<std::string>& titles) {
    for (const std::string& title : titles) {
      if (s.FindActByTitle(title) == kNoAct)
        return ::testing::AssertionFailure() << "no item " << title;
    }
    if (s.actChain().Count() != titles.size())
      return ::testing::AssertionFailure() << s.actChain().Count() << " items";
    return ::testing::AssertionSuccess();
  }
  // Both schedules saved twice in turn: each backup holds its schedule's first save.
  void SaveBothTwice() {
    SaveWith(work, "Work 1");
    SaveWith(home, "Home 1");
    SaveWith(work, "Work 2");
    SaveWith(home, "Home 2");
  }
  void Damage(const std::string& p) {
    std::vector<uint8_t> bytes = Read(p);
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(real, p, bytes).ok());
  }

  TestEnv env;
  PosixFileSystem real;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  std::string folder = (env.dir / "plans").string();
  std::string work = folder + "/work.pak";
  std::string home = folder + "/home.pak";
};

TEST_F(TwoSchedulesTest, SavedInTurnEachBackupHoldsItsOwnSchedule) {
  env.ui.Answer(kIdYes);  // create work.pak
  env.ui.Answer(kIdYes);  // create home.pak
  SaveBothTwice();
  EXPECT_TRUE(HoldsExactly(folder + "/work.bak", {"Work 1"}));
  EXPECT_TRUE(HoldsExactly(folder + "/home.bak", {"Home 1"}));
  EXPECT_TRUE(HoldsExactly(work, {"Work 1", "Work 2"}));
  EXPECT_TRUE(HoldsExactly(home, {"Home 1", "Home 2"}));
  EXPECT_FALSE(real.Exists(folder + "/timedata.bak"));
}

TEST_F(TwoSchedulesTest, RotatingCopiesAreKeptApart) {
  env.ui.Answer(kIdYes);
  env.ui.Answer(kIdYes);
  SaveWith(work, "Work 1");
  SaveWith(home, "Home 1");
  env.clock.Set(TestEnv::kToday, 18);  // a minute that keeps the extra copies
  SaveWith(work, "Work 2");
  SaveWith(home, "Home 2");
  // Today is a Tuesday (3); minute 18 is in the first hour (1).
  EXPECT_TRUE(HoldsExactly(folder + "/work.BackupRandom1", {"Work 1"}));
  EXPECT_TRUE(HoldsExactly(folder + "/work.BackupDayOfWeek3", {"Work 1"}));
  EXPECT_TRUE(HoldsExactly(folder + "/home.BackupRandom1", {"Home 1"}));
  EXPECT_TRUE(HoldsExactly(folder + "/home.BackupDayOfWeek3", {"Home 1"}));
  EXPECT_FALSE(real.Exists(folder + "/timedata.BackupRandom1"));
}

TEST_F(TwoSchedulesTest, DamagedScheduleComesBackWithItsOwnData) {
  env.ui.Answer(kIdYes);
  env.ui.Answer(kIdYes);
  SaveBothTwice();
  const auto homeBefore = Read(home);
  Damage(work);

  env.ui.Answer(kIdOk);   // what the reader says about the file
  env.ui.Answer(kIdYes);  // replace it with its backup
  auto files = Make();
  OpenResult opened = files->OpenSchedule(work, false);
  ASSERT_EQ(opened.status, OpenStatus::kOpened);
  EXPECT_TRUE(HoldsExactly(*opened.schedule, {"Work 1"}));
  EXPECT_TRUE(
      env.ui.Showed("Would you like to replace your schedule file with the most recent "
                    "backup file (work.bak) now?"));
  EXPECT_TRUE(
      env.ui.Showed("Good news: your work.pak file has been successfully replaced with the "
                    "contents of the work.bak backup file."));
  EXPECT_FALSE(env.ui.Showed("timedata"));

  ASSERT_TRUE(files->SaveNow(*opened.schedule));
  EXPECT_TRUE(HoldsExactly(work, {"Work 1"}));
  EXPECT_TRUE(HoldsExactly(folder + "/work.bak", {"Work 1"}));  // the damaged file is no backup
  EXPECT_EQ(Read(home), homeBefore);
  EXPECT_TRUE(HoldsExactly(folder + "/home.bak", {"Home 1"}));
}

TEST_F(TwoSchedulesTest, TryABackupAtTheNextLaunchKeepsTheDamagedFilesUnderTheirOwnNames) {
  env.ui.Answer(kIdYes);
  env.ui.Answer(kIdYes);
  SaveBothTwice();
  Damage(work);
  const auto damaged = Read(work);
  const auto workBackup = Read(folder + "/work.bak");
  settings.WriteInt(t::kCorruptLoadKey, 1);  // the last load of it was abandoned

  env.ui.Answer(t::kRecoverTryBackup);
  EXPECT_EQ(Make()->OpenSchedule(work, false).status, OpenStatus::kExit);
  EXPECT_TRUE(env.ui.Showed("(the work.bak file)"));
  EXPECT_TRUE(env.ui.Showed("these copies will be called work.pakrenamed and work.bakrenamed"));
  EXPECT_EQ(Read(folder + "/work.pakrenamed"), damaged);
  EXPECT_EQ(Read(folder + "/work.bakrenamed"), workBackup);
  EXPECT_FALSE(real.Exists(folder + "/timedata.pakrenamed"));
  EXPECT_EQ(Read(work), workBackup);

  OpenResult next = Make()->OpenSchedule(work, false);
  ASSERT_EQ(next.status, OpenStatus::kOpened);
  EXPECT_TRUE(HoldsExactly(*next.schedule, {"Work 1"}));
  EXPECT_TRUE(env.ui.Showed("replacing your work.pak with your work.bak has solved"));
  EXPECT_TRUE(env.ui.Showed("datestamps of work.pakrenamed and work.bakrenamed differ"));
  EXPECT_FALSE(env.ui.Showed("timedata"));
}

struct MissingCase {
  const char* name;
  bool ownBackup;
  const char* told;
};

class MissingScheduleTest : public TwoSchedulesTest,
                            public ::testing::WithParamInterface<MissingCase> {};

// A missing schedule is restored only from its own backup, never from the
// default schedule's in the same folder.
TEST_P(MissingScheduleTest, RestoredOnlyFromItsOwnBackup) {
  const MissingCase& c = GetParam();
  env.ui.Answer(kIdYes);
  env.ui.Answer(kIdYes);
  const std::string other = folder + "/timedata.pak";
  SaveWith(other, "Default 1");
  SaveWith(other, "Default 2");
  SaveWith(work, "Work 1");
  SaveWith(work, "Work 2");
  if (!c.ownBackup) fsys::remove(folder + "/work.bak");
  fsys::remove(work);

  env.ui.Answer(kIdNo);  // do not create a new one
  OpenResult opened = Make()->OpenSchedule(work, true);
  EXPECT_TRUE(env.ui.Showed(c.told)) << c.told;
  if (c.ownBackup) {
    ASSERT_EQ(opened.status, OpenStatus::kOpened);
    EXPECT_TRUE(HoldsExactly(*opened.schedule, {"Work 1"}));
  } else {
    EXPECT_EQ(opened.status, OpenStatus::kExit);
    EXPECT_FALSE(opened.schedule);
  }
  EXPECT_TRUE(HoldsExactly(folder + "/timedata.bak", {"Default 1"}));
}

INSTANTIATE_TEST_SUITE_P(
    Backups, MissingScheduleTest,
    ::testing::Values(MissingCase{"OwnBackup", true,
                                  "The schedule file (work.pak) is missing. Click OK to load "
                                  "Ploven's most recent backup of it (work.bak), which will then "
                                  "get automatically saved as work.pak"},
                      MissingCase{"OnlyTheDefaultsBackup", false, "cannot be found"}),
    NameOf);

TEST_F(TwoSchedulesTest, UnsavedItemLogsAreKeptApart) {
  env.ui.Answer(kIdYes);
  env.ui.Answer(kIdYes);
  auto workFiles = Make();
  OpenResult w = workFiles->OpenSchedule(work, true);
  auto homeFiles = Make();
  OpenResult h = homeFiles->OpenSchedule(home, true);
  ASSERT_TRUE(w.schedule && h.schedule);
  workFiles->LogUnsavedItem("Work draft");
  ASSERT_TRUE(homeFiles->SaveNow(*h.schedule));  // clears only home's log
  const auto log = Read(folder + "/work.ItemsNotYetSavedLog.txt");
  EXPECT_EQ(std::string(log.begin(), log.end()), "Work draft\n");
}

TEST_F(TwoSchedulesTest, SaveAsTakesTheBackupsAlongUnderTheNewNames) {
  env.ui.Answer(kIdYes);
  SaveWith(work, "Work 1");
  SaveWith(work, "Work 2");
  auto files = Make();
  OpenResult opened = files->OpenSchedule(work, false);
  ASSERT_TRUE(opened.schedule);
  const std::string uids = "uid-1 7\n";
  ASSERT_TRUE(WriteWholeFile(real, WithExtension(work, ".icsmap"),
                             std::vector<uint8_t>(uids.begin(), uids.end()))
                  .ok());
  const std::string elsewhere = env.dir.path().string() + "/elsewhere";
  ASSERT_TRUE(files->SaveAs(*opened.schedule, elsewhere, ScheduleFiles::SaveAsKind::kCurrent));
  EXPECT_EQ(files->schedulePath(), elsewhere + "/timedata.pak");
  // The moved schedule's backup is the one of its own past.
  EXPECT_TRUE(HoldsExactly(elsewhere + "/timedata.bak", {"Work 1"}));
  EXPECT_TRUE(HoldsExactly(elsewhere + "/timedata.BackupLatestLaunch", {"Work 1", "Work 2"}));
  EXPECT_FALSE(real.Exists(elsewhere + "/work.bak"));
  // The UIDs of calendar items imported before move with it: importing again adds nothing.
  EXPECT_TRUE(real.Exists(elsewhere + "/timedata.icsmap"));
}

}  // namespace
}  // namespace ploven::test
