#pragma once

#include "recur/recurrences.h"

namespace ploven {

// How an occurrence of a recurring item is duplicated (the user is asked); any other item is
// duplicated as one item.
enum class DuplicateAs {
  kOneItem,  // an item of its own, not recurring
  kSeries,   // a new recurring item with the same title and rule
};

// Duplicate Selected Item. As one item: a new item with the chosen item's fields, neither done
// nor started, not recurring, with an ID of its own, on the date of the chosen task, or on
// `date` when the item was chosen in a list; a copy of an occurrence takes the occurrence's
// title. A fluid copy is planned at once. As a series: a copy of the recurring item the chosen
// occurrence belongs to. The new item, or kNoAct when none was made.
ActHandle DuplicateItem(Recurrences& r, ActHandle item, TaskNode* task, DayNumber date,
                        DuplicateAs as);

}  // namespace ploven
