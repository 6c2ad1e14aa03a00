#pragma once

#include <cstdint>
#include <string>

#include "platform/commands.h"
#include "store/date_format.h"
#include "store/date_types.h"

namespace ploven {

// The forms of the item properties dialog.
enum class ItemTemplate {
  kLite,           // "ITEM--LITE": every kind in Light Mode
  kGeneral,        // "ItemPropertiesBox"
  kAppointment,    // "ItemAppointment"
  kMultiDayEvent,  // "Item--MultiDayEvent"
  kMemo,           // "Item--Memo"
  kSpecialMemo,    // "ITEM--WORKHOLIDAYMEMO": birthday, anniversary and work holiday memos
  kProject,        // "ProjectProperties"
  kCash,           // "Item--Cash"
};

enum class ItemDialogMode {
  kNew,
  kModify,
  kModifyAllRecurrences,
  kModifyMemoAsSetDate,
  kPreferences,  // New Item Preferences: edits the values new items start with
};

// The commands that open the dialog, by their numbers (the names are platform/commands.h's).
inline constexpr int kCmdModifyItem = CommandNumber(Command::kModifyItem);
inline constexpr int kCmdNewItemPreferences = CommandNumber(Command::kNewItemPreferences);
inline constexpr int kCmdModifyAllRecurrences = CommandNumber(Command::kModifyAllRecurrences);
inline constexpr int kCmdNewItemLight = CommandNumber(Command::kNewItemLight);
inline constexpr int kCmdNewAppointment = CommandNumber(Command::kNewAppointment);
inline constexpr int kCmdAppointmentForm = CommandNumber(Command::kAppointmentForm);
inline constexpr int kCmdNewMultiDayEvent = CommandNumber(Command::kNewMultiDayEvent);
inline constexpr int kCmdNewMemo = CommandNumber(Command::kNewMemo);
inline constexpr int kCmdNewBirthdayMemo = CommandNumber(Command::kNewBirthdayMemo);
inline constexpr int kCmdNewAnniversaryMemo = CommandNumber(Command::kNewAnniversaryMemo);
inline constexpr int kCmdNewWorkHolidayMemo = CommandNumber(Command::kNewWorkHolidayMemo);
inline constexpr int kCmdMultiDayEventForm = CommandNumber(Command::kMultiDayEventForm);
inline constexpr int kCmdNewProject = CommandNumber(Command::kNewProject);
inline constexpr int kCmdModifyMemoAsSetDate = CommandNumber(Command::kModifyMemoAsSetDate);
inline constexpr int kCmdCashTransaction = CommandNumber(Command::kCashTransaction);
inline constexpr int kCmdNewItem = CommandNumber(Command::kNewItem);

// The template's own name ("ItemPropertiesBox", ...).
const char* TemplateName(ItemTemplate t);

// The kind a New command makes (its typeFlags); 0 for a command that makes none.
uint16_t NewItemTypeFlags(int command);
// The New command of an existing item's kind.
int CommandForKind(uint16_t typeFlags);
// The mode a command opens the dialog in.
ItemDialogMode ModeForCommand(int command);

// The form to open. `typeFlags` is the item's kind when one is modified.
ItemTemplate TemplateFor(int command, ItemDialogMode mode, uint16_t typeFlags, bool lightMode);

// The Help button's page.
std::string HelpTopicFor(ItemDialogMode mode, uint16_t typeFlags);

// "today 9:05", "yesterday 17:30" or "Mon 30-Nov-26 (9 days ago)".
std::string CreationStamp(DayNumber created, TimeOfDay createdTime, DayNumber today,
                          const DateText& text);

struct ItemDialogTitleInput {
  ItemDialogMode mode = ItemDialogMode::kNew;
  ItemTemplate form = ItemTemplate::kGeneral;
  uint16_t typeFlags = 0;
  DayNumber createdDate = kNoDate;
  TimeOfDay createdTime = kNoTime;
  DayNumber today = kNoDate;
  // An edited instance of a recurring item: the date the instance was originally on.
  DayNumber exceptionOriginalDate = kNoDate;
};

// The dialog's title bar.
std::string ItemDialogTitle(const ItemDialogTitleInput& in, const DateText& text);

}  // namespace ploven
