#pragma once

#include <cstdint>

namespace ploven {

// Item flags (Act::flags).
enum ActFlag : uint32_t {
  AF_SPLIT = 0x1,
  AF_TAGGED = 0x2,          // projects only: counted by the tagged-projects reports
  AF_HAS_NOTE = 0x8,        // the note file exists (kept up to date when a note is saved)
  AF_CLONE_ON_DONE = 0x10,  // on memo items: Work Holiday
  AF_FLEXIBLE = 0x20,       // clear = Set Date
  AF_STARTED = 0x40,
  AF_HOPE = 0x80,           // "Memo?Hold?": the duration counts as zero
  AF_DONE = 0x100,
  AF_FIXED = 0x200,
  AF_BETA = 0x400,          // a recurring-item definition
  AF_DRONE = 0x800,         // an edited instance of a recurring item
  AF_UNDERSCORED = 0x1000,
  AF_ALARM = 0x2000,
  AF_ALARM_AT_BEGIN = 0x4000,  // the alarm's offset counts from the item's begin ...
  AF_ALARM_AT_END = 0x8000,    // ... or from the end of its planned duration
  AF_ALSO_DIAL = 0x40000,      // the alarm is also forwarded to the Also Dial number
  AF_DIALOG_BOX_1 = 0x80000,   // carried unchanged for the item dialog
  AF_DIALOG_BOX_2 = 0x400000,  // carried unchanged for the item dialog
  AF_SEQUENCED = 0x800000,
  AF_MARK1 = 0x1000000,
  AF_MARK2 = 0x2000000,
  AF_HIDE = 0x4000000,
  AF_REMINDER_DAYS = 0x8000000,  // set while reminderDays is not 0 (Daily Reminders)
  AF_WORK_HOURS = 0x20000000,
  AF_AFTER_HOURS = 0x40000000,
};

inline constexpr uint32_t AF_WORK_HOLIDAY = AF_CLONE_ON_DONE;

// Kinds of item (Act::typeFlags). 0 is an ordinary Light Mode item or a cash transaction.
enum ActType : uint16_t {
  ACT_ITEM = 0x4000,
  ACT_APPOINTMENT = 0x8000,
  ACT_APPOINTMENT_ALT = 0x2000,
  ACT_MULTIDAY = 0x80,
  ACT_MULTIDAY_ALT = 0x8,
  ACT_MEMO = 0x200,
  ACT_BIRTHDAY = 0x40,
  ACT_ANNIVERSARY = 0x20,
  ACT_WORK_HOLIDAY = 0x10,
  ACT_PROJECT = 0x400,
};

}  // namespace ploven
