#pragma once

#include <functional>
#include <optional>
#include <string>

#include "alarm/alarm_settings.h"
#include "platform/messages.h"
#include "store/act_record.h"

namespace ploven {

inline constexpr int kMostAlarmHours = 24;
inline constexpr int kMostAlarmMinutes = 99;
inline constexpr int kMostReminderDays = 99;

// The fields of the alarm dialog "Item: Alarm".
struct AlarmForm {
  int hours = 0;
  int minutes = 0;
  bool after = false;  // "after" the point, else "before"
  bool atEnd = false;  // the end of the planned duration, else the begin
  bool alsoDial = false;
  std::string pagerNumber;
  int reminderDays = 0;
  bool remindersAfter = false;  // after the day of the event, else before
  bool memo = false;            // the point buttons read "begin time." / "end time."
};

// The form as the item's alarm fields and the saved Also Dial number fill it. An item with an
// alarm at neither point gets the begin.
AlarmForm AlarmFormOf(const Act& a, const AlarmSettings& settings);

// What OK needs from outside the form.
struct AlarmFormPorts {
  Messages& msg;
  AlarmSettings& settings;
  DayNumber today = kNoDate;
  // Writes the alarm preferences that OK changed (the Also Dial number, suppression).
  std::function<void()> storeSettings;
};

// OK of the alarm dialog: checks the numbers (each refusal told, nothing taken), takes the form
// into the item's fields with its alarm switched on and armed again, asks before the Also Dial
// number of every alarm changes, and offers to switch suppression off. False: refused, the
// dialog stays.
bool TakeAlarmForm(const AlarmForm& form, Act& a, AlarmFormPorts& ports);

// Alarms Settings: a suppression date typed in the past is accepted with a warning. Returns the
// warning to show, if any.
std::optional<std::string> SuppressDateWarning(DayNumber until, DayNumber today);

}  // namespace ploven
