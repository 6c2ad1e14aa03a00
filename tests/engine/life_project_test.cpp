#include "engine/balance_all_days.h"
#include "engine/balance_fixture.h"
#include "engine/balance_messages.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

class LifeProjectTest : public BalanceTest {
 protected:
  void SetUp() override {
    BalanceTest::SetUp();
    engine.settings().lifeProjects = true;
  }
  uint32_t Project(const std::string& title) {
    const ActHandle p = NewProject(s, Act{}, title);
    return s.ReadAct(p).ID;
  }
  ActHandle FluidOf(uint32_t project, const std::string& title, char tier) {
    const ActHandle h = Fluid(title, 30, 0, 0, tier);
    s.LockAct(h).projectID = project;
    return h;
  }
  void DoneOf(uint32_t project, int day) {
    const ActHandle h = Fixed("done", Day(day), At(8), 30, AF_DONE);
    s.LockAct(h).projectID = project;
  }
  std::string Priority(ActHandle h) {
    return std::string(1, static_cast<char>(s.GetActTier(h))) + std::to_string(s.GetActRank(h));
  }
};

TEST_F(LifeProjectTest, ADoneItemWithinEightDaysKeepsTheProjectFine) {
  for (const int doneDay : {-8, -9}) {
    const uint32_t health = Project("!Health " + std::to_string(doneDay));
    FluidOf(0, "other", 'A');
    const ActHandle walk = FluidOf(health, "walk", 'B');
    DoneOf(health, doneDay);
    LifeProjectCheck(engine, false);
    EXPECT_EQ(Priority(walk), doneDay == -8 ? "B1" : "A1") << doneDay;
  }
}

TEST_F(LifeProjectTest, AlreadyHighItemIsLeftAndItemsNotYetDueAreNotPromoted) {
  const uint32_t a = Project("!Z");  // walked first
  const uint32_t b = Project("!B");
  FluidOf(0, "first", 'A');
  const ActHandle high = FluidOf(a, "high", 'A');  // A2, within the two Life Projects
  const ActHandle later = FluidOf(b, "later", 'C');
  s.LockAct(later).earliestDate = Day(1);
  const ActHandle due = FluidOf(b, "due", 'C');
  LifeProjectCheck(engine, false);
  EXPECT_EQ(Priority(high), "A3");  // not promoted, only moved down by the promoted item
  EXPECT_EQ(Priority(due), "A1");
  EXPECT_EQ(Priority(later), "C1");
}

TEST_F(LifeProjectTest, WarnsOnlyWhenAskedAndStopsAtTheFirstNeglectedProject) {
  const uint32_t first = Project("!Alpha");  // walked last
  Project("!Zeta");                          // walked first: nothing to promote
  const ActHandle h = FluidOf(first, "alpha item", 'B');
  LifeProjectCheck(engine, false);
  EXPECT_TRUE(env.ui.boxes.empty());
  LifeProjectCheck(engine, true);
  EXPECT_TRUE(
      env.ui.Showed("associated with life project \"!Zeta\". You should arrange to have "
                    "at least one undone item for project \"!Zeta\""));
  EXPECT_EQ(Priority(h), "B1");
}

TEST_F(LifeProjectTest, TipEveryFiveMinutesWithoutLifeProjectsAndNothingWhenOff) {
  Project("plain");
  env.clock.Set(kToday, At(9, 1));
  LifeProjectCheck(engine, false);
  EXPECT_TRUE(env.ui.boxes.empty());
  env.clock.Set(kToday, At(9, 5));
  LifeProjectCheck(engine, false);
  EXPECT_TRUE(env.ui.Showed("Tip: You don't have any Life Projects."));
  engine.settings().lifeProjects = false;
  env.ui.boxes.clear();
  LifeProjectCheck(engine, true);
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(LifeProjectTest, BalanceAllDaysPromotesBeforePlacing) {
  const uint32_t p = Project("!Family");
  const ActHandle other = Fluid("other", 240);
  const ActHandle call = FluidOf(p, "call", 'B');
  BalanceAllDays(engine, kBalanceAfterSplitChange);
  EXPECT_EQ(Where(call), (Lines{"+0 8:00 30"}));
  EXPECT_EQ(Where(other), (Lines{"+1 8:00 240"}));
}

}  // namespace
}  // namespace ploven::test
