#include "file/undelete.h"

#include "file/undelete_messages.h"
#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace u = undelete_text;

class UndeleteTest : public ScheduleTest {
 protected:
  // What the delete commands do: hand the item over, then delete it.
  void DeleteItem(ActHandle h) {
    stack.PushUndeleteItem(h, UNDEL_ITEM);
    s.DeleteItem(h);
  }

  std::string Question(const std::string& title) const {
    return std::string(u::kQuestionStart) + " \"" + title + "\"" + u::kQuestionRest;
  }

  const std::string& LastText() const { return env.ui.boxes.back().text; }

  UndeleteStack stack{s};
};

TEST_F(UndeleteTest, OffersNewestFirstAndMovesOnAfterNo) {
  DeleteItem(Item("Alpha"));
  DeleteItem(Item("Beta", kToday + 2, AF_FLEXIBLE));
  DeleteItem(Item("Gamma"));
  ASSERT_TRUE(ChainTitles().empty());

  env.ui.Answer(kIdNo);
  UndeleteResult r = stack.Undelete();
  EXPECT_EQ(LastText(), Question("Gamma"));
  EXPECT_FALSE(r.undeleted);
  EXPECT_EQ(stack.size(), 2u);

  env.ui.Answer(kIdYes);
  r = stack.Undelete();
  EXPECT_EQ(LastText(), Question("Beta"));
  EXPECT_TRUE(r.undeleted);
  EXPECT_EQ(r.showDay, std::optional<DayNumber>(kToday + 2));
  // Deleting took the item out of the priority index; it comes back flexible.
  const ActHandle beta = s.FindActByTitle("Beta");
  ASSERT_NE(beta, kNoAct);
  EXPECT_TRUE(s.GetActPitem(beta).has_value());
  EXPECT_EQ(s.priorityIndex().Count(), 1u);
  EXPECT_EQ(TasksOf(kToday + 2), std::vector<ActHandle>{beta});

  env.ui.Answer(kIdYes);
  r = stack.Undelete();
  EXPECT_EQ(LastText(), Question("Alpha"));
  EXPECT_EQ(r.showDay, std::optional<DayNumber>(kToday));
  EXPECT_EQ(ChainTitles(), (std::vector<std::string>{"Alpha", "Beta"}));
  EXPECT_TRUE(s.changed());

  stack.Undelete();
  EXPECT_EQ(LastText(), u::kNothingToUndelete);
}

TEST_F(UndeleteTest, EmptyStackSaysSo) {
  const UndeleteResult r = stack.Undelete();
  EXPECT_EQ(LastText(), u::kNothingToUndelete);
  EXPECT_FALSE(r.undeleted);
  EXPECT_FALSE(r.showDay.has_value());
}

class RecurringUndeleteTest : public UndeleteTest {
 protected:
  void SetUp() override {
    Beta rule;
    rule.freq = 0x02;
    definition = s.NewItem(kToday, Act{}, "Weekly review", &rule);
    TaskNode* task = s.NewTaskNode(definition);
    s.ScheduleTask(task, kDay);
    // Deleting one instance: it is cancelled, and its node handed over while still on its day.
    s.AddXlistEntry(definition, kDay, kNoAct);
    stack.PushUndeleteTask(task, kDay);
  }

  static constexpr DayNumber kDay = kToday + 7;
  ActHandle definition = kNoAct;
};

TEST_F(RecurringUndeleteTest, CancelledInstanceComesBack) {
  ASSERT_EQ(stack.Entries().size(), 1u);
  EXPECT_EQ(stack.Entries()[0].kind, UNDEL_INSTANCE);
  EXPECT_EQ(stack.Entries()[0].hAct, definition);
  EXPECT_TRUE(TasksOf(kDay).empty());

  env.ui.Answer(kIdYes);
  const UndeleteResult r = stack.Undelete();
  EXPECT_EQ(LastText(), Question("Weekly review"));
  EXPECT_EQ(r.showDay, std::optional<DayNumber>(kDay));
  EXPECT_EQ(s.FindXlistEntry(definition, kDay), nullptr);
  EXPECT_EQ(TasksOf(kDay), std::vector<ActHandle>{definition});
  EXPECT_EQ(s.ExistingTerminal(kDay)->holdCount, 0);
}

TEST_F(RecurringUndeleteTest, InstanceWhoseCancellationIsGoneIsNotDoubled) {
  s.DelXlistEntry(definition, kDay);
  TaskNode* again = s.NewTaskNode(definition);
  s.ScheduleTask(again, kDay);

  stack.Undelete();
  EXPECT_EQ(LastText(), u::kInvalidInstance);
  EXPECT_EQ(TasksOf(kDay), std::vector<ActHandle>{definition});
  EXPECT_TRUE(stack.empty());
}

