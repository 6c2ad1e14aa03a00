#include "edit/quick_change.h"

#include <algorithm>
#include <optional>

#include "edit/edit_messages.h"
#include "edit/item_dialog_kind.h"
#include "edit/item_edit.h"
#include "edit/item_kind.h"
#include "engine/engine.h"
#include "engine/priorities.h"
#include "store/act_flags.h"
#include "store/priority_index.h"
#include "store/schedule.h"
#include "store/terminal.h"

namespace ploven {

namespace t = edit_text;

namespace {

constexpr uint16_t kMemoKinds = ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY;
constexpr uint16_t kAppointmentKinds = ACT_APPOINTMENT | ACT_APPOINTMENT_ALT;
constexpr uint16_t kMultiDayKinds = ACT_MULTIDAY | ACT_MULTIDAY_ALT;
constexpr uint8_t kFirstTier = 'A';
constexpr uint8_t kLastTier = 'Z';
constexpr TimeOfDay kFirstMinute = ClockTime(0, 0);
constexpr TimeOfDay kLastMinute = ClockTime(23, 59);
constexpr char kPrivateMark = '!';

bool IsMemo(const ItemDraft& d) { return (d.act.typeFlags & kMemoKinds) != 0 || d.Has(AF_HOPE); }

// The kinds that stand on their own dates and cannot float. (Kind 0 is an ordinary Light Mode
// item as often as a cash transaction, so it may.)
bool CannotFloat(const ItemDraft& d) {
  return IsMemo(d) || (d.act.typeFlags & kMultiDayKinds) != 0;
}

void Toggle(ItemDraft& d, uint32_t flag) { d.Set(flag, !d.Has(flag)); }

// The time the item gets when it is pinned: its own Set Start Time, else where it stands.
std::optional<TimeOfDay> PinTime(const ItemDraft& d, TimeOfDay placedAt) {
  if (d.act.startTime != kNoTime) return d.act.startTime;
  if (placedAt != kNoTime) return placedAt;
  return std::nullopt;
}

std::string ChangePriority(ItemDraft& d, bool raise, int tierCount, int tierAboveCount) {
  if (!d.flexible()) return t::kQuickNoPriority;
  Act& a = d.act;
  if (a.tier == 0) a.tier = kFirstTier;
  const int rank = d.rank > 0 ? d.rank : tierCount;
  if (raise) {
    if (rank > 1) {
      d.rank = rank - 1;
    } else if (a.tier > kFirstTier) {
      a.tier = static_cast<uint8_t>(a.tier - 1);
      d.rank = tierAboveCount + 1;  // the end of the tier above
    } else {
      return t::kQuickTopPriority;
    }
  } else {
    if (rank < tierCount) {
      d.rank = rank + 1;
    } else if (a.tier < kLastTier) {
      a.tier = static_cast<uint8_t>(a.tier + 1);
      d.rank = 1;
    } else {
      return t::kQuickBottomPriority;
    }
  }
  return {};
}

std::string StepStart(ItemDraft& d, int minutes) {
  Act& a = d.act;
  if (a.startTime == kNoTime || !d.Has(AF_FIXED)) return t::kQuickNoStartTime;
  const int moved = std::clamp(a.startTime + minutes, int{kFirstMinute}, int{kLastMinute});
  if (moved == a.startTime) return minutes < 0 ? t::kQuickStartAtMidnight : t::kQuickStartAtDayEnd;
  a.startTime = static_cast<TimeOfDay>(moved);
  return {};
}

std::string StepDuration(ItemDraft& d, int minutes) {
  Act& a = d.act;
  if (IsMemo(d)) return t::kQuickMemoNoDuration;
  const int step = std::abs(minutes);
  const int changed = minutes < 0 ? std::max(a.duration + minutes, step)
                                  : std::min(a.duration + minutes, int{kMaxItemDuration});
  if (changed == a.duration) return minutes < 0 ? t::kQuickShortest : t::kQuickLongest;
  a.duration = static_cast<Duration>(changed);
  return {};
}

}  // namespace

std::string ChangeDraft(ItemDraft& d, QuickChange change, TimeOfDay placedAt, int stepMinutes,
                        int tierCount, int tierAboveCount) {
  Act& a = d.act;
  switch (change) {
    case QuickChange::kFlexibleDate:
      if (d.flexible()) {
        d.Set(AF_FLEXIBLE | AF_SPLIT | AF_SEQUENCED, false);
        return {};
      }
      if (CannotFloat(d)) return t::kQuickCannotFloat;
      if (a.typeFlags & kAppointmentKinds) ChangeItemKind(d, ACT_ITEM);
      d.Set(AF_FLEXIBLE, true);
      d.Set(AF_FIXED, false);
      a.startTime = kNoTime;
      return {};
    case QuickChange::kAppointment:
      if (a.typeFlags & kAppointmentKinds) {
        ChangeItemKind(d, ACT_ITEM);
        a.startTime = kNoTime;
        return {};
      }
      if (IsMemo(d) || (a.typeFlags & kMultiDayKinds)) return t::kQuickNotForMemo;
      if (const auto at = PinTime(d, placedAt)) {
        ChangeItemKind(d, ACT_APPOINTMENT);
        a.startTime = *at;
        return {};
      }
      return t::kQuickNoPlace;
    case QuickChange::kScheduled:
      if (d.Has(AF_FIXED)) {
        if (a.typeFlags & kAppointmentKinds) ChangeItemKind(d, ACT_ITEM);
        d.Set(AF_FIXED, false);
        a.startTime = kNoTime;
        return {};
      }
      if (IsMemo(d)) return t::kQuickNotForMemo;
      if (const auto at = PinTime(d, placedAt)) {
        d.Set(AF_FLEXIBLE | AF_SPLIT | AF_SEQUENCED, false);
        d.Set(AF_FIXED, true);
        a.startTime = *at;
        return {};
      }
      return t::kQuickNoPlace;
    case QuickChange::kUnderscore:
      Toggle(d, AF_UNDERSCORED);
      return {};
    case QuickChange::kPrivate:
      if (!d.title.empty() && d.title.front() == kPrivateMark)
        d.title.erase(0, 1);
      else
        d.title.insert(d.title.begin(), kPrivateMark);
      return {};
    case QuickChange::kSequenced:
      if (!d.flexible()) return t::kQuickSequencedFlexibleOnly;
      Toggle(d, AF_SEQUENCED);
      return {};
    case QuickChange::kHideUntilStartable:
      Toggle(d, AF_HIDE);
      return {};
    case QuickChange::kSplittable:
      if (!d.flexible()) return t::kQuickSplitFlexibleOnly;
      if (d.recurrence) return t::kQuickSplitNotRecurring;
      Toggle(d, AF_SPLIT);
      return {};
    case QuickChange::kRaisePriority:
    case QuickChange::kLowerPriority:
      return ChangePriority(d, change == QuickChange::kRaisePriority, tierCount, tierAboveCount);
    case QuickChange::kEarlierStart:
      return StepStart(d, -stepMinutes);
    case QuickChange::kLaterStart:
      return StepStart(d, stepMinutes);
    case QuickChange::kShorter:
      return StepDuration(d, -stepMinutes);
    case QuickChange::kLonger:
      return StepDuration(d, stepMinutes);
  }
  return {};
}

namespace {

std::optional<ItemEditSession> OpenForChange(Engine& engine, Recurrences* recurrences,
                                             QuickTarget target, std::string& refusal) {
  Schedule& s = engine.schedule();
  const ActHandle h = target.task != nullptr ? target.task->act : target.item;
  if (h == kNoAct || !s.IsActValid(h)) {
    refusal = t::kNothingToModify;
    return std::nullopt;
  }
  const uint32_t flags = s.ActFlags(h);
  if (flags & AF_DONE) {
    refusal = t::kQuickDoneItem;
    return std::nullopt;
  }
  if (s.ReadAct(h).typeFlags & ACT_PROJECT) {
    refusal = t::kQuickProject;
    return std::nullopt;
  }
  ItemEditRequest request;
  request.command = kCmdModifyItem;
  request.task = target.task;
  request.item = target.task != nullptr ? kNoAct : target.item;
  request.date = target.task != nullptr ? s.FindTaskDay(target.task) : s.GetActDate(h);
  return OpenItemEdit(engine, recurrences, request);
}

QuickChangeResult Confirm(Engine& engine, Recurrences* recurrences, ItemEditSession& ses) {
  ItemEditHooks hooks;
  hooks.interactive = false;
  const ConfirmResult r = ConfirmItemEdit(engine, recurrences, ses, hooks);
  QuickChangeResult result;
  result.applied = r.outcome == ConfirmOutcome::kApplied;
  result.item = r.item;
  return result;
}

}  // namespace

QuickChangeResult ApplyQuickChange(Engine& engine, Recurrences* recurrences, QuickTarget target,
                                   QuickChange change, int stepMinutes) {
  Schedule& s = engine.schedule();
  QuickChangeResult result;
  std::optional<ItemEditSession> ses = OpenForChange(engine, recurrences, target, result.refusal);
  if (!ses) return result;
  ItemDraft& d = ses->draft;

  const TimeOfDay placedAt = target.task != nullptr ? target.task->StartTime() : kNoTime;
  const uint8_t tier = d.act.tier == 0 ? kFirstTier : d.act.tier;
  const PriorityIndex& index = s.priorityIndex();
  const int tierCount = index.TierCount(tier);
  const int tierAboveCount =
      tier > kFirstTier ? index.TierCount(static_cast<uint8_t>(tier - 1)) : 0;

  if (change == QuickChange::kSequenced && !d.Has(AF_SEQUENCED) && d.flexible() &&
      index.ItemRankedBefore(ses->item) == kNoAct) {
    result.refusal = t::kQuickNothingToFollow;
    return result;
  }
  if (change == QuickChange::kFlexibleDate && d.flexible()) {
    // Leaving Flexible Date asks what the Set Date button asks.
    SetDateChosen(*ses, s.messages());
    d.Set(AF_FLEXIBLE | AF_SPLIT | AF_SEQUENCED, false);
  } else {
    result.refusal = ChangeDraft(d, change, placedAt, stepMinutes, tierCount, tierAboveCount);
    if (!result.refusal.empty()) return result;
  }
  return Confirm(engine, recurrences, *ses);
}

QuickChangeResult SetItemLabel(Engine& engine, Recurrences* recurrences, QuickTarget target,
                               int label) {
  QuickChangeResult result;
  std::optional<ItemEditSession> ses = OpenForChange(engine, recurrences, target, result.refusal);
  if (!ses) return result;
  if (label < 0 || label > kLastLabel) {
    result.refusal = t::kQuickBadLabel;
    return result;
  }
  ses->draft.act.label = static_cast<uint8_t>(label);
  return Confirm(engine, recurrences, *ses);
}

QuickChangeResult AppendToTitle(Engine& engine, Recurrences* recurrences, QuickTarget target,
                                const std::string& text) {
  QuickChangeResult result;
  std::optional<ItemEditSession> ses = OpenForChange(engine, recurrences, target, result.refusal);
  if (!ses) return result;
  std::string& title = ses->draft.title;
  if (!title.empty() && title.back() != ' ') title += ' ';
  title += text;
  // A title too long is refused by the confirmation, which says so.
  return Confirm(engine, recurrences, *ses);
}

}  // namespace ploven
