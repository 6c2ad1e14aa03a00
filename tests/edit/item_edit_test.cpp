#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "edit/edit_messages.h"
#include "edit/item_edit.h"
#include "recur/beta_qualify.h"
#include "recur/expansion_fixture.h"
#include "store/priority_index.h"
#include "store/project_edit.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"

namespace ploven::test {
namespace {

namespace t = edit_text;

class ItemEditTest : public RecurTest {
 protected:
  ItemEditSession Open(int command, TaskNode* task = nullptr, DayNumber date = kToday) {
    ItemEditRequest request;
    request.command = command;
    request.task = task;
    request.date = date;
    std::optional<ItemEditSession> ses = OpenItemEdit(engine, &r, request);
    EXPECT_TRUE(ses.has_value());
    return ses ? *ses : ItemEditSession{};
  }
  ConfirmResult Ok(ItemEditSession& ses) { return ConfirmItemEdit(engine, &r, ses, hooks); }
  ActHandle Make(int command, const std::string& title, void (*fill)(ItemDraft&) = nullptr) {
    ItemEditSession ses = Open(command);
    ses.draft.title = title;
    if (fill) fill(ses.draft);
    const ConfirmResult result = Ok(ses);
    EXPECT_EQ(result.outcome, ConfirmOutcome::kApplied);
    EXPECT_EQ(ses.item, result.item);
    return result.item;
  }
  int BoxesCaptioned(const std::string& caption) const {
    return static_cast<int>(
        std::count_if(env.ui.boxes.begin(), env.ui.boxes.end(),
                      [&](const BoxRequest& b) { return b.caption == caption; }));
  }
  int Range() const { return engine.DayBoundsLatest() - engine.DayBoundsEarliest(); }

