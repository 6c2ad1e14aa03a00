#include "store/calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace ploven {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

// The civil calendar of the standard library, as an independent reference: day 1 is
// 1 January 1980.
year_month_day Civil(int day) {
  return year_month_day{sys_days{std::chrono::year{1980} / 1 / 1} + days{day - 1}};
}

TEST(CalendarTest, SplitDayMatchesTheCivilCalendarForEveryDay) {
  for (int day = 1; day <= kLastDay; ++day) {
    const CalendarDate split = SplitDay(day);
    const year_month_day civil = Civil(day);
    ASSERT_EQ(split.year, static_cast<int>(civil.year())) << day;
    ASSERT_EQ(split.month, static_cast<int>(static_cast<unsigned>(civil.month()))) << day;
    ASSERT_EQ(split.day, static_cast<int>(static_cast<unsigned>(civil.day()))) << day;
    ASSERT_EQ(split.dayOfYear, day - FirstOfYear(day) + 1) << day;
    ASSERT_EQ(MakeDay(split.month, split.day, split.year), day) << day;
    ASSERT_EQ(Weekday(day), static_cast<int>(std::chrono::weekday{sys_days{civil}}.c_encoding()))
        << day;
  }
}

TEST(CalendarTest, KnownDaysAndRefusedInput) {
  EXPECT_EQ(MakeDay(1, 1, 1980), 1);
  EXPECT_EQ(MakeDay(1, 1, 1981), 367);
  EXPECT_EQ(MakeDay(12, 31, 2068), 32508);
  EXPECT_EQ(MakeDay(6, 4, 96), 6000);   // 1900 + year
  EXPECT_EQ(MakeDay(1, 32, 1980), 32);  // runs on into February
  EXPECT_EQ(MakeDay(0, 1, 1990), 0);
  EXPECT_EQ(MakeDay(13, 1, 1990), 0);
  EXPECT_EQ(MakeDay(1, 1, -5), 0);
  EXPECT_EQ(SplitDay(5999).day, 3);
  for (int day : {0, -1, -32768, kLastDay + 1}) {
    const CalendarDate d = SplitDay(day);
    EXPECT_EQ(d.month + d.day + d.year + d.dayOfYear, 0) << day;
  }
  EXPECT_EQ(FirstOfYear(0), 0);
  EXPECT_TRUE(LeapYear(2000));
  EXPECT_FALSE(LeapYear(2100));
  EXPECT_EQ(DaysInMonth(2, 2100), 28);
  EXPECT_EQ(DaysInMonth(13, 2001), 0);
  EXPECT_EQ(Weekday(1), 2);             // Tuesday
  EXPECT_EQ(WeekdayMondayFirst(1), 1);  // Tuesday, weeks from Monday
  EXPECT_EQ(Weekday(-7), 1);            // a Monday of 1979
}

TEST(CalendarTest, WorkdaysStepOverTheWeekend) {
  const WorkWeek week;  // Monday to Friday
  const int friday = MakeDay(6, 7, 1996);
  EXPECT_EQ(NextDayFor(true, friday, week), friday + 3);
  EXPECT_EQ(NextDayFor(false, friday, week), friday + 1);
  EXPECT_EQ(PrevDayFor(true, friday + 3, week), friday);
  EXPECT_EQ(PrevDayFor(false, friday + 3, week), friday + 2);
  WorkWeek sundaysOnly;
  sundaysOnly.workdays = {true, false, false, false, false, false, false};
  EXPECT_EQ(sundaysOnly.NextWorkday(friday), friday + 2);
  EXPECT_EQ(sundaysOnly.PrevWorkday(friday), friday - 5);
  WorkWeek none;  // would never end the search
  none.workdays.fill(false);
  EXPECT_EQ(none.NextWorkday(6000), 6001);
  EXPECT_EQ(none.PrevWorkday(6000), 5999);
}

struct WeekendCase {
  int country;
  int firstWeekendDay;  // the two weekend days are this one and the next
};

class WeekendTest : public ::testing::TestWithParam<WeekendCase> {};

TEST_P(WeekendTest, TwoWeekendDaysByCountry) {
  const WeekendCase& c = GetParam();
  const int sunday = MakeDay(6, 2, 1996);
  for (int weekday = 0; weekday < 7; ++weekday) {
    const bool expected = weekday == c.firstWeekendDay || weekday == (c.firstWeekendDay + 1) % 7;
    EXPECT_EQ(IsWeekend(sunday + weekday, c.country), expected)
        << "country " << c.country << " weekday " << weekday;
  }
}

