#include "file/schedule_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "file/file_system.h"
#include "mock/faulty_file_system.h"
#include "mock/test_env.h"

namespace ploven {
namespace {

// A process number that no process has: a child that has ended and was reaped.
int DeadPid() {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return static_cast<int>(child);
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

class ScheduleLockTest : public ::testing::Test {
 protected:
  std::string Path() const { return (env.dir / "timedata.pak").string(); }
  std::string LockFile() const { return (env.dir / "timedata.loc").string(); }
  std::string WaitFile() const { return (env.dir / "timedata.wai").string(); }

  std::unique_ptr<ScheduleLock> Make(LockOwner owner, FileSystem* fs = nullptr) {
    return std::make_unique<ScheduleLock>(fs ? *fs : real, env.msg, Path(), std::move(owner),
                                          ScheduleLock::ProcessAlive);
  }
  void Put(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(WriteWholeFile(real, path, bytes).ok());
  }
  std::vector<uint8_t> Read(const std::string& path) {
    auto r = real.ReadFile(path);
    return r.ok() ? *r.value : std::vector<uint8_t>{};
  }
  std::optional<LockOwner> LockOwnerOnDisk() { return DecodeLockFile(Read(LockFile())); }
  // Files in the folder other than the lock and the waiting note: leftovers.
  std::vector<std::string> Litter() {
    std::vector<std::string> out;
    for (const auto& name : real.ListFiles(env.dir.path().string())) {
      if (name != "timedata.loc" && name != "timedata.wai" && name != "PlovenErrorLog.txt")
        out.push_back(name);
    }
    return out;
  }

  test::TestEnv env;
  PosixFileSystem real;
  LockOwner self = ScheduleLock::ThisProgram();
};

TEST(LockFileText, EveryTornPrefixReadsAsNothingOrTheTrueOwner) {
  const LockOwner owner{"desk-17.example", 123456, "maria"};
  const auto whole = EncodeLockFile(owner, "00ff00ff00ff00ff");
  ASSERT_EQ(DecodeLockFile(whole), owner);
  for (size_t n = 0; n < whole.size(); ++n) {
    auto part = DecodeLockFile({whole.begin(), whole.begin() + static_cast<long>(n)});
    if (part) {
      EXPECT_EQ(part->host, owner.host) << n;
      EXPECT_EQ(part->pid, owner.pid) << n;  // a cut "pid=12" never reads as 12
    }
  }
}

TEST(LockFileText, LineBreaksInNamesCannotForgeFields) {
  const LockOwner owner{"host\npid=1", 42, "eve\r\nhost=other"};
  auto back = DecodeLockFile(EncodeLockFile(owner, "t"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pid, 42);
  EXPECT_EQ(back->host, "hostpid=1");
  EXPECT_EQ(back->user, "evehost=other");
}

TEST(ThisProgramTest, NamesThisProcessAndTellsLivingFromEnded) {
  LockOwner me = ScheduleLock::ThisProgram();
  EXPECT_EQ(me.pid, ::getpid());
  EXPECT_FALSE(me.host.empty());
  EXPECT_TRUE(ScheduleLock::ProcessAlive(::getpid()));
  EXPECT_TRUE(ScheduleLock::ProcessAlive(1));  // not ours to signal, but running
  EXPECT_FALSE(ScheduleLock::ProcessAlive(DeadPid()));
  EXPECT_FALSE(ScheduleLock::ProcessAlive(0));   // would mean our process group
  EXPECT_FALSE(ScheduleLock::ProcessAlive(-1));  // would mean every process
}

TEST_F(ScheduleLockTest, AcquireWritesTheOwnerAndReleaseRemovesIt) {
  auto lock = Make(self);
  ASSERT_EQ(lock->Acquire(), LockStatus::kAcquired);
  EXPECT_TRUE(lock->held());
  EXPECT_EQ(LockOwnerOnDisk(), self);
  EXPECT_TRUE(lock->StillHeld());
  lock->Release();
  EXPECT_FALSE(lock->held());
  EXPECT_FALSE(real.Exists(LockFile()));
  EXPECT_TRUE(Litter().empty());
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(ScheduleLockTest, SecondProgramReadsOnlyAndAsksForAccess) {
  auto first = Make(self);
  auto second = Make(self);
  ASSERT_EQ(first->Acquire(), LockStatus::kAcquired);
  EXPECT_FALSE(first->SomeoneWaiting());

  EXPECT_EQ(second->Acquire(), LockStatus::kHeldByOther);
  EXPECT_EQ(second->holder(), self);
  EXPECT_TRUE(real.Exists(WaitFile()));
  EXPECT_TRUE(first->SomeoneWaiting());
  EXPECT_FALSE(second->SomeoneWaiting());  // its own note is no one else waiting

  // The waiter closing takes its note along and leaves the lock alone.
  second->Release();
  EXPECT_FALSE(real.Exists(WaitFile()));
  EXPECT_TRUE(first->StillHeld());

  EXPECT_EQ(second->Acquire(), LockStatus::kHeldByOther);
  first->Release();  // the holder closing removes the note: the waiter may try
  EXPECT_FALSE(real.Exists(WaitFile()));
  EXPECT_EQ(second->Acquire(), LockStatus::kAcquired);
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(ScheduleLockTest, WaiterThatGetsTheLockRemovesItsNote) {
  LockOwner other{self.host, 1, "x"};  // process 1 always runs
  Put(LockFile(), EncodeLockFile(other, "t"));
  auto lock = Make(self);
  ASSERT_EQ(lock->Acquire(), LockStatus::kHeldByOther);
  EXPECT_EQ(lock->holder().pid, 1);
  ASSERT_TRUE(real.Exists(WaitFile()));
  ASSERT_EQ(real.Remove(LockFile()), 0);
  EXPECT_EQ(lock->Acquire(), LockStatus::kAcquired);
  EXPECT_FALSE(real.Exists(WaitFile()));
}

TEST_F(ScheduleLockTest, NotesOfEndedProcessesAreNotWaiters) {
  auto lock = Make(self);
  ASSERT_EQ(lock->Acquire(), LockStatus::kAcquired);
  const struct {
    std::vector<uint8_t> note;
    bool waiting;
  } cases[] = {
      {EncodeLockFile({self.host, DeadPid(), "u"}, "a"), false},
      {EncodeLockFile({self.host, 1, "u"}, "b"), true},
      {EncodeLockFile({"elsewhere", DeadPid(), "u"}, "c"), true},  // not ours to judge
      {Bytes("scribble"), true},
  };
  for (const auto& c : cases) {
    Put(WaitFile(), c.note);
    EXPECT_EQ(lock->SomeoneWaiting(), c.waiting) << std::string(c.note.begin(), c.note.end());
  }
}

TEST_F(ScheduleLockTest, LockOfEndedProcessOnThisMachineIsReclaimedSilently) {
  Put(LockFile(), EncodeLockFile({self.host, DeadPid(), "old"}, "t"));
  auto lock = Make(self);
  EXPECT_EQ(lock->Acquire(), LockStatus::kAcquired);
  EXPECT_EQ(LockOwnerOnDisk(), self);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_TRUE(env.Logged("reclaimed"));
  EXPECT_TRUE(Litter().empty());
}

// A program killed while writing its lock leaves a draft, never a lock without an owner: the
// next program takes the lock without asking and clears the drafts away.
TEST_F(ScheduleLockTest, DraftsOfAKilledWriterNeitherBlockNorStay) {
  Put(LockFile() + ".new00ff00ff00ff00ff", {});
  Put(LockFile() + ".newabcdabcdabcdabcd", EncodeLockFile({self.host, DeadPid(), "old"}, "t"));
  const std::string othersDraft = LockFile() + ".new0123012301230123";
  Put(othersDraft, EncodeLockFile({self.host, static_cast<int>(::getpid()) == 1 ? 2 : 1, "init"}, "t"));
  auto lock = Make(self);
  EXPECT_EQ(lock->Acquire(), LockStatus::kAcquired);
  EXPECT_EQ(LockOwnerOnDisk(), self);
  EXPECT_TRUE(env.ui.boxes.empty());
  // A live writer's draft is left to it.
  EXPECT_EQ(Litter(), std::vector<std::string>{"timedata.loc.new0123012301230123"});
}

TEST_F(ScheduleLockTest, LockOfAnotherMachineIsTakenOnlyOnYes) {
  // Every process "ended" here: a number from another machine must not be judged by this one.
  auto lock =
      std::make_unique<ScheduleLock>(real, env.msg, Path(), self, [](int) { return false; });
  const auto theirs = EncodeLockFile({"Office-PC", 4321, "maria"}, "t");
  Put(LockFile(), theirs);

  env.ui.Answer(kIdNo);
  EXPECT_EQ(lock->Acquire(), LockStatus::kHeldByOther);
  EXPECT_TRUE(env.ui.Showed("maria on the computer Office-PC"));
  EXPECT_EQ(Read(LockFile()), theirs);
  EXPECT_EQ(lock->holder().user, "maria");

  env.ui.boxes.clear();
  EXPECT_EQ(lock->Acquire(), LockStatus::kHeldByOther);  // No is the default
  EXPECT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(Read(LockFile()), theirs);

  env.ui.Answer(kIdYes);
  EXPECT_EQ(lock->Acquire(), LockStatus::kAcquired);
  EXPECT_EQ(LockOwnerOnDisk(), self);
  EXPECT_TRUE(env.Logged("taken over at the user's request"));
}

TEST_F(ScheduleLockTest, LiveLockOfThisMachineIsNeverTakenOrAskedAbout) {
  Put(LockFile(), EncodeLockFile({self.host, 1, "root"}, "t"));
  auto lock = Make(self);
  env.ui.Answer(kIdYes);
  EXPECT_EQ(lock->Acquire(), LockStatus::kHeldByOther);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(LockOwnerOnDisk()->pid, 1);
}

class UnreadableLockTest
    : public ScheduleLockTest,
      public ::testing::WithParamInterface<std::pair<const char*, std::string>> {};

TEST_P(UnreadableLockTest, CountsAsHeldUntilTheUserSaysYes) {
  const auto junk = Bytes(GetParam().second);
  Put(LockFile(), junk);
  auto lock = Make(self);
  EXPECT_EQ(lock->Acquire(), LockStatus::kHeldByOther);
  EXPECT_TRUE(env.ui.Showed("cannot be read"));
  EXPECT_EQ(Read(LockFile()), junk);
  EXPECT_EQ(lock->holder(), LockOwner{});

  env.ui.Answer(kIdYes);
  EXPECT_EQ(lock->Acquire(), LockStatus::kAcquired);
  EXPECT_EQ(LockOwnerOnDisk(), self);
  EXPECT_TRUE(Litter().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableLockTest,
    ::testing::Values(
        std::pair<const char*, std::string>{"Empty", ""},
        std::pair<const char*, std::string>{"Foreign", "garbage\n"},
        std::pair<const char*, std::string>{"HeaderOnly", "Ploven schedule lock\n"},
        std::pair<const char*, std::string>{"NoPid", "Ploven schedule lock\nhost=h\n"},
        std::pair<const char*, std::string>{"TornPid", "Ploven schedule lock\nhost=h\npid=12"},
        // 0 and negative numbers would name process groups.
        std::pair<const char*, std::string>{"PidZero", "Ploven schedule lock\nhost=h\npid=0\n"},
        std::pair<const char*, std::string>{"PidNegative",
                                            "Ploven schedule lock\nhost=h\npid=-7\n"},
        std::pair<const char*, std::string>{"PidTooBig",
                                            "Ploven schedule lock\nhost=h\npid=99999999999\n"},
        std::pair<const char*, std::string>{
            "TooLong", "Ploven schedule lock\npid=5\n" + std::string(5000, 'x') + "\nhost=h\n"}),
    [](const auto& param) { return std::string(param.param.first); });

TEST_F(ScheduleLockTest, ReleaseLeavesALockThatIsNoLongerOurs) {
  auto lock = Make(self);
  ASSERT_EQ(lock->Acquire(), LockStatus::kAcquired);
  const auto theirs = EncodeLockFile({"Office-PC", 4321, "maria"}, "t");
  Put(LockFile(), theirs);  // taken over from the other machine
  EXPECT_FALSE(lock->StillHeld());
  lock->Release();
  EXPECT_EQ(Read(LockFile()), theirs);
}

// Any one file operation failing: told, and nothing is left that blocks the
// next try. A persistent failure may leave a torn file; the next program then
// takes it back (asking when it cannot read it).
TEST_F(ScheduleLockTest, FailingFileOperationLeavesNothingThatBlocks) {
  const LockOwner gone{self.host, DeadPid(), "gone"};
  for (bool stalePresent : {false, true}) {
    for (bool persistent : {false, true}) {
      for (int k = 1; k <= 12; ++k) {
        SCOPED_TRACE(testing::Message()
                     << "stale " << stalePresent << " persistent " << persistent << " k " << k);
        for (const auto& name : real.ListFiles(env.dir.path().string()))
          real.Remove((env.dir / name).string());
        if (stalePresent) Put(LockFile(), EncodeLockFile(gone, "stale"));
        env.ui.boxes.clear();
        env.ui.answers.clear();

        test::FaultyFileSystem faulty(real);
        faulty.FailAt(k, EIO, persistent);
        auto failing = Make(gone, &faulty);
        LockStatus status = failing->Acquire();
        if (!faulty.failed()) {
          EXPECT_EQ(status, LockStatus::kAcquired);
          continue;
        }
        // A lock file that is there but cannot be read counts as held.
        if (status == LockStatus::kHeldByOther) {
          EXPECT_TRUE(stalePresent);
        }
        if (status == LockStatus::kFailed) {
          EXPECT_FALSE(failing->held());
          EXPECT_TRUE(env.ui.Showed("could not create the file"));
          if (!persistent && !stalePresent) {
            EXPECT_FALSE(real.Exists(LockFile()));
          }
        }
        failing.reset();  // releases what it holds, through the failing files
        faulty.Heal();

        env.ui.Answer(kIdYes);  // only asked when a torn file is left
        auto next = Make(self);
        EXPECT_EQ(next->Acquire(), LockStatus::kAcquired) << testing::PrintToString(faulty.log());
        if (!persistent) {
          EXPECT_LE(env.ui.boxes.size(), 1u);
        }
        if (!persistent && status == LockStatus::kFailed) {
          EXPECT_FALSE(env.ui.Showed("cannot be read"));
        }
        EXPECT_TRUE(Litter().empty()) << testing::PrintToString(Litter());
      }
    }
  }
}

// Processes start Acquire at the same moment; each reports through a pipe
// whether it won (0), found the lock held (1) or failed (2), then stays alive
// until all have reported, so that a winner's lock is never an ended one.
class LockRaceTest : public ScheduleLockTest {
 protected:
  std::vector<pid_t> Race(int contenders) {
    int gate[2], results[2], quit[2];
    EXPECT_EQ(::pipe(gate), 0);
    EXPECT_EQ(::pipe(results), 0);
    EXPECT_EQ(::pipe(quit), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < contenders; ++i) {
      pid_t child = ::fork();
      if (child == 0) {
        ::close(gate[1]);
        ::close(results[0]);
        ::close(quit[1]);
        char c;
        while (::read(gate[0], &c, 1) < 0 && errno == EINTR) {
        }
        PosixFileSystem fs;
        LockOwner me{self.host, static_cast<int>(::getpid()), self.user};
        ScheduleLock lock(fs, env.msg, Path(), me, ScheduleLock::ProcessAlive);
        LockStatus s = lock.Acquire();
        int32_t report[2] = {static_cast<int32_t>(::getpid()), s == LockStatus::kAcquired      ? 0
                                                               : s == LockStatus::kHeldByOther ? 1
                                                                                               : 2};
        ssize_t written = ::write(results[1], report, sizeof report);
        while (::read(quit[0], &c, 1) < 0 && errno == EINTR) {
        }
        // Ends without destructors: the lock stays for the parent to inspect.
        ::_exit(written == sizeof report ? 0 : 3);
      }
      children.push_back(child);
    }
    ::close(gate[0]);
    ::close(results[1]);
    ::close(quit[0]);
    ::close(gate[1]);  // opens the gate for all at once
    std::vector<pid_t> winners;
    for (int i = 0; i < contenders; ++i) {
      int32_t report[2] = {0, 2};
      EXPECT_EQ(::read(results[0], report, sizeof report), static_cast<ssize_t>(sizeof report));
      EXPECT_NE(report[1], 2);
      if (report[1] == 0) winners.push_back(report[0]);
    }
    // Checked while every contender still runs.
    auto owner = LockOwnerOnDisk();
    EXPECT_TRUE(owner && winners.size() == 1 && owner->pid == winners[0]);
    ::close(quit[1]);
    ::close(results[0]);
    for (pid_t child : children) {
      int status = 0;
      ::waitpid(child, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    return winners;
  }
  void Clean() {
    for (const auto& name : real.ListFiles(env.dir.path().string()))
      real.Remove((env.dir / name).string());
  }
};

TEST_F(LockRaceTest, ExactlyOneOfTwoWinsAFreeSchedule) {
  for (int round = 0; round < 200; ++round) {
    auto winners = Race(2);
    ASSERT_EQ(winners.size(), 1u) << "round " << round;
    Clean();
  }
}

TEST_F(LockRaceTest, ExactlyOneWinsWhenReclaimingAnEndedProcessLock) {
  const int dead = DeadPid();
  for (int round = 0; round < 200; ++round) {
    Put(LockFile(), EncodeLockFile({self.host, dead, "old"}, "round" + std::to_string(round)));
    auto winners = Race(round % 2 == 0 ? 2 : 3);
    ASSERT_EQ(winners.size(), 1u) << "round " << round;
    ASSERT_TRUE(Litter().empty()) << "round " << round;
    Clean();
  }
}

}  // namespace
}  // namespace ploven
