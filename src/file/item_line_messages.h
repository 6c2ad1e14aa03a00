#pragma once

namespace ploven::item_line_text {

inline constexpr char kTooLong[] =
    "Too many characters...pasting was unsuccessful: no item was added. Reduce the length and "
    "try again.";
inline constexpr char kNoTitle[] = "The line has no title for the item.";
inline constexpr char kBadDate[] = "The date \"%s\" of the line cannot be read: %s";
inline constexpr char kBadStart[] = "The start time \"%s\" of the line cannot be read: %s";
inline constexpr char kBadDuration[] = "The duration \"%s\" of the line cannot be read: %s";
inline constexpr char kWrongFieldCount[] =
    "An import line has four fields separated by TABs: date, start time, duration and title.";

}  // namespace ploven::item_line_text
