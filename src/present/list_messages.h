#pragma once

// The texts of the Alphabetical View, the Priority View and the Projects List.
namespace ploven::list_messages {

// Alphabetical View: date, weekday, project part, title, duration.
inline constexpr const char* kAlphabeticalLine = "%8s %3s  %s%s (%s)";
// Alphabetical View, a recurring item: the mark, project part, title, duration.
inline constexpr const char* kAlphabeticalRecurringLine = "%12s  %s%s (%s)";
inline constexpr const char* kRecurringMark = "®ecurring";

// Priority View: priority, date, weekday, day offset, the four marks, project part, title,
// duration, age or origin.
inline constexpr const char* kPriorityLine = "%6s %5s %3s %s  %c%c%c%c %s%s (%s) [%s%s] ";
inline constexpr const char* kPriority = "%s%d:";
inline constexpr const char* kNoTier = "new";
inline constexpr const char* kOffsetLongAgo = "---";
inline constexpr const char* kOffsetPast = "%-3d";
inline constexpr const char* kOffsetFarAhead = ">99";
inline constexpr const char* kOffsetAhead = "+%-2d";
inline constexpr const char* kDayOld = " day old";
inline constexpr const char* kDaysOld = " days old";
inline constexpr const char* kOriginDate = ": origin date of recurring exception";

// Projects List: fourteen blanks, the tag mark, the short title.
inline constexpr const char* kProjectsListLine = "%14s %c%s";

// The project part of a line.
inline constexpr const char* kProjectPart = "(%s)  ";

inline constexpr const char* kTooManyLines =
    "Can't display so many lines at once. Choose larger font";
inline constexpr const char* kPrivateSchedule =
    "This schedule is private: you are not authorized to view it.";

}  // namespace ploven::list_messages
