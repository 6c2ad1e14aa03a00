#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/bridge_link.h"
#include "store/act_handle.h"
#include "store/date_format.h"

namespace ploven {

class Engine;
class Messages;
class Recurrences;
class UndeleteStack;

// A schedule the calendar's changes go into, as the front end holds it: open in the window, or
// opened beside it for the length of one pass.
class IntakeSchedule {
 public:
  virtual ~IntakeSchedule() = default;
  virtual Engine& engine() = 0;
  virtual Recurrences& recurrences() = 0;
  // Where deleted items are kept for Undelete.
  virtual UndeleteStack& undelete() = 0;
  // The note of an item made or changed from the calendar; false when it was not written (told).
  virtual bool WriteNote(ActHandle item, const std::string& text) = 0;
  // Saves the schedule; false when it could not be saved (told).
  virtual bool Save() = 0;
};

// What the calendar may bring in, and how its records read.
struct IntakeRules {
  DateText dateText;
  // Label n is labelNames[n]; a label the table does not know arrives as no label.
  std::vector<std::string> labelNames;
  bool appointmentsFromCalendar = true;
  bool tasksFromCalendar = true;
};

// What one frame from the calendar did.
struct IncomingOutcome {
  enum class Kind {
    kAdded,           // a new item: answered with the ID echo
    kChanged,         // an item changed, done or undone, or deleted
    kNothing,         // the change was already so (done again, a deleted occurrence not there)
    kRefused,         // told: a refused subject, a record that does not read, an item not found
    kNotice,          // a text for the user
    kSkipped,         // the switches keep this kind out (logged)
    kPasswordWanted,  // the calendar server wants a password: `text` is "url\nuser"
  } kind = Kind::kNothing;
  ActHandle item = kNoAct;
  uint32_t itemID = 0;  // kAdded: the new item's number
  std::string subject;  // kAdded: the subject as it came, for the ID echo
  std::string text;     // kNotice: the text; kRefused: what the user was told
};

// Applies one frame from the calendar to the schedule: a new task becomes a flexible item with
// its deadline, a new appointment an item at its date and start; changes, done and deletes
// find their item by the frame's number, else by title and date. A refused frame changes
// nothing and is told here; items from the calendar are marked as from outside, so a launch
// in their title always asks first.
IncomingOutcome ApplyIncomingFrame(IntakeSchedule& target, const IntakeRules& rules,
                                   const BridgeFrame& frame, Messages& msg);

}  // namespace ploven
