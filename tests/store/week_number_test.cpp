#include "store/week_number.h"

#include <gtest/gtest.h>

#include "store/calendar.h"

namespace ploven {
namespace {

constexpr WeekRules kSundayJan1{0, false, 0};
constexpr WeekRules kSundayFullWeek{1, false, 0};
constexpr WeekRules kMondayFourDays{2, true, 0};

// ISO 8601 week number, worked out from the Thursday of the day's week.
int IsoWeek(int day) {
  const int thursday = day - WeekdayMondayFirst(day) + 3;
  return (thursday - FirstOfYear(thursday)) / 7 + 1;
}

TEST(WeekNumberTest, MondayWeeksWithFourDaysAreIsoWeeks) {
  for (int day = 8; day <= kLastDay - 7; ++day) {
    ASSERT_EQ(WeekOfYear(day, kMondayFourDays), IsoWeek(day)) << day;
  }
}

TEST(WeekNumberTest, EveryRuleCountsWeeksWithoutGapsOrRepeats) {
  for (const WeekRules& rules :
       {kSundayJan1, kSundayFullWeek, kMondayFourDays, WeekRules{0, true, 0}, WeekRules{1, true, 0},
        WeekRules{2, false, 0}}) {
    for (int day = WeekStart(400, rules) + 7; day <= kLastDay - 7; day += 7) {
      const int week = WeekOfYear(day, rules);
      const int next = WeekOfYear(day + 7, rules);
      ASSERT_TRUE(next == week + 1 || (next == 1 && (week == 52 || week == 53)))
          << "rule " << rules.firstWeekRule << " day " << day;
      for (int k = 1; k < 7; ++k) ASSERT_EQ(WeekOfYear(day + k, rules), week) << day + k;
      ASSERT_TRUE(WeekStart(day, rules) == day);
    }
  }
}

struct WeekCase {
  int month, day, year;
  WeekRules rules;
  int week;
};

class WeekOfYearTest : public ::testing::TestWithParam<WeekCase> {};

TEST_P(WeekOfYearTest, GivesTheWeek) {
  const WeekCase& c = GetParam();
  EXPECT_EQ(WeekOfYear(MakeDay(c.month, c.day, c.year), c.rules), c.week);
}

INSTANTIATE_TEST_SUITE_P(
    Days, WeekOfYearTest,
    ::testing::Values(WeekCase{1, 1, 2022, kSundayJan1, 1},  // a Saturday: week 1 is one day long
                      WeekCase{1, 2, 2022, kSundayJan1, 2},
                      WeekCase{12, 28, 2021, kSundayJan1, 1},  // in the week that holds 1 January
                      WeekCase{12, 31, 2022, kSundayJan1, 53},
                      WeekCase{1, 1, 2022, kSundayFullWeek, 52},  // before the first full week
                      WeekCase{1, 2, 2022, kSundayFullWeek, 1},
                      WeekCase{1, 1, 2023, kSundayFullWeek, 1},   // a Sunday starts a full week
                      WeekCase{1, 1, 2021, kMondayFourDays, 53},  // a Friday: last week of 2020
                      WeekCase{12, 29, 2025, kMondayFourDays, 1}));

TEST(WeekNumberTest, DaysWithoutADateHaveNoWeek) {
  EXPECT_EQ(WeekOfYear(0, kSundayJan1), 0);
  EXPECT_EQ(PeriodOfYear445(0, kSundayJan1), 0);
  EXPECT_EQ(QuarterWeek445(-3, kSundayJan1), 0);
}

struct Case445 {
  int month, day, year;
  WeekRules rules;
  int fiscalYear, period, quarterWeek, periodWeek;
};

class Calendar445Test : public ::testing::TestWithParam<Case445> {};

TEST_P(Calendar445Test, PlacesTheDay) {
  const Case445& c = GetParam();
  const int day = MakeDay(c.month, c.day, c.year);
  EXPECT_EQ(FiscalYear445(day, c.rules), c.fiscalYear);
  EXPECT_EQ(PeriodOfYear445(day, c.rules), c.period);
  EXPECT_EQ(QuarterWeek445(day, c.rules), c.quarterWeek);
  EXPECT_EQ(PeriodWeek445(day, c.rules), c.periodWeek);
}

INSTANTIATE_TEST_SUITE_P(
    Days, Calendar445Test,
    ::testing::Values(
        // 2023 starts on Sunday 1 January: that week is the first of the new year.
        Case445{1, 1, 2023, kSundayJan1, 2023, 1, 1, 1},
        Case445{12, 31, 2022, kSundayJan1, 2022, 12, 13, 5},
        Case445{1, 28, 2023, kSundayJan1, 2023, 1, 4, 4},
        Case445{1, 29, 2023, kSundayJan1, 2023, 2, 5, 1},
        Case445{2, 26, 2023, kSundayJan1, 2023, 3, 9, 1},
        Case445{4, 1, 2023, kSundayJan1, 2023, 3, 13, 5},
        Case445{4, 2, 2023, kSundayJan1, 2023, 4, 1, 1},
        // 2017 has 53 weeks: its last week stays in period 12 as a second fifth week.
        Case445{1, 5, 2018, kSundayJan1, 2017, 12, 13, 5},
        Case445{1, 7, 2018, kSundayJan1, 2018, 1, 1, 1},
        // Weeks from Monday: 2023 starts on Monday 2 January.
        Case445{1, 1, 2023, WeekRules{0, true, 0}, 2022, 12, 13, 5},
        Case445{1, 2, 2023, WeekRules{0, true, 0}, 2023, 1, 1, 1},
        // One week later by the adjustment: 2023 starts on 8 January.
        Case445{1, 5, 2023, WeekRules{0, false, 1}, 2022, 12, 13, 5},
        Case445{1, 8, 2023, WeekRules{0, false, 1}, 2023, 1, 1, 1}));

// Periods follow each other without gaps: 4, 4 and 5 weeks a quarter, and a 53rd week added
// to the last period of a long year.
TEST(WeekNumberTest, PeriodsRunFourFourFiveWeeks) {
  for (const WeekRules& rules :
       {kSundayJan1, WeekRules{0, true, 0}, WeekRules{0, false, 1}, WeekRules{0, true, -1}}) {
    bool started = false;  // the first period seen may be cut short
    int length = 0;
    for (int day = kFirstUserDay; day < kLastUserDay; ++day) {
      ++length;
      const int index = PeriodIndex445(day, rules);
      const int next = PeriodIndex445(day + 1, rules);
      ASSERT_TRUE(next == index || next == index + 1) << day;
      if (next == index) continue;
      const int period = PeriodOfYear445(day, rules);
      ASSERT_EQ(PeriodOfYear445(day + 1, rules), period % 12 + 1) << day;
      const int weeks = period % 3 == 0 ? 5 : 4;
      ASSERT_TRUE(!started || length == 7 * weeks || (period == 12 && length == 7 * (weeks + 1)))
          << "period " << period << " ending " << day << " has " << length << " days";
      started = true;
      length = 0;
    }
  }
}

}  // namespace
}  // namespace ploven

