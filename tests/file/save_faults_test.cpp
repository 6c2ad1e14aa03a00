// Saving under failing file operations: whatever fails, the schedule on the
// disk is the old one or the new one, never a torn one.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "file/schedule_files.h"
#include "file/schedule_files_messages.h"
#include "mock/faulty_file_system.h"
#include "mock/test_env.h"
#include "platform/settings.h"
#include "store/schedule.h"

namespace ploven::test {
namespace {

namespace fsys = std::filesystem;

// Real files; after every operation that changes them, the schedule as it is on the disk.
class WatchingFileSystem final : public FileSystem {
 public:
  WatchingFileSystem(FileSystem& real, std::string watched)
      : m_real(real), m_watched(std::move(watched)) {}

  std::vector<std::optional<std::vector<uint8_t>>> seen;

  FileResult<std::vector<uint8_t>> ReadFile(const std::string& p) override {
    return m_real.ReadFile(p);
  }
  FileResult<std::unique_ptr<WritableFile>> Create(const std::string& p, CreateMode mode) override {
    auto r = m_real.Create(p, mode);
    Look();
    return r;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Looked(m_real.Rename(from, to));
  }
  int Remove(const std::string& p) override { return Looked(m_real.Remove(p)); }
  int Link(const std::string& from, const std::string& to) override {
    return Looked(m_real.Link(from, to));
  }
  int SyncFolder(const std::string& f) override { return m_real.SyncFolder(f); }
  int MakeFolders(const std::string& p) override { return Looked(m_real.MakeFolders(p)); }
  bool Exists(const std::string& p) override { return m_real.Exists(p); }
  bool IsFolder(const std::string& p) override { return m_real.IsFolder(p); }
  std::optional<int64_t> FileSize(const std::string& p) override { return m_real.FileSize(p); }
  std::vector<std::string> ListFiles(const std::string& f) override { return m_real.ListFiles(f); }

 private:
  int Looked(int result) {
    Look();
    return result;
  }
  void Look() {
    auto r = m_real.ReadFile(m_watched);
    seen.push_back(r.ok() ? std::optional(*r.value) : std::nullopt);
  }
  FileSystem& m_real;
  std::string m_watched;
};

class SaveFaultsTest : public ::testing::Test {
 protected:
  static void AddItem(Schedule& s, const std::string& title) {
    Act a;
    a.flags = AF_FIXED;
    a.duration = 30;
    a.startTime = 9 * 60 + 1;
    s.NewItem(TestEnv::kToday, a, title);
    s.MarkChanged();
  }
  std::vector<uint8_t> ScheduleBytes(const std::string& title) {
    Schedule s(env.msg, env.clock);
    AddItem(s, title);
    return SaveSchedule(s).value();
  }
  void Put(const std::string& p, const std::vector<uint8_t>& bytes) {
    fsys::create_directories(fsys::path(p).parent_path());
    ASSERT_TRUE(WriteWholeFile(real, p, bytes).ok());
  }
  std::vector<uint8_t> Read(const std::string& p) {
    auto r = real.ReadFile(p);
    return r.ok() ? *r.value : std::vector<uint8_t>{};
  }
  bool Holds(const std::vector<uint8_t>& bytes, const std::string& title) {
    Schedule s(env.msg, env.clock);
    return LoadSchedule(s, bytes).ok && s.FindActByTitle(title) != kNoAct;
  }

