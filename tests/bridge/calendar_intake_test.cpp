#include "bridge/calendar_intake.h"

#include <gtest/gtest.h>

#include "alarm/triggered_launch.h"
#include "bridge/bridge_messages.h"
#include "bridge/incoming_record.h"
#include "bridge/intake_fixture.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

using Kind = IncomingOutcome::Kind;

// ---- New items ----

TEST_F(IntakeTest, ANewTaskLandsFlexibleWithItsDeadlineDurationLabelAndNote) {
  CalendarRecord task;
  task.title = "Quarterly report";
  task.date = "8/12/2026";
  task.deadline = "11/12/2026";
  task.duration = 90;
  task.label = "Work";
  task.note = "Bring the slides";
  const IncomingOutcome out = Apply(Frame(BridgeCode::kTask, task.Task(), "k1"));
  ASSERT_EQ(out.kind, Kind::kAdded) << out.text;
  const Act& a = s.ReadAct(out.item);
  EXPECT_TRUE(a.Has(AF_FLEXIBLE));
  EXPECT_FALSE(a.Has(AF_FIXED));
  EXPECT_EQ(a.deadlineDate, kToday + 3);
  EXPECT_EQ(a.duration, 90);
  EXPECT_EQ(a.label, 1);
  EXPECT_FALSE(a.Has(AF_ALARM));
  EXPECT_TRUE(a.Has(AF_FROM_OUTSIDE));
  EXPECT_EQ(s.GetActNameFull(out.item), "Quarterly report");
  EXPECT_EQ(open.notes[out.item], "Bring the slides");
  EXPECT_EQ(out.itemID, s.GetActID(out.item));
  EXPECT_NE(out.itemID, 0u);
  EXPECT_NE(s.ActTask(out.item), nullptr);  // planned onto a day
  EXPECT_TRUE(env.ui.boxes.empty());        // nothing asked
}

struct AppointmentRow {
  const char* name;
  const char* start;
  const char* end;
  int durationField;
  TimeOfDay wantStart;
  Duration wantDuration;
};

class NewAppointment : public IntakeTest, public ::testing::WithParamInterface<AppointmentRow> {};

