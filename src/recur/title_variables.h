#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "store/date_format.h"
#include "store/date_types.h"

namespace ploven {

// What a title variable may need of the occurrence it is expanded for. The costly values are
// asked for only when the title's variable needs them.
struct TitleVariableContext {
  DayNumber origin = 0;                 // the date of the occurrence shown or created
  std::function<int()> instanceNumber;  // dates from the Start Date through `origin` that qualify
  DayNumber lastDone = 0;
  std::function<DayNumber()> nextInstance;  // the next date after today without an exception
  uint32_t uniqueNumber = 0;
  bool forDrone = false;      // "last done" and "next instance" only where an occurrence shows
  bool expansionOff = false;  // the preference: every variable becomes the empty string
  DateText text;
};

// The title with its one variable in curly brackets replaced. Only the first "{" and the first
// "}" after it count; the keyword is matched case-insensitively at the start of the bracket's
// text. A bracket that holds no variable leaves the title as it stands.
//
// For a drone ("forDrone") "{last done}" and "{next instance}" are kept as written: a value
// frozen into the drone's own title would soon be stale, while the kept variable can still be
// filled in wherever the drone's title is shown. A variable whose value the context cannot
// supply (no instanceNumber or nextInstance function) is kept as written too.
std::string ExpandTitleVariables(std::string_view title, const TitleVariableContext& context);

}  // namespace ploven
