#include "engine/day_bounds.h"

#include <algorithm>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "platform/messages.h"
#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = engine_text;

constexpr int kLastMinuteOfDay = kMinutesPerDay - 1;

// Stored times of day count minutes from 1 at midnight.
TimeOfDay Stored(int minutes) { return static_cast<TimeOfDay>(minutes + 1); }

bool IsDefinition(const Schedule& s, ActHandle h) {
  return s.IsActValid(h) && (s.ActFlags(h) & AF_BETA) != 0;
}

// Only one definition carries each mark; recurring instances follow their definition.
void MarkAppearFirstLast(Schedule& s, ActHandle first, ActHandle last) {
  constexpr uint32_t kBoth = AF_MARK1 | AF_MARK2;
  auto clear = [&](ActHandle h) {
    if (s.IsActValid(h)) s.LockAct(h).flags &= ~kBoth;
  };
  for (const auto& entry : s.actChain()) clear(entry.second.act);
  for (ActHandle h : s.betaChain()) clear(h);
  if (first != kNoAct) s.LockAct(first).flags |= AF_MARK1;
  if (last != kNoAct) s.LockAct(last).flags |= AF_MARK2;
}

}  // namespace

DayBoundsResult ApplyDayBounds(ScheduleHeader& header, TimeOfDay earliestEntered,
                               TimeOfDay latestEntered, Messages& msg) {
  int earliest = ClockMinutes(earliestEntered);
  int latest = ClockMinutes(latestEntered);
  const int workStart = ClockMinutes(header.workdayStart());
  const int workEnd = ClockMinutes(header.workdayEnd());
  DayBoundsResult r;
  if (latest < earliest) {
    // The day ends after midnight; ending exactly at midnight needs no shift.
    r.midnightShift = latest != 0;
    latest += kMinutesPerDay;
  } else if (latest < workEnd) {
    latest = workEnd;
    msg.InformationMessage(t::kLatestRaisedToWorkEnd);
  }
  if (earliest > workStart) {
    earliest = workStart;
    msg.InformationMessage(t::kEarliestLoweredToWorkStart);
  }
  r.earliest = Stored(earliest);
  r.latest = Stored(latest);
  header.setEarliestTimeOfDay(r.earliest);
  header.setLatestTimeOfDay(r.latest);
  return r;
}

bool DayBoundsSettingsOk(Schedule& schedule, const DayBoundsEntry& entry) {
  Messages& msg = schedule.messages();
  // Refusals come before any adjustment, so that a refused OK changes nothing.
  if (entry.appearFirst != kNoAct && entry.appearFirst == entry.appearLast) {
    msg.ErrorMessage(t::kSameFirstAndLast);
    return false;
  }
  for (ActHandle h : {entry.appearFirst, entry.appearLast}) {
    if (h != kNoAct && !IsDefinition(schedule, h)) {
      msg.ErrorMessage(t::kNotARecurringDefinition);
      return false;
    }
  }
  ApplyDayBounds(schedule.header(), entry.earliest, entry.latest, msg);
  MarkAppearFirstLast(schedule, entry.appearFirst, entry.appearLast);

  std::vector<DayNumber> shown;
  for (const auto& day : schedule.terminals())
    if (schedule.hooks().IsDayShown(day.first)) shown.push_back(day.first);
  for (DayNumber date : shown) schedule.hooks().DayChanged(date);
  schedule.MarkChanged();
  return true;
}

std::string MidnightShiftStatus(TimeOfDay earliest, TimeOfDay latest, const DateText& text) {
  if (!MidnightShiftOn(earliest, latest) || ClockMinutes(latest) == kLastMinuteOfDay)
    return t::kMidnightShiftOff;
  return std::string(t::kMidnightShiftOn) + " " +
         FormatTime(MidnightShiftPoint(earliest, latest), text) + ".";
}

BalanceEntry BalanceEntryOf(const ScheduleHeader& header) {
  BalanceEntry e;
  e.reserveToday = header.Get<int16_t>(ScheduleHeader::kReserveToday);
  e.reserveFuture = header.Get<int16_t>(ScheduleHeader::kReserveFuture);
  e.keepClearFrom = header.Get<int16_t>(ScheduleHeader::kKeepClearFrom);
  e.keepClearThrough = header.Get<int16_t>(ScheduleHeader::kKeepClearThrough);
  e.minSplit = header.minSplitMinutes();
  return e;
}

bool CheckKeepClearRange(DayNumber from, DayNumber through, Messages& msg) {
  if (from != kNoDate && through != kNoDate && through < from) {
    msg.ErrorMessage(t::kKeepClearEndBeforeBegin);
    return false;
  }
  return true;
}

bool BalanceSettingsOk(ScheduleHeader& header, const BalanceEntry& entry, Messages& msg) {
  if (!CheckKeepClearRange(entry.keepClearFrom, entry.keepClearThrough, msg)) return false;
  header.Set<int16_t>(ScheduleHeader::kReserveToday, entry.reserveToday);
  header.Set<int16_t>(ScheduleHeader::kReserveFuture, entry.reserveFuture);
  header.Set<int16_t>(ScheduleHeader::kKeepClearFrom, entry.keepClearFrom);
  header.Set<int16_t>(ScheduleHeader::kKeepClearThrough, entry.keepClearThrough);
  const int minutes = std::clamp(entry.minSplit, kMinSplitLowest, kMinSplitHighest);
  if (minutes != entry.minSplit) msg.InformationMessage(t::kMinSplitRange);
  header.setMinSplitMinutes(minutes);
  return true;
}

bool BalanceSettingsOk(Engine& engine, const BalanceEntry& entry) {
  Schedule& s = engine.schedule();
  if (!BalanceSettingsOk(s.header(), entry, s.messages())) return false;
  EngineSettings& e = engine.settings();
  e.reserveToday = std::max<int>(0, entry.reserveToday);
  e.reserveFutureDay = std::max<int>(0, entry.reserveFuture);
  e.keepClearFrom = entry.keepClearFrom;
  e.keepClearThrough = entry.keepClearThrough;
  s.MarkChanged();
  return true;
}

}  // namespace ploven
