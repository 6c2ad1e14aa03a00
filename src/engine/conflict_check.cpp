#include "engine/conflict_check.h"

#include <algorithm>
#include <vector>

#include "engine/engine_messages.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = engine_text;

constexpr int kDaysAhead = 365;

bool HoldsTaskOf(const Terminal& day, ActHandle act) {
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next())
    if (task->act == act) return true;
  return false;
}

// The dates from today up to a year ahead that hold an unedited instance of the definition,
// within its recurrence's range.
std::vector<DayNumber> InstanceDates(Schedule& s, ActHandle definition) {
  const DayNumber today = s.Today();
  int first = today;
  int last = std::min<int>(today + kDaysAhead - 1, kLastUserDay);
  if (const Beta* beta = s.FindBeta(s.GetActBeta(definition))) {
    first = std::max<int>(first, beta->startDate);
    if (beta->endDate != kNoDate) last = std::min<int>(last, beta->endDate);
  }
  std::vector<DayNumber> dates;
  const auto& days = s.terminals();
  for (auto it = days.lower_bound(static_cast<DayNumber>(std::max(first, 1)));
       it != days.end() && it->first <= last; ++it) {
    if (HoldsTaskOf(*it->second, definition)) dates.push_back(it->first);
  }
  return dates;
}

}  // namespace

int ConflictCheckDate(Schedule& s, ActHandle item, DayNumber date, const ConflictCheckView& view) {
  Terminal* day = s.ExistingTerminal(date);
  if (day == nullptr) return 1;
  const Act& a = s.ReadAct(item, t::kModuleBalance, __LINE__);
  const int itemStart = a.startTime;
  const int itemEnd = a.startTime + a.duration;
  for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) {
    if (!s.IsActValid(task->act))
      s.messages().InternalError(t::kBadActConflictCheckDate, t::kModuleBalance, __LINE__);
    if (task->act == item) continue;
    const Act& other = s.ReadAct(task->act, t::kModuleBalance, __LINE__);
    if (!other.Has(AF_FIXED) || other.Has(AF_HOPE)) continue;
    const int otherEnd = other.startTime + other.duration;
    const int overlap =
        std::min(itemEnd, otherEnd) - std::max<int>(itemStart, other.startTime);
    if (overlap <= 0) continue;

    day->current = task;
    s.hooks().DayChanged(date);
    const std::string question =
        Sprintf(t::kConflictQuestion, FormatDate(date, view.text).c_str(), overlap,
                s.GetActTitle(task->act).c_str(), FormatTime(other.startTime, view.text).c_str(),
                FormatTime(static_cast<TimeOfDay>(otherEnd), view.text).c_str());
    MultiButtonParams params;
    params.customCaptions =
        view.alphabeticalView ? t::kConflictButtonsAlphabetical : t::kConflictButtons;
    const int answer =
        s.messages().MultiButtonBox(question, t::kConflictCaption, kMbIconQuestion, params);
    if (answer != kIdCustom1) return 0;
  }
  return 1;
}

bool ConflictCheck(Schedule& s, ActHandle item, const ConflictCheckView& view) {
  const Act& a = s.ReadAct(item, t::kModuleBalance, __LINE__);
  if (!a.Has(AF_FIXED)) return true;
  if (!a.Has(AF_BETA)) return a.ddate == kNoDate || ConflictCheckDate(s, item, a.ddate, view) == 1;

  if (view.showProgress) view.showProgress(t::kConflictProgress);
  bool wentOn = true;
  for (DayNumber date : InstanceDates(s, item)) {
    if (view.showProgress) view.showProgress(FormatDate(date, view.text));
    // An edited or cancelled instance is not the definition's to answer for.
    if (s.FindXlistEntry(item, date) != nullptr) continue;
    if (ConflictCheckDate(s, item, date, view) != 1) {
      wentOn = false;
      break;
    }
  }
  if (view.closeProgress) view.closeProgress();
  return wentOn;
}

}  // namespace ploven
