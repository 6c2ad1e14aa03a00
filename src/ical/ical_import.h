#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ical/calendar_memory.h"
#include "store/act_handle.h"

namespace ploven {

class Engine;
class Recurrences;

// A component of the file that did not come in, and why.
struct SkippedComponent {
  std::string uid;
  std::string summary;
  std::string reason;
};

struct CalendarImportReport {
  bool calendar = false;  // the text holds a calendar at all
  int imported = 0;       // items made (a repeating item with its changed occurrences is one)
  int alreadyThere = 0;   // items an earlier import of the same UID made, still in the schedule
  std::vector<SkippedComponent> skipped;

  // The summary line, then one line for each component skipped.
  std::vector<std::string> Lines() const;
};

struct CalendarImportHooks {
  // Writes a DESCRIPTION as the item's note; none: descriptions are not kept.
  std::function<void(ActHandle item, const std::string& text)> saveNote;
};

// Reads an iCalendar file into the schedule: events become items at their time (appointments),
// all-day events memos (several days: multi-day events), to-dos flexible items (DUE the
// deadline, DTSTART the earliest begin, the estimate or DURATION the duration, PRIORITY the
// tier); repeating ones become recurring items with their cancelled (EXDATE) and changed
// (RECURRENCE-ID) occurrences; every time in a zone or in UTC is taken to the local time.
// Components that are damaged or cannot be kept are listed with the reason and the rest comes
// in; a UID imported before (or one of the schedule's own) whose item still exists is passed
// over, so that importing the same file again brings nothing in twice.
CalendarImportReport ImportCalendar(Engine& engine, Recurrences& r, CalendarMemory& memory,
                                    std::string_view text, const CalendarImportHooks& hooks = {});

}  // namespace ploven
