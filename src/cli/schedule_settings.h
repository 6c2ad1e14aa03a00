#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven {
class Messages;
class ScheduleHeader;
class Settings;
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
