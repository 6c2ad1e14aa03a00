#include "present/day_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

class DayTextTest : public EngineTest {
 protected:
  static constexpr DayNumber kTomorrow = kToday + 1;

  void SetUp() override {
    EngineTest::SetUp();
    s.header().setEarliestTimeOfDay(At(7));
    s.header().setLatestTimeOfDay(At(23));
    options.showSchedStats = true;
  }

  ActHandle Memo(const std::string& title, DayNumber date, uint16_t type = ACT_MEMO) {
    Act a;
    a.flags = AF_HOPE;
    a.typeFlags = type;
    return s.NewItem(date, a, title);
  }

  // A memo, two overlapping appointments, a free stretch, a done lunch right before the gym.
  void FillTomorrow() {
    Memo("Call bank", kTomorrow);
    Fixed("Dentist", kTomorrow, At(9), 60);
    Fixed("Review", kTomorrow, At(9, 30), 60);
    Fixed("Lunch", kTomorrow, At(12), 60, AF_DONE);
    Fixed("Gym", kTomorrow, At(13), 45);
  }

  std::vector<DayRow> Rows(DayNumber date) { return BuildDayRows(source, date); }
  std::string Stats(DayNumber date) { return StatisticsLine(source, date); }

  static std::vector<std::string> Titles(const std::vector<DayRow>& rows) {
    std::vector<std::string> titles;
    for (const DayRow& r : rows) titles.push_back(r.title);
    return titles;
  }

  DisplayOptions options;
  DaySource source{engine, nullptr, options, {}, {}};
};

TEST_F(DayTextTest, StatisticsLineOfAFutureDay) {
  FillTomorrow();
  // 3:45 scheduled of a 16-hour day; free = 16:00 - 3:45 with the overlap counted twice.
  EXPECT_EQ(Stats(kTomorrow),
            "today+1 | 5 items (3:45) | 23% full | 12:15 free | 1 CONFLICT (0:30)");
}

TEST_F(DayTextTest, StatisticsLineOfTodayAndOfThePast) {
  Fixed("Standup", kToday, At(10), 30);
  Fixed("Report", kToday, At(11), 90, AF_DONE);
  // Today's free time runs from 9:00 on: 14:00 minus the two items.
  EXPECT_EQ(Stats(kToday), "today | 1 to do of 2 (2:00) | 12% full | 12:00 free | no conflicts");

  Fixed("Old call", kToday - 2, At(10), 30);
  EXPECT_EQ(Stats(kToday - 2), "today-2 | 1 item (0:30) | 03% full | 1 items to do");
  s.LockAct(s.ExistingTerminal(kToday - 2)->First()->act).flags |= AF_DONE;
  EXPECT_EQ(Stats(kToday - 2), "today-2 | 1 item (0:30) | 03% full ");
}

TEST_F(DayTextTest, StatisticsLineMarksAndStops) {
  FillTomorrow();
  Memo("Holiday", kTomorrow, ACT_MEMO | ACT_WORK_HOLIDAY);
  options.weekOfYear = true;
  options.firstWeekRule = 2;
  s.header().Set<int16_t>(ScheduleHeader::kScheduleStartDate, kTomorrow + 1);
  EXPECT_EQ(Stats(kTomorrow),
            "today+1 =WORK HOLIDAY | week 50 | [Statistics not displayed due to date at some "
            "point being pre-history for this schedule/archive set]");
}

TEST_F(DayTextTest, StatisticsLineIsEmptyInLightModeOrWithoutTheSwitch) {
  FillTomorrow();
  options.proMode = false;
  EXPECT_EQ(Stats(kTomorrow), "");
  options.proMode = true;
  options.showSchedStats = false;
  EXPECT_EQ(Stats(kTomorrow), "");
  options.showSchedStats = true;
  EXPECT_EQ(Stats(kTomorrow + 5), "");  // no record for that day
}

TEST_F(DayTextTest, OverfullDayAndValueOfTime) {
  s.header().setEarliestTimeOfDay(At(9));
  s.header().setLatestTimeOfDay(At(10));
  const ActHandle h = Fixed("Workshop", kTomorrow, At(9), 120);
  s.LockAct(h).expectedReturn = 300;
  options.valueOfTime = true;
  EXPECT_EQ(Stats(kTomorrow),
            "today+1 | 1 item (2:00) | $300 ($300/hr)  200% FULL | 0:00 free | no conflicts");
}

