#pragma once

#include <utility>
#include <vector>

#include "printouts/compose_printout.h"
#include "printouts/printout_request.h"

namespace ploven {

class NoteFiles;

// An item and the day it is shown on (kNoDate for a list).
using ShownItem = std::pair<ActHandle, DayNumber>;

// The items on the days from `from` to `to` that the printout filter lets through, in the
// days' order.
std::vector<ShownItem> ItemsOnDays(Schedule& s, DayNumber from, DayNumber to,
                                   const PrintoutFilter& hidden);

// The notes of the items, each once, under the item's title and date. Items without a note
// and notes that cannot be read are left out.
std::vector<PrintNote> NotesToPrint(const PrintSource& source, NoteFiles& notes,
                                    const std::vector<ShownItem>& items);

}  // namespace ploven
