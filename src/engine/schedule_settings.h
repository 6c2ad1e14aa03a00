#pragma once

#include <string>
#include <vector>

#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven {

class Messages;
class ScheduleHeader;

// The schedule's own settings by name, as scripts set them: the Work Hours, Day Bounds and
// Balance Settings the header holds.
bool IsScheduleSettingKey(const std::string& key);

struct SettingChange {
  std::string key;
  std::string value;
};

// Applies the changes with the checks of the settings dialogs, in the order Work Hours, Day
// Bounds, Balance Settings. A value that cannot be read or a check that keeps a dialog open
// refuses the whole change (told) and changes nothing; adjustments a dialog makes by itself
// are made and told. Times and dates are read as the script forms first (store/date_argument.h).
bool ApplyScheduleSettings(ScheduleHeader& header, const std::vector<SettingChange>& changes,
                           const DateText& text, const ParseContext& context, Messages& msg);

}  // namespace ploven
