#include "store/date_format.h"

#include <gtest/gtest.h>

#include "store/calendar.h"

namespace ploven {
namespace {

constexpr DayNumber kJune4th1996 = 6000;  // a Tuesday

DateText TwelveHour() { return {}; }

DateText TwentyFourHour() {
  DateText text;
  text.regional.iTime = 1;
  return text;
}

DateText WithLeadingZero(DateText text) {
  text.regional.iTLZero = 1;
  return text;
}

struct TimeCase {
  TimeOfDay time;
  const char* twelve;
  const char* twentyFour;
};

class FormatTimeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FormatTimeTest, ByClock) {
  EXPECT_EQ(FormatTime(GetParam().time, TwelveHour()), GetParam().twelve);
  EXPECT_EQ(FormatTime(GetParam().time, TwentyFourHour()), GetParam().twentyFour);
}

INSTANTIATE_TEST_SUITE_P(
    Times, FormatTimeTest,
    ::testing::Values(TimeCase{1, "12:00am", "0:00"}, TimeCase{61, "1:00am", "1:00"},
                      TimeCase{720, "11:59am", "11:59"}, TimeCase{721, "12:00pm", "12:00"},
                      TimeCase{781, "1:00pm", "13:00"}, TimeCase{1440, "11:59pm", "23:59"},
                      // shifted
                      TimeCase{1441 + 90, "1:30am", "1:30"}, TimeCase{2880, "11:59pm", "23:59"},
                      TimeCase{0, "", ""}));

TEST(FormatTimeTest, ShortAndPaddedForms) {
  constexpr TimeOfDay k905 = 9 * 60 + 5 + 1;
  constexpr TimeOfDay k1730 = 17 * 60 + 30 + 1;
  EXPECT_EQ(FormatTimeShort(k905, TwelveHour()), " 9:05a");
  EXPECT_EQ(FormatTimeShort(k905, WithLeadingZero(TwelveHour())), "09:05a");
  EXPECT_EQ(FormatTimeShort(k1730, TwelveHour()), " 5:30p");
  EXPECT_EQ(FormatTimeShort(k905, TwentyFourHour()), "9:05");
  EXPECT_EQ(FormatTimeShort(k905, WithLeadingZero(TwentyFourHour())), "09:05");
  EXPECT_EQ(FormatTimePadded(k1730, TwelveHour()), "05:30 pm");
  EXPECT_EQ(FormatTimePadded(6, TwelveHour()), "12:05 am");
  EXPECT_EQ(FormatTimePadded(6, TwentyFourHour()), "00:05");
  EXPECT_EQ(FormatTimePadded(k1730, TwentyFourHour()), "17:30");
}

TEST(FormatTimeTest, UsesTheTimeSeparator) {
  DateText text = TwentyFourHour();
  text.regional.sTime = '.';
  EXPECT_EQ(FormatTime(17 * 60 + 31, text), "17.30");
  EXPECT_EQ(FormatDuration(90, text), "1.30");
}

struct PictureCase {
  const char* picture;
  int day;
  const char* expected;
};

class FormatDateTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(FormatDateTest, ByThePicture) {
  DateText text;
  text.regional.sShortDate = GetParam().picture;
  EXPECT_EQ(FormatDate(static_cast<DayNumber>(GetParam().day), text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FormatDateTest,
    ::testing::Values(PictureCase{"mm/dd/yy", kJune4th1996, "06/04/96"},
                      PictureCase{"M/d/yyyy", kJune4th1996, "6/4/1996"},
                      PictureCase{"yyyy-MM-dd", 32508, "2068-12-31"},
                      PictureCase{"dd-MMM-yy", kJune4th1996, "04-06-96"},
                      PictureCase{"d MMM yyyy", kJune4th1996, "4 Jun 1996"},
                      PictureCase{"dddd d MMMM", kJune4th1996, "Tuesday 4 Jun"},
                      PictureCase{"ddd d 'de' MMM", kJune4th1996, "Tue 4 de Jun"},
                      PictureCase{"yy/m/d", MakeDay(1, 2, 2003), "03/1/2"},
                      PictureCase{"mm/dd/yy", -1, "#####"}, PictureCase{"mm/dd/yy", 0, ""}));

TEST(FormatDateTest, NumericFormsFollowTheDateOrder) {
  DateText text;
  text.regional.sDate = '-';
  const auto day = static_cast<DayNumber>(MakeDay(3, 7, 2005));
  EXPECT_EQ(FormatDateNumeric(day, text), "03-07-05");
  EXPECT_EQ(FormatDateShort(day, text), "3-7");
  EXPECT_EQ(FormatDateShort2(day, text), "03-07");
  text.regional.iDate = 1;
  EXPECT_EQ(FormatDateNumeric(day, text), "07-03-05");
  EXPECT_EQ(FormatDateShort(day, text), "7-3");
  EXPECT_EQ(FormatDateShort2(day, text), "07-03");
  text.regional.iDate = 2;
  EXPECT_EQ(FormatDateNumeric(day, text), "05-03-07");
  EXPECT_EQ(FormatDateShort(day, text), "3-7");
  EXPECT_EQ(FormatDateMDY(day), "3/7/05");
  EXPECT_EQ(FormatDateNumeric(0, text), "");
  EXPECT_EQ(FormatDateShort(-1, text), "#####");
}

TEST(FormatDateTest, WithWeekdays) {
  const DateText text;
  EXPECT_EQ(FormatDateLong(kJune4th1996, text), "Tuesday, 06/04/96");
  EXPECT_EQ(FormatDateDay(kJune4th1996, text), "Tue 06/04/96");
  EXPECT_EQ(FormatDateLong(0, text), "");
  EXPECT_EQ(FormatDateDay(-1, text), "#####");
}

TEST(FormatDateTest, RelativeToAReference) {
  const DateText text;
  const DayNumber today = kJune4th1996;
  EXPECT_EQ(FormatDateRelative(today - 1, today, today, text), "yesterday");
  EXPECT_EQ(FormatDateRelative(today - 1, today + 3, today, text), "Monday");
  EXPECT_EQ(FormatDateRelative(today, today, today, text), "Tuesday");
  EXPECT_EQ(FormatDateRelative(today - 6, today, today, text), "Wednesday");
  EXPECT_EQ(FormatDateRelative(today + 6, today, today, text), "Monday");
  EXPECT_EQ(FormatDateRelative(today - 7, today, today, text), "05/28/96");
  EXPECT_EQ(FormatDateRelative(today + 7, today, today, text), "06/11/96");
}

TEST(FormatNamesTest, CutByCharacters) {
  DateText text;
  text.names.weekdays[6] =
      "S\xC3\xA1"
      "bado";  // Sábado
  EXPECT_EQ(WeekdayAbbrev2(6, text), "S\xC3\xA1");
  EXPECT_EQ(WeekdayAbbrev3(6, text),
            "S\xC3\xA1"
            "b");
  EXPECT_EQ(MonthName(9, text), "September");
  EXPECT_EQ(MonthAbbrev(9, text), "Sep");
  EXPECT_EQ(WeekdayName(7, text), "");
  EXPECT_EQ(MonthName(0, text), "");
  EXPECT_EQ(MonthAbbrev(13, text), "");
}

struct DurationCase {
  int minutes;
  const char* plain;
  const char* padded;
};

class FormatDurationTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(FormatDurationTest, HoursAndMinutes) {
  const DateText text;
  EXPECT_EQ(FormatDuration(GetParam().minutes, text), GetParam().plain);
  EXPECT_EQ(FormatDurationPadded(GetParam().minutes, text), GetParam().padded);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, FormatDurationTest,
    ::testing::Values(DurationCase{0, ":00", "0:00"}, DurationCase{45, ":45", "0:45"},
                      DurationCase{90, "1:30", "01:30"}, DurationCase{600, "10:00", "10:00"},
                      DurationCase{30000, "500:00", "500:00"}, DurationCase{-30, "23:30", "23:30"},
                      DurationCase{-1440 - 30, "23:30", "23:30"}));

TEST(FormatOffsetTest, SignedWithMemoForZero) {
  const DateText text;
  EXPECT_EQ(FormatOffset(0, text), "memo");
  EXPECT_EQ(FormatOffset(-90, text), "-1:30");
  EXPECT_EQ(FormatOffset(-15, text), "-:15");
  EXPECT_EQ(FormatOffset(1440, text), "24:00");
}

TEST(FormatNumberTest, HoursAndPlainNumbers) {
  EXPECT_EQ(FormatHours(90), " 1.50");
  EXPECT_EQ(FormatHours(30000), "500.00");
  EXPECT_EQ(FormatHours(-30), "-0.50");
  EXPECT_EQ(FormatNumber(-42), "-42");
}

}  // namespace
}  // namespace ploven
