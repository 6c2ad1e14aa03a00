#pragma once

#include "file/undelete.h"
#include "recur/recurrences.h"

namespace ploven {

enum class DeleteScope {
  kChosen,          // Delete Item: the item, or the one occurrence chosen
  kAllRecurrences,  // Delete All Recurrences: a recurring item with every occurrence
};

// What a delete took.
enum class DeleteOutcome {
  kNothing,           // a recurring item chosen in a list: only Delete All Recurrences takes it
  kItem,              // an item of its own
  kSeries,            // a recurring item with every occurrence
  kOccurrence,        // one unedited occurrence: its date keeps a cancellation
  kEditedOccurrence,  // one edited occurrence: its exception becomes a cancellation
};

// Delete Item and Delete All Recurrences on the chosen item and, when it was chosen in a day
// view, its task there (null when chosen in a list). What goes is kept on `undelete` first.
// The schedule is marked changed.
DeleteOutcome DeleteChosenItem(Recurrences& r, UndeleteStack& undelete, ActHandle item,
                               TaskNode* task, DeleteScope scope);

}  // namespace ploven
