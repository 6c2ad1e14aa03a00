#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "present/display_options.h"
#include "store/terminal.h"

namespace ploven {

class Recurrences;

// What a day view's texts are made from: the engine (and its schedule), the recurring items for
// the titles of occurrences, the display switches and the active filter.
struct DaySource {
  Engine& engine;
  Recurrences* recurrences = nullptr;  // null: occurrences show their definition's title
  const DisplayOptions& options;
  std::function<bool(ActHandle)> hidden;  // items the filter hides; none when empty
  // Items whose note file exists (every item carries a note number, few have a note).
  std::function<bool(ActHandle)> hasNote;

  Schedule& schedule() const { return engine.schedule(); }
  bool Hidden(ActHandle h) const { return hidden && hidden(h); }
};

// ---- Statistics line -------------------------------------------------------------------

// The day's figures, gathered over its chain. All are -1 when one of the sums went past
// 30000 (tooExtreme).
struct DayFigures {
  int scheduledMinutes = 0;
  int items = 0;  // not hidden by the filter
  int toDo = 0;   // of those, not done
  int freeMinutes = 0;
  int conflicts = 0;
  int conflictMinutes = 0;
  int fullness = 0;  // percent of the Day Bounds
  int value = 0;     // the day's value of time (Expected Returns), whole currency units
  bool tooExtreme = false;
};

DayFigures GatherDayFigures(const DaySource& source, const Terminal& day);

// The line under a day's heading: empty in Light Mode, without "ShowSchedStats" and for a day
// that has no record.
std::string StatisticsLine(const DaySource& source, DayNumber date);

// An amount with the currency symbol placed by the regional "iCurrency" (0 before, 1 after,
// 2 before with a blank, 3 after with a blank); nothing for any other position.
std::optional<std::string> FormatCurrency(int amount, const std::string& symbol, int position);

// ---- Rows ------------------------------------------------------------------------------

enum class DayRowKind { kItem, kFree };

// One row of a day view, in chain order.
struct DayRow {
  DayRowKind kind = DayRowKind::kItem;
  TaskNode* task = nullptr;  // the item's task; for a free row the task it follows
  ActHandle act = kNoAct;
  int itemIndex = 0;  // position among the day's shown items (free rows: of the item before)

  TimeOfDay start = 0;  // free rows: the gap's start
  TimeOfDay end = 0;    // free rows: the gap's end
  int minutes = 0;      // the task's length, or the gap's

  // Item rows: the parts in the order they are drawn. Free rows use start/end/title/cost.
  std::string startText;     // "%6s" with "ShowTaskTimes"
  std::string endText;       // "-%6s" with "ShowEndTimes"
  std::string priorityText;  // "A3" for a fluid item
  std::string projectText;   // "[Project] " with "ShowProjectName"
  std::string title;         // free rows: "(1:30 free)" or "(1:30 gap)"
  std::string durationText;  // "(1:30)" or "(memo)"
  std::string lateText;      // "(ending 0:30 late)"
  std::string costText;      // free rows with "ShowOppCosts": " [$45]"

  bool done = false;
  bool strike = false;  // done, drawn struck through
  bool fluid = false;
  bool fixed = false;
  bool started = false;
  bool conflict = false;
  bool late = false;
  bool past = false;  // the row's time lies before now
  bool memo = false;  // a memo-hold: no duration on the day
  bool clone = false;
  bool drone = false;
  bool hasNote = false;
  bool nonWorkday = false;
  bool marker = false;  // the current-item marker ">" stands on this row
  uint32_t projectID = 0;
  uint32_t projectColor = 0;  // COLORREF; only with projectID
  ActHandle project = kNoAct;

  // The whole row as one line of text.
  std::string Line() const;
  bool operator==(const DayRow&) const = default;
};

// The rows of a day: each shown item, and after it its free-time row when a gap follows.
// Filter-hidden items are skipped; Focus Now keeps the first nBatting undone items that are
// not memo-holds; hidden done items are left out. Empty for a day that has no record.
std::vector<DayRow> BuildDayRows(const DaySource& source, DayNumber date);

// An item without a duration on its day: it takes no time and ends no gap.
bool IsMemoHold(const Schedule& s, const TaskNode& task);

// The row that carries the current-item marker, or -1: on today in Pro Mode, the item that
// has begun and not ended by now; when it has ended and the next item has not begun, the free
// row after it.
int CurrentMarkerRow(const std::vector<DayRow>& rows, bool isToday, bool proMode, TimeOfDay now);

// The height of a free row: one text line, or with Timespace 0.7 of the usable height scaled
// by sin(gap / 1440 × π/2) (the whole 0.7 from a day's gap up), never less than a line.
int TimespaceHeight(int gapMinutes, int lineHeight, int usableHeight, bool timespace);

// ---- Container title -------------------------------------------------------------------

enum class DayViewKind { kNone, kDay, kMyMultipleDay, kMultipleDay };

struct ContainerTitleInput {
  DayViewKind view = DayViewKind::kDay;
  DayNumber date = 0;
  bool checkedOut = false;  // the schedule is out on another computer
  bool focusNow = false;
  bool hideDoneItems = false;
  bool unsaved = false;
  std::string filterText;  // the active filter's description
};

// "Day View, as of Tue 12/08/26 | Focus Now *" and the like. `schedule` gives the day bounds
// (Midnight Shift) and the time now.
std::string ContainerTitle(const ContainerTitleInput& in, const Schedule& schedule,
                           const DateText& text);

}  // namespace ploven
