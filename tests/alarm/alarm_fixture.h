#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "alarm/alarm_due.h"
#include "alarm/alarm_routine.h"
#include "file/undelete.h"
#include "mock/fake_alarm_device.h"
#include "recur/expansion_fixture.h"

namespace ploven::test {

// The alarm box's buttons as the box reports them.
inline constexpr int kBoxYes = kIdCustom1;
inline constexpr int kBoxNo = kIdCustom1 + 1;
inline constexpr int kBoxDelete = kIdCustom1 + 2;
inline constexpr int kBoxDone = kIdCustom1 + 3;

// A screen whose alarm boxes stay up while the minutes go on: each box runs the next minute
// inside it, as the desktop program's modal boxes do.
class NestingUi : public ScriptedUi {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    boxes.push_back(box);
    if (routine != nullptr && minutesLeft > 0) {
      --minutesLeft;
      clock->Set(clock->Today(), static_cast<TimeOfDay>(clock->Now() + 1));
      routine->RunMinute();
    }
    return {box.buttons.size() == 4 ? kBoxNo : kIdOk, false, false};
  }
  AlarmRoutine* routine = nullptr;
  SettableClock* clock = nullptr;
  int minutesLeft = 0;
};

class AlarmTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    Keep(kToday);
    Keep(kToday + 1);
  }

  // A fixed item with an alarm `before` minutes ahead of its begin.
  ActHandle WithAlarm(const std::string& title, TimeOfDay start, int before,
                      uint32_t point = AF_ALARM_AT_BEGIN, uint32_t flags = 0, uint16_t type = 0,
                      DayNumber date = kToday) {
    const ActHandle h = Fixed(title, date, start, 30, flags, type);
    Act& a = s.LockAct(h);
    a.flags |= AF_ALARM | point;
    a.alarmHours = static_cast<int8_t>(before / 60);
    a.alarmMinutes = static_cast<int16_t>(before % 60);
    return h;
  }

  void SetNow(TimeOfDay now, DayNumber day = kToday) { env.clock.Set(day, now); }
  void RunAt(TimeOfDay now, DayNumber day = kToday) {
    SetNow(now, day);
    routine.RunMinute();
  }

  // The alarm boxes shown so far (their captions begin "Ploven Alarm for ").
  std::vector<std::string> AlarmBoxes() const {
    std::vector<std::string> out;
    for (const BoxRequest& b : env.ui.boxes)
      if (b.caption.rfind("Ploven Alarm for ", 0) == 0) out.push_back(b.text);
    return out;
  }
  int16_t State(ActHandle h) { return s.ReadAct(h).alarmState; }

  FakeAlarmDevice device;
  AlarmSettings settings;
  DateText text;
  UndeleteStack undelete{s};
  AlarmRoutine routine{AlarmServices{r, env.msg, env.clock, text, settings, device, nullptr,
                                     &undelete, "Pat", "/data"}};
};

}  // namespace ploven::test
