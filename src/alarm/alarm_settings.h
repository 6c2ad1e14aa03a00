#pragma once

#include <string>

#include "store/date_types.h"

namespace ploven {

class Settings;
struct ProgramSettings;
struct LayoutRecord;

inline constexpr char kDefaultMailCommand[] = "/usr/sbin/sendmail -t -i";
// The e-mail-to-text gateway texts go through when "SmsGatewayDomain" names none.
inline constexpr char kDefaultSmsGatewayDomain[] = "txt.att.net";
inline constexpr int kDefaultSnoozeMinutes = 5;
inline constexpr int kShortestSnooze = 1;
inline constexpr int kLongestSnooze = 120;
inline constexpr size_t kLongestPagerNumber = 254;

// The program-wide alarm preferences (Alarms Settings and the Also Dial number).
struct AlarmSettings {
  bool suppressAll = false;           // "Suppress All Alarms" (the layout record keeps it)
  DayNumber suppressUntil = kNoDate;  // the first day alarms ring again; 0 = forever
  bool suppressRepeats = false;       // "AlarmsRingOnce": an open box does not sound again
  bool mute = false;                  // "AlarmsSilent"
  bool chimes = false;                // "Chimes": every five minutes and at the end of work
  std::string sound;                  // "" = the system's alarm sound, "none", or a file
  std::string soundFolder;            // the user's own sounds, offered beside the theme's
  std::string pagerNumber;            // the Also Dial number or address
  int snoozeMinutes = kDefaultSnoozeMinutes;
  std::string mailCommand = kDefaultMailCommand;
  std::string smsGatewayDomain = kDefaultSmsGatewayDomain;
  std::string dialCommand;  // empty: calls open a callto:/tel: link through the desktop

  // Nothing rings today.
  bool SuppressedOn(DayNumber today) const {
    return suppressAll && (suppressUntil == kNoDate || today < suppressUntil);
  }
};

AlarmSettings ReadAlarmSettings(const Settings& settings, const ProgramSettings& program,
                                const LayoutRecord& layout);
// Takes the values into the program settings and the layout record and writes the keys. False
// when the settings file could not be written (the values hold until the program ends).
bool StoreAlarmSettings(const AlarmSettings& values, ProgramSettings& program, LayoutRecord& layout,
                        Settings& settings);

}  // namespace ploven
