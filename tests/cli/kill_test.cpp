// A saving process killed at random moments must always leave a schedule that opens.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include "file/file_system.h"
#include "file/schedule_files.h"
#include "file/schedule_format.h"
#include "mock/test_env.h"
#include "platform/settings.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

// The child has no one to answer: defaults, and an internal error ends it.
class ChildUi : public Ui {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    BoxAnswer a;
    if (!box.buttons.empty()) a.code = box.buttons[static_cast<size_t>(box.defaultIndex)].code;
    return a;
  }
  void Beep() override {}
  bool OpenHelpTopic(const std::string&) override { return false; }
  [[noreturn]] void ShutDown(int) override { _exit(5); }
};

constexpr int kKeptItems = 60;

// Opens the schedule (reclaiming the lock of the killed saver) and saves one
// new item after another, reporting the ID counter after every completed save.
[[noreturn]] void SaveForever(const std::string& folder, int reportFd) {
  ChildUi ui;
  SettableClock clock(TestEnv::kToday, TestEnv::kNine);
  ErrorLog log(folder + "/errors.txt", clock);
  EventTrace trace(log);
  Messages msg(ui, clock, log, trace);
  Settings settings(folder + "/Ploven.ini", folder + "/profile.ini");
  settings.Load();
  PosixFileSystem fs;
  ScheduleFiles files(fs, msg, clock, settings, &log);
  const std::string path = folder + "/timedata.pak";
  std::unique_ptr<Schedule> s;
  if (fs.Exists(path)) {
    OpenResult r = files.OpenSchedule(path, false);
    if (r.status != OpenStatus::kOpened || r.readOnly) _exit(3);
    s = std::move(r.schedule);
  } else {
    s = files.NewEmptySchedule(path);
  }
  if (s == nullptr || files.lock() == nullptr || !files.lock()->held()) _exit(3);
  for (uint32_t n = 0;; ++n) {
    Act a;
    a.duration = 10;
    s->NewItem(static_cast<DayNumber>(TestEnv::kToday + n % 20), a,
               "Item " + std::to_string(s->header().nextActID() + 1));
    if (s->actChain().Count() > kKeptItems) s->DeleteItem(s->actChain().begin()->second.act);
    s->MarkChanged();
    if (!files.SaveNow(*s)) _exit(4);
    const uint32_t saved = s->header().nextActID();
    if (write(reportFd, &saved, sizeof saved) != sizeof saved) _exit(6);
  }
}

// The ID counter of a schedule file that loads, or none.
std::optional<uint32_t> LoadedCounter(TestEnv& env, const std::string& path) {
  PosixFileSystem fs;
  const auto bytes = fs.ReadFile(path);
  if (!bytes.ok()) return std::nullopt;
  Schedule s(env.msg, env.clock);
  if (!LoadSchedule(s, *bytes.value).ok) return std::nullopt;
  return s.header().nextActID();
}

TEST(KillTest, EveryKillLeavesAScheduleThatOpens) {
  const char* soak = std::getenv("PLOVEN_SOAK_KILLS");
  const int kills = soak != nullptr ? std::max(1, std::atoi(soak)) : 200;
  TestEnv env;
  const std::string folder = env.dir.path().string();
  const std::string path = folder + "/timedata.pak";
  std::mt19937 random(20261208);
  // Wide enough that saves complete between kills on a busy machine too.
  std::uniform_int_distribution<int> delay(0, 30000);  // microseconds

  int intact = 0, backupOnly = 0, midSave = 0, savesSeen = 0;
  uint32_t lastSaved = 0;
  for (int k = 0; k < kills; ++k) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      SaveForever(folder, fds[1]);
    }
    close(fds[1]);
    // The first saver is killed only after one save completed, so there is
    // always a schedule for the later rounds to protect.
    uint32_t first = 0;
    if (k == 0 && read(fds[0], &first, sizeof first) == sizeof first) {
      lastSaved = first;
      ++savesSeen;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself with " << WEXITSTATUS(status)
                                     << " after kill " << k;
    uint32_t saved = 0;
    while (read(fds[0], &saved, sizeof saved) == sizeof saved) {
      lastSaved = saved;
      ++savesSeen;
    }
    close(fds[0]);

    // The last completed save, or the one that was under way.
    if (const auto counter = LoadedCounter(env, path)) {
      ++intact;
      EXPECT_TRUE(*counter == lastSaved || *counter == lastSaved + 1)
          << "kill " << k << ": file holds " << *counter << ", last save " << lastSaved;
      if (*counter == lastSaved + 1) ++midSave;
      lastSaved = *counter;
    } else if (const auto backup = LoadedCounter(env, folder + "/timedata.bak")) {
      ++backupOnly;
      EXPECT_GE(*backup + 1, lastSaved) << "kill " << k;
    } else if (lastSaved != 0) {
      ADD_FAILURE() << "kill " << k << ": neither the schedule nor its backup opens";
    }
  }

  // The next opener takes the lock the last killed saver left.
  {
    Settings settings(folder + "/Ploven.ini", folder + "/profile.ini");
    PosixFileSystem fs;
    ScheduleFiles files(fs, env.msg, env.clock, settings, &env.log);
    OpenResult r = files.OpenSchedule(path, false);
    EXPECT_EQ(r.status, OpenStatus::kOpened);
    EXPECT_FALSE(r.readOnly);
    ASSERT_NE(files.lock(), nullptr);
    EXPECT_TRUE(files.lock()->held());
  }
  std::cout << "kills: " << kills << ", saves completed: " << savesSeen
            << ", schedule intact: " << intact << " (holding the save in progress: " << midSave
            << "), only the backup: " << backupOnly << '\n';
  EXPECT_GT(savesSeen, 0);
}

}  // namespace
}  // namespace ploven::test
