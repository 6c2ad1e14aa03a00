#include <random>

#include "edit/edit_messages.h"
#include "edit/item_edit.h"
#include "store/priority_index.h"
#include "engine/balance_all_days.h"
#include "engine/engine.h"
#include "engine/past_days.h"
#include "engine/priorities.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "recur/recurrence_dialog.h"
#include "recur/recurrences.h"
#include "store/act_flags.h"
#include "store/projects.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven {

namespace t = edit_text;

namespace {

// The flags the dialog's check boxes and buttons (its alarm dialog's included) own; the rest
// belong to the item's life.
constexpr uint32_t kDialogFlags = AF_SPLIT | AF_CLONE_ON_DONE | AF_FLEXIBLE | AF_HOPE | AF_FIXED |
                                  AF_UNDERSCORED | AF_ALARM | AF_ALARM_AT_BEGIN | AF_ALARM_AT_END |
                                  AF_ALSO_DIAL | AF_REMINDER_DAYS | AF_DIALOG_BOX_1 |
                                  AF_DIALOG_BOX_2 | AF_SEQUENCED | AF_HIDE | AF_WORK_HOURS |
                                  AF_AFTER_HOURS;

// Copies what the dialog edits into the record, leaving its identity and run-time fields.
void CopyEditedFields(const ItemDraft& d, Act& a) {
  const Act& e = d.act;
  // An alarm edited (or switched on again) rings again today, even if it rang already.
  constexpr uint32_t kAlarmFlags = AF_ALARM | AF_ALARM_AT_BEGIN | AF_ALARM_AT_END;
  if (e.alarmMinutes != a.alarmMinutes || e.alarmHours != a.alarmHours ||
      (e.flags & kAlarmFlags) != (a.flags & kAlarmFlags) || e.alarmState == 0)
    a.alarmState = 0;
  a.startTime = e.startTime;
  a.duration = e.duration;
  a.earliestTime = e.earliestTime;
  a.latestTime = e.latestTime;
  a.earliestDate = e.earliestDate;
  a.deadlineDate = e.deadlineDate;
  a.weekdays = e.weekdays;
  a.label = e.label;
  a.projectID = e.projectID;
  a.color = e.color;
  a.flags = (a.flags & ~kDialogFlags) | (e.flags & kDialogFlags);
  a.alarmMinutes = e.alarmMinutes;
  a.alarmHours = e.alarmHours;
  a.earliestDateTime = e.earliestDateTime;
  a.deadlineTime = e.deadlineTime;
  a.typeFlags = e.typeFlags;
  a.tier = e.tier;
  a.reminderDays = e.reminderDays;
  a.expectedReturn = e.expectedReturn;
  a.firstYear = e.firstYear;
  a.prereqID = e.prereqID;
  a.prereqDays = e.prereqDays;
  a.prereqMinutes = e.prereqMinutes;
  a.expense = e.expense;
  a.jobNumber = e.jobNumber;
  a.mileage = e.mileage;
  a.postponeCount = e.postponeCount;
}

// The record a new item (or a new form of an old one) is made from.
Act NewRecordOf(const ItemDraft& d) {
  Act a;
  CopyEditedFields(d, a);
  a.flags &= ~static_cast<uint32_t>(kFlexibleOnArrivalFlag);
  if (d.recurrence && d.flexibleOnArrival) a.flags |= kFlexibleOnArrivalFlag;
  return a;
}

bool Refuse(Messages& msg, const std::string& text, ConfirmResult& result,
            ConfirmResult::Focus focus) {
  msg.ErrorMessage(text);
  result.focus = focus;
  return false;
}

bool Check(Engine& engine, const ItemEditSession& ses, Messages& msg, ConfirmResult& r) {
  using F = ConfirmResult::Focus;
  const ItemDraft& d = ses.draft;
  const Act& a = d.act;
  const Schedule& s = engine.schedule();
  if (ses.mode != ItemDialogMode::kPreferences) {
    if (d.title.find_first_not_of(" \t\r\n") == std::string::npos)
      return Refuse(msg, t::kEmptyTitle, r, F::kTitle);
    if (d.title.size() > kActTitleMax) return Refuse(msg, t::kTitleTooLong, r, F::kTitle);
  }
  if (a.duration < 0 || a.duration > kMaxItemDuration)
    return Refuse(msg, t::kDurationTooLong, r, F::kDuration);
  if (a.earliestDate != kNoDate && a.deadlineDate != kNoDate && a.deadlineDate < a.earliestDate &&
      d.flexible())
    return Refuse(msg, t::kDeadlineBeforeEarliest, r, F::kDates);
  if (a.earliestTime != kNoTime && a.latestTime != kNoTime && a.latestTime < a.earliestTime)
    return Refuse(msg, t::kLatestBeforeEarliestTime, r, F::kTimes);
  if ((a.typeFlags & (ACT_MULTIDAY | ACT_MULTIDAY_ALT)) && a.deadlineDate != kNoDate &&
      a.deadlineDate < d.date)
    return Refuse(msg, t::kEndBeforeStart, r, F::kDates);
  if (d.recurrence && !CheckRecurrenceRange(d.recurrence->startDate, d.recurrence->endDate, msg)) {
    r.focus = F::kDates;
    return false;
  }
  const bool movesDate = ses.mode == ItemDialogMode::kNew || d.date != ses.opened.date;
  if (ses.mode != ItemDialogMode::kPreferences && !d.recurrence && movesDate &&
      s.header().IsArchived(d.date))
    return Refuse(msg, Sprintf(t::kArchivedDate, FormatDate(d.date, engine.dateText()).c_str()),
                  r, F::kDates);
  return true;
}

// The field rules a draft can reach OK without: ticking Recurring unticks Splittable, and a
// Duration entered longer than the Day Bounds range is dealt with as when its field is left
// (a memo takes no time of the day: its duration stands).
void ApplyFieldRules(Engine& engine, ItemEditSession& ses, Messages& msg) {
  ItemDraft& d = ses.draft;
  if (d.recurrence && d.Has(AF_SPLIT)) {
    msg.InformationMessage(t::kRecurringNotSplittable);
    d.Set(AF_SPLIT, false);
  }
  const bool entered = ses.mode == ItemDialogMode::kNew ||
                       d.act.duration != ses.opened.act.duration ||
                       d.recurrence.has_value() != ses.opened.recurrence.has_value();
  if (entered && !d.Has(AF_HOPE)) DurationLeft(ses, engine, msg);
}

// The Set-Start-Time alarm offer of a new item. True when the dialog stays open.
bool OfferAlarm(ItemEditSession& ses, const ItemEditHooks& hooks, Messages& msg) {
  ItemDraft& d = ses.draft;
  if (!hooks.interactive || ses.mode != ItemDialogMode::kNew || d.act.startTime == kNoTime ||
      d.Has(AF_ALARM) || d.Has(AF_HOPE))
    return false;
  if (msg.QuestionNoDefault(t::kSetStartAlarmQuestion) != kIdYes) return false;
  if (hooks.editAlarm) {
    ItemDraft edited = d;
    if (hooks.editAlarm(edited)) {
      d = std::move(edited);
      d.Set(AF_ALARM, true);
    }
  } else {
    SetDefaultAlarm(d, ses.opened.act);
  }
  return true;
}

int PickAdvice(const ItemEditHooks& hooks) {
  if (hooks.pickAdvice) return std::clamp(hooks.pickAdvice(), 0, 4);
  std::random_device device;
  return std::uniform_int_distribution<int>(0, 4)(device);
}

// The Procrastination Buster. True when the dialog stays open.
bool CheckProcrastination(ItemEditSession& ses, const ItemEditHooks& hooks, Messages& msg) {
  if (ses.mode == ItemDialogMode::kNew || ses.mode == ItemDialogMode::kPreferences) return false;
  Act& a = ses.draft.act;
  const DayNumber before = ses.opened.act.deadlineDate;
  if (before == kNoDate || a.deadlineDate <= before) return false;
  // A new title is a new start: it counts from nothing again.
  if (ses.draft.title != ses.opened.title) {
    a.postponeCount = 0;
    return false;
  }
  const int16_t counted = a.postponeCount;
  if (counted >= kNeverRemindPostpone - 1) return false;
  a.postponeCount = static_cast<int16_t>(counted + 1);
  if (a.postponeCount <= 12 || a.postponeCount >= 25000) return false;

  MultiButtonParams params;
  params.customCaptions = t::kBusterButtons;
  const std::string text =
      std::string(t::kBusterIntro) + t::kBusterAdvice[PickAdvice(hooks)] +
      t::kBusterButtonsExplained;
  const int answer = msg.MultiButtonBox(text, t::kBusterCaption, kMbIconExclamation, params);
  if (answer == kIdCustom1 + 1) {
    msg.InformationMessage(t::kBusterNeverAgain);
    a.postponeCount = kNeverRemindPostpone;
    return false;
  }
  a.postponeCount = counted;  // counted again at the next OK
  if (answer == kIdCustom1 + 2) {
    MultiButtonParams timed;
    timed.countdownSeconds = t::kBusterNextTimeSeconds;
    msg.MultiButtonBox(t::kBusterNextTime, t::kBusterNextTimeCaption, kMbIconInformation, timed);
    return false;
  }
  // "I'll go change it now", or the box closed: back to the Title.
  if (answer == kIdCustom1) msg.InformationMessage(t::kBusterChangeNow);
  return true;
}

// ---- Apply ----

struct ApplyContext {
  Engine& engine;
  Recurrences* recurrences;
  const ItemEditHooks& hooks;
  uint32_t formerProject;  // an item leaving its project leaves that project's tree too
};

// A change of Splittable re-plans every day. False when Balance All Days could not run.
bool BalanceForSplit(ApplyContext& c) {
  if (c.hooks.interactive) {
    MultiButtonParams params;
    params.customCaptions = t::kSplitChangeButton;
    c.engine.schedule().messages().MultiButtonBox(t::kSplitChange, t::kSplitChangeCaption,
                                                  kMbIconInformation, params);
  }
  return BalanceAllDays(c.engine, kBalanceAfterSplitChange) != 0;
}

// The engine's part after the record was written: priority, placement, conflicts.
void Plan(ApplyContext& c, ActHandle h, const ItemDraft& d, bool splitChanged) {
  Schedule& s = c.engine.schedule();
  // An item without a tier (one made with a Set Date by a front end that gave it none) takes
  // the first tier when it becomes flexible: a tier of 0 would rank it before every tier-A item.
  if ((s.ActFlags(h) & AF_FLEXIBLE) && s.ReadAct(h).tier == 0) s.SetActTier(h, kTierA);
  // A draft's rank 0 is the end of the tier, which is what the dialog shows for it.
  if (!(s.ActFlags(h) & AF_BETA))
    ConfirmItemPriority(s, h, d.rank > 0 ? d.rank : kEndOfTierRank);
  const uint32_t flags = s.ActFlags(h);
  if (splitChanged && (flags & AF_FLEXIBLE)) {
    // Without Balance All Days (busy, or no screen to run it on) the item is still planned.
    if (!BalanceForSplit(c)) RescheduleItem(c.engine, h);
  } else if (flags & AF_FLEXIBLE) {
    RescheduleItem(c.engine, h);
  } else if (!(flags & AF_BETA)) {
    const DayNumber date = s.GetActDate(h);
    if (date != kNoDate) c.engine.RecalcDayTimes(date);
  }
  if (c.hooks.interactive && s.ReadAct(h).startTime != kNoTime)
    ConflictCheck(s, h, c.hooks.conflictView);
  if (c.formerProject != 0 || d.act.projectID != 0) RefreshProjectTreeKeepingFolding(s);
  s.hooks().ItemChanged(h);
  s.PruneTerminals();
  s.MarkChanged();
}

ActHandle MakeItem(ApplyContext& c, const ItemDraft& d) {
  Schedule& s = c.engine.schedule();
  std::optional<Beta> rule = d.recurrence;
  if (rule && rule->startDate == kNoDate) rule->startDate = d.date;
  if (rule && c.recurrences != nullptr && !IsEnufMemoryForScheduleBeta(*c.recurrences, *rule)) {
    s.messages().ErrorMessage(t::kRecurringNoMemory);
    return kNoAct;
  }
  const ActHandle h = s.NewItem(d.date, NewRecordOf(d), d.title, rule ? &*rule : nullptr);
  if (h == kNoAct) s.messages().ErrorMessage(t::kNotCreated);
  return h;
}

ActHandle ApplyNew(ApplyContext& c, ItemEditSession& ses) {
  const ActHandle h = MakeItem(c, ses.draft);
  if (h == kNoAct) return kNoAct;
  Plan(c, h, ses.draft, ses.draft.Has(AF_SPLIT));
  return h;
}

// Every instance: the recurring item's own record and rule.
ActHandle ApplyToRecurringItem(ApplyContext& c, ItemEditSession& ses) {
  Schedule& s = c.engine.schedule();
  Messages& msg = s.messages();
  const ActHandle def = ses.definition;
  const ItemDraft& d = ses.draft;
  if (c.recurrences == nullptr || !s.IsActValid(def) || RecurrenceOf(s, def) == nullptr) {
    msg.ErrorMessage(t::kExceptionLockFailed);
    return kNoAct;
  }
  Recurrences& r = *c.recurrences;
  if (!d.recurrence) {
    // Recurring unticked: one item remains, on the instance shown (or the next one).
    DayNumber date = ses.occurrence;
    if (date == kNoDate || !BetaQualify(r, def, date))
      date = NextOccurrence(r, def, FirstOpenDate(s) - 1, true);
    ItemDraft single = d;
    single.date = date;
    const ActHandle h = MakeItem(c, single);
    if (h == kNoAct) return kNoAct;
    DeleteRecurringItem(r, def);
    Plan(c, h, single, false);
    return h;
  }
  if (!IsEnufMemoryForScheduleBeta(r, *d.recurrence)) {
    msg.ErrorMessage(t::kRecurringNoMemory);
    return kNoAct;
  }
  if (d.title != s.GetActNameFull(def)) s.SetActName(def, d.title);
  UnscheduleBeta(r, def);
  Act& a = s.LockAct(def);
  CopyEditedFields(d, a);
  a.flags &= ~static_cast<uint32_t>(AF_FLEXIBLE | AF_SPLIT | kFlexibleOnArrivalFlag);
  if (d.flexibleOnArrival) a.flags |= kFlexibleOnArrivalFlag;
  Beta& beta = s.LockBeta(a.hBeta);
  std::vector<XEntry> exceptions = std::move(beta.xlist);
  beta = *d.recurrence;
  beta.xlist = std::move(exceptions);
  ScheduleBeta(r, def);
  Plan(c, def, d, false);
  return def;
}

// One item of its own (a plain item, or an edited instance).
ActHandle ApplyToItem(ApplyContext& c, ItemEditSession& ses) {
  Schedule& s = c.engine.schedule();
  ItemDraft& d = ses.draft;
  ActHandle h = ses.item;
  const bool instance = ses.definition != kNoAct;

  if (!instance && d.recurrence) {
    // Recurring ticked on an item of its own: it becomes a recurring item from its date.
    const ActHandle made = MakeItem(c, d);
    if (made == kNoAct) return kNoAct;
    s.DeleteItem(h);
    s.FreeAct(h);
    Plan(c, made, d, false);
    return made;
  }
  if (ses.clone) {
    // Modify one only: the instance becomes an exception of its own.
    TaskNode* clone = c.recurrences != nullptr
                          ? FindClone(s, ses.definition, ses.occurrence)
                          : nullptr;
    if (clone == nullptr) {
      s.messages().ErrorMessage(t::kCloneNotFound);
      return kNoAct;
    }
    h = CloneToDrone(*c.recurrences, clone);
    if (h == kNoAct) {
      s.messages().ErrorMessage(t::kExceptionLockFailed);
      return kNoAct;
    }
    ses.clone = false;
    ses.item = h;
  }
  const uint32_t before = s.ActFlags(h);
  if (d.title != s.GetActNameFull(h)) {
    s.SetActName(h, d.title);
    d.act.postponeCount = 0;  // a new title is a new start for the Procrastination Buster
  }
  CopyEditedFields(d, s.LockAct(h));
  if (instance) s.LockAct(h).flags &= ~static_cast<uint32_t>(AF_FLEXIBLE | AF_SPLIT);
  s.TouchAct(h);

  // A Set Date item goes to the date chosen.
  const DayNumber date = s.GetActDate(h);
  if (!(s.ActFlags(h) & AF_FLEXIBLE) && d.date != kNoDate && d.date != date) {
    if (TaskNode* task = s.ActTask(h)) MoveItemToDate(c.engine, task, d.date);
  }
  const bool splitChanged = ((before ^ s.ActFlags(h)) & AF_SPLIT) != 0;
  Plan(c, h, d, splitChanged);
  // An occurrence edited back to its series' values is no exception any more.
  if (instance && c.recurrences != nullptr) h = FoldEditedBackOccurrence(*c.recurrences, h);
  return h;
}

}  // namespace

