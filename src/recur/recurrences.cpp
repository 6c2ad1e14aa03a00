#include "recur/recurrences.h"

#include "recur/recur_messages.h"
#include "recur/recurrence_messages.h"

namespace ploven {

namespace t = recurrence_text;

Recurrences::Recurrences(Engine& engine, QualifyContext settings)
    : m_engine(engine), m_settings(settings) {
  m_engine.SetOuterHooks(this);
}

Recurrences::~Recurrences() { m_engine.SetOuterHooks(nullptr); }

QualifyContext Recurrences::Context() const {
  QualifyContext context = m_settings;
  const Schedule& s = m_engine.schedule();
  context.today = s.Today();
  context.lightMode = s.header().LightModePermitted();
  return context;
}

bool Recurrences::GenerateRecurringInstances(Schedule& /*s*/, Terminal& day) {
  return GenBetaTasks(*this, day);
}

bool Recurrences::ScheduleBeta(Schedule& /*s*/, ActHandle definition) {
  return ::ploven::ScheduleBeta(*this, definition);
}

bool Recurrences::RecurrenceQualifies(Schedule& /*s*/, ActHandle definition, DayNumber date) {
  return BetaQualify(*this, definition, date);
}

ActHandle Recurrences::CloneToDrone(Schedule& /*s*/, TaskNode* clone) {
  return ::ploven::CloneToDrone(*this, clone);
}

bool Recurrences::DeleteOccurrence(Schedule& /*s*/, TaskNode* occurrence) {
  return DeleteOneClone(*this, occurrence);
}

bool Recurrences::RebaseRecurrence(Schedule& /*s*/, ActHandle definition, DayNumber newStart) {
  return ::ploven::RebaseRecurrence(*this, definition, newStart);
}

bool BetaQualify(Recurrences& r, ActHandle definition, DayNumber date) {
  Schedule& s = r.schedule();
  if (definition == kNoAct)
    s.messages().InternalError(t::kQualifyNullHandle, t::kModuleBetasche, __LINE__);
  Beta* beta = nullptr;
  if (s.IsActValid(definition)) beta = s.FindBeta(s.ReadAct(definition).hBeta);
  if (beta == nullptr)
    s.messages().InternalError(t::kQualifyBadHandle, t::kModuleBetasche, __LINE__);
  bool healed = false;
  const bool qualifies = QualifiesOn(*beta, date, r.Context(), &healed);
  if (healed) {
    r.NoteHealedRecord();
    s.MarkChanged();
    s.messages().InformationMessage(recur_text::kNoTypeFlags);
  }
  return qualifies;
}

DayNumber FirstOpenDate(const Schedule& s) {
  const DayNumber archived = s.header().lastArchivedDate();
  if (archived == kNoDate) return s.Today();
  return static_cast<DayNumber>(archived + 1);
}

}  // namespace ploven
