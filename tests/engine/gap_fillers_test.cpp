#include "engine/gap_fillers.h"

#include "engine/busy_days.h"
#include "engine/engine_fixture.h"
#include "store/priority_index.h"

namespace ploven::test {
namespace {

// The day runs 8:00 to 17:00; the clock stands at 9:00.
class GapFillersTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(8));
    s.header().setLatestTimeOfDay(At(17));
    Fixed("Call", kToday, At(9, 30), 30);
    Fixed("Meeting", kToday, At(10), 120);
    Fixed("Note", kToday, At(13), 0, AF_HOPE, ACT_MEMO);
  }
  ActHandle Flexible(const std::string& title, Duration duration, DayNumber date = kToday + 1,
                     uint32_t flags = 0) {
    Act a;
    a.flags = AF_FLEXIBLE | flags;
    a.duration = duration;
    a.tier = 'A';
    return s.NewItem(date, a, title);
  }
};

TEST_F(GapFillersTest, TheFreeTimeIsWhatTodaysItemsLeaveAfterNow) {
  const std::vector<FreeGap> gaps = FreeGapsToday(engine, At(9));
  ASSERT_EQ(gaps.size(), 2u);
  EXPECT_EQ(gaps[0].start, At(9));
  EXPECT_EQ(gaps[0].minutes, 30);
  EXPECT_EQ(gaps[1].start, At(12));
  EXPECT_EQ(gaps[1].minutes, 300);
  // From 10:15 on, only the afternoon is left; after the day's end nothing.
  EXPECT_EQ(FreeGapsToday(engine, At(10, 15)).size(), 1u);
  EXPECT_TRUE(FreeGapsToday(engine, At(17, 30)).empty());
}

TEST_F(GapFillersTest, ItemsThatFitComeShortestFirst) {
  const ActHandle report = Flexible("Report", 45);
  const ActHandle mail = Flexible("Mail", 20);
  const ActHandle tidy = Flexible("Tidy", 20);
  Flexible("Thesis", 400);                     // longer than any gap
  Flexible("Filed", 20, kToday + 1, AF_DONE);  // done
  const ActHandle later = Flexible("Later", 10);
  s.LockAct(later).earliestDate = kToday + 5;  // not startable yet
  const std::vector<GapFiller> fillers = GapFillers(engine, At(9));
  ASSERT_EQ(fillers.size(), 3u);
  EXPECT_EQ(fillers[0].item, mail);  // equal lengths keep their priority order
  EXPECT_EQ(fillers[1].item, tidy);
  EXPECT_EQ(fillers[2].item, report);
  EXPECT_EQ(fillers[2].duration, 45);
  EXPECT_EQ(GapFillers(engine, At(9), 1).size(), 1u);
  // At 16:50 only ten minutes are left, and nothing that long waits.
  EXPECT_TRUE(GapFillers(engine, At(16, 50)).empty());
}

TEST_F(GapFillersTest, ChoosingOneBringsItToToday) {
  const ActHandle mail = Flexible("Mail", 20);
  ASSERT_EQ(s.GetActDate(mail), kToday + 1);
  EXPECT_TRUE(PlaceGapFiller(engine, mail));
  EXPECT_EQ(s.GetActDate(mail), kToday);
  EXPECT_TRUE(GapFillers(engine, At(9)).empty());  // planned today now
  EXPECT_FALSE(PlaceGapFiller(engine, kNoAct));
}

TEST_F(GapFillersTest, BusyDaysMeasureEachDaysLoad) {
  // 150 busy minutes of a 540-minute day: 27 %; the memo takes none.
  const std::vector<BusyDay> days = BusyDays(engine, kToday, 3);
  ASSERT_EQ(days.size(), 3u);
  EXPECT_EQ(days[0].date, kToday);
  EXPECT_EQ(days[0].load, 150 * 100 / 540);
  EXPECT_EQ(days[1].load, 0);
  EXPECT_EQ(days[2].date, kToday + 2);
  EXPECT_EQ(BusyDays(engine, kToday).size(), static_cast<size_t>(kBusyNavigatorDays));
}

}  // namespace
}  // namespace ploven::test
