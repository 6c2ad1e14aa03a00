#include "engine/conflict_check.h"

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/format.h"

namespace ploven::test {
namespace {

namespace t = engine_text;

TimeOfDay Clock(int hour, int minute = 0) {
  return static_cast<TimeOfDay>(hour * 60 + minute + 1);
}

constexpr int kYes = kIdCustom1;
constexpr int kStop = kIdCustom1 + 1;

class ConflictCheckTest : public EngineTest {
 protected:
  static constexpr DayNumber kDay = kToday + 1;

  std::vector<BoxRequest> Questions() const {
    std::vector<BoxRequest> q;
    for (const BoxRequest& b : env.ui.boxes)
      if (b.caption == t::kConflictCaption) q.push_back(b);
    return q;
  }

  ActHandle Definition(const std::string& title, TimeOfDay start, Duration duration) {
    Act a;
    a.flags = AF_FIXED;
    a.startTime = start;
    a.duration = duration;
    Beta rule;
    rule.freq = 1;
    rule.startDate = kToday - 5;
    return s.NewItem(kNoDate, a, title, &rule);
  }
  void Instance(ActHandle definition, DayNumber date) {
    s.LinkTaskAfter(*s.GetTerminal(date), nullptr,
                    s.NewTaskNode(definition, s.GetActStart(definition),
                                  s.GetActDuration(definition)));
  }

