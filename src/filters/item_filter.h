#pragma once

#include <functional>
#include <string>
#include <vector>

#include "filters/filter_settings.h"
#include "store/act_handle.h"
#include "store/date_types.h"

namespace ploven {

class Schedule;
struct LayoutRecord;

// The view an item is drawn for, as far as the filter cares.
enum class FilterView {
  kOther,             // Day View, Multiple Day View, the month calendar, the other lists
  kMyMultipleDayView,
  kProjectsList,
};

// What besides the filter combination decides whether an item shows.
struct FilterContext {
  FilterView view = FilterView::kOther;
  DayNumber viewedDate = kNoDate;  // the day being drawn; kNoDate for lists without one
  bool hideDoneItems = false;      // "EnableHideDoneItems" and the user's toggle both on
  bool appointmentsOnlyInMyMultipleDayView = false;  // "WeekviewEventsOnly"
  bool printing = false;
  bool includePrivateInPrintouts = false;
};

// The program-wide filter: the user's combination, applied only while the Filters window is
// open.
struct FilterState {
  bool filteringOn = false;
  FilterSettings settings;
};

// Whether the item is hidden in the view (an invalid handle never is).
bool IsFilteredOut(Schedule& s, const FilterState& state, const FilterContext& ctx, ActHandle h);

// The title words against the item's full title: every "+" word must occur, no "-" word may
// occur, and at least one "+" or plain word must occur. An empty list never passes.
bool TitleMatches(const Schedule& s, const FilterSettings& settings, ActHandle h);
// The same test on a title text (exposed for the Find box and for tests).
bool TitleWordsMatch(const std::vector<std::string>& words, const std::string& title,
                     bool matchCase);

// Undone and workable at the current time. `viewedDate` dates an unedited occurrence of a
// recurring item, which has no date of its own.
bool IsDoableNow(Schedule& s, ActHandle h, DayNumber viewedDate = kNoDate);

// The text the day and list view headings end with; empty while no user filter applies.
std::string FilterSummary(const Schedule& s, const FilterState& state);

// A predicate for ViewEnvironment::hiddenByFilter. The state is read by reference on every
// call, so the Filters window's changes take effect at once; `context` gives the view being
// drawn and its date (an empty function stands for FilterContext{}).
std::function<bool(ActHandle)> MakeFilterPredicate(Schedule& s, const FilterState& state,
                                                   std::function<FilterContext()> context);

// Opening the Filters window turns filtering on and remembers the window as open.
void OpenFilters(FilterState& state, LayoutRecord& layout);
// Closing it saves the combination, forgets the window, marks the schedule changed when it may
// be written, and turns filtering off. False when the settings could not be written (filtering
// is off all the same). The caller saves the window's placement ("FilterWnd") and repaints.
bool CloseFilters(FilterState& state, Settings& settings, LayoutRecord& layout, Schedule& s,
                  bool scheduleWritable);

}  // namespace ploven
