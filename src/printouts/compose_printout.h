#pragma once

#include <functional>
#include <string>

#include "filters/item_filter.h"
#include "present/display_options.h"
#include "printouts/printout_document.h"
#include "printouts/printout_request.h"
#include "store/project_reports.h"  // WeekStart

namespace ploven {

class Engine;
class Recurrences;

// Whether an item is left out of a printout, for the day it is printed on.
using PrintoutFilter = std::function<bool(ActHandle, DayNumber)>;

// The item filter as a printout applies it: private items are left out unless
// `includePrivateItems`, the active filter combination applies, and the appointments-only rule
// of My Multiple Day View does not. `base` gives the view being printed and the done-items
// switches.
PrintoutFilter MakePrintoutFilter(Schedule& s, const FilterState& state, FilterContext base,
                                  bool includePrivateItems);

// What a printout is composed from.
struct PrintSource {
  Engine& engine;
  Recurrences* recurrences = nullptr;  // null: occurrences show their definition's title
  DisplayOptions options;
  PrintoutFilter hidden;  // none when empty
  std::string userName;
  std::string filterText;  // the active filter's summary
  int daysPerPage = 1;
};

// The printout's pages' content: headings and rows as the views compose them, in their order.
// Day sheets and calendars make the days they cover (their recurring occurrences appear).
PrintoutDocument ComposePrintout(const PrintSource& source, const PrintoutRequest& request);

}  // namespace ploven
