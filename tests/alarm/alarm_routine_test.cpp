#include "alarm/alarm_routine.h"

#include "alarm/alarm_fixture.h"
#include "alarm/alarm_messages.h"
#include "store/act_record.h"

namespace ploven::test {
namespace {

TEST_F(AlarmTest, TenMinutesBeforeANineOClockBeginRingsAtTenToNine) {
  const ActHandle h = WithAlarm("Standup", At(9), 10);
  s.LockAct(h).flags &= ~AF_FIXED;  // its begin may still move: ", at the latest"
  env.ui.Answer(kBoxNo);
  RunAt(At(8, 49));
  EXPECT_TRUE(AlarmBoxes().empty());
  EXPECT_EQ(State(h), 0);
  RunAt(At(8, 50));
  ASSERT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_EQ(AlarmBoxes()[0],
            "It's 8:50am!  The item:\n\n'Standup'\r\r...is scheduled to begin in 10 minutes, at "
            "the latest.\r\r\rRepeat the alarm later today?");
  EXPECT_EQ(env.ui.boxes.back().caption, "Ploven Alarm for Pat");
  EXPECT_EQ(State(h), -1);
  // Rung and dismissed: it does not ring again today.
  RunAt(At(8, 51));
  EXPECT_EQ(AlarmBoxes().size(), 1u);
}

TEST_F(AlarmTest, TheBoxWaitsAndDrainsTypingAndPostsANotificationItTakesBackAfter) {
  WithAlarm("Dentist", At(9), 0);
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  EXPECT_EQ(device.played, std::vector<std::string>{"<default>"});
  EXPECT_GE(device.waited, 300);
  EXPECT_EQ(device.keyDrains, 1);
  ASSERT_EQ(device.notices.size(), 1u);
  EXPECT_EQ(device.notices[0].summary, "Ploven Alarm");
  EXPECT_EQ(device.notices[0].body, "Dentist\nbegin now.");
  EXPECT_EQ(device.withdrawn, std::vector<std::string>{device.notices[0].occurrence});
  const BoxRequest& box = env.ui.boxes.back();
  ASSERT_EQ(box.buttons.size(), 4u);
  EXPECT_EQ(box.buttons[2].caption, "De&lete Item");
}

TEST_F(AlarmTest, MutedAlarmsPlayNothing) {
  settings.mute = true;
  WithAlarm("Dentist", At(9), 0);
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  EXPECT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_TRUE(device.played.empty());
}

TEST_F(AlarmTest, AMinimisedWindowGetsAPlainYesNoBox) {
  device.minimised = true;
  const ActHandle h = WithAlarm("Dentist", At(9), 0);
  env.ui.Answer(kIdYes);
  device.snoozeAnswers = {10};
  RunAt(At(9));
  EXPECT_EQ(env.ui.boxes.back().modality, BoxModality::kSystemModal);
  EXPECT_EQ(env.ui.boxes.back().buttons.size(), 2u);
  EXPECT_EQ(State(h), At(9, 10));
}

TEST_F(AlarmTest, EndAlarmsCountFromTheEnd) {
  const ActHandle h = WithAlarm("Review", At(9), 5, AF_ALARM_AT_END);  // 9:00-9:30
  env.ui.Answer(kBoxNo);
  RunAt(At(9, 24));
  EXPECT_TRUE(AlarmBoxes().empty());
  RunAt(At(9, 25));
  ASSERT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_NE(AlarmBoxes()[0].find("scheduled to end in 5 minutes."), std::string::npos);
  EXPECT_EQ(State(h), -1);
}

TEST_F(AlarmTest, AStartedFluidItemsEndIsWhereItsTaskEnds) {
  const ActHandle h = WithAlarm("Essay", At(9), 0, AF_ALARM_AT_END);
  Act& a = s.LockAct(h);
  a.flags = (a.flags & ~AF_FIXED) | AF_STARTED;
  a.duration = 120;  // planned; the task on the day is 30 minutes
  const TaskNode& task = *s.ActTask(h);
  EXPECT_EQ(AlarmPointTime(a, task, AlarmPoint::kEnd), At(9) + task.length);
  a.flags |= AF_FIXED;
  EXPECT_EQ(AlarmPointTime(a, task, AlarmPoint::kEnd), At(11));
}

TEST_F(AlarmTest, MemosRingOnceOnTheirDayUnlessDone) {
  const ActHandle memo = WithAlarm("Pay rent", At(9), 0, AF_ALARM_AT_BEGIN, 0, ACT_MEMO);
  const ActHandle done = WithAlarm("Birthday", At(9), 0, AF_ALARM_AT_BEGIN, AF_DONE, ACT_BIRTHDAY);
  env.ui.Answer(kBoxNo);
  RunAt(At(0, 1));
  ASSERT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_NE(AlarmBoxes()[0].find("scheduled to occur today."), std::string::npos);
  EXPECT_EQ(State(memo), -1);
  EXPECT_EQ(State(done), 0);
}

TEST_F(AlarmTest, SnoozingRingsAgainAtTheChosenMinuteAndRemembersTheLength) {
  const ActHandle h = WithAlarm("Call Sam", At(9), 0);
  env.ui.Answer(kBoxYes);
  device.snoozeAnswers = {0, 15};  // out of range first
  RunAt(At(9));
  EXPECT_TRUE(env.ui.Showed("Snooze time must be between 1 and 120 minutes."));
  ASSERT_EQ(device.snoozeAsked.size(), 2u);
  EXPECT_EQ(device.snoozeAsked[0], (std::pair<std::string, int>{"Call Sam", 5}));
  EXPECT_EQ(State(h), At(9, 15));
  EXPECT_EQ(settings.snoozeMinutes, 15);
  RunAt(At(9, 14));
  EXPECT_EQ(AlarmBoxes().size(), 1u);
  env.ui.Answer(kBoxNo);
  RunAt(At(9, 15));
  ASSERT_EQ(AlarmBoxes().size(), 2u);
  EXPECT_NE(AlarmBoxes()[1].find("begin 15 minutes ago."), std::string::npos);
  EXPECT_EQ(State(h), -1);
}

TEST_F(AlarmTest, SnoozingPastMidnightIsCancelledAndTold) {
  const ActHandle h = WithAlarm("Night shift", At(23), 0);
  env.ui.Answer(kBoxYes);
  device.snoozeAnswers = {120};
  RunAt(At(23));
  EXPECT_EQ(State(h), -1);
  EXPECT_TRUE(env.ui.Showed("cannot snooze beyond midnight"));
}

TEST_F(AlarmTest, ASnoozeToTheLastMinuteOfTheDayWaitsForIt) {
  const ActHandle h = WithAlarm("Late", At(22, 59), 0);
  env.ui.Answer(kBoxYes);
  device.snoozeAnswers = {60};
  RunAt(At(22, 59));
  EXPECT_EQ(State(h), At(23, 59));
  RunAt(At(23));
  EXPECT_EQ(AlarmBoxes().size(), 1u);  // not at once
}

TEST_F(AlarmTest, SuppressionUntilTomorrowSilencesTodayOnly) {
  settings.suppressAll = true;
  settings.suppressUntil = static_cast<DayNumber>(kToday + 1);
  const ActHandle today = WithAlarm("Today", At(9), 0);
  const ActHandle tomorrow = WithAlarm("Tomorrow", At(9), 0, AF_ALARM_AT_BEGIN, 0, 0, kToday + 1);
  RunAt(At(9));
  EXPECT_TRUE(AlarmBoxes().empty());
  EXPECT_EQ(State(today), 0);
  routine.NewDay();
  env.ui.Answer(kBoxNo);
  RunAt(At(9), kToday + 1);
  ASSERT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_EQ(State(tomorrow), -1);
}

TEST_F(AlarmTest, SuppressionWithoutADateLastsForever) {
  settings.suppressAll = true;
  EXPECT_TRUE(settings.SuppressedOn(kLastUserDay));
  settings.suppressAll = false;
  EXPECT_FALSE(settings.SuppressedOn(kToday));
}

TEST_F(AlarmTest, TheChangeOfDateArmsEveryAlarmAgain) {
  const ActHandle h = WithAlarm("Gym", At(9), 0);
  s.LockAct(h).alarmState = -1;
  s.ClearChanged();
  routine.NewDay();
  EXPECT_EQ(State(h), 0);
  EXPECT_TRUE(s.changed());
}

TEST_F(AlarmTest, AMissedAlarmRingsAtTheFirstMinuteAfterAStart) {
  const ActHandle h = WithAlarm("Standup", At(8), 0);
  env.ui.Answer(kBoxNo);
  RunAt(At(10, 30));
  ASSERT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_NE(AlarmBoxes()[0].find("begin 2 hour and 30 minutes ago."), std::string::npos);
  EXPECT_EQ(State(h), -1);
}

TEST_F(AlarmTest, ASnoozeSurvivesTheScheduleFile) {
  const ActHandle h = WithAlarm("Standup", At(8), 0);
  s.LockAct(h).alarmState = At(11);
  std::array<uint8_t, kActRecordSize> bytes{};
  EncodeAct(s.ReadAct(h), bytes);
  const Act back = DecodeAct(bytes);
  EXPECT_EQ(back.alarmState, At(11));
  EXPECT_TRUE(IsAlarmDue(back, *s.ActTask(h), AlarmPoint::kBegin, At(11)));
  EXPECT_FALSE(IsAlarmDue(back, *s.ActTask(h), AlarmPoint::kBegin, At(10, 59)));
}

TEST_F(AlarmTest, ARecurringOccurrenceBecomesAnItemOfItsOwnBeforeItRings) {
  Beta rule = Daily(kToday);
  Act a;
  a.flags = AF_FIXED | AF_ALARM | AF_ALARM_AT_BEGIN;
  a.typeFlags = ACT_ITEM;
  a.startTime = At(7);
  a.duration = 30;
  const ActHandle def = s.NewItem(kNoDate, a, "Walk", &rule);
  ASSERT_NE(def, kNoAct);
  TaskNode* clone = Clone(def, kToday);
  ASSERT_NE(clone, nullptr);
  env.ui.Answer(kBoxNo);
  RunAt(At(7));
  ASSERT_EQ(AlarmBoxes().size(), 1u);
  const ActHandle drone =
      Clone(def, kToday) == nullptr ? s.ExistingTerminal(kToday)->First()->act : kNoAct;
  ASSERT_NE(drone, kNoAct);
  EXPECT_TRUE(s.ActFlags(drone) & AF_DRONE);
  EXPECT_EQ(State(drone), -1);
  EXPECT_EQ(State(def), 0);  // tomorrow's occurrence still rings
}

TEST_F(AlarmTest, TheBoxNamesTheUserNamedAfterTheStart) {
  WithAlarm("Call the bank", At(9), 0);
  routine.SetUserName("Robin");
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  ASSERT_FALSE(env.ui.boxes.empty());
  EXPECT_EQ(env.ui.boxes.back().caption, "Ploven Alarm for Robin");
}

TEST_F(AlarmTest, DoneItemMarksItDoneAndOffersTheClone) {
  const ActHandle h = WithAlarm("File taxes", At(9), 0, AF_ALARM_AT_BEGIN, AF_CLONE_ON_DONE);
  env.ui.Answer(kBoxDone);
  env.ui.Answer(kIdOk);   // "Item marked as done."
  env.ui.Answer(kIdYes);  // the Offer to Clone
  int16_t copyState = 99;
  device.onOpenProperties = [&](ActHandle copy) { copyState = State(copy); };
  RunAt(At(9));
  EXPECT_TRUE(s.ActFlags(h) & AF_DONE);
  EXPECT_TRUE(env.ui.Showed("Item marked as done."));
  EXPECT_TRUE(env.ui.Showed("Offer to Clone: Now that the item \n\"File taxes\" is done"));
  ASSERT_EQ(device.propertiesOpened.size(), 1u);
  const ActHandle copy = device.propertiesOpened[0];
  EXPECT_NE(copy, h);
  EXPECT_FALSE(s.ActFlags(copy) & AF_DONE);
  EXPECT_EQ(copyState, 0);  // armed, not the rung state of the done item
  EXPECT_EQ(s.GetActNameFull(copy), "File taxes");
}

TEST_F(AlarmTest, DeleteItemAsksFirstAndCanBeUndeleted) {
  const ActHandle keep = WithAlarm("Keep me", At(9), 0);
  env.ui.Answer(kBoxDelete);
  env.ui.Answer(kIdNo);
  RunAt(At(9));
  EXPECT_TRUE(s.IsActValid(keep));
  const ActHandle h = WithAlarm("Drop me", At(9, 5), 0);
  env.ui.Answer(kBoxDelete);
  env.ui.Answer(kIdYes);
  RunAt(At(9, 5));
  EXPECT_EQ(s.ActTask(h), nullptr);
  EXPECT_TRUE(undelete.Undelete().undeleted);
}

TEST_F(AlarmTest, AnAnswerFromTheNotificationWins) {
  const ActHandle h = WithAlarm("Train", At(9), 0);
  env.ui.Answer(kBoxNo);
  device.noticeAnswer = NoticeAnswer::kDone;
  RunAt(At(9));
  EXPECT_TRUE(s.ActFlags(h) & AF_DONE);
}

TEST_F(AlarmTest, ChimesEveryFiveMinutesAndAtTheEndOfTheWorkday) {
  settings.chimes = true;
  device.files = {"/data/chimes05.wav", "/data/chimes00.wav"};
  RunAt(At(9, 5));
  RunAt(At(9, 6));
  RunAt(At(9, 10));  // no file of that name
  RunAt(At(10));
  EXPECT_EQ(device.played, (std::vector<std::string>{"/data/chimes05.wav", "/data/chimes00.wav"}));
  device.played.clear();
  RunAt(s.header().workdayEnd());
  EXPECT_EQ(device.played, std::vector<std::string>{"/data/chimes00.wav"});
  settings.chimes = false;
  device.played.clear();
  RunAt(At(11));
  EXPECT_TRUE(device.played.empty());
}

TEST_F(AlarmTest, AChosenSoundThatIsGoneIsTold) {
  settings.sound = "/sounds/gone.wav";
  routine.PlayAlarmSound();
  EXPECT_TRUE(env.ui.Showed("The sound file /sounds/gone.wav selected in Alarms Settings"));
  device.files.insert("/sounds/gone.wav");
  routine.PlayAlarmSound();
  EXPECT_EQ(device.played, std::vector<std::string>{"/sounds/gone.wav"});
  settings.sound = "none";
  routine.PlayAlarmSound();
  EXPECT_EQ(device.played.size(), 1u);
}

TEST_F(AlarmTest, TenBoxesAtMostThenTheWarningHoldsEverythingElse) {
  NestingUi ui;
  Messages msg(ui, env.clock, env.log, env.trace);
  AlarmRoutine nested{
      AlarmServices{r, msg, env.clock, text, settings, device, nullptr, &undelete, "Pat", "/data"}};
  ui.routine = &nested;
  ui.clock = &env.clock;
  ui.minutesLeft = 12;
  std::vector<ActHandle> items;
  for (int i = 0; i < 12; ++i) items.push_back(WithAlarm("Item " + std::to_string(i), At(9), 0));
  SetNow(At(9));
  nested.RunMinute();
  int alarmBoxes = 0;
  int warnings = 0;
  size_t warningAt = 0;
  for (size_t i = 0; i < ui.boxes.size(); ++i) {
    if (ui.boxes[i].text == alarm_text::kMaximumAlarms) {
      ++warnings;
      warningAt = i;
    } else if (ui.boxes[i].caption.rfind("Ploven Alarm for ", 0) == 0) {
      ++alarmBoxes;
    }
  }
  EXPECT_EQ(warnings, 1);
  EXPECT_EQ(warningAt, 10u);  // after ten alarm boxes, as the eleventh
  EXPECT_EQ(ui.boxes[warningAt].modality, BoxModality::kSystemModal);
  // Once the boxes were answered the other two rang as well.
  EXPECT_EQ(alarmBoxes, 12);
  EXPECT_EQ(nested.openBoxes(), 0);
  for (ActHandle h : items) EXPECT_EQ(State(h), -1);
}

TEST_F(AlarmTest, AnOpenBoxSoundsAgainEachMinuteUnlessRepeatsAreSuppressed) {
  NestingUi ui;
  Messages msg(ui, env.clock, env.log, env.trace);
  AlarmRoutine nested{
      AlarmServices{r, msg, env.clock, text, settings, device, nullptr, &undelete, "Pat", "/data"}};
  ui.routine = &nested;
  ui.clock = &env.clock;
  ui.minutesLeft = 1;
  WithAlarm("Bus", At(9), 0);
  SetNow(At(9));
  nested.RunMinute();
  EXPECT_EQ(device.played.size(), 2u);  // the ring, then the minute inside its box
  settings.suppressRepeats = true;
  device.played.clear();
  ui.minutesLeft = 1;
  WithAlarm("Tram", At(9, 30), 0);
  SetNow(At(9, 30));
  nested.RunMinute();
  EXPECT_EQ(device.played.size(), 1u);
}

}  // namespace
}  // namespace ploven::test
