#include "edit/item_edit.h"

#include <algorithm>

#include "edit/edit_messages.h"
#include "engine/engine.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "recur/beta_qualify.h"
#include "recur/recurrences.h"
#include "store/act_flags.h"
#include "store/recurrence_fields.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven {

namespace t = edit_text;

namespace {

// The fields of a record that belong to the one item and never to its working copy.
void ClearIdentity(Act& a) {
  a.ID = 0;
  a.hBeta = 0;
  a.pitem = 0;
  a.createdDate = a.touchedDate = kNoDate;
  a.createdTime = a.touchedTime = kNoTime;
  a.postponeCount = 0;
  a.noteNumber = 0;
  a.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE | AF_DONE | AF_STARTED | AF_TAGGED);
}

bool IsMemoKind(uint16_t typeFlags) {
  return (typeFlags & (ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY)) != 0;
}

// A new item of the command's kind, from the New Item Preferences.
ItemDraft NewDraft(const Schedule& s, int command, DayNumber date) {
  ItemDraft d;
  d.act = s.itemDefaults();
  ClearIdentity(d.act);
  d.date = date != kNoDate ? date : s.Today();
  d.act.typeFlags = NewItemTypeFlags(command);
  if (d.act.tier == 0) d.act.tier = 'A';
  const uint16_t kind = d.act.typeFlags;
  if (IsMemoKind(kind)) {
    // Memos line up at the top of the day and take no time.
    d.Set(AF_HOPE, true);
    d.Set(AF_FLEXIBLE | AF_SPLIT | AF_FIXED, false);
    d.act.duration = 0;
    d.act.startTime = kNoTime;
    d.Set(AF_WORK_HOLIDAY, kind == ACT_WORK_HOLIDAY);
    if (kind & (ACT_BIRTHDAY | ACT_ANNIVERSARY)) {
      // Birthdays and anniversaries come back every year from the day they are entered on.
      Beta yearly;
      yearly.freq = kFreqYearly;
      yearly.interval = 1;
      yearly.startDate = d.date;
      d.recurrence = yearly;
    }
  } else if (kind & (ACT_APPOINTMENT | ACT_APPOINTMENT_ALT)) {
    d.Set(AF_FIXED, true);
    d.Set(AF_FLEXIBLE | AF_SPLIT | AF_HOPE, false);
    if (d.act.duration == 0) d.act.duration = 30;
  } else if (kind & (ACT_MULTIDAY | ACT_MULTIDAY_ALT)) {
    d.Set(AF_FLEXIBLE | AF_SPLIT, false);
    d.act.deadlineDate = d.date;  // the last day of the event
  } else if (kind == 0) {
    d.Set(AF_FLEXIBLE | AF_SPLIT, false);  // a cash transaction stands on its date
    d.act.duration = 0;
  } else {
    // Until the user saves preferences of their own, an item is planned by the program.
    if (s.itemDefaults() == Act{}) d.Set(AF_FLEXIBLE, true);
    if (d.act.duration == 0 && !d.Has(AF_HOPE)) d.act.duration = 30;
  }
  return d;
}

// The definition's exception entry that `drone` replaced; 0 when none.
DayNumber OriginalDateOfDrone(const Schedule& s, ActHandle definition, ActHandle drone) {
  const Beta* beta = RecurrenceOf(s, definition);
  if (beta == nullptr) return kNoDate;
  for (const XEntry& x : beta->xlist)
    if (x.drone == drone) return x.date;
  return kNoDate;
}

ItemDraft DraftOf(Schedule& s, ActHandle h) {
  ItemDraft d;
  d.act = s.ReadAct(h);
  d.title = s.GetActNameFull(h);
  d.date = s.GetActDate(h);
  d.rank = s.GetActRank(h);
  d.flexibleOnArrival = d.Has(kFlexibleOnArrivalFlag);
  return d;
}

