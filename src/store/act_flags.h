#pragma once

#include <cstdint>

namespace ploven {

// Item flags (Act::flags).
enum ActFlag : uint32_t {
  AF_SPLIT = 0x1,
  AF_TAGGED = 0x2,          // projects only: counted by the tagged-projects reports
  AF_PROJECT_LOADING = 0x4,  // projects only: a mark of the loader, cleared as a file is read
  AF_HAS_NOTE = 0x8,         // the item's note file exists
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
  AF_KEEP_IN_PLACE = 0x10000,  // Balance Day neither moves nor swaps the item
  AF_ALSO_DIAL = 0x40000,      // the alarm is also forwarded to the Also Dial number
  AF_DIALOG_BOX_1 = 0x80000,   // carried unchanged for the item dialog
  AF_DIALOG_BOX_2 = 0x400000,  // carried unchanged for the item dialog
  AF_SEQUENCED = 0x800000,
  AF_MARK1 = 0x1000000,
  AF_MARK2 = 0x2000000,
  AF_HIDE = 0x4000000,
  AF_REMINDER_DAYS = 0x8000000,  // set while reminderDays is not 0 (Daily Reminders)
  AF_FROM_OUTSIDE = 0x10000000,  // arrived from another program or file (import, Paste)
  AF_WORK_HOURS = 0x20000000,
  AF_AFTER_HOURS = 0x40000000,
  AF_NO_RUNNING_END = 0x80000000,  // later items of the day may overlap the item
};

// The flags an edited occurrence must share with its recurring definition to count as a
// plain occurrence again.
inline constexpr uint32_t kOccurrenceIdentityFlags =
    AF_HAS_NOTE | AF_CLONE_ON_DONE | AF_FLEXIBLE | AF_STARTED | AF_HOPE | AF_DONE | AF_FIXED |
    AF_UNDERSCORED | AF_ALARM | AF_ALARM_AT_BEGIN | AF_ALARM_AT_END | AF_ALSO_DIAL |
    AF_REMINDER_DAYS | AF_WORK_HOURS | AF_AFTER_HOURS;
static_assert(kOccurrenceIdentityFlags == 0x6804F3F8u);

inline constexpr uint32_t AF_WORK_HOLIDAY = AF_CLONE_ON_DONE;

// Two bits say more about an item once it is done. A done item without a Began time has the
// memo bit: like a memo it lines up at the top of its day, and its log line has no start.
inline constexpr uint32_t AF_DONE_HAS_NOTE = AF_HAS_NOTE;  // the log line carries its number
inline constexpr uint32_t AF_DONE_NO_BEGAN = AF_HOPE;

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
