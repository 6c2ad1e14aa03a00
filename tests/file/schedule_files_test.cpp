#include "file/schedule_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "file/lock_messages.h"
#include "file/schedule_files_messages.h"
#include "mock/faulty_file_system.h"
#include "mock/test_env.h"
#include "platform/settings.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

namespace t = files_text;
namespace fsys = std::filesystem;

// Test names from the table's name column.
constexpr auto NameOf = [](const auto& param) { return std::string(param.param.name); };

class ScheduleFilesTest : public ::testing::Test {
 protected:
  ScheduleFilesTest() { fsys::create_directories(folder); }

  std::unique_ptr<ScheduleFiles> Make(LockIdentity identity = {}) {
    return std::make_unique<ScheduleFiles>(real, env.msg, env.clock, settings, &env.log,
                                           std::move(identity));
  }
  // The bytes of a schedule holding these items.
  std::vector<uint8_t> ScheduleBytes(const std::vector<std::string>& titles) {
    Schedule s(env.msg, env.clock);
    for (const auto& title : titles) AddItem(s, title);
    return SaveSchedule(s).value();
  }
  static void AddItem(Schedule& s, const std::string& title) {
    Act a;
    a.flags = AF_FIXED;
    a.duration = 30;
    a.startTime = 9 * 60 + 1;
    s.NewItem(TestEnv::kToday, a, title);
    s.MarkChanged();
  }
  static bool Holds(Schedule& s, const std::string& title) {
    return s.FindActByTitle(title) != kNoAct;
  }
  void Put(const std::string& p, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteWholeFile(real, p, bytes).ok());
  }
  std::vector<uint8_t> Read(const std::string& p) {
    auto r = real.ReadFile(p);
    return r.ok() ? *r.value : std::vector<uint8_t>{};
  }
  bool There(const std::string& p) { return real.Exists(p); }
  std::string In(const std::string& name) const { return folder + "/" + name; }
  // A schedule loaded from `bytes` of a file, or null.
  std::unique_ptr<Schedule> LoadBytes(const std::vector<uint8_t>& bytes) {
    auto s = std::make_unique<Schedule>(env.msg, env.clock);
    if (!LoadSchedule(*s, bytes).ok) return nullptr;
    return s;
  }

  TestEnv env;
  PosixFileSystem real;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  std::string folder = (env.dir / "sched").string();
  std::string path = folder + "/timedata.pak";
  std::vector<uint8_t> garbage = std::vector<uint8_t>(900, 0x5A);
};

// ---- Which file ------------------------------------------------------------------------

struct ResolveCase {
  const char* name;
  const char* argument;  // nullptr: none given
  const char* expected;  // below the test folder; nullptr: refused
};

class ResolveTest : public ScheduleFilesTest, public ::testing::WithParamInterface<ResolveCase> {};

