#include "edit/item_form.h"

#include "store/act_flags.h"

namespace ploven {

ItemFormFields ItemFormFields::For(ItemTemplate form, uint16_t typeFlags) {
  ItemFormFields c;
  switch (form) {
    case ItemTemplate::kGeneral:
    case ItemTemplate::kProject:
      c.setFlexible = c.earliestDeadline = c.startTime = c.duration = c.splittable = true;
      c.fluid = c.days = c.hide = c.tier = c.rank = c.expectedReturn = c.prereq = true;
      c.recurring = c.instances = c.cloneOnDone = c.project = c.label = c.jobNumber = true;
      c.underscored = c.hope = c.alarm = c.note = true;
      break;
    case ItemTemplate::kAppointment:
      c.startTime = c.duration = c.alarm = c.project = c.label = true;
      c.recurring = c.instances = true;
      break;
    case ItemTemplate::kMemo:
      c.alarm = c.project = c.label = c.recurring = c.instances = true;
      break;
    case ItemTemplate::kSpecialMemo:
      // A work holiday has no years to count.
      c.firstYear = (typeFlags & (ACT_BIRTHDAY | ACT_ANNIVERSARY)) != 0;
      c.reminderDays = c.alarm = c.recurring = c.instances = true;
      break;
    case ItemTemplate::kMultiDayEvent:
      c.endDate = c.project = true;
      break;
    case ItemTemplate::kCash:
      c.amount = c.project = true;
      break;
    case ItemTemplate::kLite:
      c.setFlexible = c.startTime = c.duration = c.splittable = c.tier = c.recurring = true;
      break;
  }
  return c;
}

ItemFieldStates ItemFieldStates::Of(const ItemEditSession& session, bool recurrencesAvailable) {
  const ItemDraft& d = session.draft;
  const bool instance = session.definition != kNoAct && session.mode == ItemDialogMode::kModify;
  ItemFieldStates s;
  s.dateWindow = d.flexible();
  s.fluidTime = d.act.startTime == kNoTime;
  s.flexibleOnly = d.flexible();
  s.splittable = !d.recurrence.has_value() || d.Has(AF_SPLIT);
  s.instanceChoice = instance;
  s.stepping = instance && !session.modifyEveryInstance && recurrencesAvailable;
  s.deleteInstance = instance && recurrencesAvailable;
  return s;
}

}  // namespace ploven
