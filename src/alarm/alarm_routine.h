#pragma once

#include <functional>
#include <string>

#include "alarm/alarm_device.h"
#include "alarm/alarm_sentence.h"
#include "alarm/alarm_settings.h"
#include "engine/engine.h"

namespace ploven {

class Recurrences;
class Settings;
class UndeleteStack;

// What the alarms run on: the planning (for Done, Delete and the clone of a done item), the
// messages, the clock, the preferences and the machine.
struct AlarmServices {
  Recurrences& recurrences;
  Messages& msg;
  const Clock& clock;
  const DateText& text;
  AlarmSettings& settings;
  AlarmDevice& device;
  Settings* store = nullptr;          // where the remembered snooze length is written
  UndeleteStack* undelete = nullptr;  // Delete Item keeps what it deletes here
  std::string userName;               // the box's caption names the user
  std::string dataFolder;             // where the chime files are
};

// Most alarm boxes open at once; the warning box counts as one more.
inline constexpr int kMostAlarmBoxes = 10;

// The alarms of the running program: the minute routine with its run state (the boxes open,
// the minute whose triggered launches ran).
class AlarmRoutine {
 public:
  explicit AlarmRoutine(AlarmServices services);

  // Once for every new minute. Boxes are modal and the minute routine runs on inside them, so
  // this may be entered again while a box of an outer call is open.
  void RunMinute();
  // At the change of date every alarm is armed again.
  void NewDay();

  // The user named themselves (the boxes' caption names the user).
  void SetUserName(std::string name) { m_x.userName = std::move(name); }

  // Plays the alarm sound as the settings choose it (also the countdown timer's sound).
  void PlayAlarmSound();

  int openBoxes() const { return m_openBoxes; }
  const AlarmServices& services() const { return m_x; }
  AlarmServices& services() { return m_x; }

 private:
  void PlayChimes(DayNumber today, TimeOfDay now);
  void RunLaunches(DayNumber today, TimeOfDay now);
  void CheckDay(DayNumber today, TimeOfDay now);
  void Ring(TaskNode* task, AlarmPoint point, TimeOfDay now);
  void Answer(ActHandle item, int answer, TimeOfDay now);
  void Snooze(ActHandle item, TimeOfDay now);
  void DoneItem(ActHandle item);
  void DeleteItem(ActHandle item);
  // Asks and launches the target of an item's title; true when it was launched.
  bool TriggeredLaunch(TaskNode* task, bool ask, TimeOfDay now);
  // A box shown while the open-box count holds it.
  int ShowCounted(const std::function<int()>& show);

  AlarmServices m_x;
  int m_openBoxes = 0;
  int32_t m_lastLaunchMoment = -1;
};

// Clears the alarm state of one item (moved to another date, alarm edited) / of every item.
void ResetAlarmState(Schedule& s, ActHandle act);
void ResetAllAlarmStates(Schedule& s);

// An answer to the snooze dialog. Returns the new alarm state (now + minutes, or -1 when that
// would pass midnight).
int16_t SnoozeState(TimeOfDay now, int minutes);

}  // namespace ploven