INSTANTIATE_TEST_SUITE_P(Countries, WeekendTest,
                         ::testing::Values(WeekendCase{1, 6}, WeekendCase{44, 6},
                                           WeekendCase{20, 4}, WeekendCase{213, 4},
                                           WeekendCase{212, 5}, WeekendCase{216, 5},
                                           WeekendCase{218, 5}, WeekendCase{222, 5}));

struct MonthStepCase {
  int fromMonth, fromDay, fromYear, months, toMonth, toDay, toYear;
};

class AddMonthsTest : public ::testing::TestWithParam<MonthStepCase> {};

TEST_P(AddMonthsTest, ClampsToTheTargetMonth) {
  const MonthStepCase& c = GetParam();
  EXPECT_EQ(AddMonths(MakeDay(c.fromMonth, c.fromDay, c.fromYear), c.months),
            MakeDay(c.toMonth, c.toDay, c.toYear));
}

INSTANTIATE_TEST_SUITE_P(Steps, AddMonthsTest,
                         ::testing::Values(MonthStepCase{1, 31, 2000, 1, 2, 29, 2000},
                                           MonthStepCase{3, 31, 2001, -1, 2, 28, 2001},
                                           MonthStepCase{1, 15, 2000, -13, 12, 15, 1998}));

TEST(CalendarTest, AddMonthsOfNoDateOrTooFarIsNoDate) {
  EXPECT_EQ(AddMonths(0, 1), 0);
  EXPECT_EQ(AddMonths(6000, 2000000000), 0);
  EXPECT_EQ(AddMonths(6000, -2000000000), 0);
}

class KeepWeekdayTest : public ::testing::TestWithParam<MonthStepCase> {};

TEST_P(KeepWeekdayTest, KeepsThePositionOfTheWeekday) {
  const MonthStepCase& c = GetParam();
  const int from = MakeDay(c.fromMonth, c.fromDay, c.fromYear);
  const int to = AddMonthsKeepWeekday(from, c.months);
  EXPECT_EQ(to, MakeDay(c.toMonth, c.toDay, c.toYear));
  EXPECT_EQ(Weekday(to), Weekday(from));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, KeepWeekdayTest,
    ::testing::Values(
        // Third Tuesday of June 1996 to the third Tuesday of July and of March.
        MonthStepCase{6, 18, 1996, 1, 7, 16, 1996}, MonthStepCase{6, 18, 1996, -3, 3, 19, 1996},
        // A fifth Thursday (30 May 1996) becomes the last Thursday of June.
        MonthStepCase{5, 30, 1996, 1, 6, 27, 1996},
        // A fourth Friday that is also the last (28 June 1996) stays the fourth Friday.
        MonthStepCase{6, 28, 1996, 1, 7, 26, 1996}));

struct MonthsBetweenCase {
  int a, b, expected;
};

class MonthsBetweenTest : public ::testing::TestWithParam<MonthsBetweenCase> {};

