#include "edit/item_dialog_kind.h"

#include "edit/edit_messages.h"
#include "platform/format.h"
#include "store/act_flags.h"

namespace ploven {

namespace t = edit_text;

const char* TemplateName(ItemTemplate form) {
  switch (form) {
    case ItemTemplate::kLite: return "ITEM--LITE";
    case ItemTemplate::kGeneral: return "ItemPropertiesBox";
    case ItemTemplate::kAppointment: return "ItemAppointment";
    case ItemTemplate::kMultiDayEvent: return "Item--MultiDayEvent";
    case ItemTemplate::kMemo: return "Item--Memo";
    case ItemTemplate::kSpecialMemo: return "ITEM--WORKHOLIDAYMEMO";
    case ItemTemplate::kProject: return "ProjectProperties";
    case ItemTemplate::kCash: return "Item--Cash";
  }
  return "ItemPropertiesBox";
}

uint16_t NewItemTypeFlags(int command) {
  switch (command) {
    case kCmdNewItem:
    case kCmdNewItemLight: return ACT_ITEM;
    case kCmdNewAppointment: return ACT_APPOINTMENT;
    case kCmdAppointmentForm: return ACT_APPOINTMENT_ALT;
    case kCmdNewMultiDayEvent: return ACT_MULTIDAY;
    case kCmdMultiDayEventForm: return ACT_MULTIDAY_ALT;
    case kCmdNewMemo: return ACT_MEMO;
    case kCmdNewBirthdayMemo: return ACT_BIRTHDAY;
    case kCmdNewAnniversaryMemo: return ACT_ANNIVERSARY;
    case kCmdNewWorkHolidayMemo: return ACT_WORK_HOLIDAY;
    case kCmdNewProject: return ACT_PROJECT;
    default: return 0;
  }
}

int CommandForKind(uint16_t typeFlags) {
  if (typeFlags & ACT_PROJECT) return kCmdNewProject;
  if (typeFlags & ACT_BIRTHDAY) return kCmdNewBirthdayMemo;
  if (typeFlags & ACT_ANNIVERSARY) return kCmdNewAnniversaryMemo;
  if (typeFlags & ACT_WORK_HOLIDAY) return kCmdNewWorkHolidayMemo;
  if (typeFlags & ACT_MEMO) return kCmdNewMemo;
  if (typeFlags & ACT_APPOINTMENT) return kCmdNewAppointment;
  if (typeFlags & ACT_APPOINTMENT_ALT) return kCmdAppointmentForm;
  if (typeFlags & ACT_MULTIDAY) return kCmdNewMultiDayEvent;
  if (typeFlags & ACT_MULTIDAY_ALT) return kCmdMultiDayEventForm;
  if (typeFlags & ACT_ITEM) return kCmdNewItem;
  return kCmdCashTransaction;
}

ItemDialogMode ModeForCommand(int command) {
  switch (command) {
    case kCmdModifyItem: return ItemDialogMode::kModify;
    case kCmdModifyAllRecurrences: return ItemDialogMode::kModifyAllRecurrences;
    case kCmdModifyMemoAsSetDate: return ItemDialogMode::kModifyMemoAsSetDate;
    case kCmdNewItemPreferences: return ItemDialogMode::kPreferences;
    default: return ItemDialogMode::kNew;
  }
}

namespace {

ItemTemplate FormOfCommand(int command) {
  switch (command) {
    case kCmdNewAppointment:
    case kCmdAppointmentForm: return ItemTemplate::kAppointment;
    case kCmdNewMultiDayEvent:
    case kCmdMultiDayEventForm: return ItemTemplate::kMultiDayEvent;
    case kCmdNewMemo: return ItemTemplate::kMemo;
    case kCmdNewBirthdayMemo:
    case kCmdNewAnniversaryMemo:
    case kCmdNewWorkHolidayMemo: return ItemTemplate::kSpecialMemo;
    case kCmdNewProject: return ItemTemplate::kProject;
    case kCmdCashTransaction: return ItemTemplate::kCash;
    default: return ItemTemplate::kGeneral;
  }
}

}  // namespace

ItemTemplate TemplateFor(int command, ItemDialogMode mode, uint16_t typeFlags, bool lightMode) {
  if (lightMode) return ItemTemplate::kLite;
  switch (mode) {
    case ItemDialogMode::kNew: return FormOfCommand(command);
    case ItemDialogMode::kPreferences:
    case ItemDialogMode::kModifyMemoAsSetDate: return ItemTemplate::kGeneral;
    case ItemDialogMode::kModify:
    case ItemDialogMode::kModifyAllRecurrences: break;
  }
  // Appointments and multi-day events being changed get every field of the general form.
  if (typeFlags & (ACT_APPOINTMENT | ACT_MULTIDAY)) return ItemTemplate::kGeneral;
  return FormOfCommand(CommandForKind(typeFlags));
}

std::string HelpTopicFor(ItemDialogMode mode, uint16_t typeFlags) {
  if (mode == ItemDialogMode::kPreferences) return "NewItemPreferences.htm";
  switch (CommandForKind(typeFlags)) {
    case kCmdNewProject: return "NewProject.htm";
    case kCmdNewBirthdayMemo: return "NewBirthdayMemoItem.htm";
    case kCmdNewAnniversaryMemo: return "NewAnniversaryMemoItem.htm";
    case kCmdNewWorkHolidayMemo: return "NewWorkHolidayMemoItem.htm";
    case kCmdNewMemo:
      return mode == ItemDialogMode::kNew ? "NewMemoItem.htm" : "ModifyItem.htm";
    case kCmdNewAppointment:
    case kCmdAppointmentForm:
      return mode == ItemDialogMode::kNew ? "Appointment.htm" : "ModifyItem.htm";
    case kCmdNewMultiDayEvent:
    case kCmdMultiDayEventForm:
      return mode == ItemDialogMode::kNew ? "NewMultiDayEventItem.htm" : "ModifyItem.htm";
    default: return mode == ItemDialogMode::kNew ? "NewItem.htm" : "ModifyItem.htm";
  }
}

std::string CreationStamp(DayNumber created, TimeOfDay createdTime, DayNumber today,
                          const DateText& text) {
  const std::string time = FormatTime(createdTime, text);
  if (created == today) return Sprintf(t::kStampToday, time.c_str());
  if (created + 1 == today) return Sprintf(t::kStampYesterday, time.c_str());
  return Sprintf(t::kStampDaysAgo, FormatDate(created, text).c_str(),
                 static_cast<int>(today - created));
}

namespace {

const char* NewCaption(ItemTemplate form, uint16_t typeFlags) {
  switch (form) {
    case ItemTemplate::kAppointment: return t::kNewAppointmentCaption;
    case ItemTemplate::kMultiDayEvent: return t::kNewMultiDayCaption;
    case ItemTemplate::kMemo: return t::kNewMemoCaption;
    case ItemTemplate::kSpecialMemo:
      if (typeFlags & ACT_BIRTHDAY) return t::kNewBirthdayCaption;
      if (typeFlags & ACT_ANNIVERSARY) return t::kNewAnniversaryCaption;
      return t::kNewWorkHolidayCaption;
    case ItemTemplate::kProject: return t::kNewProjectCaption;
    case ItemTemplate::kCash: return t::kCashCaption;
    case ItemTemplate::kLite:
    case ItemTemplate::kGeneral: break;
  }
  return t::kNewItemCaption;
}

}  // namespace

std::string ItemDialogTitle(const ItemDialogTitleInput& in, const DateText& text) {
  const std::string stamp = CreationStamp(in.createdDate, in.createdTime, in.today, text);
  switch (in.mode) {
    case ItemDialogMode::kNew: return NewCaption(in.form, in.typeFlags);
    case ItemDialogMode::kPreferences: return t::kPreferencesTitle;
    case ItemDialogMode::kModifyAllRecurrences: return Sprintf(t::kModifyAllTitle, stamp.c_str());
    case ItemDialogMode::kModify:
    case ItemDialogMode::kModifyMemoAsSetDate: break;
  }
  if (in.exceptionOriginalDate != kNoDate)
    return Sprintf(t::kExceptionTitle, FormatDate(in.exceptionOriginalDate, text).c_str());
  const char* kind = (in.typeFlags & ACT_PROJECT) ? t::kKindProject : t::kKindItem;
  return Sprintf(t::kModifyTitle, kind, stamp.c_str());
}

}  // namespace ploven
