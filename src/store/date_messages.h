#pragma once

namespace ploven {

// Texts the date and time parsers hand back for the caller to show. "%s" stands for the text
// the user typed.
inline constexpr const char* kNoAdditionInField =
    "Sorry, you can't perform addition within this field.";
inline constexpr const char* kDurationOutOfRange = "The Duration must be between 0 and 500 hours.";
inline constexpr const char* kOffsetOutOfRange = "The offset must be between -24 and 24 hours.";
inline constexpr const char* kUnreadableDate = "Ploven could not read \"%s\" as a date.";
inline constexpr const char* kDateOutOfRange =
    "The date must lie between 18 April 1986 and 31 December 2068.";
inline constexpr const char* kUnreadableTime = "Ploven could not read \"%s\" as a time of day.";
inline constexpr const char* kUnreadableDuration = "Ploven could not read \"%s\" as a duration.";
inline constexpr const char* kUnreadableOffset =
    "Ploven could not read \"%s\" as a number of hours and minutes.";

// Shown in place of a date that cannot be displayed.
inline constexpr const char* kUnshowableDate = "#####";
// The offset 0 stands for an item without one.
inline constexpr const char* kZeroOffsetWord = "memo";
// A date one day before a reference that is today.
inline constexpr const char* kYesterdayWord = "yesterday";

}  // namespace ploven