TEST_P(ResolveTest, NamesTheSchedule) {
  const ResolveCase& c = GetParam();
  fsys::create_directories(env.dir / "my.plans");
  const std::string base = env.dir.path().string();
  std::optional<std::string> argument;
  if (c.argument) argument = base + "/" + c.argument;
  const auto got = ResolveSchedulePath(real, argument, base + "/prog", env.msg);
  if (!c.expected) {
    EXPECT_FALSE(got);
    EXPECT_TRUE(env.ui.Showed(t::kInvalidFilename));
    return;
  }
  ASSERT_TRUE(got);
  EXPECT_EQ(*got, base + "/" + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ResolveTest,
    ::testing::Values(ResolveCase{"NoArgument", nullptr, "prog/Timedata.pak"},
                      ResolveCase{"FolderWithoutDot", "plans", "plans/timedata.pak"},
                      ResolveCase{"TrailingSlash", "plans.d/", "plans.d/timedata.pak"},
                      ResolveCase{"ExistingFolderWithDot", "my.plans", "my.plans/timedata.pak"},
                      ResolveCase{"OtherExtension", "work/plan.txt", "work/plan.pak"},
                      ResolveCase{"PakKeptAsWritten", "plan.PAK", "plan.PAK"},
                      ResolveCase{"MadeFull", "a/../b/./plan.pak", "b/plan.pak"},
                      ResolveCase{"ControlCharacter", "pl\x01n.pak", nullptr}),
    NameOf);

TEST_F(ScheduleFilesTest, RelativeArgumentBecomesFullPath) {
  const auto got = ResolveSchedulePath(real, std::string("x.pak"), "/prog", env.msg);
  ASSERT_TRUE(got);
  EXPECT_EQ(got->front(), '/');
  EXPECT_EQ(fsys::path(*got).filename(), "x.pak");
}

// ---- Saving --------------------------------------------------------------------------

TEST_F(ScheduleFilesTest, SaveKeepsOldScheduleAsBackupAndReplacesIt) {
  const auto old = ScheduleBytes({"Old item"});
  Put(path, old);
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  ASSERT_EQ(opened.status, OpenStatus::kOpened);
  ASSERT_FALSE(opened.readOnly);
  Schedule& s = *opened.schedule;
  EXPECT_TRUE(files->SaveIfChanged(s));  // nothing changed: nothing written
  EXPECT_FALSE(There(files->BackupPath()));

  AddItem(s, "New item");
  files->LogNewItems(s);
  ASSERT_TRUE(There(files->UnsavedLogPath()));
  ASSERT_TRUE(files->SaveIfChanged(s));
  EXPECT_FALSE(s.changed());
  EXPECT_EQ(Read(files->BackupPath()), old);
  EXPECT_FALSE(There(files->TempPath()));
  EXPECT_FALSE(There(files->UnsavedLogPath()));
  auto saved = LoadBytes(Read(path));
  ASSERT_TRUE(saved);
  EXPECT_TRUE(Holds(*saved, "New item"));
  EXPECT_EQ(files->lastSaveSize(), static_cast<int64_t>(Read(path).size()));
}

TEST_F(ScheduleFilesTest, SaveWaitsForStartUpAndForExclusiveAccess) {
  Put(path, ScheduleBytes({"A"}));
  auto first = Make();
  OpenResult mine = first->OpenSchedule(path, false);
  ASSERT_TRUE(mine.schedule);

  // A second live program on this machine reads only.
  LockIdentity other;
  other.self.pid = ScheduleLock::ThisProgram().pid + 1;
  other.alive = [](int) { return true; };
  auto second = Make(other);
  OpenResult theirs = second->OpenSchedule(path, false);
  ASSERT_TRUE(theirs.schedule);
  EXPECT_TRUE(theirs.readOnly);
  const auto before = Read(path);
  AddItem(*theirs.schedule, "Not mine to save");
  EXPECT_FALSE(second->SaveIfChanged(*theirs.schedule));
  EXPECT_FALSE(second->SaveIfChanged(*theirs.schedule));
  const auto texts = env.ui.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), lock_text::kPostponedSave), 1);
  EXPECT_EQ(Read(path), before);
  second->Close(theirs.schedule.get());
  EXPECT_TRUE(env.Logged("Changed timedata.pak still not saved, so closing it."));

  AddItem(*mine.schedule, "Mine");
  EXPECT_TRUE(first->SaveIfChanged(*mine.schedule, /*startupOver=*/false));
  EXPECT_EQ(Read(path), before);
  first->Close(mine.schedule.get());  // the final save
  auto saved = LoadBytes(Read(path));
  ASSERT_TRUE(saved);
  EXPECT_TRUE(Holds(*saved, "Mine"));
}

struct MinuteCase {
  TimeOfDay now;
  int random;   // 0: no copies
  int weekday;
};

class RotationTest : public ScheduleFilesTest, public ::testing::WithParamInterface<MinuteCase> {};

TEST_P(RotationTest, EverySeventhMinuteKeepsExtraCopies) {
  const MinuteCase& c = GetParam();
  const auto old = ScheduleBytes({"A"});
  Put(path, old);
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  ASSERT_TRUE(opened.schedule);
  env.clock.Set(TestEnv::kToday, c.now);
  opened.schedule->MarkChanged();
  ASSERT_TRUE(files->SaveNow(*opened.schedule));
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(There(files->RandomBackupPath(n)), n == c.random) << "random " << n;
  for (int n = 1; n <= 7; ++n)
    EXPECT_EQ(There(files->WeekdayBackupPath(n)), n == c.weekday) << "weekday " << n;
  if (c.random) {
    EXPECT_EQ(Read(files->RandomBackupPath(c.random)), old);
  }
}

// Today is a Tuesday: the weekday copy is number 3 (Sunday is 1).
INSTANTIATE_TEST_SUITE_P(Minutes, RotationTest,
                         ::testing::Values(MinuteCase{18, 1, 3}, MinuteCase{19, 0, 0},
                                           MinuteCase{11, 1, 3}, MinuteCase{81, 2, 3},
                                           MinuteCase{130, 3, 3}, MinuteCase{131, 0, 0}));