TEST_F(RecurringUndeleteTest, WholeRecurringItemComesBackWithItsRule) {
  stack.PushUndeleteItem(definition, UNDEL_ITEM);
  s.RemoveFromBetaChain(definition);
  s.RemoveFromActChain(definition);

  env.ui.Answer(kIdYes);
  const UndeleteResult r = stack.Undelete();
  EXPECT_TRUE(r.undeleted);
  EXPECT_FALSE(r.showDay.has_value());
  ASSERT_EQ(s.betaChain().size(), 1u);
  const ActHandle back = s.betaChain()[0];
  EXPECT_NE(back, definition);
  EXPECT_EQ(s.LockBeta(s.GetActBeta(back)).freq, 0x02);
}

TEST_F(UndeleteTest, TaskNodeReturnsFlexibleItemToPriorityIndex) {
  const ActHandle h = Item("Flexible", kToday, AF_FLEXIBLE);
  stack.PushUndeleteTask(s.ActTask(h), kToday);
  s.DetachAct(h);
  ASSERT_EQ(stack.Entries()[0].kind, UNDEL_TASK);
  ASSERT_EQ(s.priorityIndex().Count(), 0u);
  ASSERT_TRUE(TasksOf(kToday).empty());

  env.ui.Answer(kIdYes);
  const UndeleteResult r = stack.Undelete();
  EXPECT_EQ(r.showDay, std::optional<DayNumber>(kToday));
  EXPECT_NE(s.priorityIndex().EntryOf(h), kNoPriorityEntry);
  EXPECT_TRUE(s.ActFlags(h) & AF_FLEXIBLE);
  EXPECT_EQ(TasksOf(kToday), std::vector<ActHandle>{h});
  EXPECT_TRUE(s.FindInActChain(h));
}

TEST_F(UndeleteTest, RefusedTaskNodeIsFreed) {
  // Run under the address sanitizer, a node dropped on No must not leak.
  const ActHandle h = Item("Once");
  stack.PushUndeleteTask(s.ActTask(h), kToday);
  stack.PushUndeleteTask(s.ActTask(Item("Twice")), kToday);
  s.DetachAct(h);
  env.ui.Answer(kIdNo);
  stack.Undelete();
  EXPECT_EQ(stack.size(), 1u);
}

TEST_F(UndeleteTest, ProjectComesBackOnTheProjectList) {
  Act record;
  record.flags = AF_TAGGED;
  const ActHandle p = NewProject(s, record, "Garden");
  s.LockAct(p).flags = AF_TAGGED;
  stack.PushUndeleteItem(p, UNDEL_PROJECT);
  env.ui.Answer(kIdYes);
  ASSERT_TRUE(DeleteProject(s, p));
  ASSERT_EQ(s.projects().Count(), 0u);

  env.ui.Answer(kIdYes);
  const UndeleteResult r = stack.Undelete();
  EXPECT_TRUE(r.showProjectList);
  ASSERT_EQ(s.projects().Count(), 1u);
  const ActHandle back = s.projects().begin()->second.act;
  EXPECT_EQ(s.GetActNameFull(back), "Garden");
  EXPECT_TRUE(s.ActFlags(back) & AF_TAGGED);
}

struct InvalidCase {
  const char* name;
  uint32_t kind;
  const char* text;
};

class InvalidUndeleteTest : public UndeleteTest,
                            public ::testing::WithParamInterface<InvalidCase> {};

// Each case pushes a stale handle, then a handle of the wrong sort or one still in use.
TEST_P(InvalidUndeleteTest, ReportsAndDropsTheEntryWithoutAsking) {
  const ActHandle stale = s.AllocateAct();
  s.FreeAct(stale);
  const ActHandle live = Item("Still here");
  stack.PushUndeleteItem(live, GetParam().kind);
  stack.PushUndeleteItem(stale, GetParam().kind);

  for (int i = 0; i < 2; ++i) {
    const size_t boxes = env.ui.boxes.size();
    const UndeleteResult r = stack.Undelete();
    EXPECT_FALSE(r.undeleted);
    ASSERT_EQ(env.ui.boxes.size(), boxes + 1);
    EXPECT_EQ(LastText(), GetParam().text);
  }
  EXPECT_TRUE(stack.empty());
  EXPECT_EQ(ChainTitles(), std::vector<std::string>{"Still here"});
  EXPECT_EQ(TasksOf(kToday).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, InvalidUndeleteTest,
    ::testing::Values(InvalidCase{"Item", UNDEL_ITEM, u::kInvalidItem},
                      InvalidCase{"Project", UNDEL_PROJECT, u::kInvalidProject},
                      InvalidCase{"Instance", UNDEL_INSTANCE, u::kInvalidInstance},
                      InvalidCase{"Task", UNDEL_TASK, u::kInvalidTask}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(UndeleteTest, UnknownKindStaysOnTheStack) {
  DeleteItem(Item("Older"));
  stack.PushUndeleteItem(Item("Odd"), 0x1234);
  for (int i = 0; i < 2; ++i) {
    stack.Undelete();
    EXPECT_EQ(LastText(), u::kInvalidType);
    EXPECT_EQ(stack.size(), 2u);
  }
}

}  // namespace
}  // namespace ploven::test