namespace ploven {
namespace {

// The bounds of a day's period agree with the period numbers of the days around them.
TEST(WeekNumberTest, PeriodBoundsHoldTheDayAndNoMore) {
  // 2023 starts on Sunday 1 January: period 1 runs to 28 January, period 3 from 26 February
  // to 1 April; 2017's period 12 has six weeks, to 6 January 2018.
  const WeekRules sunday{0, false, 0};
  EXPECT_EQ(PeriodBounds445(MakeDay(1, 15, 2023), sunday).first, MakeDay(1, 1, 2023));
  EXPECT_EQ(PeriodBounds445(MakeDay(1, 15, 2023), sunday).last, MakeDay(1, 28, 2023));
  EXPECT_EQ(PeriodBounds445(MakeDay(3, 3, 2023), sunday).first, MakeDay(2, 26, 2023));
  EXPECT_EQ(PeriodBounds445(MakeDay(3, 3, 2023), sunday).last, MakeDay(4, 1, 2023));
  EXPECT_EQ(PeriodBounds445(MakeDay(12, 1, 2017), sunday).last, MakeDay(1, 6, 2018));
  EXPECT_EQ(PeriodBounds445(0, sunday).first, 0);
  for (const WeekRules& rules : {sunday, WeekRules{0, true, 0}, WeekRules{0, false, 2}}) {
    for (int day = MakeDay(1, 1, 2016); day < MakeDay(1, 1, 2019); day += 5) {
      const Period445 p = PeriodBounds445(day, rules);
      ASSERT_LE(p.first, day);
      ASSERT_GE(p.last, day);
      const int index = PeriodIndex445(day, rules);
      ASSERT_EQ(PeriodIndex445(p.first, rules), index) << day;
      ASSERT_EQ(PeriodIndex445(p.last, rules), index) << day;
      ASSERT_EQ(PeriodIndex445(p.first - 1, rules), index - 1) << day;
      ASSERT_EQ(PeriodIndex445(p.last + 1, rules), index + 1) << day;
    }
  }
}

}  // namespace
}  // namespace ploven
