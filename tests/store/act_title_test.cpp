#include <gtest/gtest.h>

#include "store/act_title.h"

namespace ploven {
namespace {

struct TitleCase {
  const char* name;
  std::string full;
  bool privateHidden;
  std::string expected;
};

std::string Words(size_t length) {
  // "aaaa bbbb cccc ..." : a blank after every fourth letter.
  std::string s;
  for (size_t i = 0; s.size() < length; ++i) s += (i % 5 == 4) ? ' ' : static_cast<char>('a' + (i / 5) % 26);
  return s.substr(0, length);
}

class ShortTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ShortTitleTest, Shows) {
  const TitleCase& c = GetParam();
  EXPECT_EQ(ShortTitle(c.full, c.privateHidden), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ShortTitleTest,
    ::testing::Values(
        TitleCase{"Plain", "Call the bank", false, "Call the bank"},
        TitleCase{"ExactlyAHundredShowsWhole", std::string(100, 'x'), false, std::string(100, 'x')},
        // Index 96 of Words() is a letter, index 94 the last blank at or before the 97th character.
        TitleCase{"HundredAndOneCutsAtABlank", Words(101), false, Words(101).substr(0, 94) + "..."},
        TitleCase{"NoBlankCutsAtNinetySeven", std::string(120, 'y'), false,
                  std::string(97, 'y') + "..."},
        TitleCase{"OnlyTheFirstLine", "Line one\r\nLine two", false, "Line one..."},
        TitleCase{"PrivateHidden", "!Doctor", true, "!"},
        TitleCase{"PrivateShown", "!Doctor", false, "!Doctor"},
        TitleCase{"LongPrivateHidden", "!" + std::string(150, 'p'), true, "!"},
        TitleCase{"NeverOverAHundred", std::string(99, 'z') + "{Count Up" + std::string(20, 'q') + "}",
                  false, (std::string(99, 'z') + "{").substr(0, 100)}),
    [](const ::testing::TestParamInfo<TitleCase>& p) { return p.param.name; });

TEST(LifeProjectTitle, AddsAndDropsTheMark) {
  EXPECT_EQ(MakeLifeProjectTitle("Health"), "!Health");
  EXPECT_EQ(MakeLifeProjectTitle("!Health"), "!Health");
  EXPECT_EQ(MakeLifeProjectTitle(std::string(1000, 'h')).size(), 1000u);
  EXPECT_EQ(UnmakeLifeProjectTitle("!Health"), "Health");
  EXPECT_EQ(UnmakeLifeProjectTitle("Health"), "Health");
}

}  // namespace
}  // namespace ploven