TEST_F(ScheduleFilesTest, UnsavedItemsLogAppendsAndTellsWhenItCannot) {
  Put(path, ScheduleBytes({}));
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  files->LogUnsavedItem("one");
  files->LogUnsavedItem("two");
  auto bytes = Read(files->UnsavedLogPath());
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "one\ntwo\n");
  fsys::remove(files->UnsavedLogPath());
  fsys::create_directory(files->UnsavedLogPath());  // cannot be opened for appending
  files->LogUnsavedItem("three");
  EXPECT_TRUE(env.ui.Showed(
      "Unable to create or open the temporary ItemsNotYetSavedLog.txt file in order to write a "
      "new item to it."));
}

// ---- Opening and recovery --------------------------------------------------------------

TEST_F(ScheduleFilesTest, DeletedScheduleComesBackFromBackupAtNextOpen) {
  const auto backup = ScheduleBytes({"From backup"});
  Put(In("timedata.bak"), backup);
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  ASSERT_EQ(opened.status, OpenStatus::kOpened);
  EXPECT_TRUE(env.ui.Showed(
      "The schedule file (timedata.pak) is missing. Click OK to load Ploven's most recent backup "
      "of it (timedata.bak), which will then get automatically saved as timedata.pak in the first "
      "minute after it opens successfully."));
  EXPECT_TRUE(files->usingBackup());
  EXPECT_TRUE(Holds(*opened.schedule, "From backup"));
  EXPECT_FALSE(There(path));  // nothing replaced before the first save
  ASSERT_TRUE(files->SaveIfChanged(*opened.schedule));
  EXPECT_FALSE(files->usingBackup());
  EXPECT_EQ(Read(In("timedata.bak")), backup);  // the backup is kept as it was
  auto saved = LoadBytes(Read(path));
  ASSERT_TRUE(saved);
  EXPECT_TRUE(Holds(*saved, "From backup"));
}

TEST_F(ScheduleFilesTest, DamagedScheduleIsReplacedByBackupWhenTheUserAgrees) {
  Put(path, garbage);
  Put(In("timedata.bak"), ScheduleBytes({"Good"}));
  env.ui.Answer(kIdOk);   // what the reader says about the file
  env.ui.Answer(kIdYes);  // replace with the backup
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  ASSERT_EQ(opened.status, OpenStatus::kOpened);
  EXPECT_TRUE(env.ui.Showed(
      "Good news: your timedata.pak file has been successfully replaced with the contents of the "
      "timedata.bak backup file."));
  EXPECT_TRUE(env.Logged("Ploven cannot open your schedule file"));
  ASSERT_TRUE(files->SaveIfChanged(*opened.schedule));
  EXPECT_NE(Read(In("timedata.bak")), garbage);  // the damaged file never becomes the backup
  EXPECT_TRUE(LoadBytes(Read(path)));
}

struct FailedLoadCase {
  const char* name;
  bool backup;
  bool backupGood;
  int answer;
  const char* told;
};

class FailedLoadTest : public ScheduleFilesTest,
                       public ::testing::WithParamInterface<FailedLoadCase> {};

