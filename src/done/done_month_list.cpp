#include "done/done_month_list.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "done/time_report.h"
#include "store/calendar.h"

namespace ploven {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

DoneMonthList MonthDoneItems(const Schedule& s, FileSystem& fs, const std::string& folder,
                             DayNumber anyDay, const DateText& text) {
  const CalendarDate c = SplitDay(anyDay);
  const auto first = static_cast<DayNumber>(MakeDay(c.month, 1, c.year));
  const auto last = static_cast<DayNumber>(MakeDay(c.month, DaysInMonth(c.month, c.year), c.year));
  DoneMonthList list;
  const DayNumber archived = s.header().lastArchivedDate();
  if (archived != kNoDate && first <= archived) {
    DoneLogContents logged = ReadDoneLogs(fs, folder, first, std::min(last, archived), text);
    for (DoneLogFields& f : logged.entries) list.entries.push_back({std::move(f), nullptr});
    list.problems = std::move(logged.problems);
  }
  for (const auto& [date, day] : s.terminals()) {
    if (date < first || date > last || s.header().IsArchived(date)) continue;
    for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
      if (s.IsActValid(task->act) && (s.ActFlags(task->act) & AF_DONE))
        list.entries.push_back({DoneLogFieldsOf(s, *task, date), task});
  }
  return list;
}

bool Shows(const DoneListFilter& filter, const DoneLogFields& f) {
  if (!filter.anyProject && f.project != filter.project) return false;
  const std::string title = Lower(f.title);
  std::istringstream words(Lower(filter.words));
  for (std::string word; words >> word;)
    if (title.find(word) == std::string::npos) return false;
  return true;
}

DoneListTotals TotalsShown(const std::vector<DoneListEntry>& entries,
                           const DoneListFilter& filter) {
  DoneListTotals t;
  for (const DoneListEntry& e : entries) {
    if (!Shows(filter, e.fields)) continue;
    ++t.items;
    t.minutes += e.fields.duration;
    t.expense += e.fields.expense;
    t.mileage += e.fields.mileage;
  }
  return t;
}

}  // namespace ploven
