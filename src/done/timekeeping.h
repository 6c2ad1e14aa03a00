#pragma once

#include "engine/engine.h"

namespace ploven {

class Recurrences;

// The Advanced Timekeeping commands on the task of the view. Each one that marks an item done
// does what Done! does first (an unedited occurrence becomes an item of its own, the recurring
// item's last-done date rises) and then records the times the work really took. False (or
// kNoAct) when nothing changed: no task, a recurring definition, or an item done already.

// Done w/ Current End Time and Done w/ Earlier End Time: the item ended at `end`. It began at
// its start when that is earlier; an item planned to begin later took its planned length and
// began that long before `end`.
bool DoneEndingAt(Engine& engine, TaskNode* task, TimeOfDay end);

// Done & Fill Gap: the item fills the time from the end of the last done item before it on its
// day (or from its own start when there is none) up to now.
bool DoneFillingGap(Engine& engine, TaskNode* task);

// Done For Now & Finish Later: the time worked so far (from the item's start to now) becomes a
// done item of its own on the day; the item itself stays undone with the minutes left and is
// planned again. The done part, or kNoAct when no time was worked yet or none is left (use
// Done! then).
ActHandle DoneForNow(Engine& engine, TaskNode* task);

// Start & Fill Gap Since Last Done: the item is started, its start the end of the last done item
// of its day (now, when there is none that ended earlier).
bool StartFillingGap(Engine& engine, TaskNode* task);

// The end of the last done item with a clock time before `task` on its day, or kNoTime.
TimeOfDay LastDoneEndBefore(const Schedule& s, const TaskNode* task);

// Offer to Clone: an item that asks for it ("Offer To Clone When Item Done", not a Work Holiday
// memo) offers a copy for next time once it is done. Yes makes a copy, not done, as long as the
// occurrence was (`length`), on `date`; the front end opens it. kNoAct on No or for other items.
ActHandle OfferToClone(Recurrences& recurrences, ActHandle done, DayNumber date, Duration length);

}  // namespace ploven
