#pragma once

#include <string>

#include "store/beta_record.h"
#include "store/schedule.h"

namespace ploven {

// The calendar's code for how often a rule repeats: daily 0, weekly 1, monthly 2, yearly 5. A
// `freq` byte carrying a Bring Forward Action bit, or any other value, travels as its plain
// decimal value.
int CalendarFrequencyCode(uint8_t freq);

// The recurrence fields of a record, each followed by its TAB. `today` stands in for a rule
// without a Start Date (such a rule starts today).
std::string RecurrenceBlock(const Beta& rule, DayNumber today);
// The block of an item: "norecurring" for an item that is neither a recurring item nor an edited
// occurrence of one.
std::string RecurrenceBlockOf(const Schedule& s, ActHandle item);

}  // namespace ploven
