#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/date_types.h"

namespace ploven {

// What can be printed.
enum class PrintoutKind {
  kDayView,          // day sheets of a run of days
  kPriorityView,
  kAlphabeticalView,
  kProjectsList,
  kCalendar,         // an appointment calendar
  kUnderscoredItems, // the underscored items in order of date and time
  kNotes,
};

// How an appointment calendar of a range of days is laid out.
enum class CalendarFormat {
  kWeeks,   // the weeks of the range, one grid
  kMonths,  // each month of the range on a page
  kList,    // the days one under the other, as day sheets of appointments
};

// A note to print: its heading (the item's title and date) and its text.
struct PrintNote {
  std::string heading;
  std::string text;
};

struct PrintoutRequest {
  PrintoutRequest() = default;
  explicit PrintoutRequest(PrintoutKind k, DayNumber first = kNoDate, DayNumber last = kNoDate)
      : kind(k), from(first), to(last) {}

  PrintoutKind kind = PrintoutKind::kDayView;
  DayNumber from = kNoDate;  // day sheets and calendars: the first day
  DayNumber to = kNoDate;    // and the last
  CalendarFormat calendarFormat = CalendarFormat::kWeeks;
  int monthsPerPage = 1;         // the quarter on a page: three
  bool firstPageOnly = false;    // Priority View, First Page
  std::vector<PrintNote> notes;  // kNotes: the notes, read by the caller
};

}  // namespace ploven
