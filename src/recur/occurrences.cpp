#include <algorithm>

#include "recur/recurrences.h"
#include "recur/recurrence_messages.h"

namespace ploven {

namespace t = recurrence_text;

namespace {

const Beta& RuleOf(Schedule& s, ActHandle definition) {
  return s.LockBeta(s.ReadAct(definition).hBeta);
}

// Where a series can first occur: its Start Date, or today when it has none.
DayNumber SeriesStart(Recurrences& r, const Beta& rule) {
  return rule.startDate != kNoDate ? rule.startDate : r.schedule().Today();
}

DayNumber SeriesEnd(const Beta& rule) {
  return rule.endDate != kNoDate ? rule.endDate : kNoEndDate;
}

}  // namespace

int InstanceNumber(Recurrences& r, ActHandle definition, DayNumber date) {
  Schedule& s = r.schedule();
  const DayNumber from = std::max<DayNumber>(SeriesStart(r, RuleOf(s, definition)), kFirstUserDay);
  const DayNumber through = std::min<DayNumber>(date, kLastUserDay);
  int n = 0;
  for (int d = from; d <= through; ++d)
    if (BetaQualify(r, definition, static_cast<DayNumber>(d))) ++n;
  return n;
}

DayNumber NextOccurrence(Recurrences& r, ActHandle definition, DayNumber date,
                         bool skipExceptions) {
  Schedule& s = r.schedule();
  const Beta& rule = RuleOf(s, definition);
  int from = std::max<int>(date + 1, SeriesStart(r, rule));
  from = std::max<int>(from, FirstOpenDate(s));
  from = std::max<int>(from, kFirstUserDay);
  const int through = std::min<int>(SeriesEnd(rule), kLastUserDay);
  for (int d = from; d <= through; ++d) {
    const auto day = static_cast<DayNumber>(d);
    if (!BetaQualify(r, definition, day)) continue;
    if (skipExceptions && s.FindXlistEntry(definition, day) != nullptr) continue;
    return day;
  }
  return kNoDate;
}

DayNumber PreviousOccurrence(Recurrences& r, ActHandle definition, DayNumber date) {
  Schedule& s = r.schedule();
  const Beta& rule = RuleOf(s, definition);
  const int lowest = std::max<int>(SeriesStart(r, rule), kFirstUserDay);
  const int from = std::min<int>(date - 1, std::min<int>(SeriesEnd(rule), kLastUserDay));
  for (int d = from; d >= lowest; --d)
    if (BetaQualify(r, definition, static_cast<DayNumber>(d))) return static_cast<DayNumber>(d);
  return kNoDate;
}

std::string OccurrenceTitle(Recurrences& r, ActHandle definition, DayNumber date, bool forDrone) {
  Schedule& s = r.schedule();
  TitleVariableContext context;
  context.origin = date;
  context.instanceNumber = [&r, definition, date] { return InstanceNumber(r, definition, date); };
  context.lastDone = RuleOf(s, definition).lastDone;
  context.nextInstance = [&r, &s, definition] {
    return NextOccurrence(r, definition, s.Today(), true);
  };
  context.uniqueNumber = s.ReadAct(definition).ID;
  context.forDrone = forDrone;
  context.expansionOff = r.titleVariablesOff();
  context.text = r.engine().dateText();
  return ExpandTitleVariables(s.GetActNameFull(definition), context);
}

DayNumber GetBetaDate(Schedule& s, ActHandle item, DayNumber occurrence) {
  if (item == kNoAct) s.messages().InternalError(t::kGetBetaDateNoHandle, t::kModuleBeta, __LINE__);
  const Act& a = s.ReadAct(item);
  if (a.Has(AF_DRONE)) return a.ddate;
  if (!a.Has(AF_BETA)) return a.ddate;
  if (occurrence != kNoDate) return occurrence;
  const Beta* rule = s.FindBeta(a.hBeta);
  return rule != nullptr ? rule->startDate : kNoDate;
}

}  // namespace ploven
