#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/program_settings.h"
#include "platform/settings_keys.h"
#include "temp_folder.h"

namespace ploven {
namespace {

using test::TempFolder;

// Every integer setting can be read and changed by its key, and the change is what the
// settings file then holds.
TEST(ProgramSettingsKeysTest, EveryIntegerKeyReadsAndWritesBack) {
  TempFolder dir;
  Settings settings(dir / "Ploven.ini", dir / "profile.ini");
  ASSERT_TRUE(settings.Load());
  ProgramSettings p;
  p.Load(settings, LocaleFacts{});
  const auto keys = ProgramSettings::IntKeys();
  EXPECT_EQ(std::set<std::string_view>(keys.begin(), keys.end()).size(), keys.size());
  int value = 100;
  for (std::string_view key : keys) {
    ASSERT_TRUE(p.IntValue(key).has_value()) << key;
    ASSERT_TRUE(p.SetIntValue(key, ++value)) << key;
    EXPECT_EQ(p.IntValue(key), value) << key;
    ASSERT_TRUE(p.WriteInt(settings, key)) << key;
  }
  ProgramSettings again;
  again.Load(settings, LocaleFacts{});
  value = 100;
  for (std::string_view key : keys) {
    // PlovenOutlook is kept as 0 or 1 whatever the file says.
    const int expected = key == key::kPlovenOutlook ? 1 : value + 1;
    ++value;
    EXPECT_EQ(again.IntValue(key), expected) << key;
  }
  for (std::string_view key : {key::kLifeProject, key::kAutoPilot, key::kWeekStartsMon})
    EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << key;
  EXPECT_FALSE(p.IntValue("Workday1").has_value());
  EXPECT_FALSE(p.SetIntValue("NoSuchKey", 1));
}

}  // namespace
}  // namespace ploven
