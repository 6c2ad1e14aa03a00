#include <gtest/gtest.h>

#include "mock/test_env.h"
#include "platform/settings.h"
#include "recur/planning_session.h"
#include "store/schedule.h"
#include "store/schedule_header.h"

namespace ploven::test {
namespace {

class PlanningSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(settings.Load()); }

  TestEnv env;
  Settings settings{env.dir / "Ploven.ini", env.dir / "profile.ini"};
  Schedule s{env.msg, env.clock};
};

TEST_F(PlanningSessionTest, PlansWithTheSchedulesAndTheProgramsSettings) {
  for (const char* key : {"LifeProject", "AutoPilot", "MoonAM", "ExpectedReturnsActive"})
    ASSERT_TRUE(settings.WriteInt(key, 1));
  ASSERT_TRUE(settings.WriteInt("AutoPilotTimerVar", 30));
  s.header().Set<int16_t>(ScheduleHeader::kReserveToday, 45);
  DateText text;
  text.regional.iCountry = 20;  // the weekend is Thursday and Friday

  PlanningSession planning(s, settings, text);
  const EngineSettings& e = planning.engine().settings();
  EXPECT_TRUE(e.lifeProjects);
  EXPECT_TRUE(e.autoPilot);
  EXPECT_EQ(e.autoPilotInterval, 30);
  EXPECT_EQ(e.reserveToday, 45);
  EXPECT_TRUE(e.workWeek.workdays[0]);
  EXPECT_FALSE(e.workWeek.workdays[4]);
  EXPECT_FALSE(e.workWeek.workdays[5]);
  EXPECT_EQ(planning.engine().dateText().regional.iCountry, 20);
  EXPECT_TRUE(planning.recurrences().settings().moonMorning);
  EXPECT_TRUE(s.priorityIndex().expectedReturnsActive());
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(PlanningSessionTest, EveryDayItMakesGetsItsOccurrences) {
  PlanningSession planning(s, settings, DateText{});
  Beta daily;
  daily.freq = kFreqDaily;
  daily.interval = 1;
  daily.startDate = TestEnv::kToday;
  Act a;
  a.flags = AF_FIXED;
  a.startTime = 8 * 60 + 1;
  a.duration = 15;
  const ActHandle standup = s.NewItem(kNoDate, a, "Standup", &daily);
  ASSERT_NE(standup, kNoAct);
  ASSERT_NE(s.GetTerminal(TestEnv::kToday + 3), nullptr);
  EXPECT_NE(FindClone(s, standup, TestEnv::kToday + 3), nullptr);
}

}  // namespace
}  // namespace ploven::test
