#include "platform/label_table.h"

#include <gtest/gtest.h>

#include "platform/settings.h"
#include "temp_folder.h"

namespace ploven {
namespace {

using test::TempFolder;
using test::WriteAll;

class LabelTableTest : public ::testing::Test {
 protected:
  Settings Open() {
    Settings s(m_dir / "Ploven.ini", m_dir / "profile.ini");
    EXPECT_TRUE(s.Load());
    return s;
  }
  TempFolder m_dir;
};

TEST_F(LabelTableTest, AFreshFileReadsTheDefaults) {
  Settings s = Open();
  const LabelTable t = ReadLabelTable(s);
  EXPECT_EQ(t, LabelTable::Defaults());
  EXPECT_EQ(t.entries[0].name, "(no label)");
  EXPECT_EQ(t.entries[3].name, "Label 3");
  EXPECT_EQ(t.Names().size(), static_cast<size_t>(kLabelCount));
}

TEST_F(LabelTableTest, NamesAndColoursSurviveAWriteAndAReload) {
  LabelTable t = LabelTable::Defaults();
  t.entries[1] = {"  Calls  ", 0x0000FF};
  t.entries[9] = {"Errands", 0x123456};
  t.entries[0].name = "Renamed";  // label 0 is not the user's to rename
  {
    Settings s = Open();
    ASSERT_TRUE(WriteLabelTable(s, t));
  }
  Settings again = Open();
  const LabelTable read = ReadLabelTable(again);
  EXPECT_EQ(read.entries[1], (LabelEntry{"Calls", 0x0000FF}));
  EXPECT_EQ(read.entries[9], (LabelEntry{"Errands", 0x123456}));
  EXPECT_EQ(read.entries[0].name, "(no label)");
  EXPECT_EQ(read.entries[5], LabelTable::Defaults().entries[5]);
}

TEST_F(LabelTableTest, BlankNamesAndStrayColourBitsFallBack) {
  WriteAll(m_dir / "Ploven.ini", "[Ploven]\nLabel2Name=   \nLabel2Color=4278190335\n");
  Settings s = Open();
  const LabelTable t = ReadLabelTable(s);
  EXPECT_EQ(t.entries[2].name, "Label 2");
  EXPECT_EQ(t.entries[2].colour, 0x0000FFu);  // only red, green and blue are kept
}

}  // namespace
}  // namespace ploven