  TestEnv env;
  PosixFileSystem real;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
};

TEST_F(SaveFaultsTest, ScheduleIsNeverMissingOrTornDuringASave) {
  const std::string path = (env.dir / "s" / "timedata.pak").string();
  const auto old = ScheduleBytes("Old");
  Put(path, old);
  WatchingFileSystem watching(real, path);
  ScheduleFiles files(watching, env.msg, env.clock, settings);
  OpenResult opened = files.OpenSchedule(path, false);
  ASSERT_TRUE(opened.schedule);
  AddItem(*opened.schedule, "New");
  watching.seen.clear();
  ASSERT_TRUE(files.SaveNow(*opened.schedule));
  const auto now = Read(path);
  ASSERT_NE(now, old);
  ASSERT_FALSE(watching.seen.empty());
  for (size_t i = 0; i < watching.seen.size(); ++i) {
    ASSERT_TRUE(watching.seen[i].has_value()) << "schedule missing after operation " << i;
    EXPECT_TRUE(*watching.seen[i] == old || *watching.seen[i] == now) << "torn at " << i;
  }
  EXPECT_EQ(Read(files.BackupPath()), old);
}

struct Fault {
  int error;
  bool persistent;
};

class SaveFaultSweep : public SaveFaultsTest, public ::testing::WithParamInterface<Fault> {};

// The step a message names for the operation the fault hit first.
std::string StepOf(const std::vector<std::string>& log) {
  for (const std::string& op : log) {
    if (op.find(" FAILED") == std::string::npos) continue;
    const std::string name = op.substr(0, op.find(' '));
    if (name == "read") return WriteStepName(WriteStep::kRead);
    if (name == "create") return WriteStepName(WriteStep::kCreate);
    if (name == "write") return WriteStepName(WriteStep::kWrite);
    if (name == "sync") return WriteStepName(WriteStep::kSync);
    if (name == "close") return WriteStepName(WriteStep::kClose);
    if (name == "rename") return WriteStepName(WriteStep::kRename);
    if (name == "remove") return WriteStepName(WriteStep::kRemove);
    if (name == "syncfolder") return WriteStepName(WriteStep::kSyncFolder);
    return name;
  }
  return {};
}

TEST_P(SaveFaultSweep, FailedSaveLeavesTheOldScheduleAndSaysWhere) {
  const Fault f = GetParam();
  // At 0:17 every save also writes the rotating copies: the most operations.
  env.clock.Set(TestEnv::kToday, 18);
  const auto old = ScheduleBytes("Old");
  const auto oldBackup = ScheduleBytes("Older");
  bool completed = false;
  for (int k = 1; k < 200 && !completed; ++k) {
    SCOPED_TRACE("operation " + std::to_string(k));
    const std::string folder = (env.dir / ("k" + std::to_string(k))).string();
    const std::string path = folder + "/timedata.pak";
    Put(path, old);
    Put(folder + "/timedata.bak", oldBackup);
    FaultyFileSystem faulty(real);
    ScheduleFiles files(faulty, env.msg, env.clock, settings);
    OpenResult opened = files.OpenSchedule(path, false);
    ASSERT_TRUE(opened.schedule);
    Schedule& s = *opened.schedule;
    AddItem(s, "New");
    const size_t boxes = env.ui.boxes.size();

    faulty.FailAt(k, f.error, f.persistent);
    const bool saved = files.SaveNow(s);
    if (!faulty.failed()) {
      EXPECT_TRUE(saved);
      completed = true;
    }
    const std::string step = StepOf(faulty.log());
    if (saved) {
      // Only an extra copy failed: the save itself is whole.
      EXPECT_TRUE(Holds(Read(path), "New"));
      EXPECT_EQ(Read(folder + "/timedata.bak"), old);
      EXPECT_FALSE(s.changed());
    } else {
      EXPECT_EQ(Read(path), old);
      EXPECT_TRUE(s.changed());
      ASSERT_GT(env.ui.boxes.size(), boxes) << "nobody was told";
      // The last message is why the save failed; an extra copy that failed
      // first has its own message before it.
      const std::string& told = env.ui.boxes.back().text;
      EXPECT_NE(told.find(folder), std::string::npos) << told;
      EXPECT_NE(told.find(ErrorText(f.error)), std::string::npos) << told;
      std::string all;
      for (size_t i = boxes; i < env.ui.boxes.size(); ++i) all += env.ui.boxes[i].text;
      EXPECT_NE(all.find(step + " step failed"), std::string::npos) << step << " / " << all;
    }
    if (f.persistent || !saved) {
      // Whatever was left behind does not stop the next save.
      faulty.Heal();
      ASSERT_TRUE(files.SaveNow(s));
      EXPECT_TRUE(Holds(Read(path), "New"));
      EXPECT_FALSE(real.Exists(files.TempPath()));
    }
    files.Close(&s);
  }
  EXPECT_TRUE(completed) << "the save never ran without a fault";
}

INSTANTIATE_TEST_SUITE_P(Errors, SaveFaultSweep,
                         ::testing::Values(Fault{EIO, false}, Fault{EIO, true},
                                           Fault{ENOSPC, false}, Fault{ENOSPC, true},
                                           Fault{EACCES, false}, Fault{EACCES, true}));

// A real full disk: a small memory file system of its own.
TEST_F(SaveFaultsTest, FullDiskKeepsTheOldSchedule) {
  const fsys::path mountPoint = env.dir / "small";
  fsys::create_directories(mountPoint);
  if (::geteuid() != 0 || ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  struct Unmount {
    std::string at;
    ~Unmount() { ::umount(at.c_str()); }
  } unmount{mountPoint.string()};

  const std::string path = (mountPoint / "timedata.pak").string();
  const auto old = ScheduleBytes("Old");
  Put(path, old);
  ScheduleFiles files(real, env.msg, env.clock, settings);
  OpenResult opened = files.OpenSchedule(path, false);
  ASSERT_TRUE(opened.schedule);
  for (int i = 0; i < 600; ++i) AddItem(*opened.schedule, "Item " + std::to_string(i) +
                                                              std::string(100, 'x'));
  EXPECT_FALSE(files.SaveNow(*opened.schedule));
  EXPECT_EQ(Read(path), old);
  EXPECT_TRUE(opened.schedule->changed());
  EXPECT_TRUE(env.ui.Showed(ErrorText(ENOSPC)));
  EXPECT_FALSE(real.Exists(files.TempPath()));
  files.Close(nullptr);
}

}  // namespace
}  // namespace ploven::test
