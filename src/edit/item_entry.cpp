#include "edit/item_entry.h"

#include "edit/item_edit.h"
#include "engine/engine.h"
#include "file/item_line.h"
#include "store/act_flags.h"
#include "store/schedule.h"

namespace ploven {
namespace {

int CommandFor(const NewItemRequest& r) {
  if (r.memo) return kCmdNewMemo;
  if (r.fixed) return kCmdNewAppointment;
  return kCmdNewItem;
}

// The fields the request gives, written over the preferences the draft opened with.
void Fill(ItemEditSession& ses, Recurrences* recurrences, const NewItemRequest& r,
          Messages& msg) {
  ItemDraft& d = ses.draft;
  Act& a = d.act;
  d.title = r.title;
  if (!r.memo) {
    // The kind is the request's, whatever the preferences make a new item.
    d.Set(AF_FIXED, r.fixed);
    d.Set(AF_FLEXIBLE, r.flexible);
    d.Set(AF_HOPE, false);
  }
  if (r.duration) a.duration = *r.duration;
  if (r.start) a.startTime = *r.start;
  if (r.earliestTime) a.earliestTime = *r.earliestTime;
  if (r.latestTime) a.latestTime = *r.latestTime;
  if (r.flexible) {
    if (r.earliest) a.earliestDate = *r.earliest;
    if (r.deadline) a.deadlineDate = *r.deadline;
  }
  if (r.weekdays != 0) a.weekdays = r.weekdays;
  if (r.tier != 0) a.tier = r.tier;
  if (r.projectID != 0) a.projectID = r.projectID;
  d.rank = r.rank;
  if (r.split) d.Set(AF_SPLIT, true);
  // Ticking Recurring, as the dialog does once the rule is chosen.
  if (r.recurrence) SetRecurring(ses, recurrences, r.recurrence, msg);
}

}  // namespace

ActHandle EnterNewItem(Engine& engine, Recurrences* recurrences, const NewItemRequest& r) {
  Schedule& s = engine.schedule();
  ItemEditRequest open;
  open.command = CommandFor(r);
  // A flexible item starts on its Earliest Begin.
  const DayNumber date = r.date.value_or(s.Today());
  open.date = r.flexible ? r.earliest.value_or(date) : date;
  std::optional<ItemEditSession> ses = OpenItemEdit(engine, recurrences, open);
  if (!ses) return kNoAct;
  Fill(*ses, recurrences, r, s.messages());

  ItemEditHooks hooks;
  hooks.conflictView.text = engine.dateText();
  hooks.interactive = r.interactive;
  const bool alarmBefore = ses->draft.Has(AF_ALARM);
  ConfirmResult result = ConfirmItemEdit(engine, recurrences, *ses, hooks);
  // Yes to the alarm offer keeps the dialog open with the alarm set; the next OK makes it.
  if (result.outcome == ConfirmOutcome::kStayOpen && !alarmBefore && ses->draft.Has(AF_ALARM))
    result = ConfirmItemEdit(engine, recurrences, *ses, hooks);
  return result.outcome == ConfirmOutcome::kApplied ? result.item : kNoAct;
}

NewItemRequest RequestOfLine(const ItemLine& line, DayNumber date) {
  NewItemRequest r;
  r.title = line.title;
  r.date = line.date.value_or(date);
  r.start = line.start;
  r.fixed = line.start.has_value();
  r.memo = line.memo;
  r.flexible = !r.fixed && !r.memo;
  r.duration = line.duration;
  r.interactive = false;
  return r;
}

ActHandle EnterItemLine(Engine& engine, Recurrences* recurrences, const ItemLine& line,
                        DayNumber date) {
  const ActHandle h = EnterNewItem(engine, recurrences, RequestOfLine(line, date));
  // Text from elsewhere: a triggered launch in its title never runs without asking.
  if (h != kNoAct) engine.schedule().LockAct(h).flags |= AF_FROM_OUTSIDE;
  return h;
}

}  // namespace ploven
