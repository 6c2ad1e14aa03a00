#include "present/status_line.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "store/date_format.h"
#include "store/schedule_header.h"

namespace ploven::test {
namespace {

// Days bounded 8:00 to 18:00 (600 minutes); the clock stands at 9:00 today.
class StatusLineTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(8));
    s.header().setLatestTimeOfDay(At(18));
  }
};

TEST_F(StatusLineTest, AnEmptyDayIsFreeFromNowToTheEndOfTheDay) {
  const DayLoadFigures f = TodayLoad(engine, kToday);
  EXPECT_EQ(f.loadPercent, 0);
  EXPECT_EQ(f.freeMinutes, 9 * 60);  // 9:00 to 18:00
}

TEST_F(StatusLineTest, BookedItemsTakeTheirShareAndOnlyTheFutureCountsAsFree) {
  Fixed("Early call", kToday, At(8), 60);      // before now: booked, not free anyway
  Fixed("Workshop", kToday, At(13), 120);
  Fixed("Review", kToday, At(16, 30), 30);
  const DayLoadFigures f = TodayLoad(engine, kToday);
  EXPECT_EQ(f.loadPercent, 210 * 100 / 600);  // 35
  EXPECT_EQ(f.freeMinutes, 9 * 60 - 150);     // 390
  DateText text;
  EXPECT_EQ(TodayStatusText(f, text),
            "Today: 35% booked, " + FormatDuration(390, text) + " free");
}

}  // namespace
}  // namespace ploven::test
