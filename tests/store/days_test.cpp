#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace t = store_text;

constexpr DayNumber kMarch18 = 17244;  // 18 March 2027

// Stands in for the recurrence subsystem: gives every new day one unedited instance.
class OneCloneADay : public ScheduleHooks {
 public:
  explicit OneCloneADay(ActHandle& definition) : m_definition(definition) {}
  bool GenerateRecurringInstances(Schedule& s, Terminal& day) override {
    if (m_definition == kNoAct) return true;
    ++generated;
    s.LinkTaskAfter(day, nullptr, s.NewTaskNode(m_definition, 480, 15));
    return true;
  }
  bool IsDayShown(DayNumber date) const override { return date == shown; }
  int generated = 0;
  DayNumber shown = 0;

 private:
  ActHandle& m_definition;
};

TEST_F(ScheduleTest, DaysStayInDateOrderWhateverOrderTheyCome) {
  for (int d : {kMarch18 + 2, kMarch18 + 0, kMarch18 + 1}) Item("x", static_cast<DayNumber>(d));
  EXPECT_EQ(Days(), (std::vector<DayNumber>{kMarch18, kMarch18 + 1, kMarch18 + 2}));
  EXPECT_EQ(s.EarliestTerminalDate(), kMarch18);
  EXPECT_EQ(s.CountTerminals(), 3);
}

TEST_F(ScheduleTest, DayOfOnlyUneditedInstancesIsPrunedAndComesBackTheSame) {
  ActHandle definition = kNoAct;
  OneCloneADay hooks(definition);
  s.SetHooks(&hooks);
  Beta rule;
  rule.freq = 0x01;
  definition = s.NewItem(kToday, Act{}, "Daily", &rule);

  Terminal* day = s.GetTerminal(kMarch18);
  ASSERT_EQ(day->nTasks, 1);
  EXPECT_EQ(day->nClones, 1);
  EXPECT_TRUE(Schedule::OnlyClones(*day));

  s.GetTerminal(kMarch18 + 5);  // adding a day prunes first
  EXPECT_EQ(s.ExistingTerminal(kMarch18), nullptr);
  day = s.GetTerminal(kMarch18);
  EXPECT_EQ(TasksOf(kMarch18), std::vector<ActHandle>{definition});
  EXPECT_EQ(day->First()->start, 480);

  // Held, kept or shown days stay.
  s.HoldTerminal(kMarch18);
  s.GetTerminal(kMarch18 + 1)->keepDay = 1;
  hooks.shown = kMarch18 + 2;
  s.GetTerminal(kMarch18 + 2);
  s.PruneTerminals();
  EXPECT_NE(s.ExistingTerminal(kMarch18), nullptr);
  EXPECT_NE(s.ExistingTerminal(kMarch18 + 1), nullptr);
  EXPECT_NE(s.ExistingTerminal(kMarch18 + 2), nullptr);
  EXPECT_EQ(s.ExistingTerminal(kMarch18 + 5), nullptr);
}

TEST_F(ScheduleTest, PruningWaitsWhileSuspended) {
  s.GetTerminal(kMarch18);
  s.SuspendPruning();
  s.PruneTerminals();
  EXPECT_NE(s.ExistingTerminal(kMarch18), nullptr);
  s.ResumePruning();
  s.PruneTerminals();
  EXPECT_EQ(s.ExistingTerminal(kMarch18), nullptr) << "an empty day goes";
}

TEST_F(ScheduleTest, ArchivedDaysAreReleasedWithTheirItems) {
  const ActHandle h = Item("Old work", kMarch18);
  s.RemoveFromActChain(h);  // archiving takes it out of the chain
  s.header().setLastArchivedDate(kMarch18);
  s.PruneTerminals();
  EXPECT_EQ(s.ExistingTerminal(kMarch18), nullptr);
  EXPECT_FALSE(s.IsActValid(h));
}

