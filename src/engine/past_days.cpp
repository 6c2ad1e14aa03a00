#include "engine/past_days.h"

#include <vector>

#include "engine/past_days_messages.h"

namespace ploven {

namespace t = past_days_text;

DayNumber EarliestUndoneDate(Engine& engine) {
  Schedule& s = engine.schedule();
  const DayNumber today = s.Today();
  for (const auto& [date, day] : s.terminals()) {
    if (s.header().IsArchived(date)) continue;
    if (date > today) break;
    if (!s.AllTasksDone(*day)) return date;
  }
  return kNoDate;
}

void RollOverPastDays(Engine& engine) {
  EngineBusy& busy = engine.busy();
  if (busy.dailyReminderScan || busy.archiving) return;
  if (!engine.scheduleWritable() || engine.archiver() == nullptr) return;
  Schedule& s = engine.schedule();
  const DayNumber today = s.Today();

  // Archiving frees days, so the dates are taken first.
  std::vector<DayNumber> dates;
  for (const auto& [date, day] : s.terminals()) {
    if (date >= today) break;
    if (!s.header().IsArchived(date)) dates.push_back(date);
  }
  busy.archiving = true;
  for (DayNumber date : dates) {
    Terminal* day = s.ExistingTerminal(date);
    if (day == nullptr) continue;
    if (!s.AllTasksDone(*day)) break;
    if (!engine.archiver()->ArchiveDay(*day)) break;
  }
  busy.archiving = false;
}

bool PastUndoneWarningDue(const PastUndoneFacts& f) {
  if (f.shownThisRun || !f.scheduleOpen || !f.scheduleWritable || !f.mainWindowActive) return false;
  if (f.alarmBoxOpen || f.doneWindowOpen || f.autoBringForward) return false;
  if (f.viewedDate < f.today || f.minutesSinceLastWarning < 5) return false;
  if (f.earliestUndone == kNoDate || f.earliestUndone >= f.today) return false;
  const bool recent = f.today - f.earliestUndone <= 14;
  if (recent && (f.dailyReminderInUse || f.alarmsSuppressedUntilDate)) return false;
  return true;
}

bool ShowPastUndoneWarning(Engine& engine, DayNumber earliestUndone) {
  MultiButtonParams params;
  params.customCaptions = t::kPastUndoneButtons;
  const int answer = engine.schedule().messages().MultiButtonBox(
      t::kPastUndoneWarning, t::kPastUndoneCaption, kMbIconQuestion, params);
  if (answer != kIdCustom1 || earliestUndone == kNoDate) return false;
  if (engine.ui() != nullptr) engine.ui()->GoToDate(earliestUndone);
  return true;
}

}  // namespace ploven
