#include "alarm/alarm_form.h"

#include <cstdlib>

#include "alarm/alarm_messages.h"
#include "platform/format.h"
#include "store/act_flags.h"

namespace ploven {

namespace t = alarm_text;

namespace {

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool IsMemo(uint16_t typeFlags) {
  return (typeFlags & (ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY)) != 0;
}

}  // namespace

AlarmForm AlarmFormOf(const Act& a, const AlarmSettings& settings) {
  AlarmForm f;
  const int offset = 60 * a.alarmHours + a.alarmMinutes;
  f.after = offset < 0;
  f.hours = std::abs(static_cast<int>(a.alarmHours));
  f.minutes = std::abs(static_cast<int>(a.alarmMinutes));
  f.atEnd = a.Has(AF_ALARM_AT_END) && !a.Has(AF_ALARM_AT_BEGIN);
  f.alsoDial = a.Has(AF_ALSO_DIAL);
  f.pagerNumber = settings.pagerNumber;
  f.reminderDays = std::abs(static_cast<int>(a.reminderDays));
  f.remindersAfter = a.reminderDays < 0;
  f.memo = IsMemo(a.typeFlags);
  return f;
}

bool TakeAlarmForm(const AlarmForm& f, Act& a, AlarmFormPorts& p) {
  if (f.hours < 0 || f.hours > kMostAlarmHours) {
    p.msg.ErrorMessage(t::kHoursTooMany);
    return false;
  }
  if (f.minutes < 0 || f.minutes > kMostAlarmMinutes) {
    p.msg.ErrorMessage(Sprintf(t::kMinutesOutOfRange, f.minutes));
    return false;
  }
  if (f.reminderDays < 0 || f.reminderDays > kMostReminderDays) {
    p.msg.ErrorMessage(Sprintf(t::kReminderDaysTooMany, f.reminderDays));
    return false;
  }
  const std::string number = Trim(f.pagerNumber);
  if (number.size() > kLongestPagerNumber) {
    p.msg.ErrorMessage(t::kPagerNumberTooLong);
    return false;
  }

  const int sign = f.after ? -1 : 1;
  a.alarmHours = static_cast<int8_t>(sign * f.hours);
  a.alarmMinutes = static_cast<int16_t>(sign * f.minutes);
  a.flags |= AF_ALARM;
  a.flags &= ~static_cast<uint32_t>(AF_ALARM_AT_BEGIN | AF_ALARM_AT_END);
  a.flags |= f.atEnd ? AF_ALARM_AT_END : AF_ALARM_AT_BEGIN;
  if (f.alsoDial)
    a.flags |= AF_ALSO_DIAL;
  else
    a.flags &= ~static_cast<uint32_t>(AF_ALSO_DIAL);
  a.reminderDays = static_cast<int8_t>((f.remindersAfter ? -1 : 1) * f.reminderDays);
  if (a.reminderDays != 0)
    a.flags |= AF_REMINDER_DAYS;
  else
    a.flags &= ~static_cast<uint32_t>(AF_REMINDER_DAYS);
  a.alarmState = 0;  // edited: it rings again

  bool settingsChanged = false;
  if (number != p.settings.pagerNumber && p.msg.Question(t::kChangePagerNumber) == kIdYes) {
    p.settings.pagerNumber = number;
    settingsChanged = true;
  }
  if (p.settings.SuppressedOn(p.today)) {
    MultiButtonParams params;
    const int answer = p.msg.MultiButtonBox(t::kSuppressedWarning, t::kSuppressedWarningCaption,
                                            kMbYesNo | kMbDefButton2 | kMbIconExclamation, params);
    if (answer == kIdYes) {
      p.settings.suppressAll = false;
      settingsChanged = true;
      p.msg.InformationMessage(t::kSuppressionTurnedOff);
    }
  }
  if (settingsChanged && p.storeSettings) p.storeSettings();
  return true;
}

std::optional<std::string> SuppressDateWarning(DayNumber until, DayNumber today) {
  if (until != kNoDate && until < today) return std::string(t::kPastSuppressDate);
  return std::nullopt;
}

}  // namespace ploven
