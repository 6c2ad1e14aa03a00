#include "file/schedule_transfer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "file/launch_redirect.h"
#include "mock/faulty_file_system.h"
#include "mock/test_env.h"

namespace ploven::test {
namespace {

namespace stdfs = std::filesystem;

std::string Read(const stdfs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const stdfs::path& p, const std::string& text) {
  stdfs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

// A schedule "work.pak" with two notes at home, and a stick to carry it on.
class ScheduleTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(home / "work.pak", "schedule v1");
    Write(home / "Notes" / "abc00001.txt", "note one");
    Write(home / "Notes" / "abc00002.txt", "note two");
    stdfs::create_directories(stick);
  }
  std::string Schedule() const { return (home / "work.pak").string(); }
  std::string Notes() const { return (home / "Notes").string(); }
  // The copy on the stick was worked on elsewhere, later than the schedule here.
  void WorkOnTheCopy() {
    Write(stick / "work.pak", "schedule v2");
    Write(stick / "Notes" / "abc00002.txt", "note two, edited");
    stdfs::last_write_time(stick / "work.pak",
                           stdfs::last_write_time(home / "work.pak") + std::chrono::hours(1));
  }

  TestEnv env;
  PosixFileSystem fs;
  stdfs::path home = env.dir / "home";
  stdfs::path stick = env.dir / "stick";
};

TEST_F(ScheduleTransferTest, CheckOutCopiesScheduleAndNotesThenMarksTheScheduleOut) {
  Write(home / "work.icsmap", "uid-1 7\n");
  EXPECT_FALSE(CheckedOutTo(fs, Schedule()));
  const TransferResult r = CheckOut(fs, Schedule(), Notes(), stick.string());
  ASSERT_EQ(r.status, TransferStatus::kDone) << TransferResultText(r, false);
  EXPECT_EQ(r.notesCopied, 2);
  EXPECT_EQ(Read(stick / "work.pak"), "schedule v1");
  EXPECT_EQ(Read(stick / "Notes" / "abc00001.txt"), "note one");
  EXPECT_EQ(Read(stick / "work.icsmap"), "uid-1 7\n") << "the calendar UIDs travel along";
  EXPECT_EQ(CheckedOutTo(fs, Schedule()), stick.string());
  EXPECT_EQ(Read(home / "work.pak"), "schedule v1");  // the schedule here is untouched
}

TEST_F(ScheduleTransferTest, CheckInKeepsABackupAndBringsTheNewerCopyBack) {
  ASSERT_EQ(CheckOut(fs, Schedule(), Notes(), stick.string()).status, TransferStatus::kDone);
  WorkOnTheCopy();
  Write(stick / "work.icsmap", "uid-1 7\nuid-2 8\n");  // imported on the other machine
  const TransferResult r = CheckIn(fs, Schedule(), Notes(), false);
  ASSERT_EQ(r.status, TransferStatus::kDone) << TransferResultText(r, true);
  EXPECT_EQ(Read(home / "work.pak"), "schedule v2");
  EXPECT_EQ(Read(home / "work.icsmap"), "uid-1 7\nuid-2 8\n");
  EXPECT_EQ(Read(home / "Notes" / "abc00002.txt"), "note two, edited");
  EXPECT_EQ(Read(home / "work before check in.pak"), "schedule v1");
  EXPECT_EQ(Read(home / "Notes before check in" / "abc00002.txt"), "note two");
  EXPECT_EQ(r.backupPath, (home / "work before check in.pak").string());
  EXPECT_FALSE(CheckedOutTo(fs, Schedule()));
  EXPECT_NE(TransferResultText(r, true).find("work before check in.pak"), std::string::npos);
}

TEST_F(ScheduleTransferTest, ACopyThatWasNotChangedIsBroughtBackOnlyWhenAsked) {
  ASSERT_EQ(CheckOut(fs, Schedule(), Notes(), stick.string()).status, TransferStatus::kDone);
  stdfs::last_write_time(stick / "work.pak", stdfs::last_write_time(home / "work.pak"));
  EXPECT_EQ(CheckIn(fs, Schedule(), Notes(), false).status, TransferStatus::kCopyNotNewer);
  EXPECT_TRUE(CheckedOutTo(fs, Schedule()));
  EXPECT_FALSE(stdfs::exists(home / "work before check in.pak"));
  EXPECT_EQ(CheckIn(fs, Schedule(), Notes(), true).status, TransferStatus::kDone);
}

struct Refusal {
  const char* name;
  bool checkIn;
  TransferStatus expected;
};

class TransferRefusalTest : public ScheduleTransferTest,
                            public ::testing::WithParamInterface<Refusal> {};

TEST_P(TransferRefusalTest, ChangesNothing) {
  const Refusal& c = GetParam();
  TransferResult r;
  if (!c.checkIn) {
    const std::string to = c.expected == TransferStatus::kSameFolder
                               ? (home / "." ).string()
                               : (env.dir / "missing").string();
    r = CheckOut(fs, Schedule(), Notes(), to);
  } else {
    if (c.expected == TransferStatus::kNoCopy)
      Write(home / "work.out", (env.dir / "unplugged").string() + "\n");
    r = CheckIn(fs, Schedule(), Notes(), true);
  }
  EXPECT_EQ(r.status, c.expected);
  EXPECT_FALSE(TransferResultText(r, c.checkIn).empty());
  EXPECT_EQ(Read(home / "work.pak"), "schedule v1");
  EXPECT_FALSE(stdfs::exists(home / "work before check in.pak"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransferRefusalTest,
    ::testing::Values(Refusal{"OutToItsOwnFolder", false, TransferStatus::kSameFolder},
                      Refusal{"OutToAMissingFolder", false, TransferStatus::kNotAFolder},
                      Refusal{"InWithoutOut", true, TransferStatus::kNotCheckedOut},
                      Refusal{"InFromAnUnpluggedDrive", true, TransferStatus::kNoCopy}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(ScheduleTransferTest, AFailedCopyLeavesTheScheduleNotMarkedOut) {
  for (int k = 1; k <= 40; ++k) {
    stdfs::remove_all(stick);
    stdfs::create_directories(stick);
    FaultyFileSystem faulty(fs);
    faulty.FailAt(k, ENOSPC, false);
    const TransferResult r = CheckOut(faulty, Schedule(), Notes(), stick.string());
    if (!faulty.failed()) break;
    if (r.status == TransferStatus::kDone) {
      // Only a failure the copy does not depend on (syncing a folder) may pass.
      EXPECT_EQ(Read(stick / "work.pak"), "schedule v1") << k;
    } else {
      EXPECT_FALSE(CheckedOutTo(fs, Schedule())) << "operation " << k;
    }
    stdfs::remove(home / "work.out");
  }
}

TEST_F(ScheduleTransferTest, TheRedirectNamesTheScheduleAStartWithoutArgumentOpens) {
  const std::string data = (env.dir / "data").string();
  stdfs::create_directories(data);
  EXPECT_FALSE(ReadLaunchRedirect(fs, data));
  ASSERT_TRUE(WriteLaunchRedirect(fs, data, Schedule()).ok());
  EXPECT_EQ(ReadLaunchRedirect(fs, data), Schedule());
  Write(stdfs::path(data) / kRedirectFileName, "  " + home.string() + "  \r\n");
  EXPECT_EQ(ReadLaunchRedirect(fs, data), home.string());
  Write(stdfs::path(data) / kRedirectFileName, "   \n");
  EXPECT_FALSE(ReadLaunchRedirect(fs, data));
  // A schedule on a drive that is not connected: the default schedule opens instead.
  Write(stdfs::path(data) / kRedirectFileName, (env.dir / "gone" / "x.pak").string());
  EXPECT_FALSE(ReadLaunchRedirect(fs, data));
}

}  // namespace
}  // namespace ploven::test
