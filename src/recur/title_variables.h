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
  DayNumber origin = 0;                  // the date of the occurrence shown or created
  std::function<int()> instanceNumber;   // dates from the Start Date through `origin` that qualify
  DayNumber lastDone = 0;
  std::function<DayNumber()> nextInstance;  // the next date after today without an exception
  uint32_t uniqueNumber = 0;
  bool forDrone = false;      // "last done" and "next instance" only where an occurrence shows
  bool expansionOff = false;  // the preference: every variable becomes the empty string
  DateText text;
};

// The title with its one variable in curly brackets replaced.
std::string ExpandTitleVariables(std::string_view title, const TitleVariableContext& context);

}  // namespace ploven
