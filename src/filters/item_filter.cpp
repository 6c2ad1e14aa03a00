#include "filters/item_filter.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <string_view>

#include "filters/filter_messages.h"
#include "platform/format.h"
#include "platform/layout_record.h"
#include "recur/beta_qualify.h"
#include "store/calendar.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = filter_text;

constexpr int kMostRoutineWeekdays = 3;

bool Contains(std::string_view haystack, std::string_view needle, bool matchCase) {
  if (matchCase) return haystack.find(needle) != std::string_view::npos;
  const auto lower = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), lower) !=
         haystack.end();
}

// The task nodes of the item on a day: a recurring item's unedited occurrences point at the
// recurring item itself.
template <typename F>
void ForEachTaskOn(Schedule& s, ActHandle h, DayNumber date, F&& f) {
  if (date == kNoDate) return;
  Terminal* day = s.ExistingTerminal(date);
  if (day == nullptr) return;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next())
    if (task->act == h) f(*task);
}

bool HasTaskOn(Schedule& s, ActHandle h, DayNumber date) {
  bool found = false;
  ForEachTaskOn(s, h, date, [&](const TaskNode&) { found = true; });
  return found;
}

// The date the item is shown on. An unedited occurrence has none of its own: it is the viewed
// day when the recurring item appears there.
DayNumber ShownDate(Schedule& s, ActHandle h, const Act& a, DayNumber viewedDate) {
  if (a.Has(AF_BETA)) return HasTaskOn(s, h, viewedDate) ? viewedDate : kNoDate;
  return a.ddate;
}

// No bound at either end when the time is not set.
bool WithinTimeWindow(const Act& a, TimeOfDay now) {
  if (a.earliestTime != kNoTime && now < a.earliestTime) return false;
  if (a.latestTime != kNoTime && now >= a.latestTime) return false;
  return true;
}

bool IsRoutine(const Schedule& s, ActHandle h, const Act& a) {
  if (!a.Has(AF_BETA) && !a.Has(AF_DRONE)) return false;
  const Beta* rule = RecurrenceOf(s, h);
  if (rule == nullptr) return false;
  if ((rule->freq & kFreqDaily) != 0) return true;
  return (rule->freq & kFreqWeekly) != 0 &&
         std::popcount(static_cast<unsigned>(rule->dayBits & kEveryWeekdayBits)) > kMostRoutineWeekdays;
}

bool LabelExcluded(uint32_t mask, uint8_t label) {
  return label < 32 && (mask & (1u << label)) != 0;
}

bool ConflictsOnlyHides(Schedule& s, ActHandle h, DayNumber viewedDate) {
  bool calm = false;
  ForEachTaskOn(s, h, viewedDate, [&](const TaskNode& task) {
    if (!task.InConflict()) calm = true;
  });
  return calm;
}

}  // namespace

bool TitleWordsMatch(const std::vector<std::string>& words, const std::string& title,
                     bool matchCase) {
  bool hit = false;
  for (const std::string& word : words) {
    const std::string_view w = word;
    const char mark = w.empty() ? '\0' : w.front();
    const std::string_view text = (mark == '+' || mark == '-') ? w.substr(1) : w;
    // A lone mark names nothing to look for.
    if (text.empty()) continue;
    const bool found = Contains(title, text, matchCase);
    if (mark == '+') {
      if (!found) return false;
      hit = true;
    } else if (mark == '-') {
      if (found) return false;
    } else if (found) {
      hit = true;
    }
  }
  return hit;
}

bool TitleMatches(const Schedule& s, const FilterSettings& settings, ActHandle h) {
  // The title as the user may see it, so a private title cannot be probed.
  return TitleWordsMatch(settings.TitleWords(), s.GetActTitleFull(h), settings.matchCase);
}

bool IsDoableNow(Schedule& s, ActHandle h, DayNumber viewedDate) {
  if (!s.IsActValid(h)) return false;
  const Act& a = s.ReadAct(h);
  const DayNumber today = s.Today();
  const TimeOfDay now = s.Now();
  if (a.Has(AF_DONE)) return false;
  if (a.Has(AF_STARTED)) return true;
  const DayNumber date = ShownDate(s, h, a, viewedDate);
  if (a.Has(AF_FIXED)) return date == today && (a.startTime == kNoTime || now >= a.startTime);
  if (a.Has(AF_FLEXIBLE)) {
    const uint8_t weekdays = a.weekdays & kEveryWeekdayBits;
    if (weekdays != 0 && (weekdays & (1u << Weekday(today))) == 0) return false;
    if (a.deadlineDate != kNoDate && a.deadlineDate <= today)
      return a.earliestTime == kNoTime || now >= a.earliestTime;
    if (!WithinTimeWindow(a, now)) return false;
    if (a.earliestDate != kNoDate && today < a.earliestDate) return false;
    // On the Earliest Begin day the item waits for its Earliest Begin time too.
    if (a.earliestDate == today && a.earliestDateTime != kNoTime && now < a.earliestDateTime)
      return false;
    return true;
  }
  return date == today && WithinTimeWindow(a, now);
}

