#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/act_handle.h"
#include "store/date_format.h"
#include "store/projects.h"

namespace ploven {

class Schedule;

// The three lists the view windows can show besides the days.
enum class ListKind { kAlphabetical, kPriority, kProjects };

// The list lines keep their first 14 characters plain; the rest is redrawn in the done or
// underscore font.
inline constexpr size_t kListPlainColumns = 14;
// More lines than this are never drawn at once.
inline constexpr int kMaxListLines = 200;

struct ListLineOptions {
  bool showProjectName = false;  // "ShowProjectName"
  bool fullTitles = false;       // the Priority View shows whole titles
  bool valueOfTime = false;      // the value-of-time display switch
};

// One entry of a list, ready to draw.
struct ListLine {
  ActHandle act = kNoAct;  // the item, or the project in the Projects List
  std::string text;
  size_t overlayFrom = 0;  // byte offset of the part after the first 14 characters
  bool done = false;
  bool underscored = false;
  bool hasProject = false;
  uint32_t projectColor = kNoProjectColor;
  std::string value;        // the Priority View's value-of-time column, "" when none
  float returnPerHour = 0;  // colours the value bar
};

// Pads on the left to `width` characters (UTF-8 code points, not bytes).
std::string PadLeft(std::string_view text, size_t width);
// The byte offset where the character after the first `columns` ones starts.
size_t ByteOffsetOfColumn(std::string_view text, size_t columns);

// "(name)  " for an item of a project, "" without a project or with the names switched off.
std::string ProjectPart(const Schedule& s, uint32_t projectID, bool showProjectName);
// "---", "-5 ", ">99", "+7 " for a date that many days from today.
std::string DayOffsetText(int days);
// "1 day old", "3 days old".
std::string AgeText(int days);
// "A3:", or "new1:" for an item without a tier.
std::string PriorityText(uint8_t tier, int rank);

std::string AlphabeticalLine(const Schedule& s, ActHandle h, const DateText& text,
                             const ListLineOptions& options);
std::string PriorityLine(const Schedule& s, ActHandle h, const DateText& text,
                         const ListLineOptions& options);
std::string ProjectsListLine(const Schedule& s, ActHandle project);

// The entries a list shows, in its order: the undone items by title (recurring definitions
// included), the priority index, the projects list.
std::vector<ActHandle> ListEntries(const Schedule& s, ListKind kind);
// The entry's line with what the view draws over it.
ListLine MakeListLine(const Schedule& s, ListKind kind, ActHandle h, const DateText& text,
                      const ListLineOptions& options);

}  // namespace ploven
