#include "platform/paths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <vector>

#include "platform/clock.h"
#include "temp_folder.h"

namespace ploven {
namespace {

TEST(DataFolder, ChoosesInOrder) {
  test::TempFolder dir;
  const auto exe = dir / "bin";
  const auto home = dir / "home";
  std::filesystem::create_directories(exe);

  EXPECT_EQ(DataFolder("/srv/ploven", exe, home), "/srv/ploven");
  EXPECT_EQ(DataFolder(std::nullopt, exe, home), home / ".local" / "share" / "Ploven");
  EXPECT_EQ(DataFolder("", exe, home), home / ".local" / "share" / "Ploven");
  EXPECT_EQ(DataFolder(std::nullopt, exe, ""), exe);

  test::WriteAll(exe / "Ploven.ini", "[Ploven]\n");
  EXPECT_EQ(DataFolder(std::nullopt, exe, home), exe);
  EXPECT_EQ(DataFolder("/srv/ploven", exe, home), "/srv/ploven");

  EXPECT_EQ(ProfilePath(home), home / ".config" / "Ploven" / "profile.ini");
}

TEST(SiblingsOf, ReplaceTheExtension) {
  const ScheduleSiblings s = SiblingsOf("/data/my.dir/timedata.pak");
  EXPECT_EQ(s.tmp, "/data/my.dir/timedata.tmp");
  EXPECT_EQ(s.loc, "/data/my.dir/timedata.loc");
  EXPECT_EQ(s.wai, "/data/my.dir/timedata.wai");
  EXPECT_EQ(s.bak, "/data/my.dir/timedata.bak");
  EXPECT_EQ(SiblingsOf("/data/my.dir/noext").loc, "/data/my.dir/noext.loc");
}

TEST(ResourceFolders, BesideTheProgramFirstThenTheInstalledShareFolder) {
  test::TempFolder dir;
  const std::filesystem::path bin = dir.path() / "usr" / "bin";
  const std::filesystem::path share = dir.path() / "usr" / "share" / "ploven" / "help";
  EXPECT_EQ(ResourceFolders(bin, "help"), (std::vector<std::filesystem::path>{bin / "help", share}));
  EXPECT_EQ(FindResourceFolder(bin, "help"), std::nullopt);
  std::filesystem::create_directories(share);
  EXPECT_EQ(FindResourceFolder(bin, "help"), share);  // installed
  std::filesystem::create_directories(bin / "help");
  EXPECT_EQ(FindResourceFolder(bin, "help"), bin / "help");  // a build folder or portable copy
}

TEST(SystemClock, TodayCountsFromFirstJanuary1980) {
  const SystemClock clock;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  using namespace std::chrono;
  const year_month_day today{year{local.tm_year + 1900}, month{unsigned(local.tm_mon + 1)},
                             day{unsigned(local.tm_mday)}};
  const int expected = (sys_days{today} - sys_days{1980y / January / 1}).count() + 1;
  EXPECT_EQ(clock.Today(), expected);
  EXPECT_EQ(clock.Now(), local.tm_hour * 60 + local.tm_min + 1);
  EXPECT_NEAR(clock.EpochSeconds(), static_cast<double>(now), 5.0);
}

}  // namespace
}  // namespace ploven
