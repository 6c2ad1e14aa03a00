#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven {
class Messages;
class ScheduleHeader;
class Settings;
struct ProgramSettings;
}  // namespace ploven

namespace ploven::cli {

inline constexpr size_t kHeaderReserveToday = ScheduleHeader::kReserveToday;
inline constexpr size_t kHeaderReserveFuture = ScheduleHeader::kReserveFuture;
inline constexpr size_t kHeaderKeepClearFrom = ScheduleHeader::kKeepClearFrom;
inline constexpr size_t kHeaderKeepClearThrough = ScheduleHeader::kKeepClearThrough;

// What the engine plans a schedule with: the header's Balance Settings and the
// workdays of the program's settings ("Workday0".."Workday6", by the country).
EngineSettings ReadEngineSettings(const ScheduleHeader& header, const Settings& settings,
                                  int country);

// The Expected Returns switch ("ExpectedReturnsActive"): the priority index of the schedule
// holds it while the program runs.
bool ReadExpectedReturnsActive(const Settings& settings);

// After a settings dialog stored new values: the engine plans with what the settings and the
// header now say (its own switches, such as the done log files, stay), and the priority index
// takes the Expected Returns switch over without warning again.
void RereadEngineSettings(Engine& engine, const Settings& settings, int country);

// The timers of AutoPilot and the automatic Balance Day run every so many minutes. 0 would
// run them on every tick; a stored value above 9998 reads as a missing one.
inline constexpr int kShortestTimerInterval = 1;
inline constexpr int kLongestTimerInterval = 9998;
// A whole number of minutes in that range, or nothing.
std::optional<int> ReadTimerInterval(const std::string& text);

// The values of the Other Settings dialog.
struct OtherSettings {
  bool lifeProjects = false;
  bool balanceLightensLoad = false;
  bool autoPilot = false;
  int autoPilotInterval = 19;
  bool autoBalanceDay = false;
  int balanceDayInterval = 1;
  bool autoBringForward = false;
  bool expectedReturnsActive = false;
  bool hideDoneItems = false;  // "EnableHideDoneItems"
  bool operator==(const OtherSettings&) const = default;
};
OtherSettings OtherSettingsOf(const ProgramSettings& program);
// Takes the values into the program settings and writes the keys that changed. False when the
// settings file could not be written (the values hold until the program ends).
bool StoreOtherSettings(const OtherSettings& values, ProgramSettings& program,
                        Settings& settings);

// The workdays, Sunday first, the same way.
bool StoreWorkdays(const std::array<bool, 7>& workdays, ProgramSettings& program,
                   Settings& settings);

// The keys `set` knows.
bool IsScheduleSettingKey(const std::string& key);

struct SettingChange {
  std::string key;
  std::string value;
};

// Applies the changes with the checks of the settings dialogs, in the order
// Work Hours, Day Bounds, Balance Settings. A value that cannot be read or a
// check that keeps a dialog open refuses the whole command (told) and changes
// nothing; adjustments a dialog makes by itself are made and told.
bool ApplyScheduleSettings(ScheduleHeader& header, const std::vector<SettingChange>& changes,
                           const DateText& text, const ParseContext& context, Messages& msg);

}  // namespace ploven::cli
