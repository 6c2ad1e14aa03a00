#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/date_parse.h"

namespace ploven {

class Schedule;

// The start-time column of an item without a Set Start Time.
inline constexpr char kMemoStartMarker[] = "memo";
inline constexpr char kFloatStartMarker[] = "float";
// The longest title the private clipboard line carries, and the longest line read.
inline constexpr size_t kClipboardTitleLimit = 365;
inline constexpr size_t kItemLineLimit = 1040;

// One item as a line of text: what Copy puts on the clipboard and what Paste and the
// import-once files read.
//
//   clipboard:  "%6s %5s %-.365s"   start (or "memo" / "float"), duration, title
//   import:     DATE TAB START TAB DURATION TAB TITLE   (the clipboard's fields plus a date)
//
// A line of neither shape is a title alone: a flexible item of the default length.
struct ItemLine {
  std::optional<DayNumber> date;
  std::optional<TimeOfDay> start;  // a Set Start Time
  bool memo = false;
  std::optional<Duration> duration;
  std::string title;
};

// The clipboard line of an item.
std::string FormatClipboardLine(const Schedule& s, ActHandle item, const DateText& text);
// The plain-text part of a clipboard line: the title (the line from its fourteenth character).
std::string ClipboardTitle(const std::string& line);
// An import line of an item on a date.
std::string FormatImportLine(const Schedule& s, ActHandle item, DayNumber date,
                             const DateText& text);

struct ItemLineResult {
  std::optional<ItemLine> line;
  std::string message;  // why the line was refused
};
// Reads one line (a trailing CR/LF is dropped). An empty title, a line longer than 1040
// characters or a field that cannot be read is refused with the reason.
ItemLineResult ParseItemLine(std::string_view text, const DateText& dateText,
                             const ParseContext& context);

}  // namespace ploven
