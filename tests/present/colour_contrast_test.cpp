#include "present/colour_contrast.h"

#include <gtest/gtest.h>

namespace ploven {
namespace {

struct ContrastCase {
  const char* name;
  uint32_t a;
  uint32_t b;
  double ratio;  // worked out from the luminance formula by hand
};

class ContrastRatioTest : public ::testing::TestWithParam<ContrastCase> {};

TEST_P(ContrastRatioTest, MatchesTheHandWorkedRatioEitherWayRound) {
  const ContrastCase& c = GetParam();
  EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01);
  EXPECT_NEAR(ContrastRatio(c.b, c.a), c.ratio, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, ContrastRatioTest,
    ::testing::Values(ContrastCase{"BlackOnWhite", ColourRef(0, 0, 0), ColourRef(255, 255, 255), 21.0},
                      ContrastCase{"Same", ColourRef(90, 20, 200), ColourRef(90, 20, 200), 1.0},
                      // Grey 119 has luminance 0.1845: (1.05) / (0.2345) = 4.48.
                      ContrastCase{"Grey119OnWhite", ColourRef(119, 119, 119),
                                   ColourRef(255, 255, 255), 4.48},
                      // Pure red 0.2126, pure green 0.7152: 0.7652 / 0.2626.
                      ContrastCase{"RedOnGreen", ColourRef(255, 0, 0), ColourRef(0, 255, 0), 2.91}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(BlendOver, MixesEachChannelByTheOpacity) {
  EXPECT_EQ(BlendOver(ColourRef(0, 0, 0), 255, ColourRef(255, 255, 255)), ColourRef(0, 0, 0));
  EXPECT_EQ(BlendOver(ColourRef(0, 0, 0), 0, ColourRef(10, 20, 30)), ColourRef(10, 20, 30));
  // (0 × 150 + 255 × 105 + 127) / 255 = 105; (200 × 150 + 100 × 105 + 127) / 255 = 159.
  EXPECT_EQ(BlendOver(ColourRef(0, 200, 0), 150, ColourRef(255, 100, 255)),
            ColourRef(105, 159, 105));
  EXPECT_EQ(BlendOver(ColourRef(0, 0, 0), 999, ColourRef(255, 255, 255)), ColourRef(0, 0, 0));
}

TEST(ReadableOn, DeepensOnlyTheColoursThatDoNotRead) {
  const uint32_t pale = ColourRef(255, 255, 199);
  const uint32_t orange = ColourRef(255, 163, 70);  // about 1.9:1 on the pale yellow
  const uint32_t readable = ReadableOn(orange, {pale});
  EXPECT_GE(ContrastRatio(readable, pale), kReadableContrast);
  EXPECT_LT(ContrastRatio(readable, pale), kReadableContrast + 1.0);  // just enough
  // Still an orange: red above green above blue.
  EXPECT_GT(readable & 0xff, (readable >> 8) & 0xff);
  EXPECT_GT((readable >> 8) & 0xff, (readable >> 16) & 0xff);

  const uint32_t navy = ColourRef(0, 0, 217);
  EXPECT_EQ(ReadableOn(navy, {pale}), navy);
  // On a dark background a dark ink is lightened.
  const uint32_t dark = ColourRef(20, 20, 40);
  EXPECT_GE(ContrastRatio(ReadableOn(ColourRef(60, 60, 90), {dark}), dark), kReadableContrast);
  // Every background counts.
  const uint32_t blue = ColourRef(190, 214, 255);
  const uint32_t both = ReadableOn(ColourRef(205, 30, 30), {pale, blue});
  EXPECT_GE(ContrastRatio(both, blue), kReadableContrast);
  EXPECT_GE(ContrastRatio(both, pale), kReadableContrast);
}

}  // namespace
}  // namespace ploven
