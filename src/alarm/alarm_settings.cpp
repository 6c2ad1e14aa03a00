#include "alarm/alarm_settings.h"

#include <algorithm>

#include "platform/layout_record.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

std::string Trimmed(std::string s) {
  const auto blank = [](unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  while (!s.empty() && blank(static_cast<unsigned char>(s.back()))) s.pop_back();
  size_t i = 0;
  while (i < s.size() && blank(static_cast<unsigned char>(s[i]))) ++i;
  return s.substr(i);
}

}  // namespace

AlarmSettings ReadAlarmSettings(const Settings& settings, const ProgramSettings& program,
                                const LayoutRecord& layout) {
  AlarmSettings a;
  a.suppressAll = layout.alarmChecksOff != 0;
  // The stored default is the last day a user may enter: "until" that day means forever.
  a.suppressUntil =
      program.suppressAlarmsUntilDate >= kLastUserDay || program.suppressAlarmsUntilDate < 0
          ? kNoDate
          : static_cast<DayNumber>(program.suppressAlarmsUntilDate);
  a.suppressRepeats = program.alarmsRingOnce != 0;
  a.mute = program.alarmsSilent != 0;
  a.chimes = program.chimes != 0;
  a.sound = settings.ReadString(key::kAlarmSound);
  a.soundFolder = settings.ReadString(key::kAlarmSoundFolder);
  a.pagerNumber = Trimmed(settings.ReadString(key::kPagerNumber, "", kLongestPagerNumber));
  const int snooze =
      settings.ReadInt(key::kAlarmSnoozeMinutes, EncodedDefault(kDefaultSnoozeMinutes));
  a.snoozeMinutes =
      snooze >= kShortestSnooze && snooze <= kLongestSnooze ? snooze : kDefaultSnoozeMinutes;
  a.mailCommand = Trimmed(settings.ReadString(key::kMailCommand, kDefaultMailCommand));
  a.smsGatewayDomain =
      Trimmed(settings.ReadString(key::kSmsGatewayDomain, kDefaultSmsGatewayDomain));
  a.dialCommand = Trimmed(settings.ReadString(key::kDialCommand));
  return a;
}

bool StoreAlarmSettings(const AlarmSettings& a, ProgramSettings& program, LayoutRecord& layout,
                        Settings& settings) {
  layout.alarmChecksOff = a.suppressAll ? 1 : 0;
  program.suppressAlarmsUntilDate = a.suppressUntil == kNoDate ? kLastUserDay : a.suppressUntil;
  program.alarmsRingOnce = a.suppressRepeats ? 1 : 0;
  program.alarmsSilent = a.mute ? 1 : 0;
  program.chimes = a.chimes ? 1 : 0;
  Settings::Batch batch(settings);
  bool ok = true;
  for (const char* k :
       {key::kSuppressAlarmsUntilDate, key::kAlarmsRingOnce, key::kAlarmsSilent, key::kChimes})
    ok = program.WriteInt(settings, k) && ok;
  ok = settings.WriteString(key::kAlarmSound, a.sound) && ok;
  ok = settings.WriteString(key::kAlarmSoundFolder, a.soundFolder) && ok;
  ok = settings.WriteString(
           key::kPagerNumber,
           a.pagerNumber.substr(0, std::min(a.pagerNumber.size(), kLongestPagerNumber))) &&
       ok;
  ok = settings.WriteInt(key::kAlarmSnoozeMinutes, a.snoozeMinutes) && ok;
  return ok;
}

}  // namespace ploven
