#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "engine/past_days.h"
#include "engine/past_days_messages.h"
#include "mock/scripted_engine_ui.h"

namespace ploven::test {
namespace {

namespace t = past_days_text;

constexpr int kYes = kIdCustom1;
constexpr int kNo = kIdCustom1 + 1;
constexpr int kHelp = kIdCustom1 + 2;

class BringForwardTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    engine.SetUi(&ui);
  }
  ActHandle Item(const std::string& title, DayNumber date, uint32_t flags = AF_FLEXIBLE,
                 uint16_t type = 0, Duration duration = 30) {
    Act a;
    a.flags = flags;
    a.duration = duration;
    a.typeFlags = type;
    return s.NewItem(date, a, title);
  }
  // The date of the day whose chain holds the item.
  DayNumber DayOf(ActHandle h) {
    for (const auto& [date, day] : s.terminals())
      for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
        if (task->act == h) return date;
    return kNoDate;
  }
  ScriptedEngineUi ui{kToday};
};

TEST_F(BringForwardTest, MovesOnlyUndoneMovableItemsOfEarlierDays) {
  const DayNumber past = kToday - 3;
  const ActHandle fluid = Item("fluid", past);
  const ActHandle setDate = Item("set date", kToday - 2, 0);
  const ActHandle done = Item("done", past, AF_DONE);
  const ActHandle started = Item("started", past);
  s.LockAct(started).flags |= AF_STARTED;  // placing a task on another day than today unstarts it
  const ActHandle fixed = Fixed("fixed", past, At(10), 60);
  const ActHandle birthday = Item("birthday", past, AF_HOPE, ACT_MEMO | ACT_BIRTHDAY, 0);
  const ActHandle anniversary = Item("anniv", past, AF_HOPE, ACT_MEMO | ACT_ANNIVERSARY, 0);
  const ActHandle holiday = Item("holiday", past, AF_HOPE, ACT_MEMO | ACT_WORK_HOLIDAY, 0);
  const ActHandle plainMemo = Item("memo", past, AF_HOPE, ACT_MEMO, 0);
  const ActHandle later = Item("later", kToday + 1);

  EXPECT_TRUE(BringForward(engine, kToday));

  EXPECT_EQ(DayOf(fluid), kToday);
  EXPECT_EQ(s.GetActDate(fluid), kToday);
  EXPECT_EQ(DayOf(setDate), kToday);
  EXPECT_EQ(DayOf(plainMemo), kToday);
  for (ActHandle stays : {done, started, fixed, birthday, anniversary, holiday})
    EXPECT_EQ(DayOf(stays), past) << s.GetActNameFull(stays);
  EXPECT_EQ(DayOf(later), kToday + 1);
  EXPECT_FALSE(engine.busy().bringForward);
  EXPECT_FALSE(ui.waitCursor);
}

TEST_F(BringForwardTest, DaysFromTheTargetOnAreLeft) {
  const ActHandle early = Item("early", kToday - 5);
  const ActHandle onTarget = Item("on target", kToday - 2);
  const ActHandle between = Item("between", kToday - 1);
  BringForward(engine, kToday - 2);
  EXPECT_EQ(DayOf(early), kToday - 2);
  EXPECT_EQ(DayOf(onTarget), kToday - 2);
  EXPECT_EQ(DayOf(between), kToday - 1);
}

TEST_F(BringForwardTest, ALaterTargetTakesOnlyItemsOfPastDays) {
  const ActHandle past = Item("past", kToday - 2);
  const ActHandle today = Item("today", kToday);
  const ActHandle tomorrow = Item("tomorrow", kToday + 1);
  const ActHandle setTomorrow = Item("set tomorrow", kToday + 1, 0);
  EXPECT_TRUE(BringForward(engine, kToday + 3));
  EXPECT_EQ(DayOf(past), kToday + 3);
  // Today's and later items are not past undone items: a later target would postpone them.
  EXPECT_EQ(DayOf(today), kToday);
  EXPECT_EQ(DayOf(tomorrow), kToday + 1);
  EXPECT_EQ(DayOf(setTomorrow), kToday + 1);
}

