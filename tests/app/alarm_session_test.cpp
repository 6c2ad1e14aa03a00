#include <gtest/gtest.h>

#include "app/program_session.h"
#include "mock/fake_alarm_device.h"
#include "mock/test_env.h"

namespace ploven::test {
namespace {

constexpr int kBoxYes = kIdCustom1;
constexpr int kBoxNo = kIdCustom1 + 1;

TimeOfDay At(int hour, int minute = 0) { return static_cast<TimeOfDay>(hour * 60 + minute + 1); }

// The alarms ring from the session's minute pass, on a schedule that is saved and opened again.
class AlarmSessionTest : public ::testing::Test {
 protected:
  std::unique_ptr<ProgramSession> Start() {
    auto session = std::make_unique<ProgramSession>(
        ui, clock, ProgramPlaces{dir / "data", dir / "profile.ini", LocaleFacts{true, 0, 1}});
    EXPECT_NE(session->Open(std::nullopt), SessionStart::kExit);
    session->EndStartup();
    session->StartAlarms(&device, nullptr);
    return session;
  }
  ActHandle AddAlarm(ProgramSession& session, const std::string& title, TimeOfDay start) {
    Act a;
    a.flags = AF_FIXED | AF_ALARM | AF_ALARM_AT_BEGIN;
    a.startTime = start;
    a.duration = 30;
    return session.schedule().NewItem(TestEnv::kToday, a, title);
  }
  int AlarmBoxes() const {
    int n = 0;
    for (const BoxRequest& b : ui.boxes) n += b.caption.rfind("Ploven Alarm for", 0) == 0;
    return n;
  }

  TempDir dir;
  ScriptedUi ui;
  SettableClock clock{TestEnv::kToday, At(8)};
  FakeAlarmDevice device;
};

TEST_F(AlarmSessionTest, TheMinutePassRingsAnAlarmThatWasDueWhileTheProgramWasClosed) {
  {
    auto session = Start();
    AddAlarm(*session, "Standup", At(8, 30));
    ASSERT_TRUE(session->SaveForClose());
  }
  clock.Set(TestEnv::kToday, At(10));  // the program was closed at 8:30
  auto session = Start();
  ui.Answer(kBoxNo);
  session->MinutePass();
  EXPECT_EQ(AlarmBoxes(), 1);
  EXPECT_TRUE(ui.Showed("...is scheduled to begin 1 hour and 30 minutes ago."));
}

TEST_F(AlarmSessionTest, ASnoozedAlarmRingsAtItsMinuteAfterARestart) {
  {
    auto session = Start();
    const ActHandle h = AddAlarm(*session, "Standup", At(8));
    ui.Answer(kBoxYes);
    device.snoozeAnswers = {20};
    session->MinutePass();
    ASSERT_EQ(session->schedule().ReadAct(h).alarmState, At(8, 20));
    ASSERT_TRUE(session->SaveForClose());
  }
  auto session = Start();
  const ActHandle again = session->schedule().FindActByTitle("Standup");
  ASSERT_NE(again, kNoAct);
  EXPECT_EQ(session->schedule().ReadAct(again).alarmState, At(8, 20));
  clock.Set(TestEnv::kToday, At(8, 19));
  session->Tick();
  session->MinutePass();
  EXPECT_EQ(AlarmBoxes(), 1);
  ui.Answer(kBoxNo);
  clock.Set(TestEnv::kToday, At(8, 20));
  session->Tick();
  session->MinutePass();
  EXPECT_EQ(AlarmBoxes(), 2);
}

TEST_F(AlarmSessionTest, SuppressionAndTheSnoozeLengthAreKeptAsSettings) {
  {
    auto session = Start();
    AlarmSettings values = session->alarmSettings();
    values.suppressAll = true;
    values.suppressUntil = static_cast<DayNumber>(TestEnv::kToday + 1);
    values.snoozeMinutes = 25;
    values.pagerNumber = "pat@example.org";
    ASSERT_TRUE(session->StoreAlarmPreferences(values));
    ASSERT_TRUE(session->WriteAllSettings());
    ASSERT_TRUE(session->SaveForClose());
  }
  auto session = Start();
  const AlarmSettings& back = session->alarmSettings();
  EXPECT_TRUE(back.suppressAll);
  EXPECT_EQ(back.suppressUntil, TestEnv::kToday + 1);
  EXPECT_EQ(back.snoozeMinutes, 25);
  EXPECT_EQ(back.pagerNumber, "pat@example.org");
  AddAlarm(*session, "Quiet", At(8));
  session->MinutePass();
  EXPECT_EQ(AlarmBoxes(), 0);
}

}  // namespace
}  // namespace ploven::test
