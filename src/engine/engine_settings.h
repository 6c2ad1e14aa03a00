#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/engine.h"

namespace ploven {

class ScheduleHeader;
class Settings;
struct ProgramSettings;

// What the engine plans a schedule with: the header's Balance Settings and the program's
// settings (Other Settings, and the workdays "Workday0".."Workday6", by the country).
EngineSettings ReadEngineSettings(const ScheduleHeader& header, const Settings& settings,
                                  int country);

// The Expected Returns switch ("ExpectedReturnsActive"): the priority index of the schedule
// holds it while the program runs.
bool ReadExpectedReturnsActive(const Settings& settings);

// After a settings dialog (or a command) stored new values: the engine plans with what the
// settings and the header now say (its own switches, such as the done log files, stay), and
// the priority index takes the Expected Returns switch over without warning again.
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

}  // namespace ploven
