#pragma once

#include <cstdint>
#include <string>

#include "done/done_item_times.h"
#include "engine/engine.h"

namespace ploven {

// What the Item (Done) window shows and edits: a done item with the times it really took.
struct DoneItemDraft {
  ActHandle item = kNoAct;  // the done item being changed; kNoAct for a new one
  std::string title;
  DayNumber date = kNoDate;
  DoneItemTimes times;
  int32_t noteNumber = 0;
  bool hasNote = false;  // "Note..." attached the note
  float expense = 0;
  int mileage = 0;
  uint32_t projectID = 0;
  int32_t jobNumber = 0;
};

// The window on the done item a task shows: its record, the task's date, Began at the task's
// start (empty for an item recorded without one) and its Duration.
DoneItemDraft DoneItemDraftOf(Schedule& s, TaskNode* task);

// New Done Item on the shown day. Began follows the item selected there (or is the New Item
// Preferences' earliest time, or the day's earliest bound) and the Duration runs to the next
// item (or is the preferred duration). Today, when the last done item ended before that, the
// new one begins where it ended and runs to now.
DoneItemDraft NewDoneItemDraft(Engine& engine, DayNumber shownDay, const TaskNode* selected);

// "Note...": the draft gets a note number of its own (the next one, unless it has one) and the
// note is attached. The number, for the note window.
int32_t AttachDoneNote(Schedule& s, DoneItemDraft& draft);

// The field a refusal is about.
enum class DoneItemField { kNone, kTitle, kDate };

// What OK did: the item made or moved, or why nothing was (the window stays open then).
struct DoneItemOutcome {
  ActHandle item = kNoAct;
  std::string problem;
  DoneItemField field = DoneItemField::kNone;
  bool ok() const { return problem.empty(); }
};

// OK: a new draft becomes a done item on its date; an existing item takes the draft's title and
// values and moves to the date at its Began time. Refused, changing nothing, for an empty title,
// a date out of range or a day already archived.
DoneItemOutcome SaveDoneItem(Engine& engine, const DoneItemDraft& draft);

}  // namespace ploven
