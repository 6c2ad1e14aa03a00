#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit/item_dialog_kind.h"
#include "engine/conflict_check.h"
#include "store/act_flags.h"
#include "store/act_record.h"
#include "store/beta_record.h"
#include "store/date_types.h"

namespace ploven {

class Engine;
class Messages;
class Recurrences;
struct TaskNode;

// The flag of a recurring item's own record that makes each occurrence flexible when its day
// comes ("Date Becomes Flexible Upon Arrival").
inline constexpr uint32_t kFlexibleOnArrivalFlag = AF_DIALOG_BOX_1;

// What the Alarm check box sets when no alarm dialog says otherwise: before the start, by the
// New Item Preferences' offset when they have one.
inline constexpr int kDefaultAlarmMinutes = 5;

// The working copy the dialog edits. `act` holds every field by its record name; the rest are
// what the record does not hold directly.
struct ItemDraft {
  Act act;
  std::string title;
  DayNumber date = kNoDate;  // the Set Date; for a flexible item the day it is planned on
  int rank = 0;              // the rank within its tier; 0 = the end of the tier
  std::optional<Beta> recurrence;  // the rule while Recurring is ticked
  bool flexibleOnArrival = false;

  bool Has(uint32_t flag) const { return act.Has(flag); }
  void Set(uint32_t flag, bool on) {
    if (on) act.flags |= flag; else act.flags &= ~flag;
  }
  bool flexible() const { return Has(AF_FLEXIBLE); }
};

// What the dialog was opened on, and how.
struct ItemEditSession {
  int command = 0;
  ItemDialogMode mode = ItemDialogMode::kNew;
  ItemTemplate form = ItemTemplate::kGeneral;
  std::string caption;
  std::string helpTopic;

  ActHandle item = kNoAct;        // the item changed; the recurring item for Modify All
  ActHandle definition = kNoAct;  // the recurring item of an instance being edited
  DayNumber occurrence = kNoDate; // that instance's date
  bool clone = false;             // the instance is not an item of its own yet
  // The Recurrences group: "Modify every instance" (true) or "Modify one only" (false).
  bool modifyEveryInstance = false;

  ItemDraft draft;   // what the fields show
  ItemDraft opened;  // the fields when the dialog opened (or the instance was stepped to)
  bool alarmEverSet = false;  // the item had an alarm before (its offset is not all zero)
};

struct ItemEditRequest {
  int command = kCmdNewItem;
  TaskNode* task = nullptr;  // the selected task of a day view
  ActHandle item = kNoAct;   // or the selected item of a list (a project in the Projects List)
  DayNumber date = kNoDate;  // the date the view shows: new items start there
  bool lightMode = false;
};

// Fills the working copy for the command: the New Item Preferences for a new item of the
// kind, the item (or its recurring item's template for Modify All Recurrences) otherwise.
// Nothing when there is nothing to modify (told).
std::optional<ItemEditSession> OpenItemEdit(Engine& engine, Recurrences* recurrences,
                                            const ItemEditRequest& request);

// ---- Field rules, as the dialog's controls change ----

enum class DurationOutcome { kAccepted, kReducedForRecurring, kReduced, kMadeSplittable };
// Leaving the Duration field with a duration longer than the Day Bounds range.
DurationOutcome DurationLeft(ItemEditSession& session, const Engine& engine, Messages& msg);

enum class SetDateOutcome { kNothingAsked, kLatestEndChanged, kEditLatestEnd };
// The Set Date button chosen (the item leaves Flexible Date).
SetDateOutcome SetDateChosen(ItemEditSession& session, Messages& msg);

// Ticking or unticking Recurring; `rule` is what the recurrence dialog confirmed when ticking.
// False: refused (told), the box goes back.
bool SetRecurring(ItemEditSession& session, Recurrences* recurrences, std::optional<Beta> rule,
                  Messages& msg);

// The Alarm check box ticked: a first alarm is explained and edited with `editAlarm` (the
// alarm dialog: false = cancelled). False: the box goes back.
bool AlarmTicked(ItemEditSession& session, Messages& msg,
                 const std::function<bool(ItemDraft&)>& editAlarm);
// The offset the check box gives when no alarm dialog edits it.
void SetDefaultAlarm(ItemDraft& draft, const Act& preferences);

// ---- The Recurrences group ----

// "<Prior" / "Next>": the working copy moves to the previous or next instance. False when
// there is none (nothing changes).
bool StepInstance(ItemEditSession& session, Recurrences& recurrences, int direction);
// "Delete this instance": the instance shown is cancelled. True when it was.
bool DeleteThisInstance(ItemEditSession& session, Recurrences& recurrences);

// ---- OK ----

struct ItemEditHooks {
  ConflictCheckView conflictView;
  // The Alarm button: edits the alarm of the working copy; false = cancelled.
  std::function<bool(ItemDraft&)> editAlarm;
  // The Note button: opens the note of the item being edited (none yet for a new item).
  std::function<void(ActHandle item)> openNote;
  // Picks the Procrastination Buster's advice, 0..4; random when empty.
  std::function<int()> pickAdvice;
  // The labels' names by number (the Labels Settings); the default names when empty.
  std::vector<std::string> labelNames;
  // False where nobody pressed OK (Paste, the import files, the sample schedule): no alarm is
  // offered, no conflict asked about, and the Balance All Days of a Splittable item runs
  // without saying so.
  bool interactive = true;
};

enum class ConfirmOutcome {
  kApplied,   // the item was made or changed: close with result 1
  kStayOpen,  // a question or refusal keeps the dialog open
};

struct ConfirmResult {
  ConfirmOutcome outcome = ConfirmOutcome::kStayOpen;
  ActHandle item = kNoAct;
  // The field the user should look at next when the dialog stays open.
  enum class Focus { kNone, kTitle, kDuration, kDates, kTimes, kProject } focus = Focus::kNone;
};

// The cross-field checks of OK (told), before anything changes.
bool CheckItemDraft(Engine& engine, const ItemEditSession& session, Messages& msg);

// OK: the checks, the field rules a draft may have skipped (a recurring item is never
// Splittable; a Duration entered longer than the Day Bounds range, as DurationLeft), the
// Set-Start-Time alarm offer for a new item, the Procrastination Buster for a deadline moved
// later, then Apply: the fields go into the item (made for the New commands, into the
// recurring item for every instance, into the defaults for the preferences) and the engine
// plans it.
ConfirmResult ConfirmItemEdit(Engine& engine, Recurrences* recurrences, ItemEditSession& session,
                              const ItemEditHooks& hooks);

}  // namespace ploven
