#pragma once

// Texts of the iCalendar export and import.
namespace ploven::ical_text {

inline constexpr const char* kNotCalendar =
    "%s is not an iCalendar file: it holds no calendar (BEGIN:VCALENDAR).";
inline constexpr const char* kNotWritten = "The calendar file %s could not be written (%s).";
inline constexpr const char* kNotRead = "The file %s could not be read (%s).";
inline constexpr const char* kMemoryNotWritten =
    "Ploven could not write %s, where it remembers the calendar items it imported (%s). "
    "Importing the same file again may bring its items in twice.";

// Why a component of an imported calendar was left out.
inline constexpr const char* kSkipDamaged = "it is damaged: %s";
inline constexpr const char* kSkipNoStart = "it has no start date (DTSTART)";
inline constexpr const char* kSkipOutOfRange =
    "its date lies outside the dates Ploven keeps (1986 to 2068)";
inline constexpr const char* kSkipRule = "its repeat rule (%s) has no equal in Ploven";
inline constexpr const char* kSkipRuleDamaged = "its repeat rule cannot be read";
inline constexpr const char* kSkipNotMade = "Ploven refused to make the item";
inline constexpr const char* kSkipNoSeries =
    "it changes one occurrence of a repeating item the file does not hold";
inline constexpr const char* kSkipNoOccurrence = "the occurrence it changes (%s) is not planned";
inline constexpr const char* kSkipExtraDates =
    "its extra dates (RDATE) have no equal in Ploven: the item came in without them";
inline constexpr const char* kSkipTooLong = "it lasts longer than 500 hours";

// The summary of an import.
inline constexpr const char* kImportSummary = "%d items imported, %d already there, %d skipped.";
inline constexpr const char* kSkippedLine = "Skipped %s: %s";
inline constexpr const char* kNoTitle = "(no title)";

}  // namespace ploven::ical_text