TEST_F(BringForwardTest, PastDeadlineIsNotQuestionedAndWorkHoursItemsGoToTheNextWorkday) {
  Act a;
  a.flags = AF_FLEXIBLE | AF_WORK_HOURS;
  a.duration = 30;
  a.deadlineDate = kToday - 1;
  const ActHandle work = s.NewItem(kToday - 2, a, "work");
  const DayNumber saturday = kToday + 4;  // kToday is a Tuesday
  BringForward(engine, saturday);
  EXPECT_EQ(DayOf(work), saturday + 2);
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(s.GetActDeadline(work), kToday - 1);
}

TEST_F(BringForwardTest, CommandAsksNamingTheTarget) {
  struct Case {
    DayNumber viewed;
    const char* named;
    DayNumber target;
  };
  // A viewed day that is not after today brings items to today, as the question says.
  for (const Case& c : {Case{kToday + 3, "12/11/26", kToday + 3}, Case{kToday, "today", kToday},
                        Case{kToday - 4, "today", kToday}}) {
    const ActHandle h = Item("undone", kToday - 6);
    ui.viewed = c.viewed;
    env.ui.boxes.clear();
    env.ui.Answer(kYes);
    EXPECT_TRUE(BringForwardCommand(engine));
    ASSERT_EQ(env.ui.boxes.size(), 2u);
    EXPECT_EQ(env.ui.boxes[0].caption, t::kBringForwardCaption);
    EXPECT_NE(env.ui.boxes[0].text.find(std::string("Try to move such items to ") + c.named + "?"),
              std::string::npos)
        << env.ui.boxes[0].text;
    EXPECT_EQ(env.ui.boxes[1].text, t::kBringForwardCompleted);
    EXPECT_EQ(DayOf(h), c.target);
  }
}

TEST_F(BringForwardTest, CommandNoHelpAndBusyMoveNothing) {
  const ActHandle h = Item("undone", kToday - 6);
  env.ui.Answer(kNo);
  EXPECT_FALSE(BringForwardCommand(engine));
  EXPECT_TRUE(env.ui.Showed(t::kNothingBroughtForward));

  env.ui.Answer(kHelp);
  EXPECT_FALSE(BringForwardCommand(engine));
  EXPECT_EQ(env.ui.helpTopics, std::vector<std::string>{t::kBringForwardHelp});

  engine.busy().backgroundProcessing = true;
  env.ui.boxes.clear();
  EXPECT_FALSE(BringForwardCommand(engine));
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text, t::kBusyBackground);
  EXPECT_EQ(DayOf(h), kToday - 6);
}

TEST_F(BringForwardTest, AutomaticAsksOnlyForItemsOverAWeekOld) {
  engine.settings().autoBringForward = true;
  const ActHandle week = Item("a week", kToday - 7);
  EXPECT_TRUE(AutomaticBringForward(engine));
  EXPECT_TRUE(env.ui.boxes.empty());
  EXPECT_EQ(DayOf(week), kToday);

  const ActHandle older = Item("older", kToday - 8);
  env.ui.Answer(kNo);
  EXPECT_FALSE(AutomaticBringForward(engine));
  ASSERT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(env.ui.boxes[0].caption, t::kAutoBringForwardCaption);
  EXPECT_NE(env.ui.boxes[0].text.find("Try to move such items to today?"), std::string::npos);
  EXPECT_EQ(DayOf(older), kToday - 8);

  env.ui.Answer(kYes);
  EXPECT_TRUE(AutomaticBringForward(engine));
  EXPECT_EQ(DayOf(older), kToday);

  engine.settings().autoBringForward = false;
  const ActHandle off = Item("off", kToday - 1);
  EXPECT_FALSE(AutomaticBringForward(engine));
  EXPECT_EQ(DayOf(off), kToday - 1);
}

}  // namespace
}  // namespace ploven::test
