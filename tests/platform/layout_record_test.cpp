#include "platform/layout_record.h"

#include <gtest/gtest.h>

#include "platform/settings.h"
#include "temp_folder.h"

namespace ploven {
namespace {

LayoutRecord Sample() {
  LayoutRecord r;
  r.dailyReminderFlag = 1;
  r.windowFlags = 0xFFFF;
  r.main = {-4, -4, 1288, 1000};
  r.calendar = {1, 2, 3, 4};
  r.tiling = Command::kTileHorizontally;
  r.alarmChecksOff = 1;
  r.notesWindowOpen = 1;
  r.viewCommand = Command::kPriorityView;
  r.hideDoneItems = 1;
  r.timeBar = {5, 6, 7, 8};
  return r;
}

TEST(LayoutRecord, WritesNineteenNumbersEachFollowedByABlank) {
  EXPECT_EQ(FormatLayoutRecord(Sample()), "1 65535 -4 -4 1288 1000 1 2 3 4 86 1 1 36 1 5 6 7 8 ");
}

TEST(LayoutRecord, RoundTrip) {
  LayoutRecord back;
  ParseLayoutRecord(FormatLayoutRecord(Sample()), back);
  EXPECT_EQ(back, Sample());
}

TEST(LayoutRecord, UnreadableFieldsKeepTheirValues) {
  LayoutRecord r = Sample();
  ParseLayoutRecord("0 2 10 20 x 40", r);
  EXPECT_EQ(r.dailyReminderFlag, 0);
  EXPECT_EQ(r.windowFlags, 2);
  EXPECT_EQ(r.main, (WindowPlace{10, 20, 1288, 1000}));
  EXPECT_EQ(r.calendar, Sample().calendar);
  EXPECT_EQ(r.viewCommand, Command::kPriorityView);
  EXPECT_EQ(r.timeBar, Sample().timeBar);

  LayoutRecord huge = Sample();
  ParseLayoutRecord("1 2 99999999999 4", huge);
  EXPECT_EQ(huge.main, (WindowPlace{-4, -4, 1288, 1000}));
}

TEST(LayoutRecord, LowTilingBecomesGrid) {
  for (const char* text :
       {"0 0 0 0 0 0 0 0 0 0 1", "0 0 0 0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 0 0 0 -5"}) {
    LayoutRecord r;
    ParseLayoutRecord(text, r);
    EXPECT_EQ(r.tiling, Command::kTileGrid) << text;
  }
  LayoutRecord unread;
  unread.tiling = Command::kNone;
  ParseLayoutRecord("", unread);
  EXPECT_EQ(unread.tiling, Command::kTileGrid);
}

TEST(LayoutRecord, ViewCodes) {
  const std::pair<Command, int> table[] = {{Command::kAlphabeticalView, 33},
                                           {Command::kMonthView, 34},
                                           {Command::kMyMultipleDayView, 35},
                                           {Command::kPriorityView, 36},
                                           {Command::kMultipleDayViewKey, 32}};
  for (const auto& [command, code] : table) {
    EXPECT_EQ(ViewCodeForCommand(command), code);
    EXPECT_EQ(ViewCommandForCode(code), command);
  }
  EXPECT_EQ(ViewCodeForCommand(Command::kDayView), 31);
  EXPECT_EQ(ViewCodeForCommand(Command::kProjectsList), 31);
  EXPECT_EQ(ViewCommandForCode(31), Command::kDayView);
  EXPECT_EQ(ViewCommandForCode(0), Command::kDayView);
  EXPECT_EQ(ViewCommandForCode(37), Command::kDayView);
}

TEST(LayoutRecord, DefaultLayoutFromTheScreen) {
  const LayoutRecord r = DefaultLayout(1000, 800);
  EXPECT_EQ(r.windowFlags, kLayoutCalendarOpen | kLayoutViewOption | kLayoutTimeBarOpen);
  EXPECT_EQ(r.main, (WindowPlace{0, 0, 1000, 760}));
  EXPECT_EQ(r.calendar, (WindowPlace{850, 395, 150, 365}));
  EXPECT_EQ(r.timeBar, (WindowPlace{0, 395, 530, 365}));
  // Fractions are truncated.
  const LayoutRecord odd = DefaultLayout(1366, 767);
  EXPECT_EQ(odd.main.height, 728);
  EXPECT_EQ(odd.calendar.x, 1161);
  EXPECT_EQ(odd.calendar.width, 205);
  EXPECT_EQ(odd.calendar.y, 378);
  EXPECT_EQ(odd.timeBar.width, 723);
}

TEST(LayoutRecord, UserNumberIsStableAndFiveDigits) {
  EXPECT_EQ(UserNumber("Ann Smith"), UserNumber("Ann Smith"));
  EXPECT_EQ(UserNumber("Ann Smith"), UserNumber("ann smith"));
  EXPECT_NE(UserNumber("Ann Smith"), UserNumber("Bob Jones"));
  for (const char* name : {"a", "Ann Smith", "a very long user name indeed, with commas"}) {
    EXPECT_GE(UserNumber(name), 0);
    EXPECT_LT(UserNumber(name), 100000);
  }
  EXPECT_EQ(LayoutKey(42), "User00042");
  EXPECT_EQ(LayoutKey(99999), "User99999");
}

TEST(LayoutRecord, ThroughTheSettingsStore) {
  test::TempFolder dir;
  Settings s(dir / "Ploven.ini", dir / "profile.ini");
  ASSERT_TRUE(s.Load());
  ASSERT_TRUE(WriteLayoutRecord(s, 7, Sample()));
  // The trailing blank survives the trip through the file.
  EXPECT_EQ(s.ReadString("User00007"), FormatLayoutRecord(Sample()));
  LayoutRecord back;
  ReadLayoutRecord(s, 7, back);
  EXPECT_EQ(back, Sample());
}

}  // namespace
}  // namespace ploven