void AttachRule(Schedule& s, Messages& msg, ActHandle definition, ItemDraft& d) {
  const Beta* beta = RecurrenceOf(s, definition);
  if (beta == nullptr) msg.InternalError(t::kNullBetaPortion, t::kModule, __LINE__);
  d.recurrence = *beta;
  d.flexibleOnArrival = s.ReadAct(definition).Has(kFlexibleOnArrivalFlag);
}

}  // namespace

std::optional<ItemEditSession> OpenItemEdit(Engine& engine, Recurrences* recurrences,
                                            const ItemEditRequest& request) {
  Schedule& s = engine.schedule();
  Messages& msg = s.messages();
  ItemEditSession ses;
  ses.command = request.command;
  ses.mode = ModeForCommand(request.command);
  const bool fresh = ses.mode == ItemDialogMode::kNew || ses.mode == ItemDialogMode::kPreferences;

  ItemDialogTitleInput title;
  title.mode = ses.mode;
  title.today = s.Today();
  if (fresh) {
    const int kind = ses.mode == ItemDialogMode::kPreferences ? kCmdNewItem : request.command;
    ses.draft = NewDraft(s, kind, request.date);
    title.typeFlags = ses.draft.act.typeFlags;
  } else {
    ActHandle h = request.task != nullptr ? request.task->act : request.item;
    if (h == kNoAct || !s.IsActValid(h)) {
      msg.InformationMessage(t::kNothingToModify);
      return std::nullopt;
    }
    const DayNumber day = request.task != nullptr ? s.FindTaskDay(request.task) : s.GetActDate(h);
    const uint32_t flags = s.ActFlags(h);
    if (flags & AF_BETA) {
      ses.definition = h;
      ses.occurrence = day;
      ses.clone = request.task != nullptr;
    } else if (flags & AF_DRONE) {
      ses.definition = RecurringItemOf(s, h);
      ses.occurrence = day;
    }
    // A recurring item chosen from a list, not one of its days, is changed as a whole.
    const bool wholeSeries = ses.mode == ItemDialogMode::kModifyAllRecurrences ||
                             (ses.definition == h && !ses.clone);
    if (wholeSeries) {
      if (ses.definition == kNoAct) {
        msg.InformationMessage(t::kNotRecurringItem);
        return std::nullopt;
      }
      ses.item = ses.definition;
      ses.modifyEveryInstance = true;
      ses.draft = DraftOf(s, ses.definition);
      ses.draft.date = GetBetaDate(s, ses.definition, 0);
      AttachRule(s, msg, ses.definition, ses.draft);
    } else if (ses.definition != kNoAct) {
      // One instance: a clone shows its definition's fields on its own date.
      ses.item = ses.clone ? ses.definition : h;
      ses.draft = DraftOf(s, ses.item);
      if (ses.clone && recurrences != nullptr)
        ses.draft.title = OccurrenceTitle(*recurrences, ses.definition, day, false);
      ses.draft.date = day;
      AttachRule(s, msg, ses.definition, ses.draft);
      if (!ses.clone) title.exceptionOriginalDate = OriginalDateOfDrone(s, ses.definition, h);
    } else {
      ses.item = h;
      ses.draft = DraftOf(s, h);
      if ((flags & AF_FLEXIBLE) && !s.GetActPitem(h))
        msg.InternalError(t::kNullPitem, t::kModule, __LINE__);
    }
    if (ses.mode == ItemDialogMode::kModifyMemoAsSetDate && ses.draft.Has(AF_HOPE)) {
      // The memo is shown and kept as an ordinary item with a Set Date.
      ses.draft.Set(AF_HOPE, false);
      ses.draft.act.typeFlags = ACT_ITEM;
      if (ses.draft.act.duration == 0) ses.draft.act.duration = 30;
    }
    const Act& a = s.ReadAct(ses.item);
    title.typeFlags = a.typeFlags;
    title.createdDate = a.createdDate;
    title.createdTime = a.createdTime;
    if ((a.flags & AF_SPLIT) && (a.flags & AF_STARTED)) msg.InformationMessage(t::kSplitStarted);
  }
  ses.form = TemplateFor(request.command, ses.mode, title.typeFlags, request.lightMode);
  title.form = ses.form;
  ses.caption = ItemDialogTitle(title, engine.dateText());
  ses.helpTopic = HelpTopicFor(ses.mode, title.typeFlags);
  ses.alarmEverSet = ses.draft.Has(AF_ALARM) || ses.draft.act.alarmMinutes != 0 ||
                     ses.draft.act.alarmHours != 0;
  ses.opened = ses.draft;
  return ses;
}

