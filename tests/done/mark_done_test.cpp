#include "done/mark_done.h"

#include "engine/engine_fixture.h"
#include "store/priority_index.h"

namespace ploven::test {
namespace {

TEST_F(EngineTest, UndoneAgainTheItemStaysOnItsDay) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 30;
  const ActHandle h = s.NewItem(kToday, a, "Essay");
  ASSERT_NE(s.ReadAct(h).pitem, 0u);
  ASSERT_TRUE(MarkItemDone(engine, h));
  EXPECT_EQ(s.ReadAct(h).pitem, 0u);
  EXPECT_FALSE(MarkItemUndone(engine, Fixed("Set", kToday, At(10), 30)));  // not done
  ASSERT_TRUE(MarkItemUndone(engine, h));
  EXPECT_FALSE(s.ActFlags(h) & AF_DONE);
  EXPECT_EQ(s.GetActDate(h), kToday);
  EXPECT_NE(s.ActTask(h), nullptr);
  EXPECT_FALSE(MarkItemUndone(engine, h));
}

TEST_F(EngineTest, DoneOnATaskMarksItDoneAndAgainUndone) {
  const ActHandle h = Fixed("Call", kToday, At(10), 30);
  ASSERT_TRUE(ToggleDone(engine, s.ActTask(h)));
  EXPECT_TRUE(s.ActFlags(h) & AF_DONE);
  ASSERT_TRUE(ToggleDone(engine, s.ActTask(h)));
  EXPECT_FALSE(s.ActFlags(h) & AF_DONE);
  EXPECT_EQ(s.GetActDate(h), kToday);
  EXPECT_FALSE(ToggleDone(engine, nullptr));
}

}  // namespace
}  // namespace ploven::test
