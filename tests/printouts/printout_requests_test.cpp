#include "printouts/printout_requests.h"

#include <gtest/gtest.h>

#include "mock/test_env.h"
#include "store/calendar.h"

namespace ploven::test {
namespace {

constexpr DayNumber kToday = TestEnv::kToday;  // Tuesday 8 December 2026

DayNumber Date(int month, int day, int year) { return static_cast<DayNumber>(MakeDay(month, day, year)); }

struct SpanCase {
  const char* name;
  CalendarSpan span;
  bool monday;
  DayNumber from, to;
  CalendarFormat format;
  int monthsPerPage;
};

class CalendarRequestTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(CalendarRequestTest, TheSpanThatHoldsTheDay) {
  const SpanCase& c = GetParam();
  const PrintoutRequest r = CalendarRequest(c.span, kToday, c.monday);
  EXPECT_EQ(r.kind, PrintoutKind::kCalendar);
  EXPECT_EQ(r.from, c.from);
  EXPECT_EQ(r.to, c.to);
  EXPECT_EQ(r.calendarFormat, c.format);
  EXPECT_EQ(r.monthsPerPage, c.monthsPerPage);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, CalendarRequestTest,
    ::testing::Values(
        SpanCase{"WeekFromSunday", CalendarSpan::kWeek, false, Date(12, 6, 2026),
                 Date(12, 12, 2026), CalendarFormat::kWeeks, 1},
        SpanCase{"WeekFromMonday", CalendarSpan::kWeek, true, Date(12, 7, 2026),
                 Date(12, 13, 2026), CalendarFormat::kWeeks, 1},
        SpanCase{"FourWeeks", CalendarSpan::kFourWeeks, true, Date(12, 7, 2026),
                 Date(1, 3, 2027), CalendarFormat::kWeeks, 1},
        SpanCase{"Month", CalendarSpan::kMonth, true, Date(12, 1, 2026), Date(12, 31, 2026),
                 CalendarFormat::kMonths, 1},
        SpanCase{"Quarter", CalendarSpan::kQuarter, true, Date(10, 1, 2026), Date(12, 31, 2026),
                 CalendarFormat::kMonths, 3}),
    [](const ::testing::TestParamInfo<SpanCase>& param) { return std::string(param.param.name); });

TEST(MyPrintoutRequests, InTheirOrderAndOnlyTheChosenOnes) {
  EXPECT_TRUE(MyPrintoutRequests(MyPrintouts{false, false, false, false, false}, kToday, true)
                  .empty());
  const auto all = MyPrintoutRequests(MyPrintouts{true, true, true, true, true}, kToday, true);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0].kind, PrintoutKind::kDayView);
  EXPECT_EQ(all[0].from, kToday);
  EXPECT_EQ(all[1].to - all[1].from, 6);
  EXPECT_EQ(all[2].from, Date(12, 1, 2026));
  EXPECT_EQ(all[3].kind, PrintoutKind::kPriorityView);
  EXPECT_TRUE(all[3].firstPageOnly);
  EXPECT_EQ(all[4].kind, PrintoutKind::kUnderscoredItems);
}

TEST(CalendarFormatNamed, KnowsItsThreeNames) {
  EXPECT_EQ(CalendarFormatNamed("weeks"), CalendarFormat::kWeeks);
  EXPECT_EQ(CalendarFormatNamed("months"), CalendarFormat::kMonths);
  EXPECT_EQ(CalendarFormatNamed("list"), CalendarFormat::kList);
  EXPECT_FALSE(CalendarFormatNamed("Weeks").has_value());
  EXPECT_FALSE(CalendarFormatNamed("").has_value());
}

}  // namespace
}  // namespace ploven::test
