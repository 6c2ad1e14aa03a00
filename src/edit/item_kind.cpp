#include "edit/item_kind.h"

#include "store/act_flags.h"

namespace ploven {
namespace {

constexpr uint16_t kMemoKinds = ACT_MEMO | ACT_BIRTHDAY | ACT_ANNIVERSARY | ACT_WORK_HOLIDAY;
constexpr uint16_t kAppointmentKinds = ACT_APPOINTMENT | ACT_APPOINTMENT_ALT;
constexpr uint16_t kMultiDayKinds = ACT_MULTIDAY | ACT_MULTIDAY_ALT;
// What an item takes when it has no duration of its own.
constexpr Duration kItemDuration = 30;

}  // namespace

bool IsChangeableKind(uint16_t typeFlags) {
  const bool oneKind = typeFlags != 0 && (typeFlags & (typeFlags - 1)) == 0;
  return oneKind && (typeFlags & (ACT_ITEM | kMemoKinds | kAppointmentKinds | kMultiDayKinds)) != 0;
}

void ChangeItemKind(ItemDraft& d, uint16_t kind) {
  const uint16_t was = d.act.typeFlags;
  d.act.typeFlags = kind;
  if (kind & kMemoKinds) {
    d.Set(AF_HOPE, true);
    d.Set(AF_FLEXIBLE | AF_SPLIT | AF_FIXED | AF_SEQUENCED, false);
    d.act.duration = 0;
    d.act.startTime = kNoTime;
    // On a memo the Offer To Clone bit is the Work Holiday check box.
    d.Set(AF_WORK_HOLIDAY, kind == ACT_WORK_HOLIDAY);
    return;
  }
  if (was & kMemoKinds) {
    d.Set(AF_HOPE, false);
    if (was == ACT_WORK_HOLIDAY) d.Set(AF_CLONE_ON_DONE, false);
  }
  if ((was & kAppointmentKinds) && !(kind & kAppointmentKinds)) d.Set(AF_FIXED, false);
  if (kind & kAppointmentKinds) {
    d.Set(AF_FIXED, true);
    d.Set(AF_FLEXIBLE | AF_SPLIT | AF_HOPE | AF_SEQUENCED, false);
  } else if (kind & kMultiDayKinds) {
    d.Set(AF_FLEXIBLE | AF_SPLIT | AF_SEQUENCED, false);
    // The last day of the event: without one it ends on the day it begins.
    if (d.act.deadlineDate == kNoDate || d.act.deadlineDate < d.date) d.act.deadlineDate = d.date;
  }
  if (d.act.duration == 0 && !d.Has(AF_HOPE)) d.act.duration = kItemDuration;
}

}  // namespace ploven
