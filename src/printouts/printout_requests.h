#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "printouts/printout_request.h"
#include "printouts/printout_settings.h"

namespace ploven {

// The spans the appointment calendar prints on a page.
enum class CalendarSpan { kWeek, kFourWeeks, kMonth, kQuarter };

// The calendar of the span that holds `date`: the week (or four weeks from it) in the weeks'
// layout, the month, or the quarter's three months on one page.
PrintoutRequest CalendarRequest(CalendarSpan span, DayNumber date, bool weekStartsMonday);

// The printouts Print My Printouts makes, in order, for `today`.
std::vector<PrintoutRequest> MyPrintoutRequests(const MyPrintouts& mine, DayNumber today,
                                                bool weekStartsMonday);

// The layout named "weeks", "months" or "list" (the command line's --format).
std::optional<CalendarFormat> CalendarFormatNamed(std::string_view name);

}  // namespace ploven
