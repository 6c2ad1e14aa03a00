#pragma once

// The texts of the printouts.
namespace ploven::printout_text {

inline constexpr const char* kDayView = "Day View";
inline constexpr const char* kPriorityView = "Priority View";
inline constexpr const char* kPriorityViewFirstPage = "Priority View (first page)";
inline constexpr const char* kAlphabeticalView = "Alphabetical View";
inline constexpr const char* kProjectsList = "Projects List";
inline constexpr const char* kCalendar = "Appointment Calendar";
inline constexpr const char* kUnderscoredItems = "Underscored Items";
inline constexpr const char* kNotes = "Notes";

inline constexpr const char* kRange = "%s - %s";
inline constexpr const char* kAsOf = "as of %s";
inline constexpr const char* kWeekOf = "Week of %s";
inline constexpr const char* kMonthCaption = "%s %d";
inline constexpr const char* kNoItems = "No items";
inline constexpr const char* kNoAppointments = "No appointments";
inline constexpr const char* kNoNote = "(no note)";
inline constexpr const char* kRecurring = "recurring";
inline constexpr const char* kTagged = "$";
inline constexpr const char* kMemo = "(memo)";

// The page furniture.
inline constexpr const char* kPageOf = "Page %d of %d";
inline constexpr const char* kPage = "Page %d";
inline constexpr const char* kContinued = "%s (continued)";
inline constexpr const char* kMore = "+%d more";
inline constexpr const char* kDoneMark = "\u2713";  // a check mark

}  // namespace ploven::printout_text
