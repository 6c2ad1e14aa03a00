#include "engine/priorities.h"

#include <cmath>

#include "store/priority_fixture.h"

namespace ploven::test {
namespace {

namespace p = priority_text;

class ExpectedReturnsTest : public PriorityTest {
 protected:
  void SetUp() override { s.priorityIndex().SetExpectedReturnsActive(true); }
};

TEST_F(ExpectedReturnsTest, TierAEndsInDescendingReturnPerHourOthersKeepTheirOrder) {
  Fluid("none", 0, 1000);
  Fluid("a 60/h", 'A', 60, 60);
  Fluid("b1 high", 'B', 500, 10);
  Fluid("a 120/h", 'A', 60, 30);
  Fluid("a 60/h second", 'A', 30, 30);
  Fluid("b2 low", 'B', 1, 60);
  Fluid("a 3600/h", 'A', 60, 0);  // no duration counts as one minute
  s.ClearChanged();
  EXPECT_TRUE(OrderByExpectedReturns(s));
  EXPECT_TRUE(s.changed());
  EXPECT_EQ(Order(), (Lines{std::string("\0", 1) + "1 none", "A1 a 3600/h", "A2 a 120/h",
                            "A3 a 60/h", "A4 a 60/h second", "B1 b1 high", "B2 b2 low"}));
  EXPECT_FALSE(OrderByExpectedReturns(s));
}

TEST_F(ExpectedReturnsTest, OrderingReadsReturnsChangedSinceTheEntryWasMade) {
  const ActHandle low = Fluid("low", 'A', 10);
  Fluid("mid", 'A', 20);
  s.LockAct(low).expectedReturn = 30;
  OrderByExpectedReturns(s);
  EXPECT_EQ(Order(), (Lines{"A1 low", "A2 mid"}));
}

TEST_F(PriorityTest, OrderingWaitsForExpectedReturnsActive) {
  Fluid("small", 'A', 1);
  Fluid("large", 'A', 100);
  EXPECT_FALSE(OrderByExpectedReturns(s));
  EXPECT_EQ(Order(), (Lines{"A1 small", "A2 large"}));
}

TEST_F(ExpectedReturnsTest, AnEditedItemGoesAfterTheItemsReturningAtLeastAsMuch) {
  Fluid("100", 'A', 100);
  Fluid("50 first", 'A', 50);
  const ActHandle edited = Fluid("edited", 'A', 5);
  Fluid("50 second", 'A', 50);
  Fluid("10", 'A', 10);
  Fluid("b", 'B', 1000);
  s.LockAct(edited).expectedReturn = 50;
  s.SetTierAndRank(edited, 1);
  PlaceEditedTierAItem(s, edited);
  EXPECT_EQ(Order(),
            (Lines{"A1 100", "A2 50 first", "A3 50 second", "A4 edited", "A5 10", "B1 b"}));

  s.LockAct(edited).expectedReturn = 1000;
  ConfirmItemPriority(s, edited, 4);
  EXPECT_EQ(Order(),
            (Lines{"A1 edited", "A2 100", "A3 50 first", "A4 50 second", "A5 10", "B1 b"}));
}

TEST_F(PriorityTest, ConfirmedPropertiesEnterMoveOrRemoveTheItem) {
  Fluid("one");
  Fluid("two");
  Act a;
  a.tier = 'A';
  const ActHandle h = s.NewItem(kToday, a, "made fluid");
  s.LockAct(h).flags |= AF_FLEXIBLE;
  ConfirmItemPriority(s, h, 1);
  EXPECT_EQ(Order(), (Lines{"A1 made fluid", "A2 one", "A3 two"}));
  s.SetActTier(h, 'B');
  ConfirmItemPriority(s, h, 1);
  EXPECT_EQ(Order(), (Lines{"A1 one", "A2 two", "B1 made fluid"}));
  s.LockAct(h).flags &= ~static_cast<uint32_t>(AF_FLEXIBLE);
  ConfirmItemPriority(s, h, 1);
  EXPECT_EQ(Order(), (Lines{"A1 one", "A2 two"}));
}

struct OldScheduleCase {
  int fluid;
  Lines expected;
};

class OldScheduleTest : public PriorityTest,
                        public ::testing::WithParamInterface<OldScheduleCase> {};

TEST_P(OldScheduleTest, FluidItemsGetTiersByThirdsAndTheRestA) {
  for (int i = 1; i <= GetParam().fluid; ++i) Fluid(std::to_string(i), 0);
  const ActHandle set = Item("set date");
  s.SetActTier(set, 0);
  EXPECT_TRUE(GiveTiersToOldSchedule(s, 4.0f));
  EXPECT_EQ(Order(), GetParam().expected);
  EXPECT_EQ(s.GetActTier(set), 'A');
  for (const auto& [e, entry] : s.priorityIndex()) EXPECT_EQ(s.GetActTier(entry.item), entry.tier);
}

INSTANTIATE_TEST_SUITE_P(Counts, OldScheduleTest,
                         ::testing::Values(OldScheduleCase{9,
                                                           {"A1 1", "A2 2", "B1 3", "B2 4", "B3 5",
                                                            "C1 6", "C2 7", "C3 8", "C4 9"}},
                                           OldScheduleCase{4, {"B1 1", "C1 2", "C2 3", "C3 4"}},
                                           OldScheduleCase{
                                               6, {"A1 1", "B1 2", "B2 3", "C1 4", "C2 5", "C3 6"}},
                                           OldScheduleCase{0, {}}));

TEST_F(PriorityTest, SchedulesFromVersionFourPointOneOnKeepTheirTiers) {
  Fluid("x", 0);
  EXPECT_FALSE(GiveTiersToOldSchedule(s, 4.1f));
  EXPECT_FALSE(GiveTiersToOldSchedule(s, std::nanf("")));
  EXPECT_EQ(Order(), (Lines{std::string("\0", 1) + "1 x"}));
}

TEST_F(PriorityTest, ALifeProjectItemBecomesAOne) {
  Fluid("a1", 'A', 500);
  const ActHandle h = Fluid("neglected", 'C', 7);
  EXPECT_TRUE(PromoteLifeProjectItem(s, h));
  EXPECT_EQ(Order(), (Lines{"A1 neglected", "A2 a1"}));
  EXPECT_FLOAT_EQ(s.GetActExpectedReturn(h), 7);

  const ActHandle set = Item("set date");
  EXPECT_FALSE(PromoteLifeProjectItem(s, set));
  EXPECT_EQ(s.GetActTier(set), 'A');
}

TEST_F(ExpectedReturnsTest, ALifeProjectItemBecomesPricelessAndStaysFirst) {
  Fluid("a1", 'A', 500, 1);
  Fluid("a2", 'A', 100);
  const ActHandle h = Fluid("neglected", 'B', 0);
  EXPECT_TRUE(PromoteLifeProjectItem(s, h));
  EXPECT_FLOAT_EQ(s.GetActExpectedReturn(h), kPricelessReturn);
  EXPECT_EQ(Order(), (Lines{"A1 neglected", "A2 a1", "A3 a2"}));
  EXPECT_EQ(FormatExpectedReturn(s.GetActExpectedReturn(h)), p::kPriceless);
}

TEST_F(PriorityTest, SwitchingExpectedReturnsOnWarnsOnce) {
  SetExpectedReturnsActive(s, true);
  SetExpectedReturnsActive(s, true);
  SetExpectedReturnsActive(s, false);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text, p::kExpectedReturnsWarning);
  EXPECT_EQ(env.ui.boxes[0].caption, p::kExpectedReturnsCaption);
  EXPECT_FALSE(s.priorityIndex().expectedReturnsActive());
}

TEST_F(PriorityTest, ReturnsPerHourAreFilledFromTheItems) {
  const ActHandle h = Fluid("x", 'A', 10, 0);
  const ActHandle k = Fluid("y", 'A', 10, 30);
  s.LockAct(k).duration = 15;
  FillReturnsPerHour(s);
  const PriorityIndex& index = s.priorityIndex();
  EXPECT_FLOAT_EQ(index.Find(index.EntryOf(h))->returnPerHour, 600);
  EXPECT_FLOAT_EQ(index.Find(index.EntryOf(k))->returnPerHour, 40);
}

struct FormatCase {
  float value;
  std::string shown;
};

class FormatExpectedReturnTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatExpectedReturnTest, ShowsAWholeNumberAndABlank) {
  EXPECT_EQ(FormatExpectedReturn(GetParam().value), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatExpectedReturnTest,
    ::testing::Values(FormatCase{9999999.0f, "priceless"}, FormatCase{1e12f, "priceless"},
                      FormatCase{INFINITY, "priceless"}, FormatCase{9999998.0f, "9999998 "},
                      FormatCase{0, ""}, FormatCase{std::nanf(""), ""}, FormatCase{12.4f, "12 "},
                      FormatCase{12.6f, "13 "}, FormatCase{-0.3f, "0 "}, FormatCase{-5, "-5 "}));

struct BarCase {
  float returnPerHour;
  int32_t hourlyRate;
  Rgb color;
};

class ValueBarColorTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(ValueBarColorTest, DeeperGreenForMoreReturnAgainstTheRate) {
  EXPECT_EQ(ValueBarColor(GetParam().returnPerHour, GetParam().hourlyRate), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, ValueBarColorTest,
    ::testing::Values(BarCase{0, 100, {255, 255, 255}}, BarCase{-50, 100, {255, 255, 255}},
                      BarCase{1, 100, {240, 255, 240}},    // a little is still visible
                      BarCase{500, 100, {127, 255, 127}},  // 500 × 25.6 ÷ 100 = 128
                      BarCase{500, 0, {127, 255, 127}},    // rate 0 reads as 100
                      BarCase{250, 50, {127, 255, 127}},
                      BarCase{100, 100, {230, 255, 230}},  // 25.6 cut to 25
                      BarCase{2000, 100, {0, 255, 0}},
                      BarCase{std::nanf(""), 100, {255, 255, 255}}));

TEST(ValueBarColor, ColorRefHoldsRedInTheLowByte) {
  EXPECT_EQ((Rgb{0x12, 0x34, 0x56}.ColorRef()), 0x563412u);
}

}  // namespace
}  // namespace ploven::test
