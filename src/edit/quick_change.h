#pragma once

#include <cstdint>
#include <string>

#include "store/act_handle.h"
#include "store/date_types.h"

namespace ploven {

class Engine;
class Recurrences;
struct ItemDraft;
struct TaskNode;

// The one-key changes of the Edit menu's Properties and the Balance menu's steps. Each edits
// the selected item the way its dialog would and confirms it, so the item is re-planned as
// after OK.
enum class QuickChange {
  kFlexibleDate,  // Flexible Date <-> Set Date
  kAppointment,   // an appointment (a Set Start Time on a Set Date) <-> an ordinary item
  kScheduled,     // Set Start Time at the time the item is placed <-> none
  kUnderscore,
  kPrivate,    // the "!" in front of the title
  kSequenced,  // a flexible item follows the item ranked just before it
  kHideUntilStartable,
  kSplittable,
  kRaisePriority,  // one rank up; from the top of a tier to the end of the tier above
  kLowerPriority,  // one rank down; from the end of a tier to the top of the tier below
  kEarlierStart,   // the Set Start Time a step earlier
  kLaterStart,
  kShorter,  // the duration a step shorter, never below one step
  kLonger,
};

// The step of the time and duration changes: 15 minutes, or 1 with "KeyIncre1min".
inline constexpr int kQuickStepMinutes = 15;
inline constexpr int kQuickFineStepMinutes = 1;
// Labels are numbered 1..9; 0 is none.
inline constexpr int kLastLabel = 9;

struct QuickChangeResult {
  bool applied = false;
  ActHandle item = kNoAct;  // the item as it is now (an instance may have become its own)
  std::string refusal;      // why nothing changed; empty when applied or the user was asked
};

// Where the item is: the task of a day view, or the item of a list.
struct QuickTarget {
  TaskNode* task = nullptr;
  ActHandle item = kNoAct;
};

// Changes the working copy of the item; the refusal when the change does not apply to it.
// `placedAt` is the time the item now stands at on its day (kNoTime when unknown);
// `stepMinutes` the step of the time changes; `tierCount` the number of items in the draft's
// tier (for the priority steps).
std::string ChangeDraft(ItemDraft& draft, QuickChange change, TimeOfDay placedAt, int stepMinutes,
                        int tierCount, int tierAboveCount);

// The change applied to the item and confirmed; nothing changes when it is refused (the
// refusal says why) or a question of the confirmation kept it from being applied.
QuickChangeResult ApplyQuickChange(Engine& engine, Recurrences* recurrences, QuickTarget target,
                                   QuickChange change, int stepMinutes);

// Label...: the item's label (0 = none, 1..9) set and confirmed.
QuickChangeResult SetItemLabel(Engine& engine, Recurrences* recurrences, QuickTarget target,
                               int label);

// Add Date & Time to Item Title: the text goes at the end of the title, after a blank.
QuickChangeResult AppendToTitle(Engine& engine, Recurrences* recurrences, QuickTarget target,
                                const std::string& text);

}  // namespace ploven
