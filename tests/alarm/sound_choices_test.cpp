#include "alarm/sound_choices.h"

#include <gtest/gtest.h>

#include <fstream>

#include "mock/test_env.h"

namespace ploven::test {
namespace {

TEST(SoundChoicesTest, TheThemeFoldersFollowTheDataFolders) {
  const auto folders = SoundThemeFolders("/a:/b/", "/home/pat/.local/share");
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[0], "/home/pat/.local/share/sounds/freedesktop/stereo");
  EXPECT_EQ(folders[1], "/a/sounds/freedesktop/stereo");
  EXPECT_EQ(SoundThemeFolders("", "").back(), "/usr/share/sounds/freedesktop/stereo");
}

TEST(SoundChoicesTest, TheAlarmSoundAndTheSoundFilesAreFoundInTheirFolders) {
  TempDir dir;
  const auto theme = dir.path() / "sounds/freedesktop/stereo";
  std::filesystem::create_directories(theme);
  EXPECT_EQ(ThemeAlarmSound({theme}), "");  // no theme: a beep
  for (const char* name : {"bell.oga", "alarm-clock-elapsed.oga", "notes.txt", "Z.WAV", "b.ogg"})
    std::ofstream(theme / name) << "x";
  EXPECT_EQ(ThemeAlarmSound({dir.path() / "missing", theme}),
            (theme / "alarm-clock-elapsed.oga").string());
  const auto files = SoundFilesIn({theme, dir.path() / "missing"});
  EXPECT_EQ(files, (std::vector<std::string>{
                       (theme / "Z.WAV").string(), (theme / "alarm-clock-elapsed.oga").string(),
                       (theme / "b.ogg").string(), (theme / "bell.oga").string()}));
}

}  // namespace
}  // namespace ploven::test
