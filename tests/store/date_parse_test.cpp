#include "store/date_parse.h"

#include <gtest/gtest.h>

#include "store/calendar.h"
#include "store/date_messages.h"

namespace ploven {
namespace {

constexpr DayNumber kToday = 6000;  // Tuesday 4 June 1996

ParseContext Context() {
  ParseContext context;
  context.today = kToday;
  context.now = 14 * 60 + 21;
  context.viewed = kToday + 10;
  return context;
}

DateText InOrder(int iDate) {
  DateText text;
  text.regional.iDate = iDate;
  return text;
}

int Day(int month, int day, int year) { return MakeDay(month, day, year); }

struct DateCase {
  const char* text;
  int iDate;
  int expected;  // 0: refused
};

class ParseDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(ParseDateTest, ReadsOrRefuses) {
  const DateCase& c = GetParam();
  const ParseResult<DayNumber> result = ParseDate(c.text, InOrder(c.iDate), Context());
  if (c.expected == 0) {
    EXPECT_FALSE(result.value.has_value()) << c.text << " gave " << result.value.value_or(0);
    EXPECT_FALSE(result.message.empty()) << c.text;
  } else {
    ASSERT_TRUE(result.value.has_value()) << c.text << ": " << result.message;
    EXPECT_EQ(*result.value, c.expected) << c.text;
    EXPECT_TRUE(result.message.empty()) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Relative, ParseDateTest,
    ::testing::Values(DateCase{"0", 0, kToday}, DateCase{" TOD ", 0, kToday},
                      DateCase{"tom", 0, kToday + 1}, DateCase{"yes", 0, kToday - 1},
                      DateCase{"to", 0, 0}, DateCase{"todays", 0, 0}, DateCase{"3", 0, kToday + 3},
                      DateCase{"-3D", 0, kToday - 3}, DateCase{"2w", 0, kToday + 14},
                      DateCase{"-1m", 0, Day(5, 4, 1996)}, DateCase{"1y", 0, Day(6, 4, 1997)},
                      DateCase{"3d*", 0, kToday + 13}, DateCase{"0*", 0, kToday + 10},
                      DateCase{"999", 0, kToday + 999}, DateCase{"1000", 0, 0},
                      DateCase{"999y", 0, 0}, DateCase{"3x", 0, 0}, DateCase{"3d**", 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    Weekdays, ParseDateTest,
    ::testing::Values(DateCase{"wed", 0, kToday + 1}, DateCase{"Tuesday", 0, kToday + 7},
                      DateCase{"h", 0, kToday + 2}, DateCase{"r", 0, kToday + 2},
                      DateCase{"th", 0, kToday + 2}, DateCase{"sa", 0, kToday + 4},
                      DateCase{"th 2", 0, kToday + 16}, DateCase{"fri1", 0, kToday + 10},
                      DateCase{"s", 0, 0}, DateCase{"t", 0, 0}, DateCase{"fri 100", 0, 0},
                      DateCase{"fridays", 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    Calendar, ParseDateTest,
    ::testing::Values(DateCase{"6/4/96", 0, kToday}, DateCase{"6 4 96", 0, kToday},
                      DateCase{"June 4, 1996", 0, kToday}, DateCase{"jun 4 96", 0, kToday},
                      DateCase{"4 June 1996", 0, kToday}, DateCase{"4 jun 96", 1, kToday},
                      DateCase{"96/6/4", 2, kToday}, DateCase{"6/4", 0, kToday},
                      DateCase{"4/6", 1, kToday}, DateCase{"6/4", 2, 0},
                      DateCase{"8/1", 0, Day(8, 1, 1996)}, DateCase{"2/29/96", 0, Day(2, 29, 1996)},
                      DateCase{"1/5/00", 0, Day(1, 5, 2000)}, DateCase{"12/31/68", 0, 32508},
                      DateCase{"4/18/86", 0, 2300}, DateCase{"4/17/86", 0, 0},
                      DateCase{"1/1/79", 0, 0}, DateCase{"1/1/2069", 0, 0},
                      DateCase{"13/1/96", 0, 0}, DateCase{"2/30/96", 0, 0},
                      DateCase{"2/29/97", 0, 0}, DateCase{"4/31", 0, 0}, DateCase{"6/4/96/1", 0, 0},
                      DateCase{"june/july/96", 0, 0}, DateCase{"junk 4 96", 0, 0},
                      DateCase{"6;4;96", 0, 0}, DateCase{"06  /  04  /   1996", 0, kToday},
                      DateCase{"06  /  04  /    1996", 0, 0}, DateCase{"", 0, 0}));

TEST(ParseDateTest, AMissingYearIsTheNearestOne) {
  ParseContext context = Context();
  const DateText text;
  context.today = static_cast<DayNumber>(Day(12, 15, 2020));
  EXPECT_EQ(ParseDate("1/15", text, context).value, Day(1, 15, 2021));  // fell 11 months ago
  context.today = static_cast<DayNumber>(Day(1, 15, 2020));
  EXPECT_EQ(ParseDate("12/15", text, context).value, Day(12, 15, 2019));  // in 11 months
  // 29 February needs a leap year in the year that is chosen.
  EXPECT_EQ(ParseDate("2/29", text, context).value, Day(2, 29, 2020));
  context.today = static_cast<DayNumber>(Day(1, 15, 2021));
  EXPECT_FALSE(ParseDate("2/29", text, context).value.has_value());
}

TEST(ParseDateTest, MessagesSayWhy) {
  const DateText text;
  EXPECT_EQ(ParseDate("junk", text, Context()).message,
            "Ploven could not read \"junk\" as a date.");
  EXPECT_EQ(ParseDate("1/1/80", text, Context()).message, kDateOutOfRange);
  EXPECT_EQ(ParseDate("999y", text, Context()).message, kDateOutOfRange);
  ParseContext noToday = Context();
  noToday.today = kNoDate;
  EXPECT_FALSE(ParseDate("today", text, noToday).value.has_value());
  EXPECT_FALSE(ParseDate("3d", text, noToday).value.has_value());
  EXPECT_FALSE(ParseDate("6/4", text, noToday).value.has_value());
}

TEST(ParseDateTest, ReadsBackEveryFormattedDate) {
  for (int iDate = 0; iDate <= 2; ++iDate) {
    DateText text = InOrder(iDate);
    text.regional.sShortDate = iDate == 0 ? "mm/dd/yy" : (iDate == 1 ? "d.M.yyyy" : "yy-MM-dd");
    for (int day = kFirstUserDay; day <= kLastUserDay; day += 7) {
      const std::string shown = FormatDate(static_cast<DayNumber>(day), text);
      const ParseResult<DayNumber> back = ParseDate(shown, text, Context());
      ASSERT_EQ(back.value, day) << shown << ": " << back.message;
      ASSERT_EQ(
          ParseDate(FormatDateNumeric(static_cast<DayNumber>(day), text), text, Context()).value,
          day);
    }
  }
}

struct TimeCase {
  const char* text;
  int expected;  // 0: refused
};

constexpr int At(int hour, int minute) { return hour * 60 + minute + 1; }

class ParseTimeTwelveHourTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ParseTimeTwelveHourTest, ReadsOrRefuses) {
  const TimeCase& c = GetParam();
  const ParseResult<TimeOfDay> result = ParseTime(c.text, DateText{}, Context());
  if (c.expected == 0) {
    EXPECT_FALSE(result.value.has_value()) << c.text << " gave " << result.value.value_or(0);
    EXPECT_EQ(result.message,
              "Ploven could not read \"" + std::string(c.text) + "\" as a time of day.");
  } else {
    EXPECT_EQ(result.value, c.expected) << c.text << ": " << result.message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Times, ParseTimeTwelveHourTest,
    ::testing::Values(
        TimeCase{"5:30", At(17, 30)}, TimeCase{"05:30", At(5, 30)}, TimeCase{"6:00", At(6, 0)},
        TimeCase{"11:59", At(11, 59)}, TimeCase{"12:00", At(12, 0)}, TimeCase{"5:59", At(17, 59)},
        TimeCase{"1", At(13, 0)}, TimeCase{"23", At(23, 0)}, TimeCase{"0", At(0, 0)},
        TimeCase{"530", At(17, 30)}, TimeCase{"0530", At(5, 30)}, TimeCase{"13:00", At(13, 0)},
        TimeCase{"5.30", At(17, 30)}, TimeCase{"5:3", At(17, 30)}, TimeCase{"12am", At(0, 0)},
        TimeCase{"12:30 AM", At(0, 30)}, TimeCase{"5:30am", At(5, 30)}, TimeCase{"11:59 PM", 1440},
        TimeCase{"1p", At(13, 0)}, TimeCase{"8 p.m.", At(20, 0)}, TimeCase{"13:00pm", At(13, 0)},
        TimeCase{"noon", kNoon}, TimeCase{"NOW", At(14, 20)}, TimeCase{"24", 0}, TimeCase{"59", 0},
        TimeCase{"5:60", 0}, TimeCase{"575", 0}, TimeCase{"13am", 0}, TimeCase{"0pm", 0},
        TimeCase{"5::30", 0}, TimeCase{"pm", 0}, TimeCase{"", 0}));

TEST(ParseTimeTest, TwentyFourHourClockTakesTimesAsWritten) {
  DateText text;
  text.regional.iTime = 1;
  EXPECT_EQ(ParseTime("5:30", text, Context()).value, At(5, 30));
  EXPECT_EQ(ParseTime("1", text, Context()).value, At(1, 0));
  EXPECT_EQ(ParseTime("5:30pm", text, Context()).value, At(17, 30));
  text.regional.sTime = 'h';
  EXPECT_EQ(ParseTime("17h30", text, Context()).value, At(17, 30));
}

TEST(ParseTimeTest, MidnightShiftMovesEarlyHoursToThePreviousDay) {
  ParseContext context = Context();
  context.earliestTimeOfDay = At(7, 0);
  context.latestTimeOfDay = At(1, 0) + 1440;  // midnight delayed until 4:00
  const DateText text;
  EXPECT_EQ(ParseTime("12:30am", text, context).value, At(0, 30) + 1440);
  EXPECT_EQ(ParseTime("0:00", text, context).value, At(0, 0) + 1440);
  EXPECT_EQ(ParseTime("3:59am", text, context).value, At(3, 59) + 1440);
  EXPECT_EQ(ParseTime("4:00am", text, context).value, At(4, 0));
  EXPECT_EQ(ParseTime("5:30", text, context).value, At(17, 30));
  context.latestTimeOfDay = At(23, 0);
  EXPECT_EQ(ParseTime("12:30am", text, context).value, At(0, 30));
}

struct DurationCase {
  const char* text;
  int expected;
  const char* message;  // nullptr: none; "": the unreadable-text message
};

void ExpectParsed(const ParseResult<Duration>& result, const DurationCase& c,
                  const char* unreadablePattern) {
  if (c.message == nullptr) {
    EXPECT_EQ(result.value, c.expected) << c.text << ": " << result.message;
    EXPECT_TRUE(result.message.empty()) << c.text;
    return;
  }
  std::string expected = c.message;
  if (expected.empty()) {
    expected = unreadablePattern;
    expected.replace(expected.find("%s"), 2, c.text);
  }
  EXPECT_EQ(result.message, expected) << c.text;
  if (std::string(c.message) == kNoAdditionInField) {
    EXPECT_EQ(result.value, 0) << c.text;
  } else {
    EXPECT_FALSE(result.value.has_value()) << c.text;
  }
}

class ParseDurationTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(ParseDurationTest, ReadsOrRefuses) {
  ExpectParsed(ParseDuration(GetParam().text, DateText{}), GetParam(), kUnreadableDuration);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, ParseDurationTest,
    ::testing::Values(DurationCase{"1:2", 80, nullptr}, DurationCase{"1:02", 62, nullptr},
                      DurationCase{"2:", 120, nullptr}, DurationCase{"130", 90, nullptr},
                      DurationCase{"100", 60, nullptr}, DurationCase{":45", 45, nullptr},
                      DurationCase{":5", 5, nullptr}, DurationCase{":90", 90, nullptr},
                      DurationCase{"1.30", 90, nullptr}, DurationCase{" 1:30 pm ", 90, nullptr},
                      DurationCase{"45m", 45, nullptr}, DurationCase{"0", 0, nullptr},
                      DurationCase{"memo", 0, nullptr}, DurationCase{"500:00", 30000, nullptr},
                      DurationCase{"50000", 30000, nullptr},
                      DurationCase{"501:00", 0, kDurationOutOfRange},
                      DurationCase{"99999", 0, kDurationOutOfRange},
                      DurationCase{"100000", 0, kDurationOutOfRange},
                      DurationCase{"123456789012", 0, kDurationOutOfRange},
                      DurationCase{"1+1", 0, kNoAdditionInField}, DurationCase{"1h", 0, ""},
                      DurationCase{"-30", 0, ""}, DurationCase{"1:75", 0, ""},
                      DurationCase{"175", 0, ""}, DurationCase{"1:2:3", 0, ""},
                      DurationCase{"pm", 0, ""}, DurationCase{"", 0, ""}));

class ParseOffsetTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(ParseOffsetTest, ReadsOrRefuses) {
  ExpectParsed(ParseOffset(GetParam().text, DateText{}), GetParam(), kUnreadableOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, ParseOffsetTest,
    ::testing::Values(DurationCase{"2", 120, nullptr}, DurationCase{"02", 2, nullptr},
                      DurationCase{"24", 1440, nullptr}, DurationCase{"25", 25, nullptr},
                      DurationCase{"-2", -120, nullptr}, DurationCase{"-24", -1440, nullptr},
                      DurationCase{"130", 90, nullptr}, DurationCase{"-1:30", -90, nullptr},
                      DurationCase{"-:15", -15, nullptr}, DurationCase{"2400", 1440, nullptr},
                      DurationCase{"0", 0, nullptr}, DurationCase{"memo", 0, nullptr},
                      DurationCase{"2401", 0, kOffsetOutOfRange},
                      DurationCase{"-2401", 0, kOffsetOutOfRange},
                      DurationCase{"24:01", 0, kOffsetOutOfRange},
                      DurationCase{":1441", 0, kOffsetOutOfRange},
                      DurationCase{"+5", 0, kNoAdditionInField}, DurationCase{"1-2", 0, ""},
                      DurationCase{"2x", 0, ""}));

TEST(ParseRoundTripTest, FormattedTimesAndDurationsReadBack) {
  DateText twelve;
  DateText twentyFour;
  twentyFour.regional.iTime = 1;
  ParseContext context = Context();
  for (int t = 1; t <= 1440; ++t) {
    const auto time = static_cast<TimeOfDay>(t);
    ASSERT_EQ(ParseTime(FormatTimePadded(time, twelve), twelve, context).value, t);
    ASSERT_EQ(ParseTime(FormatTime(time, twelve), twelve, context).value, t);
    ASSERT_EQ(ParseTime(FormatTimeShort(time, twelve), twelve, context).value, t);
    ASSERT_EQ(ParseTime(FormatTimePadded(time, twentyFour), twentyFour, context).value, t);
    ASSERT_EQ(ParseTime(FormatTime(time, twentyFour), twentyFour, context).value, t);
  }
  for (int d = 0; d <= kMaxItemDuration; ++d) {
    ASSERT_EQ(ParseDuration(FormatDuration(d, twelve), twelve).value, d);
    ASSERT_EQ(ParseDuration(FormatDurationPadded(d, twelve), twelve).value, d);
  }
  for (int d = -1440; d <= 1440; ++d) {
    ASSERT_EQ(ParseOffset(FormatOffset(d, twelve), twelve).value, d);
  }
}

}  // namespace
}  // namespace ploven
