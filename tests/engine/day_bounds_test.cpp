#include "engine/day_bounds.h"

#include <algorithm>
#include <vector>

#include "engine/engine_fixture.h"

namespace ploven::test {
namespace {

namespace t = engine_text;

TimeOfDay At(int hour, int minute = 0) { return static_cast<TimeOfDay>(hour * 60 + minute + 1); }

DateText TwentyFourHour() {
  DateText text;
  text.regional.iTime = 1;
  return text;
}

struct BoundsCase {
  const char* name;
  TimeOfDay earliest, latest;          // as entered
  TimeOfDay wantEarliest, wantLatest;  // as stored
  bool wantShift;
  const char* notice;  // nullptr: nothing told
};

class DayBoundsTableTest : public EngineTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(DayBoundsTableTest, FitsTheWindowToTheWorkHours) {
  const BoundsCase& c = GetParam();
  s.header().setWorkdayStart(At(9));
  s.header().setWorkdayEnd(At(17));
  const DayBoundsResult r = ApplyDayBounds(s.header(), c.earliest, c.latest, env.msg);
  EXPECT_EQ(r.earliest, c.wantEarliest);
  EXPECT_EQ(r.latest, c.wantLatest);
  EXPECT_EQ(r.midnightShift, c.wantShift);
  EXPECT_EQ(s.header().earliestTimeOfDay(), c.wantEarliest);
  EXPECT_EQ(s.header().latestTimeOfDay(), c.wantLatest);
  if (c.notice == nullptr) {
    EXPECT_TRUE(env.ui.boxes.empty());
  } else {
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, c.notice);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayBoundsTableTest,
    ::testing::Values(
        BoundsCase{"PastMidnightRunsOnTo25", At(7), At(1), At(7), At(25), true, nullptr},
        BoundsCase{"StoredPastMidnightStaysPut", At(7), At(25), At(7), At(25), true, nullptr},
        BoundsCase{"EndingAtMidnightNeedsNoShift", At(7), At(0), At(7), At(24), false, nullptr},
        BoundsCase{"EarlyEndRaisedToWorkEnd", At(7), At(15), At(7), At(17), false,
                   t::kLatestRaisedToWorkEnd},
        BoundsCase{"EndAtWorkEndStays", At(7), At(17), At(7), At(17), false, nullptr},
        BoundsCase{"EarlierStartStays", At(8), At(23), At(8), At(23), false, nullptr},
        BoundsCase{"LateStartLoweredToWorkStart", At(10), At(23), At(9), At(23), false,
                   t::kEarliestLoweredToWorkStart}),
    [](const auto& param) { return std::string(param.param.name); });

struct StatusCase {
  TimeOfDay earliest, latest;
  bool twelveHour;
  const char* want;
};

class MidnightStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(MidnightStatusTest, ReadsTheDelayedMidnight) {
  const StatusCase& c = GetParam();
  const DateText text = c.twelveHour ? DateText{} : TwentyFourHour();
  EXPECT_EQ(MidnightShiftStatus(c.earliest, c.latest, text), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidnightStatusTest,
    ::testing::Values(
        StatusCase{At(7), At(1), false, "Midnight Shift mode is on: midnight delayed til 4:00."},
        StatusCase{At(7), At(25), false, "Midnight Shift mode is on: midnight delayed til 4:00."},
        StatusCase{At(7), At(1), true, "Midnight Shift mode is on: midnight delayed til 4:00am."},
        StatusCase{At(7), At(23), false, "Midnight Shift mode is off."},
        StatusCase{At(7), At(0), false, "Midnight Shift mode is off."},
        StatusCase{At(7), At(24), false, "Midnight Shift mode is off."},
        StatusCase{At(7), kNoTime, false, "Midnight Shift mode is off."}));

// Records which days were repainted.
class ViewHooks : public ScheduleHooks {
 public:
  bool IsDayShown(DayNumber date) const override { return date == shownDay; }
  void DayChanged(DayNumber date) override { changed.push_back(date); }
  DayNumber shownDay = kNoDate;
  std::vector<DayNumber> changed;
};

class DayBoundsDialogTest : public EngineTest {
 protected:
  ActHandle Definition(const std::string& title) {
    Act a;
    Beta rule;
    rule.freq = 1;
    rule.startDate = kToday;
    return s.NewItem(kNoDate, a, title, &rule);
  }
  uint32_t Marks(ActHandle h) const { return s.ActFlags(h) & (AF_MARK1 | AF_MARK2); }
  ViewHooks view;  // gone before the engine, which never calls it from its destructor
};

TEST_F(DayBoundsDialogTest, MovesTheFirstAndLastMarksAndRefreshesTheViews) {
  engine.SetOuterHooks(&view);
  const ActHandle standup = Definition("Standup");
  const ActHandle review = Definition("Review");
  const ActHandle lunch = Definition("Lunch");
  s.LockAct(standup).flags |= AF_MARK1 | AF_MARK2;
  s.GetTerminal(kToday);
  s.GetTerminal(kToday + 1);
  view.shownDay = kToday + 1;
  s.ClearChanged();

  ASSERT_TRUE(DayBoundsSettingsOk(s, {At(8), At(22), review, lunch}));
  EXPECT_EQ(Marks(standup), 0u);
  EXPECT_EQ(Marks(review), static_cast<uint32_t>(AF_MARK1));
  EXPECT_EQ(Marks(lunch), static_cast<uint32_t>(AF_MARK2));
  EXPECT_EQ(s.header().earliestTimeOfDay(), At(8));
  EXPECT_EQ(s.header().latestTimeOfDay(), At(22));
  EXPECT_EQ(view.changed, std::vector<DayNumber>{kToday + 1});
  EXPECT_TRUE(s.changed());
}

TEST_F(DayBoundsDialogTest, RefusalsChangeNothing) {
  const ActHandle review = Definition("Review");
  const ActHandle plain = Fixed("Dentist", kToday, At(10), 30);
  s.LockAct(review).flags |= AF_MARK2;
  s.ClearChanged();
  const TimeOfDay earliest = s.header().earliestTimeOfDay();

  EXPECT_FALSE(DayBoundsSettingsOk(s, {At(10), At(1), review, review}));
  EXPECT_TRUE(env.ui.Showed(t::kSameFirstAndLast));
  EXPECT_FALSE(DayBoundsSettingsOk(s, {At(10), At(1), plain, kNoAct}));
  EXPECT_TRUE(env.ui.Showed(t::kNotARecurringDefinition));

  EXPECT_EQ(env.ui.boxes.size(), 2u) << "no adjustment is told for a refused OK";
  EXPECT_EQ(s.header().earliestTimeOfDay(), earliest);
  EXPECT_EQ(Marks(review), static_cast<uint32_t>(AF_MARK2));
  EXPECT_EQ(Marks(plain), 0u);
  EXPECT_FALSE(s.changed());
}

struct SplitCase {
  int entered, stored;
  bool told;
};

class MinSplitTest : public EngineTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(MinSplitTest, ClampsIntoOneMinuteToTwelveHours) {
  BalanceEntry e = BalanceEntryOf(s.header());
  e.minSplit = GetParam().entered;
  ASSERT_TRUE(BalanceSettingsOk(s.header(), e, env.msg));
  EXPECT_EQ(s.header().Get<int32_t>(ScheduleHeader::kMinSplitMinutes), GetParam().stored);
  EXPECT_EQ(env.ui.Showed(t::kMinSplitRange), GetParam().told);
}

INSTANTIATE_TEST_SUITE_P(Cases, MinSplitTest,
                         ::testing::Values(SplitCase{0, 1, true}, SplitCase{-5, 1, true},
                                           SplitCase{1, 1, false}, SplitCase{720, 720, false},
                                           SplitCase{800, 720, true}, SplitCase{45, 45, false}));

TEST_F(EngineTest, KeepClearThroughBeforeFromIsRefusedAndChangesNothing) {
  const ScheduleHeader before = s.header();
  BalanceEntry e{30, 15, static_cast<DayNumber>(kToday + 10), kToday, 800};
  EXPECT_FALSE(BalanceSettingsOk(s.header(), e, env.msg));
  ASSERT_EQ(env.ui.boxes.size(), 1u) << "the range message is not told on a refusal";
  EXPECT_EQ(env.ui.boxes[0].text, t::kKeepClearEndBeforeBegin);
  EXPECT_TRUE(std::equal(before.Bytes().begin(), before.Bytes().end(), s.header().Bytes().begin()));
}

TEST_F(EngineTest, BalanceSettingsReachTheHeaderAndTheEngine) {
  s.ClearChanged();
  // An open end on either side is no range to check.
  for (const BalanceEntry& e : {BalanceEntry{90, 20, kToday, kNoDate, 30},
                                BalanceEntry{60, 10, kNoDate, kToday, 15}}) {
    ASSERT_TRUE(BalanceSettingsOk(engine, e));
    const BalanceEntry stored = BalanceEntryOf(s.header());
    EXPECT_EQ(stored.reserveToday, e.reserveToday);
    EXPECT_EQ(stored.reserveFuture, e.reserveFuture);
    EXPECT_EQ(stored.keepClearFrom, e.keepClearFrom);
    EXPECT_EQ(stored.keepClearThrough, e.keepClearThrough);
    EXPECT_EQ(stored.minSplit, e.minSplit);
    EXPECT_EQ(engine.settings().reserveToday, e.reserveToday);
    EXPECT_EQ(engine.settings().reserveFutureDay, e.reserveFuture);
    EXPECT_EQ(engine.settings().keepClearFrom, e.keepClearFrom);
    EXPECT_EQ(engine.settings().keepClearThrough, e.keepClearThrough);
  }
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(env.ui.boxes.empty());
}

}  // namespace
}  // namespace ploven::test