TEST_P(FailedLoadTest, NothingHalfBuiltIsReturned) {
  const FailedLoadCase& c = GetParam();
  Put(path, garbage);
  if (c.backup) Put(In("timedata.bak"), c.backupGood ? ScheduleBytes({"B"}) : garbage);
  env.ui.Answer(kIdOk);
  env.ui.Answer(c.answer);
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  EXPECT_EQ(opened.status, OpenStatus::kFailed);
  EXPECT_FALSE(opened.schedule);
  EXPECT_TRUE(env.ui.Showed(c.told)) << c.told;
  EXPECT_EQ(Read(path), garbage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedLoadTest,
    ::testing::Values(
        FailedLoadCase{"NoBackup", false, false, kIdOk, "it may be damaged"},
        FailedLoadCase{"Declined", true, true, kIdNo, "Would you like to replace"},
        FailedLoadCase{"BackupDamagedToo", true, false, kIdYes, t::kBackupAlsoInvalid}),
    NameOf);

TEST_F(ScheduleFilesTest, MissingScheduleWithoutBackup) {
  auto welcome = Make();
  EXPECT_EQ(welcome->OpenSchedule(path, false).status, OpenStatus::kFirstRun);

  const std::string named = folder + "/new/deeper/plan.pak";
  env.ui.Answer(kIdNo);
  EXPECT_EQ(Make()->OpenSchedule(named, true).status, OpenStatus::kExit);
  env.ui.Answer(kIdYes);
  auto files = Make();
  OpenResult created = files->OpenSchedule(named, true);
  ASSERT_EQ(created.status, OpenStatus::kCreated);
  EXPECT_TRUE(env.ui.Showed("cannot be found.\rCreate a new empty one?"));
  EXPECT_TRUE(files->newSchedule());
  ASSERT_TRUE(files->SaveIfChanged(*created.schedule));
  EXPECT_TRUE(LoadBytes(Read(named)));

  EXPECT_EQ(Make()->OpenSchedule(env.dir.path().string() + "/gone/timedata.pak", false).status,
            OpenStatus::kFailed);
  EXPECT_TRUE(env.ui.Showed("Ploven cannot access folder"));
}

TEST_F(ScheduleFilesTest, NewScheduleDoesNotOverwriteOneThatReappeared) {
  env.ui.Answer(kIdYes);
  auto files = Make();
  OpenResult created = files->OpenSchedule(path, true);
  ASSERT_EQ(created.status, OpenStatus::kCreated);
  const auto other = ScheduleBytes({"Came back"});
  Put(path, other);
  EXPECT_FALSE(files->SaveNow(*created.schedule));
  EXPECT_TRUE(env.ui.Showed(t::kResurfaced));
  EXPECT_EQ(Read(path), other);
}

TEST_F(ScheduleFilesTest, SecondOpenIsAnInternalError) {
  Put(path, ScheduleBytes({}));
  auto files = Make();
  files->OpenSchedule(path, false);
  EXPECT_THROW(files->OpenSchedule(path, false), InternalErrorRaised);
  EXPECT_TRUE(env.Logged(t::kSecondLoad));
}

TEST_F(ScheduleFilesTest, TryABackupThenGoodNewsOnceAtTheNextLaunch) {
  const auto damaged = ScheduleBytes({"Damaged"});
  const auto backup = ScheduleBytes({"Backup"});
  Put(path, damaged);
  Put(In("timedata.bak"), backup);
  settings.WriteInt(t::kCorruptLoadKey, 1);
  env.ui.Answer(t::kRecoverTryBackup);
  EXPECT_EQ(Make()->OpenSchedule(path, false).status, OpenStatus::kExit);
  EXPECT_TRUE(env.ui.Showed(t::kReplacedNowExit));
  EXPECT_EQ(Read(In("timedata.pakrenamed")), damaged);
  EXPECT_EQ(Read(In("timedata.bakrenamed")), backup);
  EXPECT_EQ(Read(path), backup);
  EXPECT_EQ(settings.ReadInt(t::kCorruptLoadKey, 10000), 2);

  OpenResult next = Make()->OpenSchedule(path, false);
  ASSERT_EQ(next.status, OpenStatus::kOpened);
  EXPECT_TRUE(Holds(*next.schedule, "Backup"));
  EXPECT_TRUE(env.ui.Showed("has solved the corrupt schedule problem"));
  EXPECT_EQ(settings.ReadInt(t::kCorruptLoadKey, 10000), 0);

  const size_t boxes = env.ui.boxes.size();
  ASSERT_TRUE(Make()->OpenSchedule(path, false).schedule);
  EXPECT_EQ(env.ui.boxes.size(), boxes);  // nothing to say any more
}

struct RecoveryCase {
  const char* name;
  int corruptLoad;
  bool backup;
  int answer;
  OpenStatus status;
  int corruptAfter;
  const char* told;  // nullptr: only the question
};

class RecoveryTest : public ScheduleFilesTest, public ::testing::WithParamInterface<RecoveryCase> {};

TEST_P(RecoveryTest, QuestionAfterADamagedLoad) {
  const RecoveryCase& c = GetParam();
  const auto bytes = ScheduleBytes({"Mine"});
  Put(path, bytes);
  if (c.backup) Put(In("timedata.bak"), ScheduleBytes({"Older"}));
  settings.WriteInt(t::kCorruptLoadKey, c.corruptLoad);
  env.ui.Answer(c.answer);
  OpenResult r = Make()->OpenSchedule(path, false);
  ASSERT_FALSE(env.ui.boxes.empty());
  EXPECT_EQ(env.ui.boxes.front().caption, t::kRecoverCaption);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(settings.ReadInt(t::kCorruptLoadKey, 10000), c.corruptAfter);
  if (c.told) {
    EXPECT_TRUE(env.ui.Showed(c.told)) << c.told;
  }
  EXPECT_EQ(Read(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RecoveryTest,
    ::testing::Values(
        RecoveryCase{"Continue", 1, true, t::kRecoverContinue, OpenStatus::kOpened, 0, nullptr},
        RecoveryCase{"Exit", 1, true, t::kRecoverExit, OpenStatus::kExit, 1, t::kExitConfirmed},
        RecoveryCase{"NoBackup", 1, false, t::kRecoverTryBackup, OpenStatus::kExit, 1,
                     "Sorry: you don't have a timedata.bak file. Click OK"},
        RecoveryCase{"BackupWasCorruptToo", 3, true, t::kRecoverTryBackup, OpenStatus::kExit, 0,
                     "Sorry: we've already tried replacing timedata.pak with the timedata.bak "
                     "file and it was corrupt too."}),
    NameOf);

struct DamagedTreeCase {
  int corruptLoad;
  bool fix;  // else Exit Ploven
  int corruptAfter;
};

class DamagedTreeTest : public ScheduleFilesTest,
                        public ::testing::WithParamInterface<DamagedTreeCase> {};

// An exit at the damaged-tree choice ends the program inside the load; the
// counter set before it brings the backup offer at the next launch.
TEST_P(DamagedTreeTest, ExitDuringTheLoadIsRememberedForTheNextLaunch) {
  const DamagedTreeCase& c = GetParam();
  {
    Schedule s(env.msg, env.clock);
    AddItem(s, "Mine");
    const ActHandle ghost = s.AllocateAct(Act{}, "ghost");
    s.LockAct(ghost).ID = 999999;
    s.projects().tree().Append(ghost, kNoTreeNode);
    Put(path, SaveSchedule(s).value());
    s.FreeAct(ghost);
  }
  settings.WriteInt(t::kCorruptLoadKey, c.corruptLoad);
  env.ui.Answer(c.fix ? kIdCustom1 : kIdCustom1 + 1);
  auto files = Make();
  if (c.fix) {
    EXPECT_TRUE(files->OpenSchedule(path, false).schedule);
  } else {
    EXPECT_THROW(files->OpenSchedule(path, false), InternalErrorRaised);
  }
  EXPECT_EQ(settings.ReadInt(t::kCorruptLoadKey, 10000), c.corruptAfter);
}

INSTANTIATE_TEST_SUITE_P(Choices, DamagedTreeTest,
                         ::testing::Values(DamagedTreeCase{0, false, 1},
                                           DamagedTreeCase{2, false, 3},
                                           DamagedTreeCase{0, true, 0}));

TEST_F(ScheduleFilesTest, LatestLaunchBackupIsNotReplacedByAMuchSmallerSchedule) {
  const auto small = ScheduleBytes({});
  Put(path, small);
  auto files = Make();
  const std::string latest = In("timedata.BackupLatestLaunch");
  const std::vector<uint8_t> big(small.size() * 2 + 1, 1);
  Put(latest, big);
  ASSERT_TRUE(files->OpenSchedule(path, false).schedule);
  EXPECT_EQ(Read(latest), big);
  EXPECT_TRUE(env.Logged(
      "timedata.BackupLatestLaunch skipped, due to suspiciously small timedata.pak file"));

  const std::vector<uint8_t> half(small.size() * 2, 1);  // not more than twice: replaced
  Put(latest, half);
  ASSERT_TRUE(Make()->OpenSchedule(path, false).schedule);
  EXPECT_EQ(Read(latest), small);
}

// ---- Writing elsewhere -----------------------------------------------------------------

TEST_F(ScheduleFilesTest, SaveAsMovesTheScheduleAndCopiesAreLeftAlone) {
  Put(path, ScheduleBytes({"Keep me"}));
  Put(In("timedata.bak"), ScheduleBytes({"Older"}));
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  Schedule& s = *opened.schedule;
  const std::string elsewhere = env.dir.path().string() + "/elsewhere";

  ASSERT_TRUE(files->SaveAs(s, elsewhere, ScheduleFiles::SaveAsKind::kScrambled));
  EXPECT_EQ(files->path(), path);
  auto scrambled = LoadBytes(Read(elsewhere + "/" + t::kScrambledName));
  ASSERT_TRUE(scrambled);
  EXPECT_FALSE(Holds(*scrambled, "Keep me"));
  EXPECT_TRUE(Holds(*scrambled, ScrambleTitle("Keep me", kDefaultTitleScrambleKey)));

  EXPECT_FALSE(files->SaveAs(s, folder, ScheduleFiles::SaveAsKind::kBackLevel, 24));
  AddItem(s, std::string(300, 'x'));
  env.ui.Answer(kIdNo);
  EXPECT_FALSE(files->SaveAs(s, elsewhere, ScheduleFiles::SaveAsKind::kBackLevel, 24));
  EXPECT_TRUE(env.ui.Showed("longer than 255 characters"));
  EXPECT_FALSE(There(elsewhere + "/timedata.pak"));
  env.ui.Answer(kIdYes);
  EXPECT_TRUE(files->SaveAs(s, elsewhere, ScheduleFiles::SaveAsKind::kBackLevel, 24));
  EXPECT_TRUE(There(elsewhere + "/timedata.pak"));
  EXPECT_TRUE(s.changed());
  fsys::remove(elsewhere + "/timedata.pak");

  ASSERT_TRUE(files->SaveAs(s, elsewhere, ScheduleFiles::SaveAsKind::kCurrent));
  EXPECT_EQ(files->path(), elsewhere + "/timedata.pak");
  EXPECT_FALSE(s.changed());
  EXPECT_EQ(Read(elsewhere + "/timedata.bak"), Read(In("timedata.bak")));
  auto moved = LoadBytes(Read(files->path()));
  ASSERT_TRUE(moved);
  EXPECT_TRUE(Holds(*moved, "Keep me"));
  ASSERT_NE(files->lock(), nullptr);
  EXPECT_EQ(files->lock()->lockPath(), elsewhere + "/timedata.loc");
  EXPECT_FALSE(There(In("timedata.loc")));
}

TEST_F(ScheduleFilesTest, RelocateIntoTheUsersSharedFolder) {
  Put(path, ScheduleBytes({"Mine"}));
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  Schedule& s = *opened.schedule;
  const std::string shared = env.dir.path().string() + "/shared";
  fsys::create_directories(shared + "/taken");

  EXPECT_FALSE(files->RelocateSchedule(s, shared, "taken"));
  EXPECT_TRUE(env.ui.Showed("the move will NOT be performed"));
  env.ui.Answer(kIdNo);
  EXPECT_FALSE(files->RelocateSchedule(s, shared, "ann"));
  EXPECT_TRUE(env.ui.Showed(t::kRelocateDeclined));
  env.ui.Answer(kIdYes);
  EXPECT_FALSE(files->RelocateSchedule(s, shared + "/nowhere", "ann"));
  EXPECT_TRUE(env.ui.Showed(t::kRelocateNoDrive));

  env.ui.Answer(kIdYes);
  ASSERT_TRUE(files->RelocateSchedule(s, shared, "ann"));
  EXPECT_EQ(files->path(), shared + "/ann/timedata.pak");
  EXPECT_EQ(Read(files->path()), Read(path));  // the old copy stays behind
  EXPECT_TRUE(env.ui.Showed("Success: files transferred"));
}

TEST_F(ScheduleFilesTest, BackupAllCopiesTheFolderButNotTheLock) {
  Put(path, ScheduleBytes({"Mine"}));
  auto files = Make();
  OpenResult opened = files->OpenSchedule(path, false);
  AddItem(*opened.schedule, "Unsaved");
  env.ui.Answer(kIdCustom1);      // Help
  env.ui.Answer(kIdCustom1 + 1);  // Proceed
  EXPECT_TRUE(files->AskBackupAll());
  EXPECT_EQ(env.ui.helpTopics.size(), 1u);
  // Enter takes the default, which goes on with the backup.
  EXPECT_TRUE(files->AskBackupAll());
  EXPECT_EQ(env.ui.helpTopics.size(), 1u);
  const std::string usb = env.dir.path().string() + "/usb";
  env.ui.Answer(kIdYes);
  EXPECT_EQ(files->BackupAll(*opened.schedule, usb), BackupAllResult::kDoneClose);
  auto copy = LoadBytes(Read(usb + "/timedata.pak"));
  ASSERT_TRUE(copy);
  EXPECT_TRUE(Holds(*copy, "Unsaved"));
  EXPECT_TRUE(There(usb + "/timedata.bak"));
  EXPECT_FALSE(There(usb + "/timedata.loc"));
  EXPECT_EQ(files->BackupStartFolder(), usb);
}

}  // namespace
}  // namespace ploven::test