TEST_F(DayTextTest, RowsFollowTheChainWithFreeRowsBetween) {
  FillTomorrow();
  const std::vector<DayRow> rows = Rows(kTomorrow);
  // No gap after the memo (nothing before it), none under the overlap, none for the zero gap
  // between lunch and the gym.
  EXPECT_EQ(Titles(rows), (std::vector<std::string>{"Call bank", "Dentist", "Review", "(1:30 free)",
                                                    "Lunch", "Gym", "(9:15 free)"}));
  EXPECT_TRUE(rows[0].memo);
  EXPECT_EQ(rows[0].durationText, "(memo)");
  EXPECT_EQ(rows[1].Line(), " 9:00a Dentist (1:00)");
  EXPECT_TRUE(rows[2].conflict || rows[2].start < rows[1].end);
  EXPECT_EQ(rows[3].kind, DayRowKind::kFree);
  EXPECT_EQ(rows[3].startText, "10:30a");
  EXPECT_TRUE(rows[4].done);
  EXPECT_TRUE(rows[4].strike);
  EXPECT_EQ(rows[6].minutes, 555);
  EXPECT_FALSE(rows[6].past);
}

TEST_F(DayTextTest, ItemRowParts) {
  options.showEndTimes = true;
  options.showProjectName = true;
  Act project;
  project.color = 0x00A000;
  const ActHandle p = NewProject(s, project, "Garden");
  ASSERT_NE(p, kNoAct);
  const ActHandle h = Fixed("Plant roses", kTomorrow, At(14), 90);
  s.LockAct(h).projectID = s.ReadAct(p).ID;
  s.LockAct(h).noteNumber = 3;
  source.hasNote = [h](ActHandle a) { return a == h; };
  const std::vector<DayRow> rows = Rows(kTomorrow);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].startText, " 2:00p");
  EXPECT_EQ(rows[0].endText, "- 3:30p");
  EXPECT_EQ(rows[0].project, p);
  EXPECT_EQ(rows[0].projectColor, 0x00A000u);
  EXPECT_TRUE(rows[0].hasNote);
  source.hasNote = {};
  EXPECT_FALSE(Rows(kTomorrow)[0].hasNote);
  EXPECT_EQ(rows[0].Line(), " 2:00p- 3:30p [Garden] Plant roses (1:30)");
}

TEST_F(DayTextTest, FluidItemsShowTheirPriorityAndLateness) {
  Act a;
  a.flags = AF_FLEXIBLE;
  a.duration = 120;
  a.tier = 'B';
  a.latestTime = At(10);
  a.earliestDate = kTomorrow;
  a.deadlineDate = kTomorrow + 10;
  const ActHandle h = s.NewItem(kTomorrow, a, "Essay");
  ASSERT_NE(h, kNoAct);
  // Pin its placement at 9:00 so that it runs an hour past its Latest End Time.
  TaskNode* task = s.ExistingTerminal(kTomorrow)->First();
  task->start = At(9);
  task->length = 120;
  const DayRow row = Rows(kTomorrow)[0];
  EXPECT_TRUE(row.fluid);
  EXPECT_EQ(row.priorityText, "B" + std::to_string(s.GetActRank(h)));
  EXPECT_TRUE(row.late);
  EXPECT_EQ(row.lateText, "(ending 1:00 late)");
}

TEST_F(DayTextTest, PastGapsAndOpportunityCosts) {
  Fixed("Early", kToday, At(7), 60);
  Fixed("Late", kToday, At(10), 60);
  options.showOppCosts = true;
  options.valuePerHour = 30;
  const std::vector<DayRow> rows = Rows(kToday);
  ASSERT_GE(rows.size(), 3u);
  // The gap 8:00-10:00 began before 9:00 now.
  EXPECT_EQ(rows[1].title, "(2:00 gap)");
  EXPECT_TRUE(rows[1].past);
  EXPECT_EQ(rows[1].costText, " [$60]");
  EXPECT_EQ(rows.back().title, "(12:00 free)");
  options.currencyPosition = 9;
  EXPECT_EQ(Rows(kToday)[1].costText, " [undefined ICURRENCY]");
}

struct GapCase {
  const char* name;
  bool proMode;
  bool hideGaps;
  int minFreeLenShow;
  std::vector<int> freeMinutes;
};

class FreeRowRules : public DayTextTest, public ::testing::WithParamInterface<GapCase> {};

TEST_P(FreeRowRules, DecideWhichGapsGetARow) {
  FillTomorrow();
  options.proMode = GetParam().proMode;
  options.hideGaps = GetParam().hideGaps;
  options.minFreeLenShow = GetParam().minFreeLenShow;
  std::vector<int> free;
  for (const DayRow& r : Rows(kTomorrow))
    if (r.kind == DayRowKind::kFree) free.push_back(r.minutes);
  EXPECT_EQ(free, GetParam().freeMinutes);
}

