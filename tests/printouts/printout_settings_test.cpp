#include "printouts/printout_settings.h"

#include <gtest/gtest.h>

#include "mock/test_env.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven::test {
namespace {

class PrintoutSettingsTest : public ::testing::Test {
 protected:
  PrintoutSettings Reload() {
    Settings s(dir / "Ploven.ini", dir / "profile.ini");
    s.Load();
    return PrintoutSettings::Load(s);
  }
  template <typename F>
  void Write(F write) {
    Settings s(dir / "Ploven.ini", dir / "profile.ini");
    s.Load();
    write(s);
  }
  TempDir dir;
};

TEST_F(PrintoutSettingsTest, DefaultsWithoutSettings) {
  const PrintoutSettings p = Reload();
  EXPECT_EQ(p, PrintoutSettings{});
  EXPECT_TRUE(p.mine.dayToday);
  EXPECT_FALSE(p.includePrivateItems);
  EXPECT_EQ(p.daysPerPage, 1);
}

TEST_F(PrintoutSettingsTest, SavedSettingsComeBack) {
  PrintoutSettings p;
  p.mine = MyPrintouts{false, true, false, true, true};
  p.includePrivateItems = true;
  p.daysPerPage = 3;
  p.paper = PaperSettings{"Letter", true, 10, 12, 14, 16, "Office"};
  p.headingsFont = "DejaVu Serif,14,-1,5,700,0,0,0,0,0";
  p.textFont = "DejaVu Sans,9,-1,5,400,0,0,0,0,0";
  Write([&](Settings& s) { EXPECT_TRUE(p.Save(s)); });
  EXPECT_EQ(Reload(), p);
}

TEST_F(PrintoutSettingsTest, UnusableValuesGiveTheDefaults) {
  Write([](Settings& s) {
    s.WriteInt(key::kPrintDaysPerPage, 0);
    s.WriteString(key::kPrintPaper, "Napkin");
    s.WriteString(key::kPrintMargins, "10 10 -5 10");
  });
  const PrintoutSettings p = Reload();
  EXPECT_EQ(p.daysPerPage, 1);
  EXPECT_EQ(p.paper, PaperSettings{});
  Write([](Settings& s) {
    s.WriteInt(key::kPrintDaysPerPage, PrintoutSettings::kMaxDaysPerPage + 1);
    s.WriteString(key::kPrintMargins, "10 10 500 10");
  });
  EXPECT_EQ(Reload(), PrintoutSettings{});
}

}  // namespace
}  // namespace ploven::test