TEST_F(ScheduleTest, BadDatesForADayAreFatal) {
  ExpectFatal([&] { s.GetTerminal(0); }, t::kDateExpected);
  ExpectFatal([&] { s.GetTerminal(2299); }, t::kDateOutOfRange);
  ExpectFatal([&] { s.GetTerminal(32509); }, t::kDateOutOfRange);
  ExpectFatal([&] { s.AddTerminal(100); }, t::kAddTerminal);
  ExpectFatal([&] { s.ExistingTerminal(0); }, t::kExistingTerminalZeroDate);
  EXPECT_TRUE(env.ui.Showed("the project you were just assigning to has become corrupt"));
}

TEST_F(ScheduleTest, LoadedDaysMustAscend) {
  ASSERT_NE(s.AppendLoadedTerminal(kMarch18, 7.0f), nullptr);
  EXPECT_EQ(s.AppendLoadedTerminal(-4, 7.0f), nullptr);
  EXPECT_TRUE(env.ui.Showed(t::kNegativeTerminal));
  ExpectFatal([&] { s.AppendLoadedTerminal(kMarch18, 7.0f); }, t::kTerminalOutOfSequence);
  // An old file's stray day is dropped with a word, and loading goes on.
  EXPECT_EQ(s.AppendLoadedTerminal(kMarch18 - 1, 3.2f), nullptr);
  EXPECT_TRUE(env.ui.Showed("out of sequence"));
  EXPECT_NE(s.AppendLoadedTerminal(kMarch18 + 1, 3.2f), nullptr);
  EXPECT_EQ(Days(), (std::vector<DayNumber>{kMarch18, kMarch18 + 1}));
}

TEST_F(ScheduleTest, UnscheduleGivesTheMinutesBackAndMovesTheCurrentTask) {
  const ActHandle a = Item("A", kMarch18, 0, 30);
  const ActHandle memo = Item("Memo", kMarch18, AF_HOPE, 60);
  Terminal* day = s.ExistingTerminal(kMarch18);
  day->freeMinutes = 100;
  ASSERT_EQ(day->current, day->First());
  TaskNode* first = day->First();
  EXPECT_EQ(s.UnscheduleTask(first), kMarch18);
  EXPECT_EQ(day->nTasks, 1);
  EXPECT_EQ(day->freeMinutes, 130);
  EXPECT_EQ(day->current->act, memo);
  s.FreeTaskNode(first);
  TaskNode* memoTask = day->First();
  s.UnscheduleTask(memoTask);
  s.FreeTaskNode(memoTask);
  EXPECT_EQ(day->freeMinutes, 130) << "a memo took no time, so it gives none back";
  (void)a;
}

TEST_F(ScheduleTest, TaskDatesAndNeighbours) {
  const ActHandle a = Item("A", kMarch18);
  const ActHandle b = Item("B", kMarch18, AF_DONE);
  const ActHandle c = Item("C", kMarch18, AF_DONE | AF_HOPE);
  Item("D", kToday);
  Terminal* day = s.ExistingTerminal(kMarch18);
  TaskNode* ta = day->First();
  TaskNode* tc = Schedule::LastTask(ta);
  EXPECT_EQ(s.GetTaskDate(tc), kMarch18);
  EXPECT_EQ(s.FindTaskDay(tc), kMarch18);
  EXPECT_EQ(s.NextDoneTask(ta)->act, b);
  EXPECT_EQ(s.PrevDoneTask(tc)->act, b);
  EXPECT_EQ(s.NextDoneTask(ta->Next(), false)->act, c);
  EXPECT_EQ(s.NextDoneTask(ta->Next(), true), nullptr);
  EXPECT_FALSE(s.AllTasksDone(*day));
  EXPECT_FALSE(s.IsDayTask(ta));
  EXPECT_TRUE(s.IsDayTask(s.ExistingTerminal(kToday)->First()));
  EXPECT_TRUE(s.ValidTaskNode(ta));
  EXPECT_FALSE(s.ValidTaskNode(nullptr));
  ExpectFatal([&] { s.GetTaskDate(nullptr); }, t::kGetTaskDateNull);
  (void)a;
}

TEST_F(ScheduleTest, EarliestDayIsTodayWhenThereIsNone) {
  EXPECT_EQ(s.EarliestTerminalDate(), kToday);
}

}  // namespace
}  // namespace ploven::test
