#include "filters/item_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/filter_settings.h"
#include "platform/layout_record.h"
#include "platform/settings.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {
namespace {

struct WordsCase {
  std::vector<std::string> words;
  const char* title;
  bool passes;
};

class TitleWordsTest : public ::testing::TestWithParam<WordsCase> {};

TEST_P(TitleWordsTest, Matches) {
  const WordsCase& c = GetParam();
  EXPECT_EQ(TitleWordsMatch(c.words, c.title, false), c.passes) << c.title;
}

INSTANTIATE_TEST_SUITE_P(
    Words, TitleWordsTest,
    ::testing::Values(WordsCase{{"cat", "+dog"}, "Walk the DOG", true},
                      WordsCase{{"cat", "+dog"}, "cat and dog", true},
                      WordsCase{{"cat", "+dog"}, "Feed the cat", false},
                      WordsCase{{"-cat"}, "Walk the dog", false},
                      WordsCase{{"-cat", "-dog"}, "Buy milk", false},
                      WordsCase{{"dog", "-cat"}, "dog and cat", false},
                      WordsCase{{"dog", "-cat"}, "dog alone", true},
                      WordsCase{{}, "anything", false},
                      WordsCase{{"milk", "bread"}, "Buy bread", true},
                      WordsCase{{"-", "milk"}, "Buy milk", true}));

TEST(TitleWords, MatchCaseComparesExactly) {
  EXPECT_FALSE(TitleWordsMatch({"dog"}, "DOG", true));
  EXPECT_TRUE(TitleWordsMatch({"DOG"}, "DOG", true));
}

TEST(FilterSettingsTest, TitleTextSplitsIntoAtMostFiveWords) {
  FilterSettings f;
  f.SetTitleText("  a  b c d e f g h i j k l m n o p q r s t u v w x y z");
  EXPECT_EQ(f.titleText.size(), kTitleFilterMaxChars);
  EXPECT_EQ(f.TitleWords(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST(FilterSettingsTest, MinimumDurationRefusesBadAmounts) {
  FilterSettings f;
  EXPECT_TRUE(f.SetMinimumDuration(1, 30));
  EXPECT_EQ(f.minimumDurationMinutes, 90);
  EXPECT_FALSE(f.SetMinimumDuration(-1, 0));
  EXPECT_FALSE(f.SetMinimumDuration(600, 0));
  EXPECT_EQ(f.minimumDurationMinutes, 90);
}

TEST(FilterSettingsTest, SaveAndLoadKeepEveryField) {
  TempDir dir;
  Settings out(dir / "Ploven.ini", dir / "profile.ini");
  FilterSettings f;
  f.titleOn = f.projectOn = f.jobOn = f.labelsOn = f.doableNowOn = true;
  f.minimumDurationOn = f.nonRoutineOn = f.todayOnlyOn = f.conflictsOnlyOn = f.matchCase = true;
  f.filterCalendarToo = false;
  f.SetTitleText("cat +dog");
  f.projectID = 4000000000u;  // beyond what an integer setting holds
  f.jobNumber = 123456;
  f.excludedLabels = 0x80000005u;
  f.minimumDurationMinutes = 45;
  ASSERT_TRUE(f.Save(out));
  Settings in(dir / "Ploven.ini", dir / "profile.ini");
  ASSERT_TRUE(in.Load());
  FilterSettings back;
  back.Load(in);
  EXPECT_EQ(back, f);
}

class ItemFilterTest : public RecurTest {
 protected:
  ActHandle Item(const std::string& title, DayNumber date, uint32_t flags = AF_FIXED,
                 Duration duration = 30) {
    Act a;
    a.flags = flags;
    a.typeFlags = ACT_ITEM;
    a.startTime = At(10);
    a.duration = duration;
    const ActHandle h = s.NewItem(date, a, title);
    EXPECT_NE(h, kNoAct);
    return h;
  }
  bool Hidden(ActHandle h) { return IsFilteredOut(s, state, ctx, h); }

  FilterState state{true, {}};
  FilterContext ctx{FilterView::kOther, kToday, false, false, false, false};
};

TEST_F(ItemFilterTest, ClosedWindowAppliesNoUserFilterButHidesDone) {
  const ActHandle done = Item("Walk dog", kToday, AF_FIXED | AF_DONE);
  const ActHandle open = Item("Feed cat", kToday);
  state.settings.titleOn = true;
  state.settings.SetTitleText("dog");
  EXPECT_TRUE(Hidden(open));
  state.filteringOn = false;
  EXPECT_FALSE(Hidden(open));
  EXPECT_FALSE(Hidden(done));
  ctx.hideDoneItems = true;
  EXPECT_TRUE(Hidden(done));
  EXPECT_FALSE(Hidden(kNoAct));
  EXPECT_EQ(FilterSummary(s, state), "");
}

TEST_F(ItemFilterTest, PrivateItemsLeaveOnlyPrintouts) {
  const ActHandle secret = Item("!Dentist", kToday);
  EXPECT_FALSE(Hidden(secret));
  ctx.printing = true;
  EXPECT_TRUE(Hidden(secret));
  ctx.includePrivateInPrintouts = true;
  EXPECT_FALSE(Hidden(secret));
}

TEST_F(ItemFilterTest, MyMultipleDayViewCanShowAppointmentsOnly) {
  state.filteringOn = false;
  const ActHandle fluid = Item("Read", kToday, AF_FLEXIBLE);
  const ActHandle pinned = Item("Meeting", kToday);
  ctx.view = FilterView::kMyMultipleDayView;
  ctx.appointmentsOnlyInMyMultipleDayView = true;
  EXPECT_TRUE(Hidden(fluid));
  EXPECT_FALSE(Hidden(pinned));
  ctx.printing = true;
  EXPECT_FALSE(Hidden(fluid));
}

TEST_F(ItemFilterTest, ProjectJobAndLabels) {
  const ActHandle h = Item("Dig", kToday);
  s.LockAct(h).projectID = 7;
  s.LockAct(h).jobNumber = 12;
  s.LockAct(h).label = 3;
  FilterSettings& f = state.settings;
  f.projectOn = true;
  f.projectID = 8;
  EXPECT_TRUE(Hidden(h));
  f.projectID = 7;
  f.jobOn = true;
  f.jobNumber = 11;
  EXPECT_TRUE(Hidden(h));
  f.jobNumber = 12;
  f.labelsOn = true;
  f.excludedLabels = 1u << 2;
  EXPECT_FALSE(Hidden(h));
  f.excludedLabels |= 1u << 3;
  EXPECT_TRUE(Hidden(h));
}

TEST_F(ItemFilterTest, DateRulesDoNotApplyInTheProjectsList) {
  const ActHandle later = Item("Later", static_cast<DayNumber>(kToday + 2), AF_FIXED, 10);
  state.settings.todayOnlyOn = true;
  EXPECT_TRUE(Hidden(later));
  state.settings.todayOnlyOn = false;
  state.settings.minimumDurationOn = true;
  EXPECT_TRUE(Hidden(later));
  state.settings.doableNowOn = true;
  ctx.view = FilterView::kProjectsList;
  EXPECT_FALSE(Hidden(later));
}

TEST_F(ItemFilterTest, TodayOnlyDatesAnOccurrenceByTheViewedDay) {
  Keep(kToday);
  const ActHandle daily = Recurring("Stretch", Daily(kToday));
  state.settings.todayOnlyOn = true;
  EXPECT_FALSE(Hidden(daily));
  ctx.viewedDate = static_cast<DayNumber>(kToday + 1);
  EXPECT_TRUE(Hidden(daily));
}

TEST_F(ItemFilterTest, NonRoutineHidesFrequentRecurrences) {
  Beta weekly3;
  weekly3.freq = kFreqWeekly;
  weekly3.interval = 1;
  weekly3.startDate = kToday;
  weekly3.dayBits = 0b0101010;
  Beta weekly4 = weekly3;
  weekly4.dayBits = 0b0101011;
  const ActHandle daily = Recurring("Stretch", Daily(kToday));
  const ActHandle three = Recurring("Gym", weekly3);
  const ActHandle four = Recurring("Run", weekly4);
  const ActHandle once = Item("Once", kToday);
  state.settings.nonRoutineOn = true;
  EXPECT_TRUE(Hidden(daily));
  EXPECT_FALSE(Hidden(three));
  EXPECT_TRUE(Hidden(four));
  EXPECT_FALSE(Hidden(once));
}

TEST_F(ItemFilterTest, ConflictsOnlyLeavesItemsOffTheViewedDay) {
  const ActHandle calm = Fixed("Calm", kToday, At(13), 30);
  // Two items at the same time overlap.
  const ActHandle clash = Item("Clash", kToday);
  Item("Other", kToday);
  const ActHandle elsewhere = Item("Elsewhere", static_cast<DayNumber>(kToday + 3));
  ASSERT_TRUE(s.ActTask(clash)->InConflict());
  ASSERT_FALSE(s.ActTask(calm)->InConflict()) << s.ActTask(calm)->start;
  ASSERT_EQ(s.FindTaskDay(s.ActTask(calm)), kToday);
  state.settings.conflictsOnlyOn = true;
  EXPECT_TRUE(Hidden(calm));
  EXPECT_FALSE(Hidden(clash));
  EXPECT_FALSE(Hidden(elsewhere));
}

constexpr TimeOfDay H(int hour) { return static_cast<TimeOfDay>(hour * 60 + 1); }

struct DoableCase {
  const char* name;
  uint32_t flags;
  int dateOffset;
  TimeOfDay start, earliest, latest;
  int earliestDateOffset, deadlineOffset;  // 99: none
  bool doable;
};

class DoableNowTest : public ItemFilterTest, public ::testing::WithParamInterface<DoableCase> {};

TEST_P(DoableNowTest, AtNine) {
  const DoableCase& c = GetParam();
  const ActHandle h = Item(c.name, static_cast<DayNumber>(kToday + c.dateOffset), c.flags);
  Act& a = s.LockAct(h);
  a.startTime = c.start;
  a.earliestTime = c.earliest;
  a.latestTime = c.latest;
  if (c.earliestDateOffset != 99)
    a.earliestDate = static_cast<DayNumber>(kToday + c.earliestDateOffset);
  if (c.deadlineOffset != 99) a.deadlineDate = static_cast<DayNumber>(kToday + c.deadlineOffset);
  EXPECT_EQ(IsDoableNow(s, h), c.doable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoableNowTest,
    ::testing::Values(
        DoableCase{"done", AF_FIXED | AF_DONE, 0, H(8), 0, 0, 99, 99, false},
        DoableCase{"started", AF_FIXED | AF_STARTED, 0, H(11), 0, 0, 99, 99, true},
        DoableCase{"pinnedBegun", AF_FIXED, 0, H(8), 0, 0, 99, 99, true},
        DoableCase{"pinnedLater", AF_FIXED, 0, H(10), 0, 0, 99, 99, false},
        DoableCase{"pinnedTomorrow", AF_FIXED, 1, H(8), 0, 0, 99, 99, false},
        DoableCase{"overdueWaits", AF_FLEXIBLE, 0, 0, H(10), 0, 99, -1, false},
        DoableCase{"overdueReady", AF_FLEXIBLE, 0, 0, H(8), 0, 99, 0, true},
        DoableCase{"inWindow", AF_FLEXIBLE, 2, 0, H(8), H(12), -1, 3, true},
        DoableCase{"windowOver", AF_FLEXIBLE, 2, 0, H(6), H(8), -1, 3, false},
        DoableCase{"notBegun", AF_FLEXIBLE, 2, 0, 0, 0, 1, 3, false},
        DoableCase{"setDateToday", 0, 0, 0, H(8), H(17), 99, 99, true},
        DoableCase{"setDateTomorrow", 0, 1, 0, 0, 0, 99, 99, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ItemFilterTest, DoableNowRespectsTheWeekdayMask) {
  const ActHandle h = Item("Weekdays", static_cast<DayNumber>(kToday + 1), AF_FLEXIBLE);
  s.LockAct(h).weekdays = static_cast<uint8_t>(1u << Weekday(kToday + 1));
  EXPECT_FALSE(IsDoableNow(s, h));
  s.LockAct(h).weekdays |= static_cast<uint8_t>(1u << Weekday(kToday));
  EXPECT_TRUE(IsDoableNow(s, h));
}

TEST_F(ItemFilterTest, SummaryListsActiveFiltersInOrder) {
  FilterSettings& f = state.settings;
  EXPECT_EQ(FilterSummary(s, state), "");
  f.titleOn = true;
  f.SetTitleText(" cat   +dog ");
  EXPECT_EQ(FilterSummary(s, state), " | FILTERS ON: Title= cat +dog");
  f.jobOn = true;
  f.jobNumber = 42;
  f.minimumDurationOn = true;
  f.conflictsOnlyOn = true;
  EXPECT_EQ(FilterSummary(s, state),
            " | FILTERS ON: Title= cat +dog Job 42, Minimum Duration 60 mins, Conflicts Only");
  f = {};
  f.projectOn = true;
  EXPECT_EQ(FilterSummary(s, state), " | FILTERS ON: Project=none");
}

TEST_F(ItemFilterTest, PredicateFollowsTheStateAndClosingStopsFiltering) {
  const ActHandle h = Item("Feed cat", kToday);
  state.filteringOn = false;
  state.settings.titleOn = true;
  state.settings.SetTitleText("dog");
  const auto hidden = MakeFilterPredicate(s, state, [this] { return ctx; });
  LayoutRecord layout;
  OpenFilters(state, layout);
  EXPECT_TRUE(hidden(h));
  EXPECT_NE(layout.windowFlags & kLayoutFilterOpen, 0);
  Settings settings(env.dir / "Ploven.ini", env.dir / "profile.ini");
  s.ClearChanged();
  EXPECT_TRUE(CloseFilters(state, settings, layout, s, true));
  EXPECT_FALSE(hidden(h));
  EXPECT_EQ(layout.windowFlags & kLayoutFilterOpen, 0);
  EXPECT_TRUE(s.changed());
  FilterSettings back;
  back.Load(settings);
  EXPECT_EQ(back, state.settings);
}

}  // namespace
}  // namespace ploven::test