  ConflictCheckView view;
};

struct OverlapCase {
  const char* name;
  TimeOfDay otherStart;
  Duration otherDuration;
  uint32_t otherFlags;  // beside AF_FIXED unless kNotFixed
  int minutes;          // 0: no conflict
};

constexpr uint32_t kNotFixed = 0x80000000;

class OverlapTest : public ConflictCheckTest, public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(OverlapTest, AsksOnlyAboutRealOverlaps) {
  const OverlapCase& c = GetParam();
  const ActHandle item = Fixed("Meeting", kDay, At(9), 60);
  if (c.otherFlags == kNotFixed) {
    Act a;
    a.startTime = c.otherStart;  // a favoured start, not a set one
    a.duration = c.otherDuration;
    s.NewItem(kDay, a, "Other");
  } else {
    Fixed("Other", kDay, c.otherStart, c.otherDuration, c.otherFlags);
  }
  EXPECT_EQ(ConflictCheckDate(s, item, kDay, view), 1);
  const auto q = Questions();
  if (c.minutes == 0) {
    EXPECT_TRUE(q.empty());
    return;
  }
  ASSERT_EQ(q.size(), 1u);
  EXPECT_NE(q[0].text.find(Sprintf("overlaps for %d minutes with \"Other\"", c.minutes)),
            std::string::npos)
      << q[0].text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverlapTest,
    ::testing::Values(OverlapCase{"HalfHour", Clock(9, 30), 90, 0, 30},
                      OverlapCase{"Inside", Clock(9, 15), 15, 0, 15},
                      OverlapCase{"AroundIt", Clock(8), 240, 0, 60},
                      OverlapCase{"Touching", Clock(10), 60, 0, 0},
                      OverlapCase{"EndsAtItsStart", Clock(8), 60, 0, 0},
                      OverlapCase{"Memo", Clock(9, 30), 90, AF_HOPE, 0},
                      OverlapCase{"NoSetStart", Clock(9, 30), 90, kNotFixed, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ConflictCheckTest, TheQuestionNamesThePartnerAndShowsIt) {
  view.text.regional.iTime = 1;
  const ActHandle item = Fixed("Meeting", kDay, At(9), 60);
  Fixed("Dentist", kDay, At(9, 30), 90);
  EXPECT_EQ(ConflictCheckDate(s, item, kDay, view), 1);
  const auto q = Questions();
  ASSERT_EQ(q.size(), 1u);
  EXPECT_EQ(q[0].text, Sprintf(t::kConflictQuestion, FormatDate(kDay, view.text).c_str(), 30,
                               "Dentist", "9:30", "11:00"));
  ASSERT_EQ(q[0].buttons.size(), 2u);
  EXPECT_EQ(q[0].buttons[0].caption, "&Yes");
  EXPECT_EQ(q[0].buttons[1].caption, "&No, take me to this one");
  const Terminal* day = s.ExistingTerminal(kDay);
  ASSERT_NE(day->current, nullptr);
  EXPECT_EQ(day->current->act, s.FindActByTitle("Dentist")) << "the partner is made current";

  env.ui.boxes.clear();
  view.alphabeticalView = true;
  ConflictCheckDate(s, item, kDay, view);
  ASSERT_EQ(Questions().size(), 1u);
  EXPECT_EQ(Questions()[0].buttons[1].caption, "No");
}

TEST_F(ConflictCheckTest, YesGoesOnAndTheSecondButtonStopsThere) {
  const ActHandle item = Fixed("Meeting", kDay, At(9), 120);
  const ActHandle a = Fixed("A", kDay, At(9, 30), 30);
  Fixed("B", kDay, At(10, 30), 30);
  env.ui.Answer(kYes);
  env.ui.Answer(kYes);
  EXPECT_EQ(ConflictCheckDate(s, item, kDay, view), 1);
  EXPECT_EQ(Questions().size(), 2u);

  env.ui.boxes.clear();
  env.ui.Answer(kStop);
  EXPECT_EQ(ConflictCheckDate(s, item, kDay, view), 0);
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(s.ExistingTerminal(kDay)->current->act, a) << "the view stays on the partner";
}

TEST_F(ConflictCheckTest, OnlyItemsWithASetStartAreChecked) {
  Act a;
  a.startTime = At(9);
  a.duration = 60;
  const ActHandle favoured = s.NewItem(kDay, a, "Favoured");
  Fixed("Other", kDay, At(9), 60);
  EXPECT_TRUE(ConflictCheck(s, favoured, view));
  EXPECT_TRUE(Questions().empty());

  const ActHandle fixed = Fixed("Fixed", kDay, At(9, 30), 60);
  env.ui.Answer(kStop);
  EXPECT_FALSE(ConflictCheck(s, fixed, view));
  EXPECT_EQ(Questions().size(), 1u);
}

TEST_F(ConflictCheckTest, ATaskWithABadItemIsAnInternalError) {
  const ActHandle item = Fixed("Meeting", kDay, At(9), 60);
  TaskNode* bad = s.NewTaskNode(item, At(9), 60);
  s.LinkTaskAfter(*s.GetTerminal(kDay), nullptr, bad);
  bad->act = item ^ 0x5a5a0000u;
  EXPECT_THROW(ConflictCheckDate(s, item, kDay, view), InternalErrorRaised);
  EXPECT_TRUE(env.ui.Showed(t::kBadActConflictCheckDate));
  bad->act = item;  // lets the schedule free its days
}

TEST_F(ConflictCheckTest, RecurringItemsAreCheckedOnTheComingYear) {
  std::vector<std::string> progress;
  int closed = 0;
  view.showProgress = [&](const std::string& line) { progress.push_back(line); };
  view.closeProgress = [&] { ++closed; };
  const ActHandle standup = Definition("Standup", At(9), 30);
  // A clash on each of these days; only today and tomorrow are asked about.
  const std::vector<DayNumber> days{kToday - 1, kToday, kToday + 1, kToday + 2, kToday + 365};
  for (DayNumber d : days) {
    Instance(standup, d);
    Fixed("Clash", d, At(9, 15), 30);
  }
  // The instance of the day after tomorrow was cancelled.
  s.AddXlistEntry(standup, kToday + 2, kNoAct);
  Fixed("Lone", kToday + 3, At(9, 15), 30);  // no instance that day

  EXPECT_TRUE(ConflictCheck(s, standup, view));
  const auto q = Questions();
  ASSERT_EQ(q.size(), 2u);
  EXPECT_NE(q[0].text.find(FormatDate(kToday, view.text)), std::string::npos);
  EXPECT_NE(q[1].text.find(FormatDate(kToday + 1, view.text)), std::string::npos);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress[0], t::kConflictProgress);
  EXPECT_EQ(closed, 1);

  // Stopping at the first ends the walk, and the progress window still closes.
  env.ui.boxes.clear();
  env.ui.Answer(kStop);
  EXPECT_FALSE(ConflictCheck(s, standup, view));
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(closed, 2);
}

// The recurrence rule decides the dates through the hooks, not the days that exist.
TEST_F(ConflictCheckTest, RecurringDatesComeFromTheRecurrenceRule) {
  struct EveryThirdDay : ScheduleHooks {
    bool RecurrenceQualifies(Schedule&, ActHandle, DayNumber date) override {
      return (date - kToday) % 3 == 0;
    }
  } rule;
  engine.SetOuterHooks(&rule);
  const ActHandle standup = Definition("Standup", At(9), 30);
  for (int d = 0; d <= 6; ++d) Fixed("Clash", static_cast<DayNumber>(kToday + d), At(9, 15), 30);
  Fixed("Clash", kToday + 366, At(9, 15), 30);  // a year on: beyond the walk
  for (int i = 0; i < 3; ++i) env.ui.Answer(kIdCustom1);
  EXPECT_TRUE(ConflictCheck(s, standup, view));
  const auto q = Questions();
  ASSERT_EQ(q.size(), 3u);
  for (size_t i = 0; i < 3; ++i)
    EXPECT_NE(q[i].text.find(FormatDate(static_cast<DayNumber>(kToday + 3 * i), view.text)),
              std::string::npos);
  engine.SetOuterHooks(nullptr);
}

}  // namespace
}  // namespace ploven::test