bool IsFilteredOut(Schedule& s, const FilterState& state, const FilterContext& ctx,
                   ActHandle h) {
  if (h == kNoAct || !s.IsActValid(h)) return false;
  const Act& a = s.ReadAct(h);
  if (ctx.hideDoneItems && a.Has(AF_DONE)) return true;
  if (ctx.printing && !ctx.includePrivateInPrintouts) {
    const std::string& title = s.GetActNameFull(h);
    if (!title.empty() && title.front() == '!') return true;
  }
  if (ctx.view == FilterView::kMyMultipleDayView && ctx.appointmentsOnlyInMyMultipleDayView &&
      !a.Has(AF_FIXED) && !ctx.printing)
    return true;
  if (!state.filteringOn) return false;

  const FilterSettings& f = state.settings;
  if (f.titleOn && !TitleMatches(s, f, h)) return true;
  if (f.projectOn && a.projectID != f.projectID) return true;
  if (f.jobOn && a.jobNumber != f.jobNumber) return true;
  if (f.labelsOn && LabelExcluded(f.excludedLabels, a.label)) return true;
  if (ctx.view != FilterView::kProjectsList) {
    if (f.todayOnlyOn && ShownDate(s, h, a, ctx.viewedDate) != s.Today()) return true;
    if (f.doableNowOn && !IsDoableNow(s, h, ctx.viewedDate)) return true;
    if (f.minimumDurationOn && a.duration < f.minimumDurationMinutes) return true;
  }
  if (f.nonRoutineOn && IsRoutine(s, h, a)) return true;
  if (f.conflictsOnlyOn && ConflictsOnlyHides(s, h, ctx.viewedDate)) return true;
  return false;
}

std::string FilterSummary(const Schedule& s, const FilterState& state) {
  const FilterSettings& f = state.settings;
  if (!state.filteringOn || !f.AnyOn()) return {};
  std::string text = t::kSummaryStart;
  // Only the separators this builds are trimmed, never a comma the user typed into a word.
  bool endsWithSeparator = false;
  const auto add = [&](const std::string& part, bool separator) {
    text += part;
    endsWithSeparator = separator;
  };
  if (f.titleOn) {
    std::string words;
    for (const std::string& w : f.TitleWords()) words += (words.empty() ? "" : " ") + w;
    add(t::kSummaryTitle + words, false);
  }
  if (f.projectOn) {
    std::string name;
    ProjectName(s, f.projectID, name);
    add(t::kSummaryProject + name + ",", true);
  }
  if (f.jobOn) add(t::kSummaryJob + Sprintf(t::kSummaryJobNumber, f.jobNumber), true);
  if (f.labelsOn) add(t::kSummaryLabels, true);
  if (f.doableNowOn) add(t::kSummaryDoableNow, true);
  if (f.minimumDurationOn)
    add(t::kSummaryMinimumDuration + Sprintf(t::kSummaryMinutes, f.minimumDurationMinutes),
        true);
  if (f.nonRoutineOn) add(t::kSummaryNonRoutine, true);
  if (f.todayOnlyOn) add(t::kSummaryTodayOnly, true);
  if (f.conflictsOnlyOn) add(t::kSummaryConflictsOnly, true);
  if (endsWithSeparator) text.pop_back();
  return text;
}

std::function<bool(ActHandle)> MakeFilterPredicate(Schedule& s, const FilterState& state,
                                                   std::function<FilterContext()> context) {
  return [&s, &state, context = std::move(context)](ActHandle h) {
    return IsFilteredOut(s, state, context ? context() : FilterContext{}, h);
  };
}

void OpenFilters(FilterState& state, LayoutRecord& layout) {
  state.filteringOn = true;
  layout.windowFlags = static_cast<uint16_t>(layout.windowFlags | kLayoutFilterOpen);
}

bool CloseFilters(FilterState& state, Settings& settings, LayoutRecord& layout, Schedule& s,
                  bool scheduleWritable) {
  const bool saved = state.settings.Save(settings);
  layout.windowFlags = static_cast<uint16_t>(layout.windowFlags & ~kLayoutFilterOpen);
  if (scheduleWritable) s.MarkChanged();
  state.filteringOn = false;
  return saved;
}

}  // namespace ploven
