#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "notes/note_messages.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

namespace fsys = std::filesystem;

struct FreshCase {
  int64_t lockMinusProbe;
  bool fresh;
};

class LockFreshness : public ::testing::TestWithParam<FreshCase> {};

TEST_P(LockFreshness, FreshFromNinetySecondsBeforeToThreeMinutesAfterTheProbe) {
  const FreshCase c = GetParam();
  EXPECT_EQ(LockTimeIsFresh(1'000'000 + c.lockMinusProbe, 1'000'000), c.fresh);
}

INSTANTIATE_TEST_SUITE_P(Notes, LockFreshness,
                         ::testing::Values(FreshCase{0, true}, FreshCase{-90, true},
                                           FreshCase{-91, false}, FreshCase{180, true},
                                           FreshCase{181, false}, FreshCase{-3600, false}));

class NoteLockTest : public NotesTest {
 protected:
  void AgeLock(int32_t number, std::chrono::seconds age) {
    const fsys::path lock = files.LockPathOf(number);
    fsys::last_write_time(lock, fsys::file_time_type::clock::now() - age);
  }
};

TEST_F(NoteLockTest, TakenLockStandsBesideTheNoteUntilReleased) {
  ASSERT_EQ(locks.Take(3), NoteLockOutcome::kTaken);
  EXPECT_TRUE(fsys::exists(files.LockPathOf(3)));
  EXPECT_FALSE(fsys::exists(files.ProbePathOf(3)));
  EXPECT_TRUE(locks.IsFresh(3));
  EXPECT_FALSE(fsys::exists(files.ProbePathOf(3)));  // the probe is removed again
  EXPECT_TRUE(locks.Release(3));
  EXPECT_FALSE(fsys::exists(files.LockPathOf(3)));
  EXPECT_TRUE(locks.Release(3));  // already gone: nothing to tell
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(NoteLockTest, FreshLockOfAnotherProgramRefusesTheNote) {
  ASSERT_EQ(locks.Take(4), NoteLockOutcome::kTaken);
  AgeLock(4, std::chrono::seconds(60));
  EXPECT_EQ(locks.Take(4), NoteLockOutcome::kInUse);
  EXPECT_TRUE(env.ui.Showed("This note is currently in use"));
}

TEST_F(NoteLockTest, StaleLockIsTakenOver) {
  ASSERT_EQ(locks.Take(5), NoteLockOutcome::kTaken);
  AgeLock(5, std::chrono::seconds(120));
  EXPECT_FALSE(locks.IsFresh(5));
  EXPECT_EQ(locks.Take(5), NoteLockOutcome::kTaken);
  EXPECT_TRUE(locks.IsFresh(5));
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(NoteLockTest, RenewalKeepsALockFresh) {
  ASSERT_EQ(locks.Take(6), NoteLockOutcome::kTaken);
  AgeLock(6, std::chrono::seconds(120));
  ASSERT_TRUE(locks.Renew(6));
  EXPECT_TRUE(locks.IsFresh(6));
}

// Two programs: a child process takes the lock and holds it; this one is refused until the
// child lets go.
TEST_F(NoteLockTest, TwoProcessesCannotEditOneNoteAtOnce) {
  ASSERT_TRUE(files.PrepareFolder());
  int toChild[2], toParent[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(toParent), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TestEnv childEnv;
    Schedule childSchedule{childEnv.msg, childEnv.clock};
    for (size_t i = 0; i < kNotePrefixLength; ++i)
      childSchedule.header().Set<uint8_t>(kNotePrefixOffset + i, s.header().Get<uint8_t>(kNotePrefixOffset + i));
    PosixFileSystem childFs;
    NoteFiles childFiles{childSchedule, childFs, env.dir.path().string(), [](int) { return 0; }};
    NoteLocks childLocks{childFiles};
    char taken = childLocks.Take(7) == NoteLockOutcome::kTaken ? 'y' : 'n';
    (void)!write(toParent[1], &taken, 1);
    char go = 0;
    (void)!read(toChild[0], &go, 1);
    childLocks.Release(7);
    (void)!write(toParent[1], &taken, 1);
    _exit(0);
  }
  char taken = 0;
  ASSERT_EQ(read(toParent[0], &taken, 1), 1);
  EXPECT_EQ(taken, 'y');
  EXPECT_EQ(locks.Take(7), NoteLockOutcome::kInUse);
  char go = 'g';
  ASSERT_EQ(write(toChild[1], &go, 1), 1);
  ASSERT_EQ(read(toParent[0], &taken, 1), 1);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(locks.Take(7), NoteLockOutcome::kTaken);
}

// Both processes race for the same note many times: never do both hold it.
TEST_F(NoteLockTest, RacingProcessesNeverBothWin) {
  ASSERT_TRUE(files.PrepareFolder());
  constexpr int kRounds = 40;
  int results[2];
  ASSERT_EQ(pipe(results), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  const bool inChild = child == 0;
  TestEnv ownEnv;
  Schedule own{ownEnv.msg, ownEnv.clock};
  for (size_t i = 0; i < kNotePrefixLength; ++i)
    own.header().Set<uint8_t>(kNotePrefixOffset + i, s.header().Get<uint8_t>(kNotePrefixOffset + i));
  PosixFileSystem fs;
  NoteFiles ownFiles{own, fs, env.dir.path().string(), [](int) { return 0; }};
  NoteLocks ownLocks{ownFiles};
  std::vector<char> won(kRounds, 0);
  for (int round = 0; round < kRounds; ++round)
    won[static_cast<size_t>(round)] = ownLocks.Take(100 + round) == NoteLockOutcome::kTaken;
  if (inChild) {
    (void)!write(results[1], won.data(), won.size());
    _exit(0);
  }
  std::vector<char> theirs(kRounds, 0);
  ASSERT_EQ(read(results[0], theirs.data(), theirs.size()), kRounds);
  waitpid(child, nullptr, 0);
  for (int round = 0; round < kRounds; ++round) {
    const auto i = static_cast<size_t>(round);
    EXPECT_EQ(won[i] + theirs[i], 1) << "round " << round;
  }
}

}  // namespace
}  // namespace ploven::test
