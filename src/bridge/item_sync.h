#pragma once

#include <string_view>

#include "bridge/bridge_senders.h"
#include "bridge/item_records.h"

namespace ploven {

// What the calendar hears of one change to an item: the record is made and sent in one step.
// Nothing is made while the switches keep the calendar out of it.

// A new item, in its chosen form; an item with a fixed start but no start time does not travel.
SendResult SendNewItemToCalendar(BridgeSenders& senders, Schedule& s, const Occurrence& o,
                                 const RecordContext& context);
// An item changed in its dialog; `oldTitle` is its title before the change. An item that cannot
// travel any more is told.
SendResult SendChangedItemToCalendar(BridgeSenders& senders, Schedule& s, std::string_view oldTitle,
                                     const Occurrence& o, const RecordContext& context);
// An item or one occurrence of it, about to be deleted.
SendResult SendDeletedItemToCalendar(BridgeSenders& senders, Schedule& s, ActHandle item,
                                     DayNumber occurrenceDate);
// An item or occurrence just marked done, or undone.
SendResult SendDoneItemToCalendar(BridgeSenders& senders, Schedule& s, ActHandle item,
                                  DayNumber occurrenceDate, bool done);

}  // namespace ploven