  ItemEditHooks hooks;
};

TEST_F(ItemEditTest, EachCommandOpensItsFormTitleAndHelpPage) {
  struct Case {
    int command;
    ItemTemplate form;
    const char* caption;
    const char* help;
  } cases[] = {
      {kCmdNewItem, ItemTemplate::kGeneral, "New Item", "NewItem.htm"},
      {kCmdNewAppointment, ItemTemplate::kAppointment, "New Appointment Item", "Appointment.htm"},
      {kCmdNewMultiDayEvent, ItemTemplate::kMultiDayEvent, "New Multi-day Event Item",
       "NewMultiDayEventItem.htm"},
      {kCmdNewMemo, ItemTemplate::kMemo, "New Memo Item", "NewMemoItem.htm"},
      {kCmdNewBirthdayMemo, ItemTemplate::kSpecialMemo, "New Birthday Memo Item",
       "NewBirthdayMemoItem.htm"},
      {kCmdNewAnniversaryMemo, ItemTemplate::kSpecialMemo, "New Anniversary Memo Item",
       "NewAnniversaryMemoItem.htm"},
      {kCmdNewWorkHolidayMemo, ItemTemplate::kSpecialMemo, "New Work Holiday Memo Item",
       "NewWorkHolidayMemoItem.htm"},
      {kCmdNewItemPreferences, ItemTemplate::kGeneral, t::kPreferencesTitle,
       "NewItemPreferences.htm"},
  };
  for (const Case& c : cases) {
    const ItemEditSession ses = Open(c.command);
    EXPECT_EQ(ses.form, c.form) << c.command;
    EXPECT_EQ(ses.caption, c.caption) << c.command;
    EXPECT_EQ(ses.helpTopic, c.help) << c.command;
    EXPECT_EQ(TemplateFor(c.command, ses.mode, 0, true), ItemTemplate::kLite) << c.command;
  }
  // Appointments and multi-day events being changed get every field.
  EXPECT_EQ(TemplateFor(kCmdModifyItem, ItemDialogMode::kModify, ACT_APPOINTMENT, false),
            ItemTemplate::kGeneral);
  EXPECT_EQ(TemplateFor(kCmdModifyItem, ItemDialogMode::kModify, ACT_MEMO, false),
            ItemTemplate::kMemo);
  EXPECT_EQ(TemplateFor(kCmdModifyItem, ItemDialogMode::kModify, ACT_PROJECT, false),
            ItemTemplate::kProject);
}

TEST_F(ItemEditTest, ModifyTitlesNameTheKindAndWhenTheItemWasMade) {
  const DateText& text = engine.dateText();
  EXPECT_EQ(CreationStamp(kToday, At(9, 5), kToday, text), "today " + FormatTime(At(9, 5), text));
  EXPECT_EQ(CreationStamp(kToday - 1, At(17), kToday, text),
            "yesterday " + FormatTime(At(17), text));
  EXPECT_EQ(CreationStamp(kToday - 9, At(8), kToday, text),
            FormatDate(kToday - 9, text) + " (9 days ago)");

  const ActHandle h = Fixed("Dentist", kToday, At(10), 30, 0, ACT_ITEM);
  const ItemEditSession ses = Open(kCmdModifyItem, s.ActTask(h));
  EXPECT_EQ(ses.caption,
            "Modify Item | created " + CreationStamp(kToday, env.clock.Now(), kToday, text));
  EXPECT_EQ(ses.helpTopic, "ModifyItem.htm");

  ItemDialogTitleInput in;
  in.mode = ItemDialogMode::kModify;
  in.typeFlags = ACT_PROJECT;
  in.createdDate = in.today = kToday;
  in.createdTime = At(9);
  EXPECT_EQ(ItemDialogTitle(in, text), "Modify Project | created today " + FormatTime(At(9), text));
  in.typeFlags = ACT_ITEM;
  in.exceptionOriginalDate = kToday + 2;
  EXPECT_EQ(ItemDialogTitle(in, text), "Modify Item (exception to recurring item) | instance "
                                       "originally on " + FormatDate(kToday + 2, text));
  in.mode = ItemDialogMode::kModifyAllRecurrences;
  EXPECT_EQ(ItemDialogTitle(in, text),
            "Modify All Recurrences | created today " + FormatTime(At(9), text));
}

TEST_F(ItemEditTest, EachKindIsMadeAndPlanned) {
  // A new ordinary item is planned by the program until preferences say otherwise.
  const ActHandle fluid = Make(kCmdNewItem, "Write the report");
  ASSERT_NE(fluid, kNoAct);
  EXPECT_TRUE(s.ActFlags(fluid) & AF_FLEXIBLE);
  EXPECT_NE(s.priorityIndex().EntryOf(fluid), kNoPriorityEntry);
  EXPECT_NE(s.GetActDate(fluid), kNoDate);
  EXPECT_EQ(s.ReadAct(fluid).duration, 30);

  const ActHandle set = Make(kCmdNewItem, "Call the bank", [](ItemDraft& d) {
    d.Set(AF_FLEXIBLE, false);
    d.date = kToday + 3;
  });
  EXPECT_EQ(s.GetActDate(set), kToday + 3);
  EXPECT_EQ(s.priorityIndex().EntryOf(set), kNoPriorityEntry);

  const ActHandle appointment = Make(kCmdNewAppointment, "Dentist", [](ItemDraft& d) {
    d.act.startTime = At(14);
    d.Set(AF_ALARM, true);
  });
  EXPECT_TRUE(s.ActFlags(appointment) & AF_FIXED);
  EXPECT_EQ(s.ActTypeFlags(appointment), ACT_APPOINTMENT);
  EXPECT_EQ(s.ReadAct(appointment).startTime, At(14));

  const ActHandle memo = Make(kCmdNewMemo, "Bins out");
  EXPECT_TRUE(s.ActFlags(memo) & AF_HOPE);
  EXPECT_EQ(s.ReadAct(memo).duration, 0);
  EXPECT_EQ(s.GetActDate(memo), kToday);

  const ActHandle birthday = Make(kCmdNewBirthdayMemo, "Mum's birthday");
  ASSERT_TRUE(s.ActFlags(birthday) & AF_BETA);
  EXPECT_EQ(RecurrenceOf(s, birthday)->freq, kFreqYearly);
  EXPECT_EQ(s.ActTypeFlags(birthday), ACT_BIRTHDAY);

  const ActHandle event = Make(kCmdNewMultiDayEvent, "Conference",
                               [](ItemDraft& d) { d.act.deadlineDate = kToday + 2; });
  EXPECT_EQ(s.ReadAct(event).deadlineDate, kToday + 2);
  EXPECT_EQ(s.GetActDate(event), kToday);
}

TEST_F(ItemEditTest, OkRefusesWhatCannotBeAndMakesNothing) {
  struct Case {
    const char* name;
    int command;
    void (*fill)(ItemDraft&);
    std::string expected;
  } cases[] = {
      {"empty title", kCmdNewItem, [](ItemDraft& d) { d.title = "  "; }, t::kEmptyTitle},
      {"deadline before earliest", kCmdNewItem,
       [](ItemDraft& d) {
         d.act.earliestDate = kToday + 5;
         d.act.deadlineDate = kToday + 2;
       },
       t::kDeadlineBeforeEarliest},
      {"latest before earliest time", kCmdNewItem,
       [](ItemDraft& d) {
         d.act.earliestTime = At(15);
         d.act.latestTime = At(9);
       },
       t::kLatestBeforeEarliestTime},
      {"event ends before it begins", kCmdNewMultiDayEvent,
       [](ItemDraft& d) { d.act.deadlineDate = kToday - 1; }, t::kEndBeforeStart},
      {"too long", kCmdNewItem, [](ItemDraft& d) { d.act.duration = kMaxItemDuration + 1; },
       t::kDurationTooLong},
  };
  for (const Case& c : cases) {
    const size_t before = s.actChain().Count();
    ItemEditSession ses = Open(c.command);
    ses.draft.title = "Something";
    c.fill(ses.draft);
    env.ui.boxes.clear();
    EXPECT_EQ(Ok(ses).outcome, ConfirmOutcome::kStayOpen) << c.name;
    ASSERT_FALSE(env.ui.boxes.empty()) << c.name;
    EXPECT_EQ(env.ui.boxes.back().text, c.expected) << c.name;
    EXPECT_EQ(s.actChain().Count(), before) << c.name;
  }

  // A set date the archive already holds.
  s.header().setLastArchivedDate(kToday - 5);
  const size_t before = s.actChain().Count();
  ItemEditSession ses = Open(kCmdNewItem);
  ses.draft.title = "Something";
  ses.draft.Set(AF_FLEXIBLE, false);
  ses.draft.date = kToday - 7;
  EXPECT_EQ(Ok(ses).outcome, ConfirmOutcome::kStayOpen);
  ASSERT_FALSE(env.ui.boxes.empty());
  EXPECT_EQ(env.ui.boxes.back().text, "The date " + FormatDate(kToday - 7, engine.dateText()) +
                                          " is archived; new items go on later dates.");
  EXPECT_EQ(s.actChain().Count(), before);
}

TEST_F(ItemEditTest, ADurationLongerThanTheDayBoundsAsksWhatToDo) {
  ItemEditSession ses = Open(kCmdNewItem);
  ses.draft.Set(AF_FLEXIBLE, false);
  ses.draft.act.duration = static_cast<Duration>(Range());
  EXPECT_EQ(DurationLeft(ses, engine, env.msg), DurationOutcome::kAccepted);
  EXPECT_TRUE(env.ui.boxes.empty());

  ses.draft.act.duration = static_cast<Duration>(Range() + 60);
  env.ui.Answer(kIdCustom1 + 1);  // Reduce Duration instead
  EXPECT_EQ(DurationLeft(ses, engine, env.msg), DurationOutcome::kReduced);
  EXPECT_EQ(ses.draft.act.duration, Range());
  EXPECT_EQ(env.ui.boxes.front().caption, t::kAutoSplitCaption);
  EXPECT_EQ(env.ui.boxes.back().text, t::kDurationReduced);

  ses.draft.act.duration = static_cast<Duration>(Range() + 60);
  env.ui.Answer(kIdCustom1);  // Proceed with my Duration
  EXPECT_EQ(DurationLeft(ses, engine, env.msg), DurationOutcome::kMadeSplittable);
  EXPECT_TRUE(ses.draft.Has(AF_SPLIT));
  EXPECT_TRUE(ses.draft.flexible());

  // A recurring item is cut without a question.
  ses.draft.recurrence = Daily(kToday);
  ses.draft.act.duration = static_cast<Duration>(Range() + 60);
  env.ui.boxes.clear();
  EXPECT_EQ(DurationLeft(ses, engine, env.msg), DurationOutcome::kReducedForRecurring);
  EXPECT_EQ(ses.draft.act.duration, Range());
  EXPECT_EQ(env.ui.boxes.back().text, t::kRecurringDurationCut);
}

TEST_F(ItemEditTest, SetDateMayInheritTheDeadlineTimeAsLatestEnd) {
  ItemEditSession ses = Open(kCmdNewItem);
  ses.draft.Set(AF_FLEXIBLE, true);
  ses.draft.act.deadlineDate = ses.draft.date;
  ses.draft.act.deadlineTime = At(15);
  ItemEditSession other = ses;

  env.ui.Answer(kIdCustom1);  // Change Latest End
  EXPECT_EQ(SetDateChosen(ses, env.msg), SetDateOutcome::kLatestEndChanged);
  EXPECT_EQ(ses.draft.act.latestTime, At(15));
  EXPECT_FALSE(ses.draft.flexible());
  EXPECT_EQ(env.ui.boxes.back().caption, t::kInheritCaption);

  env.ui.Answer(kIdCustom1 + 1);  // No
  EXPECT_EQ(SetDateChosen(other, env.msg), SetDateOutcome::kEditLatestEnd);
  EXPECT_EQ(other.draft.act.latestTime, kNoTime);

  // A deadline on another day asks nothing.
  ItemEditSession later = Open(kCmdNewItem);
  later.draft.Set(AF_FLEXIBLE, true);
  later.draft.act.deadlineDate = later.draft.date + 1;
  later.draft.act.deadlineTime = At(15);
  const size_t boxes = env.ui.boxes.size();
  EXPECT_EQ(SetDateChosen(later, env.msg), SetDateOutcome::kNothingAsked);
  EXPECT_EQ(env.ui.boxes.size(), boxes);
}

TEST_F(ItemEditTest, RecurringAndSplittableExcludeEachOther) {
  ItemEditSession ses = Open(kCmdNewItem);
  ses.draft.Set(AF_SPLIT, true);
  ASSERT_TRUE(SetRecurring(ses, &r, Daily(kNoDate), env.msg));
  EXPECT_FALSE(ses.draft.Has(AF_SPLIT));
  EXPECT_EQ(env.ui.boxes.back().text, t::kRecurringNotSplittable);
  EXPECT_EQ(ses.draft.recurrence->startDate, ses.draft.date);
  ASSERT_TRUE(SetRecurring(ses, &r, std::nullopt, env.msg));
  EXPECT_FALSE(ses.draft.recurrence.has_value());
}

TEST_F(ItemEditTest, ASetStartTimeOffersAnAlarmFirst) {
  ItemEditSession ses = Open(kCmdNewItem);
  ses.draft.title = "Meeting";
  ses.draft.Set(AF_FLEXIBLE, false);
  ses.draft.act.startTime = At(11);
  env.ui.Answer(kIdYes);
  EXPECT_EQ(Ok(ses).outcome, ConfirmOutcome::kStayOpen);
  EXPECT_EQ(env.ui.boxes.back().text, t::kSetStartAlarmQuestion);
  EXPECT_TRUE(ses.draft.Has(AF_ALARM));
  EXPECT_EQ(ses.draft.act.alarmMinutes, kDefaultAlarmMinutes);
  const ConfirmResult made = Ok(ses);  // no second question
  ASSERT_EQ(made.outcome, ConfirmOutcome::kApplied);
  EXPECT_TRUE(s.ActFlags(made.item) & AF_ALARM);

  ItemEditSession no = Open(kCmdNewItem);
  no.draft.title = "Lunch";
  no.draft.Set(AF_FLEXIBLE, false);
  no.draft.act.startTime = At(12);
  env.ui.Answer(kIdNo);
  EXPECT_EQ(Ok(no).outcome, ConfirmOutcome::kApplied);
}

TEST_F(ItemEditTest, TheProcrastinationBusterComesAtTheThirteenthPostponement) {
  const ActHandle h = Make(kCmdNewItem, "Tax return",
                           [](ItemDraft& d) { d.act.deadlineDate = kToday + 20; });
  hooks.pickAdvice = [] { return 2; };
  auto postpone = [&](int answer, const std::string& title = "Tax return") {
    ItemEditSession ses = Open(kCmdModifyItem, s.ActTask(h));
    ses.draft.title = title;
    ses.draft.act.deadlineDate = static_cast<DayNumber>(ses.draft.act.deadlineDate + 1);
    if (answer != 0) env.ui.Answer(answer);
    return Ok(ses).outcome;
  };
  for (int i = 1; i <= 12; ++i) ASSERT_EQ(postpone(0), ConfirmOutcome::kApplied) << i;
  EXPECT_EQ(s.ReadAct(h).postponeCount, 12);
  EXPECT_EQ(BoxesCaptioned(t::kBusterCaption), 0);

  // 13th: "I'll go change it now" keeps the dialog open and counts nothing yet.
  EXPECT_EQ(postpone(kIdCustom1), ConfirmOutcome::kStayOpen);
  ASSERT_EQ(BoxesCaptioned(t::kBusterCaption), 1);
  const BoxRequest& box =
      *std::find_if(env.ui.boxes.begin(), env.ui.boxes.end(),
                    [](const BoxRequest& b) { return b.caption == t::kBusterCaption; });
  EXPECT_EQ(box.text.rfind(t::kBusterIntro, 0), 0u);
  EXPECT_NE(box.text.find(t::kBusterAdvice[2]), std::string::npos);
  EXPECT_EQ(s.ReadAct(h).postponeCount, 12);

  // "Bug me next time": applied, the count taken back, and asked again next time.
  EXPECT_EQ(postpone(kIdCustom1 + 2), ConfirmOutcome::kApplied);
  EXPECT_EQ(s.ReadAct(h).postponeCount, 12);
  EXPECT_TRUE(env.ui.Showed(t::kBusterNextTime));
  EXPECT_EQ(postpone(kIdCustom1 + 1), ConfirmOutcome::kApplied);  // Don't bug me again
  EXPECT_EQ(BoxesCaptioned(t::kBusterCaption), 3);
  EXPECT_EQ(s.ReadAct(h).postponeCount, kNeverRemindPostpone);
  EXPECT_EQ(postpone(0), ConfirmOutcome::kApplied);
  EXPECT_EQ(BoxesCaptioned(t::kBusterCaption), 3);

  // A new title starts the count again.
  EXPECT_EQ(postpone(0, "Send the tax papers to Sam"), ConfirmOutcome::kApplied);
  EXPECT_EQ(s.ReadAct(h).postponeCount, 0);
}

TEST_F(ItemEditTest, OneInstanceOrEveryInstanceOfARecurringItem) {
  const ActHandle def = Recurring("Stand-up", Daily(kToday));
  for (DayNumber d = kToday; d < kToday + 4; ++d) Keep(d);

  // Modify one only: that date becomes an exception, the others keep their clones.
  ItemEditSession one = Open(kCmdModifyItem, Clone(def, kToday + 1), kToday + 1);
  EXPECT_TRUE(one.clone);
  EXPECT_FALSE(one.modifyEveryInstance);
  one.draft.act.duration = 45;
  ASSERT_EQ(Ok(one).outcome, ConfirmOutcome::kApplied);
  const ActHandle drone = one.item;
  EXPECT_TRUE(s.ActFlags(drone) & AF_DRONE);
  EXPECT_EQ(s.ReadAct(drone).duration, 45);
  EXPECT_EQ(XDates(def), std::vector<DayNumber>{kToday + 1});
  EXPECT_EQ(ClonesOn(def, kToday + 2), 1);

  // The exception's dialog names the date it was on.
  const ItemEditSession again = Open(kCmdModifyItem, s.ActTask(drone), kToday + 1);
  EXPECT_NE(again.caption.find(FormatDate(kToday + 1, engine.dateText())), std::string::npos);

  // Prior / Next walk the instances; Delete this instance cancels one.
  ItemEditSession walk = Open(kCmdModifyItem, Clone(def, kToday + 2), kToday + 2);
  ASSERT_TRUE(StepInstance(walk, r, 1));
  EXPECT_EQ(walk.occurrence, kToday + 3);
  ASSERT_TRUE(StepInstance(walk, r, -1));
  EXPECT_EQ(walk.occurrence, kToday + 2);
  ASSERT_TRUE(DeleteThisInstance(walk, r));
  EXPECT_EQ(ClonesOn(def, kToday + 2), 0);

  // Every instance: the recurring item's own record changes, and every clone with it.
  ItemEditSession all = Open(kCmdModifyAllRecurrences, Clone(def, kToday + 3), kToday + 3);
  EXPECT_TRUE(all.modifyEveryInstance);
  EXPECT_EQ(all.item, def);
  all.draft.act.startTime = At(9);
  all.draft.title = "Daily stand-up";
  ASSERT_EQ(Ok(all).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(s.ReadAct(def).startTime, At(9));
  EXPECT_EQ(s.GetActNameFull(def), "Daily stand-up");
  EXPECT_EQ(ClonesOn(def, kToday + 3), 1);
  EXPECT_EQ(XDates(def), (std::vector<DayNumber>{kToday + 1, kToday + 2}));
  ExpectConsistent();

  // An item of its own has no recurrences to modify.
  const ActHandle plain = Fixed("Dentist", kToday, At(10), 30, 0, ACT_ITEM);
  ItemEditRequest request;
  request.command = kCmdModifyAllRecurrences;
  request.task = s.ActTask(plain);
  EXPECT_FALSE(OpenItemEdit(engine, &r, request).has_value());
  EXPECT_EQ(env.ui.boxes.back().text, t::kNotRecurringItem);
}

TEST_F(ItemEditTest, AnOccurrenceEditedBackFollowsTheSeriesAgain) {
  const ActHandle def = Recurring("Stand-up", Daily(kToday));
  for (DayNumber d = kToday; d < kToday + 3; ++d) Keep(d);

  // OK on an occurrence that was not changed makes no exception of it.
  ItemEditSession untouched = Open(kCmdModifyItem, Clone(def, kToday + 1), kToday + 1);
  ASSERT_EQ(Ok(untouched).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(untouched.item, def);
  EXPECT_EQ(ClonesOn(def, kToday + 1), 1);
  EXPECT_TRUE(XDates(def).empty());

  ItemEditSession one = Open(kCmdModifyItem, Clone(def, kToday + 1), kToday + 1);
  one.draft.act.duration = 45;
  ASSERT_EQ(Ok(one).outcome, ConfirmOutcome::kApplied);
  const ActHandle drone = one.item;
  ASSERT_TRUE(s.ActFlags(drone) & AF_DRONE);

  // Its duration given back: the exception goes, and the date is the series' again.
  ItemEditSession back = Open(kCmdModifyItem, s.ActTask(drone), kToday + 1);
  back.draft.act.duration = 30;
  ASSERT_EQ(Ok(back).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(back.item, def);
  EXPECT_FALSE(s.IsActValid(drone));
  EXPECT_EQ(ClonesOn(def, kToday + 1), 1);
  EXPECT_TRUE(XDates(def).empty());
  ExpectConsistent();

  // So a later change of every instance reaches that date too.
  ItemEditSession all = Open(kCmdModifyAllRecurrences, Clone(def, kToday + 2), kToday + 2);
  all.draft.act.startTime = At(9);
  ASSERT_EQ(Ok(all).outcome, ConfirmOutcome::kApplied);
  ASSERT_NE(Clone(def, kToday + 1), nullptr);
  EXPECT_EQ(Clone(def, kToday + 1)->StartTime(), At(9));
  ExpectConsistent();
}

// An occurrence that still differs from its series in anything the dialog edits stays an
// exception, however much else was given back.
struct StillEdited {
  const char* name;
  void (*edit)(ItemDraft&);
};
void PrintTo(const StillEdited& row, std::ostream* os) { *os << row.name; }

class OccurrenceStillEditedTest : public ItemEditTest,
                                  public ::testing::WithParamInterface<StillEdited> {};

TEST_P(OccurrenceStillEditedTest, StaysAnExceptionOfItsOwn) {
  const ActHandle def = Recurring("Stand-up", Daily(kToday));
  Keep(kToday + 1);
  ItemEditSession one = Open(kCmdModifyItem, Clone(def, kToday + 1), kToday + 1);
  one.draft.act.duration = 45;
  GetParam().edit(one.draft);
  ASSERT_EQ(Ok(one).outcome, ConfirmOutcome::kApplied);
  const ActHandle drone = one.item;

  ItemEditSession back = Open(kCmdModifyItem, s.ActTask(drone), kToday + 1);
  back.draft.act.duration = 30;
  ASSERT_EQ(Ok(back).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(back.item, drone);
  EXPECT_TRUE(s.IsActValid(drone));
  EXPECT_EQ(XDates(def), std::vector<DayNumber>{kToday + 1});
  EXPECT_EQ(ClonesOn(def, kToday + 1), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, OccurrenceStillEditedTest,
    ::testing::Values(StillEdited{"Title", [](ItemDraft& d) { d.title = "Long stand-up"; }},
                      StillEdited{"Colour", [](ItemDraft& d) { d.act.color = 0xff0000; }},
                      StillEdited{"Private", [](ItemDraft& d) { d.Set(AF_HIDE, true); }},
                      StillEdited{"Label", [](ItemDraft& d) { d.act.label = 2; }},
                      StillEdited{"Tier", [](ItemDraft& d) { d.act.tier = 'B'; }},
                      StillEdited{"Mileage", [](ItemDraft& d) { d.act.mileage = 12; }},
                      StillEdited{"Start", [](ItemDraft& d) { d.act.startTime += 15; }}),
    [](const ::testing::TestParamInfo<StillEdited>& row) { return std::string(row.param.name); });

TEST_F(ItemEditTest, ARecurringItemChosenFromAListChangesAsAWhole) {
  const ActHandle def = Recurring("Water the plants", Daily(kToday, 2));
  Keep(kToday);
  ItemEditRequest request;
  request.command = kCmdModifyItem;
  request.item = def;
  std::optional<ItemEditSession> ses = OpenItemEdit(engine, &r, request);
  ASSERT_TRUE(ses.has_value());
  EXPECT_TRUE(ses->modifyEveryInstance);
  EXPECT_EQ(ses->draft.date, kToday);  // the Start Date
  ses->draft.act.duration = 10;
  ASSERT_EQ(Ok(*ses).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(s.ReadAct(def).duration, 10);
  EXPECT_EQ(ClonesOn(def, kToday), 1);
  ExpectConsistent();
}

TEST_F(ItemEditTest, TickingSplittableBalancesAllDays) {
  const ActHandle h = Make(kCmdNewItem, "Long job");
  env.ui.boxes.clear();
  ItemEditSession ses = Open(kCmdModifyItem, s.ActTask(h));
  ses.draft.Set(AF_SPLIT, true);
  ASSERT_EQ(Ok(ses).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(BoxesCaptioned(t::kSplitChangeCaption), 1);
  EXPECT_TRUE(s.ActFlags(h) & AF_SPLIT);
  EXPECT_NE(s.GetActDate(h), kNoDate);
}

TEST_F(ItemEditTest, AnItemTakenOutOfItsProjectLeavesTheProjectsTree) {
  ProjectFields garden;
  garden.name = "Garden";
  const ActHandle project = ApplyProjectFields(s, kNoAct, garden);
  ASSERT_NE(project, kNoAct);
  const uint32_t id = s.GetActID(project);
  ItemEditSession ses = Open(kCmdNewItem);
  ses.draft.title = "Prune the roses";
  ses.draft.act.projectID = id;
  ASSERT_EQ(Ok(ses).outcome, ConfirmOutcome::kApplied);
  const ActHandle h = ses.item;
  EXPECT_FALSE(s.projects().tree().NodesShowing(h).empty());

  ItemEditSession out = Open(kCmdModifyItem, s.ActTask(h));
  out.draft.act.projectID = 0;
  ASSERT_EQ(Ok(out).outcome, ConfirmOutcome::kApplied);
  EXPECT_TRUE(s.projects().tree().NodesShowing(h).empty());
}

TEST_F(ItemEditTest, PreferencesAreWhatNewItemsStartWith) {
  ItemEditSession prefs = Open(kCmdNewItemPreferences);
  EXPECT_EQ(prefs.mode, ItemDialogMode::kPreferences);
  prefs.draft.Set(AF_FLEXIBLE, false);
  prefs.draft.act.duration = 50;
  prefs.draft.act.tier = 'B';
  ASSERT_EQ(Ok(prefs).outcome, ConfirmOutcome::kApplied);
  EXPECT_EQ(s.itemDefaults().duration, 50);

  const ItemEditSession next = Open(kCmdNewItem);
  EXPECT_EQ(next.draft.act.duration, 50);
  EXPECT_EQ(next.draft.act.tier, 'B');
  EXPECT_FALSE(next.draft.flexible());
}

}  // namespace
}  // namespace ploven::test