// ---- Field rules ----

namespace {

std::string Hours(int minutes) {
  std::string h = FormatHours(minutes);
  h.erase(0, h.find_first_not_of(' '));
  return h;
}

bool IsRecurring(const ItemEditSession& ses) { return ses.draft.recurrence.has_value(); }

}  // namespace

DurationOutcome DurationLeft(ItemEditSession& ses, const Engine& engine, Messages& msg) {
  const int range = std::max(0, engine.DayBoundsLatest() - engine.DayBoundsEarliest());
  Act& a = ses.draft.act;
  if (range <= 0 || a.duration <= range) return DurationOutcome::kAccepted;
  if (IsRecurring(ses)) {
    a.duration = static_cast<Duration>(range);
    msg.InformationMessage(t::kRecurringDurationCut);
    return DurationOutcome::kReducedForRecurring;
  }
  if (!ses.draft.Has(AF_SPLIT)) {
    MultiButtonParams params;
    params.customCaptions = t::kAutoSplitButtons;
    const std::string hours = Hours(range);
    const int answer = msg.MultiButtonBox(Sprintf(t::kAutoSplit, hours.c_str(), hours.c_str()),
                                          t::kAutoSplitCaption, kMbIconQuestion, params);
    if (answer == kIdCustom1 + 1) {
      a.duration = static_cast<Duration>(range);
      msg.InformationMessage(t::kDurationReduced);
      return DurationOutcome::kReduced;
    }
  }
  ses.draft.Set(AF_SPLIT | AF_FLEXIBLE, true);
  ses.draft.Set(AF_FIXED, false);
  return DurationOutcome::kMadeSplittable;
}

SetDateOutcome SetDateChosen(ItemEditSession& ses, Messages& msg) {
  Act& a = ses.draft.act;
  const bool wasFlexible = ses.draft.flexible();
  ses.draft.Set(AF_FLEXIBLE, false);
  if (!wasFlexible || a.deadlineTime == kNoTime || a.deadlineDate != ses.draft.date)
    return SetDateOutcome::kNothingAsked;
  // Without a Latest End of its own the item may run to the end of the day.
  const TimeOfDay latest = a.latestTime != kNoTime ? a.latestTime : kMinutesPerDay + 1;
  if (a.deadlineTime >= latest) return SetDateOutcome::kNothingAsked;
  MultiButtonParams params;
  params.customCaptions = t::kInheritButtons;
  if (msg.MultiButtonBox(t::kInherit, t::kInheritCaption, kMbIconQuestion, params) ==
      kIdCustom1) {
    a.latestTime = a.deadlineTime;
    return SetDateOutcome::kLatestEndChanged;
  }
  return SetDateOutcome::kEditLatestEnd;
}

bool SetRecurring(ItemEditSession& ses, Recurrences* recurrences, std::optional<Beta> rule,
                  Messages& msg) {
  if (!rule) {
    if (!ses.draft.recurrence) return true;
    // The recurring item turns into one item on one of its dates: it must have one.
    if (ses.definition != kNoAct && recurrences != nullptr) {
      const DayNumber from = FirstOpenDate(recurrences->schedule());
      const bool any = BetaQualify(*recurrences, ses.definition, from) ||
                       NextOccurrence(*recurrences, ses.definition, from, true) != kNoDate;
      if (!any) {
        msg.ErrorMessage(t::kNoInstancesLeft);
        return false;
      }
    }
    ses.draft.recurrence.reset();
    return true;
  }
  if (ses.draft.Has(AF_SPLIT)) {
    msg.InformationMessage(t::kRecurringNotSplittable);
    ses.draft.Set(AF_SPLIT, false);
  }
  if (rule->startDate == kNoDate) rule->startDate = ses.draft.date;
  ses.draft.recurrence = std::move(rule);
  return true;
}

