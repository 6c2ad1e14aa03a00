#include "recur/beta_qualify.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "recur/month_rules.h"
#include "recur/moon.h"
#include "recur/recur_messages.h"
#include "store/calendar.h"

namespace ploven {
namespace {

int D(int year, int month, int day) { return MakeDay(month, day, year); }

constexpr uint8_t kMon = 1u << 1, kTue = 1u << 2, kFri = 1u << 5, kSun = 1u << 0;

// The bit of weekday g in week w (1..4) of the week-mode grid.
constexpr uint32_t Grid(int week, int weekday) { return 1u << (7 * (week - 1) + weekday); }
constexpr uint32_t Date(int dom) { return 1u << (dom - 1); }

Beta Record(uint8_t freq, int interval, int start, int end = 0) {
  Beta b;
  b.freq = freq;
  b.interval = static_cast<int16_t>(interval);
  b.startDate = static_cast<DayNumber>(start);
  b.endDate = static_cast<DayNumber>(end);
  return b;
}

std::vector<int> Occurrences(Beta b, int from, int to, const QualifyContext& context = {}) {
  std::vector<int> days;
  for (int d = from; d <= to; ++d) {
    if (QualifiesOn(b, static_cast<DayNumber>(d), context)) days.push_back(d);
  }
  return days;
}

TEST(BetaQualifyTest, DailyAndWeeklyCountFromTheStartDate) {
  // Every 2 weeks, Monday and Friday, from Wednesday 7 January 2026: blocks of seven days
  // from the start, so the first Monday is 5 days after it.
  Beta weekly = Record(kFreqWeekly, 2, D(2026, 1, 7));
  weekly.dayBits = kMon | kFri;
  EXPECT_EQ(Occurrences(weekly, D(2026, 1, 1), D(2026, 2, 10)),
            (std::vector<int>{D(2026, 1, 9), D(2026, 1, 12), D(2026, 1, 23), D(2026, 1, 26),
                              D(2026, 2, 6), D(2026, 2, 9)}));

  const int start = D(2026, 3, 4);
  Beta noDays = Record(kFreqWeekly, 3, start);
  EXPECT_EQ(Occurrences(noDays, start, start + 43),
            (std::vector<int>{start, start + 21, start + 42}));

  Beta daily = Record(kFreqDaily, 3, start, start + 9);
  EXPECT_EQ(Occurrences(daily, start - 5, start + 20),
            (std::vector<int>{start, start + 3, start + 6, start + 9}));

  // A damaged interval counts as 1 instead of dividing by zero; no Start Date means today.
  QualifyContext today;
  today.today = static_cast<DayNumber>(start);
  for (int bad : {0, -4}) {
    EXPECT_EQ(Occurrences(Record(kFreqDaily, bad, 0), start - 2, start + 2, today).size(), 3u);
    Beta mondays = Record(kFreqWeekly, bad, start);
    mondays.dayBits = kMon;
    EXPECT_EQ(Occurrences(mondays, start, start + 27).size(), 4u);
  }
}

TEST(BetaQualifyTest, YearlyKeepsMonthAndDay) {
  EXPECT_EQ(Occurrences(Record(kFreqYearly, 1, D(2008, 2, 29)), D(2008, 3, 1), D(2019, 12, 31)),
            (std::vector<int>{D(2012, 2, 29), D(2016, 2, 29)}));
  EXPECT_EQ(Occurrences(Record(kFreqYearly, 2, D(2026, 6, 10), D(2030, 12, 31)), D(2026, 6, 11),
                        D(2032, 1, 1)),
            (std::vector<int>{D(2028, 6, 10), D(2030, 6, 10)}));
}

TEST(BetaQualifyTest, WholeMonths) {
  struct Case {
    int a, b, months;
  } const cases[] = {
      {D(2026, 1, 15), D(2026, 2, 1), 0},  {D(2026, 1, 15), D(2026, 2, 15), 1},
      {D(2026, 1, 15), D(2026, 2, 14), 0}, {D(2026, 3, 1), D(2026, 1, 31), -1},
      {D(2024, 1, 31), D(2024, 2, 29), 0}, {D(2025, 12, 31), D(2026, 1, 31), 1},
      {D(2026, 4, 1), D(2026, 1, 15), -2},
  };
  for (const Case& c : cases) EXPECT_EQ(WholeMonths(c.a, c.b), c.months) << c.a << " " << c.b;
}

TEST(BetaQualifyTest, DatesBeyondTheMonthEndFallOnItsLastDay) {
  const auto monthly = [](uint32_t dates) {
    Beta b = Record(kFreqMonthly, 1, D(2023, 1, 1));
    b.dateBits = dates;
    return b;
  };
  const uint32_t kLast = kDateBitLast;
  EXPECT_EQ(Occurrences(monthly(kLast), D(2024, 1, 1), D(2024, 4, 30)),
            (std::vector<int>{D(2024, 1, 31), D(2024, 2, 29), D(2024, 3, 31), D(2024, 4, 30)}));
  EXPECT_EQ(Occurrences(monthly(Date(30)), D(2025, 1, 1), D(2025, 5, 31)),
            (std::vector<int>{D(2025, 1, 30), D(2025, 2, 28), D(2025, 3, 30), D(2025, 4, 30),
                              D(2025, 5, 30)}));
  EXPECT_EQ(Occurrences(monthly(Date(30)), D(2024, 2, 1), D(2024, 2, 29)),
            (std::vector<int>{D(2024, 2, 29)}));
  EXPECT_EQ(Occurrences(monthly(Date(29) | kLast), D(2025, 2, 1), D(2025, 3, 1)),
            (std::vector<int>{D(2025, 2, 28)}));
  EXPECT_EQ(Occurrences(monthly(Date(29)), D(2024, 2, 1), D(2024, 3, 1)),
            (std::vector<int>{D(2024, 2, 29)}));

  // Every 2 months on the 1st and 20th from 15 January: whole months count from the start.
  Beta twoMonthly = monthly(Date(1) | Date(20));
  twoMonthly.interval = 2;
  twoMonthly.startDate = static_cast<DayNumber>(D(2026, 1, 15));
  EXPECT_EQ(Occurrences(twoMonthly, D(2026, 1, 1), D(2026, 4, 30)),
            (std::vector<int>{D(2026, 1, 20), D(2026, 2, 1), D(2026, 3, 20), D(2026, 4, 1)}));

  // An empty grid: the Start Date's day of the month, in months that have it.
  EXPECT_EQ(Occurrences(Record(kFreqMonthly, 1, D(2026, 1, 31)), D(2026, 1, 1), D(2026, 5, 31)),
            (std::vector<int>{D(2026, 1, 31), D(2026, 3, 31), D(2026, 5, 31)}));
}

struct NearestCase {
  uint8_t days;
  uint8_t options;
  int dom;
  int from, to;  // the days searched, from a start well before
  std::vector<int> expected;
};

void PrintTo(const NearestCase& c, std::ostream* os) {
  *os << "date " << c.dom << ", days " << c.from << ".." << c.to;
}

class NearestDayOfWeekTest : public testing::TestWithParam<NearestCase> {};

TEST_P(NearestDayOfWeekTest, FindsTheWeekdayThatStandsForTheDate) {
  const NearestCase& c = GetParam();
  Beta b = Record(kFreqMonthly, 1, D(2026, 1, 1));
  b.dayBits = c.days;
  b.dateBits = Date(c.dom);
  b.betaOptions = static_cast<uint8_t>(kOptionNearestDay | c.options);
  EXPECT_EQ(Occurrences(b, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NearestDayOfWeekTest,
    testing::Values(
        // Thursday 21 May: Monday 18th (3 before) beats Monday 25th (4 after).
        NearestCase{kMon, 0, 21, D(2026, 5, 10), D(2026, 5, 31), {D(2026, 5, 18)}},
        // Friday 21 August: Monday 24th (3 after) beats Monday 17th (4 before).
        NearestCase{kMon, 0, 21, D(2026, 8, 10), D(2026, 8, 31), {D(2026, 8, 24)}},
        NearestCase{kMon, 0, 21, D(2026, 9, 10), D(2026, 9, 30), {D(2026, 9, 21)}},
        // Wednesday 21 January, Monday and Friday both 2 days away: the earlier wins.
        NearestCase{kMon | kFri, 0, 21, D(2026, 1, 10), D(2026, 1, 31), {D(2026, 1, 19)}},
        NearestCase{kMon, kOptionOnOrAfter, 21, D(2026, 5, 10), D(2026, 5, 31), {D(2026, 5, 25)}},
        NearestCase{kMon, kOptionOnOrBefore, 21, D(2026, 8, 10), D(2026, 8, 31), {D(2026, 8, 17)}},
        // Both directions: only a date that is itself an allowed weekday.
        NearestCase{
            kMon, kOptionOnOrAfter | kOptionOnOrBefore, 21, D(2026, 5, 1), D(2026, 5, 31), {}},
        NearestCase{kMon,
                    kOptionOnOrAfter | kOptionOnOrBefore,
                    21,
                    D(2026, 9, 1),
                    D(2026, 9, 30),
                    {D(2026, 9, 21)}},
        // Thursday 1 October stands on Monday 28 September, in the month before.
        NearestCase{kMon, 0, 1, D(2026, 9, 20), D(2026, 10, 10), {D(2026, 9, 28)}}));

TEST(BetaQualifyTest, NearestDayOfWeekCountsMonthsFromAWeekBeforeTheStart) {
  // Every 2 months on the 1st, Mondays, from Saturday 3 October 2026: months count from
  // 26 September, so Monday 2 November (for Sunday 1 November) is month 1 and skipped, and
  // Monday 30 November (for Tuesday 1 December) is month 2.
  Beta b = Record(kFreqMonthly, 2, D(2026, 10, 3));
  b.dayBits = kMon;
  b.dateBits = Date(1);
  b.betaOptions = kOptionNearestDay;
  EXPECT_EQ(Occurrences(b, D(2026, 10, 1), D(2026, 12, 31)), (std::vector<int>{D(2026, 11, 30)}));
}

TEST(BetaQualifyTest, LastWeekModeRowsAndTheLastRow) {
  // Second Tuesday and last Friday, every 2 months from 1 January 2026. Friday 27 February
  // is both in week 4 and in the last seven days and occurs once.
  Beta b = Record(kFreqMonthly, 2, D(2026, 1, 1));
  b.dateBits = kDateBitsLastWeek | Grid(2, 2) | Grid(4, 5);
  b.dayBits = kFri;
  EXPECT_EQ(Occurrences(b, D(2026, 1, 1), D(2026, 3, 31)),
            (std::vector<int>{D(2026, 1, 13), D(2026, 1, 23), D(2026, 1, 30), D(2026, 3, 10),
                              D(2026, 3, 27)}));
  b.interval = 1;
  EXPECT_EQ(Occurrences(b, D(2026, 2, 1), D(2026, 2, 28)),
            (std::vector<int>{D(2026, 2, 10), D(2026, 2, 27)}));
}

// The 4-4-5 year 2026 with Sunday weeks starts on the first Sunday, 4 January. Its periods are
// weeks 1-4 (4-31 January), 5-8 (1-28 February) and 9-13 (1 March - 4 April, five weeks), and
// so on per quarter. 1-3 January still belong to the last, five-week period of the 4-4-5 year
// 2025 (from 5 January 2025), so Friday 2 January 2026 is a fifth-week Friday.
TEST(BetaQualifyTest, FifthWeekModeFollowsThe445Calendar) {
  Beta b = Record(kFreqMonthly, 1, D(2025, 12, 1));
  b.dayBits = kDayBitsFifthWeek | kFri;
  b.dateBits = kDateBitsLastWeek | Grid(1, 1);  // Monday of week 1
  EXPECT_EQ(Occurrences(b, D(2026, 1, 1), D(2026, 4, 10)),
            (std::vector<int>{D(2026, 1, 2), D(2026, 1, 5), D(2026, 2, 2), D(2026, 3, 2),
                              D(2026, 4, 3), D(2026, 4, 6)}));

  QualifyContext mondayWeeks;
  mondayWeeks.weekStartsMonday = true;
  Beta sunday = b;
  sunday.dateBits = kDateBitsLastWeek | Grid(1, 0);
  sunday.dayBits = kDayBitsFifthWeek;
  EXPECT_EQ(Occurrences(sunday, D(2026, 1, 1), D(2026, 1, 31)), (std::vector<int>{D(2026, 1, 4)}));
  EXPECT_EQ(Occurrences(sunday, D(2026, 1, 1), D(2026, 1, 31), mondayWeeks),
            (std::vector<int>{D(2026, 1, 11)}));

  // A year later by one week: 4-10 January close the 4-4-5 year 2025.
  QualifyContext adjusted;
  adjusted.yearFirstWeekAdjust = 1;
  EXPECT_EQ(Occurrences(b, D(2026, 1, 1), D(2026, 1, 31), adjusted),
            (std::vector<int>{D(2026, 1, 9), D(2026, 1, 12)}));

  // Every 5 periods from the fifth week of period 12 of 2025: the January days of that period
  // are period 12 of 2025, not of 2026.
  Beta everyFifth = Record(kFreqMonthly, 5, D(2025, 12, 28));
  everyFifth.dayBits = kDayBitsFifthWeek | kFri;
  everyFifth.dateBits = kDateBitsLastWeek;
  EXPECT_EQ(Occurrences(everyFifth, D(2025, 12, 28), D(2026, 1, 10)),
            (std::vector<int>{D(2026, 1, 2)}));

  // The 4-4-5 year 2017 (1 January 2017 - 6 January 2018) has 53 weeks; the 53rd is a second
  // fifth week of period 12, not a first week.
  Beta lastOf2017 = Record(kFreqMonthly, 1, D(2017, 1, 1));
  lastOf2017.dayBits = kDayBitsFifthWeek | kSun;
  lastOf2017.dateBits = kDateBitsLastWeek | Grid(1, 0);
  EXPECT_EQ(Occurrences(lastOf2017, D(2017, 11, 20), D(2018, 1, 10)),
            (std::vector<int>{D(2017, 11, 26), D(2017, 12, 24), D(2017, 12, 31), D(2018, 1, 7)}));
}

TEST(BetaQualifyTest, SeasonsRepeatEveryYearWithinTheRange) {
  Beta winter = Record(kFreqDaily, 1, D(2008, 12, 25), D(2011, 1, 2));
  winter.betaOptions = kOptionSeasonal;
  std::vector<int> expected;
  for (int year = 2008; year <= 2010; ++year) {
    for (int d = D(year, 12, 25); d <= D(year + 1, 1, 2); ++d) expected.push_back(d);
  }
  EXPECT_EQ(Occurrences(winter, D(2008, 11, 1), D(2011, 2, 1)), expected);

  QualifyContext light;
  light.lightMode = true;
  EXPECT_EQ(Occurrences(winter, D(2008, 11, 1), D(2011, 2, 1), light).size(),
            static_cast<size_t>(D(2011, 1, 2) - D(2008, 12, 25) + 1));

  // The same day of the year at both ends is a whole year, whichever end is the leap year.
  for (const auto& [from, to] :
       {std::pair{D(2008, 3, 10), D(2010, 3, 10)}, std::pair{D(2009, 3, 10), D(2012, 3, 10)}}) {
    Beta all = Record(kFreqDaily, 1, from, to);
    all.betaOptions = kOptionSeasonal;
    EXPECT_EQ(Occurrences(all, from, to).size(), static_cast<size_t>(to - from + 1));
  }
  Beta leapDay = Record(kFreqDaily, 1, D(2008, 2, 29), D(2009, 3, 1));
  leapDay.betaOptions = kOptionSeasonal;
  EXPECT_EQ(Occurrences(leapDay, D(2008, 1, 1), D(2009, 12, 31)),
            (std::vector<int>{D(2008, 2, 29), D(2008, 3, 1), D(2009, 3, 1)}));
}

TEST(BetaQualifyTest, FullMoonsOnly) {
  QualifyContext morning;
  morning.moonMorning = true;
  Beta b = Record(kFreqDaily, 1, D(2026, 1, 1), D(2026, 12, 31));
  b.betaOptions = kOptionFullMoons;
  const std::vector<int> moons = Occurrences(b, D(2026, 1, 1), D(2026, 12, 31), morning);
  ASSERT_EQ(moons.size(), 13u);  // 2026 has thirteen full moons
  for (int known : {D(2026, 1, 3), D(2026, 3, 3), D(2026, 4, 2), D(2026, 7, 29), D(2026, 9, 26),
                    D(2026, 11, 24), D(2026, 12, 24)}) {
    EXPECT_NE(std::find(moons.begin(), moons.end(), known), moons.end()) << known;
  }
  // Counted from the evening before, and moved by the time zone.
  EXPECT_TRUE(IsFullMoonDay(static_cast<DayNumber>(D(2026, 4, 1)), false, 0));
  EXPECT_TRUE(IsFullMoonDay(static_cast<DayNumber>(D(2026, 9, 25)), false, 300));
  EXPECT_FALSE(IsFullMoonDay(static_cast<DayNumber>(D(2026, 9, 26)), false, 300));

  QualifyContext light = morning;
  light.lightMode = true;
  EXPECT_EQ(Occurrences(b, D(2026, 1, 1), D(2026, 1, 31), light).size(), 31u);

  // The daily step of the phase is wider than the window: no lunation may be skipped and none
  // counted twice.
  int last = 0;
  for (int d = D(1990, 1, 1); d <= D(2060, 12, 31); ++d) {
    if (!IsFullMoonDay(static_cast<DayNumber>(d), true, 0)) continue;
    if (last != 0) {
      ASSERT_GE(d - last, 29) << d;
      ASSERT_LE(d - last, 30) << d;
    }
    last = d;
  }
}

TEST(BetaQualifyTest, ARecordWithoutFrequencyBecomesDaily) {
  QualifyContext context;
  context.today = static_cast<DayNumber>(D(2026, 12, 8));
  Beta b = Record(kBringForwardShiftStart, 0, 0);
  bool healed = false;
  EXPECT_TRUE(QualifiesOn(b, static_cast<DayNumber>(context.today + 3), context, &healed));
  EXPECT_TRUE(healed);
  EXPECT_EQ(b.freq, kBringForwardShiftStart | kFreqDaily);
  EXPECT_EQ(b.startDate, context.today);
  EXPECT_EQ(b.interval, 1);
  EXPECT_NE(std::string(recur_text::kNoTypeFlags).find("no type flags"), std::string::npos);

  Beta daily = Record(kFreqDaily, 1, context.today);
  healed = false;
  EXPECT_TRUE(QualifiesOn(daily, context.today, context, &healed));
  EXPECT_FALSE(healed);
  EXPECT_FALSE(QualifiesOn(daily, 0, context));
}

}  // namespace
}  // namespace ploven
