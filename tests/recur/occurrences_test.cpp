#include "engine/past_days.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

constexpr DayNumber kToday = TestEnv::kToday;
constexpr DayNumber kStart = kToday - 10;  // every third day from here

struct Query {
  DayNumber date;
  int instance;         // dates from the Start Date through `date`
  DayNumber next;       // exceptions counted
  DayNumber nextFree;   // exceptions passed over
  DayNumber previous;
};

class OccurrencesTest : public RecurTest, public ::testing::WithParamInterface<Query> {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    s.header().setLastArchivedDate(kToday - 3);  // the first open date is kToday - 2
    h = Recurring("Water plants", Daily(kStart, 3, kStart + 30));
    s.AddXlistEntry(h, kStart + 15, kNoAct);
    s.AddXlistEntry(h, kStart + 18, kNoAct);
  }
  ActHandle h = kNoAct;
};

TEST_P(OccurrencesTest, CountsAndNeighbours) {
  const Query q = GetParam();
  EXPECT_EQ(InstanceNumber(r, h, q.date), q.instance);
  EXPECT_EQ(NextOccurrence(r, h, q.date, false), q.next);
  EXPECT_EQ(NextOccurrence(r, h, q.date, true), q.nextFree);
  EXPECT_EQ(PreviousOccurrence(r, h, q.date), q.previous);
}

INSTANTIATE_TEST_SUITE_P(
    EveryThirdDay, OccurrencesTest,
    ::testing::Values(
        // Before the series: nothing counted, nothing before.
        Query{kStart - 4, 0, kStart + 9, kStart + 9, 0},
        Query{kStart, 1, kStart + 9, kStart + 9, 0},
        Query{kStart + 1, 1, kStart + 9, kStart + 9, kStart},
        // Nothing is looked for before the first open date (kStart + 8).
        Query{kStart + 6, 3, kStart + 9, kStart + 9, kStart + 3},
        Query{kStart + 9, 4, kStart + 12, kStart + 12, kStart + 6},
        // The cancellations on +15 and +18 are dates of the series all the same.
        Query{kStart + 12, 5, kStart + 15, kStart + 21, kStart + 9},
        Query{kStart + 16, 6, kStart + 18, kStart + 21, kStart + 15},
        // The End Date closes the series.
        Query{kStart + 30, 11, 0, 0, kStart + 27},
        Query{kStart + 40, 11, 0, 0, kStart + 30}));

TEST_F(RecurTest, OccurrenceTitleExpandsForItsDate) {
  const ActHandle h = Recurring("{dog|cat|mouse} walk", Daily(kToday));
  EXPECT_EQ(OccurrenceTitle(r, h, kToday + 2, false), "mouse walk");
  EXPECT_EQ(OccurrenceTitle(r, h, kToday + 3, false), "dog walk");
  r.SetTitleVariablesOff(true);
  EXPECT_EQ(OccurrenceTitle(r, h, kToday + 1, false), " walk");
}

TEST_F(RecurTest, RecurrenceQualifiesThroughTheScheduleHooks) {
  const ActHandle h = Recurring("Walk", Daily(kToday, 2));
  // Days that do not exist are answered by the rule, not by what stands on them.
  EXPECT_TRUE(s.hooks().RecurrenceQualifies(s, h, kToday + 100));
  EXPECT_FALSE(s.hooks().RecurrenceQualifies(s, h, kToday + 101));
  EXPECT_FALSE(s.hooks().RecurrenceQualifies(s, h, kToday - 2));
}

TEST_F(RecurTest, ItemDialogDateFollowsWhatIsEdited) {
  const ActHandle h = Recurring("Walk", Daily(kToday + 1));
  Keep(kToday + 3);
  EXPECT_EQ(GetBetaDate(s, h, kNoDate), kToday + 1);  // every occurrence: the Start Date
  EXPECT_EQ(GetBetaDate(s, h, kToday + 3), kToday + 3);
  const ActHandle drone = CloneToDrone(r, Clone(h, kToday + 3));
  ASSERT_EQ(MoveItemToDate(engine, s.ActTask(drone), kToday + 5), kToday + 5);
  EXPECT_EQ(GetBetaDate(s, drone, kNoDate), kToday + 5);
  const ActHandle own = Fixed("Own", kToday + 2, At(10), 30);
  EXPECT_EQ(GetBetaDate(s, own, kNoDate), kToday + 2);
}

TEST_F(RecurTest, RecurringItemIsNeverFluid) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 30;
  const Beta rule = Daily(kToday);
  const ActHandle h = s.NewItem(kNoDate, a, "Stretch", &rule);
  ASSERT_NE(h, kNoAct);
  EXPECT_FALSE(s.ActFlags(h) & AF_FLEXIBLE);
  EXPECT_EQ(s.ReadAct(h).pitem, 0u);
  Keep(kToday);
  const ActHandle drone = CloneToDrone(r, Clone(h, kToday));
  EXPECT_FALSE(s.ActFlags(drone) & AF_FLEXIBLE);
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test
