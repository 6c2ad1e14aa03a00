#include "store/recurrence_fields.h"

#include <algorithm>

#include "store/store_messages.h"

namespace ploven {

ActHandle RecurringItemOf(const Schedule& s, ActHandle item) {
  if (item == kNoAct || !s.IsActValid(item)) return kNoAct;
  const Act& a = s.ReadAct(item);
  if (a.Has(AF_BETA)) return item;
  if (!a.Has(AF_DRONE) || !s.IsActValid(a.hBeta)) return kNoAct;
  return (s.ActFlags(a.hBeta) & AF_BETA) ? a.hBeta : kNoAct;
}

const Beta* RecurrenceOf(const Schedule& s, ActHandle item) {
  const ActHandle definition = RecurringItemOf(s, item);
  return definition == kNoAct ? nullptr : s.FindBeta(s.ReadAct(definition).hBeta);
}

namespace {

// A field of the rule behind the item, or 0.
template <typename T>
T FieldOf(const Schedule& s, ActHandle item, T Beta::*field) {
  const Beta* b = RecurrenceOf(s, item);
  return b != nullptr ? b->*field : T{};
}

}  // namespace

uint8_t GetBetaFreq(const Schedule& s, ActHandle item) { return FieldOf(s, item, &Beta::freq); }
uint8_t GetBetaDayBits(const Schedule& s, ActHandle item) {
  return FieldOf(s, item, &Beta::dayBits);
}
int16_t GetBetaInterval(const Schedule& s, ActHandle item) {
  return FieldOf(s, item, &Beta::interval);
}
uint32_t GetBetaDateBits(const Schedule& s, ActHandle item) {
  return FieldOf(s, item, &Beta::dateBits);
}
uint8_t GetBetaOptions(const Schedule& s, ActHandle item) {
  return FieldOf(s, item, &Beta::betaOptions);
}
DayNumber GetBetaLastDone(const Schedule& s, ActHandle item) {
  return FieldOf(s, item, &Beta::lastDone);
}

// The series' own dates: through the recurring item only, not an edited occurrence.
DayNumber GetBetaStartDate(const Schedule& s, ActHandle item) {
  if (!s.IsActValid(item) || !(s.ActFlags(item) & AF_BETA)) return kNoDate;
  return FieldOf(s, item, &Beta::startDate);
}
DayNumber GetBetaEndDate(const Schedule& s, ActHandle item) {
  if (!s.IsActValid(item) || !(s.ActFlags(item) & AF_BETA)) return kNoDate;
  return FieldOf(s, item, &Beta::endDate);
}

void RaiseBetaLastDone(Schedule& s, ActHandle item, DayNumber date) {
  const ActHandle definition = RecurringItemOf(s, item);
  if (definition == kNoAct) return;
  Beta* b = s.FindBeta(s.ReadAct(definition).hBeta);
  if (b != nullptr) b->lastDone = std::max(b->lastDone, date);
}

int nCloneTasksAdjust(Schedule& s, DayNumber date, int delta) {
  Terminal* day = s.ExistingTerminal(date);
  if (day == nullptr) s.messages().InternalError(store_text::kNullTerminalCloneAdjust,
                                                 store_text::kModuleBeta, __LINE__);
  day->nClones = static_cast<int16_t>(day->nClones + delta);
  return day->nClones;
}

ActHandle BetaChainAt(const Schedule& s, size_t index) {
  const auto& chain = s.betaChain();
  return index < chain.size() ? chain[index] : kNoAct;
}

int ClonesOnDay(const Schedule& s, const Terminal& day, ActHandle item) {
  const ActHandle definition = RecurringItemOf(s, item);
  if (definition == kNoAct) return 0;
  int n = 0;
  for (const TaskNode* task = day.First(); task != nullptr; task = task->Next())
    if (task->act == definition) ++n;
  return n;
}

}  // namespace ploven