INSTANTIATE_TEST_SUITE_P(Gaps, FreeRowRules,
                         ::testing::Values(GapCase{"AllGaps", true, false, 9999, {90, 555}},
                                           GapCase{"HideGapsDefault", true, true, 9999, {}},
                                           GapCase{"HideShortGaps", true, true, 100, {555}},
                                           GapCase{"ShortestKept", true, true, 90, {90, 555}},
                                           GapCase{"LightMode", false, false, 9999, {}}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(DayTextTest, FilterHidesItemsAndGapsCloseOverThem) {
  FillTomorrow();
  source.hidden = [this](ActHandle h) { return s.GetActTitle(h) == "Review"; };
  const std::vector<DayRow> rows = Rows(kTomorrow);
  EXPECT_EQ(Titles(rows), (std::vector<std::string>{"Call bank", "Dentist", "(2:00 free)", "Lunch",
                                                    "Gym", "(9:15 free)"}));
  EXPECT_EQ(rows[4].itemIndex, 3);
}

TEST_F(DayTextTest, FocusNowKeepsTheFirstUndoneItems) {
  Memo("Note", kToday);
  Fixed("Done one", kToday, At(8), 30, AF_DONE);
  for (int i = 0; i < 5; ++i) Fixed("Task " + std::to_string(i), kToday, At(10 + i), 30);
  options.focusNow = true;
  std::vector<std::string> items;
  for (const DayRow& r : Rows(kToday))
    if (r.kind == DayRowKind::kItem) items.push_back(r.title);
  EXPECT_EQ(items, (std::vector<std::string>{"Task 0", "Task 1", "Task 2"}));
  // Focus Now is about today only.
  Fixed("Tomorrow", kTomorrow, At(10), 30, AF_DONE);
  EXPECT_EQ(Rows(kTomorrow).size(), 2u);
}

TEST_F(DayTextTest, CurrentItemMarker) {
  Fixed("Running", kToday, At(8, 30), 60);  // 8:30-9:30 covers 9:00
  Fixed("Next", kToday, At(11), 30);
  std::vector<DayRow> rows = Rows(kToday);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_TRUE(rows[0].marker);
  EXPECT_EQ(rows[0].Line().substr(0, 2), "> ");

  env.clock.Set(kToday, At(10));  // between the two: the free row after the first
  rows = Rows(kToday);
  EXPECT_EQ(CurrentMarkerRow(rows, true, true, At(10)), 1);
  EXPECT_TRUE(rows[1].marker);
  EXPECT_EQ(CurrentMarkerRow(rows, true, false, At(10)), -1);  // Light Mode
  EXPECT_EQ(CurrentMarkerRow(rows, false, true, At(10)), -1);  // not today
  EXPECT_EQ(CurrentMarkerRow(rows, true, true, At(8)), -1);    // nothing begun yet
}

TEST(TimespaceHeight, GrowsWithTheGapUpToSevenTenths) {
  EXPECT_EQ(TimespaceHeight(1440, 15, 500, true), 350);
  EXPECT_EQ(TimespaceHeight(3000, 15, 500, true), 350);
  EXPECT_EQ(TimespaceHeight(720, 15, 500, true), 247);  // 350 × sin(π/4)
  EXPECT_EQ(TimespaceHeight(10, 15, 500, true), 15);    // never below a line
  EXPECT_EQ(TimespaceHeight(720, 15, 500, false), 15);
}

TEST(FormatCurrency, PlacesTheSymbolByPosition) {
  EXPECT_EQ(FormatCurrency(45, "$", 0), "$45");
  EXPECT_EQ(FormatCurrency(45, "$", 1), "45$");
  EXPECT_EQ(FormatCurrency(45, "$", 2), "$ 45");
  EXPECT_EQ(FormatCurrency(45, "$", 3), "45 $");
  EXPECT_EQ(FormatCurrency(45, "$", 4), std::nullopt);
  EXPECT_EQ(FormatCurrency(45, "$", -1), std::nullopt);
}

TEST_F(DayTextTest, ContainerTitle) {
  ContainerTitleInput in;
  in.date = kTomorrow;
  const DateText& text = engine.dateText();
  EXPECT_EQ(ContainerTitle(in, s, text), "Day View, as of Wed 12/09/26");
  in.view = DayViewKind::kMyMultipleDay;
  in.focusNow = true;
  in.hideDoneItems = true;
  in.unsaved = true;
  in.filterText = " | FILTERS ON: Job 5";
  EXPECT_EQ(ContainerTitle(in, s, text),
            "My Multiple Day View, as of Wed 12/09/26 | Focus Now * | FILTERS ON: Job 5");
  in.focusNow = false;
  in.unsaved = false;
  in.filterText.clear();
  EXPECT_EQ(ContainerTitle(in, s, text),
            "My Multiple Day View, as of Wed 12/09/26 | Hide Done Items");
  in.view = DayViewKind::kNone;
  EXPECT_EQ(ContainerTitle(in, s, text), "No View");
}

TEST_F(DayTextTest, ContainerTitleShowsTheDelayedMidnight) {
  // A day of 7:00 to 2:00 the next morning rolls over halfway between, at 4:30.
  s.header().setLatestTimeOfDay(static_cast<TimeOfDay>(At(2) + kMinutesPerDay));
  env.clock.Set(kToday, At(1));
  ContainerTitleInput in;
  in.date = kToday;
  EXPECT_EQ(ContainerTitle(in, s, engine.dateText()),
            "Day View, as of Tue 12/08/26 (delayed midnight 4:30am)");
}

}  // namespace
}  // namespace ploven::test
