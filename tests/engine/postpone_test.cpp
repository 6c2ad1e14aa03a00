#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "engine/past_days.h"
#include "engine/past_days_messages.h"

namespace ploven::test {
namespace {

namespace t = past_days_text;

struct PostponeCase {
  TimeOfDay now;
  TimeOfDay earliest;
  TimeOfDay expected;
};

class PostponeArithmeticTest : public ::testing::TestWithParam<PostponeCase> {};

TimeOfDay Clock(int hour, int minute = 0) { return static_cast<TimeOfDay>(hour * 60 + minute + 1); }

TEST_P(PostponeArithmeticTest, EarliestTime) {
  const PostponeCase& c = GetParam();
  EXPECT_EQ(PostponedEarliestTime(c.earliest, c.now), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Hours, PostponeArithmeticTest,
    ::testing::Values(PostponeCase{Clock(10), kNoTime, Clock(11)},       // none: an hour from now
                      PostponeCase{Clock(10), Clock(11), Clock(12)},     // whole hours ahead
                      PostponeCase{Clock(10, 5), Clock(11), Clock(11, 5)},
                      PostponeCase{Clock(10), Clock(12, 30), Clock(12, 30)},  // 150: kept
                      PostponeCase{Clock(10, 1), Clock(12), Clock(13)}));     // 119: a minute on

class PostponeTest : public EngineTest {
 protected:
  ActHandle Fluid(Act a) {
    a.flags |= AF_FLEXIBLE;
    if (a.duration == 0) a.duration = 30;
    return s.NewItem(kToday, a, "fluid");
  }
};

TEST_F(PostponeTest, TwiceAtTenGivesElevenThenTwelve) {
  env.clock.Set(kToday, At(10));
  Act a;
  a.earliestDate = kToday - 2;
  a.earliestDateTime = At(9);
  const ActHandle h = Fluid(a);
  EXPECT_TRUE(PostponeOneHour(engine, s.ActTask(h)));
  EXPECT_EQ(s.ReadAct(h).earliestDate, kToday);
  EXPECT_EQ(s.ReadAct(h).earliestDateTime, At(11));
  EXPECT_TRUE(PostponeOneHour(engine, s.ActTask(h)));
  EXPECT_EQ(s.ReadAct(h).earliestDateTime, At(12));
  EXPECT_GE(s.ActTask(h)->StartTime(), At(12));
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(PostponeTest, AFutureEarliestDateIsLeftAlone) {
  env.clock.Set(kToday, At(10));
  Act a;
  a.earliestDate = kToday + 1;
  a.earliestDateTime = At(8);
  const ActHandle h = Fluid(a);
  EXPECT_TRUE(PostponeOneHour(engine, s.ActTask(h)));
  EXPECT_EQ(s.ReadAct(h).earliestDate, kToday + 1);
  EXPECT_EQ(s.ReadAct(h).earliestDateTime, At(8));
}

TEST_F(PostponeTest, LatestEndTimeIsExtendedOnlyWhenTheUserAgrees) {
  env.clock.Set(kToday, At(10));
  Act a;
  a.duration = 45;
  a.latestTime = At(10, 30);
  const ActHandle yes = Fluid(a);
  env.ui.Answer(kIdYes);
  EXPECT_TRUE(PostponeOneHour(engine, s.ActTask(yes)));
  EXPECT_TRUE(env.ui.Showed(t::kPostponeLatestQuestion));
  EXPECT_EQ(s.ReadAct(yes).latestTime, At(11) + 45);

  const ActHandle no = Fluid(a);
  env.ui.boxes.clear();
  env.ui.Answer(kIdNo);
  EXPECT_TRUE(PostponeOneHour(engine, s.ActTask(no)));
  EXPECT_TRUE(env.ui.Showed(t::kPostponeLatestLeft));
  EXPECT_EQ(s.ReadAct(no).latestTime, At(10, 30));
  EXPECT_EQ(s.ReadAct(no).earliestDateTime, At(11));
}

TEST_F(PostponeTest, SetStartStartedAndDoneItemsAreRefused) {
  const struct {
    uint32_t flags;
    const char* text;
  } cases[] = {{AF_FIXED, t::kPostponeFixed},
               {AF_STARTED, t::kPostponeStarted},
               {AF_DONE, t::kPostponeDone}};
  for (const auto& c : cases) {
    Act a;
    a.flags = c.flags;
    a.duration = 20;
    a.startTime = At(15);
    const ActHandle h = s.NewItem(kToday, a, "item");
    env.ui.boxes.clear();
    EXPECT_FALSE(PostponeOneHour(engine, s.ActTask(h)));
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, c.text);
    EXPECT_EQ(s.ReadAct(h).earliestDateTime, kNoTime);
  }
}

}  // namespace
}  // namespace ploven::test