void SetDefaultAlarm(ItemDraft& draft, const Act& preferences) {
  draft.Set(AF_ALARM, true);
  if (preferences.alarmMinutes != 0 || preferences.alarmHours != 0) {
    draft.act.alarmMinutes = preferences.alarmMinutes;
    draft.act.alarmHours = preferences.alarmHours;
  } else if (draft.act.alarmMinutes == 0 && draft.act.alarmHours == 0) {
    draft.act.alarmMinutes = kDefaultAlarmMinutes;
  }
}

bool AlarmTicked(ItemEditSession& ses, Messages& msg,
                 const std::function<bool(ItemDraft&)>& editAlarm) {
  const bool preferences = ses.mode == ItemDialogMode::kPreferences;
  if (!ses.alarmEverSet && editAlarm) {
    if (!preferences) msg.InformationMessage(t::kFirstAlarm);
    ItemDraft edited = ses.draft;
    if (!editAlarm(edited)) return false;  // cancelled: the alarm stays as it was
    ses.draft = std::move(edited);
    ses.draft.Set(AF_ALARM, true);
    return true;
  }
  if (ses.alarmEverSet) {
    ses.draft.Set(AF_ALARM, true);
    return true;
  }
  SetDefaultAlarm(ses.draft, ses.opened.act);
  return true;
}

// ---- The Recurrences group ----

bool StepInstance(ItemEditSession& ses, Recurrences& r, int direction) {
  if (ses.definition == kNoAct || ses.modifyEveryInstance) return false;
  Schedule& s = r.schedule();
  const DayNumber from = ses.occurrence != kNoDate ? ses.occurrence : ses.draft.date;
  DayNumber next = kNoDate;
  if (direction > 0) {
    next = NextOccurrence(r, ses.definition, from, false);
  } else {
    next = PreviousOccurrence(r, ses.definition, from);
    if (next != kNoDate && next < FirstOpenDate(s)) next = kNoDate;
  }
  if (next == kNoDate) return false;

  // The instance may be a clone or an edited one of its own.
  ActHandle instance = ses.definition;
  bool clone = true;
  if (const Beta* beta = RecurrenceOf(s, ses.definition)) {
    for (const XEntry& x : beta->xlist) {
      if (x.date != next) continue;
      if (x.drone == kNoAct) {
        // A cancelled date: step on past it.
        ses.occurrence = next;
        const bool moved = StepInstance(ses, r, direction);
        if (!moved) ses.occurrence = from;
        return moved;
      }
      instance = x.drone;
      clone = false;
    }
  }
  ses.clone = clone;
  ses.item = instance;
  ses.occurrence = next;
  ItemDraft d = DraftOf(s, instance);
  if (clone) d.title = OccurrenceTitle(r, ses.definition, next, false);
  d.date = clone ? next : s.GetActDate(instance);
  d.recurrence = ses.draft.recurrence;
  d.flexibleOnArrival = ses.draft.flexibleOnArrival;
  ses.draft = d;
  ses.opened = d;
  return true;
}

bool DeleteThisInstance(ItemEditSession& ses, Recurrences& r) {
  if (ses.definition == kNoAct || ses.modifyEveryInstance) return false;
  Schedule& s = r.schedule();
  TaskNode* task = nullptr;
  if (ses.clone) {
    task = FindClone(s, ses.definition, ses.occurrence);
    if (task == nullptr) {
      s.messages().ErrorMessage(t::kCloneNotFound);
      return false;
    }
  } else {
    task = s.ActTask(ses.item);
  }
  if (task == nullptr || !DeleteOneClone(r, task)) return false;
  s.PruneTerminals();
  s.MarkChanged();
  return true;
}

}  // namespace ploven
