#include <gtest/gtest.h>

#include "store/date_argument.h"

namespace ploven::test {
namespace {

constexpr DayNumber kToday = 17144;  // Tuesday 8 December 2026
constexpr DayNumber kTenth = kToday + 2;

ParseContext Today() {
  ParseContext c;
  c.today = c.viewed = kToday;
  c.now = 9 * 60 + 1;
  return c;
}

DateText DayFirst() {
  DateText t;
  t.regional.iDate = 1;  // day, month, year
  return t;
}

// Scripts write YYYY-MM-DD and HH:MM whatever the regional settings; everything else is read
// the way a user types it, in the regional order.
TEST(DateArgument, ScriptFormsComeFirstAndTheRegionalFormsStay) {
  for (const DateText& text : {DateText{}, DayFirst()})
    EXPECT_EQ(ReadDateArgument("2026-12-10", text, Today()).value, kTenth);
  EXPECT_EQ(ReadDateArgument("12/10/2026", DateText{}, Today()).value, kTenth);
  EXPECT_EQ(ReadDateArgument("10/12/2026", DayFirst(), Today()).value, kTenth);
  EXPECT_EQ(ReadDateArgument("2d", DateText{}, Today()).value, kTenth);

  const auto impossible = ReadDateArgument("2026-02-30", DateText{}, Today());
  EXPECT_FALSE(impossible.value);
  EXPECT_FALSE(impossible.message.empty());

  EXPECT_EQ(ReadTimeArgument("14:05", DateText{}, Today()).value, 14 * 60 + 5 + 1);
  // Not the script form: a typed time, where 3:00 without am/pm is in the afternoon.
  EXPECT_EQ(ReadTimeArgument("3:00", DateText{}, Today()).value, 15 * 60 + 1);
  EXPECT_FALSE(ReadClock("24:00"));
  EXPECT_FALSE(ReadIsoDate("2069-01-01"));
}

}  // namespace
}  // namespace ploven::test
