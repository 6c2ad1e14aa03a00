#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/date_types.h"

namespace ploven {

// One row of a printed list: the columns the views show, ready to draw.
struct PrintRow {
  std::string when;      // "9:00-10:30" on a day sheet, the date in the lists
  std::string duration;  // "(1:30)", "(memo)"
  std::string priority;  // "A3"
  std::string title;
  std::string project;   // the project's name, "" without one
  bool done = false;     // drawn with a check mark and struck through
  bool note = false;     // a line of a note: drawn across the whole width, wrapped
  bool operator==(const PrintRow&) const = default;
};

// A heading with the rows under it: a day of a day sheet, a list, a note.
struct PrintBlock {
  std::string heading;
  std::vector<PrintRow> rows;
  std::string emptyText;  // shown under the heading when there are no rows
  bool newPage = false;   // starts a new page (the days per page of the day sheets)
};

// One day of an appointment calendar.
struct CalendarLine {
  std::string time;  // "9:00", "" for a memo
  std::string title;
  bool done = false;
};
struct CalendarCell {
  DayNumber date = kNoDate;
  std::string label;    // the day of the month, with the month's name on the 1st
  bool inRange = true;  // days of the grid outside the printed range are drawn empty
  bool today = false;
  std::vector<CalendarLine> lines;
};
// A month or a run of weeks: seven columns, one row a week.
struct CalendarGrid {
  std::string caption;                   // "December 2026", "Week of 12/07/26"
  std::array<std::string, 7> weekdays;   // the column headings, in the week's order
  std::vector<std::array<CalendarCell, 7>> weeks;
};

// A whole printout, made by the core and drawn by a front end's printing. A printout has list
// blocks or calendar pages; each calendar page holds one or more grids stacked.
struct PrintoutDocument {
  std::string what;       // "Day View", "Priority View", "Appointment Calendar"
  std::string dates;      // "Tue 12/08/26", "12/07/26 - 01/03/27", "" for lists without dates
  std::string userName;
  std::string filterText; // the active filter's summary; "" without one
  std::vector<PrintBlock> blocks;
  std::vector<std::vector<CalendarGrid>> calendarPages;
  bool firstPageOnly = false;  // Priority View, First Page

  bool IsCalendar() const { return !calendarPages.empty(); }
};

}  // namespace ploven