TEST_P(NewAppointment, LandsAtItsDateAndStartForItsLength) {
  CalendarRecord appt;
  appt.title = "Dentist";
  appt.date = "9/12/2026";
  appt.start = GetParam().start;
  appt.end = GetParam().end;
  appt.duration = GetParam().durationField;
  appt.alarm = true;
  appt.alarmOffset = "0:-10:";
  const IncomingOutcome out = Apply(Frame(BridgeCode::kAppointment, appt.Appointment(), "k2"));
  ASSERT_EQ(out.kind, Kind::kAdded) << out.text;
  const Act& a = s.ReadAct(out.item);
  EXPECT_TRUE(a.Has(AF_FIXED));
  EXPECT_FALSE(a.Has(AF_FLEXIBLE));
  EXPECT_EQ(s.GetActDate(out.item), kToday + 1);
  EXPECT_EQ(a.startTime, GetParam().wantStart);
  EXPECT_EQ(a.duration, GetParam().wantDuration);
  EXPECT_TRUE(a.Has(AF_ALARM));
  EXPECT_TRUE(a.Has(AF_ALARM_AT_BEGIN));
  EXPECT_EQ(a.alarmMinutes, -10);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, NewAppointment,
    ::testing::Values(AppointmentRow{"StartToEnd", "14:30", "15:15", 0, ClockTime(14, 30), 45},
                      AppointmentRow{"PastMidnight", "23:30", "0:15", 0, ClockTime(23, 30), 45},
                      AppointmentRow{"TwelveHourClock", "2:30pm", "4:00pm", 0, ClockTime(14, 30),
                                     90},
                      AppointmentRow{"NoEndTakesTheDuration", "9:00", "", 20, ClockTime(9, 0), 20}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(IntakeTest, ARecurringAppointmentBecomesARecurringItemWithTheRule) {
  CalendarRecord appt;
  appt.title = "Standup";
  appt.date = "7/12/2026";
  appt.start = "9:00";
  appt.end = "9:15";
  // Weekly (code 1) on Monday and Wednesday (bits 2 and 8), every 2 weeks, no End Date.
  appt.recurrence =
      "1\tnono\t10\tnono\tnono\tnono\tnono\t2\tnono\tnono\tNoEndDate\t7/12/2026\t\tnono\tnono";
  const IncomingOutcome out = Apply(Frame(BridgeCode::kAppointment, appt.Appointment(), "k3"));
  ASSERT_EQ(out.kind, Kind::kAdded) << out.text;
  ASSERT_TRUE(s.ActFlags(out.item) & AF_BETA);
  const Beta& rule = Rule(out.item);
  EXPECT_EQ(rule.freq, kFreqWeekly);
  EXPECT_EQ(rule.dayBits, 10);
  EXPECT_EQ(rule.interval, 2);
  EXPECT_EQ(rule.startDate, kToday - 1);
  EXPECT_EQ(rule.endDate, kNoDate);
}

TEST_F(IntakeTest, AProjectIsFoundByNameAndAnUnknownLabelOrProjectIsLeftOut) {
  Act project;
  const ActHandle p = NewProject(s, project, "Garden");
  ASSERT_NE(p, kNoAct);
  CalendarRecord task;
  task.title = "Prune";
  task.project = "Garden";
  task.label = "Nobody's label";
  IncomingOutcome out = Apply(Frame(BridgeCode::kTask, task.Task(), "k"));
  ASSERT_EQ(out.kind, Kind::kAdded);
  EXPECT_EQ(s.ReadAct(out.item).projectID, FindProjectIDByName(s, "Garden"));
  EXPECT_NE(FindProjectIDByName(s, "Garden"), 0u);
  EXPECT_EQ(s.ReadAct(out.item).label, 0);

  task.title = "Mow";
  task.project = "No such project";
  out = Apply(Frame(BridgeCode::kTask, task.Task(), "k"));
  ASSERT_EQ(out.kind, Kind::kAdded);
  EXPECT_EQ(s.ReadAct(out.item).projectID, 0u);
}

// Records carry no launch of their own; a launch word in a title from the calendar is asked
// about at its minute, never run unasked.
TEST_F(IntakeTest, ALaunchInATitleFromTheCalendarIsAskedAboutFirst) {
  CalendarRecord appt;
  appt.title = "Sync st@rtyes /usr/bin/evil --all";
  appt.start = "10:00";
  appt.end = "10:30";
  const IncomingOutcome out = Apply(Frame(BridgeCode::kAppointment, appt.Appointment(), "k"));
  ASSERT_EQ(out.kind, Kind::kAdded);
  EXPECT_EQ(FindLaunch(s.GetActNameFull(out.item)).kind, LaunchKind::kAtOnce);
  EXPECT_TRUE(s.ActFlags(out.item) & AF_FROM_OUTSIDE);
  env.ui.Answer(kIdNo);
  RunAt(ClockTime(10, 0));
  EXPECT_TRUE(device.started.empty());
  EXPECT_TRUE(env.ui.Showed("Proceed with triggered launch of '/usr/bin/evil --all'"));
  EXPECT_FALSE(s.ActFlags(out.item) & AF_STARTED);
}

// ---- Changes, done, deletes ----

class ChangeTest : public IntakeTest {
 protected:
  void SetUp() override {
    IntakeTest::SetUp();
    call = Fixed("Call the bank", kToday + 1, ClockTime(10, 0), 30);
    s.LockAct(call).typeFlags = ACT_APPOINTMENT;
    callID = s.GetActID(call);
  }
  CalendarRecord Moved() const {
    CalendarRecord appt;
    appt.title = "Call the bank about the loan";
    appt.date = "9/12/2026";
    appt.start = "11:00";
    appt.end = "12:00";
    return appt;
  }
  ActHandle call = kNoAct;
  uint32_t callID = 0;
};

TEST_F(ChangeTest, AChangeFindsItsItemByNumberAndTakesTheFields) {
  const IncomingOutcome out =
      Apply(Frame(BridgeCode::kCalendarChange2, Moved().Appointment(), "c1", callID));
  ASSERT_EQ(out.kind, Kind::kChanged) << out.text;
  EXPECT_EQ(out.item, call);
  EXPECT_EQ(s.GetActNameFull(call), "Call the bank about the loan");
  EXPECT_EQ(s.ReadAct(call).startTime, ClockTime(11, 0));
  EXPECT_EQ(s.ReadAct(call).duration, 60);
  EXPECT_TRUE(s.ActFlags(call) & AF_FROM_OUTSIDE);
}

TEST_F(ChangeTest, WithoutAKnownNumberTheItemIsFoundByTitleAndDate) {
  CalendarRecord appt = Moved();
  appt.title = "Call the bank";
  appt.start = "16:00";
  appt.end = "16:20";
  const IncomingOutcome out =
      Apply(Frame(BridgeCode::kCalendarChange2, appt.Appointment(), "c2", 999999));
  ASSERT_EQ(out.kind, Kind::kChanged) << out.text;
  EXPECT_EQ(out.item, call);
  EXPECT_EQ(s.ReadAct(call).startTime, ClockTime(16, 0));
  EXPECT_EQ(s.ReadAct(call).duration, 20);
}

TEST_F(ChangeTest, AChangeToAnItemNotInTheScheduleIsRefusedAndChangesNothing) {
  CalendarRecord appt = Moved();
  appt.title = "Nobody made this";
  s.ClearChanged();
  const IncomingOutcome out =
      Apply(Frame(BridgeCode::kCalendarChange2, appt.Appointment(), "c3", 424242));
  EXPECT_EQ(out.kind, Kind::kRefused);
  EXPECT_FALSE(s.changed());
  EXPECT_EQ(s.ReadAct(call).startTime, ClockTime(10, 0));
  ASSERT_EQ(env.ui.Texts().size(), 1u);
  EXPECT_EQ(env.ui.Texts()[0].rfind(kRecordRefusedLead, 0), 0u);
  EXPECT_NE(env.ui.Texts()[0].find("424242"), std::string::npos);
}

TEST_F(ChangeTest, DoneAndUndoneFromTheCalendar) {
  IncomingOutcome out =
      Apply(Frame(BridgeCode::kCalendarChange3, "Done\tCall the bank\t", "d1", callID, kToday + 1));
  EXPECT_EQ(out.kind, Kind::kChanged);
  EXPECT_TRUE(s.ActFlags(call) & AF_DONE);
  // Done again: already so.
  out = Apply(Frame(BridgeCode::kCalendarChange3, "Done\tCall the bank\t", "d2", callID));
  EXPECT_EQ(out.kind, Kind::kNothing);
  // By title, without a number.
  out = Apply(Frame(BridgeCode::kCalendarChange3, "UnDone\tCall the bank\t", "d3"));
  EXPECT_EQ(out.kind, Kind::kChanged);
  EXPECT_FALSE(s.ActFlags(call) & AF_DONE);
  out = Apply(Frame(BridgeCode::kCalendarChange3, "Finished\tCall the bank\t", "d4", callID));
  EXPECT_EQ(out.kind, Kind::kRefused);
  EXPECT_FALSE(s.ActFlags(call) & AF_DONE);
}

TEST_F(ChangeTest, ADeletedItemGoesAndCanBeUndeleted) {
  const IncomingOutcome out =
      Apply(Frame(BridgeCode::kCalendarDeleteAppointment, "Call the bank", "x1", callID));
  EXPECT_EQ(out.kind, Kind::kChanged);
  EXPECT_EQ(s.FindActByID(callID), kNoAct);
  EXPECT_TRUE(ItemsTitled("Call the bank").empty());
  EXPECT_FALSE(undelete.empty());
  // The same delete again: nothing left to do, nothing told.
  EXPECT_EQ(
      Apply(Frame(BridgeCode::kCalendarDeleteAppointment, "Call the bank", "x2", callID)).kind,
      Kind::kNothing);
  EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(IntakeTest, DeletingOneOccurrenceKeepsTheRecurringItem) {
  Keep(kToday + 2);
  const ActHandle daily = Recurring("Walk", Daily(kToday));
  const uint32_t id = s.GetActID(daily);
  ASSERT_EQ(ClonesOn(daily, kToday + 2), 1);
  IncomingOutcome out = Apply(Frame(BridgeCode::kCalendarDelete2, "Walk", "o1", id, kToday + 2));
  EXPECT_EQ(out.kind, Kind::kChanged) << out.text;
  EXPECT_EQ(ClonesOn(daily, kToday + 2), 0);
  EXPECT_EQ(XDates(daily), std::vector<DayNumber>{kToday + 2});
  EXPECT_EQ(s.FindActByID(id), daily);
  EXPECT_EQ(ClonesOn(daily, kToday + 1), 1);

  // The whole recurring item, deleted in the calendar.
  out = Apply(Frame(BridgeCode::kCalendarDelete1, "Walk", "o2", id));
  EXPECT_EQ(out.kind, Kind::kChanged);
  EXPECT_EQ(s.FindActByID(id), kNoAct);
  EXPECT_EQ(ClonesOn(daily, kToday + 1), 0);
}

// ---- Refusals ----

TEST_F(IntakeTest, ANoplovenSubjectIsRefusedWithItsReason) {
  CalendarRecord task;
  task.title = "Lunch noploven";
  const IncomingOutcome out = Apply(Frame(BridgeCode::kTask, task.Task(), "n1"));
  EXPECT_EQ(out.kind, Kind::kRefused);
  EXPECT_TRUE(ItemsTitled("Lunch noploven").empty());
  EXPECT_EQ(env.ui.Texts(),
            std::vector<std::string>{
                "Ploven did not take in the calendar item \"Lunch noploven\" because its Subject "
                "contains the word noploven that is used to indicate that you didn't want it "
                "transferred."});
}

struct BadRow {
  const char* name;
  BridgeCode code;
  std::string record;
  const char* reasonFragment;
};

class BadRecord : public IntakeTest, public ::testing::WithParamInterface<BadRow> {};

TEST_P(BadRecord, IsRefusedToldAndLogged) {
  Fixed("Already here", kToday, ClockTime(8, 0), 30);
  s.ClearChanged();
  const size_t items = s.actChain().Count();
  const IncomingOutcome out = Apply(Frame(GetParam().code, GetParam().record, "b1"));
  EXPECT_EQ(out.kind, Kind::kRefused);
  EXPECT_FALSE(s.changed());
  EXPECT_EQ(s.actChain().Count(), items);
  ASSERT_EQ(env.ui.Texts().size(), 1u);
  EXPECT_EQ(env.ui.Texts()[0].rfind(kRecordRefusedLead, 0), 0u) << env.ui.Texts()[0];
  EXPECT_NE(env.ui.Texts()[0].find(GetParam().reasonFragment), std::string::npos)
      << env.ui.Texts()[0];
  EXPECT_TRUE(env.Logged(kRecordRefusedLog));
}

INSTANTIATE_TEST_SUITE_P(
    Records, BadRecord,
    ::testing::Values(
        BadRow{"TooFewFields", BridgeCode::kTask, "Lunch\t8/12/2026\tFalse\t\n", "fields"},
        BadRow{"BadDate", BridgeCode::kAppointment,
               [] {
                 CalendarRecord r;
                 r.date = "31/2/2026";
                 r.start = "9:00";
                 return r.Appointment();
               }(),
               "is not a date"},
        BadRow{"NoStart", BridgeCode::kAppointment, CalendarRecord{}.Appointment(), "no start"},
        BadRow{"UnknownCode", static_cast<BridgeCode>(0x2BB7B2AC), "whatever", "code"},
        BadRow{"Oversized", BridgeCode::kTask, std::string(kMaxIncomingRecord + 1, 'x'),
               "bytes long"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(IntakeTest, SwitchedOffKindsStayOut) {
  rules.appointmentsFromCalendar = false;
  CalendarRecord appt;
  appt.start = "9:00";
  EXPECT_EQ(Apply(Frame(BridgeCode::kAppointment, appt.Appointment(), "s1")).kind, Kind::kSkipped);
  EXPECT_EQ(Apply(Frame(BridgeCode::kTask, CalendarRecord{}.Task(), "s2")).kind, Kind::kAdded);
  EXPECT_TRUE(env.ui.boxes.empty());
}

// ---- The pass ----

TEST_F(IntakeTest, APassEchoesNewItemsAndConfirmsTheRestAfterTheSave) {
  CalendarRecord task;
  task.title = "Water plants";
  CalendarRecord refused;
  refused.title = "Secret noploven";
  link.calendarChanges = {Frame(BridgeCode::kTask, task.Task(), "new-1"),
                          Frame(BridgeCode::kTask, refused.Task(), "bad-1")};
  const IntakeReport report = Pass();
  EXPECT_TRUE(report.reached);
  EXPECT_EQ(report.taken, 1);
  EXPECT_EQ(report.refused, 1);
  EXPECT_TRUE(report.openChanged);
  EXPECT_EQ(open.saves, 1);
  const std::vector<ActHandle> made = ItemsTitled("Water plants");
  ASSERT_EQ(made.size(), 1u);
  const uint32_t id = s.GetActID(made[0]);
  ASSERT_EQ(link.frames.size(), 1u);
  const BridgeFrame& echo = link.frames[0];
  EXPECT_EQ(echo.code, BridgeCode::kIdEcho);
  EXPECT_EQ(echo.action, kActionSave);
  EXPECT_EQ(echo.key, "new-1");
  EXPECT_EQ(echo.itemID, id);
  EXPECT_EQ(echo.record, "Water plants*" + std::to_string(id) + "*");
  EXPECT_EQ(link.confirmed, std::vector<std::string>{"bad-1"});
}

TEST_F(IntakeTest, NothingComesInWhileTheSwitchIsOffOrTheCompanionIsAway) {
  link.calendarChanges = {Frame(BridgeCode::kTask, CalendarRecord{}.Task(), "k")};
  switches.fromCalendar = false;
  EXPECT_FALSE(Pass().reached);
  EXPECT_EQ(link.fetches, 0);
  switches.fromCalendar = true;
  link.running = false;
  EXPECT_FALSE(Pass().reached);
  EXPECT_TRUE(ItemsTitled("Item").empty());
  EXPECT_EQ(open.saves, 0);
}

TEST_F(IntakeTest, ANoticeIsShownOnceAndConfirmed) {
  link.calendarChanges = {Frame(BridgeCode::kKeptText, "Your calendar folder is empty.", "n1")};
  Pass();
  Pass();  // the companion did not hear the confirmation and sends it again
  EXPECT_EQ(env.ui.Texts(), std::vector<std::string>{"Your calendar folder is empty."});
  EXPECT_EQ(link.confirmed, (std::vector<std::string>{"n1", "n1"}));
  EXPECT_EQ(open.saves, 0);
}

TEST_F(IntakeTest, AFailedSaveAnswersNothingAndTheChangeIsNeverAppliedTwice) {
  CalendarRecord task;
  task.title = "Call mum";
  link.calendarChanges = {Frame(BridgeCode::kTask, task.Task(), "k1")};
  open.saveWorks = false;
  Pass();
  EXPECT_TRUE(link.frames.empty());  // no echo before the save
  EXPECT_TRUE(link.confirmed.empty());
  Pass();  // the companion sends it again: still one item
  EXPECT_EQ(ItemsTitled("Call mum").size(), 1u);
  EXPECT_TRUE(link.frames.empty());
  open.saveWorks = true;
  Pass();
  EXPECT_EQ(ItemsTitled("Call mum").size(), 1u);
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.frames[0].key, "k1");
}

TEST_F(IntakeTest, AnUnheardEchoIsSentAgainAndAnAnsweredKeyMayComeBackWithNewNews) {
  CalendarRecord task;
  task.title = "Call mum";
  link.calendarChanges = {Frame(BridgeCode::kTask, task.Task(), "new:mum.ics")};
  link.results = {LinkResult::kRecordFailed};  // the companion did not hear the echo
  Pass();
  ASSERT_EQ(ItemsTitled("Call mum").size(), 1u);
  Pass();  // it sends the change again: the same answer, and still one item
  EXPECT_EQ(ItemsTitled("Call mum").size(), 1u);
  ASSERT_GE(link.frames.size(), 2u);
  EXPECT_EQ(link.frames.back().key, "new:mum.ics");
  EXPECT_EQ(link.frames.back().itemID, s.GetActID(ItemsTitled("Call mum")[0]));
  // Answered: a file made again under the same name later is a new item of its own.
  task.title = "Call mum again";
  link.calendarChanges = {Frame(BridgeCode::kTask, task.Task(), "new:mum.ics")};
  Pass();
  EXPECT_EQ(ItemsTitled("Call mum again").size(), 1u);
  EXPECT_EQ(ItemsTitled("Call mum").size(), 1u);
}

class ReceivingTest : public IntakeTest {
 protected:
  ReceivingTest() {
    switches.receivingPath = "/home/ann/Ploven/Home.pln";
    otherEngine = &otherPlanning;
    otherRecurrences = &otherR;
    otherUndelete = &otherUndeleteStack;
  }
  Schedule otherSchedule{env.msg, env.clock};
  Engine otherPlanning{otherSchedule};
  Recurrences otherR{otherPlanning};
  UndeleteStack otherUndeleteStack{otherSchedule};
};

TEST_F(ReceivingTest, AMissingReceivingScheduleIsToldOnceAndTheChangesWait) {
  link.calendarChanges = {Frame(BridgeCode::kTask, CalendarRecord{}.Task(), "k1")};
  Pass();
  Pass();
  ASSERT_EQ(env.ui.Texts().size(), 1u);
  EXPECT_EQ(env.ui.Texts()[0], std::string(kSyncScheduleMissingLead) + "/home/ann/Ploven/Home.pln" +
                                   kSyncScheduleMissingTail);
  EXPECT_TRUE(link.confirmed.empty());
  EXPECT_TRUE(link.frames.empty());
  EXPECT_TRUE(ItemsTitled("Item").empty());
  EXPECT_TRUE(opened.empty());
}

TEST_F(ReceivingTest, AnotherScheduleIsOpenedForThePassAndTheOpenOneIsLeftAlone) {
  existing.insert(switches.receivingPath);
  CalendarRecord task;
  task.title = "Fix the fence";
  link.calendarChanges = {Frame(BridgeCode::kTask, task.Task(), "k1")};
  s.ClearChanged();
  const IntakeReport report = Pass();
  EXPECT_EQ(opened, std::vector<std::string>{"/home/ann/Ploven/Home.pln"});
  EXPECT_EQ(report.taken, 1);
  EXPECT_FALSE(report.openChanged);
  EXPECT_TRUE(ItemsTitled("Fix the fence").empty());
  EXPECT_FALSE(s.changed());
  EXPECT_EQ(open.saves, 0);
  EXPECT_NE(otherSchedule.FindActByTitle("Fix the fence"), kNoAct);
  EXPECT_FALSE(otherSchedule.changed());  // saved by the pass
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.frames[0].key, "k1");
}

TEST(ReceivingScheduleTest, TheOpenScheduleReceivesWhenNoneOrItselfIsNamed) {
  EXPECT_TRUE(IsReceivingSchedule("0", "/a/b.pln"));
  EXPECT_TRUE(IsReceivingSchedule("", "/a/b.pln"));
  EXPECT_TRUE(IsReceivingSchedule("/a/./c/../b.pln", "/a/b.pln"));
  EXPECT_FALSE(IsReceivingSchedule("/a/c.pln", "/a/b.pln"));
}

}  // namespace
}  // namespace ploven::test
