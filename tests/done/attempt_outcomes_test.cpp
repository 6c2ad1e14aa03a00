#include "done/attempt_outcomes.h"

#include "done/done_messages.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

class AttemptOutcomesTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    env.clock.Set(kToday, At(10, 40));
  }
  // The item of the day with this title, or none.
  ActHandle Titled(const std::string& title) {
    if (const Terminal* day = s.ExistingTerminal(kToday))
      for (const TaskNode* t = day->First(); t != nullptr; t = t->Next())
        if (s.GetActNameFull(t->act) == title) return t->act;
    return kNoAct;
  }
};

TEST_F(AttemptOutcomesTest, AStartedTryIsLoggedAndTheItemStaysToDo) {
  // Started at 10:00, tried until 10:40 now: a 40-minute failed attempt is logged.
  const ActHandle h = Fixed("Call the bank", kToday, At(10), 60, AF_STARTED);
  const ActHandle attempt = RecordFailedAttempt(engine, s.ActTask(h));
  ASSERT_NE(attempt, kNoAct);
  const Act& a = s.ReadAct(attempt);
  EXPECT_TRUE(a.Has(AF_DONE));
  EXPECT_EQ(s.GetActNameFull(attempt), "Failed attempt: Call the bank");
  EXPECT_EQ(a.startTime, At(10));
  EXPECT_EQ(a.duration, 40);
  EXPECT_EQ(Titled("Failed attempt: Call the bank"), attempt);

  const Act& item = s.ReadAct(h);
  EXPECT_FALSE(item.Has(AF_DONE));
  EXPECT_FALSE(item.Has(AF_STARTED));
  EXPECT_EQ(item.duration, 60);
  ExpectConsistent();
}

TEST_F(AttemptOutcomesTest, AnUnstartedTryIsAMomentAtNow) {
  const ActHandle h = Fixed("Ring Sam", kToday, At(11), 15);
  const ActHandle attempt = RecordFailedAttempt(engine, s.ActTask(h));
  ASSERT_NE(attempt, kNoAct);
  EXPECT_EQ(s.ReadAct(attempt).startTime, At(10, 40));
  EXPECT_EQ(s.ReadAct(attempt).duration, 0);
  EXPECT_EQ(s.ReadAct(h).startTime, At(11));
}

TEST_F(AttemptOutcomesTest, DoneItemsAndMemosTakeNoAttemptsOrCancels) {
  const ActHandle done = Fixed("Done", kToday, At(8), 30, AF_DONE);
  const ActHandle memo = Fixed("Memo", kToday, kNoTime, 0, AF_HOPE, ACT_MEMO);
  EXPECT_EQ(RecordFailedAttempt(engine, s.ActTask(done)), kNoAct);
  EXPECT_EQ(RecordFailedAttempt(engine, s.ActTask(memo)), kNoAct);
  EXPECT_FALSE(CancelItem(engine, s.ActTask(done)));
  EXPECT_FALSE(CancelItem(engine, nullptr));
  EXPECT_EQ(s.GetActNameFull(done), "Done");
}

TEST_F(AttemptOutcomesTest, CancelClosesTheItemTakingNoTime) {
  const ActHandle h = Fixed("Lunch with Jo", kToday, At(12), 60);
  ASSERT_TRUE(CancelItem(engine, s.ActTask(h)));
  const Act& a = s.ReadAct(h);
  EXPECT_TRUE(a.Has(AF_DONE));
  EXPECT_EQ(a.duration, 0);
  EXPECT_EQ(a.startTime, At(12));
  EXPECT_EQ(s.GetActNameFull(h), "Cancelled: Lunch with Jo");
  EXPECT_EQ(s.ActTask(h)->length, 0);
  ExpectConsistent();
}

TEST_F(AttemptOutcomesTest, CancellingOneOccurrenceLeavesTheOthers) {
  const ActHandle def = Recurring("Stand-up", Daily(kToday));
  Keep(kToday);
  Keep(kToday + 1);
  TaskNode* today = Clone(def, kToday);
  ASSERT_NE(today, nullptr);
  ASSERT_TRUE(CancelItem(engine, today));
  EXPECT_NE(today->act, def);
  EXPECT_EQ(s.GetActNameFull(today->act), "Cancelled: Stand-up");
  EXPECT_EQ(s.GetActNameFull(def), "Stand-up");
  EXPECT_EQ(ClonesOn(def, kToday + 1), 1);
  ExpectConsistent();
}

}  // namespace
}  // namespace ploven::test
