#pragma once

#include <cstdint>
#include <string>

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

// The commands that open the dialog.
inline constexpr int kCmdModifyItem = 19;
inline constexpr int kCmdNewItemPreferences = 61;
inline constexpr int kCmdModifyAllRecurrences = 351;
inline constexpr int kCmdNewItemLight = 648;
inline constexpr int kCmdNewAppointment = 649;
inline constexpr int kCmdAppointmentForm = 650;
inline constexpr int kCmdNewMultiDayEvent = 651;
inline constexpr int kCmdNewMemo = 652;
inline constexpr int kCmdNewBirthdayMemo = 653;
inline constexpr int kCmdNewAnniversaryMemo = 654;
inline constexpr int kCmdNewWorkHolidayMemo = 655;
inline constexpr int kCmdMultiDayEventForm = 656;
inline constexpr int kCmdNewProject = 662;
inline constexpr int kCmdModifyMemoAsSetDate = 665;
inline constexpr int kCmdCashTransaction = 681;
inline constexpr int kCmdNewItem = 978;

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