TEST_P(MonthsBetweenTest, CountsWholeMonths) {
  EXPECT_EQ(MonthsBetween(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, MonthsBetweenTest,
    ::testing::Values(MonthsBetweenCase{MakeDay(1, 31, 2000), MakeDay(2, 1, 2000), 0},
                      MonthsBetweenCase{MakeDay(1, 31, 2000), MakeDay(3, 1, 2000), 1},
                      MonthsBetweenCase{MakeDay(2, 1, 2000), MakeDay(1, 31, 2000), 0},
                      MonthsBetweenCase{MakeDay(3, 1, 2000), MakeDay(1, 31, 2000), -1},
                      MonthsBetweenCase{MakeDay(3, 15, 2000), MakeDay(1, 15, 2000), -2}));

struct UpcomingCase {
  int todayMonth, todayDay, todayYear, month, day, expectedYear;
};

class UpcomingDateTest : public ::testing::TestWithParam<UpcomingCase> {};

TEST_P(UpcomingDateTest, PicksTheNearestYear) {
  const UpcomingCase& c = GetParam();
  EXPECT_EQ(UpcomingDate(c.month, c.day, MakeDay(c.todayMonth, c.todayDay, c.todayYear)),
            MakeDay(c.month, c.day, c.expectedYear));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, UpcomingDateTest,
    ::testing::Values(UpcomingCase{12, 15, 2020, 1, 15, 2021},  // fell 11 months ago
                      UpcomingCase{1, 15, 2020, 12, 15, 2019},  // falls in 11 months
                      UpcomingCase{1, 15, 2020, 11, 15, 2020},  // exactly 10 months ahead
                      UpcomingCase{1, 15, 2020, 11, 16, 2019},  // a day beyond
                      UpcomingCase{6, 4, 1996, 6, 4, 1996},     // today
                      UpcomingCase{6, 4, 1996, 6, 3, 1996},     // yesterday stays past
                      UpcomingCase{6, 4, 1996, 3, 1, 1997}));   // passed long ago

TEST(CalendarTest, UpcomingLeapDayInACommonYearFallsOnTheTwentyEighth) {
  EXPECT_EQ(UpcomingDate(2, 29, MakeDay(2, 1, 2021)), MakeDay(2, 28, 2021));
  EXPECT_EQ(UpcomingDate(2, 29, MakeDay(2, 1, 2024)), MakeDay(2, 29, 2024));
  EXPECT_EQ(UpcomingDate(13, 1, 6000), 0);
  EXPECT_EQ(UpcomingDate(1, 1, 0), 0);
}

TEST(CalendarTest, NthWeekdayOfMonth) {
  EXPECT_EQ(NthWeekdayOfMonth(1, 1, 9, 2023), MakeDay(9, 4, 2023));     // first Monday
  EXPECT_EQ(NthWeekdayOfMonth(4, 4, 11, 2023), MakeDay(11, 23, 2023));  // fourth Thursday
  EXPECT_EQ(NthWeekdayOfMonth(0, 5, 2, 2024), MakeDay(2, 23, 2024));    // last Friday
  EXPECT_EQ(NthWeekdayOfMonth(-1, 4, 2, 2024), MakeDay(2, 29, 2024));   // last Thursday
  EXPECT_EQ(NthWeekdayOfMonth(5, 4, 2, 2024), 0);
  EXPECT_EQ(NthWeekdayOfMonth(1, 7, 2, 2024), 0);
}

class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    m_hadTz = tz != nullptr;
    if (m_hadTz) m_oldTz = tz;
    setenv("TZ", "America/New_York", 1);
    tzset();
  }
  void TearDown() override {
    if (m_hadTz) {
      setenv("TZ", m_oldTz.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  bool m_hadTz = false;
  std::string m_oldTz;
};

TEST_F(LocalTimeTest, ConvertsBothWays) {
  const std::time_t moment = ToTimeT(6000, 9 * 60 + 31);  // 4 June 1996 9:30 local
  EXPECT_EQ(moment, 833895000);                           // 13:30 UTC (daylight time)
  const DayAndTime back = FromTimeT(moment);
  EXPECT_EQ(back.day, 6000);
  EXPECT_EQ(back.time, 9 * 60 + 31);
  // A Midnight Shift time runs into the next day; no time is the start of the day.
  EXPECT_EQ(ToTimeT(6000, 1441 + 60), ToTimeT(6001, 61));
  EXPECT_EQ(ToTimeT(6000, 0), ToTimeT(6000, 1));
  EXPECT_EQ(ToTimeT(0, 1), static_cast<std::time_t>(-1));
  EXPECT_EQ(FromTimeT(0).day, 0);  // 1969 locally
}

TEST(CalendarTest, Hours) {
  EXPECT_EQ(HourOf(60), 0);
  EXPECT_EQ(HourOf(61), 1);
  EXPECT_EQ(HourOf(1441 + 90), 25);
  EXPECT_EQ(HourStart(60 + 45), 61);
}

TEST(CalendarTest, MidnightShift) {
  constexpr TimeOfDay kSeven = 7 * 60 + 1;
  constexpr TimeOfDay kOneAm = 60 + 1;
  EXPECT_TRUE(MidnightShiftOn(kSeven, kOneAm));
  EXPECT_TRUE(MidnightShiftOn(kSeven, kOneAm + 1440));  // as the settings store it
  EXPECT_EQ(MidnightShiftPoint(kSeven, kOneAm), 4 * 60 + 1);
  EXPECT_FALSE(MidnightShiftOn(kSeven, 23 * 60 + 1));
  EXPECT_FALSE(MidnightShiftOn(kSeven, 1440));  // 23:59
  EXPECT_FALSE(MidnightShiftOn(kSeven, 1));     // midnight itself
  EXPECT_FALSE(MidnightShiftOn(kSeven, 0));

  EXPECT_EQ(ApplyMidnightShift(1, kSeven, kOneAm), 1441);
  EXPECT_EQ(ApplyMidnightShift(4 * 60, kSeven, kOneAm), 4 * 60 + 1440);
  EXPECT_EQ(ApplyMidnightShift(4 * 60 + 1, kSeven, kOneAm), 4 * 60 + 1);
  EXPECT_EQ(ApplyMidnightShift(1441, kSeven, kOneAm), 1441);
  EXPECT_EQ(ApplyMidnightShift(1, kSeven, 23 * 60 + 1), 1);
}

}  // namespace
}  // namespace ploven