bool CheckItemDraft(Engine& engine, const ItemEditSession& session, Messages& msg) {
  ConfirmResult ignored;
  return Check(engine, session, msg, ignored);
}

ConfirmResult ConfirmItemEdit(Engine& engine, Recurrences* recurrences, ItemEditSession& ses,
                              const ItemEditHooks& hooks) {
  Schedule& s = engine.schedule();
  Messages& msg = s.messages();
  ConfirmResult result;
  if (!Check(engine, ses, msg, result)) return result;

  if (ses.mode == ItemDialogMode::kPreferences) {
    Act defaults = NewRecordOf(ses.draft);
    defaults.typeFlags = 0;
    s.itemDefaults() = defaults;
    s.MarkChanged();
    result.outcome = ConfirmOutcome::kApplied;
    return result;
  }
  ApplyFieldRules(engine, ses, msg);
  if (OfferAlarm(ses, hooks, msg)) return result;
  if (CheckProcrastination(ses, hooks, msg)) {
    result.focus = ConfirmResult::Focus::kTitle;
    return result;
  }
  // The title's new lines stay; a trailing one would only show as an empty line.
  while (!ses.draft.title.empty() &&
         (ses.draft.title.back() == '\n' || ses.draft.title.back() == '\r'))
    ses.draft.title.pop_back();

  ApplyContext c{engine, recurrences, hooks, ses.opened.act.projectID};
  ActHandle h = kNoAct;
  if (ses.mode == ItemDialogMode::kNew)
    h = ApplyNew(c, ses);
  else if (ses.definition != kNoAct && ses.modifyEveryInstance)
    h = ApplyToRecurringItem(c, ses);
  else
    h = ApplyToItem(c, ses);
  if (h == kNoAct) return result;
  ses.item = h;  // the session now names what was made or changed
  result.outcome = ConfirmOutcome::kApplied;
  result.item = h;
  return result;
}

}  // namespace ploven
