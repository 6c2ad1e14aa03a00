#pragma once

#include <cstdint>

#include "edit/item_edit.h"

namespace ploven {

// The kinds an existing item can be changed to: an item, an appointment, a multi-day event, or
// one of the memo kinds.
bool IsChangeableKind(uint16_t typeFlags);

// Changes the working copy of an existing item to another kind, with what that kind's New
// command gives: a memo lines up at the top of its day and takes no time, an appointment stands
// at its Set Start Time on its Set Date, a multi-day event runs from its date to its deadline.
// An item leaving the memo kinds becomes an ordinary item of the same date (as Modify Memo as
// if Set Date Item makes it), and one leaving the appointments is no longer pinned to its time.
void ChangeItemKind(ItemDraft& draft, uint16_t typeFlags);

}  // namespace ploven
