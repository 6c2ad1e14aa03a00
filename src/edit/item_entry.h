#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/act_handle.h"
#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

class Engine;
class Recurrences;
struct ItemLine;

// A new item as a front end without the item dialog describes it: plovenctl's `add`, Paste,
// the import-once files, the sample schedule. What it leaves out comes from the New Item
// Preferences, as when the dialog opens.
struct NewItemRequest {
  std::string title;
  std::optional<DayNumber> date;  // the Set Date (today when absent); a flexible item's day
  std::optional<TimeOfDay> start;
  std::optional<Duration> duration;
  std::optional<DayNumber> earliest;  // Earliest Begin and Deadline: a flexible item's dates
  std::optional<DayNumber> deadline;
  std::optional<TimeOfDay> earliestTime;
  std::optional<TimeOfDay> latestTime;
  // The kind: an appointment (Set Date and Set Start Time), a memo, a flexible item; none of
  // them is an item on its Set Date.
  bool fixed = false;
  bool memo = false;
  bool flexible = false;
  bool split = false;
  uint8_t weekdays = 0;  // Sunday first; 0 = as the preferences say
  uint8_t tier = 0;      // 'A'..'Z'; 0 = as the preferences say
  int rank = 0;          // 0 = the end of the tier
  uint32_t projectID = 0;
  // A recurring item: its rule, with the Start Date (0 = the item's date) and End Date.
  std::optional<Beta> recurrence;
  // Asked what the dialog's OK asks besides its checks (an alarm for a Set Start Time, each
  // conflict) and told of the Balance All Days a Splittable item starts. Paste, the import
  // files and the sample schedule are not: nobody pressed OK.
  bool interactive = true;
};

// The New Item command without the dialog: the working copy is opened for the kind, filled
// from the request, and confirmed as OK confirms it (the checks, told, refuse and make
// nothing; the Duration and Recurring rules; Apply and the planning). Every question takes the
// answer the screen gives it (plovenctl: the default button). kNoAct when nothing was made.
ActHandle EnterNewItem(Engine& engine, Recurrences* recurrences, const NewItemRequest& request);

// The request an item line makes (file/item_line.h): a Set Start Time is an appointment,
// "memo" a memo, anything else a flexible item; on its own date, or on `date`.
NewItemRequest RequestOfLine(const ItemLine& line, DayNumber date);

// Paste and the import-once files: the line's item, made as above without questions, and
// marked as one from outside (AF_FROM_OUTSIDE).
ActHandle EnterItemLine(Engine& engine, Recurrences* recurrences, const ItemLine& line,
                        DayNumber date);

}  // namespace ploven
