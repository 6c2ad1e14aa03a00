#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace ploven {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

TEST(IniFile, DamagedLinesDoNotCostTheGoodOnes) {
  IniFile ini;
  ini.Parse(
      "junk before any section\n"
      "[Ploven]\n"
      "Good1=1\n"
      "this line has no equals sign\n"
      "=no key\n"
      "\x01\x02\xff binary\n"
      "Good2 = two \r\n"
      "[broken header\n"
      "Hidden=1\n"
      "[Ploven]\n"
      "Good3=3\n");
  EXPECT_EQ(ini.Get("Ploven", "Good1"), "1");
  EXPECT_EQ(ini.Get("Ploven", "Good2"), "two");
  EXPECT_EQ(ini.Get("Ploven", "Good3"), "3");
  // A key under a damaged header is not taken for the section before it.
  EXPECT_FALSE(ini.Get("Ploven", "Hidden"));
  EXPECT_EQ(ini.Keys("Ploven"), (std::vector<std::string>{"Good1", "Good2", "Good3"}));
}

TEST(IniFile, SectionsAndKeysIgnoreCaseAndFirstKeyWins) {
  IniFile ini;
  ini.Parse("[PLOVEN]\nShowMoons=1\nshowmoons=0\n");
  EXPECT_EQ(ini.Get("ploven", "SHOWMOONS"), "1");
  ASSERT_TRUE(ini.Set("Ploven", "SHOWMOONS", "5"));
  EXPECT_EQ(ini.Text(), "[PLOVEN]\nShowMoons=5\nshowmoons=0\n");
}

TEST(IniFile, ValuesAreTrimmedAndUnquotedAndRoundTrip) {
  IniFile ini;
  ini.Parse("[s]\na=\"  spaced  \"\nb='x'\nc=  plain  \n");
  EXPECT_EQ(ini.Get("s", "a"), "  spaced  ");
  EXPECT_EQ(ini.Get("s", "b"), "x");
  EXPECT_EQ(ini.Get("s", "c"), "plain");
  for (const std::string v : {" lead", "trail ", "\"quoted\"", "", "a=b;c"}) {
    ASSERT_TRUE(ini.Set("s", "v", v));
    IniFile again;
    again.Parse(ini.Text());
    EXPECT_EQ(again.Get("s", "v"), v) << v;
  }
}

TEST(IniFile, RefusesWhatCannotStandOnOneLine) {
  IniFile ini;
  ini.Parse("[s]\nk=old\n");
  EXPECT_FALSE(ini.Set("s", "k", "two\nlines"));
  EXPECT_FALSE(ini.Set("s", "k=x", "v"));
  EXPECT_FALSE(ini.Set("s", "", "v"));
  EXPECT_FALSE(ini.Set("s", "[k", "v"));
  EXPECT_FALSE(ini.Set("s]", "k", "v"));
  EXPECT_FALSE(ini.Set("s", " k", "v"));
  EXPECT_EQ(ini.Text(), "[s]\nk=old\n");
}

TEST(IniFile, NewKeysJoinTheirSectionAndNewSectionsGoLast) {
  IniFile ini;
  ini.Parse("; header comment\n[a]\nx=1\n\n[b]\ny=2\n");
  ASSERT_TRUE(ini.Set("A", "z", "3"));
  ASSERT_TRUE(ini.Set("c", "w", "4"));
  EXPECT_EQ(ini.Text(), "; header comment\n[a]\nx=1\nz=3\n\n[b]\ny=2\n[c]\nw=4\n");
  EXPECT_TRUE(ini.Remove("a", "X"));
  EXPECT_FALSE(ini.Get("a", "x"));
}

TEST(IniFile, GetIntReadsLikeTheProfileFunctions) {
  IniFile ini;
  ini.Parse("[s]\nn=42\nneg=-7\nlead=  12abc\nword=abc\nempty=\n");
  EXPECT_EQ(ini.GetInt("s", "n", 5), 42);
  EXPECT_EQ(ini.GetInt("s", "neg", 5), -7);
  EXPECT_EQ(ini.GetInt("s", "lead", 5), 12);
  EXPECT_EQ(ini.GetInt("s", "word", 5), 0);
  EXPECT_EQ(ini.GetInt("s", "empty", 5), 5);
  EXPECT_EQ(ini.GetInt("s", "missing", 5), 5);
  EXPECT_EQ(ParseProfileInt("99999999999", 0), 2147483647);
}

TEST(IniFile, SaveKeepsWhatItDoesNotUnderstandAndLeavesNoTemporary) {
  TempFolder dir;
  const auto path = dir / "sub" / "Ploven.ini";
  std::filesystem::create_directories(path.parent_path());
  const std::string original = "\xEF\xBB\xBF; comment\r\n[Ploven]\r\nodd line\r\nA=1\r\n";
  WriteAll(path, original);
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  ASSERT_TRUE(ini.Set("Ploven", "B", "2"));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(ReadAll(path), "\xEF\xBB\xBF; comment\n[Ploven]\nodd line\nA=1\nB=2\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "sub" / "Ploven.ini.tmp"));
}

TEST(IniFile, SaveCreatesTheFolderAndMissingFileLoadsEmpty) {
  TempFolder dir;
  IniFile ini(dir / "a" / "b" / "profile.ini");
  ASSERT_TRUE(ini.Load());
  EXPECT_FALSE(ini.HasSection("intl"));
  ASSERT_TRUE(ini.Set("intl", "sDate", "."));
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(ReadAll(dir / "a" / "b" / "profile.ini"), "[intl]\nsDate=.\n");
}

TEST(IniFile, RefreshSeesAnotherProgramsChange) {
  TempFolder dir;
  const auto path = dir / "Ploven.ini";
  WriteAll(path, "[Ploven]\nX=1\n");
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  WriteAll(path, "[Ploven]\nX=22\n");
  ASSERT_TRUE(ini.Refresh());
  EXPECT_EQ(ini.Get("Ploven", "X"), "22");
}

TEST(IniFile, EqualsNoCase) {
  EXPECT_TRUE(EqualsNoCase("YES", "yEs"));
  EXPECT_FALSE(EqualsNoCase("YES", "YE"));
  EXPECT_FALSE(EqualsNoCase("YES", "NO!"));
}

}  // namespace
}  // namespace ploven
