#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ical/calendar_memory.h"
#include "store/date_types.h"

namespace ploven {

class Recurrences;

// Which items a calendar file gets.
struct CalendarExportOptions {
  // Items with a date (a recurring item: an occurrence) from `from` through `to`; both 0:
  // every item. A recurring item that occurs in the range goes with its whole series.
  DayNumber from = kNoDate;
  DayNumber to = kNoDate;
  bool events = true;  // appointments, items at a time, memos and multi-day events
  bool todos = true;   // flexible items and items of a date without a time
  // The text of a note by its number; none when notes are not wanted.
  std::function<std::optional<std::string>(int32_t noteNumber)> noteText;
};

// The schedule as an iCalendar (RFC 5545) file:
// - an item at a time is a VEVENT in the system's zone (its VTIMEZONE included), or in UTC
//   when that is the system's zone, or floating when the zone cannot be told;
// - memos, birthdays, anniversaries, work holidays and multi-day events are all-day VEVENTs;
// - flexible items and items of a date without a time are VTODOs: DUE is the deadline,
//   DTSTART the earliest begin, PRIORITY the tier (A = 1 .. H = 8, later tiers 9), and the
//   estimate X-PLOVEN-ESTIMATE, because a to-do's DURATION sets its due time (DTSTART +
//   DURATION) and may not stand beside DUE;
// - a recurring item has its RRULE where the rule can say it, else the dates of the coming
//   year as RDATEs; cancelled occurrences are EXDATEs and edited ones components of the same
//   UID with a RECURRENCE-ID;
// - projects are CATEGORIES, notes DESCRIPTION; X-PLOVEN-* keep what the standard has no
//   word for, so that the file brings back the same items.
// Every item keeps its UID from export to export (CalendarMemory).
std::string ExportCalendar(Recurrences& r, CalendarMemory& memory,
                           const CalendarExportOptions& options = {});

}  // namespace ploven
