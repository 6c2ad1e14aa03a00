#include "engine/conflict_check.h"

#include <algorithm>

#include "engine/engine_messages.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = engine_text;

constexpr int kDaysAhead = 365;

// The next occurrence of the definition from `from` on, within its recurrence's range and
// before `before`; 0 when there is none.
DayNumber NextOccurrence(Schedule& s, ActHandle definition, int from, int before) {
  int last = before - 1;
  if (const Beta* beta = s.FindBeta(s.GetActBeta(definition))) {
    from = std::max<int>(from, beta->startDate);
    last = std::min<int>(last, beta->endDate != kNoDate ? beta->endDate : kLastUserDay);
  }
  last = std::min<int>(last, kLastUserDay);
  for (int d = std::max(from, 1); d <= last; ++d)
    if (s.hooks().RecurrenceQualifies(s, definition, static_cast<DayNumber>(d)))
      return static_cast<DayNumber>(d);
  return kNoDate;
}

}  // namespace

int ConflictCheckDate(Schedule& s, ActHandle item, DayNumber date, const ConflictCheckView& view) {
  // A day not made yet is made, so the other recurring items' occurrences on it are seen.
  Terminal* day = s.GetTerminal(date);
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
  const int before = s.Today() + kDaysAhead;
  for (DayNumber date = NextOccurrence(s, item, s.Today(), before); date != kNoDate;
       date = NextOccurrence(s, item, date + 1, before)) {
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
