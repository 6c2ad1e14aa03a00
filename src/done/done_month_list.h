#pragma once

#include <string>
#include <vector>

#include "done/done_log_reader.h"
#include "file/file_system.h"

namespace ploven {

// One done item of the month's list: from the month's log, or from the schedule for a day not
// archived yet (then `task` is its appearance there, for the Item (Done) window).
struct DoneListEntry {
  DoneLogFields fields;
  TaskNode* task = nullptr;
};

struct DoneMonthList {
  std::vector<DoneListEntry> entries;  // the log's in file order, then the schedule's by date
  std::vector<DoneLogProblem> problems;
};

// Viewed Month's Done Items Log: the done items of the month that `anyDay` falls in.
DoneMonthList MonthDoneItems(const Schedule& s, FileSystem& fs, const std::string& folder,
                             DayNumber anyDay, const DateText& text);

// What the list shows: one project (all when `anyProject`) and titles holding every word of
// `words` (case-insensitively; none given: every title).
struct DoneListFilter {
  bool anyProject = true;
  std::string project;
  std::string words;
};
bool Shows(const DoneListFilter& filter, const DoneLogFields& f);

struct DoneListTotals {
  int items = 0;
  int minutes = 0;
  double expense = 0;
  int mileage = 0;
};
DoneListTotals TotalsShown(const std::vector<DoneListEntry>& entries, const DoneListFilter& filter);

}  // namespace ploven
